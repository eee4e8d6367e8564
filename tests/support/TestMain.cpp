// The main routine of every test executable: runs the platform's start-up, then the tests.
// Exceptions caught at a callback barrier are recorded (see CallbackRecorder) instead of shown.

#include <gtest/gtest.h>

#include "PlatformUnits.h"
#include "TestSupport.h"
#include "Units.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitializePlatformUnits();
    InstallRecordingCallbackHandler();
    int result = RUN_ALL_TESTS();
    FinalizeUnits();
    return result;
}
