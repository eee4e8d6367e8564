// The ribbon's model: tabs, groups naming toolbars of the bar manager, where those toolbars dock,
// the quick access toolbar, the fonts, and a form description read and written back.
#include <gtest/gtest.h>

#include "FormDescription.h"
#include "RibbonTesting.h"
#include "dxRibbonDockControls.h"

TEST_F(RibbonTest, TabsAreNamedAfterTheRibbonAndTheFirstOneBecomesActive) {
    TdxRibbonTab* first = ribbon->Tabs()->Add();
    TdxRibbonTab* second = ribbon->Tabs()->Add();
    EXPECT_EQ(first->Name(), L"dxRibbon1Tab1");
    EXPECT_EQ(second->Name(), L"dxRibbon1Tab2");
    EXPECT_TRUE(first->Active());
    EXPECT_FALSE(second->Active());
    // A new tab's empty caption equals its empty name, so it follows the name it is given.
    EXPECT_EQ(first->GetDisplayText(), L"dxRibbon1Tab1 - 'dxRibbon1Tab1'");
}

TEST_F(RibbonTest, GroupToolbarsDockInTheActiveTabAndASharedToolbarMovesOnActivation) {
    TdxBar* file = NewBar(L"BarFile");
    TdxBar* shared = NewBar(L"BarShared");
    TdxBar* help = NewBar(L"BarHelp");
    TdxRibbonTab* elements = NewTab(L"Элементы");
    TdxRibbonTab* helpTab = NewTab(L"Помощь");
    AddGroup(elements, file);
    AddGroup(elements, shared);
    AddGroup(helpTab, shared);
    AddGroup(helpTab, help);

    EXPECT_EQ(file->DockControl(), elements->DockControl());
    EXPECT_EQ(shared->DockControl(), elements->DockControl()) << "the active tab shows a shared toolbar";
    EXPECT_EQ(help->DockControl(), helpTab->DockControl());
    EXPECT_TRUE(elements->DockControl()->Visible());
    EXPECT_FALSE(helpTab->DockControl()->Visible());

    helpTab->SetActive(true);
    EXPECT_EQ(shared->DockControl(), helpTab->DockControl());
    EXPECT_TRUE(helpTab->DockControl()->Visible());
    EXPECT_FALSE(elements->DockControl()->Visible());
    // The dock control fills the groups area inside its margins (4, 3, 4, 4).
    const TRect site = ribbon->GroupsSite()->ClientRect();
    EXPECT_TRUE(SameRect(helpTab->DockControl()->BoundsRect(), TRect{4, 3, site.right - 4, site.bottom - 4}));

    // Leaving the shared group of the active tab hands the toolbar back to the other tab.
    helpTab->Groups()->Items(0)->SetToolBar(nullptr);
    EXPECT_EQ(shared->DockControl(), elements->DockControl());
    EXPECT_EQ(helpTab->Groups()->Count(), 1);
}

TEST_F(RibbonTest, ARefusedToolbarRaisesItsMessageAndTheGroupKeepsItsOwn) {
    TdxBar* file = NewBar(L"BarFile");
    TdxBar* action = NewBar(L"BarAction");
    TdxBar* quick = NewBar(L"BarQuick");
    ribbon->QuickAccessToolbar()->SetToolbar(quick);
    TdxRibbonTab* tab = NewTab(L"Элементы");
    TdxRibbonTabGroup* group = AddGroup(tab, file);
    AddGroup(tab, action);
    const struct {
        TdxBar* bar;
        const wchar_t* message;
    } cases[] = {
        {quick, L"This toolbar is already used as the QuickAccessToolbar"},
        {action, L"At least one group in this tab already contains this toolbar"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExceptionText([&] { group->SetToolBar(c.bar); }), c.message);
        EXPECT_EQ(group->ToolBar(), file);
        EXPECT_EQ(file->DockControl(), tab->DockControl()) << "the old toolbar stays docked";
        EXPECT_EQ(quick->DockControl(), ribbon->QuickAccessToolbar()->DockControl());
    }
}

