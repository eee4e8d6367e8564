#pragma once
// The common base of the bar manager's items, groups and popup menus, and the two small lists
// that keep them: TdxObjectList (objects listed once) and TdxBarComponentList (components that
// tell the list about their changes).
//
// Sections: selection interfaces · TdxObjectList · TdxBarComponent · TdxBarComponentList.
//
// A component belongs to one manager. Every TdxBarComponentList that holds it is one of its
// change listeners: NotifyChangeListeners reports a change to each of them as a change event of
// the list, which is how a group or the Customize dialog hears about its members.

#include <vector>

#include "Component.h"
#include "Interfaces.h"
#include "Lists.h"
#include "Persistent.h"
#include "TypInfo.h"
#include "cxComponentList.h"
#include "dxBarForward.h"

Z_ENUM(TdxBarItemVisible, Byte, ivNever, ivInCustomizing, ivAlways)

// ---- Selection interfaces -----------------------------------------------------------------

// Selection operation codes: add to the selection, remove from it, make the only selected one.
constexpr Integer dxBarSelectionAdd = 0;
constexpr Integer dxBarSelectionRemove = 1;
constexpr Integer dxBarSelectionExclusive = 2;

// What bars, items, links and popup menus offer to the selection of customizing and design.
// The objects behind it are components and links, freed by their owners: a plain interface.
class IdxBarSelectableItem {
public:
    virtual bool CanDelete(bool deletingItem) = 0;
    // Frees the object when it may be deleted, clearing ref first.
    virtual void DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) = 0;
    virtual void ExecuteCustomizingAction(Byte action) = 0;
    virtual TdxBarManager* GetBarManager() = 0;
    virtual TObject* GetSelectableInstance() = 0;
    virtual void AddOwnerToList(TList* list) = 0;
    virtual IdxBarSelectableItem* GetNextSelectable() = 0;
    virtual TPersistent* GetSelectableParent() = 0;
    virtual Integer GetSelectionState() = 0;  // 1: selected
    virtual Word GetSupportedActions() = 0;   // one bit per customizing command
    virtual void InvalidateSelf() = 0;
    virtual bool HasSeveralLinks() = 0;
    virtual bool IsSelected() = 0;
    virtual void SelectInDesigner(Integer operation) = 0;
    virtual bool SelectParent() = 0;
    virtual void SelectionChanged() = 0;

protected:
    ~IdxBarSelectableItem() = default;
};

// The selectable item an object offers: nil (false) when it offers none.
IdxBarSelectableItem* QuerySelectableItem(TObject* object);
bool QuerySelectableItemInterface(TObject* object, IdxBarSelectableItem*& item);
inline bool SupportsSelectableItem(TObject* object) { return QuerySelectableItem(object) != nullptr; }
// The object behind a selectable item (nil for nil).
TObject* SelectableItemObject(IdxBarSelectableItem* item);

// The selection a manager works with: the form designer's at design time, the run-time
// selection controller while the user customizes. Counted: whoever installs it hands it over.
struct IdxBarDesigner : virtual IInterface {
    virtual bool CanRemoveComponent(TComponent* component) = 0;
    virtual void CollectSelection(TList* list) = 0;
    virtual Integer QuerySelectionState(TObject* object) = 0;  // 1: selected
    virtual bool IsInSelection(TObject* object) = 0;
    virtual void ApplyComponentSelection(TObject* object, Integer operation) = 0;
    virtual void ReplaceSelection(TList* list) = 0;
    virtual void OpenDefaultHandler(TdxBarItem* item) = 0;
    virtual bool MakeUniqueName(const String& baseName, String& name) = 0;
};

// ---- TdxObjectList ------------------------------------------------------------------------

// A list that does not own its objects and holds each at most once.
class TdxObjectList : public TObjectList {
    Z_CLASS(TdxObjectList, TObjectList)
public:
    TdxObjectList() : TObjectList(false) {}
    // Adds the object unless it is nil or listed already; its index, -1 for nil.
    int AddUnique(TObject* object);
    TObject* GetObject(int index) const;  // nil outside the list
    TObject* GetLast() const;             // nil when empty
    // Makes target a copy of source (through AddUnique when target is a TdxObjectList).
    static void CopyList(const TList* source, TList* target);
    void AssignTo(TList* target) const { CopyList(this, target); }
};

// Deletes, from the last to the first, every object of the list that is not selectable.
void RemoveNonSelectableItems(TdxObjectList* list);

// ---- TdxBarComponent ----------------------------------------------------------------------

class TdxBarComponent : public TComponent, public IdxBarSelectableItem {
    Z_CLASS(TdxBarComponent, TComponent)
public:
    explicit TdxBarComponent(TComponent* owner) : TComponent(owner) {}
    ~TdxBarComponent() override;

    TdxBarManager* BarManager() const { return manager_; }

    // Reports a change of this component (or, with allChanged, of every member) to the lists
    // that hold it; nothing while the component is being destroyed.
    virtual void NotifyChangeListeners(bool allChanged);
    virtual bool GetEnabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    virtual void SetVisible(TdxBarItemVisible value) = 0;

    // IdxBarSelectableItem
    bool CanDelete(bool deletingItem) override;
    void DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) override;
    void ExecuteCustomizingAction(Byte action) override { (void)action; }
    TdxBarManager* GetBarManager() override { return manager_; }
    TObject* GetSelectableInstance() override { return this; }
    void AddOwnerToList(TList* list) override;
    IdxBarSelectableItem* GetNextSelectable() override { return nullptr; }
    TPersistent* GetSelectableParent() override { return Owner(); }
    Integer GetSelectionState() override;
    Word GetSupportedActions() override { return 0x0002; }
    void InvalidateSelf() override {}
    bool HasSeveralLinks() override { return false; }
    bool IsSelected() override { return GetSelectionState() == 1; }
    void SelectInDesigner(Integer operation) override;
    bool SelectParent() override { return false; }
    void SelectionChanged() override {}

    void AddChangeListener(TdxBarComponentList* list);
    void RemoveChangeListener(TdxBarComponentList* list);
    int ChangeListenerCount() const { return int(changeListeners_.size()); }

    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

protected:
    // The manager's designer, nil without one.
    IdxBarDesigner* Designer() const;
    void SetBarManagerField(TdxBarManager* manager) { manager_ = manager; }

    bool enabled_ = true;
    TdxBarItemVisible visible_ = ivAlways;

private:
    TdxBarManager* manager_ = nullptr;
    std::vector<TdxBarComponentList*> changeListeners_;
};

// ---- TdxBarComponentList ------------------------------------------------------------------

// A list of bar components that registers itself as the change listener of each member.
class TdxBarComponentList : public TcxComponentList {
    Z_CLASS(TdxBarComponentList, TcxComponentList)
public:
    TdxBarComponentList() = default;
    ~TdxBarComponentList() override;
    TdxBarComponent* ComponentAt(int index) const { return static_cast<TdxBarComponent*>(Items(index)); }
    // Members report their changes through it.
    using TcxComponentList::FireChanged;

protected:
    TClass ItemBaseClass() const override { return TdxBarComponent::StaticClass(); }
    void HandleListNotification(TComponent* component, TListNotification action) override;
};
