#pragma once
// The root object, class references and the registry of classes by name.
//
// A class reference (TClass) is a pointer to the class's one TMetaClass object. It knows the
// class's name and parent and can construct the class through each constructor family that the
// class offers ("virtual constructors"): no arguments, an owner component, an owner persistent
// or an owning collection. Declare a class's metadata with one line, first in its body:
//
//     class TFoo : public TBar {
//         Z_CLASS(TFoo, TBar)
//     public:
//         ...
//     };
//
// Z_CLASS records the class for the declarations that follow it (Z_PUBLISHED, Z_MESSAGE_MAP),
// names the parent `inherited`, for calls to the parent's version of a method, and refuses a
// parent that is not a direct base. Like every declaration macro it leaves the access private.
//
// A family that needs class-level virtual operations (a texture-image kind, an archive reader)
// derives its own metaclass from TMetaClass, specializes TMetaClassOf<Family, C> to forward the
// operations to C's statics, and declares its root class with Z_CLASS_FAMILY; the classes below
// the root use plain Z_CLASS. Every class of the family then answers StaticClass() and
// ClassType() with a pointer to the family's metaclass:
//
//     class TVirtualReader : public TObject {
//         Z_CLASS_FAMILY(TVirtualReader, TObject, TVirtualReaderMeta)
//         ...
//     };
//     TVirtualReaderClass cls = TBinaryReader::StaticClass();   // cls->CreateReader(stream)

#include <tr2/type_traits>
#include <type_traits>
#include <vector>

// windows.h makes RegisterClass a macro for RegisterClassW; take it in first and drop the macro,
// so that the class registry keeps one name in every file whichever headers come before.
#include <windows.h>
#undef RegisterClass

#include "SysTypes.h"

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TMetaClass;
using TClass = const TMetaClass*;

class TMetaClass {
public:
    using FactoryNone = TObject* (*)();
    using FactoryComponent = TObject* (*)(TComponent* owner);
    using FactoryPersistent = TObject* (*)(TPersistent* owner);
    using FactoryCollection = TObject* (*)(TCollection* collection);

    TMetaClass(const wchar_t* name, TClass parent) : name_(name), parent_(parent) {}
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;
    virtual ~TMetaClass() = default;

    String ClassName() const { return name_; }
    const wchar_t* ClassNameW() const { return name_; }
    TClass ClassParent() const { return parent_; }
    bool InheritsFrom(TClass ancestor) const;
    bool IsAbstract() const { return abstract_; }

    // Virtual constructors; each raises EInvalidOperation when the class is abstract or lacks
    // that constructor family. Create(TComponent*) calls AfterConstruction on the new object.
    TObject* Create() const;
    TObject* Create(TComponent* owner) const;
    TObject* Create(TPersistent* owner) const;
    TObject* CreateInCollection(TCollection* collection) const;
    bool CanCreate() const { return none_ != nullptr; }
    bool CanCreateWithComponent() const { return component_ != nullptr; }
    bool CanCreateWithPersistent() const { return persistent_ != nullptr; }
    bool CanCreateInCollection() const { return collection_ != nullptr; }

protected:
    template <class C>
    friend struct TMetaClassInit;
    const wchar_t* name_;
    TClass parent_;
    bool abstract_ = false;
    FactoryNone none_ = nullptr;
    FactoryComponent component_ = nullptr;
    FactoryPersistent persistent_ = nullptr;
    FactoryCollection collection_ = nullptr;
};

// Converts only to exactly T, so that a constructor taking a base pointer is not mistaken for
// one taking T (a constructor of TPersistent* must not count as one of TComponent*). Only
// pointers are refused: a refused conversion to the class itself would make the copy
// constructor a rival of every owner constructor, and nothing would count as constructible.
template <class T>
struct TExactArg {
    operator T() const;
    template <class U>
    requires std::is_pointer_v<U>
    operator U() const = delete;
};

// Fills a metaclass's factories from the constructors that C really has.
template <class C>
struct TMetaClassInit {
    static void Fill(TMetaClass& m) {
        m.abstract_ = std::is_abstract_v<C>;
        if constexpr (!std::is_abstract_v<C>) {
            if constexpr (std::is_constructible_v<C>) m.none_ = []() -> TObject* { return new C(); };
            if constexpr (std::is_constructible_v<C, TExactArg<TComponent*>>)
                m.component_ = [](TComponent* o) -> TObject* { return new C(o); };
            if constexpr (std::is_constructible_v<C, TExactArg<TPersistent*>>)
                m.persistent_ = [](TPersistent* o) -> TObject* { return new C(o); };
            if constexpr (std::is_constructible_v<C, TExactArg<TCollection*>>)
                m.collection_ = [](TCollection* c) -> TObject* { return new C(c); };
        }
    }
};

