#include <gtest/gtest.h>

#include "Events.h"
#include "SysExceptions.h"
#include "SysObject.h"
#include "TestSupport.h"

namespace {

class TAnimal : public TObject {
    Z_CLASS(TAnimal, TObject)
public:
    virtual String Sound() const { return L"..."; }
};

class TDog : public TAnimal {
    Z_CLASS(TDog, TAnimal)
public:
    String Sound() const override { return L"woof"; }
    void Bark(TObject*) { ++barks; }
    void Howl(TObject*) { ++barks; }
    int barks = 0;
};

class TAbstractShape : public TObject {
    Z_CLASS(TAbstractShape, TObject)
public:
    virtual double Area() const = 0;
};

// A layer without a class declaration of its own (as the typed lists are) stays transparent.
template <class Base>
class TTricks : public Base {};
class TPoodle : public TTricks<TDog> {
    Z_CLASS(TPoodle, TDog)
};

// Z_CLASS refuses a parent that is not the class's direct base; these are its rulings.
static_assert(IsDirectBase<TAnimal, TDog>);
static_assert(!IsDirectBase<TObject, TDog>, "a grandparent is not the parent");
static_assert(!IsDirectBase<TAbstractShape, TDog>, "an unrelated class is not the parent");
static_assert(IsDirectBase<TDog, TPoodle>, "a layer without Z_CLASS stands for the class under it");

TEST(ClassReferences, CreateByNameThroughRegistry) {
    RegisterClasses({TAnimal::StaticClass(), TDog::StaticClass()});
    TClass cls = FindClass(L"tdog");  // names are found case-insensitively
    ASSERT_EQ(cls, TDog::StaticClass());
    TObject* created = cls->Create();
    ASSERT_TRUE(Is<TDog>(created));
    EXPECT_EQ(Utf8(created->ClassName()), "TDog");
    EXPECT_TRUE(created->InheritsFrom(TAnimal::StaticClass()));
    EXPECT_FALSE(TAnimal::StaticClass()->InheritsFrom(TDog::StaticClass()));
    EXPECT_EQ(created->ClassParent(), TAnimal::StaticClass());
    EXPECT_EQ(As<TAnimal>(created)->Sound(), L"woof");
    FreeObject(created);
    UnRegisterClass(TDog::StaticClass());
    EXPECT_EQ(GetClass(L"TDog"), nullptr);
}

TEST(ClassReferences, UnknownClassRaisesClassNotFound) {
    try {
        FindClass(L"TNoSuchThing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(Utf8(e.Message()), "Class TNoSuchThing not found");
    }
}

TEST(ClassReferences, AbstractClassCannotBeCreated) {
    EXPECT_TRUE(TAbstractShape::StaticClass()->IsAbstract());
    EXPECT_THROW(TAbstractShape::StaticClass()->Create(), EInvalidOperation);
}

TEST(Events, EqualWhenSameObjectAndMethod) {
    TDog rex, fido;
    TNotifyEvent a = MakeEvent(&rex, &TDog::Bark);
    TNotifyEvent b(&rex, &TDog::Bark);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == MakeEvent(&fido, &TDog::Bark));
    EXPECT_FALSE(a == MakeEvent(&rex, &TDog::Howl));
    EXPECT_FALSE(TNotifyEvent().Assigned());
    EXPECT_TRUE(TNotifyEvent() == nullptr);
    a(nullptr);
    b(nullptr);
    EXPECT_EQ(rex.barks, 2);
}

TEST(Exceptions, AssertStaysOnAndCarriesItsMessage) {
    try {
        Assert(1 + 1 == 3, L"Unbalanced Begin/EndUpdate");
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message().rfind(L"Unbalanced Begin/EndUpdate (", 0), 0u);
    }
}

}  // namespace
