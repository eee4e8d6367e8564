// The Customize dialog with its pages: toolbars, commands, options, and at design time all
// commands and groups.

#include "dxBarCustForm.h"

#include <algorithm>

#include "Application.h"
#include "Canvas.h"
#include "ShortCuts.h"
#include "TypInfo.h"
#include "dxBar.h"
#include "dxBarAddGroupItemsEd.h"
#include "dxBarGroup.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarTextHelpers.h"

namespace {

int TextWidthIn(TControl* control, const String& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control->Font()->Handle());
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

}  // namespace

void TdxBarCustomizationForm::Loaded() {
    TdxBarCustomCustomizationForm::Loaded();
#define Z_PART(type, name) name = FormPart<type>(this, L## #name)
    Z_PART(TPanel, Panel1);
    Z_PART(TPanel, Panel2);
    Z_PART(TPanel, Panel3);
    Z_PART(TPanel, Panel4);
    Z_PART(TBitBtn, BHelp);
    Z_PART(TButton, BClose);
    Z_PART(TPageControl, PageControl);
    Z_PART(TTabSheet, tsToolbars);
    Z_PART(TTabSheet, tsItems);
    Z_PART(TTabSheet, tsOptions);
    Z_PART(TTabSheet, tsCommands);
    Z_PART(TTabSheet, tsGroups);
    Z_PART(TTabSheet, TabSheet1);
    Z_PART(TLabel, LabelToobars);
    Z_PART(TListBox, lbBarsList);
    Z_PART(TButton, BBarNew);
    Z_PART(TButton, BBarRename);
    Z_PART(TButton, BBarDelete);
    Z_PART(TButton, BBarReset);
    Z_PART(TPanel, Panel5);
    Z_PART(TPanel, Panel6);
    Z_PART(TPanel, Panel7);
    Z_PART(TPanel, Panel8);
    Z_PART(TPanel, Panel9);
    Z_PART(TLabel, LabelCategories);
    Z_PART(TLabel, LabelCommands);
    Z_PART(TLabel, LabelDescription);
    Z_PART(TLabel, DescriptionLabel);
    Z_PART(TSpeedButton, CategoriesPopupButtonPlace);
    Z_PART(TSpeedButton, CommandsPopupButtonPlace);
    Z_PART(TListBox, lbCategories);
    Z_PART(TListBox, lbItems);
    Z_PART(TBevel, Bevel1);
    Z_PART(TPanel, StandardOptionsPanel);
    Z_PART(TPanel, EnhancedOptionsPanel);
    Z_PART(TLabel, LabelMenuAnimations);
    Z_PART(TLabel, Label1);
    Z_PART(TLabel, Label2);
    Z_PART(TLabel, Label3);
    Z_PART(TComboBox, ComboBoxMenuAnimations);
    Z_PART(TComboBox, ComboBoxMenuAnimationsEx);
    Z_PART(TCheckBox, CBHint1);
    Z_PART(TCheckBox, CBHint2);
    Z_PART(TCheckBox, CBLargeIcons);
    Z_PART(TCheckBox, CBMenusShowRecentItemsFirst);
    Z_PART(TCheckBox, CBShowFullMenusAfterDelay);
    Z_PART(TCheckBox, CBLargeIconsEx);
    Z_PART(TCheckBox, CBHint1Ex);
    Z_PART(TCheckBox, CBHint2Ex);
    Z_PART(TCheckBox, CBShowCommandsWithShortCut);
    Z_PART(TButton, BResetUsageData);
    Z_PART(TBevel, Bevel2);
    Z_PART(TBevel, Bevel3);
    Z_PART(TBevel, Bevel4);
    Z_PART(TListBox, LAllCommands);
    Z_PART(TListBox, lbGroups);
    Z_PART(TListBox, lbGroupItems);
    Z_PART(TGroupBox, gbGroups);
    Z_PART(TGroupBox, gpGroupItems);
    Z_PART(TToolBar, tbGroups);
    Z_PART(TToolBar, tbGroupItems);
    Z_PART(TTreeView, tvKeyTips);
    Z_PART(TActionList, alGroupCustomize);
    Z_PART(TAction, aAddGroup);
    Z_PART(TAction, aDeleteGroup);
    Z_PART(TAction, aMoveUpGroup);
    Z_PART(TAction, aMoveDownGroup);
    Z_PART(TAction, aAddGroupItem);
    Z_PART(TAction, aDeleteGroupItem);
    Z_PART(TAction, aMoveUpGroupItem);
    Z_PART(TAction, aMoveDownGroupItem);
#undef Z_PART
    AlignBevelAfterLabel(Bevel1, LabelDescription);
    AlignBevelAfterLabel(Bevel3, Label3);
    AlignBevelAfterLabel(Bevel2, Label2);
}

