// The Customize dialog: its form and components, opening and closing for a manager, the window's
// behaviour, the toolbars, commands and options pages, and the command-list painters by pixels.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "PixelSurface.h"
#include "TypInfo.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarCombo.h"
#include "dxBarCustForm.h"
#include "dxBarCustFormPainters.h"
#include "dxBarDockControl.h"
#include "dxBarEdit.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarOffice11Colors.h"
#include "dxBarPopupMenu.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"

namespace {

// Message-box answers for the length of a test: every box is recorded and answered in turn.
class TBoxAnswers {
public:
    explicit TBoxAnswers(std::vector<int> answers) {
        current_ = this;
        answers_ = std::move(answers);
        previous_ = SetMessageBoxFunction(&Answer);
    }
    ~TBoxAnswers() {
        SetMessageBoxFunction(previous_);
        current_ = nullptr;
    }
    std::vector<TShownBox> boxes;

private:
    static int Answer(HWND, const String& text, const String& caption, UINT flags) {
        current_->boxes.push_back(TShownBox{text, caption, flags});
        int answer = current_->answers_.empty() ? IDCANCEL : current_->answers_.front();
        if (!current_->answers_.empty()) current_->answers_.erase(current_->answers_.begin());
        return answer;
    }
    static inline TBoxAnswers* current_ = nullptr;
    std::vector<int> answers_;
    TMessageBoxFunction previous_ = nullptr;
};

// The shared bar form, shown, with two toolbars and a hidden one; the dialog opens on demand.
class CustomizeDialog : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        form->SetBounds(40, 40, 420, 300);
        form->Show();
        standard = NewBar(L"Стандартная");
        format = NewBar(L"Форматирование");
        hidden = NewBar(L"Служебная");
        hidden->SetHidden(true);
        PumpUntilIdle();
    }
    void TearDown() override {
        ShowCustomizationForm(manager, false);
        form.reset();
        WindowTest::TearDown();
    }
    TdxBar* NewBar(const String& caption) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetCaption(caption);
        bar->ItemLinks()->AddItem(Item(L"btnOpen"));
        bar->SetDockingStyle(dsTop);
        bar->SetVisible(true);
        return bar;
    }
    TdxBarItem* Item(const wchar_t* name) const { return static_cast<TdxBarItem*>(form->FindComponent(name)); }
    TdxBarCustomizationForm* Open() {
        ShowCustomizationForm(manager, true);
        auto* dialog = static_cast<TdxBarCustomizationForm*>(CustomizationFormInstance());
        PumpUntilIdle();
        return dialog;
    }
    static void Key(TWinControl* control, Word key) {
        SendMessageW(control->Handle(), WM_KEYDOWN, key, 0);
        SendMessageW(control->Handle(), WM_KEYUP, key, 0xC0000000);
    }
    static void ClickIn(TWinControl* control, TPoint p) {
        SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    static std::vector<String> Entries(TListBox* list) {
        std::vector<String> out;
        for (int i = 0; i < list->Count(); ++i) out.push_back(list->Items()->Strings(i));
        return out;
    }

    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBar *standard = nullptr, *format = nullptr, *hidden = nullptr;
};

// ---- the form's components ------------------------------------------------------------------

struct TPartRow {
    const wchar_t* name;
    const wchar_t* cls;
    const wchar_t* parent;  // nullptr: not a control
    int left, top, width, height;  // width -1: bounds not checked
    const wchar_t* caption;  // nullptr: not checked
};

