// Real drop-down popups under the test display: an owner control on a form, its popup shown
// below it, and the popup hooks deciding what closes. Activation changes are driven by sending
// the messages, clicks mostly by giving the mouse hook what Windows would, once with real input.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "CustomControl.h"
#include "SysExceptions.h"
#include "WindowTesting.h"
#include "cxCustomPopupWindow.h"
#include "cxPopupHooks.h"
#include "cxPopupWindowRelations.h"

namespace {

// A plain windowed control that counts the mouse presses it receives.
class TPopupTestControl : public TCustomControl {
    Z_CLASS(TPopupTestControl, TCustomControl)
public:
    explicit TPopupTestControl(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    int presses = 0;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        ++presses;
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(clSilver);
        Canvas()->FillRect(ClientRect());
    }
};

// A popup of a fixed size whose frame follows its style, that may claim owner clicks.
class TTestPopup : public TcxCustomPopupWindow {
    Z_CLASS(TTestPopup, TcxCustomPopupWindow)
public:
    explicit TTestPopup(TWinControl* owner) : TcxCustomPopupWindow(owner) {
        SetAdjustable(false);
        SetBounds(0, 0, 150, 90);
        OnShowing = MakeEvent(this, &TTestPopup::Showing);
    }
    bool claimsOwnerClicks = false;
    std::vector<std::string> events;

    bool IgnoresMouseMessage(HWND window, UINT, TPoint, TShiftState) override {
        return claimsOwnerClicks && OwnerControl() && window == OwnerControl()->WindowHandle();
    }
    void PressKey(Word& key) { KeyDown(key, {}); }

protected:
    void DoShown() override {
        events.push_back("shown");
        TcxCustomPopupWindow::DoShown();
    }
    void DoClosed() override {
        events.push_back("closed");
        TcxCustomPopupWindow::DoClosed();
    }

private:
    // The view info as a drop-down computes it: the frame of the style around the client area.
    void Showing(TObject*) {
        events.push_back("showing");
        TcxContainerViewInfo* v = ViewInfo();
        const TcxContainerBorderStyle border = Style()->BorderStyle();
        v->BorderStyle = border;
        v->BorderWidth = border == cbsNone ? 0 : (border == cbsFlat || border == cbs3D || border == cbsThick) ? 2 : 1;
        v->BorderColor = Style()->BorderColor();
        v->BackgroundColor = Style()->Color();
        v->Edges = Style()->Edges();
        v->Bounds = TRect{0, 0, Width(), Height()};
        const int w = v->BorderWidth;
        v->BorderRect = TRect{w, w, Width() - w, Height() - w};
        v->ClientRect = v->BorderRect;
    }
};

class PopupWindows : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = NewShownForm(400, 300);
        owner = MakeControl(form, 20, 20, 120, 24);
        target = MakeControl(form, 250, 200, 100, 60);
        form->FocusControl(owner);
    }
    void TearDown() override {
        popups.clear();
        delete form;
        EXPECT_EQ(ShownPopupCount(), 0);
        WindowTest::TearDown();
    }

    TPopupTestControl* MakeControl(TWinControl* parent, int x, int y, int w, int h) {
        auto* control = new TPopupTestControl(parent);
        control->SetParent(parent);
        control->SetBounds(x, y, w, h);
        return control;
    }
    // A popup shown below its owner; the owner's form (or popup) owns it.
    TTestPopup* NewPopup(TWinControl* popupOwner, bool captureFocus) {
        auto* popup = new TTestPopup(popupOwner);
        popup->SetCaptureFocus(captureFocus);
        popup->SetModalMode(false);
        popup->SetOwnerParent(popupOwner->Parent());
        popup->SetOwnerBounds(popupOwner->BoundsRect());
        popups.push_back(popup);
        return popup;
    }
    void Show(TTestPopup* popup) {
        popup->ShowPopup(nullptr);
        ASSERT_TRUE(PumpUntil([&] { return popup->IsShown() && IsWindowVisible(popup->WindowHandle()); }));
    }
    static TPoint CenterOf(TWinControl* control) {
        RECT r;
        GetWindowRect(control->Handle(), &r);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // What the mouse hook does for a press of the given kind on the window: true when it lets
    // the press through.
    static bool Press(HWND window, TPoint point, UINT message = WM_LBUTTONDOWN) {
        MOUSEHOOKSTRUCT mouse{};
        mouse.pt = POINT{point.x, point.y};
        mouse.hwnd = window;
        return PopupMouseHook(HC_ACTION, message, reinterpret_cast<LPARAM>(&mouse)) != 1;
    }

    TForm* form = nullptr;
    TPopupTestControl* owner = nullptr;
    TPopupTestControl* target = nullptr;
    std::vector<TTestPopup*> popups;  // freed with their owners
};

