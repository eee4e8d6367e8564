#include "cxComponentList.h"

TcxComponentList::~TcxComponentList() {
    updateCount_ = 1;  // the removals of destruction report nothing
    Clear();
}

void TcxComponentList::UnlockChanges() {
    --updateCount_;
    FireChanged(nullptr, itemChanged);
}

void TcxComponentList::Notify(void* item, TListNotification action) {
    auto* component = static_cast<TComponent*>(item);
    if (component->InheritsFrom(ItemBaseClass()))
        HandleListNotification(component, action);
    else if (action == lnAdded)
        Extract(component);  // refused; its extraction reports nothing either
}

void TcxComponentList::HandleListNotification(TComponent* component, TListNotification action) {
    TComponentList::Notify(component, action);
    if (OnNotify.Assigned()) OnNotify(this, component, action);
    switch (action) {
        case lnAdded:
            FireChanged(component, itemAdded);
            break;
        case lnExtracted:
            FireChanged(component, itemRemoved);
            break;
        case lnDeleted:
            FireChanged(component, itemDeleted);
            break;
    }
}

void TcxComponentList::FireChanged(TComponent* component, TcxComponentCollectionNotification action) {
    if (updateCount_ == 0 && OnComponentListChanged.Assigned()) OnComponentListChanged(this, component, action);
}

// ---- TcxObjectList ------------------------------------------------------------------------

TcxObjectList::~TcxObjectList() { Clear(); }

void TcxObjectList::Clear() {
    for (int i = 0; i < Count(); ++i) FreeObject(ItemAt(i));
    TList::Clear();
}