TEST_F(CustomizeDialog, FormHoldsEveryComponentWithItsClassParentBoundsAndCaption) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const TPartRow rows[] = {
        {L"Panel1", L"TPanel", L"dxBarCustomizationForm", 0, 274, 366, 36, nullptr},
        {L"BHelp", L"TBitBtn", L"Panel1", 6, 7, 24, 23, nullptr},
        {L"BClose", L"TButton", L"Panel1", -1, 7, -1, 23, L"Закрыть"},
        {L"Panel2", L"TPanel", L"dxBarCustomizationForm", 0, 8, 6, 266, nullptr},
        {L"Panel3", L"TPanel", L"dxBarCustomizationForm", 360, 8, 6, 266, nullptr},
        {L"Panel4", L"TPanel", L"dxBarCustomizationForm", 0, 0, 366, 8, nullptr},
        {L"PageControl", L"TPageControl", L"dxBarCustomizationForm", 6, 8, 354, 266, nullptr},
        {L"tsToolbars", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L" Панель инструментов "},
        {L"LabelToobars", L"TLabel", L"tsToolbars", 4, 3, -1, 0, L"Панели инструментов:"},
        {L"lbBarsList", L"TListBox", L"tsToolbars", 4, 19, 227, -1, nullptr},
        {L"BBarNew", L"TButton", L"tsToolbars", 238, 19, 104, 22, L"&Создать..."},
        {L"BBarRename", L"TButton", L"tsToolbars", 238, 48, 104, 22, L"&Переименовать..."},
        {L"BBarDelete", L"TButton", L"tsToolbars", 238, 77, 104, 22, L"&Удалить"},
        {L"BBarReset", L"TButton", L"tsToolbars", 238, 106, 104, 22, L"С&бросить..."},
        {L"tsItems", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L" Команды "},
        {L"Panel6", L"TPanel", L"tsItems", -1, 0, -1, 25, nullptr},
        {L"LabelCategories", L"TLabel", L"Panel6", -1, 0, -1, 0, L"Категории:"},
        {L"LabelCommands", L"TLabel", L"Panel6", -1, 0, -1, 0, L"Команды:"},
        {L"Panel7", L"TPanel", L"tsItems", -1, 0, -1, 0, nullptr},
        {L"lbCategories", L"TListBox", L"Panel7", 0, 0, 135, -1, nullptr},
        {L"lbItems", L"TListBox", L"Panel7", -1, 0, 194, -1, nullptr},
        {L"Panel9", L"TPanel", L"Panel7", -1, 0, -1, 66, nullptr},
        {L"LabelDescription", L"TLabel", L"Panel9", -1, 0, -1, 0, L"Описание  "},
        {L"Bevel1", L"TBevel", L"Panel9", -1, 0, -1, 0, nullptr},
        {L"DescriptionLabel", L"TLabel", L"Panel9", -1, 0, -1, 40, nullptr},
        {L"tsOptions", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L" Свойства "},
        {L"StandardOptionsPanel", L"TPanel", L"tsOptions", -1, 0, -1, 0, nullptr},
        {L"EnhancedOptionsPanel", L"TPanel", L"tsOptions", -1, 0, -1, 0, nullptr},
        {L"CBMenusShowRecentItemsFirst", L"TCheckBox", L"EnhancedOptionsPanel", -1, 0, -1, 0,
         L"Me&nus show recently used commands first"},
        {L"CBShowFullMenusAfterDelay", L"TCheckBox", L"EnhancedOptionsPanel", -1, 0, -1, 0,
         L"Показать все меню через некоторое время"},
        {L"BResetUsageData", L"TButton", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"&Reset my usage data"},
        {L"Label2", L"TLabel", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"Другие  "},
        {L"CBLargeIconsEx", L"TCheckBox", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"Большие кнопки"},
        {L"CBHint1Ex", L"TCheckBox", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"Show Tool&Tips on toolbars"},
        {L"CBHint2Ex", L"TCheckBox", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"Show s&hortcut keys in ToolTips"},
        {L"Label1", L"TLabel", L"EnhancedOptionsPanel", -1, 0, -1, 0, L"Анимация меню:"},
        {L"ComboBoxMenuAnimationsEx", L"TComboBox", L"EnhancedOptionsPanel", -1, 0, -1, 0, nullptr},
        {L"CBHint1", L"TCheckBox", L"StandardOptionsPanel", -1, 0, -1, 0, nullptr},
        {L"CBHint2", L"TCheckBox", L"StandardOptionsPanel", -1, 0, -1, 0, nullptr},
        {L"CBLargeIcons", L"TCheckBox", L"StandardOptionsPanel", -1, 0, -1, 0, nullptr},
        {L"ComboBoxMenuAnimations", L"TComboBox", L"StandardOptionsPanel", -1, 0, -1, 0, nullptr},
        {L"tsCommands", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L" All commands "},
        {L"LAllCommands", L"TListBox", L"tsCommands", -1, 0, -1, 0, nullptr},
        {L"CBShowCommandsWithShortCut", L"TCheckBox", L"tsCommands", -1, 0, -1, 0,
         L"Show commands that may have a shortcut"},
        {L"tsGroups", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L"Groups"},
        {L"gbGroups", L"TGroupBox", L"tsGroups", 0, 0, 171, -1, L" Groups "},
        {L"tbGroups", L"TToolBar", L"gbGroups", -1, 0, -1, 0, nullptr},
        {L"btnAddGroup", L"TToolButton", L"tbGroups", -1, 0, -1, 0, nullptr},
        {L"lbGroups", L"TListBox", L"gbGroups", -1, 0, -1, 0, nullptr},
        {L"Bevel4", L"TBevel", L"tsGroups", -1, 0, 4, -1, nullptr},
        {L"gpGroupItems", L"TGroupBox", L"tsGroups", -1, 0, -1, 0, L" Items "},
        {L"tbGroupItems", L"TToolBar", L"gpGroupItems", -1, 0, -1, 0, nullptr},
        {L"lbGroupItems", L"TListBox", L"gpGroupItems", -1, 0, -1, 0, nullptr},
        {L"TabSheet1", L"TTabSheet", L"PageControl", -1, 0, -1, 0, L"Key Tips"},
        {L"tvKeyTips", L"TTreeView", L"TabSheet1", -1, 0, -1, 0, nullptr},
        {L"imgGroups", L"TImageList", nullptr, 0, 0, -1, 0, nullptr},
        {L"alCustomize", L"TActionList", nullptr, 0, 0, -1, 0, nullptr},
        {L"aAddItem", L"TAction", nullptr, 0, 0, -1, 0, L"Add Item"},
        {L"aNewToolBar", L"TAction", nullptr, 0, 0, -1, 0, L"&Создать..."},
        {L"aDeleteItem", L"TAction", nullptr, 0, 0, -1, 0, L"Delete Item"},
        {L"aMoveUpItem", L"TAction", nullptr, 0, 0, -1, 0, L"Move Up"},
        {L"aSubMenuEditor", L"TAction", nullptr, 0, 0, -1, 0, L"SubMenu Editor..."},
        {L"aClearItemList", L"TAction", nullptr, 0, 0, -1, 0, L"Clear"},
        {L"alGroupCustomize", L"TActionList", nullptr, 0, 0, -1, 0, nullptr},
        {L"aAddGroup", L"TAction", nullptr, 0, 0, -1, 0, L"Add Group"},
        {L"aMoveDownGroupItem", L"TAction", nullptr, 0, 0, -1, 0, nullptr},
        {L"BarManager1", L"TdxBarManager", nullptr, 0, 0, -1, 0, nullptr},
        {L"CategoriesAdd", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Добавить..."},
        {L"CategoriesInsert", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Вставить..."},
        {L"CategoriesRename", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Переименовать..."},
        {L"CategoriesVisible", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Видим"},
        {L"CategoriesItemsVisible", L"TdxBarCombo", nullptr, 0, 0, -1, 0, L"Items Visible:"},
        {L"CategoriesDelete", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Удалить"},
        {L"CommandsAdd", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Добавить..."},
        {L"CommandsDelete", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Удалить"},
        {L"CommandsClear", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Очистить"},
        {L"CommandsMoveUp", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Вверх"},
        {L"CommandsMoveDown", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Вниз"},
        {L"CommandsSubMenuEditor", L"TdxBarButton", nullptr, 0, 0, -1, 0, L"Редактор подменю..."},
        {L"CategoriesPopupMenu", L"TdxBarPopupMenu", nullptr, 0, 0, -1, 0, nullptr},
        {L"CommandsPopupMenu", L"TdxBarPopupMenu", nullptr, 0, 0, -1, 0, nullptr},
    };
    for (const TPartRow& row : rows) {
        SCOPED_TRACE(Utf8(row.name));
        TComponent* part = dialog->FindComponent(row.name);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->ClassName(), row.cls);
        if (row.parent) {
            auto* control = As<TControl>(part);
            ASSERT_NE(control, nullptr);
            ASSERT_NE(control->Parent(), nullptr);
            EXPECT_EQ(control->Parent()->Name(), row.parent);
            if (row.left >= 0 && row.width >= 0) EXPECT_EQ(control->Left(), row.left);
            if (row.width >= 0) EXPECT_EQ(control->Width(), row.width);
            if (row.height > 0) EXPECT_EQ(control->Height(), row.height);
        }
        if (row.caption) EXPECT_EQ(GetStrProp(part, L"Caption"), row.caption);
    }
    // The bars list is anchored to the bottom of its page.
    EXPECT_EQ(dialog->tsToolbars->ClientHeight() - dialog->lbBarsList->Top() - dialog->lbBarsList->Height(),
              238 - 19 - 213);
    // The fields the form publishes are the components of the description.
    EXPECT_EQ(dialog->lbItems, dialog->FindComponent(L"lbItems"));
    EXPECT_EQ(dialog->BarManager1, dialog->FindComponent(L"BarManager1"));
    EXPECT_EQ(dialog->aMoveDownItem, dialog->FindComponent(L"aMoveDownItem"));
    // The placeholders of the popup buttons go at run time.
    EXPECT_EQ(dialog->FindComponent(L"CategoriesPopupButtonPlace"), nullptr);
    EXPECT_EQ(dialog->CategoriesPopupButton, nullptr);
    // The popup menus hold their entries in groups.
    TdxBarItemLinks* categoryLinks = dialog->CategoriesPopupMenu->ItemLinks();
    ASSERT_EQ(categoryLinks->Count(), 6);
    EXPECT_EQ(categoryLinks->GetLink(3)->Item(), dialog->CategoriesVisible);
    EXPECT_TRUE(categoryLinks->GetLink(3)->BeginGroup());
    EXPECT_TRUE(categoryLinks->GetLink(5)->BeginGroup());
    EXPECT_EQ(dialog->CommandsPopupMenu->ItemLinks()->Count(), 6);
    EXPECT_EQ(dialog->aMoveUpItem->Tag(), -1);
    EXPECT_EQ(dialog->aMoveDownItem->Tag(), 1);
}

struct TEventRow {
    const wchar_t* component;
    const wchar_t* event;
    const wchar_t* handler;
};

TEST_F(CustomizeDialog, EveryBoundEventNamesTheFormsPublishedHandler) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const TEventRow rows[] = {
        {L"BHelp", L"OnClick", L"BHelpClick"},
        {L"BClose", L"OnClick", L"BCloseClick"},
        {L"lbItems", L"OnDrawItem", L"lbItemsDrawItem"},
        {L"lbItems", L"OnClick", L"lbItemsClick"},
        {L"lbBarsList", L"OnDrawItem", L"lbBarsListDrawItem"},
        {L"lbCategories", L"OnClick", L"lbCategoriesClick"},
        {L"CBMenusShowRecentItemsFirst", L"OnClick", L"CBMenusShowRecentItemsFirstClick"},
        {L"CBShowFullMenusAfterDelay", L"OnClick", L"CBShowFullMenusAfterDelayClick"},
        {L"BResetUsageData", L"OnClick", L"BResetUsageDataClick"},
        {L"CBLargeIcons", L"OnClick", L"CBLargeIconsClick"},
        {L"CBLargeIconsEx", L"OnClick", L"CBLargeIconsClick"},
        {L"CBHint1", L"OnClick", L"CBHint1Click"},
        {L"CBHint1Ex", L"OnClick", L"CBHint1ExClick"},
        {L"CBHint2", L"OnClick", L"CBHint2Click"},
        {L"CBHint2Ex", L"OnClick", L"CBHint2Click"},
        {L"ComboBoxMenuAnimations", L"OnChange", L"ComboBoxMenuAnimationsClick"},
        {L"ComboBoxMenuAnimationsEx", L"OnChange", L"ComboBoxMenuAnimationsClick"},
        {L"LAllCommands", L"OnClick", L"LAllCommandsClick"},
        {L"LAllCommands", L"OnDrawItem", L"LAllCommandsDrawItem"},
        {L"LAllCommands", L"OnKeyDown", L"LAllCommandsKeyDown"},
        {L"CBShowCommandsWithShortCut", L"OnClick", L"CBShowCommandsWithShortCutClick"},
        {L"lbGroups", L"OnDrawItem", L"lbGroupsDrawItem"},
        {L"lbGroups", L"OnMeasureItem", L"lbGroupsMeasureItem"},
        {L"lbGroupItems", L"OnMeasureItem", L"lbGroupsMeasureItem"},
        {L"lbGroupItems", L"OnKeyDown", L"lbGroupItemsKeyDown"},
        {L"aAddItem", L"OnExecute", L"aAddItemExecute"},
        {L"aNewToolBar", L"OnExecute", L"aNewToolBarExecute"},
        {L"aRenameToolBar", L"OnExecute", L"aRenameToolBarExecute"},
        {L"aDeleteToolBar", L"OnExecute", L"aDeleteToolBarExecute"},
        {L"aResetToolBar", L"OnExecute", L"aResetToolBarExecute"},
        {L"aDeleteItem", L"OnExecute", L"aDeleteItemExecute"},
        {L"aMoveUpItem", L"OnExecute", L"aMoveItemExecute"},
        {L"aMoveDownItem", L"OnExecute", L"aMoveItemExecute"},
        {L"aSubMenuEditor", L"OnExecute", L"aSubMenuEditorExecute"},
        {L"aClearItemList", L"OnExecute", L"aClearItemListExecute"},
        {L"aAddGroup", L"OnExecute", L"aAddGroupExecute"},
        {L"aMoveUpGroup", L"OnExecute", L"aMoveGroupExecute"},
        {L"aMoveDownGroupItem", L"OnExecute", L"aMoveGroupItemExecute"},
        {L"CategoriesAdd", L"OnClick", L"CategoriesAddClick"},
        {L"CategoriesItemsVisible", L"OnChange", L"CategoriesItemsVisibleChange"},
        {L"CategoriesDelete", L"OnClick", L"CategoriesDeleteClick"},
        {L"CommandsSubMenuEditor", L"OnClick", L"CommandsSubMenuEditorClick"},
        {L"CategoriesPopupMenu", L"OnPopup", L"CategoriesPopupMenuPopup"},
        {L"CommandsPopupMenu", L"OnPopup", L"CommandsPopupMenuPopup"},
    };
    for (const TEventRow& row : rows) {
        SCOPED_TRACE(Utf8(String(row.component) + L"." + row.event));
        TComponent* part = dialog->FindComponent(row.component);
        ASSERT_NE(part, nullptr);
        const TPropInfo* prop = GetPropInfo(part, row.event);
        ASSERT_NE(prop, nullptr);
        ASSERT_EQ(prop->Kind, tkMethod);
        const TMethodInfo* method = dialog->PublishedTable().FindMethod(row.handler);
        ASSERT_NE(method, nullptr);
        EXPECT_TRUE(prop->MethodIs(part, *method, dialog));
    }
}

// ---- opening and closing ----------------------------------------------------------------------

TEST_F(CustomizeDialog, OpensOneDialogForOneManagerAndClosingGivesEverythingBack) {
    int shown = 0, hiddenCount = 0;
    struct TCounter : TObject {
        int* shown;
        int* hidden;
        void Shown(TObject*) { ++*shown; }
        void Hidden(TObject*) { ++*hidden; }
    } counter;
    counter.shown = &shown;
    counter.hidden = &hiddenCount;
    manager->OnShowCustomizingForm = MakeEvent(&counter, &TCounter::Shown);
    manager->OnHideCustomizingForm = MakeEvent(&counter, &TCounter::Hidden);
    auto previousBarsChange = manager->Bars()->OnChange;

    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsCustomizationFormShown());
    EXPECT_EQ(dialog->Caption(), L"Настройка");
    EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
    EXPECT_EQ(shown, 1);
    // The forms of other managers take no input while the dialog shows; the customized
    // manager's form keeps it, or its bars could not be customized.
    TForm* otherForm = NewShownForm();
    auto* otherFormManager = new TdxBarManager(otherForm);
    (void)otherFormManager;
    dialog->Hide();
    dialog->Show();
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_FALSE(IsWindowEnabled(otherForm->Handle()));

    // A second call, and one for another manager, leave the one dialog.
    ShowCustomizationForm(manager, true);
    TForm* other = NewShownForm();
    auto* otherManager = new TdxBarManager(other);
    ShowCustomizationForm(otherManager, true);
    EXPECT_EQ(CustomizationFormInstance(), dialog);
    EXPECT_EQ(shown, 1);

    // The window: a popup with a thick frame owned by the manager's form.
    LONG style = GetWindowLongW(dialog->Handle(), GWL_STYLE);
    EXPECT_EQ(DWORD(style) & ~DWORD(WS_VISIBLE) & 0xFFFF0000u, 0x84CC0000u);
    EXPECT_EQ(GetWindowLongW(dialog->Handle(), GWL_EXSTYLE) & 0x101, 0x101);
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), form->Handle());
    EXPECT_EQ(dialog->Constraints()->MinHeight(), dialog->BuiltHeight());

    // Closing frees the dialog and gives back the form, the events and the count.
    dialog->Close();
    PumpUntil([] { return !IsCustomizationFormShown(); });
    EXPECT_FALSE(IsCustomizationFormShown());
    EXPECT_EQ(hiddenCount, 1);
    EXPECT_TRUE(IsWindowEnabled(otherForm->Handle()));
    EXPECT_EQ(manager->Bars()->OnChange, previousBarsChange);
    delete other;
    delete otherForm;
}

TEST_F(CustomizeDialog, BordersResizeOnlyInHeight) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    RECT w;
    GetWindowRect(dialog->Handle(), &w);
    const int midX = (w.left + w.right) / 2, midY = (w.top + w.bottom) / 2;
    struct TCase {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {w.left + 1, midY, HTCLIENT},   {w.right - 2, midY, HTCLIENT},     {w.left + 1, w.top + 1, HTTOP},
        {w.right - 2, w.top + 1, HTTOP}, {w.left + 1, w.bottom - 2, HTBOTTOM}, {w.right - 2, w.bottom - 2, HTBOTTOM},
        {midX, w.bottom - 2, HTBOTTOM},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.x - w.left) + "," + std::to_string(c.y - w.top));
        EXPECT_EQ(SendMessageW(dialog->Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.expected);
    }
    // Not lower than built.
    dialog->SetHeight(dialog->BuiltHeight() - 80);
    EXPECT_EQ(dialog->Height(), dialog->BuiltHeight());
}

// ---- toolbars page ----------------------------------------------------------------------------

TEST_F(CustomizeDialog, ToolbarsPageListsTheShownBarsAndTogglesThemBySquareOrSpace) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    TListBox* list = dialog->lbBarsList;
    EXPECT_EQ(Entries(list), (std::vector<String>{L"Стандартная", L"Форматирование"}));
    // The manager was read from a description: its bars can be reset.
    EXPECT_TRUE(dialog->BBarReset->Visible());

    // Space toggles the bar at the item index.
    list->SetItemIndex(1);
    Key(list, VK_SPACE);
    EXPECT_FALSE(format->Visible());
    Key(list, VK_SPACE);
    EXPECT_TRUE(format->Visible());

    // A press on the square toggles, a press on the caption only selects.
    TRect first = list->ItemRect(0);
    ClickIn(list, TPoint(first.left + RectHeight(first) / 2, first.top + RectHeight(first) / 2));
    EXPECT_FALSE(standard->Visible());
    ClickIn(list, TPoint(first.left + RectHeight(first) + 30, first.top + 2));
    EXPECT_FALSE(standard->Visible());
    EXPECT_EQ(list->ItemIndex(), 0);

    // A bar that may not close stays.
    format->SetAllowClose(false);
    list->SetItemIndex(1);
    Key(list, VK_SPACE);
    EXPECT_TRUE(format->Visible());
}

TEST_F(CustomizeDialog, ResetIsOfferedOnlyWhenTheManagerCanReset) {
    manager->SetAllowReset(false);
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->BBarReset->Visible());
}

