// The device-change relay: a broadcast reaches every registered handler later, from the loop.

#include <gtest/gtest.h>

#include "ControlsUnits.h"
#include "RzDeviceChangeHandler.h"
#include "SysExceptions.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

std::vector<std::string> calls;

struct TListener : TObject {
    std::string name;
    bool fail = false;
    explicit TListener(std::string n) : name(std::move(n)) {}
    void DeviceChanged(TObject* sender, TMessage& message) {
        EXPECT_EQ(sender, DeviceChangeHandler());
        EXPECT_EQ(message.Msg, RZ_DEVICECHANGE);
        calls.push_back(name + ":" + std::to_string(message.WParam));
        if (fail) throw Exception(L"listener failed");
    }
};

}  // namespace

TEST(DeviceChangeHandler, RelaysBroadcastsInRegistrationOrderFromTheLoop) {
    InitializeControlsUnits();
    TListener first("first"), second("second");
    first.fail = true;
    auto* relay = DeviceChangeHandler();
    EXPECT_EQ(relay, DeviceChangeHandler());
    auto onFirst = TRzDeviceChangeEvent(MakeEvent(&first, &TListener::DeviceChanged));
    auto onSecond = TRzDeviceChangeEvent(MakeEvent(&second, &TListener::DeviceChanged));
    relay->Register(onFirst);
    relay->Register(onSecond);
    relay->Register(onFirst);
    calls.clear();
    TakeRecordedCallbackErrors();

    SendMessageW(relay->Handle(), WM_DEVICECHANGE, 0x8000, 0);
    EXPECT_TRUE(calls.empty());  // answered first, relayed later
    EXPECT_TRUE(PumpUntil([] { return calls.size() >= 3; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"first:32768", "second:32768", "first:32768"}));
    // A failing handler is reported and does not stop the others.
    EXPECT_EQ(TakeRecordedCallbackErrors().size(), 2u);

    relay->Unregister(onFirst);
    relay->Unregister(onFirst);
    relay->Unregister(onFirst);  // none left: nothing happens
    EXPECT_EQ(relay->Count(), 1);
    calls.clear();
    SendMessageW(relay->Handle(), WM_DEVICECHANGE, 0x8004, 0);
    EXPECT_TRUE(PumpUntil([] { return !calls.empty(); }));
    EXPECT_EQ(calls, (std::vector<std::string>{"second:32772"}));
    relay->Unregister(onSecond);
    EXPECT_EQ(relay->Count(), 0);
}
