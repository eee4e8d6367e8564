// Keyboard navigation over real toolbars, docks and menus under Xvfb: the helper tree of the
// form's docks and toolbars, arrows along and across docked, floating and vertical toolbars,
// sub items opened by the arrows across their bar, the menu's key tips and Escape out of them,
// and Alt or F10 on a form whose navigation starts on its main menu bar.

#include "BarTestForm.h"
#include "BarTestSupport.h"

#include "WindowTesting.h"
#include "cxObjectLinks.h"
#include "dxBar.h"
#include "dxBarAccessibility.h"
#include "dxBarButton.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"
#include "dxBarSubItem.h"
#include "dxBarSubItemControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"
#include "dxBarSubMenuControl.h"
#include "dxCore.h"

namespace {

// Buttons and sub items of a fixed size: a toolbar lays its links out by their controls' sizes.
class TSizedButtonControl : public TdxBarButtonControl {
    Z_CLASS(TSizedButtonControl, TdxBarButtonControl)
public:
    explicit TSizedButtonControl(TdxBarItemLink* link) : TdxBarButtonControl(link) {}

protected:
    int CalcWidth() override { return 24; }
    int CalcHeight() override { return 22; }
};

class TSizedSubItemControl : public TdxBarSubItemControl {
    Z_CLASS(TSizedSubItemControl, TdxBarSubItemControl)
public:
    explicit TSizedSubItemControl(TdxBarItemLink* link) : TdxBarSubItemControl(link) {}

protected:
    int CalcWidth() override { return 40; }
    int CalcHeight() override { return 22; }
};

// The item's control class is the given one while this lives.
class TControlClassSwap {
public:
    TControlClassSwap(TClass item, TClass control) : item_(item) {
        saved_ = ItemRegistryInstance()->ControlClassOf(item);
        if (saved_) UnregisterItemControlClass(item);
        RegisterItemControlClass(item, control, false);
    }
    ~TControlClassSwap() {
        UnregisterItemControlClass(item_);
        if (saved_)
            RegisterItemControlClass(item_, saved_, true);
        else
            RegisterClass(item_);
    }

private:
    TClass item_;
    TClass saved_ = nullptr;
};

class ToolbarNavigation : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        navigation = GetNavigationController();
        ASSERT_NE(navigation, nullptr);
        buttons = std::make_unique<TControlClassSwap>(TdxBarButton::StaticClass(), TSizedButtonControl::StaticClass());
        subItems = std::make_unique<TControlClassSwap>(TdxBarSubItem::StaticClass(), TSizedSubItemControl::StaticClass());
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        form->SetBounds(60, 60, 520, 340);
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpUntilIdle();
    }
    void TearDown() override {
        navigation->LeaveKeyboardMode();
        navigation->SetCurrent(nullptr, nullptr);
        navigation->ClearNavigationMode();
        form.reset();
        PumpUntilIdle();
        subItems.reset();
        buttons.reset();
        WindowTest::TearDown();
    }
    TdxDockControl* Dock(TdxBarDockingStyle style) const { return manager->Bars()->DockControls(style); }
    TdxBarItem* Item(const wchar_t* name) const { return static_cast<TdxBarItem*>(form->FindComponent(name)); }
    TdxBar* NewBar(const String& caption, std::initializer_list<const wchar_t*> items, TdxBarDockingStyle style) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetCaption(caption);
        for (const wchar_t* name : items) bar->ItemLinks()->AddItem(Item(name));
        bar->SetDockingStyle(style);
        if (style == dsNone) {
            // A new bar set floating shows its window once shown again.
            bar->SetVisible(false);
            bar->SetVisible(true);
        }
        PumpUntilIdle();
        EXPECT_NE(bar->BarControl(), nullptr);
        return bar;
    }
    static TdxBarItemControl* Control(TdxBar* bar, int index) { return bar->ItemLinks()->GetLink(index)->Control(); }
    static TdxBarAccessibilityHelper* Helper(TdxBarItemControl* control) {
        return control ? GetHelperObject(control->ObtainAccessibilityHelper()) : nullptr;
    }
    static TdxBarAccessibilityHelper* Helper(TdxBar* bar) {
        return GetHelperObject(bar->BarControl()->ObtainAccessibilityHelper());
    }
    static TdxBarAccessibilityHelper* Helper(TdxDockControl* dock) {
        return GetHelperObject(dock->ObtainAccessibilityHelper());
    }

    TdxBarNavigationController* navigation = nullptr;
    std::unique_ptr<TControlClassSwap> buttons, subItems;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
};