TEST_F(CustomizeDialog, DeletingToolbarsAsksAndCancelChangesNothing) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    TListBox* list = dialog->lbBarsList;
    TRect second = list->ItemRect(1);
    ClickIn(list, TPoint(second.left + RectHeight(second) + 20, second.top + 2));
    ASSERT_TRUE(dialog->aDeleteToolBar->Enabled());
    {
        TBoxAnswers answers({IDCANCEL});
        dialog->aDeleteToolBar->Execute();
        ASSERT_EQ(answers.boxes.size(), 1u);
        EXPECT_EQ(answers.boxes[0].Text, L"Are you sure you want to delete the 'Форматирование' toolbar?");
        EXPECT_EQ(answers.boxes[0].Flags, UINT(MB_OKCANCEL | MB_ICONWARNING));
    }
    EXPECT_EQ(manager->Bars()->Count(), 3);
    EXPECT_EQ(list->Count(), 2);
    {
        TBoxAnswers answers({IDOK});
        dialog->aDeleteToolBar->Execute();
    }
    EXPECT_EQ(manager->Bars()->Count(), 2);
    EXPECT_EQ(Entries(list), (std::vector<String>{L"Стандартная"}));
    EXPECT_EQ(list->ItemIndex(), 0);  // the neighbour before is selected
}

