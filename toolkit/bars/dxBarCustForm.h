#pragma once
// The Customize dialog: the one non-modal window open while a bar manager is customized. The
// base form (TdxBarCustomCustomizationForm) owns the life cycle, the window's behaviour, the
// link to the manager (its change events, the selection), the toolbars, categories and commands
// lists and their actions; TdxBarCustomizationForm is the dialog with its pages (Toolbars,
// Commands, Options, and while the form is designed All commands and Groups). Both are read from
// the description "TdxBarCustomizationForm" (forms/dxBarCustomizationForm.zfm).

#include <vector>

#include "Actions.h"
#include "Bevel.h"
#include "BitBtn.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Control.h"
#include "Form.h"
#include "GroupBox.h"
#include "ImageList.h"
#include "Label.h"
#include "ListBox.h"
#include "PageControl.h"
#include "Panel.h"
#include "SpeedButton.h"
#include "ToolBar.h"
#include "TreeView.h"
#include "dxBarCustFormPainters.h"
#include "cxComponentCollection.h"
#include "cxComponentList.h"
#include "dxBarForward.h"

// The form's component of that name, or nil when it is missing or of another class.
template <class T>
T* FormPart(TComponent* root, const wchar_t* name) {
    return As<T>(root->FindComponent(name));
}

class TdxBarButton;
class TdxBarCombo;
class TdxBarCustomCustomizationForm;
class TdxBarRunTimeSelectionController;

// The messages the list helpers answer: rebuild a list (wParam 0) or refresh the entry of the
// object in wParam at index lParam; select the designer's selection; update the list's actions.
UINT dxWM_LB_SYNCHRONIZE();
UINT dxWM_LB_SYNCHRONIZESELECTION();
UINT dxWM_LB_UPDATEEVENTS();
// Posted to the dialog with a list box in wParam: rebuild that list later.
constexpr UINT WM_DXBAR_REBUILDLIST = 0x8068;

// ---- list helpers ---------------------------------------------------------------------------

// Stands in front of a list box's window procedure for the time it lives.
class TdxBarCustomizationFormListBoxHelper : public TObject {
    Z_CLASS(TdxBarCustomizationFormListBoxHelper, TObject)
public:
    TdxBarCustomizationFormListBoxHelper(TdxBarCustomCustomizationForm* form, TListBox* listBox);
    ~TdxBarCustomizationFormListBoxHelper() override;
    TListBox* ListBox() const { return listBox_; }

protected:
    virtual void HandleMessage(TMessage& message);
    void CallSaved(TMessage& message) { saved_(message); }
    TdxBarCustomCustomizationForm* form_;
    TListBox* listBox_;

private:
    void WindowProc(TMessage& message);
    TWndMethod saved_;
};

class TdxBarCustomizationFormBarListHelper : public TdxBarCustomizationFormListBoxHelper {
    Z_CLASS(TdxBarCustomizationFormBarListHelper, TdxBarCustomizationFormListBoxHelper)
public:
    using TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper;

protected:
    void HandleMessage(TMessage& message) override;
};

class TdxBarCustomizationFormCategoryListHelper : public TdxBarCustomizationFormListBoxHelper {
    Z_CLASS(TdxBarCustomizationFormCategoryListHelper, TdxBarCustomizationFormListBoxHelper)
public:
    using TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper;

protected:
    void HandleMessage(TMessage& message) override;
};

class TdxBarCustomizationFormItemsListHelper : public TdxBarCustomizationFormListBoxHelper {
    Z_CLASS(TdxBarCustomizationFormItemsListHelper, TdxBarCustomizationFormListBoxHelper)
public:
    using TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper;

protected:
    void HandleMessage(TMessage& message) override;
};

// ---- TCheckableButton -----------------------------------------------------------------------

