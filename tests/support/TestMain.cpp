// The main routine of every test executable: runs the platform's start-up (and the engine's,
// when the executable links the engine), then the tests.
// Exceptions caught at a callback barrier are recorded (see CallbackRecorder) instead of shown.

#include <gtest/gtest.h>

#include "PlatformUnits.h"
#include "TestSupport.h"
#include "Units.h"
#if __has_include("EngineUnits.h")
#include "EngineUnits.h"
#define ZARNIK_WITH_ENGINE 1
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitializePlatformUnits();
#ifdef ZARNIK_WITH_ENGINE
    InitializeEngineUnits();
#endif
    InstallRecordingCallbackHandler();
    int result = RUN_ALL_TESTS();
    FinalizeUnits();
    return result;
}