// ---- commands page ----------------------------------------------------------------------------

TEST_F(CustomizeDialog, CommandsPageListsVisibleCategoriesTheirCommandsAndDescriptions) {
    Item(L"btnBold")->SetDescription(L"Полужирное начертание");
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    // The hidden category is left out at run time.
    EXPECT_EQ(Entries(dialog->lbCategories), (std::vector<String>{L"Файл", L"Правка", L"Формат"}));
    EXPECT_EQ(dialog->lbCategories->ItemIndex(), 0);

    dialog->lbCategories->SetItemIndex(2);
    dialog->lbCategoriesClick(dialog->lbCategories);
    std::vector<String> commands = Entries(dialog->lbItems);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], Item(L"btnBold")->GetCaption());
    for (int i = 0; i < dialog->lbItems->Count(); ++i)
        EXPECT_EQ(static_cast<TdxBarItem*>(dialog->lbItems->Items()->Objects(i))->Category(), 2);

    // The description follows the one selected command.
    dialog->lbItems->SetItemIndex(0);
    dialog->lbItemsClick(dialog->lbItems);
    EXPECT_EQ(dialog->DescriptionLabel->Caption(), L"Полужирное начертание");
    dialog->lbItems->SetItemIndex(1);
    dialog->lbItemsClick(dialog->lbItems);
    EXPECT_EQ(dialog->DescriptionLabel->Caption(), L"");
}

