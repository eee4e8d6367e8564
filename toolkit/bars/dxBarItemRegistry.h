#pragma once
// Which item control shows an item: the process-wide registry of (item class, item-control
// class, offered) records, in registration order. A class is found by its exact identity, so a
// descendant needs a registration of its own. "Offered" classes are those the Customize dialog
// and the design-time menus offer for new items.
//
// Registering an item class also registers it for form streaming; unregistering takes it out of
// both.

#include <vector>

#include "Lists.h"
#include "SysObject.h"

class TRegItemRecord : public TObject {
    Z_CLASS(TRegItemRecord, TObject)
public:
    TRegItemRecord(TClass itemClass, TClass itemControlClass, bool offered)
        : ItemClass(itemClass), ItemControlClass(itemControlClass), Offered(offered) {}
    TClass ItemClass;
    TClass ItemControlClass;
    bool Offered;
};

class TdxBarItemList : public TList {
    Z_CLASS(TdxBarItemList, TList)
public:
    TdxBarItemList() = default;
    // Removes every registration, the last first.
    ~TdxBarItemList() override;

    void AddRegistration(TClass itemClass, TClass itemControlClass, bool offered);
    // Removes the first registration of the class; nothing when there is none.
    void RemoveRegistration(TClass itemClass);
    void RemoveRegistrationAt(int index);
    TRegItemRecord* GetRegistration(int index) const { return static_cast<TRegItemRecord*>(Items(index)); }
    TClass GetRegisteredClass(int index) const { return GetRegistration(index)->ItemClass; }
    int GetOfferedClassCount() const;
    TClass GetOfferedClass(int index) const;  // nil outside the offered ones
    // The control class of the first registration of exactly this class; nil when none.
    TClass ControlClassOf(TClass itemClass) const;
};