// The metaclass of C, of type Meta (TMetaClass or a family's TMetaClassOf<Family, C>), created
// on first use.
template <class C, class Meta>
const Meta* MakeMetaClass(const wchar_t* name, TClass parent) {
    static Meta meta(name, parent);
    static const bool filled = (TMetaClassInit<C>::Fill(meta), true);
    (void)filled;
    return &meta;
}

// The metaclass of class C in a family: a family specializes it to answer its class-level
// operations from C's statics. The plain family (TMetaClass) needs no type of its own per class.
template <class Family, class C>
class TMetaClassOf : public Family {
public:
    using Family::Family;
};
template <class Family, class C>
using TMetaClassFor = std::conditional_t<std::is_same_v<Family, TMetaClass>, TMetaClass, TMetaClassOf<Family, C>>;

// True when Parent is the class that C derives from: one of C's direct bases is Parent, or is a
// layer without a class declaration of its own above Parent (a typed-list template).
template <class Parent, class Base>
constexpr bool DeclaredClassIs() {
    if constexpr (requires { typename Base::ZSelf; })
        return std::is_same_v<typename Base::ZSelf, Parent>;
    else
        return false;
}
template <class Parent, class Bases>
struct TIsDirectBaseIn;
template <class Parent, class... Bases>
struct TIsDirectBaseIn<Parent, std::tr2::__reflection_typelist<Bases...>>
    : std::bool_constant<(DeclaredClassIs<Parent, Bases>() || ...)> {};
template <class Parent, class C>
inline constexpr bool IsDirectBase = TIsDirectBaseIn<Parent, typename std::tr2::direct_bases<C>::type>::value;

// Z_CLASS(Self, Parent) and Z_CLASS_FAMILY(Self, Parent, Family): see the top of this file.
#define Z_CLASS(Self, Parent) Z_CLASS_IN_FAMILY(Self, Parent, typename Parent::ZFamily)

#define Z_CLASS_FAMILY(Self, Parent, Family) \
    Z_CLASS_IN_FAMILY(Self, Parent, Family)  \
public:                                      \
    using ZFamily = Family;                  \
                                             \
private:

#define Z_CLASS_IN_FAMILY(Self, Parent, Family)                                                                  \
public:                                                                                                          \
    using inherited = Parent;                                                                                    \
    using ZSelf = Self;                                                                                          \
    static const Family* StaticClass() {                                                                         \
        static_assert(IsDirectBase<Parent, Self>, "Z_CLASS names a parent that is not a direct base of " #Self); \
        return MakeMetaClass<Self, TMetaClassFor<Family, Self>>(L## #Self, Parent::StaticClass());               \
    }                                                                                                            \
    const Family* ClassType() const override { return StaticClass(); }                                           \
                                                                                                                 \
private:

class TObject {
public:
    using ZSelf = TObject;
    using ZFamily = TMetaClass;
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }
    String ClassName() const { return ClassType()->ClassName(); }
    TClass ClassParent() const { return ClassType()->ClassParent(); }
    bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }

    // Called once the object is fully constructed by a virtual constructor or by the owner that
    // creates it; the counterpart runs before the destructor when the object is freed with Free.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
};

// Frees an object, calling BeforeDestruction first; a null object is ignored.
void FreeObject(TObject* object);
template <class T>
void FreeAndNil(T*& object) {
    T* doomed = object;
    object = nullptr;
    FreeObject(doomed);
}

// The class registry: classes are found by name (case-insensitive) for streaming.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
TClass GetClass(const String& name);      // nullptr when unknown
std::vector<TClass> RegisteredClasses();  // in registration order
TClass FindClass(const String& name);     // raises EClassNotFound "Class %s not found"

template <class T>
T* As(TObject* object) {
    return dynamic_cast<T*>(object);
}
template <class T>
bool Is(const TObject* object) {
    return dynamic_cast<const T*>(object) != nullptr;
}
