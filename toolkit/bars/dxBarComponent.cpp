#include "dxBarComponent.h"

#include "dxBarRunTimeSelectionController.h"

#include <algorithm>

#include "dxBarManager.h"

// Sections: TdxObjectList and selectable items · TdxBarComponent · TdxBarComponentList.

// ---- TdxObjectList ------------------------------------------------------------------------

int TdxObjectList::AddUnique(TObject* object) {
    if (!object) return -1;
    int index = IndexOf(object);
    return index >= 0 ? index : Add(object);
}

TObject* TdxObjectList::GetObject(int index) const { return index >= 0 && index < Count() ? Items(index) : nullptr; }

TObject* TdxObjectList::GetLast() const { return Count() > 0 ? Last() : nullptr; }

void TdxObjectList::CopyList(const TList* source, TList* target) {
    target->Clear();
    target->SetCapacity(source->Capacity());
    auto* unique = As<TdxObjectList>(target);
    for (int i = 0; i < source->Count(); ++i) {
        auto* object = static_cast<TObject*>(source->Items(i));
        if (unique)
            unique->AddUnique(object);
        else
            target->Add(object);
    }
}

IdxBarSelectableItem* QuerySelectableItem(TObject* object) {
    return object ? dynamic_cast<IdxBarSelectableItem*>(object) : nullptr;
}

bool QuerySelectableItemInterface(TObject* object, IdxBarSelectableItem*& item) {
    item = QuerySelectableItem(object);
    return item != nullptr;
}

TObject* SelectableItemObject(IdxBarSelectableItem* item) { return item ? item->GetSelectableInstance() : nullptr; }

void RemoveNonSelectableItems(TdxObjectList* list) {
    for (int i = list->Count() - 1; i >= 0; --i)
        if (!SupportsSelectableItem(list->Items(i))) list->Delete(i);
}

// ---- TdxBarComponent ----------------------------------------------------------------------

TdxBarComponent::~TdxBarComponent() { ForgetInRunTimeSelection(manager_, this); }

IdxBarDesigner* TdxBarComponent::Designer() const { return manager_ ? manager_->Designer() : nullptr; }

void TdxBarComponent::NotifyChangeListeners(bool allChanged) {
    if (IsDestroying()) return;
    for (TdxBarComponentList* list : std::vector<TdxBarComponentList*>(changeListeners_))
        list->FireChanged(allChanged ? nullptr : this, itemChanged);
}

bool TdxBarComponent::CanDelete(bool deletingItem) {
    (void)deletingItem;
    IdxBarDesigner* designer = Designer();
    return !designer || designer->CanRemoveComponent(this);
}

void TdxBarComponent::DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) {
    if (!CanDelete(deletingItem)) return;
    ref = nullptr;
    FreeObject(this);
}

void TdxBarComponent::AddOwnerToList(TList* list) {
    if (auto* unique = As<TdxObjectList>(list))
        unique->AddUnique(Owner());
    else if (Owner() && list->IndexOf(Owner()) < 0)
        list->Add(Owner());
}

Integer TdxBarComponent::GetSelectionState() {
    IdxBarDesigner* designer = Designer();
    return designer ? designer->QuerySelectionState(this) : 0;
}

void TdxBarComponent::SelectInDesigner(Integer operation) {
    if (IdxBarDesigner* designer = Designer()) designer->ApplyComponentSelection(this, operation);
}

void TdxBarComponent::AddChangeListener(TdxBarComponentList* list) {
    if (std::find(changeListeners_.begin(), changeListeners_.end(), list) == changeListeners_.end())
        changeListeners_.push_back(list);
}

void TdxBarComponent::RemoveChangeListener(TdxBarComponentList* list) { std::erase(changeListeners_, list); }

// ---- TdxBarComponentList ------------------------------------------------------------------

TdxBarComponentList::~TdxBarComponentList() {
    // Members must forget this list while it can still tell them (the base clears silently).
    LockChanges();
    Clear();
}

void TdxBarComponentList::HandleListNotification(TComponent* component, TListNotification action) {
    auto* barComponent = static_cast<TdxBarComponent*>(component);
    if (action == lnAdded)
        barComponent->AddChangeListener(this);
    else if (!barComponent->IsDestroying())
        barComponent->RemoveChangeListener(this);
    TcxComponentList::HandleListNotification(component, action);
}