TEST_F(PopupWindows, ShowPopupPlacesShowsAndFocuses) {
    TTestPopup* popup = NewPopup(owner, true);
    TPopupTestControl* inner = MakeControl(popup, 10, 10, 60, 20);
    Show(popup);
    EXPECT_EQ(ShownPopupCount(), 1);
    EXPECT_TRUE(IsActivePopup(popup));
    RECT ownerRect, popupRect;
    GetWindowRect(owner->Handle(), &ownerRect);
    GetWindowRect(popup->Handle(), &popupRect);
    EXPECT_EQ(popupRect.left, ownerRect.left);
    EXPECT_EQ(popupRect.top, ownerRect.bottom);
    EXPECT_EQ(popupRect.right - popupRect.left, 150);
    // The first tab stop of the popup takes the focus.
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == inner->Handle(); }));
    EXPECT_TRUE(popup->Focused());
    EXPECT_EQ(popup->events, (std::vector<std::string>{"showing", "shown"}));
    // A real popup owned by the owner's form.
    EXPECT_EQ(GetWindowLongW(popup->Handle(), GWL_STYLE) & (WS_POPUP | WS_CHILD), LONG(WS_POPUP));
    EXPECT_EQ(GetWindow(popup->Handle(), GW_OWNER), form->Handle());
    popup->ShowPopup(nullptr);  // already shown: nothing
    EXPECT_EQ(popup->events.size(), 2u);
    popup->ClosePopup();
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
    EXPECT_EQ(ShownPopupCount(), 0);
    popup->ClosePopup();  // not shown: nothing
    EXPECT_EQ(popup->events, (std::vector<std::string>{"showing", "shown", "closed"}));
}

