#pragma once
// Class references of classes made with one argument: TcxArgClassMeta, TcxArgClassMetaOf and
// the declaration macro Z_ARG_FAMILY_CLASS.

#include "SysObject.h"

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
#define Z_ARG_FAMILY_CLASS(Self, Parent, Root, Arg)                                                     \
public:                                                                                                 \
    using inherited = Parent;                                                                           \
    static const TcxArgClassMeta<Root, Arg>* StaticClass() {                                            \
        return static_cast<const TcxArgClassMeta<Root, Arg>*>(                                          \
            MakeMetaClass<Self, TcxArgClassMetaOf<Root, Arg, Self>>(L## #Self, Parent::StaticClass())); \
    }                                                                                                   \
    TClass ClassType() const override { return StaticClass(); }                                         \
                                                                                                        \
private:
