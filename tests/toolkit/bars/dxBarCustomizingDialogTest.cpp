// Customizing mode together with its Customize dialog: the mode opens and closes the dialog,
// merges come apart while it shows, the selection it keeps at run time, the toolbar and category
// names asked in the name dialog, the commands dragged from its list onto a toolbar with real
// input, and the command shortcuts of the dialog that must not touch the application's items.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "SmallDialogTestSupport.h"
#include "TestBarWindow.h"
#include "cxGraphics.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarCustForm.h"
#include "dxBarDragInfo.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarNameEd.h"
#include "dxBarPopupMenuEd.h"
#include "dxBarRunTimeSelectionController.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"

namespace {

// The buttons of the toolbars show as plain 24 x 22 controls, so that links have a place to be
// clicked and dropped on.
class TCustomizingTestControl : public TdxBarItemControl {
    Z_CLASS(TCustomizingTestControl, TdxBarItemControl)
public:
    explicit TCustomizingTestControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}

protected:
    int CalcWidth() override { return 24; }
    int CalcHeight() override { return 22; }
    void DrawContent(const TRect& r, Byte) override {
        FillRect(GetDrawCanvas()->GetCanvasHandle(), &r, GetSysColorBrush(COLOR_BTNFACE));
    }
};

class CustomizingDialog : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registration = std::make_unique<TBarWindowControlRegistration>(TCustomizingTestControl::StaticClass());
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        form->SetBounds(40, 40, 460, 300);
        form->Show();
        standard = NewBar(L"Стандартная", {L"btnOpen"});
        format = NewBar(L"Форматирование", {L"btnBold", L"btnColor"});
        manager->OnShowCustomizingForm = MakeEvent(&counter, &TCounter::Shown);
        manager->OnHideCustomizingForm = MakeEvent(&counter, &TCounter::Hidden);
        PumpUntilIdle();
        TakeBoxes();
    }
    void TearDown() override {
        if (manager) {
            manager->SwitchCustomizing(false);
            manager->SetStateFlag(csDesigning, false);
            manager->SetDesigner(nullptr);
        }
        PumpUntilIdle();
        form.reset();
        registration.reset();
        WindowTest::TearDown();
    }
    TdxBar* NewBar(const String& caption, std::initializer_list<const wchar_t*> items) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetCaption(caption);
        for (const wchar_t* name : items) bar->ItemLinks()->AddItem(Item(name));
        bar->SetDockingStyle(dsTop);
        bar->SetVisible(true);
        return bar;
    }
    TdxBarItem* Item(const wchar_t* name) const { return static_cast<TdxBarItem*>(form->FindComponent(name)); }
    TdxBarCustomizationForm* Dialog() const { return static_cast<TdxBarCustomizationForm*>(CustomizationFormInstance()); }
    TdxBarCustomizationForm* Customize() {
        manager->SwitchCustomizing(true);
        PumpUntilIdle();
        return Dialog();
    }
    static std::vector<String> Entries(TListBox* list) {
        std::vector<String> out;
        for (int i = 0; i < list->Count(); ++i) out.push_back(list->Items()->Strings(i));
        return out;
    }
    static int EntryOf(TListBox* list, TObject* object) {
        for (int i = 0; i < list->Count(); ++i)
            if (list->Items()->Objects(i) == object) return i;
        return -1;
    }
    static TPoint ScreenCentre(TWinControl* control, const TRect& r) {
        return control->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    struct TCounter : TObject {
        int shown = 0, hidden = 0;
        void Shown(TObject*) { ++shown; }
        void Hidden(TObject*) { ++hidden; }
    } counter;
    std::unique_ptr<TBarWindowControlRegistration> registration;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBar *standard = nullptr, *format = nullptr;
};

// ---- the mode and the dialog ------------------------------------------------------------------