// ---- options page -----------------------------------------------------------------------------

TEST_F(CustomizeDialog, OptionsPanelFollowsTheEffectiveStyle) {
    for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsOffice11}) {
        SCOPED_TRACE(int(style));
        manager->SetStyle(style);
        TdxBarCustomizationForm* dialog = Open();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->StandardOptionsPanel->Visible(), style == bmsStandard);
        EXPECT_EQ(dialog->EnhancedOptionsPanel->Visible(), style != bmsStandard);
        TComboBox* combo = style == bmsStandard ? dialog->ComboBoxMenuAnimations : dialog->ComboBoxMenuAnimationsEx;
        EXPECT_EQ(combo->Items()->Count(), 5);  // the description lists four
        EXPECT_EQ(combo->Items()->Strings(0), L"(нет)");
        EXPECT_EQ(combo->Items()->Strings(4), L"Fade");
        ShowCustomizationForm(manager, false);
    }
}

TEST_F(CustomizeDialog, OptionCheckBoxesWriteAndFollowTheManagerSettings) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    struct TCase {
        TCheckBox* box;
        std::function<bool()> setting;
        std::function<void(bool)> set;
    } cases[] = {
        {dialog->CBMenusShowRecentItemsFirst, [&] { return manager->MenusShowRecentItemsFirst(); },
         [&](bool v) { manager->SetMenusShowRecentItemsFirst(v); }},
        {dialog->CBShowFullMenusAfterDelay, [&] { return manager->ShowFullMenusAfterDelay(); },
         [&](bool v) { manager->SetShowFullMenusAfterDelay(v); }},
        {dialog->CBLargeIconsEx, [&] { return manager->LargeIcons(); }, [&](bool v) { manager->SetLargeIcons(v); }},
        {dialog->CBHint1Ex, [&] { return manager->ShowHint(); }, [&](bool v) { manager->SetShowHint(v); }},
        {dialog->CBHint2Ex, [&] { return manager->ShowShortCutInHint(); },
         [&](bool v) { manager->SetShowShortCutInHint(v); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Utf8(c.box->Name()));
        manager->SetMenusShowRecentItemsFirst(true);
        manager->SetShowHint(true);
        const bool before = c.setting();
        // The box writes the setting...
        c.box->SetChecked(!before);
        EXPECT_EQ(c.setting(), !before);
        // ...and follows the manager's.
        c.set(before);
        EXPECT_EQ(c.box->Checked(), before);
    }
    // Unchecking recent-first disables the full-menus box at once; the hint box the shortcut box.
    dialog->CBMenusShowRecentItemsFirst->SetChecked(false);
    EXPECT_FALSE(dialog->CBShowFullMenusAfterDelay->Enabled());
    dialog->CBMenusShowRecentItemsFirst->SetChecked(true);
    EXPECT_TRUE(dialog->CBShowFullMenusAfterDelay->Enabled());
    dialog->CBHint1Ex->SetChecked(false);
    EXPECT_FALSE(dialog->CBHint2Ex->Enabled());

    // The animation combo sets MenuAnimations by its index.
    dialog->ComboBoxMenuAnimationsEx->SetItemIndex(4);
    dialog->ComboBoxMenuAnimationsClick(dialog->ComboBoxMenuAnimationsEx);
    EXPECT_EQ(manager->MenuAnimations(), maFade);
    manager->SetMenuAnimations(maSlide);
    EXPECT_EQ(dialog->ComboBoxMenuAnimationsEx->ItemIndex(), 3);
}

