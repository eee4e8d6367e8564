#include "dxBarDesignController.h"

// Sections: design helpers · life · selection · deleting and the parent · internal items ·
// the customizing popup · commands · registries · the instance.

#include <set>

#include "ComponentList.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarControlEditors.h"
#include "dxBarControl.h"
#include "dxBarEdit.h"
#include "dxBarInternalSubMenuControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenuControl.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

namespace {

TdxBarDesignController* instance = nullptr;

NativeInt CommandTag(Byte kind, int value) { return NativeInt((unsigned(kind) << 16) | (unsigned(value) & 0xFFFF)); }

TdxBarButton* EntryButton(TdxBarItemLink* link) { return link ? As<TdxBarButton>(link->Item()) : nullptr; }

}  // namespace

// ---- Design helpers -------------------------------------------------------------------------

const TCustomdxBarControlDesignHelper* TCustomdxBarControlDesignHelper::Instance() {
    static const TCustomdxBarControlDesignHelper helper;
    return &helper;
}

void TCustomdxBarControlDesignHelper::GetEditors(std::vector<const TdxBarControlEditor*>& list) const {
    if (TdxBarDesignController* controller = ExistingDesignController())
        for (const TdxBarControlEditor* editor : controller->BarControlEditors()) list.push_back(editor);
}

const TdxBarControlDesignHelper* TdxBarControlDesignHelper::Instance() {
    static const TdxBarControlDesignHelper helper;
    return &helper;
}

const TdxBarSubMenuControlDesignHelper* TdxBarSubMenuControlDesignHelper::Instance() {
    static const TdxBarSubMenuControlDesignHelper helper;
    return &helper;
}

void TdxBarSubMenuControlDesignHelper::GetEditors(std::vector<const TdxBarControlEditor*>& list) const {
    TCustomdxBarControlDesignHelper::GetEditors(list);
    list.push_back(TdxAddSeparatorEditor::Instance());
}

// ---- Life -----------------------------------------------------------------------------------

TdxBarDesignController::TdxBarDesignController() {
    freeNotificator_ = new TcxFreeNotificator(nullptr);
    freeNotificator_->OnFreeNotification = MakeEvent(this, &TdxBarDesignController::HandleFreeNotification);
    internalItems_ = new TComponentList(true);
}

TdxBarDesignController::~TdxBarDesignController() {
    FreeAndNil(internalItems_);
    FreeAndNil(freeNotificator_);
}

void TdxBarDesignController::SetDesignState(Byte state, bool value) {
    if (value)
        designStates_ |= 1u << state;
    else
        designStates_ &= ~(1u << state);
}

void TdxBarDesignController::HandleFreeNotification(TObject*, TComponent* component) {
    if (lastSelected_ && SelectableItemObject(lastSelected_) == component) lastSelected_ = nullptr;
    if (component == customizingManager_) {
        customizingManager_ = nullptr;
        customizingLink_ = nullptr;
        customizingLinks_ = nullptr;
        customizingBarControl_ = nullptr;
    }
}

// ---- Selection ------------------------------------------------------------------------------

void TdxBarDesignController::WatchSelected(IdxBarSelectableItem* item, bool watch) {
    auto* component = As<TComponent>(SelectableItemObject(item));
    if (!component) return;
    if (watch)
        freeNotificator_->WatchComponent(component);
    else
        freeNotificator_->StopWatchingComponent(component);
}

void TdxBarDesignController::ApplySelection(IdxBarSelectableItem* item, Integer operation) {
    if (item) item->SelectInDesigner(operation);
    if (operation == dxBarSelectionAdd || operation == dxBarSelectionExclusive)
        StoreLastSelected(item);
    else if (operation == dxBarSelectionRemove)
        RecheckLastSelected();
}

void TdxBarDesignController::SelectPersistent(TObject* object, Integer operation) {
    if (IdxBarSelectableItem* item = QuerySelectableItem(object))
        ApplySelection(item, operation);
    else if (customizingManager_ && customizingManager_->Designer())
        customizingManager_->Designer()->ApplyComponentSelection(object, operation);
}

void TdxBarDesignController::StoreLastSelected(IdxBarSelectableItem* item) {
    if (item == lastSelected_) return;
    if (IdxBarSelectableItem* old = lastSelected_) {
        lastSelected_ = nullptr;
        old->InvalidateSelf();
        WatchSelected(old, false);
    }
    lastSelected_ = item;
    if (item) {
        item->InvalidateSelf();
        WatchSelected(item, true);
    }
}

void TdxBarDesignController::RecheckLastSelected() {
    if (lastSelected_ && (!lastSelected_->IsSelected() || !IsBarAppActive())) StoreLastSelected(nullptr);
}