TdxBarCustomizationForm::~TdxBarCustomizationForm() = default;

void TdxBarCustomizationForm::AlignBevelAfterLabel(TBevel* bevel, TLabel* label) {
    int right = bevel->Left() + bevel->Width();
    int left = label->Left() + label->Width();
    bevel->SetBounds(left, bevel->Top(), std::max(right - left, 0), bevel->Height());
}

void TdxBarCustomizationForm::InitControls() {
    LocalizeButtons();
    LocalizeToolbarsPage();
    LocalizeCommandsPage();
    LocalizeOptionsPage();
    SetupAllCommandsPage();
    SetupGroupsPage();
    // The key tips page stays hidden; its tree is not filled.
}

void TdxBarCustomizationForm::LocalizeButtons() {
    BResetUsageData->SetEnabled(!IsDesigning());
    BClose->SetCaption(BarString(dxSBAR_CLOSE));
    int width = TextWidthIn(BClose, StripCaptionAmpersands(BClose->Caption())) + 49;
    BClose->SetBounds(Panel1->ClientWidth() - 6 - width, BClose->Top(), width, BClose->Height());
    UpdateHelpButton();
}

void TdxBarCustomizationForm::LocalizeToolbarsPage() {
    BBarReset->SetVisible(!IsDesigning() && BarManager()->CanReset());
    LabelToobars->SetCaption(BarString(dxSBAR_TOOLBARS));
    LabelToobars->SetFocusControl(lbBarsList);
    tsToolbars->SetCaption(BarString(dxSBAR_TABSHEET1));
}

void TdxBarCustomizationForm::LocalizeCommandsPage() {
    tsItems->SetCaption(BarString(dxSBAR_TABSHEET2));
    LabelCommands->SetFocusControl(lbItems);
    LabelCategories->SetCaption(BarString(dxSBAR_CATEGORIES));
    LabelCommands->SetCaption(BarString(dxSBAR_COMMANDS));
    LabelDescription->SetCaption(BarString(dxSBAR_DESCRIPTION));
    if (IsDesigning()) {
        auto make = [&](TSpeedButton* place, TLabel* label, TdxBarPopupMenu* menu) {
            auto* button = new TCheckableButton(this);
            button->SetParent(place->Parent());
            button->SetBounds(place->Left(), place->Top(), place->Width(), place->Height());
            button->SetCaption(BarString(dxSBAR_MODIFY));
            button->AlignAfter(label);
            button->SetDropDownMenu(menu);
            return button;
        };
        CategoriesPopupButton = make(CategoriesPopupButtonPlace, LabelCategories, CategoriesPopupMenu);
        CommandsPopupButton = make(CommandsPopupButtonPlace, LabelCommands, CommandsPopupMenu);
    }
    FreeObject(CategoriesPopupButtonPlace);
    FreeObject(CommandsPopupButtonPlace);
    CategoriesPopupButtonPlace = CommandsPopupButtonPlace = nullptr;
}

void TdxBarCustomizationForm::PlaceMenuAnimationsLabel(TLabel* label, TComboBox* combo) {
    label->SetCaption(BarString(dxSBAR_MENUANIMATIONS));
    int minLeft = label->Left() + label->Width() + 10;
    if (combo->Left() < minLeft) combo->SetLeft(minLeft);
}

