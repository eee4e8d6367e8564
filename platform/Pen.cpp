#include "Pen.h"

#include "GraphicsTypes.h"

TPen::~TPen() { FreeHandle(); }

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

void TPen::FreeHandle() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

// The old handle is deleted after the listeners heard of the change, so that a canvas has
// deselected it by then.
void TPen::Changed() {
    HPEN old = handle_;
    handle_ = nullptr;
    TGraphicsObject::Changed();
    if (old) DeleteObject(old);
}

HPEN TPen::Handle() {
    if (!handle_) {
        static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_ = CreatePen(kStyles[style_], width_, ColorToRGB(color_) & 0xFFFFFF);
        if (!handle_) throw EOutOfResources(L"Out of system resources");
    }
    return handle_;
}

void TPen::SetHandle(HPEN handle) {
    if (handle == handle_) return;
    LOGPEN lp{};
    if (handle && GetObjectW(handle, sizeof(lp), &lp) == 0)
        throw EInvalidGraphicOperation(L"Invalid pen handle");
    HPEN old = handle_;
    if (handle) {
        color_ = TColor(lp.lopnColor);
        width_ = lp.lopnWidth.x;
        UINT s = lp.lopnStyle & PS_STYLE_MASK;
        style_ = s == PS_NULL ? psClear : s == PS_INSIDEFRAME ? psInsideFrame : s <= PS_DASHDOTDOT ? TPenStyle(s) : psSolid;
    }
    handle_ = handle;
    TGraphicsObject::Changed();
    if (old) DeleteObject(old);
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
    // The mode is applied by the canvas with SetROP2; the handle stays.
    TGraphicsObject::Changed();
}
