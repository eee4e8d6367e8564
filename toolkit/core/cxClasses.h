#pragma once
// Small helpers of the toolkit: method pointers, sizes, component names, thread hooks, weak
// object links and class references of classes made with one argument.

#include <vector>

#include "Component.h"
#include "Events.h"
#include "GraphicsTypes.h"
#include "dxCore.h"

// ---- Method pointers and small values -----------------------------------------------------

inline void FireNotifyEvent(TObject* sender, const TNotifyEvent& event) {
    if (event.Assigned()) event(sender);
}

template <class Signature>
bool MethodsEqual(const TEvent<Signature>& a, const TEvent<Signature>& b) { return a == b; }

inline TSize MakeSize(int width, int height) { return TSize{width, height}; }

// The midpoint of a range, rounded toward minus infinity.
inline int RangeCenter(int a, int b) {
    int sum = a + b;
    return sum > 0 ? sum / 2 : (sum - 1) / 2;
}

// ---- Names of components ------------------------------------------------------------------

String KeepIdentifierChars(const String& text);
String ComposeComponentName(TComponent* owner, const String& className, const String& classPrefix,
                            int number, const String& baseName);
// A name for component that no other component of searchOwner has, made of nameOwner's name,
// the base name (or the class name without classPrefix) and a number where needed.
String MakeUniqueComponentName(TComponent* searchOwner, TComponent* nameOwner, TComponent* component,
                               const String& baseName, const String& classPrefix);

// ---- Thread hooks -------------------------------------------------------------------------

void InstallThreadHook(HHOOK& handle, int hookType, HOOKPROC hookProcedure);
void RemoveThreadHook(HHOOK& handle);

// ---- Weak object links --------------------------------------------------------------------

// Ref becomes nil when the object is destroyed: a component's free notification clears the links
// to it; other objects call ResetObjectLinks from their destructors.
class TcxObjectLink : public TObject {
    Z_CLASS(TcxObjectLink, TObject)
public:
    TObject* Ref = nullptr;
};

TcxObjectLink* CreateObjectLink(TObject* object);
void DestroyObjectLink(TcxObjectLink* link);
void ResetObjectLinks(TObject* object);
int ObjectLinkCount();  // links alive, for checks of balance

// Holds a weak link to an object for a scope, so that code that runs user handlers can stop
// touching the object once a handler has destroyed it.
class TcxObjectLinkGuard {
public:
    explicit TcxObjectLinkGuard(TObject* object) : link_(CreateObjectLink(object)) {}
    ~TcxObjectLinkGuard() { DestroyObjectLink(link_); }
    TcxObjectLinkGuard(const TcxObjectLinkGuard&) = delete;
    TcxObjectLinkGuard& operator=(const TcxObjectLinkGuard&) = delete;
    bool Alive() const { return link_->Ref != nullptr; }

private:
    TcxObjectLink* link_;
};

// ---- Class references of classes made with one argument ----------------------------------

// The class reference of a family whose classes are made with one argument (a view info with
// its scroll bar, a drag-and-drop object with its control): Create makes the class it refers to.
template <class Root, class Arg>
class TcxArgClassMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual Root* Create(Arg arg) const = 0;
};

template <class Root, class Arg, class C>
class TcxArgClassMetaOf final : public TcxArgClassMeta<Root, Arg> {
public:
    using TcxArgClassMeta<Root, Arg>::TcxArgClassMeta;
    Root* Create(Arg arg) const override { return new C(arg); }
};

// Declares a class of such a family (in place of Z_CLASS): StaticClass() is its class reference.
#define Z_ARG_FAMILY_CLASS(Self, Parent, Root, Arg)                                              \
public:                                                                                          \
    using inherited = Parent;                                                                    \
    static const TcxArgClassMeta<Root, Arg>* StaticClass() {                                     \
        return static_cast<const TcxArgClassMeta<Root, Arg>*>(                                   \
            MakeMetaClass<Self, TcxArgClassMetaOf<Root, Arg, Self>>(L## #Self, Parent::StaticClass())); \
    }                                                                                            \
    TClass ClassType() const override { return StaticClass(); }                                 \
                                                                                                 \
private:
