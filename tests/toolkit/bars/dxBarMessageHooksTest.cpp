// The bar library's thread hooks on real windows with real input: they live exactly while a
// manager does; a shortcut typed on the form runs its item once and the form sees neither its
// key-down nor its key-up; keys go to the open menu; a press outside the open menu closes it and a
// right release outside is eaten; context help and activation reach the manager through the
// owner window's messages; an error inside a hook reaches the application's handler.

#include "BarTestSupport.h"

#include "Application.h"
#include "Panel.h"
#include "dxBarButton.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarMessageHooks.h"
#include "dxBarPopupMenu.h"

namespace {

// A menu window as the hooks see one: a popup window that records the keys it is sent and
// leaves the chain when it closes.
class TStandInMenu : public IdxBarHookedMenuChain {
public:
    TStandInMenu(TdxBarManager* manager, HWND owner, const TRect& screen) : manager_(manager), owner_(owner) {
        RegisterClassOnce();
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"ZarnikStandInMenu", L"", WS_POPUP | WS_BORDER,
                                  screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                                  owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    }
    ~TStandInMenu() override {
        if (HookedMenuChain() == this) SetHookedMenuChain(nullptr);
        DestroyWindow(window_);
    }
    void Open() {
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        SetHookedMenuChain(this);
    }

    HWND ChainWindow() override { return window_; }
    TdxBarManager* ChainManager() override { return manager_; }
    IdxBarHookedMenuChain* ChainParent() override { return nullptr; }
    bool IsCustomizingMode() override { return false; }
    bool IsEditingSelectedControl() override { return editing; }
    bool HandlesMouseWheel() override { return takesWheel; }
    bool IsInsideChain(HWND window) override { return window == window_; }
    bool IsOwnerWindow(HWND window) override { return window == owner_; }
    void HandleChainMouseDown(HWND, UINT, POINT) override { ++ownerPresses; }
    void CloseChain() override {
        ++closes;
        if (failToClose) throw Exception(L"Меню не закрылось");
        ShowWindow(window_, SW_HIDE);
        if (HookedMenuChain() == this) SetHookedMenuChain(nullptr);
    }
    TdxBarItemControl* PressedItemControl(HWND, POINT) override { return nullptr; }
    TdxBarItemControl* SelectedControl() override { return selected; }
    THelpContext ChainHelpContext() override { return helpContext; }

    bool editing = false, takesWheel = false, failToClose = false;
    Word closingKey = 0;  // a key-down of it closes the menu, as Enter on an item would
    int closes = 0, ownerPresses = 0;
    TdxBarItemControl* selected = nullptr;
    THelpContext helpContext = 0;
    std::vector<std::pair<UINT, WPARAM>> keys;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TStandInMenu*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message == WM_KEYDOWN || message == WM_KEYUP)) {
            self->keys.emplace_back(message, wParam);
            if (message == WM_KEYDOWN && wParam == self->closingKey) self->CloseChain();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static void RegisterClassOnce() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZarnikStandInMenu";
        wc.hbrBackground = HBRUSH(COLOR_MENU + 1);
        RegisterClassW(&wc);  // fails harmlessly once registered
    }

    TdxBarManager* manager_;
    HWND owner_;
    HWND window_ = nullptr;
};

LPARAM KeyData(bool down) { return down ? 1 : LPARAM(0xC0000001u); }

