#pragma once
// TComponentList: a list of components that drops a member the moment it is freed elsewhere, so
// it never holds a dangling pointer. Like TObjectList it frees the members it deletes while it
// owns them (the default).

#include "Component.h"
#include "Lists.h"

class TComponentList : public TObjectList {
    Z_CLASS(TComponentList, TObjectList)
public:
    explicit TComponentList(bool ownsObjects = true);
    ~TComponentList() override;

    Integer Add(TComponent* component) { return TList::Add(component); }
    void Insert(Integer index, TComponent* component) { TList::Insert(index, component); }
    Integer Remove(TComponent* component) { return TList::Remove(component); }
    TComponent* Extract(TComponent* component) { return static_cast<TComponent*>(TList::Extract(component)); }
    Integer IndexOf(TComponent* component) const { return TList::IndexOf(component); }
    TComponent* Items(Integer index) const { return static_cast<TComponent*>(TList::Items(index)); }
    void SetItems(Integer index, TComponent* component) { TList::SetItems(index, component); }
    TComponent* operator[](Integer index) const { return Items(index); }
    TComponent* First() const { return Items(0); }
    TComponent* Last() const { return Items(Count() - 1); }

protected:
    void Notify(void* item, TListNotification action) override;

private:
    class TNexus;
    void MemberFreed(TComponent* component);
    TNexus* nexus_;  // hears when a member is freed
};
