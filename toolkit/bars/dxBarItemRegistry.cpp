#include "dxBarItemRegistry.h"

TdxBarItemList::~TdxBarItemList() {
    while (Count() > 0) RemoveRegistrationAt(Count() - 1);
}

void TdxBarItemList::AddRegistration(TClass itemClass, TClass itemControlClass, bool offered) {
    Add(new TRegItemRecord(itemClass, itemControlClass, offered));
    RegisterClass(itemClass);
}

void TdxBarItemList::RemoveRegistration(TClass itemClass) {
    for (int i = 0; i < Count(); ++i)
        if (GetRegistration(i)->ItemClass == itemClass) {
            RemoveRegistrationAt(i);
            return;
        }
}

void TdxBarItemList::RemoveRegistrationAt(int index) {
    TRegItemRecord* record = GetRegistration(index);
    UnRegisterClass(record->ItemClass);
    Delete(index);
    FreeObject(record);
}

int TdxBarItemList::GetOfferedClassCount() const {
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        if (GetRegistration(i)->Offered) ++count;
    return count;
}

TClass TdxBarItemList::GetOfferedClass(int index) const {
    for (int i = 0; i < Count(); ++i)
        if (GetRegistration(i)->Offered && index-- == 0) return GetRegistration(i)->ItemClass;
    return nullptr;
}

TClass TdxBarItemList::ControlClassOf(TClass itemClass) const {
    for (int i = 0; i < Count(); ++i)
        if (GetRegistration(i)->ItemClass == itemClass) return GetRegistration(i)->ItemControlClass;
    return nullptr;
}