class BarHooks : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(BarManagerList()->Count(), 0) << "a manager of an earlier test is still alive";
        form.reset(NewShownForm(300, 200));
        form->SetName(L"HooksForm");
        form->SetKeyPreview(true);
        form->OnKeyDown = MakeEvent(this, &BarHooks::FormKeyDown);
        form->OnKeyUp = MakeEvent(this, &BarHooks::FormKeyUp);
        form->OnMouseUp = MakeEvent(this, &BarHooks::FormMouseUp);
        manager = new TdxBarManager(form.get());
        manager->SetName(L"dxBarManager");
        manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
        menu = new TdxBarPopupMenu(form.get());
        save = new TdxBarButton(form.get());
        save->SetName(L"btnSave");
        save->SetShortCut(scCtrl | 'S');
        save->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
        saveLink = menu->ItemLinks()->AddItem(save);
        // A window of the form that is not the menu's owner window.
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(200, 100, 90, 90);
        panel->OnMouseUp = MakeEvent(this, &BarHooks::PanelMouseUp);
        PumpUntilIdle();
    }
    void TearDown() override {
        standIn.reset();
        form.reset();
        WindowTest::TearDown();
    }

    void FormKeyDown(TObject*, Word& key, TShiftState) { formKeys.push_back("down " + KeyName(key)); }
    void FormKeyUp(TObject*, Word& key, TShiftState) { formKeys.push_back("up " + KeyName(key)); }
    void FormMouseUp(TObject*, TMouseButton button, TShiftState, int, int) {
        formMouseUps.push_back(button);
    }
    void PanelMouseUp(TObject*, TMouseButton button, TShiftState, int, int) { panelMouseUps.push_back(button); }
    static std::string KeyName(Word key) { return key == VK_CONTROL ? "Ctrl" : std::string(1, char(key)); }

    TStandInMenu* OpenStandIn(const TRect& client) {
        TPoint topLeft = form->ClientToScreen(TPoint{client.left, client.top});
        standIn = std::make_unique<TStandInMenu>(
            manager, form->Handle(),
            Rect(topLeft.x, topLeft.y, topLeft.x + client.right - client.left, topLeft.y + client.bottom - client.top));
        standIn->Open();
        PumpUntilIdle();
        return standIn.get();
    }

    std::unique_ptr<TForm> form;
    TdxBarManager* manager = nullptr;
    TdxBarPopupMenu* menu = nullptr;
    TdxBarButton* save = nullptr;
    TdxBarItemLink* saveLink = nullptr;
    TPanel* panel = nullptr;
    TEventRecorder recorder;
    std::unique_ptr<TStandInMenu> standIn;
    std::vector<std::string> formKeys;
    std::vector<TMouseButton> formMouseUps, panelMouseUps;
};

TEST(BarHooksLifetime, TheHooksLiveExactlyWhileAManagerDoes) {
    ASSERT_EQ(BarManagerList()->Count(), 0);
    for (bool firstGoesFirst : {true, false}) {
        SCOPED_TRACE(firstGoesFirst ? "freed in creation order" : "freed in reverse order");
        EXPECT_FALSE(AreBarMessageHooksInstalled());
        std::unique_ptr<TForm> formA(CreateNewForm(nullptr)), formB(CreateNewForm(nullptr));
        new TdxBarManager(formA.get());
        EXPECT_TRUE(AreBarMessageHooksInstalled());
        new TdxBarManager(formB.get());
        (firstGoesFirst ? formA : formB).reset();
        EXPECT_TRUE(AreBarMessageHooksInstalled());
        (firstGoesFirst ? formB : formA).reset();
        EXPECT_FALSE(AreBarMessageHooksInstalled());
    }
}

TEST_F(BarHooks, AShortcutRunsItsItemOnceAndTheFormSeesNoneOfItsKey) {
    // Both release orders: the shortcut key's release is eaten either way.
    struct Case {
        const char* name;
        std::vector<std::pair<Word, bool>> input;
    };
    const Case cases[] = {
        {"Ctrl released last", {{VK_CONTROL, true}, {'S', true}, {'S', false}, {VK_CONTROL, false}}},
        {"Ctrl released first", {{VK_CONTROL, true}, {'S', true}, {VK_CONTROL, false}, {'S', false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.log.clear();
        formKeys.clear();
        for (auto [key, down] : c.input) down ? KeyDown(key) : KeyUp(key);
        EXPECT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
        PumpUntilIdle();
        EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btnSave", "OnClick btnSave"}));
        EXPECT_EQ(formKeys, (std::vector<std::string>{"down Ctrl", "up Ctrl"}));
    }
}

TEST_F(BarHooks, ADisabledItemsShortcutRunsNothingAndTheFormGetsTheKey) {
    save->SetEnabled(false);
    TypeChord({VK_CONTROL, 'S'});
    EXPECT_TRUE(PumpUntil([&] { return formKeys.size() >= 4; }));
    PumpUntilIdle();
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_EQ(formKeys, (std::vector<std::string>{"down Ctrl", "down S", "up S", "up Ctrl"}));
}

TEST_F(BarHooks, KeysGoToTheOpenMenuAndAClosingKeysReleaseIsEaten) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    open->closingKey = VK_RETURN;
    // A key the menu keeps open: down and up both reach the menu, not the form.
    TypeKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return open->keys.size() >= 2; }));
    EXPECT_EQ(open->keys, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, VK_DOWN}, {WM_KEYUP, VK_DOWN}}));
    // A key that closes the menu: its release goes nowhere.
    TypeKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return open->closes == 1; }));
    PumpUntilIdle();
    EXPECT_EQ(open->keys.back(), (std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_RETURN}));
    EXPECT_TRUE(formKeys.empty());
    // Closed: keys reach the form again.
    TypeKey('A');
    EXPECT_TRUE(PumpUntil([&] { return formKeys.size() >= 2; }));
    EXPECT_EQ(formKeys, (std::vector<std::string>{"down A", "up A"}));
}