TEST_F(RibbonTest, ClearingOrFreeingAGroupsToolbarDeletesTheGroup) {
    TdxBar* file = NewBar(L"BarFile");
    TdxBar* action = NewBar(L"BarAction");
    TdxRibbonTab* tab = NewTab(L"Элементы");
    AddGroup(tab, file);
    AddGroup(tab, action);
    TdxRibbonTabGroup* empty = tab->Groups()->Add();
    empty->SetToolBar(nullptr);  // nil over nil: the group stays
    ASSERT_EQ(tab->Groups()->Count(), 3);

    tab->Groups()->Items(0)->SetToolBar(nullptr);
    ASSERT_EQ(tab->Groups()->Count(), 2);
    EXPECT_EQ(file->DockControl(), nullptr) << "a toolbar no tab shows is undocked";
    EXPECT_EQ(tab->Groups()->Items(0)->ToolBar(), action);

    FreeObject(action);
    ASSERT_EQ(tab->Groups()->Count(), 1);
    EXPECT_EQ(tab->Groups()->Items(0), empty);
}

TEST_F(RibbonTest, TheQuickAccessToolbarTakesItsToolbarAwayFromTheGroups) {
    TdxBar* file = NewBar(L"BarFile");
    TdxBar* help = NewBar(L"BarHelp");
    TdxRibbonTab* first = NewTab(L"Элементы");
    TdxRibbonTab* second = NewTab(L"Помощь");
    AddGroup(first, file);
    AddGroup(second, file);
    AddGroup(second, help);

    ribbon->QuickAccessToolbar()->SetToolbar(file);
    EXPECT_EQ(first->Groups()->Count(), 0);
    ASSERT_EQ(second->Groups()->Count(), 1);
    EXPECT_EQ(second->Groups()->Items(0)->ToolBar(), help);
    EXPECT_EQ(file->DockControl(), ribbon->QuickAccessToolbar()->DockControl());

    ribbon->QuickAccessToolbar()->SetToolbar(nullptr);
    EXPECT_EQ(file->DockControl(), nullptr);
    FreeObject(help);
    EXPECT_EQ(second->Groups()->Count(), 0);
}

TEST_F(RibbonTest, ATabsCaptionFollowsItsNameOnlyWhileTheyAreEqual) {
    TdxRibbonTab* tab = ribbon->Tabs()->Add();
    tab->SetCaption(tab->Name());
    tab->SetName(L"tabElements");
    EXPECT_EQ(tab->Caption(), L"tabElements");
    tab->SetCaption(L"Элементы");
    tab->SetName(L"tabOther");
    EXPECT_EQ(tab->Caption(), L"Элементы");
}

TEST_F(RibbonTest, HidingTheActiveTabActivatesTheNearestVisibleOne) {
    TdxRibbonTab* a = NewTab(L"A");
    TdxRibbonTab* b = NewTab(L"B");
    TdxRibbonTab* c = NewTab(L"C");
    b->SetActive(true);
    b->SetVisible(false);
    EXPECT_TRUE(c->Active()) << "the next visible tab first";
    EXPECT_EQ(b->VisibleIndex(), -1);
    EXPECT_EQ(c->VisibleIndex(), 1);
    c->SetVisible(false);
    EXPECT_TRUE(a->Active()) << "else the one before";
    FreeObject(a);
    EXPECT_EQ(ribbon->ActiveTab(), nullptr) << "no visible tab is left";
}

TEST_F(RibbonTest, FontsFollowTheManagerAndTheSchemeUntilTheUserSetsThem) {
    TdxRibbonFonts* fonts = ribbon->Fonts();
    TdxCustomRibbonSkin* scheme = ribbon->ColorScheme();
    ASSERT_NE(scheme, nullptr);
    EXPECT_TRUE(fonts->AssignedFonts().Empty());
    EXPECT_EQ(fonts->Group()->Name(), L"Tahoma");
    EXPECT_EQ(fonts->Group()->Height(), -11);
    EXPECT_EQ(fonts->Group()->Color(), scheme->PartColor(10133, 0));
    EXPECT_EQ(fonts->GroupHeader()->Color(), scheme->PartColor(10134, 0));
    EXPECT_EQ(fonts->GetTabHeaderFont(3)->Color(), scheme->PartColor(10132, 3));

    fonts->Group()->SetHeight(-15);
    EXPECT_EQ(fonts->AssignedFonts(), TdxRibbonAssignedFonts{afGroup});
    manager->Font()->SetName(L"Arial");
    fonts->UpdateFonts();
    EXPECT_EQ(fonts->Group()->Height(), -15) << "an assigned font keeps the user's setting";
    EXPECT_EQ(fonts->Group()->Name(), L"Tahoma");
    EXPECT_EQ(fonts->GroupHeader()->Name(), L"Arial");

    fonts->SetAssignedFonts(TdxRibbonAssignedFonts());
    EXPECT_EQ(fonts->Group()->Name(), L"Arial") << "the defaults come back";
    EXPECT_EQ(fonts->Group()->Height(), -11);
}

