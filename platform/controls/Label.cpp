#include "Label.h"

#include "Canvas.h"
#include "ShortCuts.h"
#include "WinControl.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (AssignIfChanged(alignment_, v)) Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
    if (AssignIfChanged(autoSize_, v)) AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (AssignIfChanged(layout_, v)) Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (!AssignIfChanged(wordWrap_, v)) return;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (!AssignIfChanged(showAccelChar_, v)) return;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
    if (AssignIfChanged(transparent_, v)) Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
    if (focusControl_ == v) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = v;
    if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | DrawTextAlignment(alignment_);
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    // An empty caption still has the height of a line.
    String text = Caption().empty() ? String(L" ") : Caption();
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, TextFlags() | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int left = Left();
    if (alignment_ == taRightJustify && !wordWrap_) left += Width() - r.right;
    SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    String text = Caption();
    UINT flags = TextFlags();
    TRect r = client;
    if (layout_ != tlTop) {
        TRect measure = client;
        int height = canvas->TextRect(measure, text, flags | DT_CALCRECT);
        r.top = layout_ == tlCenter ? (client.bottom - height) / 2 : client.bottom - height;
    }
    if (!Enabled()) {
        // Embossed: a highlight one pixel down and right under the shadow-coloured text.
        TRect highlight = r;
        OffsetRect(&highlight, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextRect(highlight, text, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->TextRect(r, text, flags);
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
    Inherited<TGraphicControl>(Message);
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    Inherited<TGraphicControl>(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(wchar_t(Message.WParam), Caption()) &&
        focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        Message.Result = 1;
    }
}