void TdxBarDesignController::ForgetSelectedItem(IdxBarSelectableItem* item) {
    if (!item) return;
    if (item == lastSelected_) {
        WatchSelected(item, false);
        lastSelected_ = nullptr;
    }
    // A link freed while its popup is open is no longer the popup's target.
    if (SelectableItemObject(item) == customizingLink_) customizingLink_ = nullptr;
}

bool TdxBarDesignController::IsCustomizingTarget(IdxBarSelectableItem* item) const {
    return IsCustomizingPopupShown() && item && SelectableItemObject(item) == customizingLink_;
}

void TdxBarDesignController::GetSelectedObjects(TdxBarManager* manager, TList* list) const {
    list->Clear();
    if (!manager) return;
    manager->GetSelectedComponents(list);
    for (int i = list->Count() - 1; i >= 0; --i)
        if (!SupportsSelectableItem(static_cast<TObject*>(list->Items(i)))) list->Delete(i);
}

bool TdxBarDesignController::HasSingleSelection(TdxBarManager* manager) const {
    TList list;
    GetSelectedObjects(manager, &list);
    return list.Count() == 1;
}

bool TdxBarDesignController::HasMultiLinkSelection(TdxBarManager* manager) const {
    TList list;
    GetSelectedObjects(manager, &list);
    for (int i = 0; i < list.Count(); ++i)
        if (QuerySelectableItem(static_cast<TObject*>(list.Items(i)))->HasSeveralLinks()) return true;
    return false;
}

bool TdxBarDesignController::UsesFrameSelectionLook(IdxBarSelectableItem* item) const {
    TdxBarManager* manager = item ? item->GetBarManager() : nullptr;
    if (manager && !manager->IsBarManagerDesigning() && IsLastSelected(item)) return true;
    if (!HasSingleSelection(manager)) return false;
    return HasMultiLinkSelection(manager) ? IsCustomizingTarget(item) : true;
}

// ---- Deleting and the parent ---------------------------------------------------------------

void TdxBarDesignController::UpdateCustomizingManager() {
    TdxBarManager* manager = nullptr;
    if (lastSelected_) {
        manager = lastSelected_->GetBarManager();
    } else if (TdxBarManagerList* managers = BarManagerList()) {
        TList list;
        for (int i = 0; i < managers->Count() && !manager; ++i) {
            GetSelectedObjects(managers->GetManager(i), &list);
            if (list.Count() > 0) manager = managers->GetManager(i);
        }
    }
    if (manager == customizingManager_) return;
    if (customizingManager_) freeNotificator_->StopWatchingComponent(customizingManager_);
    customizingManager_ = manager;
    if (manager) freeNotificator_->WatchComponent(manager);
}

bool TdxBarDesignController::CanProcessSelection(TdxBarManager* manager, bool keyboardAction) const {
    if (!manager) return false;
    if (!keyboardAction) return true;
    auto* owner = As<TWinControl>(manager->GetManagerOwner());
    if (!owner || !owner->HandleAllocated()) return false;
    HWND window = GetFocus();
    while (window) {
        if (window == owner->Handle()) return true;
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) break;
        window = GetParent(window);
    }
    return false;
}

bool TdxBarDesignController::CanDeleteWithDependants(TObject* object, TList* list) {
    IdxBarSelectableItem* item = QuerySelectableItem(object);
    if (!item) return true;
    TdxObjectList dependants;
    item->AddOwnerToList(&dependants);
    for (int i = 0; i < dependants.Count(); ++i) {
        TObject* dependant = dependants.GetObject(i);
        if (dependant == object) continue;
        if (list->IndexOf(dependant) >= 0 || !CanDeleteWithDependants(dependant, list)) return false;
    }
    return true;
}

void TdxBarDesignController::FilterDeletable(TList* list, bool destruction) {
    for (int i = list->Count() - 1; i >= 0; --i) {
        auto* object = static_cast<TObject*>(list->Items(i));
        IdxBarSelectableItem* item = QuerySelectableItem(object);
        if (!item || !item->CanDelete(destruction) || (destruction && !CanDeleteWithDependants(object, list)))
            list->Delete(i);
    }
}

bool TdxBarDesignController::CanBecomeSelection(TObject* object, TList* list) {
    return object && list->IndexOf(object) < 0 && CanDeleteWithDependants(object, list);
}

TObject* TdxBarDesignController::FindNextSelection(TList* list) {
    if (list->Count() == 0) return nullptr;
    auto* first = static_cast<TObject*>(list->Items(0));
    IdxBarSelectableItem* firstItem = QuerySelectableItem(first);
    if (!firstItem) return nullptr;
    // A chain that circles without coming back to the first object ends at its first repeat.
    std::set<TObject*> seen{first};
    for (IdxBarSelectableItem* next = firstItem->GetNextSelectable(); next; next = next->GetNextSelectable()) {
        TObject* object = SelectableItemObject(next);
        if (!seen.insert(object).second) break;
        if (CanBecomeSelection(object, list)) return object;
    }
    TObject* parent = firstItem->GetSelectableParent();
    return CanBecomeSelection(parent, list) ? parent : nullptr;
}

