#include "dxBarShadow.h"

#include <algorithm>

#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"

// ---- Geometry -----------------------------------------------------------------------------

std::vector<TdxBarShadowPartSpec> CalcShadowParts(const TRect& ownerRect, const TRect& windowRect, int s) {
    TRect a = ownerRect, b = windowRect;
    const bool ownerEmpty = IsRectEmpty(&a) != 0;
    const bool horizontal = ownerEmpty || a.bottom == b.top || a.top == b.bottom;
    // A is the upper (or left) rectangle, B the lower (or right) one.
    if ((horizontal && !ownerEmpty && a.top == b.bottom) || (!horizontal && a.left == b.right)) std::swap(a, b);
    std::vector<TdxBarShadowPartSpec> parts;
    auto add = [&](TRect r, Byte kind, Byte corners) {
        if (!IsRectEmpty(&r)) parts.push_back({r, kind, corners});
    };
    const bool aEmpty = IsRectEmpty(&a) != 0;
    if (horizontal) {
        if (!aEmpty) add({a.right, a.top + s, a.right + s, a.bottom}, dxShadowVertical, dxShadowFadeTop);
        add({b.left + s, b.bottom, b.right + s, b.bottom + s}, dxShadowHorizontal, dxShadowFadeLeft | dxShadowFadeRight);
        if (!aEmpty && a.left + s < b.left) add({a.left + s, a.bottom, b.left, a.bottom + s}, dxShadowHorizontal, dxShadowFadeLeft);
        if (!aEmpty && b.right < a.right) add({b.right, a.bottom, a.right + s, a.bottom + s}, dxShadowHorizontal, dxShadowFadeRight);
        if (aEmpty || a.right < b.right)
            add({b.right, b.top + s, b.right + s, b.bottom}, dxShadowVertical, dxShadowFadeTop);
        else
            add({b.right, b.top, b.right + s, b.bottom}, dxShadowVertical, 0);
    } else {
        add({b.right, b.top + s, b.right + s, b.bottom}, dxShadowVertical, dxShadowFadeTop);
        if (a.top + s < b.top) add({a.right, a.top + s, a.right + s, b.top}, dxShadowVertical, dxShadowFadeTop);
        if (b.bottom < a.bottom) {
            add({a.left + s, a.bottom, a.right + s, a.bottom + s}, dxShadowHorizontal, dxShadowFadeLeft | dxShadowFadeRight);
            add({a.right, b.bottom, a.right + s, a.bottom}, dxShadowVertical, 0);
        } else {
            add({a.left + s, a.bottom, a.right, a.bottom + s}, dxShadowHorizontal, dxShadowFadeLeft);
        }
        if (a.bottom < b.bottom)
            add({b.left + s, b.bottom, b.right + s, b.bottom + s}, dxShadowHorizontal, dxShadowFadeLeft | dxShadowFadeRight);
        else
            add({b.left, b.bottom, b.right + s, b.bottom + s}, dxShadowHorizontal, dxShadowFadeRight);
    }
    return parts;
}

bool IsShadowPartUsable(const TdxBarShadowPartSpec& part, int s) {
    return part.corners == 0 || (RectWidth(part.bounds) >= s && RectHeight(part.bounds) >= s);
}

