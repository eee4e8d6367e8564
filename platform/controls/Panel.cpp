#include "Panel.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csOpaque + csSetCaption + csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment v) {
    if (AssignIfChanged(alignment_, v)) Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
    if (AssignIfChanged(bevelInner_, v)) Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
    if (AssignIfChanged(bevelOuter_, v)) Changed();
}

void TCustomPanel::SetBevelWidth(int v) {
    if (bevelWidth_ == v || v < 1) return;
    bevelWidth_ = v;
    Changed();
}

void TCustomPanel::SetBorderWidth(int v) {
    if (borderWidth_ == v || v < 0) return;
    borderWidth_ = v;
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    if (AssignIfChanged(borderStyle_, v)) RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    if (!fullRepaint_) Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        TColor top = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : Color();
        TColor bottom = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : Color();
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    };
    bevel(bevelOuter_);
    Frame3D(canvas, r, Color(), Color(), borderWidth_);
    bevel(bevelInner_);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    String text = Caption();
    if (text.empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    canvas->TextRect(r, text, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | DrawTextAlignment(alignment_));
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    Invalidate();
}