TEST_F(CustomizeDialog, ResettingUsageDataAsksFirstAndIsOfferedOnlyAtRunTime) {
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->BResetUsageData->Enabled());
    TBoxAnswers answers({IDNO});
    dialog->BResetUsageDataClick(dialog->BResetUsageData);
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].Text, BarString(dxSBAR_WANTTORESETUSAGEDATA));
}

// ---- command-list painters by pixels ------------------------------------------------------

class CustomizeDialogPainters : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        bitmap = std::make_unique<TBitmap>(200, 22, pf32bit);
        canvas = bitmap->Canvas();
    }
    void TearDown() override {
        bitmap.reset();
        BarTest::TearDown();
    }
    TdxBarButton* NewButton(TdxBarButtonStyle style) {
        auto* button = new TdxBarButton(form.get());
        button->SetCaption(L"&Открыть");
        button->SetButtonStyle(style);
        return button;
    }
    void Fill(TColor color) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(TRect(0, 0, 200, 22));
    }
    DWORD Px(int x, int y) { return At(bitmap.get(), x, y); }
    static DWORD Rgb(TColor c) {
        Integer v = ColorToRGB(c);
        return DWORD(GetRValue(v)) << 16 | DWORD(GetGValue(v)) << 8 | GetBValue(v);
    }

    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = nullptr;
};

