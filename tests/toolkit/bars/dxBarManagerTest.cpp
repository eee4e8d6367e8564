// The bar manager: its owner, the process-wide list, clamped and ignored values, lookups and
// names, categories, the nested update lock, docking permission, renaming at design time and
// the stream properties it defines.

#include "BarTestSupport.h"

#include "Application.h"
#include "FormDescription.h"
#include "Panel.h"
#include "StringList.h"
#include "dxBarDockControl.h"
#include "dxBarLookups.h"
#include "dxBarUnit.h"

namespace {

class TBarMainForm : public TForm {
    Z_CLASS(TBarMainForm, TForm)
public:
    explicit TBarMainForm(TComponent* owner) : TForm(owner, CreateNew) {}
};

// A dock that counts the WM_SETREDRAW messages it gets, by value.
class TRedrawCountingDock : public TdxDockControl {
    Z_CLASS(TRedrawCountingDock, TdxDockControl)
public:
    using TdxDockControl::TdxDockControl;
    int off = 0, on = 0;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_SETREDRAW) ++(message.WParam ? on : off);
        TdxDockControl::WndProc(message);
    }
};

using BarManager = BarTest;

TEST_F(BarManager, ANilOwnerIsTheMainFormAndWithoutOneItIsRefused) {
    TdxBarManagerList* list = BarManagerList();
    int before = list->Count();
    auto* mainForm = static_cast<TBarMainForm*>(Application->CreateForm(TBarMainForm::StaticClass()));
    ASSERT_EQ(Application->MainForm(), mainForm);
    auto* own = new TdxBarManager(nullptr);
    EXPECT_EQ(own->Owner(), mainForm);
    EXPECT_EQ(list->Count(), before + 1);
    FreeObject(mainForm);  // frees its manager too
    EXPECT_EQ(list->Count(), before);
    EXPECT_EQ(MessageOf([] { new TdxBarManager(nullptr); }), "TdxBarManager should have TWinControl as its Owner");
    EXPECT_EQ(list->Count(), before);
}

TEST_F(BarManager, AWrongOwnerOrASecondManagerIsRefusedAndLeavesNothingBehind) {
    TdxBarManagerList* list = BarManagerList();
    int before = list->Count();
    std::unique_ptr<TComponent> plain(new TComponent(nullptr));
    EXPECT_EQ(ClassAndMessageOf([&] { new TdxBarManager(plain.get()); }),
              "EdxException: TdxBarManager should have TWinControl as its Owner");
    EXPECT_EQ(plain->ComponentCount(), 0);
    int components = form->ComponentCount();
    EXPECT_EQ(ClassAndMessageOf([&] { new TdxBarManager(form.get()); }),
              "EdxException: A control should contain only a single TdxBarManager");
    EXPECT_EQ(form->ComponentCount(), components);
    EXPECT_EQ(list->Count(), before);
    // The first one goes on working.
    TTestBarItem* item = NewItem(L"btnStill");
    EXPECT_EQ(item->BarManager(), manager);
    EXPECT_EQ(ResolveBarManager(form.get()), manager);
    // Another windowed control of the form may have one of its own.
    auto* panel = new TPanel(form.get());
    auto* inner = new TdxBarManager(panel);
    EXPECT_EQ(ResolveBarManager(panel), inner);
}

TEST_F(BarManager, ValuesOutOfRangeAreClampedOrIgnored) {
    manager->SetButtonArrowWidth(1);
    EXPECT_EQ(manager->ButtonArrowWidth(), 11);
    manager->SetButtonArrowWidth(2);
    EXPECT_EQ(manager->ButtonArrowWidth(), 2);
    manager->SetLargeButtonArrowWidth(1);
    EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
    manager->SetLargeButtonArrowWidth(2);
    EXPECT_EQ(manager->LargeButtonArrowWidth(), 2);
    manager->SetWaitForDockingTime(-5);
    EXPECT_EQ(manager->WaitForDockingTime(), 21);
    manager->SetWaitForDockingTime(0);
    EXPECT_EQ(manager->WaitForDockingTime(), 0);
    struct Percents {
        Byte set, kept;
        int useCount;
    } percents[] = {{95, 95, 20}, {150, 100, 0}, {100, 100, 0}, {50, 50, 2}, {0, 0, 1}};
    for (const Percents& p : percents) {
        manager->SetMostRecentItemsPercents(p.set);
        EXPECT_EQ(manager->MostRecentItemsPercents(), p.kept) << int(p.set);
        EXPECT_EQ(manager->MostRecentlyUsedUseCount(), p.useCount) << int(p.set);
    }
    struct Path {
        const wchar_t *set, *kept;
    } paths[] = {{L"", L""}, {L"Software\\Zarnik", L"\\Software\\Zarnik\\"}, {L"\\A\\", L"\\A\\"}, {L"\\", L"\\"}};
    for (const Path& p : paths) {
        manager->SetRegistryPath(p.set);
        EXPECT_EQ(manager->RegistryPath(), p.kept) << Utf8(p.set);
    }
}

