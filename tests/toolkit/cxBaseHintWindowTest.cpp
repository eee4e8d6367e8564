#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WindowTesting.h"
#include "cxBaseHintWindow.h"
#include "ToolkitTestSupport.h"

namespace {

class TRecordingHint : public TcxBaseHintWindow {
public:
    using TcxBaseHintWindow::TcxBaseHintWindow;
    std::vector<DWORD> animations;

protected:
    void Animate(DWORD flags) override {
        animations.push_back(flags);
        TcxBaseHintWindow::Animate(flags);
    }
};

bool SystemTooltipAnimation() {
    BOOL on = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &on, 0);
    return on != FALSE;
}

TEST(cxBaseHintWindowTest, AnimationStyleTable) {
    struct Case {
        TcxHintAnimationStyle style;
        bool animation, fade;
        TcxHintAnimationStyle effective;
        DWORD flags;
    } cases[] = {
        {hasSystem, true, true, hasFade, AW_BLEND},
        {hasSystem, true, false, hasSlideDown, AW_VER_POSITIVE},
        {hasSystem, false, true, hasNone, 0},
        {hasSlideRight, true, false, hasSlideRight, AW_HOR_POSITIVE},
        {hasSlideLeft, true, true, hasSlideLeft, AW_HOR_NEGATIVE},
        {hasSlideUp, true, false, hasSlideUp, AW_VER_NEGATIVE},
        {hasCenter, true, false, hasCenter, AW_CENTER},
        {hasFade, false, true, hasNone, 0},
        {hasNone, true, true, hasNone, 0},
    };
    for (const Case& c : cases) {
        TcxHintAnimationStyle effective = TcxBaseHintWindow::EffectiveAnimationStyle(c.style, c.animation, c.fade);
        EXPECT_EQ(effective, c.effective) << int(c.style);
        EXPECT_EQ(TcxBaseHintWindow::AnimationFlags(effective), c.flags) << int(c.style);
    }
}

TEST(cxBaseHintWindowTest, PlacementStaysInsideTheWorkArea) {
    const TRect w = WorkArea();
    const int ww = RectWidth(w), wh = RectHeight(w);
    struct Case {
        int left, top, width, height;
        int expectedLeft, expectedTop;
    } cases[] = {
        {w.left + 10, w.top + 10, 100, 20, w.left + 10, w.top + 10},        // fits
        {w.right - 50, w.top + 10, 100, 20, w.right - 100, w.top + 10},     // ends at the right edge
        {w.left + 10, w.top + 10, ww + 50, 20, w.left, w.top + 10},         // wider than the area
        {w.left - 30, w.top - 40, 100, 20, w.left, w.top},                  // before the top-left
        {w.left + 10, w.bottom - 10, 100, 60, w.left + 10, w.bottom - 60},  // ends at the bottom
        {w.left + 10, w.top + 5, 100, wh + 10, w.left + 10, w.top},         // taller than the area
    };
    for (const Case& c : cases) {
        TPoint p = TcxBaseHintWindow::FitIntoWorkArea(c.left, c.top, c.width, c.height);
        EXPECT_EQ(p.x, c.expectedLeft) << c.left << "," << c.top;
        EXPECT_EQ(p.y, c.expectedTop) << c.left << "," << c.top;
    }

    // A hint that grows taller near the bottom is measured by its new height.
    TcxBaseHintWindow hint(nullptr);
    hint.SetBounds(w.left + 5, w.bottom - 20, 50, 10);
    EXPECT_EQ(hint.Top(), w.bottom - 20);
    hint.SetBounds(w.left + 5, w.bottom - 20, 50, 100);
    EXPECT_EQ(hint.Top(), w.bottom - 100);
}

TEST(cxBaseHintWindowTest, ShownHintIsTopmostVisibleAndFitted) {
    const TRect w = WorkArea();
    std::unique_ptr<TRecordingHint> hint(new TRecordingHint(nullptr));
    hint->SetAnimationStyle(hasSlideDown);
    hint->ShowHintInRect(TRect{w.right - 40, w.top + 50, w.right + 80, w.top + 70}, L"Сохранить уровень");
    HWND window = hint->Handle();
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
    PumpUntilIdle();
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_BORDER, 0);
    EXPECT_NE(GetForegroundWindow(), window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right, w.right);
    EXPECT_EQ(r.left, w.right - 120);
    EXPECT_EQ(r.top, w.top + 50);
    EXPECT_EQ(hint->Caption(), L"Сохранить уровень");
    if (SystemTooltipAnimation()) {
        ASSERT_EQ(hint->animations.size(), 1u);
        EXPECT_EQ(hint->animations[0], DWORD(AW_VER_POSITIVE | AW_SLIDE));
    } else {
        EXPECT_TRUE(hint->animations.empty());
    }

    // Long hints and the "none" style show at once.
    hint->animations.clear();
    hint->ShowHintInRect(TRect{w.left + 10, w.top + 10, w.left + 300, w.top + 30}, String(100, L'x'));
    hint->SetAnimationStyle(hasNone);
    hint->ShowHintInRect(TRect{w.left + 10, w.top + 10, w.left + 300, w.top + 30}, L"short");
    EXPECT_TRUE(hint->animations.empty());
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(cxBaseHintWindowTest, BorderAndStandardHintFlagsShapeTheWindow) {
    TcxBaseHintWindow bordered(nullptr);
    bordered.SetBorder(true);
    HWND window = bordered.Handle();
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_BORDER,
              GetWindowLongW(THintWindow(nullptr).Handle(), GWL_STYLE) & WS_BORDER);

    // A standard hint is placed as the platform's hint window places it: no clamping on
    // SetBounds.
    const TRect w = WorkArea();
    TcxBaseHintWindow standard(nullptr);
    standard.SetStandardHint(true);
    standard.SetBounds(w.right - 10, w.top, 100, 20);
    EXPECT_EQ(standard.Left(), w.right - 10);
}

}  // namespace