TEST_F(ToolbarNavigation, TheDocksHelperHoldsItsToolbarsAndFloatingToolbarsAreRoots) {
    TdxBar* first = NewBar(L"Первая", {L"btnOpen", L"btnSave"}, dsTop);
    TdxBar* second = NewBar(L"Вторая", {L"btnBold"}, dsTop);
    TdxBar* floating = NewBar(L"Плавающая", {L"btnColor"}, dsNone);
    TdxDockControl* dock = Dock(dsTop);
    TdxBarAccessibilityHelper* dockHelper = Helper(dock);
    ASSERT_TRUE(dynamic_cast<TdxDockControlAccessibilityHelper*>(dockHelper));
    EXPECT_EQ(dock->ObtainAccessibilityHelper(), dock->ObtainAccessibilityHelper()) << "made once";

    // The dock's children are its rows' windows, row by row and in column order.
    std::vector<TdxBarAccessibilityHelper*> expected;
    for (int r = 0; r < dock->RowCount(); ++r)
        for (int c = 0; c < dock->Rows(r)->ColCount(); ++c)
            expected.push_back(GetHelperObject(dock->Rows(r)->GetCol(c)->BarControl()->ObtainAccessibilityHelper()));
    ASSERT_EQ(dockHelper->GetChildCount(), int(expected.size()));
    for (int i = 0; i < int(expected.size()); ++i) {
        EXPECT_EQ(dockHelper->GetChildBarHelper(i), expected[size_t(i)]) << i;
        EXPECT_EQ(dockHelper->GetChildIndex(expected[size_t(i)]), i) << i;
        EXPECT_EQ(expected[size_t(i)]->GetParentHelper(), dockHelper) << i;
    }
    EXPECT_NE(dockHelper->GetChildIndex(Helper(first)), -1);
    EXPECT_NE(dockHelper->GetChildIndex(Helper(second)), -1);
    EXPECT_EQ(dockHelper->GetChildIndex(Helper(floating)), -1);
    EXPECT_EQ(dockHelper->GetParentHelper(), nullptr) << "a dock is a root";
    EXPECT_EQ(Helper(floating)->GetParentHelper(), nullptr) << "a floating toolbar is a root";
    EXPECT_EQ(Helper(first)->FindRootHelper(), dockHelper);

    // Only the item controls are navigable; the others are containers.
    struct Case {
        const char* what;
        TdxBarAccessibilityHelper* helper;
        bool navigable;
    } cases[] = {{"dock", dockHelper, false},
                 {"toolbar", Helper(first), false},
                 {"floating toolbar", Helper(floating), false},
                 {"button", Helper(Control(first, 0)), true},
                 {"floating button", Helper(Control(floating, 0)), true}};
    for (const Case& c : cases) {
        ASSERT_NE(c.helper, nullptr) << c.what;
        EXPECT_EQ(c.helper->CanNavigateTo(), c.navigable) << c.what;
        EXPECT_EQ(c.helper->GetBarManager(), manager) << c.what;
    }
    const RECT bounds = dockHelper->GetScreenBounds(0);
    EXPECT_EQ(bounds.top, dock->ClientToScreen(TPoint{0, 0}).y);
    EXPECT_EQ(Helper(first)->GetEntryObject(), static_cast<IdxBarAccessibilityHelper*>(Helper(first)));

    // A dock is no entry of navigation, and a toolbar has no caption-button key-tip positions
    // of its own: both raise with an empty text.
    auto raisesEmpty = [](auto&& call) {
        try {
            call();
        } catch (const EdxException& e) {
            return e.Message().empty();
        }
        return false;
    };
    EXPECT_TRUE(raisesEmpty([&] { dockHelper->GetEntryObject(); }));
    EXPECT_TRUE(raisesEmpty([&] {
        int y = 0;
        Byte alignment = 0;
        static_cast<TdxBarControlAccessibilityHelper*>(Helper(first))->GetCaptionButtonKeyTipPosition(0, y, alignment);
    }));

    // A hidden toolbar leaves the dock's children.
    second->SetVisible(false);
    PumpUntilIdle();
    EXPECT_EQ(dockHelper->GetChildCount(), int(expected.size()) - 1);
    for (int i = 0; i < dockHelper->GetChildCount(); ++i) EXPECT_NE(dockHelper->GetChildBarHelper(i), nullptr);
}