void TdxBarCustomizationForm::FillMenuAnimationsList(TComboBox* combo) {
    const TResStringRec* names[] = {&dxSBAR_MENUANIM1, &dxSBAR_MENUANIM2, &dxSBAR_MENUANIM3, &dxSBAR_MENUANIM4,
                                    &dxSBAR_MENUANIM5};
    combo->Items()->Clear();
    int widest = 0;
    for (const TResStringRec* name : names) {
        String text = BarString(*name);
        combo->Items()->Add(text);
        widest = std::max(widest, TextWidthIn(combo, text));
    }
    combo->SetWidth(widest + 54);
}

void TdxBarCustomizationForm::LocalizeOptionsPage() {
    tsOptions->SetCaption(BarString(dxSBAR_TABSHEET3));
    if (BarManager()->GetEffectiveStyle() == bmsStandard) {
        CBLargeIcons->SetCaption(BarString(dxSBAR_LARGEICONS));
        CBHint1->SetCaption(BarString(dxSBAR_HINTOPT1));
        CBHint2->SetCaption(BarString(dxSBAR_HINTOPT2));
        PlaceMenuAnimationsLabel(LabelMenuAnimations, ComboBoxMenuAnimations);
        FillMenuAnimationsList(ComboBoxMenuAnimations);
    } else {
        Label3->SetCaption(BarString(dxSBAR_PERSMENUSANDTOOLBARS));
        CBMenusShowRecentItemsFirst->SetCaption(BarString(dxSBAR_MENUSSHOWRECENTITEMS));
        CBShowFullMenusAfterDelay->SetCaption(BarString(dxSBAR_SHOWFULLMENUSAFTERDELAY));
        BResetUsageData->SetCaption(BarString(dxSBAR_RESETUSAGEDATA));
        BResetUsageData->SetWidth(TextWidthIn(BResetUsageData, StripCaptionAmpersands(BResetUsageData->Caption())) +
                                  17);
        Label2->SetCaption(BarString(dxSBAR_OTHEROPTIONS));
        CBLargeIconsEx->SetCaption(BarString(dxSBAR_LARGEICONS));
        CBHint1Ex->SetCaption(BarString(dxSBAR_HINTOPT1));
        CBHint2Ex->SetCaption(BarString(dxSBAR_HINTOPT2));
        PlaceMenuAnimationsLabel(Label1, ComboBoxMenuAnimationsEx);
        FillMenuAnimationsList(ComboBoxMenuAnimationsEx);
    }
}

void TdxBarCustomizationForm::SetupAllCommandsPage() { tsCommands->SetTabVisible(IsDesigning()); }

void TdxBarCustomizationForm::SetupGroupsPage() { tsGroups->SetTabVisible(IsDesigning()); }

void TdxBarCustomizationForm::UpdateHelpButton() {
    BHelp->Glyph()->Assign(BarManager()->HelpButtonGlyph());
    BHelp->SetVisible(BarManager()->ShowHelpButton());
}

void TdxBarCustomizationForm::UpdateOptions() {
    TdxBarManager* manager = BarManager();
    updatingOptions_ = true;
    bool standard = manager->GetEffectiveStyle() == bmsStandard;
    StandardOptionsPanel->SetVisible(standard);
    EnhancedOptionsPanel->SetVisible(!standard);
    CBMenusShowRecentItemsFirst->SetChecked(manager->MenusShowRecentItemsFirst());
    CBShowFullMenusAfterDelay->SetChecked(manager->ShowFullMenusAfterDelay());
    CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
    CBLargeIcons->SetChecked(manager->LargeIcons());
    CBLargeIconsEx->SetChecked(manager->LargeIcons());
    CBHint1->SetChecked(manager->ShowHint());
    CBHint1Ex->SetChecked(manager->ShowHint());
    CBHint2->SetChecked(manager->ShowShortCutInHint());
    CBHint2Ex->SetChecked(manager->ShowShortCutInHint());
    CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
    ComboBoxMenuAnimations->SetItemIndex(int(manager->MenuAnimations()));
    ComboBoxMenuAnimationsEx->SetItemIndex(int(manager->MenuAnimations()));
    updatingOptions_ = false;
}

void TdxBarCustomizationForm::CBMenusShowRecentItemsFirstClick(TObject*) {
    CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
    if (!updatingOptions_) BarManager()->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->Checked());
}

