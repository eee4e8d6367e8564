#include "Pen.h"

#include "GraphicsTypes.h"

void TPen::Assign(TPersistent* source) {
    if (auto* pen = As<TPen>(source)) {
        if (pen == this) return;
        color_ = pen->color_;
        width_ = pen->width_;
        style_ = pen->style_;
        mode_ = pen->mode_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HGDIOBJ TPen::CreateGdiHandle() {
    static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    return CreatePen(kStyles[style_], width_, ColorToRGB(color_) & 0xFFFFFF);
}

void TPen::SetHandle(HPEN handle) {
    LOGPEN lp{};
    if (handle && GetObjectW(handle, sizeof(lp), &lp) == 0) throw EInvalidGraphicOperation(L"Invalid pen handle");
    if (handle) {
        color_ = TColor(lp.lopnColor);
        width_ = lp.lopnWidth.x;
        UINT s = lp.lopnStyle & PS_STYLE_MASK;
        style_ = s == PS_NULL          ? psClear
                 : s == PS_INSIDEFRAME ? psInsideFrame
                 : s <= PS_DASHDOTDOT  ? TPenStyle(s)
                                       : psSolid;
    }
    AdoptHandle(handle);
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(Integer value) {
    if (value == width_ || value < 0) return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Notify();  // applied by the canvas with SetROP2; the handle stays
}
