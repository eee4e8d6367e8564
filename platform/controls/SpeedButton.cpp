#include "SpeedButton.h"

#include "Canvas.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(new TBitmap()) {
    glyph_->OnChange = MakeEvent(this, &TSpeedButton::GlyphChanged);
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { FreeObject(glyph_); }

void TSpeedButton::SetFlat(bool v) {
    if (AssignIfChanged(flat_, v)) Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) {
    if (numGlyphs_ == v || v < 1 || v > 4) return;
    numGlyphs_ = v;
    Invalidate();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    RECT r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    bool down = pressed_ && hot_;
    if (!flat_) {
        DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else if (hot_ && Enabled()) {
        DrawEdge(canvas->Handle(), &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    TRect face = r;
    if (down) OffsetRect(&face, 1, 1);
    canvas->Font()->Assign(Font());
    PaintButtonFace(canvas, face, TButtonFace{glyph_, numGlyphs_, Caption()}, Enabled(), down);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
    hot_ = true;
    if (flat_ || pressed_) Invalidate();
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    hot_ = false;
    if (flat_ || pressed_) Invalidate();
    TGraphicControl::MouseLeave();
}