std::vector<Byte> CalcShadowPartAlphas(const TdxBarShadowPartSpec& part, int s) {
    const int w = RectWidth(part.bounds), h = RectHeight(part.bounds);
    std::vector<Byte> alphas(size_t(std::max(w, 0)) * size_t(std::max(h, 0)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Across the thickness: 15 per pixel, strongest next to the window.
            int alpha = part.kind == dxShadowHorizontal ? 15 * (h - y) : 15 * (w - x);
            // Towards a fading end, the k-th pixel from that end (k from 0) gets (k + 1) / (s + 1).
            int k = -1;
            if (part.kind == dxShadowHorizontal) {
                if ((part.corners & dxShadowFadeLeft) && x < s) k = x;
                if ((part.corners & dxShadowFadeRight) && x >= w - s) k = k < 0 ? w - 1 - x : std::min(k, w - 1 - x);
            } else if ((part.corners & dxShadowFadeTop) && y < s) {
                k = y;
            }
            if (k >= 0) alpha = MulDiv(alpha, k + 1, s + 1);
            alphas[size_t(y) * size_t(w) + size_t(x)] = Byte(alpha);
        }
    return alphas;
}

// ---- Strips -------------------------------------------------------------------------------

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* shadow, const TdxBarShadowPartSpec& spec)
    : TCustomControl(nullptr), shadow_(shadow), spec_(spec) {
    SetVisible(false);
    SetBounds(spec.bounds.left, spec.bounds.top, RectWidth(spec.bounds), RectHeight(spec.bounds));
}

bool TdxBarShadowPart::IsUsable() const { return IsShadowPartUsable(spec_, TdxBarShadow::ShadowThickness()); }

void TdxBarShadowPart::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = TdxBarShadow::UsesLayeredWindows() ? WS_EX_LAYERED : 0;
    TWinControl* window = shadow_->Window();
    HWND owner = window && window->HandleAllocated() ? window->Handle() : nullptr;
    if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) params.ExStyle |= WS_EX_TOPMOST;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.WndParent = owner;
    params.WindowClass.style = 0;
}

void TdxBarShadowPart::Paint() {
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(clBtnShadow)));
    const TRect r = ClientRect();
    FillRect(Canvas()->Handle(), &r, brush);
    DeleteObject(brush);
}

void TdxBarShadowPart::UpdateLayer() {
    TUpdateLayeredWindowProc update = UpdateLayeredWindowProc();
    if (!update) return;
    const int w = RectWidth(spec_.bounds), h = RectHeight(spec_.bounds);
    const std::vector<Byte> alphas = CalcShadowPartAlphas(spec_, TdxBarShadow::ShadowThickness());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        // Black with the alpha: premultiplied, the colour channels stay 0.
        auto* pixels = static_cast<DWORD*>(bits);
        for (size_t i = 0; i < alphas.size(); ++i) pixels[i] = DWORD(alphas[i]) << 24;
        HGDIOBJ old = SelectObject(memory, bitmap);
        SIZE size{w, h};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        update(Handle(), nullptr, nullptr, &size, memory, &origin, 0, &blend, ULW_ALPHA);
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void TdxBarShadowPart::ShowPart() {
    if (!IsUsable()) return;
    if (TdxBarShadow::UsesLayeredWindows()) UpdateLayer();
    TWinControl* window = shadow_->Window();
    HWND after = window && window->HandleAllocated() ? window->Handle() : HWND_TOP;
    SetWindowZOrder(Handle(), after, false, SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HidePart() {
    if (!HandleAllocated()) return;
    ShowWindow(Handle(), SW_HIDE);
    DestroyHandle();
}

// ---- The shadow ---------------------------------------------------------------------------

void TdxBarShadow::TPartDeleter::operator()(TdxBarShadowPart* part) const { FreeObject(part); }

TdxBarShadow::~TdxBarShadow() { parts_.clear(); }

bool TdxBarShadow::UsesLayeredWindows() { return UpdateLayeredWindowProc() != nullptr && ScreenColorDepth() > 8; }

void TdxBarShadow::SetBoundsRects(const TRect& ownerRect, const TRect& windowRect) {
    ownerRect_ = ownerRect;
    windowRect_ = windowRect;
    RebuildParts();
}

void TdxBarShadow::RebuildParts() {
    parts_.clear();
    for (const TdxBarShadowPartSpec& spec : CalcShadowParts(ownerRect_, windowRect_, ShadowThickness())) {
        parts_.emplace_back(new TdxBarShadowPart(this, spec));
        if (visible_) parts_.back()->ShowPart();
    }
}

void TdxBarShadow::SetShadowVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    for (auto& part : parts_)
        if (value)
            part->ShowPart();
        else
            part->HidePart();
}
