#include "SysObject.h"

#include <algorithm>
#include <mutex>

#include "SysExceptions.h"

TClass TObject::StaticClass() {
    static TMetaClass meta(L"TObject", nullptr);
    return &meta;
}

bool TMetaClass::InheritsFrom(TClass ancestor) const {
    for (TClass c = this; c; c = c->parent_)
        if (c == ancestor) return true;
    return false;
}

namespace {

[[noreturn]] void CannotCreate(const TMetaClass& cls, const wchar_t* how) {
    throw EInvalidOperation(L"Cannot create an instance of " + cls.ClassName() + how);
}

TObject* Constructed(TObject* object) {
    object->AfterConstruction();
    return object;
}

}  // namespace

TObject* TMetaClass::Create() const {
    if (!none_) CannotCreate(*this, L"");
    return Constructed(none_());
}

TObject* TMetaClass::Create(TComponent* owner) const {
    if (!component_) CannotCreate(*this, L" with an owner component");
    return Constructed(component_(owner));
}

TObject* TMetaClass::Create(TPersistent* owner) const {
    if (!persistent_) CannotCreate(*this, L" with an owner");
    return Constructed(persistent_(owner));
}

TObject* TMetaClass::CreateInCollection(TCollection* collection) const {
    if (!collection_) CannotCreate(*this, L" in a collection");
    return Constructed(collection_(collection));
}

void FreeObject(TObject* object) {
    if (!object) return;
    object->BeforeDestruction();
    delete object;
}

namespace {

bool SameAsciiText(const String& a, const String& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               auto up = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c; };
               return up(x) == up(y);
           });
}

struct ClassRegistry {
    std::mutex lock;
    std::vector<TClass> classes;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

}  // namespace

void RegisterClass(TClass cls) {
    ClassRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    for (TClass c : r.classes)
        if (SameAsciiText(c->ClassName(), cls->ClassName())) return;  // first registration wins
    r.classes.push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
    ClassRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    std::erase(r.classes, cls);
}

TClass GetClass(const String& name) {
    ClassRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    for (TClass c : r.classes)
        if (SameAsciiText(c->ClassName(), name)) return c;
    return nullptr;
}

std::vector<TClass> RegisteredClasses() {
    ClassRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    return r.classes;
}

TClass FindClass(const String& name) {
    if (TClass c = GetClass(name)) return c;
    throw EClassNotFound(L"Class " + name + L" not found");
}