void TdxBarCustomizationForm::CBShowFullMenusAfterDelayClick(TObject*) {
    if (!updatingOptions_) BarManager()->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->Checked());
}

void TdxBarCustomizationForm::BResetUsageDataClick(TObject*) { BarManager()->ConfirmResetUsageData(); }

void TdxBarCustomizationForm::CBLargeIconsClick(TObject* sender) {
    if (!updatingOptions_) BarManager()->SetLargeIcons(static_cast<TCheckBox*>(sender)->Checked());
}

void TdxBarCustomizationForm::CBHint1Click(TObject* sender) {
    if (!updatingOptions_) BarManager()->SetShowHint(static_cast<TCheckBox*>(sender)->Checked());
}

void TdxBarCustomizationForm::CBHint1ExClick(TObject* sender) {
    CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
    CBHint1Click(sender);
}

void TdxBarCustomizationForm::CBHint2Click(TObject* sender) {
    if (!updatingOptions_) BarManager()->SetShowShortCutInHint(static_cast<TCheckBox*>(sender)->Checked());
}

void TdxBarCustomizationForm::ComboBoxMenuAnimationsClick(TObject* sender) {
    int index = static_cast<TComboBox*>(sender)->ItemIndex();
    if (!updatingOptions_ && index >= 0) BarManager()->SetMenuAnimations(TdxBarMenuAnimations(index));
}

// ---- lists ----------------------------------------------------------------------------------

void TdxBarCustomizationForm::RebuildLists() {
    RefreshList(lbBarsList, nullptr, 0);
    RefreshList(lbCategories, nullptr, 0);
    RefreshList(lbItems, nullptr, 0);
    if (IsDesigning()) {
        RebuildAllCommands();
        RebuildGroups();
    }
}

void TdxBarCustomizationForm::ItemsListChanged(TObject* sender, TComponent* component, int action) {
    TdxBarCustomCustomizationForm::ItemsListChanged(sender, component, action);
    if (IsDesigning()) RebuildAllCommands();
}

void TdxBarCustomizationForm::SetDescription(const String& text) { DescriptionLabel->SetCaption(text); }

void TdxBarCustomizationForm::SelectionChanged(TObject*) {
    if (ComponentState().Contains(csDestroying)) return;
    PullSelection(lbBarsList);
    PullSelection(lbItems);
}

void TdxBarCustomizationForm::SelectPage(int index) { PageControl->SetActivePageIndex(index); }

void TdxBarCustomizationForm::SelectCommandsPage() { PageControl->SetActivePage(tsItems); }

TColor TdxBarCustomizationForm::GetCommandsListBkColor() const { return GetPainterClass()->GetBkColor(false, nullptr); }

void TdxBarCustomizationForm::lbItemsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
    auto* list = static_cast<TListBox*>(control);
    TCanvas* canvas = list->Canvas();
    auto* item = As<TdxBarItem>(EntryObject(list, index));
    if (item) item->DrawCommandListText(canvas, rect, state.Contains(odSelected));
    if (index == list->Count() - 1) {
        TRect rest(rect.left, rect.bottom, rect.right, list->ClientHeight());
        if (rest.bottom > rest.top) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(GetCommandsListBkColor());
            canvas->FillRect(rest);
        }
    }
    if (state.Contains(odFocused)) GetPainterClass()->DrawFocusFrame(canvas, rect, item);
}

void TdxBarCustomizationForm::lbCategoriesClick(TObject*) { RefreshList(lbItems, nullptr, 0); }

void TdxBarCustomizationForm::lbItemsClick(TObject*) { UpdateItemActions(); }

// ---- design-time pages ----------------------------------------------------------------------

void TdxBarCustomizationForm::RebuildAllCommands() {
    LAllCommands->Items()->BeginUpdate();
    LAllCommands->Items()->Clear();
    TdxBarManager* manager = BarManager();
    for (int i = 0; i < manager->GetItemCount(); ++i) {
        TdxBarItem* item = manager->GetItemByIndex(i);
        if (item->Category() < 0) continue;
        if (CBShowCommandsWithShortCut->Checked() && !GetPropInfo(item, L"ShortCut")) continue;
        LAllCommands->Items()->AddObject(String(), item);
    }
    LAllCommands->Items()->EndUpdate();
}