// A flat text button that drops its popup menu down while it is down.
class TCheckableButton : public TGraphicControl {
    Z_CLASS(TCheckableButton, TGraphicControl)
public:
    explicit TCheckableButton(TComponent* owner);
    // 5 pixels right of the control, keeping the right edge.
    void AlignAfter(TControl* control);
    bool Down() const { return down_; }
    void SetDown(bool value);
    TdxBarPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TdxBarPopupMenu* menu) { dropDownMenu_ = menu; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void MenuClosed(TObject* sender);
    bool down_ = false;
    bool hot_ = false;
    bool ignoreNextPress_ = false;
    TdxBarPopupMenu* dropDownMenu_ = nullptr;
};

// ---- TdxBarCustomCustomizationForm ----------------------------------------------------------

class TdxBarCustomCustomizationForm : public TForm {
    Z_CLASS(TdxBarCustomCustomizationForm, TForm)
    Z_PUBLISHED {
        using C = TdxBarCustomCustomizationForm;
        p.Method(L"aAddItemExecute", &C::aAddItemExecute);
        p.Method(L"aNewToolBarExecute", &C::aNewToolBarExecute);
        p.Method(L"aRenameToolBarExecute", &C::aRenameToolBarExecute);
        p.Method(L"aDeleteToolBarExecute", &C::aDeleteToolBarExecute);
        p.Method(L"aResetToolBarExecute", &C::aResetToolBarExecute);
        p.Method(L"aDeleteItemExecute", &C::aDeleteItemExecute);
        p.Method(L"aMoveItemExecute", &C::aMoveItemExecute);
        p.Method(L"aSubMenuEditorExecute", &C::aSubMenuEditorExecute);
        p.Method(L"aClearItemListExecute", &C::aClearItemListExecute);
        p.Method(L"CategoriesAddClick", &C::CategoriesAddClick);
        p.Method(L"CategoriesInsertClick", &C::CategoriesInsertClick);
        p.Method(L"CategoriesRenameClick", &C::CategoriesRenameClick);
        p.Method(L"CategoriesVisibleClick", &C::CategoriesVisibleClick);
        p.Method(L"CategoriesItemsVisibleChange", &C::CategoriesItemsVisibleChange);
        p.Method(L"CategoriesDeleteClick", &C::CategoriesDeleteClick);
        p.Method(L"CommandsAddClick", &C::CommandsAddClick);
        p.Method(L"CommandsDeleteClick", &C::CommandsDeleteClick);
        p.Method(L"CommandsClearClick", &C::CommandsClearClick);
        p.Method(L"CommandsMoveUpClick", &C::CommandsMoveUpClick);
        p.Method(L"CommandsMoveDownClick", &C::CommandsMoveDownClick);
        p.Method(L"CommandsSubMenuEditorClick", &C::CommandsSubMenuEditorClick);
        p.Method(L"CategoriesPopupMenuPopup", &C::CategoriesPopupMenuPopup);
        p.Method(L"CommandsPopupMenuPopup", &C::CommandsPopupMenuPopup);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(WM_ACTIVATE, WMActivate),
                  Z_MESSAGE(WM_DXBAR_REBUILDLIST, WMRebuildList))

public:
    // Use CreateForManager: the manager must be known before the description is read.
    explicit TdxBarCustomCustomizationForm(TComponent* owner);
    ~TdxBarCustomCustomizationForm() override;
    // A dialog of the class (a descendant of this one) for the manager, built and initialized.
    static TdxBarCustomCustomizationForm* CreateForManager(TClass formClass, TdxBarManager* manager);

    TdxBarManager* BarManager() const { return manager_; }

    // -- the operations every variant answers
    virtual void ShowHelp();
    virtual TColor GetItemsListColor() const;
    virtual TdxBar* GetBarByIndex(int index) const;
    virtual TListBox* GetBarsListBox() const = 0;
    virtual TListBox* GetCategoriesListBox() const = 0;
    virtual TListBox* GetItemsListBox() const = 0;
    virtual TdxBarCustomizationFormPainterClass GetPainterClass() const;
    virtual void ItemsListChanged(TObject* sender, TComponent* component, int action);
    virtual void RebuildLists() = 0;
    virtual void InitControls() {}
    virtual void RestoreEvents();
    virtual void SetDescription(const String& text) { (void)text; }
    virtual void UpdateLook();
    virtual void SelectionChanged(TObject* sender) = 0;
    virtual void SelectPage(int index) = 0;
    virtual void SelectCommandsPage() = 0;
    virtual void UpdateHelpButton() = 0;
    virtual void UpdateOptions() = 0;