TEST_F(BarManager, TheDockColourFollowsTheOwnerUntilOneIsSet) {
    form->SetColor(clTeal);
    EXPECT_TRUE(manager->AutoDockColor());
    EXPECT_EQ(manager->DockColor(), clTeal);
    manager->SetDockColor(clBtnFace);
    EXPECT_FALSE(manager->AutoDockColor());
    EXPECT_EQ(manager->DockColor(), clBtnFace);
    form->SetColor(clRed);
    EXPECT_EQ(manager->DockColor(), clBtnFace);
}

TEST_F(BarManager, BarNamesMatchExactlyItemNamesInAnyLetterCase) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetName(L"BarFile");
    bar->SetCaption(L"Файл");
    EXPECT_EQ(manager->FindBarByName(L"BarFile"), bar);
    EXPECT_EQ(manager->FindBarByName(L"barfile"), nullptr);
    EXPECT_EQ(manager->FindBarByCaption(L"Файл"), bar);
    EXPECT_EQ(manager->FindBarByCaption(L"файл"), nullptr);
    TTestBarItem* item = NewItem(L"btnOpen");
    EXPECT_EQ(manager->FindItemByName(L"BTNOPEN"), item);
    EXPECT_EQ(manager->FindItemByName(L"btnClose"), nullptr);
    EXPECT_EQ(bar->BarManager(), manager);
}

TEST_F(BarManager, UniqueNamesCountUpPastTakenOnes) {
    EXPECT_EQ(manager->MakeUniqueItemName(TTestBarItem::StaticClass()), L"TestBarItem1");
    NewItem(L"testbaritem1");
    EXPECT_EQ(manager->MakeUniqueItemName(TTestBarItem::StaticClass()), L"TestBarItem2");
    manager->Bars()->Add()->SetCaption(L"Настройка 1");
    EXPECT_EQ(manager->MakeUniqueBarCaption(L"Настройка "), L"Настройка 2");
    manager->Bars()->Add()->SetName(L"Bar1");
    EXPECT_EQ(manager->MakeUniqueBarName(L"Bar"), L"Bar2");
    // At design time the designer names things.
    auto* designer = new TRecordingDesigner;
    designer->uniqueName = L"dxBarButtonFromDesigner";
    manager->SetDesigner(designer);
    manager->SetStateFlag(csDesigning, true);
    EXPECT_EQ(manager->MakeUniqueItemName(TTestBarItem::StaticClass()), L"dxBarButtonFromDesigner");
    manager->SetStateFlag(csDesigning, false);
    manager->SetDesigner(nullptr);
}

TEST_F(BarManager, OnlyTheOutermostUnlockRedrawsTheDocks) {
    auto* dock = new TRedrawCountingDock(form.get());
    dock->SetParent(form.get());
    dock->SetBarManager(manager);
    dock->HandleNeeded();
    manager->LockUpdate();
    manager->LockUpdate();
    EXPECT_EQ(dock->off, 1);
    manager->UnlockUpdate();
    EXPECT_EQ(dock->on, 0);
    manager->UnlockUpdate(true);
    EXPECT_EQ(dock->off, 1);
    EXPECT_EQ(dock->on, 1);
    manager->UnlockUpdate();  // unbalanced: nothing
    EXPECT_EQ(dock->on, 1);
    // A hidden dock is left alone.
    dock->Hide();
    manager->LockUpdate();
    manager->UnlockUpdate();
    EXPECT_EQ(dock->off, 1);
    // The dock leaves the manager when it goes, or on request (the four side docks stay).
    EXPECT_EQ(manager->GetDockControlCount(), 5);
    dock->SetBarManager(nullptr);
    EXPECT_EQ(manager->GetDockControlCount(), 4);
    EXPECT_TRUE(dock->ParentColor());
    dock->SetBarManager(manager);
    FreeObject(dock);
    EXPECT_EQ(manager->GetDockControlCount(), 4);
}

TEST_F(BarManager, DockingIsAllowedByTheBarTheManagerOrAHandPlacedDock) {
    TdxBar* bar = manager->Bars()->Add();
    auto* side = new TdxDockControl(form.get());
    side->SetDockingStyle(dsTop);
    auto* own = new TdxDockControl(form.get());
    manager->SetNotDocking({dsLeft});
    bar->SetNotDocking({dsBottom});
    struct Case {
        TdxBarDockingStyle style;
        TdxDockControl* dock;
        bool ownAllows, allowed;
    } cases[] = {
        {dsBottom, nullptr, true, false},  // the bar refuses
        {dsLeft, nullptr, true, false},    // the manager refuses at the side docks
        {dsLeft, side, true, false},      {dsTop, side, true, true},
        {dsLeft, own, true, true},  // a dock placed by hand decides itself
        {dsLeft, own, false, false},
    };
    for (const Case& c : cases) {
        own->SetAllowDocking(c.ownAllows);
        EXPECT_EQ(manager->IsDockingAllowed(bar, c.style, c.dock), c.allowed) << int(c.style);
    }
    manager->OnDocking =
        TdxBarCanDockingEvent(+[](TObject*, TdxBarDockingStyle, TdxDockControl*, bool& can) { can = true; });
    EXPECT_TRUE(manager->IsDockingAllowed(bar, dsBottom, nullptr));
}

