// TcxControl on real windows: dialog codes, context menus and popup menus, a control freed by
// its own mouse handler, wide controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Menus.h"
#include "Screen.h"
#include "WindowTesting.h"
#include "cxClasses.h"
#include "cxControl.h"
#include "cxPopupMenus.h"
#include "cxWindowHelpers.h"

namespace {

// Records where the platform drag or the auto-scroll would start.
class TPressRecordingControl : public TcxControl {
    Z_CLASS(TPressRecordingControl, TcxControl)
public:
    using TcxControl::TcxControl;
    std::vector<TPoint> startDragPoints;
    bool withBorder = false;

protected:
    void MouseDownStartDrag(TMouseButton button, int x, int y) override {
        startDragPoints.push_back(TPoint{x, y});
        TcxControl::MouseDownStartDrag(button, x, y);
    }
    void AdjustCreateParams(TCreateParams& Params) override {
        TcxControl::AdjustCreateParams(Params);
        if (withBorder) Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

// A toolkit popup menu that records where it was asked to pop up and answers one shortcut.
class TRecordingToolkitMenu : public TComponent, public IcxToolkitPopupMenu {
    Z_CLASS(TRecordingToolkitMenu, TComponent)
public:
    using TComponent::TComponent;
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
    bool IsShortCutKey(const TMessage& message) override {
        ++shortCutQuestions;
        return message.WParam == VK_F7;
    }
    void PopupAt(int x, int y) override { popups.push_back(TPoint{x, y}); }
    std::vector<TPoint> popups;
    int shortCutQuestions = 0;
};

class cxControlTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(400, 300));
        control = new TPressRecordingControl(form.get());
        control->SetBounds(20, 20, 200, 150);
        control->SetParent(form.get());
        control->HandleNeeded();
    }
    void TearDown() override {
        MouseButton(false);
        PumpUntilIdle();
        form.reset();
        WindowTest::TearDown();
    }

    std::unique_ptr<TForm> form;
    TPressRecordingControl* control = nullptr;
};

TEST_F(cxControlTest, DialogCodeLeavesTabToTheFormWhileCtrlIsHeld) {
    control->SetKeys(TcxKeys{kArrows, kTab});
    EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB);
    INPUT ctrl{};
    ctrl.type = INPUT_KEYBOARD;
    ctrl.ki.wVk = VK_CONTROL;
    SendInput(1, &ctrl, sizeof(ctrl));
    ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }));
    EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl, sizeof(ctrl));
    ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }));
    EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB);

    control->SetKeys(TcxKeys{kAll, kChars});
    EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS | DLGC_WANTCHARS);
}

TEST_F(cxControlTest, AKeyboardContextRequestShowsTheToolkitMenuAtTheClientOrigin) {
    auto* menu = new TRecordingToolkitMenu(form.get());
    control->SetPopupMenu(menu);
    ASSERT_EQ(control->PopupMenu(), menu);
    SendMessageW(control->Handle(), WM_CONTEXTMENU, WPARAM(control->Handle()), MAKELPARAM(-1, -1));
    ASSERT_EQ(menu->popups.size(), 1u);
    const TPoint origin = control->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(menu->popups[0].x, origin.x);
    EXPECT_EQ(menu->popups[0].y, origin.y);

    // OnContextPopup has the first say.
    struct THandles : TObject {
        int calls = 0;
        void ContextPopup(TObject*, TPoint, bool& handled) {
            ++calls;
            handled = true;
        }
    } handler;
    control->OnContextPopup = MakeEvent(&handler, &THandles::ContextPopup);
    SendMessageW(control->Handle(), WM_CONTEXTMENU, WPARAM(control->Handle()), MAKELPARAM(-1, -1));
    EXPECT_EQ(handler.calls, 1);
    EXPECT_EQ(menu->popups.size(), 1u);
}

TEST_F(cxControlTest, ARightClickShowsThePlatformPopupMenuWhereItWasMade) {
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption(L"Пункт");
    menu->Items()->Add(item);
    control->SetPopupMenu(menu);
    TWhileMenuShows closer([](HWND) { TypeKey(VK_ESCAPE); });
    const TPoint click = control->ClientToScreen(TPoint{50, 40});
    RightClickAt(click);
    ASSERT_TRUE(PumpUntil([&] { return closer.Ran(); }));
    EXPECT_EQ(menu->PopupComponent(), control);
    EXPECT_EQ(menu->PopupPoint().x, click.x);
    EXPECT_EQ(menu->PopupPoint().y, click.y);
}

