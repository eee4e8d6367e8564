// The bar library's process-wide services: the nearest element in a direction, shortcuts from
// key messages, view levels, DPI scaling, manager and form lookups, the pending-message helpers
// and alpha blending of windows, text helpers.

#include "BarTestSupport.h"

#include "Application.h"
#include "Panel.h"
#include "Screen.h"
#include "cxAccessibility.h"
#include "cxPopupWindowRelations.h"
#include "dxBarLookups.h"
#include "dxBarNavigationSearch.h"
#include "dxBarTextHelpers.h"
#include "dxBarUnit.h"
#include "dxBarViewLevels.h"
#include "dxBarWindowHelpers.h"

namespace {

// An element with fixed screen bounds.
class TBoundsHelper : public TcxAccessibilityHelper {
public:
    TBoundsHelper(const char* name, RECT bounds) : TcxAccessibilityHelper(nullptr), name_(name), bounds_(bounds) {}
    RECT GetScreenBounds(Integer) override { return bounds_; }
    const char* Name() const { return name_; }

private:
    const char* name_;
    RECT bounds_;
};

TEST(BarServices, TheNearestElementInADirection) {
    TBoundsHelper source("source", {100, 100, 120, 120});
    TBoundsHelper right("right", {130, 100, 150, 120});
    TBoundsHelper rightLow("right low", {125, 150, 145, 170});  // nearer, but far off the line
    TBoundsHelper rightFar("right far", {200, 100, 220, 120});
    TBoundsHelper above("above", {100, 40, 120, 60});
    TBoundsHelper aboveLeft("above left", {60, 60, 80, 80});
    TBoundsHelper below("below", {100, 140, 120, 160});
    TBoundsHelper left1("left 1", {10, 90, 30, 110});
    TBoundsHelper left2("left 2", {10, 100, 30, 120});  // same left edge, centre at the source's height
    std::vector<TcxAccessibilityHelper*> all{&right, &rightLow, &rightFar, &above, &aboveLeft, &below};
    std::vector<TcxAccessibilityHelper*> onlyLeft{&left1, &left2};
    struct Case {
        const char* what;
        const std::vector<TcxAccessibilityHelper*>* candidates;
        int direction;
        bool wrap;
        const char* expected;  // nullptr: none
    } cases[] = {
        {"right: the smallest gap", &all, 2, false, "right low"},
        {"up: the smallest gap", &all, 1, false, "above left"},
        {"down", &all, 3, false, "below"},
        {"left: any candidate on that side, above or not", &all, 0, false, "above left"},
        {"right without wrap: nothing", &onlyLeft, 2, false, nullptr},
        {"right with wrap: the smallest left edge, nearest the height", &onlyLeft, 2, true, "left 2"},
        {"up with wrap: no wrap for up", &onlyLeft, 1, true, nullptr},
        {"previous (4) and next (5) find nothing", &all, 4, true, nullptr},
        {"", &all, 5, true, nullptr},
    };
    for (const Case& c : cases) {
        auto* found = static_cast<TBoundsHelper*>(FindNearestInDirection(&source, *c.candidates, c.direction, c.wrap));
        std::string name = found ? found->Name() : "none";
        std::string expected = c.expected ? c.expected : "none";
        EXPECT_EQ(name, expected) << c.what;
    }
    // Equal gaps: the one nearer the line of the direction.
    TBoundsHelper upLeft("up left", {90, 70, 100, 80}), upRight("up right", {105, 70, 115, 80});
    std::vector<TcxAccessibilityHelper*> level{&upLeft, &upRight};
    EXPECT_EQ(FindNearestInDirection(&source, level, 1, false), &upRight);
}

// Holds the given keys down in the thread's keyboard state for a scope.
class TKeysDown {
public:
    explicit TKeysDown(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof(state));
        for (int key : keys) state[key] |= 0x80;
        SetKeyboardState(state);
    }
    ~TKeysDown() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

TEST(BarServices, AShortcutFromAKeyMessage) {
    struct Case {
        std::initializer_list<int> held;
        Word key;
        LPARAM keyData;
        TShortCut expected;
    } cases[] = {
        {{VK_CONTROL}, 'A', 0, 0x4041}, {{VK_CONTROL}, 'A', 0x20000000, 0xC041},  {{VK_SHIFT}, VK_F5, 0, 0x2074},
        {{}, 'A', 0x20000000, 0x8041},  {{VK_CONTROL, VK_SHIFT}, 'S', 0, 0x6053}, {{VK_CONTROL}, 0, 0x20000000, 0},
    };
    for (const Case& c : cases) {
        TKeysDown keys(c.held);
        EXPECT_EQ(ShortCutFromKeyMessage(c.key, c.keyData), c.expected) << c.key;
    }
}

TEST(BarServices, ViewLevels) {
    using L = TdxBarItemViewLevels;
    EXPECT_EQ(GetFirstViewLevel(L{}), ivlDefault);
    EXPECT_EQ(GetFirstViewLevel(L{ivlSmallIcon, ivlControlOnly}), ivlSmallIcon);
    EXPECT_EQ(GetLastViewLevel(L{}), 255);
    EXPECT_EQ(GetLastViewLevel(L{ivlLargeIconWithText, ivlSmallIcon}), ivlSmallIcon);
    L zeroAndTwo{ivlLargeIconWithText, ivlSmallIcon};
    EXPECT_EQ(GetNextViewLevel(zeroAndTwo, 0), 2);
    EXPECT_EQ(GetNextViewLevel(zeroAndTwo, 2), 4);
    EXPECT_EQ(GetNextViewLevel(zeroAndTwo, 3), 4);
    EXPECT_EQ(GetNextViewLevel(zeroAndTwo, 4), 5);
}

TEST(BarServices, SizesScaleToTheScreensDensityRoundingHalvesToEven) {
    int saved = Screen->PixelsPerInch();
    struct Case {
        int dpi, value, expected;
    } cases[] = {{96, 16, 16}, {120, 16, 20}, {144, 16, 24}, {120, 10, 12}, {120, 30, 38}, {144, 3, 4}, {144, 5, 8}};
    for (const Case& c : cases) {
        Screen->SetPixelsPerInch(c.dpi);
        EXPECT_EQ(ScaleToScreenDPI(c.value, 96), c.expected) << c.dpi << " " << c.value;
    }
    Screen->SetPixelsPerInch(saved);
}

using BarLookups = BarTest;

TEST_F(BarLookups, TheManagerOfAComponent) {
    EXPECT_EQ(ResolveBarManager(manager), manager);
    EXPECT_EQ(ResolveBarManager(form.get()), manager);
    EXPECT_EQ(ResolveBarManager(nullptr), nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    EXPECT_EQ(ResolveBarManager(panel), nullptr);
    EXPECT_EQ(FindWinControlOwner(manager), form.get());
    form->HandleNeeded();
    panel->HandleNeeded();
    EXPECT_EQ(FindBarManagerByWindow(form->Handle()), manager);
    EXPECT_EQ(FindBarManagerOfComponent(panel), manager);  // through the parent window
    EXPECT_TRUE(IsOwnerWindowOf(manager, form->Handle()));
    EXPECT_FALSE(IsOwnerWindowOf(manager, panel->Handle()));
    EXPECT_TRUE(IsControlInManagerOwner(manager, panel));
}

class TMdiFrame : public TForm {
    Z_CLASS(TMdiFrame, TForm)
public:
    explicit TMdiFrame(TComponent* o) : TForm(o, CreateNew) { SetFormStyle(fsMDIForm); }
};

class TMdiChild : public TForm {
    Z_CLASS(TMdiChild, TForm)
public:
    explicit TMdiChild(TComponent* o) : TForm(o, CreateNew) { SetFormStyle(fsMDIChild); }
};

TEST_F(BarLookups, TheFormOfAControlByKindOnAnMDIChild) {
    auto* frame = static_cast<TMdiFrame*>(Application->CreateForm(TMdiFrame::StaticClass()));
    frame->Show();
    auto* child = new TMdiChild(frame);
    child->Show();
    auto* panel = new TPanel(child);
    panel->SetParent(child);
    EXPECT_EQ(GetControlFormOfKind(panel, dxBarFormOutermost), frame);
    EXPECT_EQ(GetControlFormOfKind(panel, dxBarFormMDIChildOrOutermost), child);
    EXPECT_EQ(GetControlFormOfKind(panel, dxBarFormFirst), child);
    EXPECT_EQ(GetControlFormOfKind(nullptr, dxBarFormFirst), nullptr);
    auto* childManager = new TdxBarManager(child);
    EXPECT_EQ(childManager->GetMainForm(), frame);
    EXPECT_EQ(childManager->GetMDIOrMainForm(), child);
    EXPECT_EQ(FindManagerForm(childManager), child);
    FreeObject(frame);
}

// A window that never validates: its WM_PAINT does nothing.
LRESULT CALLBACK NeverValidatingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND NewNeverValidatingWindow(int* paintCount) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &NeverValidatingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZarnikNeverValidating";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(paintCount));
    return window;
}

TEST(BarServices, AWindowThatNeverValidatesIsPaintedOncePerCall) {
    int paints = 0;
    HWND window = NewNeverValidatingWindow(&paints);
    InvalidateRect(window, nullptr, FALSE);
    DispatchPendingPaintMessages();
    EXPECT_EQ(paints, 1);
    DispatchPendingPaintMessages();
    EXPECT_EQ(paints, 2);
    ValidateRect(window, nullptr);
    DestroyWindow(window);
}

// A window that counts its paints and validates like any other.
LRESULT CALLBACK CountingPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(BarServices, AWindowThatNeverValidatesDoesNotKeepOthersFromPainting) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CountingPaintProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZarnikCountingPaint";
    RegisterClassW(&wc);
    int ordinaryPaints = 0, childPaints = 0, stuckPaints = 0;
    // The ordinary window first, so that the one that never validates lies above it and its
    // paint is the one the queue offers first.
    HWND ordinary = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 60, 0, 50, 50, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    SetWindowLongPtrW(ordinary, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ordinaryPaints));
    HWND child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, ordinary, nullptr,
                                 wc.hInstance, nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&childPaints));
    HWND stuck = NewNeverValidatingWindow(&stuckPaints);
    ValidateRect(ordinary, nullptr);
    ValidateRect(child, nullptr);
    InvalidateRect(stuck, nullptr, FALSE);
    InvalidateRect(ordinary, nullptr, FALSE);
    InvalidateRect(child, nullptr, FALSE);
    DispatchPendingPaintMessages();
    EXPECT_EQ(stuckPaints, 1);
    EXPECT_EQ(ordinaryPaints, 1);
    EXPECT_EQ(childPaints, 1);
    ValidateRect(stuck, nullptr);
    DestroyWindow(stuck);
    DestroyWindow(ordinary);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST(BarServices, TheDispatchHelpersPostAQuitAgain) {
    int paints = 0;
    HWND window = NewNeverValidatingWindow(&paints);
    for (int pass = 0; pass < 2; ++pass) {
        InvalidateRect(window, nullptr, FALSE);
        PostMessageW(window, WM_MOUSEMOVE, 0, 0);
        PostQuitMessage(40 + pass);
        if (pass == 0)
            DispatchPendingPaintMessages();
        else
            DispatchPendingMouseMessages();
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << pass;
        EXPECT_EQ(msg.wParam, WPARAM(40 + pass)) << pass;
    }
    ValidateRect(window, nullptr);  // first: a window left invalid would answer every peek
    MSG msg;
    while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {}
    DestroyWindow(window);
}

