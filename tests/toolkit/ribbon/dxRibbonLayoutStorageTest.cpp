// The ribbon's part of the bar manager's stored layout: the quick access toolbar's position, the
// minimized state and the group buttons on the toolbar, through a real INI file and through
// thousands of damaged layouts.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "IniFiles.h"
#include "RibbonTesting.h"
#include "StringList.h"
#include "SysUtils.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarDockControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLayoutStorage.h"
#include "dxBarManager.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonQuickAccessGroupButton.h"

namespace {

class RibbonLayoutStorageTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        form->SetName(L"fmMain");
        TdxRibbonTab* tab = NewTab(L"Главная");
        barFile = NewBar(L"BarFile");
        barEdit = NewBar(L"BarEdit");
        AddGroup(tab, barFile);
        AddGroup(tab, barEdit);
        for (const wchar_t* name : {L"btnOpen", L"btnSave"}) {
            auto* button = new TdxBarButton(form.get());
            button->SetName(name);
            barFile->ItemLinks()->AddItem(button);
        }
        qatBar = NewBar(L"QATBar");
        ribbon->QuickAccessToolbar()->SetToolbar(qatBar);
    }
    String Prefix() const { return manager->MakeSectionPrefix(); }
    // What the toolbar shows: item names, a group button as "[" its toolbar "]".
    std::vector<std::string> QATContent() const {
        std::vector<std::string> result;
        for (int i = 0; i < qatBar->ItemLinks()->Count(); ++i) {
            TdxBarItem* item = qatBar->ItemLinks()->GetLink(i)->Item();
            if (auto* button = As<TdxRibbonQuickAccessGroupButton>(item))
                result.push_back("[" + (button->Toolbar() ? Utf8(button->Toolbar()->Name()) : std::string()) + "]");
            else
                result.push_back(Utf8(item->Name()));
        }
        return result;
    }
    // Leaves the toolbar with its ordinary links only, as a program that just started.
    void DropGroupButtons() {
        for (int i = qatBar->ItemLinks()->Count() - 1; i >= 0; --i)
            if (auto* button = As<TdxRibbonQuickAccessGroupButton>(qatBar->ItemLinks()->GetLink(i)->Item()))
                FreeObject(button);
    }
    int GroupButtonCount() const {
        int count = 0;
        for (int i = 0; i < manager->GetItemCount(); ++i)
            if (Is<TdxRibbonQuickAccessGroupButton>(manager->GetItemByIndex(i))) ++count;
        return count;
    }

    TdxBar *barFile = nullptr, *barEdit = nullptr, *qatBar = nullptr;
};

using Content = std::vector<std::string>;

TEST_F(RibbonLayoutStorageTest, ARoundTripThroughAnIniFileRestoresTheRibbonsState) {
    ASSERT_TRUE(ribbon->AddQATGroupButton(barEdit));
    qatBar->ItemLinks()->AddItem(manager->FindItemByName(L"btnOpen"));
    ASSERT_TRUE(ribbon->AddQATGroupButton(barFile));
    qatBar->ItemLinks()->AddItem(manager->FindItemByName(L"btnSave"));
    ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
    ribbon->SetShowTabGroups(false);
    const Content saved{"[BarEdit]", "btnOpen", "[BarFile]", "btnSave"};
    ASSERT_EQ(QATContent(), saved);

    TTempFolder folder;
    const String fileName = folder.File(L"layout.ini");
    manager->SaveToIniFile(fileName);
    {
        TMemIniFile file(fileName);
        const String section = L"fmMain.dxBarManager.fmMain_dxRibbon1";
        EXPECT_EQ(file.ReadInteger(section, L"QuickAccessToolbarPosition", -1), 1);
        EXPECT_FALSE(file.ReadBool(section, L"ShowTabGroups", true));
        EXPECT_EQ(file.ReadString(L"fmMain.dxBarManager.Bar2.ItemLink0", L"ToolbarName", String()), L"BarEdit");
        EXPECT_EQ(file.ReadString(L"fmMain.dxBarManager.Bar2.ItemLink2", L"ToolbarName", String()), L"BarFile");
    }

    DropGroupButtons();
    ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
    ribbon->SetShowTabGroups(true);
    manager->LoadFromIniFile(fileName);
    EXPECT_EQ(QATContent(), saved);
    EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
    EXPECT_FALSE(ribbon->ShowTabGroups());

    // Loading again while the buttons are there adds none twice.
    manager->LoadFromIniFile(fileName);
    EXPECT_EQ(QATContent(), saved);
    EXPECT_EQ(GroupButtonCount(), 2);
}

