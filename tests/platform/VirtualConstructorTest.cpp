#include <gtest/gtest.h>

#include "Persistent.h"
#include "SysExceptions.h"
#include "SysObject.h"

namespace {

class TOwned : public TPersistent {
    Z_CLASS(TOwned, TPersistent)
public:
    explicit TOwned(TPersistent* owner) : owner(owner) {}
    TPersistent* owner;
};

class TOwnedChild : public TOwned {
    Z_CLASS(TOwnedChild, TOwned)
public:
    using TOwned::TOwned;  // inherited constructors count too
};

// Takes any object: that is not a constructor of the owner-persistent family.
class TTakesAnyObject : public TPersistent {
    Z_CLASS(TTakesAnyObject, TPersistent)
public:
    explicit TTakesAnyObject(TObject*) {}
};

TEST(VirtualConstructors, OwnerConstructorsAreFound) {
    TPersistent owner;
    TClass cls = TOwnedChild::StaticClass();
    ASSERT_TRUE(cls->CanCreateWithPersistent());
    TObject* created = cls->Create(&owner);
    ASSERT_TRUE(Is<TOwnedChild>(created));
    EXPECT_EQ(static_cast<TOwned*>(created)->owner, &owner);
    FreeObject(created);
    EXPECT_TRUE(TOwned::StaticClass()->CanCreateWithPersistent());
    EXPECT_FALSE(TOwned::StaticClass()->CanCreate());
    EXPECT_FALSE(TTakesAnyObject::StaticClass()->CanCreateWithPersistent());
    EXPECT_THROW(TTakesAnyObject::StaticClass()->Create(&owner), EInvalidOperation);
}

}  // namespace