TEST_F(cxControlTest, AContextRequestOnTheBorderGoesToTheParent) {
    control->withBorder = true;
    control->RecreateWnd();
    auto* menu = new TRecordingToolkitMenu(form.get());
    control->SetPopupMenu(menu);
    struct TFormRecorder : TObject {
        std::vector<TPoint> points;
        void ContextPopup(TObject*, TPoint p, bool& handled) {
            points.push_back(p);
            handled = true;
        }
    } formRecorder;
    form->OnContextPopup = MakeEvent(&formRecorder, &TFormRecorder::ContextPopup);
    // The control's top-left window pixel lies on its client edge, outside the client area.
    const TRect window = QueryWindowRect(control->Handle());
    SendMessageW(control->Handle(), WM_CONTEXTMENU, WPARAM(control->Handle()), MAKELPARAM(window.left, window.top));
    EXPECT_TRUE(menu->popups.empty());
    ASSERT_EQ(formRecorder.points.size(), 1u);
    const TPoint expected = form->ScreenToClient(TPoint{window.left, window.top});
    EXPECT_EQ(formRecorder.points[0].x, expected.x);
    EXPECT_EQ(formRecorder.points[0].y, expected.y);
    // Inside the client area the control's own menu shows.
    const TPoint inside = control->ClientToScreen(TPoint{5, 5});
    SendMessageW(control->Handle(), WM_CONTEXTMENU, WPARAM(control->Handle()), MAKELPARAM(inside.x, inside.y));
    ASSERT_EQ(menu->popups.size(), 1u);
    EXPECT_EQ(menu->popups[0].x, inside.x);
}

TEST_F(cxControlTest, PopupMenusAreOnlyMenusAndAreForgottenWhenFreed) {
    auto* plain = new TComponent(form.get());
    control->SetPopupMenu(plain);
    EXPECT_EQ(control->PopupMenu(), nullptr);

    auto* menu = new TRecordingToolkitMenu(form.get());
    control->SetPopupMenu(menu);
    EXPECT_EQ(control->PopupMenu(), menu);
    control->SetPopupMenu(plain);  // refused: the menu goes too
    EXPECT_EQ(control->PopupMenu(), nullptr);

    control->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(control->PopupMenu(), nullptr);

    auto* popup = new TPopupMenu(form.get());
    control->SetPopupMenu(popup);
    EXPECT_EQ(control->PopupMenu(), popup);
    FreeObject(popup);
    EXPECT_EQ(control->PopupMenu(), nullptr);
}

TEST_F(cxControlTest, TheToolkitMenuTakesItsShortcutKeys) {
    auto* menu = new TRecordingToolkitMenu(form.get());
    control->SetPopupMenu(menu);
    control->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    struct TKeys : TObject {
        std::vector<Word> keys;
        void KeyDown(TObject*, Word& key, TShiftState) { keys.push_back(key); }
    } keys;
    control->OnKeyDown = MakeEvent(&keys, &TKeys::KeyDown);
    TypeKey(VK_F7);  // the menu's shortcut: it never reaches the control
    TypeKey(VK_F8);
    ASSERT_TRUE(PumpUntil([&] { return !keys.keys.empty(); }));
    EXPECT_EQ(keys.keys, std::vector<Word>{VK_F8});
    EXPECT_GE(menu->shortCutQuestions, 2);
}

TEST_F(cxControlTest, AMouseDownHandlerThatFreesTheControlEndsTheProcessing) {
    struct TFreer : TObject {
        TControl* victim = nullptr;
        int calls = 0;
        void MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
            ++calls;
            delete victim;
        }
    } freer;
    freer.victim = control;
    control->OnMouseDown = MakeEvent(&freer, &TFreer::MouseDown);
    TcxObjectLink* link = CreateObjectLink(control);
    ClickAt(control->ClientToScreen(TPoint{30, 30}));
    ASSERT_TRUE(PumpUntil([&] { return link->Ref == nullptr; }));
    PumpUntilIdle();  // the release and anything queued after it find no control
    EXPECT_EQ(freer.calls, 1);
    EXPECT_EQ(form->ControlCount(), 0);
    DestroyObjectLink(link);
    control = nullptr;
}