// ---- a form description --------------------------------------------------------------------

namespace {

class TRibbonTestForm : public TForm {
    Z_CLASS(TRibbonTestForm, TForm)
public:
    explicit TRibbonTestForm(TComponent* owner) : TForm(owner) {}
};

// A bar manager with five toolbars and a ribbon whose two tabs name them; the last group names
// a toolbar that does not exist.
const char* const RibbonDescription = R"(object RibbonTestForm: TRibbonTestForm
  Left = 0
  Top = 0
  Caption = 'Лента'
  ClientWidth = 640
  ClientHeight = 400
  object dxBarManager: TdxBarManager
    object BarFile: TdxBar
      Caption = 'Файл'
    end
    object BarAction: TdxBar
      Caption = 'Действия'
    end
    object BarElement: TdxBar
      Caption = 'Элемент'
    end
    object BarMaterials: TdxBar
      Caption = 'Материалы'
    end
    object BarHelp: TdxBar
      Caption = 'Помощь'
    end
  end
  object dxRibbon1: TdxRibbon
    BarManager = dxBarManager
    ColorSchemeName = 'Blue'
    object dxRibbon1Tab1: TdxRibbonTab
      Active = True
      Caption = 'Элементы'
      Groups = <
        item
          ToolbarName = 'BarFile'
        end
        item
          ToolbarName = 'BarAction'
        end
        item
          ToolbarName = 'BarElement'
        end
        item
          ToolbarName = 'BarMaterials'
        end>
    end
    object dxRibbon1Tab2: TdxRibbonTab
      Caption = 'Помощь'
      Groups = <
        item
          ToolbarName = 'BarHelp'
        end
        item
          ToolbarName = 'BarMissing'
        end>
    end
  end
end
)";

}  // namespace

TEST_F(RibbonTest, AFormDescriptionBindsTheGroupsAndIsWrittenBackAsItWasRead) {
    RegisterClass(TRibbonTestForm::StaticClass());
    auto* loaded = new TRibbonTestForm(nullptr);
    ReadComponentFromText(RibbonDescription, loaded);
    auto* loadedRibbon = As<TdxRibbon>(loaded->FindComponent(L"dxRibbon1"));
    auto* loadedManager = As<TdxBarManager>(loaded->FindComponent(L"dxBarManager"));
    ASSERT_TRUE(loadedRibbon && loadedManager);
    ASSERT_EQ(loadedRibbon->Tabs()->Count(), 2);
    TdxRibbonTab* elements = loadedRibbon->Tabs()->Items(0);
    TdxRibbonTab* help = loadedRibbon->Tabs()->Items(1);
    EXPECT_TRUE(elements->Active());
    ASSERT_EQ(elements->Groups()->Count(), 4);
    EXPECT_EQ(elements->Groups()->Items(3)->ToolBar(), loadedManager->FindBarByName(L"BarMaterials"));
    EXPECT_EQ(loadedManager->FindBarByName(L"BarFile")->DockControl(), elements->DockControl());
    ASSERT_EQ(help->Groups()->Count(), 2);
    EXPECT_EQ(help->Groups()->Items(0)->ToolBar(), loadedManager->FindBarByName(L"BarHelp"));
    EXPECT_EQ(help->Groups()->Items(1)->ToolBar(), nullptr) << "a missing name gives a group without toolbar";

    // Written back, read into a second form, written again: the same text.
    const AnsiString written = WriteComponentToText(loaded);
    EXPECT_NE(written.find("ToolbarName = 'BarMaterials'"), AnsiString::npos) << written;
    FreeObject(loaded);
    auto* again = new TRibbonTestForm(nullptr);
    ReadComponentFromText(written, again);
    EXPECT_EQ(WriteComponentToText(again), written);
    FreeObject(again);
    UnRegisterClass(TRibbonTestForm::StaticClass());
}