TEST_F(RibbonLayoutStorageTest, MissingKeysAndNamesThatNameNoBarChangeNothing) {
    struct Case {
        const char* name;
        std::vector<const wchar_t*> lines;
        Content content;
        TdxQuickAccessToolbarPosition position;
        bool showTabGroups;
    } cases[] = {
        {"no ribbon section", {L"[fmMain.dxBarManager.Bar2]", L"ItemLinkCount=0"}, {}, qtpBelowRibbon, false},
        {"a ribbon section without the keys: the defaults", {L"[fmMain.dxBarManager.fmMain_dxRibbon1]", L"Other=1"}, {},
         qtpAboveRibbon, true},
        {"a position out of range", {L"[fmMain.dxBarManager.fmMain_dxRibbon1]", L"QuickAccessToolbarPosition=7"}, {},
         qtpAboveRibbon, true},
        {"names of no bar, of the toolbar itself, and empty",
         {L"[fmMain.dxBarManager.Bar2]", L"ItemLinkCount=3", L"[fmMain.dxBarManager.Bar2.ItemLink0]",
          L"ToolbarName=BarGone", L"[fmMain.dxBarManager.Bar2.ItemLink1]", L"ToolbarName=QATBar",
          L"[fmMain.dxBarManager.Bar2.ItemLink2]", L"ToolbarName="},
         {}, qtpBelowRibbon, false},
        {"the same group twice",
         {L"[fmMain.dxBarManager.Bar2]", L"ItemLinkCount=2", L"[fmMain.dxBarManager.Bar2.ItemLink0]",
          L"ToolbarName=BarFile", L"[fmMain.dxBarManager.Bar2.ItemLink1]", L"ToolbarName=BarFile"},
         {"[BarFile]"}, qtpBelowRibbon, false},
        // Every counted link has its section: a huge count ends at the first missing one.
        {"a huge count",
         {L"[fmMain.dxBarManager.Bar2]", L"ItemLinkCount=2000000000", L"[fmMain.dxBarManager.Bar2.ItemLink0]",
          L"ToolbarName=BarEdit"},
         {"[BarEdit]"}, qtpBelowRibbon, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DropGroupButtons();
        ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
        ribbon->SetShowTabGroups(false);
        TStringList lines;
        for (const wchar_t* line : c.lines) lines.Add(line);
        TMemIniFile ini{String()};
        ini.SetStrings(&lines);
        TdxBarIniFileEventData data{&ini, dxBarStoringKindIni, Prefix(), L"."};
        ribbon->ReadLayout(manager, &data);
        EXPECT_EQ(QATContent(), c.content);
        EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), c.position);
        EXPECT_EQ(ribbon->ShowTabGroups(), c.showTabGroups);
    }
}