    // Follows the manager's form being shown or hidden (its WM_WINDOWPOSCHANGED flags).
    void FollowOwnerVisibility(const WINDOWPOS& position);

    // -- lists
    void RefreshList(TListBox* listBox, TObject* object, int action);
    void ScrollSelectionIntoView(TListBox* listBox);
    void PushSelection(TListBox* listBox);
    void PullSelection(TListBox* listBox);
    void SelectManager();
    // Objects of the entries: the bars list's, the commands list's.
    TObject* EntryObject(TListBox* listBox, int index) const;
    void UpdateBarActions();
    void UpdateItemActions();
    void ToggleBarVisible(int index);
    bool IsPredefinedAtRunTime(TdxBar* bar) const;
    bool IsBarDeletable(TdxBar* bar) const;
    TColor GetListColor() const;
    TColor GetListTextColor() const;
    // Toolbars list and commands list drawing.
    void DrawBarsListItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);

    // -- the form's components
    TImageList* imgGroups = nullptr;
    TActionList* alCustomize = nullptr;
    TAction *aAddItem = nullptr, *aNewToolBar = nullptr, *aRenameToolBar = nullptr, *aDeleteToolBar = nullptr,
            *aResetToolBar = nullptr, *aDeleteItem = nullptr, *aMoveUpItem = nullptr, *aMoveDownItem = nullptr,
            *aSubMenuEditor = nullptr, *aClearItemList = nullptr;
    TdxBarManager* BarManager1 = nullptr;
    TdxBarButton *CategoriesAdd = nullptr, *CategoriesInsert = nullptr, *CategoriesRename = nullptr,
                 *CategoriesVisible = nullptr, *CategoriesDelete = nullptr, *CommandsAdd = nullptr,
                 *CommandsDelete = nullptr, *CommandsClear = nullptr, *CommandsMoveUp = nullptr,
                 *CommandsMoveDown = nullptr, *CommandsSubMenuEditor = nullptr;
    TdxBarCombo* CategoriesItemsVisible = nullptr;
    TdxBarPopupMenu *CategoriesPopupMenu = nullptr, *CommandsPopupMenu = nullptr;

    // -- published handlers
    void aAddItemExecute(TObject* sender);
    void aNewToolBarExecute(TObject* sender);
    void aRenameToolBarExecute(TObject* sender);
    void aDeleteToolBarExecute(TObject* sender);
    void aResetToolBarExecute(TObject* sender);
    void aDeleteItemExecute(TObject* sender);
    void aMoveItemExecute(TObject* sender);
    void aSubMenuEditorExecute(TObject* sender);
    void aClearItemListExecute(TObject* sender);
    void CategoriesAddClick(TObject* sender);
    void CategoriesInsertClick(TObject* sender);
    void CategoriesRenameClick(TObject* sender);
    void CategoriesVisibleClick(TObject* sender);
    void CategoriesItemsVisibleChange(TObject* sender);
    void CategoriesDeleteClick(TObject* sender);
    void CommandsAddClick(TObject* sender) { aAddItem->Execute(); }
    void CommandsDeleteClick(TObject* sender) { aDeleteItem->Execute(); }
    void CommandsClearClick(TObject* sender) { aClearItemList->Execute(); }
    void CommandsMoveUpClick(TObject* sender) { aMoveUpItem->Execute(); }
    void CommandsMoveDownClick(TObject* sender) { aMoveDownItem->Execute(); }
    void CommandsSubMenuEditorClick(TObject* sender) { aSubMenuEditor->Execute(); }
    void CategoriesPopupMenuPopup(TObject* sender);
    void CommandsPopupMenuPopup(TObject* sender);

    // The windows disabled while the dialog shows.
    const std::vector<HWND>& DisabledWindows() const { return disabledWindows_; }
    // The height as built, below which the dialog does not go.
    int BuiltHeight() const { return builtHeight_; }