void TdxBarCustomizationForm::RebuildGroups() {
    lbGroups->Items()->BeginUpdate();
    lbGroups->Items()->Clear();
    TdxBarManager* manager = BarManager();
    for (int i = 0; i < manager->GetGroupCount(); ++i)
        lbGroups->Items()->AddObject(manager->GetGroup(i)->Name(), manager->GetGroup(i));
    lbGroups->Items()->EndUpdate();
}

void TdxBarCustomizationForm::LAllCommandsClick(TObject*) { PushSelection(LAllCommands); }

void TdxBarCustomizationForm::LAllCommandsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState) {
    auto* list = static_cast<TListBox*>(control);
    TCanvas* canvas = list->Canvas();
    canvas->FillRect(rect);
    auto* item = As<TdxBarItem>(EntryObject(list, index));
    if (!item) return;
    canvas->TextOut(rect.left + 5, rect.top, item->Name());
}

void TdxBarCustomizationForm::LAllCommandsKeyDown(TObject*, Word& key, TShiftState) {
    if (key == VK_DELETE) DeleteSelectedEntries(LAllCommands, false);
}

void TdxBarCustomizationForm::CBShowCommandsWithShortCutClick(TObject*) { RebuildAllCommands(); }

void TdxBarCustomizationForm::lbGroupsClick(TObject*) {
    PushSelection(lbGroups);
    RebuildGroupItems();
}

TdxBarGroup* TdxBarCustomizationForm::GetSelectedGroup() const {
    TdxBarGroup* group = nullptr;
    for (int i = 0; i < lbGroups->Count(); ++i)
        if (lbGroups->Selected(i)) {
            if (group) return nullptr;
            group = As<TdxBarGroup>(lbGroups->Items()->Objects(i));
        }
    return group;
}

void TdxBarCustomizationForm::RebuildGroupItems() {
    lbGroupItems->Items()->BeginUpdate();
    lbGroupItems->Items()->Clear();
    if (TdxBarGroup* group = GetSelectedGroup())
        for (int i = 0; i < group->GetMemberCount(); ++i)
            lbGroupItems->Items()->AddObject(group->GetMember(i)->Name(), group->GetMember(i));
    lbGroupItems->Items()->EndUpdate();
    aAddGroupItem->SetEnabled(GetSelectedGroup() != nullptr);
}

void TdxBarCustomizationForm::lbGroupsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState) {
    auto* list = static_cast<TListBox*>(control);
    TCanvas* canvas = list->Canvas();
    canvas->FillRect(rect);
    canvas->TextRect(rect, rect.left + 2, rect.top + 1, list->Items()->Strings(index));
}

void TdxBarCustomizationForm::lbGroupsMeasureItem(TWinControl* control, int, int& height) {
    height = TextWidthIn(static_cast<TControl*>(control), L"Qq") > 0 ? static_cast<TListBox*>(control)->Canvas()->TextHeight(L"Qq") + 2
                                                                     : height;
}

void TdxBarCustomizationForm::lbGroupsKeyDown(TObject*, Word&, TShiftState) {}
void TdxBarCustomizationForm::lbGroupItemsClick(TObject*) {}

void TdxBarCustomizationForm::lbGroupItemsDrawItem(TWinControl* control, int index, TRect rect,
                                                   TOwnerDrawState state) {
    lbGroupsDrawItem(control, index, rect, state);
}

void TdxBarCustomizationForm::lbGroupItemsKeyDown(TObject*, Word&, TShiftState) {}
void TdxBarCustomizationForm::aAddGroupExecute(TObject*) {
    TdxBarManager* manager = BarManager();
    TdxBarGroup* group = nullptr;
    manager->Groups()->LockChanges();
    try {
        group = new TdxBarGroup(manager->Owner());
        String name;
        IdxBarDesigner* designer = manager->Designer();
        if (designer && designer->MakeUniqueName(L"dxBarGroup", name)) group->SetName(name);
    } catch (...) {
        FreeObject(group);
        manager->Groups()->UnlockChanges();
        throw;
    }
    manager->Groups()->UnlockChanges();
    RebuildGroups();
    lbGroups->ClearSelection();
    const int index = lbGroups->Items()->IndexOfObject(group);
    if (index >= 0) {
        lbGroups->SetSelected(index, true);
        lbGroups->SetItemIndex(index);
    }
    PushSelection(lbGroups);
    RebuildGroupItems();
    manager->DesignerModified();
}

