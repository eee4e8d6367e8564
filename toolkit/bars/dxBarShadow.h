#pragma once
// The drop shadow of a bar window: up to five thin strip windows along the right and bottom
// edges of the window and of the opener it hangs from, so that the two cast one joined shadow.
// With layered windows (and more than 8 bits per pixel) a strip is 4 pixels thick and fades from
// alpha 60 next to the window to 15 outside; without them it is 2 pixels of the button shadow
// colour. A strip's end fades where the joined outline turns; a strip whose fading end is
// shorter than the thickness is never shown. The strips let the mouse through.

#include <memory>
#include <vector>

#include "CustomControl.h"

class TdxBarShadow;

// Strip kinds and the corner bits of their fading ends.
constexpr Byte dxShadowHorizontal = 0, dxShadowVertical = 1;
constexpr Byte dxShadowFadeLeft = 1, dxShadowFadeRight = 2, dxShadowFadeTop = 4;

struct TdxBarShadowPartSpec {
    TRect bounds{};
    Byte kind = dxShadowHorizontal;
    Byte corners = 0;
};

// The strips of the shadow of a window (screen rectangle) hanging from its owner (empty: none),
// in creation order, empty rectangles left out.
std::vector<TdxBarShadowPartSpec> CalcShadowParts(const TRect& ownerRect, const TRect& windowRect, int thickness);
// A strip with fading ends needs both sides at least as long as the thickness.
bool IsShadowPartUsable(const TdxBarShadowPartSpec& part, int thickness);
// The strip's alpha values, row by row (top row first).
std::vector<Byte> CalcShadowPartAlphas(const TdxBarShadowPartSpec& part, int thickness);

class TdxBarShadowPart : public TCustomControl {
    Z_CLASS(TdxBarShadowPart, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))
public:
    TdxBarShadowPart(TdxBarShadow* shadow, const TdxBarShadowPartSpec& spec);
    const TdxBarShadowPartSpec& Spec() const { return spec_; }
    bool IsUsable() const;
    void ShowPart();
    void HidePart();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    void WMNCHitTest(TMessage& m) { m.Result = HTTRANSPARENT; }
    void WMEraseBkgnd(TMessage& m) { m.Result = 1; }
    void UpdateLayer();
    TdxBarShadow* shadow_;
    TdxBarShadowPartSpec spec_;
};

class TdxBarShadow {
public:
    explicit TdxBarShadow(TWinControl* window) : window_(window) {}
    ~TdxBarShadow();
    TdxBarShadow(const TdxBarShadow&) = delete;
    TdxBarShadow& operator=(const TdxBarShadow&) = delete;

    // Layered strips when the system has UpdateLayeredWindow and the screen more than 8 bits.
    static bool UsesLayeredWindows();
    static int ShadowThickness() { return UsesLayeredWindows() ? 4 : 2; }

    TWinControl* Window() const { return window_; }
    bool Visible() const { return visible_; }
    // Both in screen coordinates; the strips are made again.
    void SetBoundsRects(const TRect& ownerRect, const TRect& windowRect);
    void SetShadowVisible(bool value);
    int PartCount() const { return int(parts_.size()); }
    TdxBarShadowPart* Part(int index) const { return parts_.at(size_t(index)).get(); }

private:
    void RebuildParts();
    struct TPartDeleter {
        void operator()(TdxBarShadowPart* part) const;
    };
    TWinControl* window_;
    std::vector<std::unique_ptr<TdxBarShadowPart, TPartDeleter>> parts_;
    TRect ownerRect_{}, windowRect_{};
    bool visible_ = false;
};