protected:
    void AfterConstruction() override;
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void DoShow() override;
    void DoHide() override;
    void DestroyWindowHandle() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    virtual void LocalizeBase();
    void HookManagerEvents();
    void SaveSelection();
    void RestoreSavedSelection();
    void DeleteSelectedEntries(TListBox* listBox, bool pushAfter);
    bool IsDesigning() const;

private:
    void WMNCHitTest(TMessage& message);
    void WMActivate(TMessage& message);
    void WMRebuildList(TMessage& message);
    void FormClose(TObject* sender, TCloseAction& action);
    void BarsChanged(TObject* sender, TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);
    void ItemsChanged(TObject* sender, TComponent* component, TcxComponentCollectionNotification action);
    void DisableManagerForms();
    void EnableManagerForms();
    void RunTimeSelectionChanged(TObject* sender, TObject* changed);
    // The name dialog for a category: 0 adds, 1 inserts before the selected one, 2 renames it.
    void EditCategory(int mode);
    void RemoveRunTimeSelection();

    TdxBarManager* manager_ = nullptr;
    // The run-time selection installed as the manager's designer while the dialog is open.
    TdxBarRunTimeSelectionController* selectionController_ = nullptr;
    bool ownsSelectionController_ = false;
    TEvent<void(TObject*, TObject*)> previousSelectionChanged_;
    std::vector<TdxBarCustomizationFormListBoxHelper*> helpers_;
    TcxComponentCollectionChangeEvent previousBarsChange_;
    TcxComponentListChangeEvent previousItemsChange_;
    bool eventsHooked_ = false;
    TListBox* pushingListBox_ = nullptr;
    std::vector<HWND> disabledWindows_;
    std::vector<TObject*> savedSelection_;
    int builtHeight_ = 0;
    bool destroyingWindow_ = false;
};

// ---- TdxBarCustomizationForm ----------------------------------------------------------------

class TdxBarCustomizationForm : public TdxBarCustomCustomizationForm {
    Z_CLASS(TdxBarCustomizationForm, TdxBarCustomCustomizationForm)
    Z_PUBLISHED {
        using C = TdxBarCustomizationForm;
        p.Method(L"BHelpClick", &C::BHelpClick);
        p.Method(L"BCloseClick", &C::BCloseClick);
        p.Method(L"lbItemsDrawItem", &C::lbItemsDrawItem);
        p.Method(L"lbBarsListDrawItem", &C::lbBarsListDrawItem);
        p.Method(L"lbCategoriesClick", &C::lbCategoriesClick);
        p.Method(L"lbItemsClick", &C::lbItemsClick);
        p.Method(L"CBMenusShowRecentItemsFirstClick", &C::CBMenusShowRecentItemsFirstClick);
        p.Method(L"CBShowFullMenusAfterDelayClick", &C::CBShowFullMenusAfterDelayClick);
        p.Method(L"BResetUsageDataClick", &C::BResetUsageDataClick);
        p.Method(L"CBLargeIconsClick", &C::CBLargeIconsClick);
        p.Method(L"CBHint1Click", &C::CBHint1Click);
        p.Method(L"CBHint1ExClick", &C::CBHint1ExClick);
        p.Method(L"CBHint2Click", &C::CBHint2Click);
        p.Method(L"ComboBoxMenuAnimationsClick", &C::ComboBoxMenuAnimationsClick);
        p.Method(L"LAllCommandsClick", &C::LAllCommandsClick);
        p.Method(L"LAllCommandsDrawItem", &C::LAllCommandsDrawItem);
        p.Method(L"LAllCommandsKeyDown", &C::LAllCommandsKeyDown);
        p.Method(L"CBShowCommandsWithShortCutClick", &C::CBShowCommandsWithShortCutClick);
        p.Method(L"lbGroupsClick", &C::lbGroupsClick);
        p.Method(L"lbGroupsDrawItem", &C::lbGroupsDrawItem);
        p.Method(L"lbGroupsMeasureItem", &C::lbGroupsMeasureItem);
        p.Method(L"lbGroupsKeyDown", &C::lbGroupsKeyDown);
        p.Method(L"lbGroupItemsClick", &C::lbGroupItemsClick);
        p.Method(L"lbGroupItemsDrawItem", &C::lbGroupItemsDrawItem);
        p.Method(L"lbGroupItemsKeyDown", &C::lbGroupItemsKeyDown);
        p.Method(L"aAddGroupExecute", &C::aAddGroupExecute);
        p.Method(L"aDeleteGroupExecute", &C::aDeleteGroupExecute);
        p.Method(L"aMoveGroupExecute", &C::aMoveGroupExecute);
        p.Method(L"aAddGroupItemExecute", &C::aAddGroupItemExecute);
        p.Method(L"aDeleteGroupItemExecute", &C::aDeleteGroupItemExecute);
        p.Method(L"aMoveGroupItemExecute", &C::aMoveGroupItemExecute);
    }

public:
    explicit TdxBarCustomizationForm(TComponent* owner) : TdxBarCustomCustomizationForm(owner) {}
    ~TdxBarCustomizationForm() override;