bool TdxBarDesignController::HasDeletableSelection() {
    TList list;
    GetSelectedObjects(customizingManager_, &list);
    FilterDeletable(&list, false);
    return list.Count() > 0;
}

bool TdxBarDesignController::DeleteSelection(bool destruction, bool keyboardAction) {
    UpdateCustomizingManager();
    TdxBarManager* manager = customizingManager_;
    if (!CanProcessSelection(manager, keyboardAction)) return false;
    if (!manager->IsBarManagerDesigning()) {
        // At run time only links are deleted, never items. Answering True when one went keeps
        // the Delete key from reaching the focused window as well.
        auto* link = As<TdxBarItemLink>(SelectableItemObject(lastSelected_));
        if (!link || link->BarManager() != manager) return false;
        IdxBarSelectableItem* reference = lastSelected_;
        link->DeleteIfAllowed(reference, false);
        return true;
    }
    TList list;
    GetSelectedObjects(manager, &list);
    FilterDeletable(&list, destruction);
    if (list.Count() == 0) return false;
    if (!destruction) {
        bool shared = false;
        for (int i = 0; i < list.Count() && !shared; ++i)
            shared = QuerySelectableItem(static_cast<TObject*>(list.Items(i)))->HasSeveralLinks();
        if (shared && BarMessageBox(BarString(dxSBAR_WANTTODELETECOMPLEXITEM), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return true;
    }
    manager->LockUpdate();
    try {
        TObject* next = FindNextSelection(&list);
        for (int i = list.Count() - 1; i >= 0; --i) {
            IdxBarSelectableItem* item = QuerySelectableItem(static_cast<TObject*>(list.Items(i)));
            IdxBarSelectableItem* reference = item;
            item->DeleteIfAllowed(reference, destruction);
        }
        if (next) SelectPersistent(next, dxBarSelectionExclusive);
    } catch (...) {
        manager->UnlockUpdate(true);
        throw;
    }
    manager->UnlockUpdate(true);
    manager->DesignerModified();
    return true;
}

bool TdxBarDesignController::SelectParent() {
    UpdateCustomizingManager();
    if (!CanProcessSelection(customizingManager_, true)) return false;
    TList list;
    GetSelectedObjects(customizingManager_, &list);
    if (list.Count() == 0) return false;
    return QuerySelectableItem(static_cast<TObject*>(list.Items(0)))->SelectParent();
}

void TdxBarDesignController::FreeCustomizingItem() {
    TdxBarItemLink* link = std::exchange(customizingLink_, nullptr);
    if (link && link->Item()) FreeObject(link->Item());
}

void TdxBarDesignController::FreeCustomizingItemLink() {
    TdxBarItemLink* link = std::exchange(customizingLink_, nullptr);
    if (link) FreeObject(link);
}

// ---- Internal items -------------------------------------------------------------------------

TdxBarItemLink* TdxBarDesignController::AddInternalItem(TdxBarItemLinks* links, TClass itemClass, bool beginGroup,
                                                        NativeInt tag, const TNotifyEvent& onClick,
                                                        const String& caption) {
    TdxBarItemLink* link = links->AddItemOfClass(itemClass);
    TdxBarItem* item = link->Item();
    AddToInternalItems(item);
    item->SetCaption(caption);
    item->OnClick = onClick;
    item->SetTag(tag);
    link->SetBeginGroup(beginGroup);
    return link;
}

void TdxBarDesignController::AddToInternalItems(TdxBarItem* item, TComponentList* list) {
    (list ? list : internalItems_)->Add(item);
    RemoveFromManagerItems(item);
}

void TdxBarDesignController::RemoveFromManagerItems(TdxBarItem* item) {
    if (TdxBarManager* manager = item ? item->BarManager() : nullptr) manager->ItemList()->Remove(item);
}

void TdxBarDesignController::ClearInternalItems() { internalItems_->Clear(); }

void TdxBarDesignController::FreeLinkItems(TdxBarItemLinks* links) {
    while (links->Count() > 0) {
        TdxBarItemLink* link = links->GetLink(0);
        if (TdxBarItem* item = link->Item())
            FreeObject(item);
        else
            FreeObject(link);
    }
}

void TdxBarDesignController::AddCustomizeCommand(TdxBarItemLinks* links, TClass itemClass, bool beginGroup) {
    TdxBarManager* manager = links->BarManager();
    if (!manager || !manager->CanCustomize()) return;
    TdxBarItemLink* link = AddInternalItem(links, itemClass, beginGroup, 0,
                                           MakeEvent(this, &TdxBarDesignController::OpenCustomizing),
                                           BarString(dxSBAR_CUSTOMIZE));
    // One Customize dialog at a time: while a manager customizes, the command waits.
    link->Item()->SetEnabled(!(BarManagerList() && BarManagerList()->GetCustomizingManager()));
}

TdxBarItemLink* TdxBarDesignController::AddNewItemForCustomizing(TClass itemClass) {
    TdxBarManager* manager = customizingManager_;
    TdxBarItemLinks* links = customizingLinks_;
    if (!manager || !links || !itemClass) return nullptr;
    TdxBarItemLink* after = customizingLink_;
    TdxBarItemLink* link = nullptr;
    // One change notification for the whole addition.
    manager->ItemList()->LockChanges();
    try {
        links->BeginUpdate();
        try {
            link = links->AddItemOfClass(itemClass, manager);
            TdxBarItem* item = link->Item();
            // The default category by its own text, whatever a translation calls it.
            const int category = manager->Categories()->IndexOf(BarStringTableText(dxSBAR_DEFAULTCATEGORYNAME));
            item->SetCategory(category >= 0 ? category : 0);
            item->SetName(manager->MakeUniqueItemName(itemClass));
            item->SetCaption(item->GetNewItemCaption());
            if (after && links->IndexOfLink(after) >= 0) link->SetIndex(after->Index() + 1);
        } catch (...) {
            // A half-made item (say, one the designer's name was refused for) does not stay.
            if (link) {
                if (TdxBarItem* item = link->Item())
                    FreeObject(item);
                else
                    FreeObject(link);
            }
            links->EndUpdate();
            throw;
        }
        links->EndUpdate();
    } catch (...) {
        manager->ItemList()->UnlockChanges();
        throw;
    }
    manager->ItemList()->UnlockChanges();
    return link;
}

void TdxBarDesignController::OpenCustomizing(TObject* sender) {
    auto* item = As<TdxBarItem>(sender);
    if (TdxBarManager* manager = item ? item->BarManager() : nullptr) manager->SwitchCustomizing(true);
}

// ---- The toolbars popup -------------------------------------------------------------------

void TdxBarDesignController::FillToolbarsPopup(TdxBarItemLinks* links) {
    FreeLinkItems(links);
    TdxBarManager* manager = links->BarManager();
    if (!manager) return;
    TdxBars* bars = manager->Bars();
    for (int i = 0; i < bars->Count(); ++i) {
        TdxBar* bar = bars->Items(i);
        const bool closable = bar->AllowClose() && !bar->IsMainMenu() &&
                              (!bar->BarControl() || bar->BarControl()->ShowsFloatCaption());
        if (!closable || bar->Hidden() || bar->MergedInto()) continue;
        TdxBarItemLink* link = AddInternalItem(links, TdxBarButton::StaticClass(), false, NativeInt(bar),
                                               MakeEvent(this, &TdxBarDesignController::ToggleBarVisible),
                                               bar->Caption());
        auto* button = static_cast<TdxBarButton*>(link->Item());
        button->SetButtonStyle(bsChecked);
        button->SetDown(bar->Visible());
    }
    AddCustomizeCommand(links, TdxBarButton::StaticClass(), true);
}

void TdxBarDesignController::ToggleBarVisible(TObject* sender) {
    auto* entry = As<TdxBarItem>(sender);
    TdxBarManager* manager = entry ? entry->BarManager() : nullptr;
    if (!manager) return;
    // The bar is looked up again: a bar freed while the popup was open is no longer toggled.
    auto* bar = reinterpret_cast<TdxBar*>(entry->Tag());
    TdxBars* bars = manager->Bars();
    for (int i = 0; i < bars->Count(); ++i)
        if (bars->Items(i) == bar) {
            bar->SetVisible(!bar->Visible());
            return;
        }
}

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager* manager, TdxBarPainter*) {
    if (!manager) return;
    if (customizingPopup_) customizingPopup_->HideBar();
    ClearInternalItems();
    if (manager != customizingManager_) {
        if (customizingManager_) freeNotificator_->StopWatchingComponent(customizingManager_);
        customizingManager_ = manager;
        freeNotificator_->WatchComponent(manager);
    }
    auto* popup = new TdxBarToolbarsPopup(manager);
    try {
        FillToolbarsPopup(popup->OwnLinks());
        manager->FireShowToolbarsPopup(popup->OwnLinks());
    } catch (...) {
        FreeObject(popup);
        throw;
    }
    if (popup->OwnLinks()->Count() == 0) {
        FreeObject(popup);
        return;
    }
    if (TCustomdxBarControl* active = CurrentActiveBarControl()) active->HideMenuChain();
    popup->PopupAt(QueryCursorPos());
}

// ---- The customizing popup ----------------------------------------------------------------

void TdxBarDesignController::ForgetCustomizingBarControl(TObject*) { customizingBarControl_ = nullptr; }

void TdxBarDesignController::ForgetCustomizingPopup(TObject* sender) {
    if (sender == customizingPopup_) customizingPopup_ = nullptr;
}

void TdxBarDesignController::ShowCustomizingPopup(TdxBarManager* manager, TdxBarPainter*, TdxBarItemLink* link,
                                                  TCustomdxBarControl* barControl,
                                                  const TdxBarFillCustomizingPopupProc& fill, TObject* fillOwner) {
    if (!manager) return;
    // A popup still open goes first: its entries are about to be freed.
    if (customizingPopup_) customizingPopup_->HideBar();
    ClearInternalItems();
    customizingBarControl_ = barControl;
    customizingLink_ = link;
    if (manager != customizingManager_) {
        if (customizingManager_) freeNotificator_->StopWatchingComponent(customizingManager_);
        customizingManager_ = manager;
        freeNotificator_->WatchComponent(manager);
    }
    auto* popup = new TdxBarCustomizingPopup(manager);
    if (barControl && barControl->HandleAllocated()) popup->ParentWindow = barControl->Handle();
    popup->OnCloseUpNotify = MakeEvent(this, &TdxBarDesignController::ForgetCustomizingBarControl);
    popup->OnDestroying = MakeEvent(this, &TdxBarDesignController::ForgetCustomizingPopup);
    customizingPopup_ = popup;
    try {
        if (fill) fill(fillOwner, popup->OwnLinks());
    } catch (...) {
        customizingBarControl_ = nullptr;
        FreeObject(popup);
        throw;
    }
    if (popup->OwnLinks()->Count() == 0) {
        customizingBarControl_ = nullptr;
        FreeObject(popup);
        return;
    }
    if (barControl)
        if (TdxBarItemControl* selected = barControl->GetSelectedControl()) selected->ControlInactivate(true);
    popup->DoShowCustomizingPopup();
    if (customizingPopup_ != popup) return;
    popup->PopupAt(QueryCursorPos());
}

void TdxBarDesignController::ShowLinkCustomizingPopup(TCustomdxBarControl* barControl, TdxBarItemLink* link) {
    if (!barControl) return;
    customizingLinks_ = barControl->ItemLinks();
    ShowCustomizingPopup(
        barControl->GetManager(), barControl->GetManager()->Painter(), link, barControl,
        [this](TObject*, TdxBarItemLinks* links) { FillCustomizingPopup(links); }, nullptr);
}

Word TdxBarDesignController::GetSupportedCommands() {
    IdxBarSelectableItem* source = lastSelected_ ? lastSelected_ : static_cast<IdxBarSelectableItem*>(customizingLink_);
    Word commands = source ? source->GetSupportedActions() : 0;
    if (customizingManager_ && customizingManager_->IsBarManagerDesigning()) {
        TList list;
        GetSelectedObjects(customizingManager_, &list);
        for (int i = 0; i < list.Count(); ++i)
            commands &= QuerySelectableItem(static_cast<TObject*>(list.Items(i)))->GetSupportedActions();
    }
    if (const TCustomdxBarControlDesignHelper* helper = FindDesignHelper()) helper->ExcludeCommands(commands);
    return Word(commands & 0x1FFF);
}

TdxBarItemLink* TdxBarDesignController::AddCommandButton(TdxBarItemLinks* links, const String& caption, Byte kind,
                                                         int value, bool beginGroup) {
    return AddInternalItem(links, TdxBarButton::StaticClass(), beginGroup, CommandTag(kind, value),
                           MakeEvent(this, &TdxBarDesignController::ExecuteCommand), caption);
}

TdxBarItemLinks* TdxBarDesignController::AddCommandSubItem(TdxBarItemLinks* links, const String& caption,
                                                          bool beginGroup) {
    TdxBarItemLink* link = AddInternalItem(links, TdxBarSubItem::StaticClass(), beginGroup, 0, TNotifyEvent(), caption);
    auto* subItem = static_cast<TCustomdxBarSubItem*>(link->Item());
    subItem->ItemLinks()->Internal = true;
    return subItem->ItemLinks();
}

void TdxBarDesignController::FillCustomizingPopup(TdxBarItemLinks* links) {
    TdxBarItemLink* link = customizingLink_;
    TdxBarManager* manager = customizingManager_;
    if (!manager) return;
    const bool designing = manager->IsBarManagerDesigning();
    links->BeginUpdate();
    manager->ItemList()->LockChanges();
    try {
        // At design time with one object selected, the design helper's editors add their
        // entries first.
        if (link && designing && HasSingleSelection(manager))
            if (const TCustomdxBarControlDesignHelper* helper = FindDesignHelper()) {
                std::vector<const TdxBarControlEditor*> editors;
                helper->GetEditors(editors);
                for (const TdxBarControlEditor* editor : editors) editor->AddEntries(links);
            }
        const Word commands = link ? GetSupportedCommands() : 0;
        auto has = [&](Byte kind) { return (commands & dxBarCommandBit(kind)) != 0; };
        auto check = [](TdxBarItemLink* entry, bool down) {
            TdxBarButton* button = EntryButton(entry);
            button->SetButtonStyle(bsChecked);
            button->SetDown(down);
        };
        TdxBarItem* item = link ? link->Item() : nullptr;
        for (Byte kind = 0; kind < dxBarCmdCount; ++kind) {
            if (!has(kind)) continue;
            switch (kind) {
                case dxBarCmdReset:
                    AddCommandButton(links, BarString(dxSBAR_CP_RESET), kind, 0, true);
                    break;
                case dxBarCmdDelete: {
                    TdxBarItemLink* entry = AddCommandButton(links, BarString(dxSBAR_CP_DELETE), kind, 0, true);
                    EntryButton(entry)->SetShortCut(VK_DELETE);
                    entry->Item()->SetEnabled(HasDeletableSelection());
                    break;
                }
                case dxBarCmdDeleteItem: {
                    TdxBarItemLink* entry = AddCommandButton(links, BarString(dxSBAR_CP_DELETEITEM), kind, 0, false);
                    EntryButton(entry)->SetShortCut(TShortCut(scCtrl | VK_DELETE));
                    entry->Item()->SetEnabled(item && item->CanDelete(true));
                    break;
                }
                case dxBarCmdDeleteLink:
                    AddCommandButton(links, BarString(designing ? dxSBAR_CP_DELETELINK : dxSBAR_CP_DELETE), kind, 0,
                                     false);
                    break;
                case dxBarCmdCaption: {
                    TdxBarItemLink* entry =
                        AddInternalItem(links, TdxBarEdit::StaticClass(), true, CommandTag(kind, 0), TNotifyEvent(),
                                        BarString(designing ? dxSBAR_CP_CAPTION : dxSBAR_CP_NAME));
                    auto* edit = static_cast<TdxBarEdit*>(entry->Item());
                    edit->SetText(link->GetEffectiveCaption());
                    edit->OnChange = MakeEvent(this, &TdxBarDesignController::ApplyCaption);
                    break;
                }
                case dxBarCmdPaintStyle: {
                    static const TResStringRec* const captions[] = {&dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS,
                                                                    &dxSBAR_CP_TEXTONLYINMENUS, &dxSBAR_CP_IMAGEANDTEXT};
                    const TdxBarPaintStyle current = link->GetEffectivePaintStyle();
                    for (int value = 0; value < 4; ++value) {
                        TdxBarItemLink* entry = AddCommandButton(links, BarString(*captions[value]), kind, value, value == 0);
                        TdxBarButton* button = EntryButton(entry);
                        button->SetButtonStyle(bsChecked);
                        button->SetGroupIndex(-1000);
                        button->SetDown(int(current) == value);
                        button->SetEnabled(item && item->SupportsPaintStyle());
                    }
                    break;
                }
                case dxBarCmdPosition: {
                    TdxBarItemLinks* sub = AddCommandSubItem(links, BarString(dxSBAR_CP_POSITIONMENU), true);
                    const TEnumInfo& names = EnumInfo(TdxBarItemPosition{});
                    for (int value = 0; value < names.Count(); ++value)
                        check(AddCommandButton(sub, names.NameOf(value), kind, value, false),
                              int(link->Position()) == value);
                    break;
                }
                case dxBarCmdViewLevels: {
                    TdxBarItemLinks* sub = AddCommandSubItem(links, BarString(dxSBAR_CP_VIEWLEVELSMENU), false);
                    const TEnumInfo& names = EnumInfo(TdxBarItemViewLevel{});
                    for (int value = 0; value < 4; ++value)
                        check(AddCommandButton(sub, names.NameOf(value), kind, value, false), false);
                    AddCommandButton(sub, BarString(dxSBAR_CP_ALLVIEWLEVELS), kind, 4, true);
                    for (int value = 0; value < 4; ++value)
                        AddCommandButton(sub, names.NameOf(value) + BarString(dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX), kind,
                                         5 + value, value == 0);
                    for (int i = 0; i < sub->Count(); ++i) EntryButton(sub->GetLink(i))->SetCloseSubMenuOnClick(false);
                    SyncViewLevelChecks(sub);
                    break;
                }
                case dxBarCmdButtonGroup: {
                    TdxBarItemLinks* sub = AddCommandSubItem(links, BarString(dxSBAR_CP_BUTTONGROUPMENU), false);
                    const TEnumInfo& names = EnumInfo(TdxBarButtonGroupPosition{});
                    for (int value = 0; value < 3; ++value)
                        check(AddCommandButton(sub, names.NameOf(value), kind, value, false),
                              int(link->ButtonGroup()) == value);
                    AddCommandButton(sub, BarString(dxSBAR_CP_BUTTONGROUP), kind, 3, true);
                    AddCommandButton(sub, BarString(dxSBAR_CP_BUTTONUNGROUP), kind, 4, false);
                    break;
                }
                case dxBarCmdDistributed:
                    check(AddCommandButton(links, BarString(dxSBAR_CP_DISTRIBUTED), kind, 0, false), link->Distributed());
                    break;
                case dxBarCmdBeginGroup: {
                    TdxBarItemLink* entry = AddCommandButton(links, BarString(dxSBAR_CP_BEGINAGROUP), kind, 0, true);
                    check(entry, link->BeginGroup());
                    entry->Item()->SetEnabled(link->Index() > 0);
                    break;
                }
                case dxBarCmdVisible:
                    check(AddCommandButton(links, BarString(dxSBAR_CP_VISIBLE), kind, 0, !has(dxBarCmdBeginGroup)),
                          link->Visible());
                    break;
                case dxBarCmdMostRecentlyUsed:
                    check(AddCommandButton(links, BarString(dxSBAR_CP_MOSTRECENTLYUSED), kind, 0, false),
                          link->MostRecentlyUsed());
                    break;
            }
        }
    } catch (...) {
        manager->ItemList()->UnlockChangesSilently();
        links->EndUpdate();
        throw;
    }
    manager->ItemList()->UnlockChangesSilently();
    links->EndUpdate();
}

void TdxBarDesignController::KeepCustomizingPopupOnTop(bool raise) {
    if (!customizingPopup_ || !customizingPopup_->HandleAllocated()) return;
    HWND popup = customizingPopup_->Handle();
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    TdxBarItemControl* control = customizingLink_ ? customizingLink_->Control() : nullptr;
    if (raise) {
        SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, flags);
        if (control && customizingBarControl_ && customizingBarControl_->HandleAllocated()) {
            HWND above = popup;
            for (HWND w = customizingBarControl_->Handle(); w; w = GetParent(w)) {
                SetWindowPos(w, above, 0, 0, 0, 0, flags);
                above = w;
            }
        }
    } else if (control && customizingBarControl_ && customizingBarControl_->HandleAllocated()) {
        std::vector<HWND> chain;
        for (HWND w = customizingBarControl_->Handle(); w; w = GetParent(w)) chain.insert(chain.begin(), w);
        chain.push_back(popup);
        for (HWND w : chain) SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    }
}