TEST_F(CustomizingDialog, TheModeOpensOneDialogAndEndsWithItWhicheverGoesFirst) {
    enum TEnd { endByClosingTheDialog, endByLeavingTheMode, endByFreeingTheDialog };
    for (TEnd end : {endByClosingTheDialog, endByLeavingTheMode, endByFreeingTheDialog}) {
        SCOPED_TRACE(int(end));
        counter.shown = counter.hidden = 0;
        TdxBarCustomizationForm* dialog = Customize();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(manager->IsCustomizing());
        EXPECT_EQ(dialog->Caption(), L"Настройка");
        EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
        EXPECT_EQ(counter.shown, 1);
        // At run time the dialog keeps the selection, the first bar selected.
        auto* selection = dynamic_cast<TdxBarRunTimeSelectionController*>(manager->Designer());
        ASSERT_NE(selection, nullptr);
        EXPECT_EQ(selection->Selection(), std::vector<TObject*>{standard});
        // Another manager cannot customize meanwhile, and no second dialog opens.
        TForm* other = NewShownForm();
        auto* otherManager = new TdxBarManager(other);
        otherManager->SwitchCustomizing(true);
        EXPECT_FALSE(otherManager->IsCustomizing());
        EXPECT_EQ(Dialog(), dialog);
        delete other;

        switch (end) {
            case endByClosingTheDialog:
                ClickAt(ScreenCentre(dialog->BClose, dialog->BClose->ClientRect()));
                break;
            case endByLeavingTheMode:
                manager->SwitchCustomizing(false);
                break;
            case endByFreeingTheDialog:
                FreeObject(dialog);
                break;
        }
        PumpUntil([] { return !IsCustomizationFormShown(); });
        EXPECT_FALSE(IsCustomizationFormShown());
        EXPECT_FALSE(manager->IsCustomizing());
        EXPECT_EQ(counter.hidden, 1) << "the dialog's going is told once";
        EXPECT_EQ(manager->Designer(), nullptr) << "the dialog's selection goes with it";
    }
}

TEST_F(CustomizingDialog, ASelectionTheManagerAlreadyHasIsKeptAndGetsItsEventsBack) {
    auto* own = new TdxBarRunTimeSelectionController;
    manager->SetDesigner(own);
    struct TChanges : TObject {
        int count = 0;
        void Changed(TObject*, TObject*) { ++count; }
    } changes;
    own->OnSelectionChanged = MakeEvent(&changes, &TChanges::Changed);
    ASSERT_NE(Customize(), nullptr);
    EXPECT_EQ(manager->Designer(), static_cast<IdxBarDesigner*>(own));
    EXPECT_GE(changes.count, 1) << "the previous handler still hears the changes";
    own->AddToSelection(format);
    PumpUntilIdle();
    EXPECT_EQ(Dialog()->lbBarsList->ItemIndex(), 1) << "the dialog follows the selection";
    manager->SwitchCustomizing(false);
    PumpUntilIdle();
    EXPECT_EQ(manager->Designer(), static_cast<IdxBarDesigner*>(own));
    const int before = changes.count;
    own->AddToSelection(standard);
    EXPECT_EQ(changes.count, before + 1);
}

TEST_F(CustomizingDialog, MergedBarsComeApartWhileTheDialogShowsAndBackAfterwards) {
    TdxBar* child = NewBar(L"Дочерняя", {L"btnExport"});
    PumpUntilIdle();
    standard->Merge(child);
    ASSERT_EQ(child->MergedInto(), standard);
    ASSERT_EQ(standard->ItemLinks()->Count(), 2);
    ASSERT_NE(Customize(), nullptr);
    EXPECT_EQ(child->MergedInto(), nullptr);
    EXPECT_EQ(standard->ItemLinks()->Count(), 1);
    EXPECT_TRUE(child->Visible());
    Dialog()->Close();
    PumpUntil([] { return !IsCustomizationFormShown(); });
    EXPECT_EQ(child->MergedInto(), standard);
    EXPECT_EQ(standard->ItemLinks()->Count(), 2);
    EXPECT_FALSE(child->Visible());
}

