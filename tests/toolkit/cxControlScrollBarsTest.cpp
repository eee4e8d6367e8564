// A TcxControl's painted scroll bars on real windows: a test control whose content size is
// scripted decides what the bars show; the wheel, the bars and the system's metrics scroll and
// relay them out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Mouse.h"
#include "SysUtils.h"
#include "Screen.h"
#include "ToolkitTestSupport.h"
#include "WindowTesting.h"
#include "cxControl.h"
#include "cxControlScrollBars.h"
#include "cxWindowHelpers.h"
#include "dxThemeManager.h"

namespace {

void PressMiddleButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    SendInput(1, &input, sizeof(input));
}

BOOL CALLBACK KeepAutoScrollAnchor(HWND w, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    if (IsWindowVisible(w) && _wcsicmp(name, L"Static") == 0 && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        *reinterpret_cast<HWND*>(data) = w;
        return FALSE;
    }
    return TRUE;
}

// The auto-scroll's anchor: a visible topmost popup of the static class of this thread.
HWND AutoScrollAnchor() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &KeepAutoScrollAnchor, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct TScrollStep {
    TScrollBarKind kind;
    TScrollCode code;
    bool operator==(const TScrollStep&) const = default;
};

// A control whose content is contentWidth x contentHeight pixels (or whatever `script` reports),
// recording its scroll requests and the metrics message.
class TContentControl : public TcxControl {
    Z_CLASS(TContentControl, TcxControl)
public:
    using TcxControl::TcxControl;
    int contentWidth = 0, contentHeight = 0;
    bool allowHide = true;
    std::function<void(TContentControl*)> script;
    int calculations = 0;
    std::vector<TScrollStep> steps;
    int metricsMessages = 0;
    String caption;
    // What the control saw when a key reached it.
    bool scrollingWhenKeyed = false;

    void Report(int width, int height) {
        const TRect r = ClientBounds();
        SetScrollBarInfo(sbHorizontal, 0, width - 1, 1, RectWidth(r), 0, true, allowHide);
        SetScrollBarInfo(sbVertical, 0, height - 1, 1, RectHeight(r), 0, true, allowHide);
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clWindow);
        Canvas()->FillRect(ClientBounds());
        Canvas()->Font()->SetColor(clWindowText);
        Canvas()->TextOut(6, 6, caption);
    }
    void CalculateScrollBarParams() override {
        ++calculations;
        if (script)
            script(this);
        else
            Report(contentWidth, contentHeight);
    }
    void ScrollContent(TScrollBarKind kind, TScrollCode code, int& position) override {
        (void)position;
        steps.push_back({kind, code});
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_SCROLLBARMETRICSCHANGED) ++metricsMessages;
        if (Message.Msg == WM_KEYDOWN) scrollingWhenKeyed = IsScrollingContent();
        TcxControl::WndProc(Message);
    }
};

class cxControlScrollBarsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(400, 300));
        control = NewControl();
    }
    void TearDown() override {
        Mouse->SetWheelScrollLines(std::nullopt);
        form.reset();
        WindowTest::TearDown();
    }
    TContentControl* NewControl() {
        auto* c = new TContentControl(form.get());
        c->SetBounds(20, 20, 200, 150);
        c->SetParent(form.get());
        c->HandleNeeded();
        return c;
    }
    void Show(int width, int height, bool allowHide = true) {
        control->contentWidth = width;
        control->contentHeight = height;
        control->allowHide = allowHide;
        control->RecalcScrollBars();
    }
    TcxControlScrollBar* H() const { return control->HScrollBar(); }
    TcxControlScrollBar* V() const { return control->VScrollBar(); }

    std::unique_ptr<TForm> form;
    TContentControl* control = nullptr;
};