// ---- Commands -------------------------------------------------------------------------------

void TdxBarDesignController::ExecuteCommand(TObject* sender) {
    auto* entry = As<TdxBarItem>(sender);
    TdxBarItemLink* link = customizingLink_;
    if (!entry || !link) return;
    const Byte kind = Byte(unsigned(entry->Tag()) >> 16);
    const int value = int(entry->Tag() & 0xFFFF);
    switch (kind) {
        case dxBarCmdReset:
            link->SetUserDefine(TdxBarUserDefines());
            break;
        case dxBarCmdDelete:
            DeleteSelection(false, false);
            return;
        case dxBarCmdDeleteItem:
            DeleteSelection(true, false);
            return;
        case dxBarCmdDeleteLink:
            FreeCustomizingItemLink();
            return;
        case dxBarCmdPaintStyle:
            link->SetUserPaintStyle(TdxBarPaintStyle(value));
            break;
        case dxBarCmdPosition:
            link->SetPosition(TdxBarItemPosition(value));
            break;
        case dxBarCmdViewLevels:
            ApplyViewLevels(value, entry->ClickedLink ? entry->ClickedLink->GetLinks() : nullptr);
            return;
        case dxBarCmdButtonGroup:
            ApplyButtonGroup(value);
            return;
        case dxBarCmdDistributed:
            link->SetDistributed(!link->Distributed());
            break;
        case dxBarCmdBeginGroup:
            link->SetBeginGroup(!link->BeginGroup());
            break;
        case dxBarCmdVisible:
            link->SetVisible(!link->Visible());
            break;
        case dxBarCmdMostRecentlyUsed:
            link->SetMostRecentlyUsed(!link->MostRecentlyUsed());
            break;
        default:
            return;
    }
    ApplyCommandToSelection(kind);
}