TEST_F(PopupWindows, APopupWithoutFocusCaptureIsAToolWindowThatLeavesTheFocus) {
    TTestPopup* popup = NewPopup(owner, false);
    popup->ShowPopup(owner);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(popup->Handle()); }));
    const LONG style = GetWindowLongW(popup->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(GetWindowLongW(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetAncestor(popup->Handle(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetFocus(), owner->Handle());  // the given control keeps it
    EXPECT_FALSE(popup->Focused());
}

TEST_F(PopupWindows, AClickOutsideClosesThePopupAndPasses) {
    for (bool captureFocus : {true, false}) {
        TTestPopup* popup = NewPopup(owner, captureFocus);
        Show(popup);
        if (captureFocus) ASSERT_TRUE(PumpUntil([&] { return popup->Active(); }));
        EXPECT_TRUE(Press(popup->Handle(), CenterOf(popup))) << captureFocus;  // inside: nothing
        EXPECT_TRUE(popup->IsShown()) << captureFocus;
        EXPECT_TRUE(Press(target->Handle(), CenterOf(target))) << captureFocus;
        EXPECT_FALSE(popup->IsShown()) << captureFocus;
        EXPECT_FALSE(popup->ConsumeClosedByOwnerClick()) << captureFocus;
    }
}

TEST_F(PopupWindows, OwnerClicksAreEatenOnlyWhenThePopupClaimsThem) {
    for (bool claims : {false, true}) {
        TTestPopup* popup = NewPopup(owner, false);
        popup->claimsOwnerClicks = claims;
        Show(popup);
        EXPECT_EQ(Press(owner->Handle(), CenterOf(owner)), !claims) << claims;
        EXPECT_FALSE(popup->IsShown()) << claims;
        EXPECT_EQ(popup->ConsumeClosedByOwnerClick(), claims) << claims;
        EXPECT_FALSE(popup->ConsumeClosedByOwnerClick()) << claims;
    }
    // A right click on the owner is an outside click like any other.
    TTestPopup* popup = NewPopup(owner, false);
    popup->claimsOwnerClicks = true;
    Show(popup);
    EXPECT_FALSE(Press(owner->Handle(), CenterOf(owner), WM_RBUTTONDOWN));  // claimed by IgnoresMouseMessage
    EXPECT_FALSE(popup->IsShown());
    EXPECT_FALSE(popup->ConsumeClosedByOwnerClick());
}

TEST_F(PopupWindows, HidingTheOwnerClosesItsPopupAndThoseShownAfterIt) {
    TTestPopup* popup = NewPopup(owner, false);
    TPopupTestControl* onPopup = MakeControl(popup, 10, 10, 60, 20);
    TTestPopup* nested = NewPopup(onPopup, false);
    Show(popup);
    Show(nested);
    // A click inside the nested popup belongs to the chain: nothing closes.
    EXPECT_TRUE(Press(nested->Handle(), CenterOf(nested)));
    EXPECT_EQ(ShownPopupCount(), 2);
    EXPECT_TRUE(IsRelatedWindow(popup, nested->Handle(), true));
    EXPECT_TRUE(IsRelatedWindow(owner, nested->Handle(), true));
    EXPECT_FALSE(IsRelatedWindow(owner, nested->Handle(), false));
    EXPECT_TRUE(IsInsideOwnerForm(target, nested->Handle()));
    nested->ClosePopup();
    popup->ClosePopup();

    // The window of the owner hidden: its popup and the one opened from it go, an earlier one stays.
    TTestPopup* earlier = NewPopup(target, false);
    Show(earlier);
    Show(popup);
    Show(nested);
    ShowWindow(owner->Handle(), SW_HIDE);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_FALSE(nested->IsShown());
    EXPECT_TRUE(earlier->IsShown());
    EXPECT_EQ(nested->events.back(), "closed");
    ShowWindow(owner->Handle(), SW_SHOW);

    // The owner control made invisible: its window moves out of sight and the popup closes.
    Show(popup);
    owner->SetVisible(false);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_TRUE(earlier->IsShown());
}

TEST_F(PopupWindows, DeactivatingTheApplicationClosesAllButActiveFocusPopups) {
    TTestPopup* toolPopup = NewPopup(target, false);
    TTestPopup* focusPopup = NewPopup(owner, true);
    Show(toolPopup);
    Show(focusPopup);
    ASSERT_TRUE(PumpUntil([&] { return focusPopup->Active(); }));
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(toolPopup->IsShown());
    EXPECT_TRUE(focusPopup->IsShown());
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, TRUE, 0);  // activating closes nothing
    EXPECT_TRUE(focusPopup->IsShown());
}

TEST_F(PopupWindows, AltKeysAreDroppedUnlessThePopupHandlesThem) {
    struct Case {
        const char* what;
        bool captureFocus, modal;
        WPARAM key;
        UINT result;
    } cases[] = {
        {"Alt+X, tool popup", false, false, 'X', WM_NULL},
        {"Alt+Down, tool popup", false, false, VK_DOWN, WM_SYSKEYDOWN},
        {"Alt+F4, tool popup", false, false, VK_F4, WM_SYSKEYDOWN},
        {"Alt+X, modeless focus popup", true, false, 'X', WM_NULL},
        {"Alt+X, modal focus popup", true, true, 'X', WM_SYSKEYDOWN},
    };
    for (const Case& c : cases) {
        TTestPopup* popup = NewPopup(owner, c.captureFocus);
        Show(popup);
        popup->SetModalMode(c.modal);  // as a modal popup would be while its loop runs
        MSG message{};
        message.hwnd = popup->Handle();
        message.message = WM_SYSKEYDOWN;
        message.wParam = c.key;
        PopupGetMessageHook(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&message));
        EXPECT_EQ(message.message, c.result) << c.what;
        message.message = WM_SYSKEYDOWN;
        PopupGetMessageHook(HC_ACTION, PM_NOREMOVE, reinterpret_cast<LPARAM>(&message));  // only a peek
        EXPECT_EQ(message.message, UINT(WM_SYSKEYDOWN)) << c.what;
        popup->ClosePopup();
    }
}

TEST_F(PopupWindows, EscapeWithTheMouseCapturedOnlyReleasesTheCapture) {
    TTestPopup* popup = NewPopup(owner, true);
    Show(popup);
    SetCapture(popup->Handle());
    Word key = VK_ESCAPE;
    popup->PressKey(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(popup->IsShown());
    key = VK_ESCAPE;
    popup->PressKey(key);  // without the capture the key goes on
    EXPECT_EQ(key, VK_ESCAPE);
}

TEST_F(PopupWindows, AModalPopupKeepsItsCallerUntilItCloses) {
    TTestPopup* popup = NewPopup(owner, true);
    popup->SetModalMode(true);
    bool closedBeforeReturn = false;
    struct TPoster {
        TTestPopup* popup;
        void Shown(TObject*, int) { PostMessageW(popup->Handle(), CM_CLOSEPOPUPFOCUSOWNER, 0, 0); }
    } poster{popup};
    popup->OnShown = MakeEvent(&poster, &TPoster::Shown);
    popup->ShowPopup(nullptr);
    closedBeforeReturn = !popup->events.empty() && popup->events.back() == "closed";
    EXPECT_TRUE(closedBeforeReturn);
    EXPECT_FALSE(popup->IsShown());

    // A modal result set while the loop runs closes it too.
    struct TResult {
        TTestPopup* popup;
        void Shown(TObject*, int) { popup->SetModalResult(mrOk); }
    } result{popup};
    popup->events.clear();
    popup->OnShown = MakeEvent(&result, &TResult::Shown);
    popup->ShowPopup(nullptr);
    EXPECT_EQ(popup->events.back(), "closed");
}

TEST_F(PopupWindows, DestroyingAShownPopupTakesItOutOfTheList) {
    TTestPopup* popup = NewPopup(owner, false);
    Show(popup);
    delete popup;
    popups.clear();
    EXPECT_EQ(ShownPopupCount(), 0);
}

TEST_F(PopupWindows, TheListRefusesTwiceAndAbsentPopups) {
    TTestPopup* popup = NewPopup(owner, false);
    Show(popup);
    try {
        AddShownPopup(popup);
        ADD_FAILURE() << "added twice";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message().substr(0, 17), L"Assertion failure");
    }
    popup->ClosePopup();
    EXPECT_THROW(RemoveShownPopup(popup), EAssertionFailed);
    EXPECT_THROW(AddShownPopup(nullptr), EAssertionFailed);
    EXPECT_THROW(InstallPopupHooks(), EAssertionFailed);  // they are installed at start-up
}

TEST_F(PopupWindows, ARealClickOutsideClosesThePopupAndLandsOnItsTarget) {
    TTestPopup* popup = NewPopup(owner, true);
    Show(popup);
    ASSERT_TRUE(PumpUntil([&] { return popup->Active(); }));
    ClickAt(CenterOf(target));
    EXPECT_TRUE(PumpUntil([&] { return !popup->IsShown() && target->presses == 1; }));
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
}

TEST_F(PopupWindows, WindowUtilities) {
    // Pending messages of a range are dropped, one or all.
    HWND window = form->Handle();
    for (int i = 0; i < 3; ++i) PostMessageW(window, WM_USER + 5, 0, 0);
    EXPECT_TRUE(DropWindowMessages(window, WM_USER + 5, WM_USER + 5, false));
    MSG m;
    EXPECT_TRUE(PeekMessageW(&m, window, WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
    EXPECT_TRUE(DropWindowMessages(window, WM_USER + 5, WM_USER + 5, true));
    EXPECT_FALSE(DropWindowMessages(window, WM_USER + 5, WM_USER + 5, true));

    std::vector<HWND> disabled;
    DisableWindowRemembering(disabled, owner->Handle());
    DisableWindowRemembering(disabled, owner->Handle());  // already disabled: not again
    EXPECT_EQ(disabled.size(), 1u);
    EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
    ReenableWindows(&disabled);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    ReenableWindows(nullptr);

    EXPECT_EQ(FirstNonChildAncestor(owner->Handle()), form->Handle());
    EXPECT_TRUE(SameTextByLocale(L"Строка", L"СТРОКА", false));
    EXPECT_FALSE(SameTextByLocale(L"abc", L"abd", true));
    EXPECT_TRUE(SameTextByLocale(L"abc", L"abc", true));
}

// The frame styles of a popup as the user sees them: a form with an owner control and its
// popup below it, once per style. The popup's own window is read back, so the frame is what
// the popup painted. With ZARNIK_POPUP_GALLERY set to a file name the screen area is saved there
// as a BMP (scripts/popup-gallery.sh makes docs/popups.png from it).
TEST_F(PopupWindows, FrameStylesOnScreen) {
    form->SetBounds(0, 0, 600, 220);
    owner->SetBounds(20, 20, 120, 24);
    target->SetVisible(false);
    struct Style {
        TcxContainerBorderStyle border;
        int x;
        TColor outer, inner;  // the left side's outer and inner frame pixels
    } styles[] = {{cbsSingle, 20, clWindowFrame, clBtnFace}, {cbsFlat, 210, clBtnShadow, clBtnFace},
                  {cbs3D, 400, clBtnShadow, cl3DDkShadow}};
    std::vector<TTestPopup*> shown;
    for (const Style& s : styles) {
        TPopupTestControl* anchor = s.x == 20 ? owner : MakeControl(form, s.x, 20, 120, 24);
        TTestPopup* popup = NewPopup(anchor, false);
        popup->Style()->SetBorderStyle(s.border);  // the other values are the style's defaults
        Show(popup);
        shown.push_back(popup);
    }
    for (TTestPopup* popup : shown) popup->Update();
    PumpUntilIdle();
    HDC screen = GetDC(nullptr);
    for (size_t i = 0; i < shown.size(); ++i) {
        RECT r;
        GetWindowRect(shown[i]->Handle(), &r);
        const int midY = (r.top + r.bottom) / 2;
        EXPECT_EQ(GetPixel(screen, r.left, midY), COLORREF(ColorToRGB(styles[i].outer))) << i;
        EXPECT_EQ(GetPixel(screen, r.left + 1, midY), COLORREF(ColorToRGB(styles[i].inner))) << i;
        EXPECT_EQ(GetPixel(screen, (r.left + r.right) / 2, midY), COLORREF(ColorToRGB(clBtnFace))) << i;
    }
    if (const char* file = std::getenv("ZARNIK_POPUP_GALLERY")) {
        const TPoint origin = form->ClientToScreen(TPoint{0, 0});
        TBitmap picture(form->ClientWidth(), form->ClientHeight(), pf24bit);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y,
               SRCCOPY);
        picture.SaveToFile(String(file, file + std::string(file).size()));
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
