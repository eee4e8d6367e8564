#pragma once
// TdxBarRunTimeSelectionController: the selection a manager works with while the user
// customizes at run time (the Customize dialog installs it as the manager's designer). At most
// one bar and one item or link are selected together: a new bar replaces the selected bar, a new
// item or link the selected item or link. Every object entering or leaving the selection
// repaints its frame; every completed change fires OnSelectionChanged once.
//
// The selection holds links as well as components, so it is a plain list of objects; an object
// that is freed must leave it (the link's and the item's destructors see to it through the
// design controller and Remove).

#include <vector>

#include "Interfaces.h"
#include "dxBarComponent.h"

using TdxBarSelectionChangedEvent = TEvent<void(TObject* sender, TObject* changed)>;

class TdxBarRunTimeSelectionController : public TInterfacedObject, public IdxBarDesigner {
public:
    TdxBarRunTimeSelectionController() = default;

    // Adds the object, first dropping a selected object of the same kind (bar, or item and link).
    void AddToSelection(TObject* object);
    // Takes the object out (an object being freed).
    void Remove(TObject* object);
    void Clear();
    const std::vector<TObject*>& Selection() const { return selection_; }
    TdxBarSelectionChangedEvent OnSelectionChanged;

    // IdxBarDesigner
    bool CanRemoveComponent(TComponent*) override { return true; }
    void CollectSelection(TList* list) override;
    Integer QuerySelectionState(TObject* object) override { return IsInSelection(object) ? 1 : 0; }
    bool IsInSelection(TObject* object) override;
    void ApplyComponentSelection(TObject* object, Integer operation) override;
    void ReplaceSelection(TList* list) override;
    void OpenDefaultHandler(TdxBarItem*) override {}
    bool MakeUniqueName(const String&, String& name) override {
        name.clear();
        return false;
    }

private:
    void Insert(TObject* object);
    void Erase(size_t index);
    void BeginChange() { ++changeCount_; }
    void EndChange(TObject* changed);

    std::vector<TObject*> selection_;
    int changeCount_ = 0;
    bool changed_ = false;
    TObject* lastChanged_ = nullptr;
};

// An object being freed leaves the manager's run-time selection, when it has one.
void ForgetInRunTimeSelection(TdxBarManager* manager, TObject* object);
