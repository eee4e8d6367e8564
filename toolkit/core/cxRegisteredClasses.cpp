#include "cxRegisteredClasses.h"

#include "dxCore.h"

TcxRegisteredClassList::~TcxRegisteredClassList() { Clear(); }

void TcxRegisteredClassList::Clear() {
    for (auto* item : items_) FreeObject(item);
    items_.clear();
}

bool TcxRegisteredClassList::FindByClass(TClass itemClass, int& index) const {
    for (int i = Count() - 1; i >= 0; --i) {
        TClass entry = items_[size_t(i)]->ItemClass;
        if (itemClass->InheritsFrom(entry)) {
            index = i;
            return true;
        }
        if (entry->InheritsFrom(itemClass)) index = i;  // a descendant: the first one in list order
    }
    return false;
}

void TcxRegisteredClassList::AddPair(TClass itemClass, TClass registeredClass) {
    int index = -1;
    bool found = FindByClass(itemClass, index);
    auto* data = new TcxRegisteredClassListItemData;
    data->ItemClass = itemClass;
    data->RegisteredClass = registeredClass;
    if (found)
        items_.insert(items_.begin() + index + 1, data);
    else if (index < 0)
        items_.push_back(data);
    else
        items_.insert(items_.begin() + index, data);
}

void TcxRegisteredClassList::RemovePair(TClass itemClass, TClass registeredClass) {
    for (size_t i = items_.size(); i-- > 0;)
        if (items_[i]->ItemClass == itemClass && items_[i]->RegisteredClass == registeredClass) {
            FreeObject(items_[i]);
            items_.erase(items_.begin() + std::ptrdiff_t(i));
        }
}

TClass TcxRegisteredClassList::LookupRegisteredClass(TClass itemClass) const {
    int index = -1;
    return itemClass && FindByClass(itemClass, index) ? items_[size_t(index)]->RegisteredClass : nullptr;
}

// ---- TcxRegisteredClasses -----------------------------------------------------------------

TcxRegisteredClasses::TcxRegisteredClasses(bool registerClasses)
    : items_(new TcxRegisteredClassesStringList(this)), registerClasses_(registerClasses) {}

TcxRegisteredClasses::~TcxRegisteredClasses() { FreeObject(items_); }

namespace {
TObject* AsObject(TClass cls) { return reinterpret_cast<TObject*>(const_cast<TMetaClass*>(cls)); }
}  // namespace

void TcxRegisteredClasses::AddClass(TClass cls, const String& description) {
    if (!cls || IndexOfClass(cls) >= 0) return;
    items_->AddObject(description, AsObject(cls));
    if (sorted_) SortByDescription();
    if (registerClasses_) RegisterClass(cls);
}

void TcxRegisteredClasses::RemoveClass(TClass cls) {
    int index = IndexOfClass(cls);
    if (index >= 0) items_->Delete(index);
}

int TcxRegisteredClasses::IndexOfClass(TClass cls) const { return items_->IndexOfObject(AsObject(cls)); }

TClass TcxRegisteredClasses::ClassAt(int index) const { return reinterpret_cast<TClass>(items_->Objects(index)); }

String TcxRegisteredClasses::Description(int index) const { return TextBeforeSeparator(items_->Strings(index)); }

TClass TcxRegisteredClasses::FindByClassName(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (ClassAt(i)->ClassName() == name) return ClassAt(i);
    return nullptr;
}

void TcxRegisteredClasses::SetSorted(bool value) {
    if (sorted_ == value) return;
    sorted_ = value;
    if (sorted_) SortByDescription();
}

int TcxRegisteredClasses::CompareDescriptions(int index1, int index2) const {
    String a = Description(index1), b = Description(index2);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(), int(b.size())) - 2;
}

void TcxRegisteredClasses::SortByDescription() {
    items_->CustomSort([](TStringList* list, Integer i, Integer j) {
        return static_cast<TcxRegisteredClassesStringList*>(list)->RegisteredClasses()->CompareDescriptions(i, j);
    });
}