TEST_F(BarHooks, TheKeyboardHooksDecisions) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    // An in-place edit that is editing takes its keys itself.
    open->editing = true;
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, VK_DOWN, KeyData(true)), 0);
    EXPECT_TRUE(open->keys.empty());
    open->editing = false;
    // Peeked keys and the IME's key are not handled.
    EXPECT_EQ(KeyboardHookProc(HC_NOREMOVE, VK_DOWN, KeyData(true)), 0);
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, VK_PROCESSKEY, KeyData(true)), 0);
    EXPECT_TRUE(open->keys.empty());
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, VK_DOWN, KeyData(true)), 1);
    EXPECT_EQ(open->keys.size(), 1u);
    // While a caption button of the main menu bar is held, every key is eaten.
    open->CloseChain();
    SetBarCaptionButtonPressed(true);
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, 'A', KeyData(true)), 1);
    SetBarCaptionButtonPressed(false);
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, 'A', KeyData(true)), 0);
    // An in-place editor calling the procedure itself gets 0 whatever happened.
    SetBarCaptionButtonPressed(true);
    SetBarEditorKeyCall(true);
    EXPECT_EQ(KeyboardHookProc(HC_ACTION, 'A', KeyData(true)), 0);
    SetBarEditorKeyCall(false);
    SetBarCaptionButtonPressed(false);
}

TEST_F(BarHooks, APressOutsideTheOpenMenuClosesItAndARightReleaseOutsideIsEaten) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    const TPoint insideMenu = form->ClientToScreen(TPoint{60, 50});
    const TPoint onForm = form->ClientToScreen(TPoint{150, 150});
    // A press inside the menu leaves it open.
    ClickAt(insideMenu);
    PumpUntilIdle();
    EXPECT_EQ(open->closes, 0);
    // Right button pressed in the menu and released outside the chain: the release is eaten;
    // over the owner window the menu opened from it is not.
    for (TPoint release : {panel->ClientToScreen(TPoint{45, 45}), onForm}) {
        MoveMouseTo(insideMenu);
        RightMouseButton(true);
        MoveMouseTo(release);
        RightMouseButton(false);
        PumpUntilIdle();
    }
    EXPECT_EQ(open->closes, 0);
    EXPECT_TRUE(panelMouseUps.empty());
    EXPECT_EQ(formMouseUps, std::vector<TMouseButton>{mbRight});
    // A left press on the form (the menu's owner window) is the menu's to handle.
    ClickAt(onForm);
    EXPECT_TRUE(PumpUntil([&] { return open->ownerPresses == 1; }));
    EXPECT_EQ(open->closes, 0);
    // A press on another window closes the menu; that window stays visible, so it gets the press.
    ClickAt(panel->ClientToScreen(TPoint{45, 45}));
    EXPECT_TRUE(PumpUntil([&] { return open->closes == 1 && panelMouseUps.size() == 1; }));
    EXPECT_EQ(HookedMenuChain(), nullptr);
    EXPECT_FALSE(IsWindowVisible(open->ChainWindow()));
}

TEST_F(BarHooks, AnErrorInsideAHookReachesTheApplicationsHandler) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    open->failToClose = true;
    ClickAt(panel->ClientToScreen(TPoint{45, 45}));
    EXPECT_TRUE(PumpUntil([&] { return open->closes >= 1; }));
    PumpUntilIdle();
    std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].Text, L"Меню не закрылось");
    open->failToClose = false;
    open->CloseChain();
}