TEST(BarServices, AlphaBlendingMakesAWindowLayeredAndBack) {
    int paints = 0;
    HWND window = NewNeverValidatingWindow(&paints);
    auto layered = [&] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    SetWindowAlphaBlend(window, 255);
    EXPECT_FALSE(layered());
    SetWindowAlphaBlend(window, 128);
    ASSERT_TRUE(layered());
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
    SetWindowAlphaBlend(window, 255);
    EXPECT_FALSE(layered());
    // Without the system's function nothing happens.
    TSetLayeredWindowAttributesProc bound = SetSetLayeredWindowAttributesProc(nullptr);
    SetWindowAlphaBlend(window, 100);
    EXPECT_FALSE(layered());
    SetSetLayeredWindowAttributesProc(bound);
    ValidateRect(window, nullptr);
    DestroyWindow(window);
}

TEST(BarServices, MouseButtonMessagesAndPrintableKeys) {
    for (UINT m : {WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCLBUTTONDBLCLK})
        EXPECT_TRUE(IsMouseButtonDownMessage(m)) << m;
    for (UINT m : {WM_LBUTTONUP, WM_MOUSEMOVE, WM_NCRBUTTONUP, WM_KEYDOWN})
        EXPECT_FALSE(IsMouseButtonDownMessage(m)) << m;
    EXPECT_TRUE(KeyHasPrintableChar('A'));
    EXPECT_TRUE(KeyHasPrintableChar('7'));
    EXPECT_FALSE(KeyHasPrintableChar(VK_SPACE));
    EXPECT_FALSE(KeyHasPrintableChar(VK_F1));
    EXPECT_FALSE(KeyHasPrintableChar(VK_RETURN));
}