// A layout whose bar sections would float the ribbon's toolbars or dock them elsewhere leaves
// them where the ribbon put them: the quick access toolbar still takes its group buttons.
TEST_F(RibbonLayoutStorageTest, ALayoutNeverMovesTheRibbonsToolbarsOutOfTheirDocks) {
    auto* otherDock = new TdxBarDockControl(form.get());
    otherDock->SetName(L"dockOther");
    otherDock->SetParent(form.get());
    ASSERT_TRUE(ribbon->AddQATGroupButton(barEdit));
    qatBar->ItemLinks()->AddItem(manager->FindItemByName(L"btnOpen"));
    ASSERT_TRUE(ribbon->AddQATGroupButton(barFile));
    const Content saved{"[BarEdit]", "btnOpen", "[BarFile]"};
    ASSERT_EQ(QATContent(), saved);
    TdxDockControl* qatDock = qatBar->DockControl();
    TdxDockControl* groupDock = barFile->DockControl();
    ASSERT_TRUE(qatDock && groupDock);
    TMemIniFile good{String()};
    manager->SaveLayout(&good, Prefix(), dxBarStoringKindIni);

    const String qatSection = TdxBarManager::MakeBarSectionName(Prefix(), qatBar->IndexInCollection());
    const String fileSection = TdxBarManager::MakeBarSectionName(Prefix(), barFile->IndexInCollection());
    struct Case {
        const char* name;
        std::vector<std::pair<String, std::pair<const wchar_t*, const wchar_t*>>> writes;  // section, key, value
    } cases[] = {
        {"the toolbar floating", {{qatSection, {L"DockingStyle", L"0"}}}},
        {"the toolbar on the form's bottom", {{qatSection, {L"DockingStyle", L"3"}}}},
        {"the toolbar in another dock", {{qatSection, {L"DockControl", L"dockOther"}}}},
        {"a group on the form's top and in another dock",
         {{fileSection, {L"DockingStyle", L"2"}}, {fileSection, {L"DockControl", L"dockOther"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DropGroupButtons();
        TStringList lines;
        good.GetStrings(&lines);
        TMemIniFile ini{String()};
        ini.SetStrings(&lines);
        for (const auto& write : c.writes) ini.WriteString(write.first, write.second.first, write.second.second);
        ASSERT_NO_THROW(manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni));
        EXPECT_EQ(qatBar->DockControl(), qatDock);
        EXPECT_EQ(barFile->DockControl(), groupDock);
        EXPECT_EQ(QATContent(), saved);
    }
}

// A toolbar whose window is no quick access window takes no group button: nothing is added and
// nothing is left in the manager.
TEST_F(RibbonLayoutStorageTest, AToolbarThatRefusesGroupButtonsGetsNone) {
    const int items = manager->GetItemCount();
    // The program itself floats the toolbar.
    qatBar->SetDockingStyle(dsNone);
    ASSERT_FALSE(Is<TdxRibbonQuickAccessDockControl>(qatBar->GetEffectiveDockControl()));
    TdxRibbonQuickAccessGroupButton* button = nullptr;
    EXPECT_NO_THROW(button = ribbon->AddQATGroupButton(barFile));
    EXPECT_EQ(button, nullptr);
    EXPECT_EQ(QATContent(), Content{});
    EXPECT_EQ(manager->GetItemCount(), items);
}

TEST_F(RibbonLayoutStorageTest, TheHandlersComeAndGoWithTheBarManager) {
    TMemIniFile ini{String()};
    ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
    ribbon->SetBarManager(nullptr);
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_FALSE(ini.SectionExists(L"fmMain.dxBarManager.fmMain_dxRibbon1"));
    ribbon->SetBarManager(manager);
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_TRUE(ini.SectionExists(L"fmMain.dxBarManager.fmMain_dxRibbon1"));
    // A ribbon that goes leaves the manager no handler of it.
    FreeObject(ribbon);
    ribbon = nullptr;
    EXPECT_NO_THROW(manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni));
    EXPECT_NO_THROW(manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni));
}

TEST_F(RibbonLayoutStorageTest, DamagedLayoutsLoadOrAreIgnored) {
    ASSERT_TRUE(ribbon->AddQATGroupButton(barEdit));
    qatBar->ItemLinks()->AddItem(manager->FindItemByName(L"btnOpen"));
    ASSERT_TRUE(ribbon->AddQATGroupButton(barFile));
    ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
    TMemIniFile saved{String()};
    manager->SaveLayout(&saved, Prefix(), dxBarStoringKindIni);
    TStringList lines;
    saved.GetStrings(&lines);
    ASSERT_GT(lines.Count(), 20);
    DropGroupButtons();

    const wchar_t* values[] = {L"2000000000", L"-1",      L"-2147483648", L"1",       L"0",        L"2",
                               L"x",          L"",        L"BarFile",     L"BarEdit", L"QATBar",   L"barfile",
                               L"QATBarFile", L"btnOpen", L"fmMain",      L"True",    L"0x7FFFFFFF"};
    std::mt19937 random(45);
    TdxRibbonUpdateLock update(ribbon);  // one layout pass at the end, not one for each round
    auto pick = [&](size_t n) { return size_t(random() % n); };
    for (int round = 0; round < 10000; ++round) {
        TStringList mutated;
        mutated.Assign(&lines);
        for (int change = 0, changes = 1 + int(pick(3)); change < changes; ++change) {
            const int index = int(pick(size_t(mutated.Count())));
            const String line = mutated[index];
            const size_t eq = line.find(L'=');
            switch (pick(5)) {
                case 0:
                    mutated.Delete(index);
                    break;
                case 1:
                    if (eq != String::npos) mutated[index] = line.substr(0, eq + 1) + values[pick(std::size(values))];
                    break;
                case 2:
                    mutated.Insert(index, mutated[int(pick(size_t(mutated.Count())))]);
                    break;
                case 3:
                    // A group button's key in another link's section.
                    mutated.Insert(index, String(L"ToolbarName=") + values[pick(std::size(values))]);
                    break;
                default:
                    if (line.size() > 2 && line[0] == L'[') mutated[index] = line.substr(0, line.size() - 2) + L"9]";
            }
            if (mutated.Count() == 0) break;
        }
        TMemIniFile ini{String()};
        ini.SetStrings(&mutated);
        ASSERT_NO_THROW(manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni)) << round;
        // At most one button for each of the two groups, all on the toolbar.
        ASSERT_LE(GroupButtonCount(), 2) << round;
        DropGroupButtons();
    }
    manager->LoadLayout(&saved, Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(QATContent(), (Content{"[BarEdit]", "btnOpen", "[BarFile]"}));
}

}  // namespace
