#include "dxBarControlEditors.h"

#include "Component.h"
#include "dxBarButton.h"
#include "dxBarDesignController.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"
#include "dxBarUnit.h"
#include "dxCustomBarControl.h"

// ---- The base editor ------------------------------------------------------------------------

const TdxBarControlEditor* TdxBarControlEditor::Instance() {
    static const TdxBarControlEditor editor;
    return &editor;
}

TNotifyEvent TdxBarControlEditor::EntryClick() const {
    // The editors keep no state: binding the click to the shared object only selects the class.
    return MakeEvent(const_cast<TdxBarControlEditor*>(this), &TdxBarControlEditor::HandleEntryClick);
}

bool TdxBarControlEditor::CanAddItems() {
    TdxBarDesignController* controller = ExistingDesignController();
    TdxBarManager* manager = controller ? controller->CustomizingManager() : nullptr;
    TComponent* owner = manager ? manager->Owner() : nullptr;
    return !(owner && owner->ComponentState().Contains(csInline));
}

void TdxBarControlEditor::AddEntries(TdxBarItemLinks* links) const {
    TdxBarDesignController* controller = DesignControllerInstance();
    TClass entryClass = EntryItemClass();
    // The base editor names no entry class: there is nothing to add.
    if (!controller || !links || !entryClass) return;
    TdxBarItemLink* link = controller->AddInternalItem(links, entryClass, false, 0, TNotifyEvent(), EntryCaption());
    PrepareEntry(link);
}

void TdxBarControlEditor::HandleEntryClick(TObject* sender) {
    auto* entry = As<TdxBarItem>(sender);
    TdxBarDesignController* controller = ExistingDesignController();
    if (!entry || !controller) return;
    const String caption = entry->GetCaption();
    TClass itemClass = ItemClassForEntry(caption);
    if (!itemClass) return;
    TdxBarItemLink* link = controller->AddNewItemForCustomizing(itemClass);
    if (!link) return;
    AfterItemAdded(link, caption);
    // Selected as by the user's click on it, so it becomes the selected object. The window may
    // not have made the link's control yet (its rebuild waits while the manager is locked); then
    // the link is selected as that click would select it.
    TCustomdxBarControl* window = link->GetBarControl();
    if (window && !link->Control()) window->RebuildLocked(true);
    if (window && link->Control())
        window->SelectForCust(link->Control(), mbRight, TShiftState());
    else
        controller->ApplySelection(link, dxBarSelectionExclusive);
}

// ---- Add a sub item, a button, a separator ---------------------------------------------------

const TdxAddSubItemEditor* TdxAddSubItemEditor::Instance() {
    static const TdxAddSubItemEditor editor;
    return &editor;
}

TClass TdxAddSubItemEditor::ItemClassForEntry(const String&) const { return TdxBarSubItem::StaticClass(); }
String TdxAddSubItemEditor::EntryCaption() const { return BarStringTableText(dxSBAR_CP_ADDSUBITEM); }
TClass TdxAddSubItemEditor::EntryItemClass() const { return TdxBarButton::StaticClass(); }

void TdxAddSubItemEditor::PrepareEntry(TdxBarItemLink* link) const {
    if (!link || !link->Item()) return;
    link->Item()->OnClick = EntryClick();
    link->Item()->SetEnabled(CanAddItems());
}

const TdxAddButtonEditor* TdxAddButtonEditor::Instance() {
    static const TdxAddButtonEditor editor;
    return &editor;
}

TClass TdxAddButtonEditor::ItemClassForEntry(const String&) const { return TdxBarButton::StaticClass(); }
String TdxAddButtonEditor::EntryCaption() const { return BarStringTableText(dxSBAR_CP_ADDBUTTON); }

const TdxAddSeparatorEditor* TdxAddSeparatorEditor::Instance() {
    static const TdxAddSeparatorEditor editor;
    return &editor;
}

TClass TdxAddSeparatorEditor::ItemClassForEntry(const String&) const { return TdxBarSeparator::StaticClass(); }
String TdxAddSeparatorEditor::EntryCaption() const { return BarStringTableText(dxSBAR_CP_ADDSEPARATOR); }

// ---- Add an item of a chosen class ------------------------------------------------------------

const TdxItemsEditorEx* TdxItemsEditorEx::Instance() {
    static const TdxItemsEditorEx editor;
    return &editor;
}

TClass TdxItemsEditorEx::ItemClassForEntry(const String& addedItemName) const { return GetClass(addedItemName); }
String TdxItemsEditorEx::EntryCaption() const { return BarStringTableText(dxSBAR_CP_ADDDXITEM); }
TClass TdxItemsEditorEx::EntryItemClass() const { return TdxBarSubItem::StaticClass(); }

void TdxItemsEditorEx::PrepareEntry(TdxBarItemLink* link) const {
    auto* subItem = link ? As<TCustomdxBarSubItem>(link->Item()) : nullptr;
    if (!subItem) return;
    const bool enabled = CanAddItems();
    subItem->SetEnabled(enabled);
    // Its entries must be clickable in customizing mode.
    subItem->ItemLinks()->Internal = true;
    if (!enabled) return;
    TdxBarItemLinks* links = subItem->ItemLinks();
    links->BeginUpdate();
    try {
        FillItemClasses(links);
    } catch (...) {
        links->EndUpdate();
        throw;
    }
    links->EndUpdate();
}

void TdxItemsEditorEx::FillItemClasses(TdxBarItemLinks* links) const {
    TdxBarDesignController* controller = DesignControllerInstance();
    TdxBarItemList* registry = ItemRegistryInstance();
    if (!controller || !registry || !links) return;
    for (int i = 0; i < registry->GetOfferedClassCount(); ++i)
        if (TClass itemClass = registry->GetOfferedClass(i))
            controller->AddInternalItem(links, TdxBarButton::StaticClass(), false, 0, EntryClick(),
                                        itemClass->ClassName());
}