TEST_F(cxControlScrollBarsTest, TheContentDecidesWhichBarsShowAndWhere) {
    const int hHeight = GetSystemMetrics(SM_CYHSCROLL), vWidth = GetSystemMetrics(SM_CXVSCROLL);
    struct TCase {
        int width, height;
        bool allowHide;
        bool hVisible, hEnabled, vVisible, vEnabled;
    } cases[] = {
        {100, 100, true, false, true, false, true},   // fits: hidden
        {100, 100, false, true, false, true, false},  // fits, may not hide: shown disabled
        {500, 100, true, true, true, false, true},
        {100, 500, true, false, true, true, true},
        {500, 500, true, true, true, true, true},
        // Fits across only while the vertical bar is away: the vertical bar brings the
        // horizontal one.
        {190, 500, true, true, true, true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.allowHide ? "" : " no hide"));
        Show(c.width, c.height, c.allowHide);
        EXPECT_EQ(H()->Visible(), c.hVisible);
        EXPECT_EQ(V()->Visible(), c.vVisible);
        if (c.hVisible) {
            EXPECT_EQ(H()->Enabled(), c.hEnabled);
        }
        if (c.vVisible) {
            EXPECT_EQ(V()->Enabled(), c.vEnabled);
        }
        EXPECT_EQ(control->SizeGrip()->Visible(), c.hVisible && c.vVisible);
        const TRect client = control->ClientRect();
        const TRect bounds = control->ClientBounds();
        EXPECT_EQ(bounds.right, client.right - (c.vVisible ? vWidth : 0));
        EXPECT_EQ(bounds.bottom, client.bottom - (c.hVisible ? hHeight : 0));
        if (c.hVisible) {
            EXPECT_TRUE(SameRect(H()->BoundsRect(), TRect{0, bounds.bottom, bounds.right, client.bottom}));
        }
        if (c.vVisible) {
            EXPECT_TRUE(SameRect(V()->BoundsRect(), TRect{bounds.right, 0, client.right, bounds.bottom}));
        }
        if (c.hVisible && c.vVisible) {
            EXPECT_TRUE(SameRect(control->SizeGrip()->BoundsRect(),
                                 TRect{bounds.right, bounds.bottom, client.right, client.bottom}));
        }
    }
    // The range reaches the bar: a page of the visible width over the whole content.
    Show(500, 100);
    EXPECT_EQ(H()->Max(), 499);
    EXPECT_EQ(H()->PageSize(), 200);
    EXPECT_EQ(H()->LargeChange(), 200);
}

TEST_F(cxControlScrollBarsTest, TheScrollBarsChoiceKeepsOutTheOtherKind) {
    control->SetScrollBars(ssHorizontal);
    Show(500, 500);
    EXPECT_TRUE(H()->Visible());
    EXPECT_FALSE(V()->Visible());
    EXPECT_FALSE(control->SizeGrip()->Visible());
    control->SetScrollBars(ssVertical);
    EXPECT_FALSE(H()->Visible());
    EXPECT_TRUE(V()->Visible());
    control->SetScrollBars(ssNone);
    EXPECT_FALSE(H()->Visible());
    EXPECT_FALSE(V()->Visible());
}

TEST_F(cxControlScrollBarsTest, ContentThatNeedsABarOnlyWhileItIsHiddenEndsStable) {
    // Showing the vertical bar makes the content fit; hiding it makes it overflow again.
    control->script = [](TContentControl* c) { c->Report(100, c->IsVScrollBarVisible() ? 100 : 500); };
    control->RecalcScrollBars();
    EXPECT_LT(control->calculations, 20);
    EXPECT_TRUE(V()->Visible());
    EXPECT_FALSE(V()->Enabled());
    EXPECT_FALSE(H()->Visible());
    // Nothing moves on the next recalculation.
    control->RecalcScrollBars();
    EXPECT_TRUE(V()->Visible());
    EXPECT_FALSE(V()->Enabled());
    EXPECT_FALSE(H()->Visible());
}