void TdxBarCustomizationForm::aDeleteGroupExecute(TObject*) {
    DeleteSelectedEntries(lbGroups, true);
    RebuildGroups();
    RebuildGroupItems();
}

void TdxBarCustomizationForm::aMoveGroupExecute(TObject* sender) {
    // The selected groups move one place as one block: up, the first one place up and the
    // others right after it; down, the last one place down and the others right before it.
    auto* action = As<TComponent>(sender);
    const int direction = action ? int(action->Tag()) : 0;
    TdxBarComponentList* list = BarManager()->Groups();
    std::vector<TComponent*> selected;
    for (int i = 0; i < lbGroups->Count(); ++i)
        if (lbGroups->Selected(i)) selected.push_back(As<TComponent>(lbGroups->Items()->Objects(i)));
    if (selected.empty() || direction == 0) return;
    list->LockChanges();
    if (direction < 0) {
        const int target = std::max(list->IndexOf(selected.front()) - 1, 0);
        for (size_t k = 0; k < selected.size(); ++k) list->Move(list->IndexOf(selected[k]), target + int(k));
    } else {
        const int target = std::min(list->IndexOf(selected.back()) + 1, list->Count() - 1);
        for (size_t k = selected.size(); k-- > 0;)
            list->Move(list->IndexOf(selected[k]), target - int(selected.size() - 1 - k));
    }
    list->UnlockChanges();
    RebuildGroups();
    for (int i = 0; i < lbGroups->Count(); ++i)
        lbGroups->SetSelected(i, std::find(selected.begin(), selected.end(), lbGroups->Items()->Objects(i)) != selected.end());
    BarManager()->DesignerModified();
}

void TdxBarCustomizationForm::aAddGroupItemExecute(TObject*) {
    TdxBarGroup* group = GetSelectedGroup();
    if (!group) return;
    TList chosen;
    if (ShowAddGroupItemsDialog(group, &chosen)) {
        for (int i = 0; i < chosen.Count(); ++i) group->Add(static_cast<TdxBarComponent*>(chosen.Items(i)));
        RebuildGroupItems();
        for (int i = 0; i < lbGroupItems->Count(); ++i)
            lbGroupItems->SetSelected(i, chosen.IndexOf(lbGroupItems->Items()->Objects(i)) >= 0);
    }
    BarManager()->DesignerModified();
}

void TdxBarCustomizationForm::aDeleteGroupItemExecute(TObject*) {
    // Taken out of the group only: the items stay in the manager.
    TdxBarGroup* group = GetSelectedGroup();
    if (!group) return;
    std::vector<TdxBarComponent*> selected;
    for (int i = 0; i < lbGroupItems->Count(); ++i)
        if (lbGroupItems->Selected(i)) selected.push_back(As<TdxBarComponent>(lbGroupItems->Items()->Objects(i)));
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) group->Remove(*it);
    RebuildGroupItems();
    BarManager()->DesignerModified();
}
void TdxBarCustomizationForm::aMoveGroupItemExecute(TObject*) {}

// ---- unit ---------------------------------------------------------------------------------

void InitializedxBarCustForm() {
    // The dialog is made by its class, never by name: only the button it creates is registered.
    RegisterClasses({TCheckableButton::StaticClass()});
    SetCustomizationFormClass(TdxBarCustomizationForm::StaticClass());
    dxWM_LB_SYNCHRONIZE();
    dxWM_LB_SYNCHRONIZESELECTION();
    dxWM_LB_UPDATEEVENTS();
}

void FinalizedxBarCustForm() {
    if (TdxBarCustomCustomizationForm* form = CustomizationFormInstance()) FreeObject(form);
    SetCustomizationFormClass(nullptr);
}
