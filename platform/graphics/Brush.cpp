#include "Brush.h"

#include "Bitmap.h"
#include "GraphicsTypes.h"

void TBrush::Assign(TPersistent* source) {
    if (auto* brush = As<TBrush>(source)) {
        if (brush == this) return;
        color_ = brush->color_;
        style_ = brush->style_;
        bitmap_ = brush->bitmap_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HGDIOBJ TBrush::CreateGdiHandle() {
    LOGBRUSH lb{};
    if (bitmap_ && !bitmap_->Empty()) return CreatePatternBrush(bitmap_->Handle());
    lb.lbColor = ColorToRGB(color_) & 0xFFFFFF;
    switch (style_) {
        case bsSolid:
            lb.lbStyle = BS_SOLID;
            break;
        case bsClear:
            lb.lbStyle = BS_HOLLOW;
            break;
        default:
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = style_ - bsHorizontal;  // HS_HORIZONTAL .. HS_DIAGCROSS in the same order
    }
    return CreateBrushIndirect(&lb);
}

void TBrush::SetHandle(HBRUSH handle) {
    LOGBRUSH lb{};
    if (handle && GetObjectW(handle, sizeof(lb), &lb) == 0) throw EInvalidGraphicOperation(L"Invalid brush handle");
    if (handle) {
        bitmap_ = nullptr;
        if (lb.lbStyle == BS_SOLID || lb.lbStyle == BS_HATCHED) color_ = TColor(lb.lbColor);
        if (lb.lbStyle == BS_SOLID)
            style_ = bsSolid;
        else if (lb.lbStyle == BS_HOLLOW)
            style_ = bsClear;
        else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
            style_ = TBrushStyle(bsHorizontal + lb.lbHatch);
    }
    AdoptHandle(handle);
}

void TBrush::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    if (style_ == bsClear) style_ = bsSolid;  // giving a colour means the brush should paint
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    if (value == bitmap_) return;
    bitmap_ = value;
    Changed();
}