TEST_F(ToolbarNavigation, ArrowsMoveAlongTheBarByLinkOrderAndAcrossByPlace) {
    TdxBar* top = NewBar(L"Верхняя", {L"btnOpen", L"btnSave", L"btnBold"}, dsTop);
    TdxBar* left = NewBar(L"Левая", {L"btnOpen", L"btnSave", L"btnBold"}, dsLeft);
    TdxBar* floating = manager->Bars()->Add();
    floating->SetCaption(L"Узкая");
    for (const wchar_t* name : {L"btnOpen", L"btnSave", L"btnBold"}) floating->ItemLinks()->AddItem(Item(name));
    floating->SetFloatClientWidth(1);  // one button a row
    floating->SetDockingStyle(dsNone);
    floating->SetVisible(false);
    floating->SetVisible(true);
    PumpUntilIdle();
    ASSERT_NE(floating->BarControl(), nullptr);
    ASSERT_TRUE(left->BarControl()->IsDockedVertically());
    ASSERT_GT(Control(floating, 1)->GetBounds().top, Control(floating, 0)->GetBounds().top) << "rows of one";

    struct Case {
        const char* what;
        TdxBar* bar;
        int from;
        int direction;  // 0 left, 1 up, 2 right, 3 down
        int to;         // -1: nowhere
    } cases[] = {
        {"horizontal: right to the next", top, 0, 2, 1},
        {"horizontal: right from the last wraps", top, 2, 2, 0},
        {"horizontal: left from the first wraps", top, 0, 0, 2},
        {"horizontal: nothing below in one row", top, 1, 3, -1},
        {"vertical: down along the bar", left, 0, 3, 1},
        {"vertical: up from the first wraps", left, 0, 1, 2},
        {"vertical: nothing across", left, 1, 2, -1},
        {"floating rows: down to the nearest below", floating, 0, 3, 1},
        {"floating rows: no wrap upwards", floating, 0, 1, -1},
    };
    for (const Case& c : cases) {
        IdxBarAccessibilityHelper* found = Helper(Control(c.bar, c.from))->FindNeighbour(c.direction);
        TdxBarAccessibilityHelper* expected = c.to < 0 ? nullptr : Helper(Control(c.bar, c.to));
        EXPECT_EQ(GetHelperObject(found), expected) << c.what;
    }

    // Through the controller: the bar's own selection moves, and Right wraps round it.
    navigation->ChangeSelectedObject(false, Helper(Control(top, 2)), nullptr);
    ASSERT_EQ(top->BarControl()->GetSelectedControl(), Control(top, 2));
    EXPECT_TRUE(top->BarControl()->IsActive());
    navigation->ProcessKey(VK_RIGHT, {});
    EXPECT_EQ(top->BarControl()->GetSelectedControl(), Control(top, 0));
    // Escape drops the selection; a second one, on the bar itself, ends its mode.
    navigation->ProcessKey(VK_ESCAPE, {});
    EXPECT_EQ(top->BarControl()->GetSelectedControl(), nullptr);
    EXPECT_TRUE(top->BarControl()->IsActive());
    navigation->ProcessKey(VK_ESCAPE, {});
    EXPECT_FALSE(top->BarControl()->IsActive());
}

TEST_F(ToolbarNavigation, ASubItemOpensWithTheArrowsAcrossItsBar) {
    struct Case {
        const char* what;
        TdxBarDockingStyle style;
        Word key;
        bool opens;
    } cases[] = {
        {"horizontal: Down opens", dsTop, VK_DOWN, true},
        {"horizontal: Right moves on", dsTop, VK_RIGHT, false},
        {"vertical: Right opens", dsLeft, VK_RIGHT, true},
        {"vertical: Left opens", dsLeft, VK_LEFT, true},
        {"vertical: Down moves on", dsLeft, VK_DOWN, false},
    };
    for (const Case& c : cases) {
        TdxBar* bar = NewBar(L"Меню", {L"btnOpen", L"subFile", L"btnSave"}, c.style);
        auto* sub = static_cast<TdxBarButtonLikeControl*>(Control(bar, 1));
        navigation->ChangeSelectedObject(false, Helper(sub), nullptr);
        ASSERT_EQ(bar->BarControl()->GetSelectedControl(), sub) << c.what;
        navigation->ProcessKey(c.key, {});
        PumpUntilIdle();
        EXPECT_EQ(sub->IsDroppedDown(), c.opens) << c.what;
        if (!c.opens) EXPECT_NE(bar->BarControl()->GetSelectedControl(), sub) << c.what << ": the selection moved";
        navigation->LeaveKeyboardMode();
        bar->BarControl()->HideMenuChain();
        PumpUntilIdle();
        bar->SetVisible(false);
        PumpUntilIdle();
    }
}