    TListBox* GetBarsListBox() const override { return lbBarsList; }
    TListBox* GetCategoriesListBox() const override { return lbCategories; }
    TListBox* GetItemsListBox() const override { return lbItems; }
    void ItemsListChanged(TObject* sender, TComponent* component, int action) override;
    void RebuildLists() override;
    void InitControls() override;
    void SetDescription(const String& text) override;
    void SelectionChanged(TObject* sender) override;
    void SelectPage(int index) override;
    void SelectCommandsPage() override;
    void UpdateHelpButton() override;
    void UpdateOptions() override;
    TColor GetCommandsListBkColor() const;

    // -- components
    TPanel *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr;
    TBitBtn* BHelp = nullptr;
    TButton* BClose = nullptr;
    TPageControl* PageControl = nullptr;
    TTabSheet *tsToolbars = nullptr, *tsItems = nullptr, *tsOptions = nullptr, *tsCommands = nullptr,
              *tsGroups = nullptr, *TabSheet1 = nullptr;
    TLabel* LabelToobars = nullptr;
    TListBox* lbBarsList = nullptr;
    TButton *BBarNew = nullptr, *BBarRename = nullptr, *BBarDelete = nullptr, *BBarReset = nullptr;
    TPanel *Panel5 = nullptr, *Panel6 = nullptr, *Panel7 = nullptr, *Panel8 = nullptr, *Panel9 = nullptr;
    TLabel *LabelCategories = nullptr, *LabelCommands = nullptr, *LabelDescription = nullptr,
           *DescriptionLabel = nullptr;
    TSpeedButton *CategoriesPopupButtonPlace = nullptr, *CommandsPopupButtonPlace = nullptr;
    TListBox *lbCategories = nullptr, *lbItems = nullptr;
    TBevel* Bevel1 = nullptr;
    TPanel *StandardOptionsPanel = nullptr, *EnhancedOptionsPanel = nullptr;
    TLabel *LabelMenuAnimations = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    TComboBox *ComboBoxMenuAnimations = nullptr, *ComboBoxMenuAnimationsEx = nullptr;
    TCheckBox *CBHint1 = nullptr, *CBHint2 = nullptr, *CBLargeIcons = nullptr, *CBMenusShowRecentItemsFirst = nullptr,
              *CBShowFullMenusAfterDelay = nullptr, *CBLargeIconsEx = nullptr, *CBHint1Ex = nullptr,
              *CBHint2Ex = nullptr, *CBShowCommandsWithShortCut = nullptr;
    TButton* BResetUsageData = nullptr;
    TBevel *Bevel2 = nullptr, *Bevel3 = nullptr, *Bevel4 = nullptr;
    TListBox *LAllCommands = nullptr, *lbGroups = nullptr, *lbGroupItems = nullptr;
    TGroupBox *gbGroups = nullptr, *gpGroupItems = nullptr;
    TToolBar *tbGroups = nullptr, *tbGroupItems = nullptr;
    TTreeView* tvKeyTips = nullptr;
    TActionList* alGroupCustomize = nullptr;
    TAction *aAddGroup = nullptr, *aDeleteGroup = nullptr, *aMoveUpGroup = nullptr, *aMoveDownGroup = nullptr,
            *aAddGroupItem = nullptr, *aDeleteGroupItem = nullptr, *aMoveUpGroupItem = nullptr,
            *aMoveDownGroupItem = nullptr;
    TCheckableButton *CategoriesPopupButton = nullptr, *CommandsPopupButton = nullptr;

