#pragma once
// A list of components (not owning them) that reports its changes with the collection codes
// (TcxComponentList), and a list that owns its objects (TcxObjectList).

#include "ComponentList.h"
#include "Events.h"
#include "Lists.h"
#include "cxComponentCollection.h"

class TcxComponentList;

using TcxComponentListChangeEvent =
    TEvent<void(TObject* sender, TComponent* component, TcxComponentCollectionNotification action)>;
using TcxComponentListNotifyEvent = TEvent<void(TObject* sender, TComponent* component, TListNotification action)>;

class TcxComponentList : public TComponentList {
    Z_CLASS(TcxComponentList, TComponentList)
public:
    TcxComponentList() : TComponentList(false) {}
    ~TcxComponentList() override;

    void LockChanges() { ++updateCount_; }
    void UnlockChanges();  // fires (nil, itemChanged) afterwards
    void UnlockChangesSilently() { --updateCount_; }
    int UpdateCount() const { return updateCount_; }

    TcxComponentListChangeEvent OnComponentListChanged;
    TcxComponentListNotifyEvent OnNotify;

protected:
    void Notify(void* item, TListNotification action) override;
    virtual void HandleListNotification(TComponent* component, TListNotification action);
    // The class every entry must have; entries of other classes are refused.
    virtual TClass ItemBaseClass() const { return TComponent::StaticClass(); }
    void FireChanged(TComponent* component, TcxComponentCollectionNotification action);

private:
    int updateCount_ = 0;
};

// A list that owns its objects and frees them, first to last, when cleared.
class TcxObjectList : public TList {
    Z_CLASS(TcxObjectList, TList)
public:
    TcxObjectList() = default;
    ~TcxObjectList() override;
    void Clear() override;
    TObject* ItemAt(int index) const { return static_cast<TObject*>(Items(index)); }
};
