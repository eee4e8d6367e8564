// The ribbon's context menu: its parts by the state of the quick access toolbar and the ribbon,
// the add/remove command by what was right-clicked, each command's work, group buttons on the
// quick access toolbar, and the menu opened by a right click on the tab row.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComponentList.h"
#include "RibbonTesting.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonContextMenu.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonPopupMenu.h"
#include "dxRibbonQuickAccessGroupButton.h"

namespace {

class RibbonContextMenuTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        tab = NewTab(L"Главная");
        barFile = NewBar(L"BarFile");
        barEdit = NewBar(L"BarEdit");
        AddGroup(tab, barFile);
        AddGroup(tab, barEdit);
        btnOpen = NewButton(L"btnOpen");
        btnSave = NewButton(L"btnSave");
        barFile->ItemLinks()->AddItem(btnOpen);
        barFile->ItemLinks()->AddItem(btnSave);
        qatBar = NewBar(L"QATBar");
        menu = new TdxBarPopupMenu(form.get());
        menu->SetBarManager(manager);
    }
    void TearDown() override {
        SetRibbonMenuTarget(nullptr, nullptr);
        RibbonTest::TearDown();
    }

    TdxBarButton* NewButton(const String& name) {
        auto* button = new TdxBarButton(form.get());
        button->SetName(name);
        button->SetCaption(name);
        return button;
    }
    void ShowQAT() { ribbon->QuickAccessToolbar()->SetToolbar(qatBar); }
    TdxBarItemLinks* QATLinks() const { return qatBar->ItemLinks(); }
    // The group window that shows the toolbar's links (made here when the ribbon has none yet).
    TCustomdxBarControl* GroupWindow(TdxBar* bar) {
        if (!bar->ItemLinks()->BarControl()) {
            auto* window = new TdxRibbonGroupBarControl(manager);
            window->AssignItemLinks(bar->ItemLinks());
        }
        return bar->ItemLinks()->BarControl();
    }

    // The menu as text: "|" before a link that begins a group, "(x)" for a pressed checked
    // button, "[off]" for a disabled one.
    static std::vector<std::string> Describe(TdxBarItemLinks* links) {
        std::vector<std::string> result;
        for (int i = 0; i < links->Count(); ++i) {
            TdxBarItemLink* link = links->GetLink(i);
            auto* button = As<TdxBarButton>(link->Item());
            std::string text = (link->StoredBeginGroup() ? "|" : "") + Utf8(link->Item()->GetCaption());
            if (button && button->ButtonStyle() == bsChecked && button->Down()) text += " (x)";
            if (!link->Item()->GetEnabled()) text += " [off]";
            result.push_back(text);
        }
        return result;
    }
    // The generated button of the menu with that command.
    TdxBarItem* Command(int tag) const {
        for (int i = 0; i < menu->ItemLinks()->Count(); ++i)
            if (menu->ItemLinks()->GetLink(i)->Item()->Tag() == tag) return menu->ItemLinks()->GetLink(i)->Item();
        return nullptr;
    }
    void FillGroupMenu(TdxBarItemLink* link, TCustomdxBarControl* window) {
        SetRibbonMenuTarget(link, window);
        FillRibbonPopupMenu(ribbon, menu->ItemLinks(), ribbon->GetEffectivePopupMenuItems() - rpmiItems,
                            MakeEvent(static_cast<TdxCustomRibbon*>(ribbon), &TdxCustomRibbon::RibbonMenuCommand));
    }
    std::vector<std::string> Names(TdxBarItemLinks* links) const {
        std::vector<std::string> result;
        for (int i = 0; i < links->Count(); ++i) result.push_back(Utf8(links->GetLink(i)->Item()->Name()));
        return result;
    }

    TdxRibbonTab* tab = nullptr;
    TdxBar *barFile = nullptr, *barEdit = nullptr, *qatBar = nullptr;
    TdxBarButton *btnOpen = nullptr, *btnSave = nullptr;
    TdxBarPopupMenu* menu = nullptr;  // owned by the form
};