TEST(BarServices, CaptionsAcceleratorsAndShortcutSuffixes) {
    EXPECT_EQ(StripCaptionAmpersands(L"&Save && E&xit"), L"Save & Exit");
    struct Case {
        const wchar_t* caption;
        bool remove;
        int position;
        const wchar_t* after;
    } cases[] = {
        {L"&Open", false, 2, L"&Open"},
        {L"&Open", true, 1, L"Open"},
        {L"Save && E&xit", false, 11, L"Save && E&xit"},
        {L"Save && E&xit", true, 9, L"Save & Exit"},
        {L"No accel", true, 0, L"No accel"},
        {L"Tail&", true, 0, L"Tail"},
    };
    for (const Case& c : cases) {
        String caption = c.caption;
        EXPECT_EQ(FindAccelCharPos(caption, c.remove), c.position) << Utf8(c.caption);
        EXPECT_EQ(caption, c.after) << Utf8(c.caption);
    }
    EXPECT_EQ(FormatShortCutSuffix(0x4053), L" (Ctrl+S)");
    EXPECT_EQ(FormatShortCutSuffix(0), L"");
    EXPECT_EQ(EnumToStringArray<TdxBarItemAlign>(),
              (std::vector<String>{L"iaLeft", L"iaCenter", L"iaRight", L"iaClient"}));
    EXPECT_EQ(SetTypeToStringArray<TdxBarItemViewLevels>().size(), 4u);
}