TEST_F(BarHooks, TheWheelIsEatenOverAMenuThatDoesNotTakeIt) {
    MOUSEHOOKSTRUCT mouse{};
    mouse.hwnd = form->Handle();
    auto wheel = [&] { return MouseHookProc(HC_ACTION, WM_MOUSEWHEEL, LPARAM(&mouse)); };
    EXPECT_EQ(GetMouseWheelMode(), 3);
    EXPECT_EQ(wheel(), 0);
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    struct Case {
        bool editing, takesWheel;
        int mode;
        LRESULT eaten;
    };
    for (const Case& c : {Case{false, false, 0, 1}, Case{false, true, 1, 0}, Case{true, false, 2, 0}}) {
        open->editing = c.editing;
        open->takesWheel = c.takesWheel;
        EXPECT_EQ(GetMouseWheelMode(), c.mode);
        EXPECT_EQ(wheel(), c.eaten);
    }
    EXPECT_EQ(open->closes, 0);
}

class BarHooksHelp : public BarHooks {
protected:
    void SetUp() override {
        BarHooks::SetUp();
        savedOnHelp = Application->OnHelp;
        Application->OnHelp = MakeEvent(this, &BarHooksHelp::Help);
        control = std::make_unique<TdxBarItemControl>(saveLink);
        control->ViewInfo()->SetBounds(Rect(10, 20, 50, 40));
    }
    void TearDown() override {
        Application->OnHelp = savedOnHelp;
        control.reset();
        BarHooks::TearDown();
    }
    bool Help(Word command, NativeInt data, bool& callHelp) {
        calls.emplace_back(command, data);
        callHelp = false;
        return true;
    }
    void AskHelp() {
        HELPINFO info{};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = form->Handle();
        SendMessageW(form->Handle(), WM_HELP, 0, LPARAM(&info));
    }

    THelpEvent savedOnHelp;
    std::unique_ptr<TdxBarItemControl> control;
    std::vector<std::pair<Word, NativeInt>> calls;
};

TEST_F(BarHooksHelp, ContextHelpOfTheSelectedItemEndsInTheApplicationsHelp) {
    save->SetHelpContext(77);
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    open->selected = control.get();
    AskHelp();
    EXPECT_EQ(open->closes, 1);
    EXPECT_EQ(calls, (std::vector<std::pair<Word, NativeInt>>{{HELP_CONTEXT, 77}}));

    // A form with the help border icon shows the help as a popup under the control.
    calls.clear();
    standIn.reset();
    form->SetBorderIcons(TBorderIcons{biSystemMenu, biHelp});
    PumpUntilIdle();
    open = OpenStandIn(Rect(10, 10, 110, 90));
    open->selected = control.get();
    AskHelp();
    POINT expected{30, 40};
    ClientToScreen(open->ChainWindow(), &expected);
    EXPECT_EQ(calls, (std::vector<std::pair<Word, NativeInt>>{
                         {HELP_SETPOPUP_POS, NativeInt(MAKELONG(Word(expected.x), Word(expected.y)))},
                         {HELP_CONTEXTPOPUP, 77}}));
}

TEST_F(BarHooksHelp, WithoutAnItemsHelpContextTheMenusOwnIsUsed) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    open->selected = control.get();  // the item has no help context
    open->helpContext = 55;
    AskHelp();
    EXPECT_EQ(open->closes, 1);
    EXPECT_EQ(calls, (std::vector<std::pair<Word, NativeInt>>{{HELP_CONTEXT, 55}}));
    // Nothing at all: the menus close, no help is asked for.
    calls.clear();
    open->helpContext = 0;
    open->Open();
    AskHelp();
    EXPECT_EQ(open->closes, 2);
    EXPECT_TRUE(calls.empty());
}

TEST_F(BarHooks, TheApplicationGoingInactiveClosesTheOpenMenu) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(IsBarAppActive());
    EXPECT_EQ(open->closes, 1);
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(IsBarAppActive());
    EXPECT_EQ(open->closes, 1);
}

TEST_F(BarHooks, AnotherFormBecomingActiveClosesTheOpenMenu) {
    TStandInMenu* open = OpenStandIn(Rect(10, 10, 110, 90));
    std::unique_ptr<TForm> other(NewShownForm(100, 80));
    EXPECT_TRUE(PumpUntil([&] { return open->closes == 1; }));
    EXPECT_EQ(HookedMenuChain(), nullptr);
}

}  // namespace