using Menu = std::vector<std::string>;

TEST_F(RibbonContextMenuTest, TheRibbonsMenuFollowsTheToolbarAndTheRibbonsState) {
    const std::string below = "Панель быстрого доступа ниже панели инструментов";
    const std::string above = "Панель быстрого доступа вверху панели инструментов";
    struct Case {
        const char* name;
        bool qatToolbar, qatVisible, qatBelow, minimized, noTabs;
        Menu expected;
    } cases[] = {
        // The editor's ribbon: no quick access toolbar.
        {"no toolbar", false, true, false, false, false, {"Все команды...", "|Mi&nimize the Ribbon"}},
        {"toolbar hidden", true, false, false, false, false, {"Все команды...", "|Mi&nimize the Ribbon"}},
        {"toolbar above", true, true, false, false, false, {"Все команды...", below, "|Mi&nimize the Ribbon"}},
        {"toolbar below", true, true, true, false, false, {"Все команды...", above, "|Mi&nimize the Ribbon"}},
        {"minimized", false, true, false, true, false, {"Все команды...", "|Mi&nimize the Ribbon (x)"}},
        {"no tab headers", false, true, false, false, true, {"Все команды...", "|Mi&nimize the Ribbon [off]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon->QuickAccessToolbar()->SetToolbar(c.qatToolbar ? qatBar : nullptr);
        ribbon->QuickAccessToolbar()->SetVisible(c.qatVisible);
        ribbon->QuickAccessToolbar()->SetPosition(c.qatBelow ? qtpBelowRibbon : qtpAboveRibbon);
        ribbon->SetShowTabGroups(!c.minimized);
        ribbon->SetShowTabHeaders(!c.noTabs);
        menu->ItemLinks()->AddItem(btnOpen);  // a ribbon's menu keeps nothing it had
        ribbon->FillRibbonContextMenu(menu->ItemLinks());
        EXPECT_EQ(Describe(menu->ItemLinks()), c.expected);
        ribbon->SetShowTabHeaders(true);
    }
    // The buttons are internal: the manager's item list does not offer them, and each filling
    // frees those of the one before.
    EXPECT_EQ(ribbon->PopupMenuButtons()->Count(), 2);
    for (int i = 0; i < ribbon->PopupMenuButtons()->Count(); ++i)
        EXPECT_LT(manager->ItemList()->IndexOf(ribbon->PopupMenuButtons()->Items(i)), 0);
}

TEST_F(RibbonContextMenuTest, TheMinimizeCommandIsDisabledWhileNoTabHeaderIsShown) {
    ribbon->FillRibbonContextMenu(menu->ItemLinks());
    EXPECT_TRUE(Command(dxRibbonMenuCommandMinimize)->GetEnabled());
    tab->SetVisible(false);  // the tab row is empty
    ribbon->FillRibbonContextMenu(menu->ItemLinks());
    EXPECT_FALSE(Command(dxRibbonMenuCommandMinimize)->GetEnabled());
}

TEST_F(RibbonContextMenuTest, TheAddRemoveCommandFollowsWhatWasRightClicked) {
    ShowQAT();
    QATLinks()->AddItem(btnSave);
    TdxRibbonQuickAccessGroupButton* editButton = ribbon->AddQATGroupButton(barEdit);
    ASSERT_TRUE(editButton);
    struct Case {
        const char* name;
        TdxBarItemLink* link;
        TCustomdxBarControl* window;
        bool qatVisible;
        std::string expected;
    } cases[] = {
        {"a command of a group", barFile->ItemLinks()->GetLink(0), GroupWindow(barFile), true,
         "Добавить в панель быстрого доступа"},
        {"a command already on the toolbar", barFile->ItemLinks()->GetLink(1), GroupWindow(barFile), true,
         "Добавить в панель быстрого доступа [off]"},
        // A hidden toolbar takes its commands out of every menu.
        {"the toolbar hidden", barFile->ItemLinks()->GetLink(0), GroupWindow(barFile), false, "Все команды..."},
        {"a link of the toolbar", QATLinks()->GetLink(0), nullptr, true, "Удалить на панели быстрого доступа"},
        {"a group", nullptr, GroupWindow(barFile), true, "Добавить в панель быстрого доступа"},
        {"a group with a group button", nullptr, GroupWindow(barEdit), true,
         "Добавить в панель быстрого доступа [off]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon->QuickAccessToolbar()->SetVisible(c.qatVisible);
        FillGroupMenu(c.link, c.window);
        Menu menuText = Describe(menu->ItemLinks());
        ASSERT_FALSE(menuText.empty());
        EXPECT_EQ(menuText[0], c.expected);
        // The other commands follow in a group of their own.
        if (c.qatVisible) {
            EXPECT_EQ(menuText.at(1), "|Все команды...");
        }
    }
}

TEST_F(RibbonContextMenuTest, EachCommandDoesItsWork) {
    ShowQAT();
    int moreCommands = 0;
    struct TCounter : TObject {
        int* count;
        void Run(TdxCustomRibbon*) { ++*count; }
    } counter;
    counter.count = &moreCommands;
    ribbon->OnMoreCommandsExecute = MakeEvent(&counter, &TCounter::Run);
    ribbon->FillRibbonContextMenu(menu->ItemLinks());
    Command(dxRibbonMenuCommandMoreCommands)->Click();
    EXPECT_EQ(moreCommands, 1);

    // The position command moves the toolbar and then names the way back.
    Command(dxRibbonMenuCommandQATPosition)->Click();
    EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
    ribbon->FillRibbonContextMenu(menu->ItemLinks());
    EXPECT_EQ(Command(dxRibbonMenuCommandQATPosition)->GetCaption(), L"Панель быстрого доступа вверху панели инструментов");
    Command(dxRibbonMenuCommandQATPosition)->Click();
    EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpAboveRibbon);

    Command(dxRibbonMenuCommandMinimize)->Click();
    EXPECT_FALSE(ribbon->ShowTabGroups());
    ribbon->FillRibbonContextMenu(menu->ItemLinks());
    Command(dxRibbonMenuCommandMinimize)->Click();
    EXPECT_TRUE(ribbon->ShowTabGroups());

    // Add a command, then remove it through its link on the toolbar.
    FillGroupMenu(barFile->ItemLinks()->GetLink(0), GroupWindow(barFile));
    Command(dxRibbonMenuCommandQATAddRemove)->Click();
    ASSERT_EQ(Names(QATLinks()), (std::vector<std::string>{"btnOpen"}));
    EXPECT_EQ(barFile->ItemLinks()->Count(), 2) << "the group keeps its command";
    FillGroupMenu(QATLinks()->GetLink(0), nullptr);
    Command(dxRibbonMenuCommandQATAddRemove)->Click();
    EXPECT_EQ(QATLinks()->Count(), 0);
    EXPECT_EQ(manager->FindItemByName(L"btnOpen"), btnOpen) << "only the link goes";

    // Add a whole group, then remove its group button: the button item goes too.
    FillGroupMenu(nullptr, GroupWindow(barEdit));
    Command(dxRibbonMenuCommandQATAddRemove)->Click();
    ASSERT_EQ(QATLinks()->Count(), 1);
    auto* groupButton = As<TdxRibbonQuickAccessGroupButton>(QATLinks()->GetLink(0)->Item());
    ASSERT_TRUE(groupButton);
    EXPECT_EQ(groupButton->Toolbar(), barEdit);
    EXPECT_EQ(groupButton->Name(), L"QATBarEdit");
    FillGroupMenu(QATLinks()->GetLink(0), nullptr);
    EXPECT_EQ(Describe(menu->ItemLinks()).at(0), "Удалить на панели быстрого доступа");
    Command(dxRibbonMenuCommandQATAddRemove)->Click();
    EXPECT_EQ(QATLinks()->Count(), 0);
    EXPECT_EQ(manager->FindItemByName(L"QATBarEdit"), nullptr);
}

TEST_F(RibbonContextMenuTest, AGroupButtonIsAddedOnlyWhereThePlacementRuleAllowsIt) {
    EXPECT_EQ(ribbon->AddQATGroupButton(barFile), nullptr) << "no toolbar yet";
    ShowQAT();
    TdxBar* floating = NewBar(L"BarFloating");
    const int items = manager->GetItemCount();
    EXPECT_EQ(ribbon->AddQATGroupButton(nullptr), nullptr);
    EXPECT_EQ(ribbon->AddQATGroupButton(floating), nullptr) << "not a ribbon group";
    EXPECT_EQ(ribbon->AddQATGroupButton(qatBar), nullptr) << "the toolbar itself";
    EXPECT_EQ(manager->GetItemCount(), items) << "a refused button leaves nothing behind";
    EXPECT_EQ(QATLinks()->Count(), 0);
    ASSERT_TRUE(ribbon->AddQATGroupButton(barFile));
    EXPECT_TRUE(ribbon->QuickAccessToolbar()->HasGroupButtonFor(barFile));
    EXPECT_FALSE(ribbon->QuickAccessToolbar()->HasGroupButtonFor(barEdit));
    EXPECT_EQ(ribbon->AddQATGroupButton(barFile), nullptr) << "one button for a group";
    EXPECT_EQ(QATLinks()->Count(), 1);
    EXPECT_EQ(manager->GetItemCount(), items + 1);
    // The group's toolbar goes: the button stands for nothing.
    auto* button = As<TdxRibbonQuickAccessGroupButton>(QATLinks()->GetLink(0)->Item());
    delete barFile;
    barFile = nullptr;
    EXPECT_EQ(button->Toolbar(), nullptr);
}

TEST_F(RibbonContextMenuTest, ARightClickOnTheTabRowOpensTheMenuInTheRibbonsLook) {
    ASSERT_TRUE(PumpUntilIdle());
    const TRect tabs = ViewInfo()->GetTabsBounds();
    const TPoint p = ribbon->ClientToScreen(TPoint{tabs.right - 20, (tabs.top + tabs.bottom) / 2});
    RightClickAt(p);
    ASSERT_TRUE(PumpUntil([&] { return ribbon->ContextMenu() && ribbon->ContextMenu()->GetSubMenuControl(); }));
    TdxBarSubMenuControl* window = ribbon->ContextMenu()->GetSubMenuControl();
    EXPECT_TRUE(IsWindowVisible(window->WindowHandle()));
    EXPECT_EQ(window->GetPainter(), ribbon->BarPainter());
    EXPECT_EQ(Describe(ribbon->ContextMenu()->ItemLinks()), (Menu{"Все команды...", "|Mi&nimize the Ribbon"}));
    // Minimizing from the menu.
    const TPoint minimize = window->ClientToScreen(TPoint{20, window->ClientHeight() - 8});
    ClickAt(minimize);
    ASSERT_TRUE(PumpUntil([&] { return !ribbon->ShowTabGroups(); }));
    ASSERT_TRUE(PumpUntil([&] { return !ribbon->ContextMenu()->GetSubMenuControl(); }));
    // A right click on the groups area opens nothing.
    ribbon->SetShowTabGroups(true);
    ASSERT_TRUE(PumpUntilIdle());
    const TRect groups = ViewInfo()->TabGroupsBounds();
    RightClickAt(ribbon->ClientToScreen(TPoint{groups.right - 10, groups.bottom - 10}));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_FALSE(ribbon->ContextMenu()->GetSubMenuControl());
}

}  // namespace
