#pragma once
// TComponentList: a list of components that drops a member the moment it is freed elsewhere, so
// it never holds a dangling pointer. Like TObjectList it frees the members it deletes while it
// owns them (the default).

#include "Component.h"
#include "Lists.h"

class TComponentList : public TTypedListOf<TComponent, TObjectList> {
    Z_CLASS(TComponentList, TObjectList)
public:
    explicit TComponentList(bool ownsObjects = true);
    ~TComponentList() override;

protected:
    void Notify(void* item, TListNotification action) override;

private:
    class TNexus;
    void MemberFreed(TComponent* component);
    TNexus* nexus_;  // hears when a member is freed
};
