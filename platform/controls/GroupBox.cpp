#include "GroupBox.h"

#include "SystemControl.h"

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csSetCaption + csReplicatable);
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    rect.top += FontLineHeight(Font());
    InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    int lineHeight = FontLineHeight(Font());
    TRect r = ClientRect();
    r.top += lineHeight / 2;
    // An etched line: shadow outside, highlight inside (a single shadow line without Ctl3D).
    RECT edge = r;
    if (Ctl3D()) {
        DrawEdge(canvas->Handle(), &edge, EDGE_ETCHED, BF_RECT);
    } else {
        canvas->Brush()->SetColor(clWindowFrame);
        canvas->FrameRect(r);
    }
    String text = Caption();
    if (text.empty()) return;
    TRect label{8, 0, 8, lineHeight};
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->TextRect(label, text, DT_SINGLELINE | DT_CALCRECT);
    label.right += 2;
    label.left -= 2;
    canvas->FillRect(label);
    label.left += 2;
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(label, text, DT_SINGLELINE);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    Invalidate();
}

void TCustomGroupBox::CMFontChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    Realign();
}
