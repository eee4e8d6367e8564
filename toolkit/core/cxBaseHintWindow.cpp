#include "cxBaseHintWindow.h"

#include <algorithm>

#include "cxWindowHelpers.h"
#include "dxCore.h"

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TPoint TcxBaseHintWindow::FitIntoWorkArea(int left, int top, int width, int height) {
    TRect work = WorkAreaAtPoint(TPoint{left, top});
    // Too wide or too tall a hint starts at the work area's left or top edge.
    return TPoint{std::max<int>(work.left, std::min<int>(left, work.right - width)),
                  std::max<int>(work.top, std::min<int>(top, work.bottom - height))};
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!standardHint_) {
        // The new height, not the old one: a hint that grows near the bottom must still fit.
        TPoint p = FitIntoWorkArea(ALeft, ATop, AWidth, AHeight);
        ALeft = p.x;
        ATop = p.y;
    }
    THintWindow::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TcxBaseHintWindow::ShowHintInRect(const TRect& rect, const String& hint) {
    if (standardHint_) {
        ActivateHint(rect, hint);
        return;
    }
    SetCaption(hint);
    SetBoundsRect(rect);
    HWND window = Handle();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (PlatformFlags.WinXP) BeforeShowHint();
    if (hint.size() < MaxAnimatedHintLength) AnimateHint();
    if (!PlatformFlags.WinXP) BeforeShowHint();
    ShowWithoutActivation();
    Invalidate();
}

TcxHintAnimationStyle TcxBaseHintWindow::EffectiveAnimationStyle(TcxHintAnimationStyle style, bool tooltipAnimation,
                                                                 bool tooltipFade) {
    if (style == hasNone || !tooltipAnimation) return hasNone;
    if (style == hasSystem) return tooltipFade ? hasFade : hasSlideDown;
    return style;
}

DWORD TcxBaseHintWindow::AnimationFlags(TcxHintAnimationStyle style) {
    switch (style) {
        case hasSlideRight:
            return AW_HOR_POSITIVE;
        case hasSlideLeft:
            return AW_HOR_NEGATIVE;
        case hasSlideDown:
            return AW_VER_POSITIVE;
        case hasSlideUp:
            return AW_VER_NEGATIVE;
        case hasCenter:
            return AW_CENTER;
        case hasHide:
            return AW_HIDE;
        case hasActivate:
            return AW_ACTIVATE;
        case hasFade:
            return AW_BLEND;
        default:
            return 0;
    }
}

void TcxBaseHintWindow::AnimateHint() {
    if (!AnimateWindowProc()) return;
    BOOL animation = FALSE, fade = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    TcxHintAnimationStyle style = EffectiveAnimationStyle(animationStyle_, animation != FALSE, fade != FALSE);
    if (style == hasNone) return;
    if (!PlatformFlags.WinXP) ClearWindowRegion();
    Animate(AnimationFlags(style) | AW_SLIDE);
}

void TcxBaseHintWindow::Animate(DWORD flags) {
    if (TAnimateWindowProc animate = AnimateWindowProc()) animate(Handle(), animationDelay_, flags);
}

void TcxBaseHintWindow::ClearWindowRegion() { SetWindowRgn(Handle(), nullptr, TRUE); }

void TcxBaseHintWindow::ShowWithoutActivation() { ShowWindow(Handle(), SW_SHOWNOACTIVATE); }

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    if (standardHint_) return;
    if (!border_) Params.Style &= ~DWORD(WS_BORDER);
    Params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::WMEraseBkgnd(TMessage& Message) {
    if (needEraseBackground_)
        Inherited<THintWindow>(Message);
    else
        Message.Result = 1;
}