TEST_F(CustomizingDialog, OtherManagersFormsAreDisabledButTheCustomizedFormTakesClicksOnItsBars) {
    TForm* other = NewShownForm();
    other->SetBounds(560, 420, 200, 150);  // clear of the customized form
    new TdxBarManager(other);
    TdxBarCustomizationForm* dialog = Customize();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(other->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    // A real click on a link of the customized form selects it.
    TdxBarItemLink* bold = format->ItemLinks()->GetLink(0);
    ASSERT_NE(bold->Control(), nullptr);
    ClickAt(ScreenCentre(format->BarControl(), bold->Control()->GetBounds()));
    PumpUntilIdle();
    auto* selection = dynamic_cast<TdxBarRunTimeSelectionController*>(manager->Designer());
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->IsInSelection(bold));
    manager->SwitchCustomizing(false);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    delete other;
}

// ---- toolbars: the name dialog ------------------------------------------------------------

TEST_F(CustomizingDialog, NewAsksTheNameAndDocksTheToolbarAtTheTopSelected) {
    TdxBarCustomizationForm* dialog = Customize();
    ASSERT_NE(dialog, nullptr);
    const int bars = manager->Bars()->Count();
    // Cancelled: no bar.
    {
        TdxBarNameEd* nameDialog = nullptr;
        TModalScript<TdxBarNameEd> script(nameDialog, {[] {
                                              TypeKey(VK_ESCAPE);
                                              return true;
                                          }});
        dialog->aNewToolBar->Execute();
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(manager->Bars()->Count(), bars);
    // Confirmed: the offered caption, changed by the user.
    String offered;
    {
        TdxBarNameEd* nameDialog = nullptr;
        TModalScript<TdxBarNameEd> script(nameDialog, {[&] {
                                                           offered = nameDialog->EName->Text();
                                                           ReplaceFocusedText(L"Мои кнопки");
                                                           return true;
                                                       },
                                                       [] {
                                                           TypeKey(VK_RETURN);
                                                           return true;
                                                       }});
        dialog->aNewToolBar->Execute();
        EXPECT_TRUE(script.Done());
    }
    PumpUntilIdle();
    EXPECT_EQ(offered, BarString(dxSBAR_TOOLBARNEWNAME) + L"1");
    ASSERT_EQ(manager->Bars()->Count(), bars + 1);
    TdxBar* added = manager->Bars()->Items(bars);
    EXPECT_EQ(added->Caption(), L"Мои кнопки");
    EXPECT_EQ(added->DockingStyle(), dsTop);
    EXPECT_TRUE(added->Visible());
    EXPECT_FALSE(added->OneOnRow());
    EXPECT_GT(added->Row(), standard->Row()) << "a row of its own after the last one";
    EXPECT_EQ(Entries(dialog->lbBarsList).back(), L"Мои кнопки");
    EXPECT_EQ(dialog->lbBarsList->ItemIndex(), dialog->lbBarsList->Count() - 1) << "the new bar is selected";
}

TEST_F(CustomizingDialog, RenameRefusesAnotherBarsCaptionAndTakesANewOne) {
    TdxBarCustomizationForm* dialog = Customize();
    ASSERT_NE(dialog, nullptr);
    dialog->lbBarsList->SetItemIndex(1);
    dialog->UpdateBarActions();
    ASSERT_TRUE(dialog->aRenameToolBar->Enabled());
    TdxBarNameEd* nameDialog = nullptr;
    String offered;
    TModalScript<TdxBarNameEd> script(nameDialog, {[&] {
                                                       offered = nameDialog->EName->Text();
                                                       ReplaceFocusedText(L"Стандартная");
                                                       TypeKey(VK_RETURN);  // refused: the dialog stays
                                                       return true;
                                                   },
                                                   [&] {
                                                       if (TakeBoxes().size() != 1) return false;
                                                       ReplaceFocusedText(L"Формат");
                                                       TypeKey(VK_RETURN);
                                                       return true;
                                                   }});
    dialog->aRenameToolBar->Execute();
    EXPECT_TRUE(script.Done());
    PumpUntilIdle();
    EXPECT_EQ(offered, L"Форматирование");
    EXPECT_EQ(format->Caption(), L"Формат");
    EXPECT_EQ(standard->Caption(), L"Стандартная");
    EXPECT_EQ(Entries(dialog->lbBarsList), (std::vector<String>{L"Стандартная", L"Формат"}));
}

// ---- commands ------------------------------------------------------------------------------

TEST_F(CustomizingDialog, ACommandDraggedFromTheListOntoAToolbarBecomesALinkThere) {
    TdxBarCustomizationForm* dialog = Customize();
    ASSERT_NE(dialog, nullptr);
    dialog->SelectCommandsPage();
    PumpUntilIdle();
    TListBox* commands = dialog->lbItems;
    const int entry = EntryOf(commands, Item(L"btnExport"));
    ASSERT_GE(entry, 0);
    const TPoint start = ScreenCentre(commands, commands->ItemRect(entry));
    TdxBarItemLink* open = standard->ItemLinks()->GetLink(0);
    const TRect target = open->Control()->GetBounds();
    // The right half of the only link: the command goes after it.
    const TPoint drop = standard->BarControl()->ClientToScreen(TPoint{target.right - 3, (target.top + target.bottom) / 2});
    MoveMouseTo(start);
    PumpUntilIdle();
    // The press and the move out of the drag rectangle are queued together: the list's drag
    // detection sees both before the drag's own loop runs the rest.
    MouseButton(true);
    MoveMouseTo(TPoint{start.x + 10, start.y + 10});
    TTickScript script({[this] { return manager->IsDragging(); },
                        [drop] {
                            MoveMouseTo(drop);
                            return true;
                        },
                        [drop] {
                            MoveMouseTo(TPoint{drop.x - 1, drop.y});
                            return true;
                        },
                        [] {
                            MouseButton(false);
                            return true;
                        }},
                       8000);
    EXPECT_TRUE(PumpUntil([&] { return script.Done() && !manager->IsDragging(); }, 8000));
    EXPECT_FALSE(script.TimedOut());
    PumpUntilIdle();
    ASSERT_EQ(standard->ItemLinks()->Count(), 2);
    EXPECT_EQ(standard->ItemLinks()->GetLink(0)->Item(), Item(L"btnOpen"));
    EXPECT_EQ(standard->ItemLinks()->GetLink(1)->Item(), Item(L"btnExport"));
    EXPECT_TRUE(IsCustomizationFormShown()) << "the dialog stays open";
}

TEST_F(CustomizingDialog, TheDialogsDeleteShortcutLeavesTheApplicationsCommandsAloneAtRunTime) {
    TdxBarCustomizationForm* dialog = Customize();
    ASSERT_NE(dialog, nullptr);
    dialog->SelectCommandsPage();
    PumpUntilIdle();
    TListBox* commands = dialog->lbItems;
    TdxBarItem* exportItem = Item(L"btnExport");
    const int entry = EntryOf(commands, exportItem);
    ASSERT_GE(entry, 0);
    ClickAt(ScreenCentre(commands, commands->ItemRect(entry)));
    PumpUntilIdle();
    ASSERT_EQ(commands->ItemIndex(), entry);
    EXPECT_FALSE(dialog->aDeleteItem->Enabled());
    const int categories = manager->Categories()->Count();
    const int items = manager->ItemList()->Count();
    // Delete and Insert are shortcuts of the dialog's design-time commands for categories and
    // commands; at run time they change nothing and ask nothing.
    for (Word key : {Word(VK_DELETE), Word(VK_INSERT)}) {
        TypeKey(key);
        PumpUntilIdle();
    }
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(manager->Categories()->Count(), categories);
    EXPECT_EQ(manager->ItemList()->Count(), items);
    EXPECT_GE(manager->ItemList()->IndexOf(exportItem), 0);
    EXPECT_EQ(EntryOf(commands, exportItem), entry);
}

// ---- design time ---------------------------------------------------------------------------

class CustomizingDialogAtDesignTime : public CustomizingDialog {
protected:
    void SetUp() override {
        CustomizingDialog::SetUp();
        designer = new TRecordingDesigner;
        manager->SetDesigner(designer);
        manager->SetStateFlag(csDesigning, true);
    }
    // Runs the category command with the name dialog answered by typing the name (or Escape).
    void NameCategory(void (TdxBarCustomCustomizationForm::*command)(TObject*), const String& name) {
        TdxBarNameEd* nameDialog = nullptr;
        TModalScript<TdxBarNameEd> script(nameDialog, {[name] {
            if (name.empty()) {
                TypeKey(VK_ESCAPE);
                return true;
            }
            ReplaceFocusedText(name);
            TypeKey(VK_RETURN);
            return true;
        }});
        (Dialog()->*command)(nullptr);
        EXPECT_TRUE(script.Done());
        PumpUntilIdle();
    }
    TRecordingDesigner* designer = nullptr;  // held by the manager
};

TEST_F(CustomizingDialogAtDesignTime, CategoriesAreAddedInsertedAndRenamedThroughTheNameDialog) {
    ASSERT_NE(Customize(), nullptr);
    TListBox* categories = Dialog()->lbCategories;
    std::vector<String> expected = Entries(categories);
    ASSERT_GE(expected.size(), 2u);
    const int count = manager->Categories()->Count();

    NameCategory(&TdxBarCustomCustomizationForm::CategoriesAddClick, L"Сервис");
    expected.push_back(L"Сервис");
    EXPECT_EQ(Entries(categories), expected);
    EXPECT_EQ(manager->Categories()->Strings(count), L"Сервис");
    EXPECT_EQ(categories->ItemIndex(), count);

    categories->SetItemIndex(1);
    NameCategory(&TdxBarCustomCustomizationForm::CategoriesInsertClick, L"Вставка");
    expected.insert(expected.begin() + 1, L"Вставка");
    EXPECT_EQ(Entries(categories), expected);
    EXPECT_EQ(manager->Categories()->Strings(1), L"Вставка");
    EXPECT_EQ(categories->ItemIndex(), 1);

    NameCategory(&TdxBarCustomCustomizationForm::CategoriesRenameClick, L"Прочее");
    expected[1] = L"Прочее";
    EXPECT_EQ(Entries(categories), expected);
    EXPECT_EQ(manager->Categories()->Strings(1), L"Прочее");

    // Cancelled: nothing changes.
    NameCategory(&TdxBarCustomCustomizationForm::CategoriesRenameClick, String());
    EXPECT_EQ(Entries(categories), expected);
    EXPECT_EQ(manager->Categories()->Count(), count + 2);
}

TEST_F(CustomizingDialogAtDesignTime, TheSubMenuEditorOpensForTheSelectedCommandOnTheCommandsPage) {
    ASSERT_NE(Customize(), nullptr);
    TdxBarCustomizationForm* dialog = Dialog();
    dialog->SelectPage(0);
    auto* subFile = static_cast<TdxBarSubItem*>(Item(L"subFile"));
    TListBox* categories = dialog->lbCategories;
    categories->SetItemIndex(subFile->Category());
    dialog->RefreshList(dialog->lbItems, nullptr, 0);
    const int entry = EntryOf(dialog->lbItems, subFile);
    ASSERT_GE(entry, 0);
    dialog->lbItems->SetSelected(entry, true);
    dialog->lbItems->SetItemIndex(entry);
    dialog->UpdateItemActions();
    ASSERT_TRUE(dialog->aSubMenuEditor->Enabled());
    dialog->aSubMenuEditor->Execute();
    PumpUntilIdle();
    TdxBarSubMenuEditor* editor = SubMenuEditorInstance();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ItemLinks(), subFile->ItemLinks());
    EXPECT_EQ(dialog->PageControl->ActivePage(), dialog->tsItems);
    EXPECT_EQ(GetWindow(editor->Handle(), GW_OWNER), GetWindow(dialog->Handle(), GW_OWNER))
        << "the editor and the dialog have one owner";
    // Customizing ends: the editor goes with the dialog.
    manager->SwitchCustomizing(false);
    PumpUntilIdle();
    EXPECT_EQ(SubMenuEditorInstance(), nullptr);
}

}  // namespace
