#include "ComponentList.h"

// A component of no owner that asks each member for a free notification on the list's behalf.
class TComponentList::TNexus : public TComponent {
public:
    explicit TNexus(TComponentList* list) : TComponent(nullptr), list_(list) {}

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove) list_->MemberFreed(component);
        TComponent::Notification(component, operation);
    }

private:
    TComponentList* list_;
};

TComponentList::TComponentList(bool ownsObjects) : TTypedListOf(ownsObjects), nexus_(new TNexus(this)) {}

TComponentList::~TComponentList() {
    Clear();
    FreeObject(nexus_);
}

void TComponentList::Notify(void* item, TListNotification action) {
    auto* component = static_cast<TComponent*>(item);
    if (action == lnAdded)
        component->FreeNotification(nexus_);
    else if (IndexOf(component) < 0)  // the last occurrence has left
        component->RemoveFreeNotification(nexus_);
    TObjectList::Notify(item, action);
}

void TComponentList::MemberFreed(TComponent* component) {
    while (IndexOf(component) >= 0) Extract(component);
}