TEST_F(CustomizeDialogPainters, TheLookFollowsTheManagersExactPainterClass) {
    struct TCase {
        TdxBarManagerStyle style;
        TClass expected;
    } cases[] = {
        {bmsStandard, TdxBarCustomizationFormStandardPainter::StaticClass()},
        {bmsEnhanced, TdxBarCustomizationFormStandardPainter::StaticClass()},
        {bmsFlat, TdxBarCustomizationFormFlatPainter::StaticClass()},
        {bmsOffice11, TdxBarCustomizationFormOffice11Painter::StaticClass()},
    };
    for (const TCase& c : cases) {
        manager->SetStyle(c.style);
        EXPECT_EQ(CustomizationFormPainterFor(manager)->ClassType(), c.expected) << int(c.style);
    }
    EXPECT_EQ(CustomizationFormPainterFor(nullptr)->ClassType(), TdxBarCustomizationFormStandardPainter::StaticClass());
}

TEST_F(CustomizeDialogPainters, ADropDownEntryHasItsOwnThirteenPixelPart) {
    TdxBarCustomizationFormPainterClass painter = CustomizationFormPainterClassOf<TdxBarCustomizationFormPainter>();
    TdxBarButton* plain = NewButton(bsDefault);
    TdxBarButton* dropDown = NewButton(bsDropDown);
    TRect arrow, text, strip;
    painter->CalcEntryRects(dropDown, TRect(0, 0, 200, 22), arrow, text, strip);
    EXPECT_EQ(arrow, TRect(187, 0, 200, 22));
    EXPECT_EQ(strip, TRect(0, 0, 22, 22));
    EXPECT_EQ(text.left, 27);
    painter->CalcEntryRects(plain, TRect(0, 0, 200, 22), arrow, text, strip);
    EXPECT_EQ(text.right, 200);

    // Unselected: an etched line one pixel left of the part, the part in the face colour; the
    // plain entry has no line there.
    Fill(clWhite);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), false, L"Открыть", dropDown);
    EXPECT_EQ(Px(186, 11), Rgb(clBtnShadow));
    EXPECT_EQ(Px(190, 3), Rgb(clBtnFace));
    Fill(clWhite);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), false, L"Открыть", plain);
    EXPECT_EQ(Px(186, 11), Rgb(clBtnFace));
    // Selected: a raised edge around the part, its inside in the unselected face.
    Fill(clWhite);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), true, L"Открыть", dropDown);
    EXPECT_EQ(Px(187, 11), Rgb(clBtnHighlight));
    EXPECT_EQ(Px(199, 11), Rgb(clBtnShadow));
    EXPECT_EQ(Px(189, 3), Rgb(clBtnFace));
    EXPECT_EQ(Px(100, 2), Rgb(clHighlight));
}

