#include <gtest/gtest.h>

#include "Persistent.h"
#include "SysExceptions.h"
#include "TestSupport.h"

namespace {

class TPoint3 : public TPersistent {
    Z_CLASS(TPoint3, TPersistent)
public:
    void Assign(TPersistent* source) override {
        if (auto* p = As<TPoint3>(source)) {
            x = p->x;
            return;
        }
        TPersistent::Assign(source);
    }
    int x = 0;
};

class TOther : public TPersistent {
    Z_CLASS(TOther, TPersistent)
public:
    explicit TOther(TPersistent* owner = nullptr) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

TEST(Persistent, AssignCopiesKnownKindsAndRefusesOthers) {
    TPoint3 a, b;
    a.x = 7;
    b.Assign(&a);
    EXPECT_EQ(b.x, 7);

    TOther other;
    try {
        b.Assign(&other);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(Utf8(e.Message()), "Cannot assign a TOther to a TPoint3");
    }
    try {
        other.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(Utf8(e.Message()), "Cannot assign a nil to a TOther");
    }
}

TEST(Persistent, NamePathFollowsOwners) {
    TPoint3 root;
    TOther child(&root);
    EXPECT_EQ(Utf8(child.GetNamePath()), "TPoint3.TOther");
}

}  // namespace

namespace {

class TWithOwner : public TPersistent {
    Z_CLASS(TWithOwner, TPersistent)
public:
    explicit TWithOwner(TPersistent*) {}
};

class TWithNone : public TPersistent {
    Z_CLASS(TWithNone, TPersistent)
};

// Each constructor family is found from the constructors the class really has, and a
// constructor of a base pointer does not count as one of a derived pointer.
TEST(Persistent, VirtualConstructorFamiliesFollowTheConstructors) {
    EXPECT_TRUE(TWithOwner::StaticClass()->CanCreateWithPersistent());
    EXPECT_FALSE(TWithOwner::StaticClass()->CanCreateWithComponent());
    EXPECT_FALSE(TWithOwner::StaticClass()->CanCreate());
    EXPECT_TRUE(TWithNone::StaticClass()->CanCreate());
    EXPECT_FALSE(TWithNone::StaticClass()->CanCreateWithPersistent());
}

}  // namespace
