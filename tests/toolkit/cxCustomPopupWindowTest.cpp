// Real drop-down popups under the test display: an owner control on a form, its popup shown
// below it, and the popup hooks deciding what closes. Activation changes are driven by sending
// the messages, clicks mostly by giving the mouse hook what Windows would, once with real input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
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
    String caption;  // shown centred, for the screenshot

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        ++presses;
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(clSilver);
        Canvas()->FillRect(ClientRect());
        if (caption.empty()) return;
        Canvas()->Brush()->SetStyle(bsClear);
        TRect r = ClientRect();
        Canvas()->TextRect(r, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        Canvas()->Brush()->SetStyle(bsSolid);
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
        if (captureFocus) {
            ASSERT_TRUE(PumpUntil([&] { return popup->Active(); }));
        }
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

// Records which of the watched messages reach a control's window procedure, for as long as it
// lives.
class TMessageTap : public TObject {
public:
    TMessageTap(TControl* control, std::vector<Cardinal> watched)
        : control_(control), watched_(std::move(watched)), previous_(control->WindowProc()) {
        control->SetWindowProc(MakeEvent(this, &TMessageTap::Receive));
    }
    ~TMessageTap() override { control_->SetWindowProc(previous_); }
    std::vector<Cardinal> Take() { return std::exchange(seen_, {}); }

private:
    void Receive(TMessage& message) {
        if (std::find(watched_.begin(), watched_.end(), message.Msg) != watched_.end()) seen_.push_back(message.Msg);
        previous_(message);
    }
    TControl* control_;
    std::vector<Cardinal> watched_, seen_;
    TWndMethod previous_;
};

TEST_F(PopupWindows, TheOwnersFormKeepsItsActiveCaptionWhileAPopupIsUp) {
    TMessageTap tap(form, {WM_NCACTIVATE, CM_DEACTIVATE});
    using TSeen = std::vector<Cardinal>;
    TTestPopup* popup = NewPopup(owner, false);
    Show(popup);
    tap.Take();
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(tap.Take(), TSeen{});  // swallowed: the caption stays active
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(tap.Take(), TSeen{WM_NCACTIVATE});
    SendMessageW(target->Handle(), WM_NCACTIVATE, FALSE, 0);  // not an owner's form: nothing to keep
    popup->ClosePopup();
    tap.Take();
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(tap.Take(), TSeen{WM_NCACTIVATE});

    // While the activation is locked, activation notices sent to any window are swallowed.
    ChangeActivationLock(true);
    EXPECT_TRUE(IsActivationLocked());
    SendMessageW(form->Handle(), CM_DEACTIVATE, 0, 0);
    EXPECT_EQ(tap.Take(), TSeen{});
    ChangeActivationLock(false);
    EXPECT_FALSE(IsActivationLocked());
    SendMessageW(form->Handle(), CM_DEACTIVATE, 0, 0);
    EXPECT_EQ(tap.Take(), TSeen{CM_DEACTIVATE});
}

TEST_F(PopupWindows, ClosingAWindowClosesThePopupsThatDependOnIt) {
    TMessageTap tap(form, {WM_CLOSE});
    using TSeen = std::vector<Cardinal>;
    // The owner's form closing takes its tool popup with it, before the form hears of it.
    TTestPopup* toolPopup = NewPopup(owner, false);
    Show(toolPopup);
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(toolPopup->IsShown());
    EXPECT_EQ(tap.Take(), TSeen{WM_CLOSE});
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsControlShowing(owner); }));

    // A focus popup closed as a window (Alt+F4 in it) closes the window it was opened from.
    TTestPopup* focusPopup = NewPopup(owner, true);
    Show(focusPopup);
    SendMessageW(focusPopup->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(focusPopup->IsShown());
    EXPECT_FALSE(IsWindowVisible(focusPopup->Handle()));
    EXPECT_EQ(tap.Take(), TSeen{WM_CLOSE});
    EXPECT_EQ(ShownPopupCount(), 0);
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
    const TPoint point = CenterOf(target);
    ClickAt(point);
    // A loaded machine may take its time to deliver real input.
    EXPECT_TRUE(PumpUntil([&] { return !popup->IsShown() && target->presses == 1; }, 10000))
        << "presses " << target->presses << ", window under the point " << WindowFromPoint(POINT{point.x, point.y})
        << " (target " << target->Handle() << ", popup " << popup->Handle() << ")";
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

// The frame styles of a popup as the user sees them: a form with owner controls, each named
// after its style, and their popups shown below them. The screen is read back, so the frame is
// what the popup painted. With ZARNIK_POPUP_GALLERY set to a file name the form's area is saved
// there as a BMP (scripts/popup-gallery.sh makes docs/popups.png from it).
TEST_F(PopupWindows, FrameStylesOnScreen) {
    struct Style {
        const wchar_t* name;
        TcxContainerBorderStyle border;
        std::vector<TColor> edge;  // the left side from its outer pixel to the background
    } styles[] = {{L"cbsSingle", cbsSingle, {clWindowFrame, clWindow}},
                  {L"cbsThick", cbsThick, {clWindowFrame, clWindowFrame, clWindow}},
                  {L"cbsFlat", cbsFlat, {clBtnShadow, clBtnFace, clWindow}},
                  {L"cbs3D", cbs3D, {clBtnShadow, cl3DDkShadow, clWindow}}};
    form->SetClientWidth(20 + 180 * int(std::size(styles)));
    form->SetClientHeight(150);
    target->SetVisible(false);
    std::vector<TTestPopup*> shown;
    std::vector<TPopupTestControl*> anchors;
    for (size_t i = 0; i < std::size(styles); ++i) {
        TPopupTestControl* anchor = i == 0 ? owner : MakeControl(form, 20 + 180 * int(i), 20, 120, 24);
        anchor->caption = styles[i].name;
        anchors.push_back(anchor);
        TTestPopup* popup = NewPopup(anchor, false);
        popup->Style()->SetBorderStyle(styles[i].border);
        popup->Style()->SetColor(clWindow);  // as a drop-down list; the rest are the style's defaults
        Show(popup);
        shown.push_back(popup);
    }
    HDC screen = GetDC(nullptr);
    // The colours on screen along the left side of popup i, outer pixel first.
    auto leftEdge = [&](size_t i) {
        RECT r;
        GetWindowRect(shown[i]->Handle(), &r);
        std::vector<TColor> edge;
        for (size_t x = 0; x < styles[i].edge.size(); ++x)
            edge.push_back(TColor(GetPixel(screen, r.left + int(x), (r.top + r.bottom) / 2)));
        return edge;
    };
    auto expectedEdge = [&](size_t i) {
        std::vector<TColor> edge;
        for (TColor c : styles[i].edge) edge.push_back(TColor(ColorToRGB(c)));
        return edge;
    };
    EXPECT_TRUE(PumpUntil([&] {
        for (size_t i = 0; i < shown.size(); ++i)
            if (leftEdge(i) != expectedEdge(i)) return false;
        return true;
    }));
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(leftEdge(i), expectedEdge(i)) << Utf8(styles[i].name);
    if (const char* file = std::getenv("ZARNIK_POPUP_GALLERY")) {
        for (TPopupTestControl* anchor : anchors) anchor->Update();  // their captions painted
        const TPoint origin = form->ClientToScreen(TPoint{0, 0});
        TBitmap picture(form->ClientWidth(), form->ClientHeight(), pf24bit);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y,
               SRCCOPY);
        picture.SaveToFile(String(file, file + std::string(file).size()));
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