using BarWindows = BarTest;

TEST_F(BarWindows, TheWindowUnderAPointAndTheControlOfAWindow) {
    std::unique_ptr<TForm> shown(NewShownForm(200, 150));
    auto* panel = new TPanel(shown.get());
    panel->SetBounds(20, 20, 100, 80);
    panel->SetParent(shown.get());
    auto* inner = new TPanel(shown.get());
    inner->SetBounds(10, 10, 30, 30);
    inner->SetParent(panel);
    ASSERT_TRUE(PumpUntilIdle());
    TPoint screen = inner->ClientToScreen(TPoint{5, 5});
    EXPECT_EQ(FindWindowAtScreenPoint(POINT{screen.x, screen.y}), inner->Handle());
    EXPECT_EQ(FindDeepestChildAt(shown->Handle(), POINT{35, 35}), inner->Handle());
    EXPECT_EQ(FindWindowedParentControl(inner->Handle()), inner);
    EXPECT_EQ(FindControlUpChain(inner->Handle()), inner);
    EXPECT_TRUE(IsWindowOwnedBy(inner->Handle(), shown->Handle()));
    EXPECT_FALSE(IsForeignProcessWindow(inner->Handle()));
    EXPECT_TRUE(IsForeignProcessWindow(nullptr));
    EXPECT_TRUE(IsControlShowing(inner));
    EXPECT_TRUE(IsControlInActiveWindow(inner));
    EXPECT_EQ(GetActiveFormOrMDIChild(), shown.get());
}

}  // namespace
