#include "BitBtn.h"

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(new TBitmap()) {
    glyph_->OnChange = MakeEvent(this, &TBitBtn::GlyphChanged);
}

TBitBtn::~TBitBtn() {
    if (HandleAllocated()) DestroyHandle();
    FreeObject(glyph_);
}

void TBitBtn::SetNumGlyphs(int v) {
    if (numGlyphs_ == v || v < 1 || v > 4) return;
    numGlyphs_ = v;
    Changed();
}

void TBitBtn::SetLayout(TButtonLayout v) {
    if (AssignIfChanged(layout_, v)) Changed();
}

void TBitBtn::SetMargin(int v) {
    if (margin_ == v || v < -1) return;
    margin_ = v;
    Changed();
}

void TBitBtn::SetSpacing(int v) {
    if (AssignIfChanged(spacing_, v)) Changed();
}

void TBitBtn::CNDrawItem(TMessage& Message) {
    const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    bool down = (item.itemState & ODS_SELECTED) != 0;
    bool focused = (item.itemState & ODS_FOCUS) != 0;
    DrawOnCanvas(item.hDC, [&] {
        TCanvas* canvas = Canvas();
        TRect r = item.rcItem;
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(r);
        // The button Enter would press has a dark outline.
        if (Active()) {
            canvas->Brush()->SetColor(clWindowFrame);
            canvas->FrameRect(r);
            InflateRect(&r, -1, -1);
        }
        RECT frame = r;
        DrawFrameControl(canvas->Handle(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        InflateRect(&r, -2, -2);
        if (down) OffsetRect(&r, 1, 1);
        canvas->Brush()->SetColor(clBtnFace);
        TButtonFace face{glyph_, numGlyphs_, Caption(), layout_, margin_, spacing_};
        PaintButtonFace(canvas, r, face, Enabled(), down);
        if (focused) {
            TRect focus = item.rcItem;
            InflateRect(&focus, -4, -4);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->DrawFocusRect(focus);
        }
    });
    Message.Result = 1;
}