TEST_F(CustomizeDialogPainters, ASelectedEntrysSideStripIsSelectedOnlyWithoutGlyph) {
    TdxBarCustomizationFormPainterClass painter = CustomizationFormPainterClassOf<TdxBarCustomizationFormPainter>();
    TdxBarButton* button = NewButton(bsDefault);
    Fill(clWhite);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), true, L"Открыть", button);
    EXPECT_EQ(Px(11, 11), Rgb(clHighlight));
    // With a glyph the strip keeps the face colour.
    TBitmap glyph;
    glyph.SetSize(8, 8);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 8, 8));
    glyph.Canvas()->SetPixels(0, 7, clFuchsia);
    button->Glyph()->Assign(&glyph);
    Fill(clWhite);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), true, L"Открыть", button);
    EXPECT_EQ(Px(3, 11), Rgb(clBtnFace));
    EXPECT_EQ(Px(11, 11), 0xFF0000u);  // the glyph, centred in the strip
    EXPECT_EQ(Px(100, 2), Rgb(clHighlight));
}

TEST_F(CustomizeDialogPainters, OnlyTheStandardLooksDrawAFocusFrame) {
    TdxBarButton* button = NewButton(bsDefault);
    struct TCase {
        TdxBarCustomizationFormPainterClass painter;
        bool frame;
        int inset;
    } cases[] = {
        {CustomizationFormPainterClassOf<TdxBarCustomizationFormStandardPainter>(), true, 2},
        {CustomizationFormPainterClassOf<TdxBarCustomizationFormFlatPainter>(), false, 0},
        {CustomizationFormPainterClassOf<TdxBarCustomizationFormOffice11Painter>(), false, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Utf8(c.painter->ClassName()));
        Fill(clWhite);
        c.painter->DrawFocusFrame(canvas, TRect(0, 0, 200, 22), button);
        int changed = 0;
        for (int x = 0; x < 200; ++x)
            for (int y : {c.inset, 11}) changed += Px(x, y) != 0xFFFFFFu;
        if (c.frame)
            EXPECT_GT(changed, 50);
        else
            EXPECT_EQ(changed, 0);
        if (c.frame) EXPECT_EQ(Px(100, 0), 0xFFFFFFu);  // shrunk by 2
    }
}

TEST_F(CustomizeDialogPainters, ACheckSquareOfABarThatCannotCloseIsDisabled) {
    TdxBarCustomizationFormPainterClass painter = CustomizationFormPainterClassOf<TdxBarCustomizationFormPainter>();
    auto inside = [&](bool enabled) {
        Fill(clRed);
        painter->DrawCheckBox(canvas, TRect(0, 0, 16, 16), true, enabled);
        return Px(4, 4);
    };
    const DWORD enabledFace = inside(true), disabledFace = inside(false);
    EXPECT_EQ(enabledFace, Rgb(clWindow));
    EXPECT_EQ(disabledFace, Rgb(clBtnFace));
    EXPECT_EQ(Px(0, 0), 0xFF0000u);  // the square is shrunk by one
}

TEST_F(CustomizeDialogPainters, ListEntriesShowParenthesesForInPlaceListsAndArrowsForSubItems) {
    TdxBarCustomizationFormPainterClass painter = CustomizationFormPainterClassOf<TdxBarCustomizationFormPainter>();
    auto* list = new TdxBarListItem(form.get());
    auto* sub = new TdxBarSubItem(form.get());
    EXPECT_FALSE(painter->HasArrow(list));
    EXPECT_TRUE(painter->HasArrow(sub));
    EXPECT_TRUE(painter->HasArrow(NewButton(bsDropDown)));
    EXPECT_FALSE(painter->HasArrow(NewButton(bsDefault)));
    // The arrow: a triangle 9 pixels from the right edge, in the font colour.
    Fill(clWhite);
    canvas->Font()->SetColor(clBlack);
    painter->DrawMenuEntry(canvas, TRect(0, 0, 200, 22), false, L"Вид", sub);
    EXPECT_EQ(Px(191, 7 + 3), 0x000000u);
    EXPECT_EQ(Px(190, 10), Rgb(clBtnFace));
}

TEST_F(CustomizeDialogPainters, EditAndComboEntriesDrawCaptionBoxFrameAndButton) {
    TdxBarCustomizationFormPainterClass painter = CustomizationFormPainterClassOf<TdxBarCustomizationFormPainter>();
    auto* edit = new TdxBarEdit(form.get());
    edit->SetCaption(L"И");
    Fill(clRed);
    painter->DrawEditEntry(canvas, TRect(0, 0, 200, 22), edit, false, true);
    // The interior is the item's (clWindow), the combo button at the right in the face colour.
    EXPECT_EQ(Px(120, 11), Rgb(clWindow));
    EXPECT_EQ(Px(200 - 6, 3), Rgb(clBtnFace));
    // Without a button the interior runs to the frame.
    Fill(clRed);
    painter->DrawEditEntry(canvas, TRect(0, 0, 200, 22), edit, false, false);
    EXPECT_EQ(Px(200 - 6, 3), Rgb(clWindow));
}

}  // namespace