TEST_F(cxControlScrollBarsTest, ALockOnlyRecordsTheNeedUntilItIsLifted) {
    Show(100, 100);
    const int before = control->calculations;
    control->LockScrollBars();
    control->contentHeight = 500;
    control->SetBounds(20, 20, 180, 140);
    control->RecalcScrollBars();
    EXPECT_EQ(control->calculations, before);
    EXPECT_TRUE(control->ScrollBarsUpdateNeeded());
    EXPECT_FALSE(V()->Visible());
    control->UnlockScrollBars();
    EXPECT_GT(control->calculations, before);
    EXPECT_FALSE(control->ScrollBarsUpdateNeeded());
    EXPECT_TRUE(V()->Visible());
    EXPECT_EQ(V()->Left(), 180 - V()->Width());
}

TEST_F(cxControlScrollBarsTest, TheWheelScrollsALineStepPerSettingLineOrOnePage) {
    Show(100, 1000);
    control->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    MoveMouseTo(control->ClientToScreen(TPoint{50, 50}));
    Mouse->SetWheelScrollLines(3);
    WheelBy(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return control->steps.size() >= 3; }));
    PumpUntilIdle();
    EXPECT_EQ(control->steps, std::vector<TScrollStep>(3, TScrollStep{sbVertical, scLineDown}));
    control->steps.clear();
    WheelBy(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return control->steps.size() >= 3; }));
    EXPECT_EQ(control->steps, std::vector<TScrollStep>(3, TScrollStep{sbVertical, scLineUp}));

    // Scrolling by pages (the system's WHEEL_PAGESCROLL): a single page step.
    control->steps.clear();
    Mouse->SetWheelScrollLines(-1);
    WheelBy(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return !control->steps.empty(); }));
    PumpUntilIdle();
    EXPECT_EQ(control->steps, (std::vector<TScrollStep>{TScrollStep{sbVertical, scPageDown}}));

    // Without a vertical bar the wheel is left alone.
    Show(100, 100);
    control->steps.clear();
    Mouse->SetWheelScrollLines(3);
    WheelBy(-WHEEL_DELTA);
    PumpUntilIdle();
    EXPECT_TRUE(control->steps.empty());
}

TEST_F(cxControlScrollBarsTest, AClickOnABarScrollsTheContentAndFocusesTheControl) {
    Show(100, 1000);
    auto* other = new TContentControl(form.get());
    other->SetBounds(250, 20, 100, 100);
    other->SetParent(form.get());
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    // The bottom arrow of the vertical bar.
    ClickAt(V()->ClientToScreen(TPoint{V()->Width() / 2, V()->Height() - 3}));
    ASSERT_TRUE(PumpUntil([&] { return !control->steps.empty(); }));
    EXPECT_EQ(control->steps.front(), (TScrollStep{sbVertical, scLineDown}));
    EXPECT_TRUE(control->Focused());
}