TEST_F(BarManager, ItemsOfACategoryFollowItsItemsVisible) {
    manager->Categories()->Add(L"Файл");
    TTestBarItem* a = NewItem(L"a", 1);
    TTestBarItem* b = NewItem(L"b", 1);
    TTestBarItem* other = NewItem(L"other", 0);
    b->SetVisible(ivNever);
    EXPECT_EQ(manager->GetCategoryItemsVisible(1), ivAlways);
    EXPECT_EQ(manager->GetCategoryItemsVisible(5), ivNever);
    EXPECT_FALSE(manager->GetCategoryVisible(5));
    manager->SetCategoryItemsVisible(1, ivInCustomizing);
    EXPECT_EQ(a->Visible(), ivInCustomizing);  // it had the category's old value
    EXPECT_EQ(b->Visible(), ivNever);          // it had a value of its own
    EXPECT_EQ(other->Visible(), ivAlways);
    TList list;
    EXPECT_EQ(manager->GetItemsByCategory(1, &list), 2);
    EXPECT_EQ(manager->GetVisibleItemsByCategory(1, &list), 0);
    EXPECT_EQ(manager->GetItemsByCategory(9, &list), 0);
    manager->SetCategoryVisible(0, false);
    EXPECT_EQ(manager->GetCategoryByVisibleIndex(0), 1);
    EXPECT_EQ(manager->GetCategoryByVisibleIndex(1), -1);
    EXPECT_TRUE(manager->Modified());
}

TEST_F(BarManager, ALockedDesignerNotificationIsReportedOnceAtTheEnd) {
    manager->LockDesignerModified(true);
    manager->DesignerModified();
    EXPECT_FALSE(manager->Modified());
    manager->LockDesignerModified(false, false);  // without notify the held change is dropped
    EXPECT_FALSE(manager->Modified());
    manager->LockDesignerModified(true);
    manager->DesignerModified();
    manager->LockDesignerModified(false);
    EXPECT_TRUE(manager->Modified());
}

TEST_F(BarManager, RenamingAtDesignTimeRenamesTheItemsNamedAfterIt) {
    TTestBarItem* prefixed = NewItem(L"dxBarManagerOpen");
    TTestBarItem* exact = NewItem(L"btnExact");
    TTestBarItem* unrelated = NewItem(L"btnOther");
    exact->SetName(L"dxBarManager1");
    TTestBarItem* blocked = NewItem(L"dxBarManagerSave");
    NewItem(L"MainBarsSave");  // the name the blocked one would take
    manager->SetStateFlag(csDesigning, true);
    manager->SetName(L"MainBars");
    manager->SetStateFlag(csDesigning, false);
    EXPECT_EQ(prefixed->Name(), L"MainBarsOpen");
    EXPECT_EQ(exact->Name(), L"MainBars1");
    EXPECT_EQ(unrelated->Name(), L"btnOther");
    EXPECT_EQ(blocked->Name(), L"dxBarManagerSave");
    // At run time nothing else changes.
    manager->SetName(L"RunTimeName");
    EXPECT_EQ(prefixed->Name(), L"MainBarsOpen");
}

TEST_F(BarManager, TheDescriptionHoldsTheItemsAndFourDockSizes) {
    NewItem(L"btnOpen");
    NewItem(L"btnInternal", -1);
    AnsiString text = WriteComponentToText(form.get());
    // The manager writes its items; an internal one belongs to the form alone.
    EXPECT_NE(text.find("\r\n    object btnOpen: TTestBarItem"), AnsiString::npos) << text;
    EXPECT_NE(text.find("\r\n  object btnInternal: TTestBarItem"), AnsiString::npos) << text;
    EXPECT_NE(text.find("    DockControlHeights = (\r\n      0\r\n      0\r\n      0\r\n      0)"), AnsiString::npos)
        << text;
}

TEST_F(BarManager, TheNextManagerIsOneOfTheSameForm) {
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* inner = new TdxBarManager(panel);
    std::unique_ptr<TForm> otherForm(CreateNewForm(nullptr));
    auto* foreign = new TdxBarManager(otherForm.get());
    form->HandleNeeded();
    panel->HandleNeeded();
    otherForm->HandleNeeded();
    TdxBarManagerList* list = BarManagerList();
    EXPECT_EQ(list->NextManager(manager, true), inner);
    EXPECT_EQ(list->NextManager(inner, false), manager);
    EXPECT_EQ(list->NextManager(foreign, true), foreign);
    EXPECT_EQ(list->GetCustomizingManager(), nullptr);
}

}  // namespace
