// The main routine of every test executable: runs the platform's start-up, then the tests.
// Exceptions caught at a callback barrier are recorded (see CallbackRecorder) instead of shown.

#include <gtest/gtest.h>

#include <cstdio>

#include "PlatformUnits.h"
#include "TestSupport.h"
#include "Units.h"

namespace {

// A fault ends the executable at once with a failure code and names the test that was running.
// Left to Wine's debugger, the process ends after a fault with exit code 5 or, now and then, 0:
// a crashed run could pass.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\ncrash: exception 0x%08lX at address %p in test %s.%s\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress, test ? test->test_suite_name() : "(none)",
                 test ? test->name() : "(none)");
    // The return addresses below the fault, for a look-up in the executable's symbol table.
    void* frames[32];
    const USHORT count = RtlCaptureStackBackTrace(0, 32, frames, nullptr);
    std::fprintf(stderr, "stack:");
    for (USHORT i = 0; i < count; ++i) std::fprintf(stderr, " %p", frames[i]);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(&EndOnCrash);
    testing::InitGoogleTest(&argc, argv);
    InitializePlatformUnits();
    InstallRecordingCallbackHandler();
    int result = RUN_ALL_TESTS();
    FinalizeUnits();
    return result;
}
