#include <gtest/gtest.h>

#include "Interfaces.h"
#include "TestSupport.h"

namespace {

struct IGreeter : virtual IInterface {
    virtual String Greet() = 0;
};

struct ICounter : virtual IInterface {
    virtual int Next() = 0;
};

int freedCount = 0;

class TCountedGreeter : public TInterfacedObject, public IGreeter, public ICounter {
public:
    ~TCountedGreeter() override { ++freedCount; }
    String Greet() override { return L"hello"; }
    int Next() override { return ++n; }
    int n = 0;
};

class TOwnedGreeter : public TNoRefCountObject, public IGreeter {
public:
    String Greet() override { return L"owned"; }
};

TEST(Interfaces, SupportsAsksAnObjectForAnInterface) {
    TOwnedGreeter owned;
    TObject plain;
    IGreeter* greeter = nullptr;
    ICounter* counter = nullptr;
    ASSERT_TRUE(Supports(static_cast<TObject*>(&owned), greeter));
    EXPECT_EQ(greeter->Greet(), L"owned");
    EXPECT_FALSE(Supports(static_cast<TObject*>(&owned), counter));
    EXPECT_EQ(counter, nullptr);
    EXPECT_FALSE(Supports<IGreeter>(&plain));
    EXPECT_FALSE(Supports<IGreeter>(static_cast<TObject*>(nullptr)));
    // Not counted: references change nothing, the owner frees.
    EXPECT_EQ(greeter->_AddRef(), -1);
    { IPtr<IGreeter> borrowed(greeter); }
    EXPECT_EQ(greeter->Greet(), L"owned");
}

TEST(Interfaces, CountedObjectsLiveAsLongAsTheirLastReference) {
    freedCount = 0;
    IPtr<ICounter> counter;
    {
        IPtr<IGreeter> greeter(new TCountedGreeter);
        EXPECT_EQ(greeter->Greet(), L"hello");
        ASSERT_TRUE(Supports(greeter, counter));  // from one interface to another
        IPtr<IGreeter> copy = greeter;
        EXPECT_TRUE(copy == greeter);
        EXPECT_EQ(dynamic_cast<TCountedGreeter*>(greeter.get())->RefCount(), 3);
    }
    EXPECT_EQ(freedCount, 0);
    EXPECT_EQ(counter->Next(), 1);
    counter = nullptr;
    EXPECT_EQ(freedCount, 1);

    auto* unreferenced = new TCountedGreeter;
    IPtr<IGreeter> held(unreferenced);
    EXPECT_THROW(FreeObject(unreferenced), EInvalidPointer);  // still referenced
    held.reset();
    EXPECT_EQ(freedCount, 2);
}

}  // namespace