void TdxBarDesignController::ApplyCommandToSelection(Byte kind) {
    TList list;
    GetSelectedObjects(customizingManager_, &list);
    for (int i = 0; i < list.Count(); ++i)
        QuerySelectableItem(static_cast<TObject*>(list.Items(i)))->ExecuteCustomizingAction(kind);
}

void TdxBarDesignController::SyncViewLevelChecks(TdxBarItemLinks* levelLinks) {
    if (!levelLinks || !customizingLink_) return;
    const TdxBarItemViewLevels levels = customizingLink_->ViewLevels();
    for (int i = 0; i < 4 && i < levelLinks->Count(); ++i)
        if (TdxBarButton* button = EntryButton(levelLinks->GetLink(i)))
            button->SetDown(levels.Contains(TdxBarItemViewLevel(i)));
}

void TdxBarDesignController::ApplyViewLevels(int value, TdxBarItemLinks* levelLinks) {
    TdxBarItemLink* link = customizingLink_;
    if (!link || value < 0 || value > 8) return;
    TdxBarItemViewLevels levels = link->ViewLevels();
    if (value == 4) {
        levels = dxBarAllViewLevels;
    } else if (value > 4) {
        levels = TdxBarItemViewLevels{TdxBarItemViewLevel(value - 5)};
    } else if (levels.Contains(TdxBarItemViewLevel(value))) {
        levels -= TdxBarItemViewLevel(value);
    } else {
        levels += TdxBarItemViewLevel(value);
    }
    link->SetViewLevels(levels);
    SyncViewLevelChecks(levelLinks);
    ApplyCommandToSelection(dxBarCmdViewLevels);
}

