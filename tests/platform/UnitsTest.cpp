// Unit start-up and shut-down.

#include <gtest/gtest.h>

#include <string>

#include "Component.h"
#include "Units.h"

namespace {

class TUnitTestThing : public TComponent {
    Z_CLASS(TUnitTestThing, TComponent)
public:
    using TComponent::TComponent;
};

std::string unitTestLog;
void InitializeUnitTestFirst() { unitTestLog += "+first"; }
void FinalizeUnitTestFirst() { unitTestLog += "-first"; }
void InitializeUnitTestRegistering() {
    unitTestLog += "+registering";
    RegisterClass(TUnitTestThing::StaticClass());
}
void FinalizeUnitTestRegistering() {
    // Its classes are still there while it finishes.
    unitTestLog += GetClass(L"TUnitTestThing") ? "-registering(registered)" : "-registering(gone)";
}

}  // namespace

TEST(Units, RunInOrderOnceAndUnregisterTheClassesTheyRegisteredAfterTheirFinalization) {
    unitTestLog.clear();
    {
        TUnitList units;
        units.Initialize({{"First", &InitializeUnitTestFirst, &FinalizeUnitTestFirst},
                          {"Registering", &InitializeUnitTestRegistering, &FinalizeUnitTestRegistering}});
        units.Initialize({{"First", &InitializeUnitTestFirst, &FinalizeUnitTestFirst}, {"Empty", nullptr, nullptr}});
        EXPECT_EQ(unitTestLog, "+first+registering");
        EXPECT_TRUE(units.IsInitialized("Empty"));
        EXPECT_EQ(GetClass(L"TUnitTestThing"), TUnitTestThing::StaticClass());
        EXPECT_EQ(units.Classes(), std::vector<TClass>{TUnitTestThing::StaticClass()});
        units.Finalize();
        EXPECT_EQ(unitTestLog, "+first+registering-registering(registered)-first");
        EXPECT_EQ(GetClass(L"TUnitTestThing"), nullptr);
        EXPECT_FALSE(units.IsInitialized("First"));
    }
    // A class registered before the unit ran is not the unit's: it stays.
    RegisterClass(TUnitTestThing::StaticClass());
    TUnitList units;
    units.Initialize({{"Registering", &InitializeUnitTestRegistering, nullptr}});
    units.Finalize();
    EXPECT_EQ(GetClass(L"TUnitTestThing"), TUnitTestThing::StaticClass());
    UnRegisterClass(TUnitTestThing::StaticClass());
}