TEST_F(cxControlScrollBarsTest, ANonClientMetricsChangeReachesTheControlsAndRelaysTheBars) {
    Show(100, 1000);
    TContentControl* second = NewControl();
    TcxSettingsController* controller = SettingsController();
    ASSERT_NE(controller, nullptr);
    ASSERT_NE(controller->WindowHandle(), nullptr);
    PumpUntilIdle();  // the messages that the windows' own size calculations posted
    control->metricsMessages = second->metricsMessages = 0;

    SendMessageW(controller->WindowHandle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(control->metricsMessages, 1);
    EXPECT_EQ(second->metricsMessages, 1);
    // Another setting is not passed on.
    SendMessageW(controller->WindowHandle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(control->metricsMessages, 1);

    // A bar whose width is no longer the system's takes it back and the bars are placed anew.
    V()->SetWidth(30);
    SendMessageW(controller->WindowHandle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(V()->Width(), GetSystemMetrics(SM_CXVSCROLL));
    const TRect bounds = control->ClientBounds();
    EXPECT_TRUE(SameRect(V()->BoundsRect(), TRect{bounds.right, 0, bounds.right + V()->Width(), bounds.bottom}));

    // A freed control leaves the controller.
    const int listeners = controller->ListenerCount();
    delete second;
    EXPECT_EQ(controller->ListenerCount(), listeners - 1);
}

// ---- the middle-button auto-scroll ---------------------------------------------------------

TEST_F(cxControlScrollBarsTest, AnAutoScrollEndsOnAPostedEscapeAndTakesItsAnchorAway) {
    Show(1000, 1000);
    const TPoint start = control->ClientToScreen(TPoint{100, 70});
    MoveMouseTo(start);
    PumpUntilIdle();
    PostMessageW(control->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    control->StartContentAutoScroll();
    EXPECT_TRUE(control->scrollingWhenKeyed);  // the key came while it ran
    EXPECT_FALSE(control->IsScrollingContent());
    EXPECT_EQ(AutoScrollAnchor(), nullptr);
    EXPECT_NE(GetCapture(), control->Handle());

    // Without a visible bar there is nothing to scroll: it does not start.
    Show(100, 100);
    control->scrollingWhenKeyed = false;
    PostMessageW(control->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    control->StartContentAutoScroll();
    PumpUntilIdle();
    EXPECT_FALSE(control->scrollingWhenKeyed);
}

TEST_F(cxControlScrollBarsTest, AMiddleClickStartsAnAutoScrollThatFollowsThePointerUntilTheNextClick) {
    Show(1000, 1000);
    const TPoint start = control->ClientToScreen(TPoint{100, 70});
    MoveMouseTo(start);
    PumpUntilIdle();
    const HCURSOR neutral = Screen->Cursors(crcxFullScroll), down = Screen->Cursors(crcxDownScroll);
    bool runningAfterClick = false;
    HWND anchor = nullptr;
    HCURSOR afterClick = nullptr, awayCursor = nullptr, backCursor = nullptr;
    size_t stepsWhenBack = 0;
    int waited = 0;
    TTickScript script({
        [&] {
            PressMiddleButton(false);
            return true;
        },  // a click, without moving
        [&] { return ++waited == 4; },
        [&] {
            runningAfterClick = control->IsScrollingContent();
            anchor = AutoScrollAnchor();
            afterClick = GetCursor();
            MoveMouseTo(TPoint{start.x + 3, start.y + 90});
            return true;
        },
        [&] {
            awayCursor = GetCursor();
            return control->steps.size() >= 3 && awayCursor == down;
        },
        [&] {
            MoveMouseTo(TPoint{start.x + 2, start.y + 3});
            return true;
        },
        [&] {
            backCursor = GetCursor();
            stepsWhenBack = control->steps.size();
            return backCursor == neutral;
        },
        [&] {
            PressMiddleButton(true);
            return true;
        },  // the next click ends it
    });
    PressMiddleButton(true);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && !control->IsScrollingContent(); }, 8000));
    PressMiddleButton(false);
    PumpUntilIdle();
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(runningAfterClick);
    EXPECT_NE(anchor, nullptr);
    EXPECT_EQ(afterClick, neutral);
    EXPECT_EQ(awayCursor, down);
    EXPECT_EQ(backCursor, neutral);
    ASSERT_GE(control->steps.size(), 3u);
    for (const TScrollStep& step : control->steps) EXPECT_TRUE(step == (TScrollStep{sbVertical, scLineDown}));
    EXPECT_LE(control->steps.size(), stepsWhenBack + 1);  // none in the neutral zone
    EXPECT_EQ(AutoScrollAnchor(), nullptr);
    EXPECT_FALSE(anchor && IsWindow(anchor));
    EXPECT_NE(GetCapture(), control->Handle());
}

// ---- every painter -------------------------------------------------------------------------

DWORD RgbOfColor(TColor color) {
    const DWORD c = DWORD(ColorToRGB(color));
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct TScrollBarPainterCase {
    const wchar_t* name;
    TcxLookAndFeelKind kind;
    bool native;
};

// One control with both bars and the size grip under each painter, side by side on a form,
// read back from the screen: the grip has the painter's form-content colour and each bar shows
// its parts (more than two colours along it). With the environment variable set to a file name
// the picture is saved there as a BMP (scripts/painter-gallery.sh makes
// docs/control-scrollbars.png that way).
void CheckScrollBarGallery(const std::vector<TScrollBarPainterCase>& painters, const char* galleryVariable) {
    constexpr int kWidth = 150, kHeight = 120, kGap = 8;
    const int count = int(painters.size());
    std::unique_ptr<TForm> gallery(NewShownTestForm(count * (kWidth + kGap) + kGap, kHeight + 2 * kGap));
    std::vector<TContentControl*> controls;
    for (int i = 0; i < count; ++i) {
        auto* c = new TContentControl(gallery.get());
        c->caption = painters[size_t(i)].name;
        c->SetBounds(kGap + i * (kWidth + kGap), kGap, kWidth, kHeight);
        c->SetParent(gallery.get());
        c->LookAndFeel()->SetKind(painters[size_t(i)].kind);
        c->LookAndFeel()->SetNativeStyle(painters[size_t(i)].native);
        c->contentWidth = c->contentHeight = 1000;
        c->RecalcScrollBars();
        controls.push_back(c);
    }
    gallery->Repaint();
    PumpUntilIdle();
    const TRect client = gallery->ClientRect();
    TBitmap shot(RectWidth(client), RectHeight(client), pf32bit);
    HDC dc = GetDC(gallery->Handle());
    BitBlt(shot.Canvas()->Handle(), 0, 0, RectWidth(client), RectHeight(client), dc, 0, 0, SRCCOPY);
    ReleaseDC(gallery->Handle(), dc);

    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << UTF8Encode(painters[size_t(i)].name).c_str());
        TContentControl* c = controls[size_t(i)];
        ASSERT_TRUE(c->HScrollBar()->Visible() && c->VScrollBar()->Visible() && c->SizeGrip()->Visible());
        const TRect grip = c->SizeGrip()->BoundsRect();
        const int gx = c->Left() + (grip.left + grip.right) / 2, gy = c->Top() + (grip.top + grip.bottom) / 2;
        EXPECT_EQ(At(&shot, gx, gy), RgbOfColor(c->LookAndFeel()->ActivePainter()->FormContentColor()));
        for (TcxControlScrollBar* bar : {c->HScrollBar(), c->VScrollBar()}) {
            const TRect r = bar->BoundsRect();
            std::vector<DWORD> seen;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    const DWORD pixel = At(&shot, c->Left() + x, c->Top() + y);
                    if (std::find(seen.begin(), seen.end(), pixel) == seen.end()) seen.push_back(pixel);
                }
            EXPECT_GE(seen.size(), 3u) << (bar == c->HScrollBar() ? "horizontal" : "vertical");
        }
    }
    if (const char* file = std::getenv(galleryVariable)) shot.SaveToFile(UTF8ToString(file));
}

TEST_F(cxControlScrollBarsTest, EveryPainterDrawsTheBarsAndTheSizeGrip) {
    CheckScrollBarGallery({{L"Standard", lfStandard, false},
                           {L"Flat", lfFlat, false},
                           {L"Ultra-flat", lfUltraFlat, false},
                           {L"Office 11", lfOffice11, false},
                           {L"Native (off)", lfStandard, true}},
                          "ZARNIK_CONTROL_GALLERY");
}

// Under Wine's light theme the native painter, and the Office-style one through it, draw the
// bars with the theme's parts.
using cxControlScrollBarsThemed = cxControlScrollBarsTest;

TEST_F(cxControlScrollBarsThemed, NativeAndOffice11BarsUnderTheLightTheme) {
    if (!AreThemesAvailable()) {
        if (std::getenv("ZARNIK_EXPECT_THEMES")) FAIL() << "the themed run found visual styles off";
        GTEST_SKIP() << "visual styles are off";
    }
    CheckScrollBarGallery({{L"Native", lfStandard, true}, {L"Office 11", lfOffice11, false}},
                          "ZARNIK_CONTROL_GALLERY_THEMED");
}

}  // namespace