    // -- handlers
    void BHelpClick(TObject* sender) { ShowHelp(); }
    void BCloseClick(TObject* sender) { Close(); }
    void lbItemsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void lbBarsListDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        DrawBarsListItem(control, index, rect, state);
    }
    void lbCategoriesClick(TObject* sender);
    void lbItemsClick(TObject* sender);
    void CBMenusShowRecentItemsFirstClick(TObject* sender);
    void CBShowFullMenusAfterDelayClick(TObject* sender);
    void BResetUsageDataClick(TObject* sender);
    void CBLargeIconsClick(TObject* sender);
    void CBHint1Click(TObject* sender);
    void CBHint1ExClick(TObject* sender);
    void CBHint2Click(TObject* sender);
    void ComboBoxMenuAnimationsClick(TObject* sender);
    void LAllCommandsClick(TObject* sender);
    void LAllCommandsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void LAllCommandsKeyDown(TObject* sender, Word& key, TShiftState shift);
    void CBShowCommandsWithShortCutClick(TObject* sender);
    void lbGroupsClick(TObject* sender);
    void lbGroupsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void lbGroupsMeasureItem(TWinControl* control, int index, int& height);
    void lbGroupsKeyDown(TObject* sender, Word& key, TShiftState shift);
    void lbGroupItemsClick(TObject* sender);
    void lbGroupItemsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void lbGroupItemsKeyDown(TObject* sender, Word& key, TShiftState shift);
    void aAddGroupExecute(TObject* sender);
    void aDeleteGroupExecute(TObject* sender);
    void aMoveGroupExecute(TObject* sender);
    void aAddGroupItemExecute(TObject* sender);
    void aDeleteGroupItemExecute(TObject* sender);
    void aMoveGroupItemExecute(TObject* sender);

protected:
    void Loaded() override;

private:
    void LocalizeButtons();
    void LocalizeToolbarsPage();
    void LocalizeCommandsPage();
    void LocalizeOptionsPage();
    void SetupAllCommandsPage();
    void SetupGroupsPage();
    void PlaceMenuAnimationsLabel(TLabel* label, TComboBox* combo);
    void FillMenuAnimationsList(TComboBox* combo);
    void AlignBevelAfterLabel(TBevel* bevel, TLabel* label);
    void RebuildAllCommands();
    void RebuildGroups();
    bool updatingOptions_ = false;
};

// ---- the dialog of the process ------------------------------------------------------------

// The open dialog (nil when none) and whether one is open.
TdxBarCustomCustomizationForm* CustomizationFormInstance();
bool IsCustomizationFormShown();
// Is the open dialog the one of this manager?
bool IsCustomizationFormOf(const TdxBarManager* manager);
// The class of the dialogs to create (TdxBarCustomizationForm from the start-up on).
TClass CustomizationFormClass();
void SetCustomizationFormClass(TClass formClass);
// Opens the dialog for the manager (nothing while one is open) or closes it.
void ShowCustomizationForm(TdxBarManager* manager, bool show);
// The open dialog follows the manager's look, help-button settings or options.
void RefreshCustomizationFormLook();
void RefreshCustomizationFormHelpButton();
void RefreshCustomizationFormOptions();
// Repaints the visible bars of every manager but this one.
void RefreshOtherManagersBars(TdxBarManager* manager);

void InitializedxBarCustForm();
void FinalizedxBarCustForm();
