#pragma once
// TcxBaseHintWindow: the toolkit's hint window. It keeps itself inside the work area, stays on
// top without taking the focus and appears with the system's tooltip animation. With
// StandardHint set it behaves exactly like the platform's hint window.

#include "HintWindow.h"

// Animation styles of the hint window.
enum TcxHintAnimationStyle : Byte {
    hasSlideRight,  // 0
    hasSlideLeft,   // 1
    hasSlideDown,   // 2
    hasSlideUp,     // 3
    hasCenter,      // 4
    hasHide,        // 5
    hasActivate,    // 6
    hasFade,        // 7
    hasSystem,      // 8: fade when the system fades tooltips, else slide down
    hasNone,        // 9
};

class TcxBaseHintWindow : public THintWindow {
    Z_CLASS(TcxBaseHintWindow, THintWindow)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))
public:
    // Hints of this length or longer appear without animation.
    static constexpr size_t MaxAnimatedHintLength = 100;

    explicit TcxBaseHintWindow(TComponent* AOwner);

    // Shows the hint at rect (screen coordinates), moved into the work area.
    virtual void ShowHintInRect(const TRect& rect, const String& hint);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TcxHintAnimationStyle AnimationStyle() const { return animationStyle_; }
    void SetAnimationStyle(TcxHintAnimationStyle v) { animationStyle_ = v; }
    Cardinal AnimationDelay() const { return animationDelay_; }
    void SetAnimationDelay(Cardinal v) { animationDelay_ = v; }
    bool StandardHint() const { return standardHint_; }
    void SetStandardHint(bool v) { standardHint_ = v; }
    bool Border() const { return border_; }
    void SetBorder(bool v) { border_ = v; }
    bool NeedEraseBackground() const { return needEraseBackground_; }
    void SetNeedEraseBackground(bool v) { needEraseBackground_ = v; }

    // The style actually used, given the system's tooltip animation and fade settings.
    static TcxHintAnimationStyle EffectiveAnimationStyle(TcxHintAnimationStyle style, bool tooltipAnimation,
                                                         bool tooltipFade);
    // The AnimateWindow flags of a style (without AW_SLIDE); 0 for none.
    static DWORD AnimationFlags(TcxHintAnimationStyle style);
    // Where a window of the given size at (left, top) lands: inside the work area at that point.
    static TPoint FitIntoWorkArea(int left, int top, int width, int height);

protected:
    void CreateParams(TCreateParams& Params) override;
    virtual void ClearWindowRegion();
    virtual void BeforeShowHint() {}
    virtual void ShowWithoutActivation();
    // Runs the system's window animation.
    virtual void Animate(DWORD flags);

private:
    void AnimateHint();
    void WMEraseBkgnd(TMessage& Message);

    TcxHintAnimationStyle animationStyle_ = hasSystem;
    Cardinal animationDelay_ = 100;
    bool standardHint_ = false;
    bool border_ = false;
    bool needEraseBackground_ = false;
};