TEST_F(ToolbarNavigation, AMenusKeyTipsLieRightOfItsGlyphsAndEscapeClosesIt) {
    TdxBar* bar = NewBar(L"Меню", {L"subFile", L"btnBold"}, dsTop);
    auto* sub = static_cast<TdxBarSubItemControl*>(Control(bar, 0));
    navigation->ChangeSelectedObject(true, Helper(sub), nullptr);
    auto* subHelper = dynamic_cast<TdxBarSubItemControlAccessibilityHelper*>(Helper(sub));
    ASSERT_NE(subHelper, nullptr) << "a sub item's helper opens its menu";
    ASSERT_TRUE(subHelper->OpenDropDown());
    PumpUntilIdle();
    auto* menu = As<TdxBarSubMenuControl>(CurrentActiveBarControl());
    ASSERT_NE(menu, nullptr);
    auto* menuHelper = dynamic_cast<TdxBarSubMenuControlAccessibilityHelper*>(GetHelperObject(menu->ObtainAccessibilityHelper()));
    ASSERT_NE(menuHelper, nullptr);
    EXPECT_TRUE(menuHelper->IsKeyTipContainer());
    EXPECT_EQ(menuHelper->GetParentHelper(), nullptr) << "a menu is a root";
    EXPECT_EQ(menuHelper->GetKeyTipParent(), Helper(sub)) << "the opener";
    EXPECT_EQ(menuHelper->GetBarManager(), manager);

    // Each item's label: right of the side bar and half the glyph column, at the item's middle.
    TdxBarItemControl* open = menu->ItemLinks()->GetLink(0)->Control();
    ASSERT_NE(open, nullptr);
    TdxBarKeyTipInfo info;
    Helper(open)->FillKeyTipInfo(info);
    const TRect r = open->GetBounds();
    const TPoint middle = menu->ClientToScreen(TPoint{0, (r.top + r.bottom) / 2});
    EXPECT_EQ(info.Anchor.y, middle.y);
    EXPECT_EQ(info.Anchor.x, menu->ClientToScreen(TPoint{0, 0}).x + menu->GetBarSize() +
                                 menu->GetPainter()->GetIconAreaWidth(menu->MenuPainted()) / 2);
    EXPECT_EQ(info.HorizontalAlignment, 1);
    EXPECT_EQ(info.VerticalAlignment, 1);

    // The menu's links, round the menu; the first navigable one without a start.
    TdxBarItemLinks* links = menu->ItemLinks();
    EXPECT_EQ(menuHelper->GetAdjacentLink(nullptr, true), links->GetFirstNavigableLink());
    EXPECT_EQ(menuHelper->GetAdjacentLink(links->GetFirstNavigableLink(), false), links->GetLastNavigableLink());

    // Escape in the menu's key tips closes the menu and shows the tips of the dock above it.
    navigation->SetKeyTipContainer(menuHelper, L"");
    ASSERT_TRUE(navigation->AreKeyTipsShown());
    TcxObjectLinkGuard menuLink(menu);
    navigation->ProcessKey(VK_ESCAPE, {});
    PumpUntilIdle();
    EXPECT_FALSE(menuLink.Alive() && IsWindowVisible(menu->Handle())) << "the menu closed";
    EXPECT_FALSE(sub->IsDroppedDown());
    EXPECT_EQ(GetHelperObject(navigation->KeyTipContainer()), Helper(Dock(dsTop)));
}

TEST_F(ToolbarNavigation, AltOrF10SelectsTheMainMenuBar) {
    TdxBar* menuBar = NewBar(L"Главное меню", {L"subFile", L"subEdit"}, dsTop);
    menuBar->SetIsMainMenu(true);
    PumpUntilIdle();
    ASSERT_EQ(manager->MainMenuBar(), menuBar);
    EXPECT_EQ(GetHelperObject(GetWindowRootHelper(form->Handle())), Helper(menuBar)) << "the root without a ribbon";

    struct Case {
        const char* what;
        Word key;
        bool useF10;
        bool selects;
    } cases[] = {
        {"Alt", VK_MENU, true, true},
        {"F10 as the menu key", VK_F10, true, true},
        {"F10 without UseF10ForMenu", VK_F10, false, false},
    };
    // A menu key the bars leave to the system opens the system's menu loop: a timer ends it.
    struct TEndSystemMenu {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
        UINT_PTR timer = SetTimer(nullptr, 0, 100, &Tick);
        ~TEndSystemMenu() { KillTimer(nullptr, timer); }
    } endSystemMenu;
    for (const Case& c : cases) {
        manager->SetUseF10ForMenu(c.useF10);
        SetForegroundWindow(form->Handle());
        PumpUntilIdle();
        TypeKey(c.key);
        PumpUntilIdle();
        TdxBarControl* window = menuBar->BarControl();
        EXPECT_EQ(window->IsActive(), c.selects) << c.what;
        EXPECT_EQ(navigation->NavigationMode(), c.selects) << c.what;
        if (c.selects) {
            EXPECT_EQ(GetHelperObject(navigation->GetCurrentParent()), Helper(menuBar)) << c.what;
            // The first arrow selects the bar's first item.
            TypeKey(VK_RIGHT);
            PumpUntilIdle();
            EXPECT_EQ(window->GetSelectedControl(), Control(menuBar, 0)) << c.what;
        }
        navigation->LeaveKeyboardMode();
        navigation->ClearNavigationMode();
        window->HideMenuChain();
        PumpUntilIdle();
        EXPECT_FALSE(window->IsActive()) << c.what;
    }
}

}  // namespace