void TdxBarDesignController::ApplyButtonGroup(int value) {
    static constexpr TdxBarButtonGroupPosition positions[] = {bgpNone, bgpStart, bgpMember, bgpMember, bgpNone};
    TdxBarItemLink* link = customizingLink_;
    if (!link || value < 0 || value > 4) return;
    if (value <= 2) {
        link->SetButtonGroup(positions[value]);
        ApplyCommandToSelection(dxBarCmdButtonGroup);
    } else {
        GroupSelectedLinks(value == 3);
    }
}

void TdxBarDesignController::GroupSelectedLinks(bool group) {
    TdxBarItemLink* link = customizingLink_;
    TdxBarItemLinks* links = customizingLinks_ ? customizingLinks_ : (link ? link->GetLinks() : nullptr);
    if (!links) return;
    links->BeginUpdate();
    try {
        TdxBarItemLink* lowest = nullptr;
        for (int i = links->Count() - 1; i >= 0; --i) {
            TdxBarItemLink* current = links->GetLink(i);
            if (!current->IsSelected()) continue;
            current->SetButtonGroup(group ? bgpMember : bgpNone);
            lowest = current;
        }
        if (group) {
            if (!lowest) lowest = link;
            if (lowest) lowest->SetButtonGroup(bgpStart);
        }
    } catch (...) {
        links->EndUpdate();
        throw;
    }
    links->EndUpdate();
}