TEST_F(cxControlTest, AControlWiderThan32768PixelsTakesItsPressPointFromTheCursor) {
    // The system keeps windows within 16-bit coordinates, so the press message's own point and
    // the cursor are made to differ: the message says (10, 10), the cursor is elsewhere.
    const TPoint cursor = form->ClientToScreen(TPoint{150, 100});
    SetCursorPos(cursor.x, cursor.y);
    auto press = [&] {
        control->startDragPoints.clear();
        SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        return control->startDragPoints.size() == 1 ? control->startDragPoints[0] : TPoint{-1, -1};
    };
    control->SetBounds(-35000, 20, 40000, 150);
    const TPoint fromCursor = control->ScreenToClient(cursor);
    TPoint p = press();
    EXPECT_EQ(p.x, fromCursor.x);
    EXPECT_EQ(p.y, fromCursor.y);

    control->SetBounds(20, 20, 200, 150);  // a narrow control takes the message's point
    p = press();
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 10);
}

TEST_F(cxControlTest, MouseEnterAndLeaveFireOnceForTheControl) {
    struct TEnterLeave : TObject {
        std::vector<std::pair<char, TObject*>> events;
        void Enter(TObject* sender) { events.push_back({'e', sender}); }
        void Leave(TObject* sender) { events.push_back({'l', sender}); }
    } recorder;
    control->OnMouseEnter = MakeEvent(&recorder, &TEnterLeave::Enter);
    control->OnMouseLeave = MakeEvent(&recorder, &TEnterLeave::Leave);
    MoveMouseTo(form->ClientToScreen(TPoint{300, 250}));
    PumpUntilIdle();
    recorder.events.clear();
    MoveMouseTo(control->ClientToScreen(TPoint{40, 40}));
    ASSERT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
    MoveMouseTo(form->ClientToScreen(TPoint{300, 250}));
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() >= 2; }));
    PumpUntilIdle();
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0], std::make_pair('e', static_cast<TObject*>(control)));
    EXPECT_EQ(recorder.events[1], std::make_pair('l', static_cast<TObject*>(control)));
}

TEST_F(cxControlTest, OnlyMenusThatMayPopUpAreShown) {
    EXPECT_FALSE(ShowToolkitPopupMenu(control, nullptr, 0, 0));
    auto* plain = new TComponent(form.get());
    EXPECT_FALSE(ShowToolkitPopupMenu(control, plain, 0, 0));
    TMessage key{WM_KEYDOWN, VK_F7, 0, 0};
    EXPECT_FALSE(IsPopupMenuKey(plain, key));
    EXPECT_FALSE(IsPopupMenuKey(nullptr, key));

    auto* popup = new TPopupMenu(form.get());
    popup->SetAutoPopup(false);
    EXPECT_FALSE(ShowToolkitPopupMenu(control, popup, 10, 10));

    auto* menu = new TRecordingToolkitMenu(form.get());
    EXPECT_TRUE(ShowToolkitPopupMenu(control, menu, 7, 9));
    ASSERT_EQ(menu->popups.size(), 1u);
    EXPECT_EQ(menu->popups[0].x, 7);
    EXPECT_EQ(menu->popups[0].y, 9);
    EXPECT_TRUE(IsPopupMenuKey(menu, key));
}

// The toolkit's cursors come from the program's resources: each is its own, none the arrow.
TEST(cxToolkitCursors, EveryCursorLoadsFromTheResources) {
    const TCursor ids[] = {crcxDragCopy,    crcxFullScroll, crcxHorScroll,  crcxVerScroll, crcxUpScroll,
                           crcxRightScroll, crcxDownScroll, crcxLeftScroll, crcxRemove,    crcxVertSize,
                           crcxHorzSize,    crcxMultiDrag,  crcxNoDrop,     crcxDrag,      crcxColorPicker};
    const HCURSOR arrow = Screen->Cursors(crDefault);
    std::vector<HCURSOR> seen;
    for (TCursor id : ids) {
        const HCURSOR cursor = Screen->Cursors(id);
        EXPECT_NE(cursor, arrow) << id;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0) << id;
        seen.push_back(cursor);
    }
    // The auto-scroll cursors point with their centre, the drag cursors with the arrow's tip.
    struct THotSpot {
        TCursor id;
        DWORD x, y;
    } hotSpots[] = {{crcxFullScroll, 15, 15}, {crcxUpScroll, 15, 15}, {crcxDrag, 0, 0}, {crcxDragCopy, 0, 0}};
    for (const THotSpot& h : hotSpots) {
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(Screen->Cursors(h.id), &info)) << h.id;
        EXPECT_EQ(info.xHotspot, h.x) << h.id;
        EXPECT_EQ(info.yHotspot, h.y) << h.id;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

}  // namespace