void TdxBarDesignController::ApplyCaption(TObject* sender) {
    auto* edit = As<TdxBarEdit>(sender);
    TdxBarItemLink* link = customizingLink_;
    if (!edit || !link) return;
    const String text = edit->GetText();
    if (text.empty()) {
        if (customizingPopup_) customizingPopup_->HideBar();
        BarMessageBox(BarString(dxSBAR_COMMANDNAMECANNOTBEBLANK), MB_OK | MB_ICONERROR);
        return;
    }
    TdxBarManager* manager = link->BarManager();
    if (manager && manager->IsBarManagerDesigning()) {
        if (link->Item()) link->Item()->SetCaption(text);
        ApplyCommandToSelection(dxBarCmdCaption);
        manager->DesignerModified();
    } else {
        link->SetUserCaption(text);
    }
}

// ---- Registries -----------------------------------------------------------------------------

void TdxBarDesignController::RegisterBarControlEditor(const TdxBarControlEditor* editor) {
    if (editor) editors_.push_back(editor);
}

void TdxBarDesignController::RegisterBarControlDesignHelper(TClass barControlClass,
                                                            const TCustomdxBarControlDesignHelper* helper) {
    designHelpers_.emplace_back(barControlClass, helper);
}

void TdxBarDesignController::UnregisterBarControlDesignHelper(TClass barControlClass,
                                                              const TCustomdxBarControlDesignHelper* helper) {
    std::erase_if(designHelpers_, [&](const auto& entry) { return entry.first == barControlClass && entry.second == helper; });
}

const TCustomdxBarControlDesignHelper* TdxBarDesignController::FindDesignHelper(TClass barControlClass) const {
    if (!barControlClass) return nullptr;
    TClass bestClass = nullptr;
    const TCustomdxBarControlDesignHelper* best = nullptr;
    // The most derived registered ancestor wins; among entries for one class, the later one.
    for (const auto& [registered, helper] : designHelpers_) {
        if (!barControlClass->InheritsFrom(registered)) continue;
        if (!bestClass || registered->InheritsFrom(bestClass)) {
            bestClass = registered;
            best = helper;
        }
    }
    return best;
}

const TCustomdxBarControlDesignHelper* TdxBarDesignController::FindDesignHelper() const {
    return customizingBarControl_ ? FindDesignHelper(customizingBarControl_->ClassType()) : nullptr;
}

// ---- The instance ---------------------------------------------------------------------------

TdxBarDesignController* DesignControllerInstance() {
    if (!instance && !IsBarUnitFinalizing()) instance = new TdxBarDesignController();
    return instance;
}

TdxBarDesignController* ExistingDesignController() { return instance; }

void FreeDesignController() { FreeAndNil(instance); }
