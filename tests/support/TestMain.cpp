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
#if defined(__i386__)
    // The 32-bit walk above rarely gets past the handler: the code keeps no frame pointers. Words
    // on the faulting stack that point into this executable are the likely return addresses.
    const auto* image = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const DWORD low = DWORD(reinterpret_cast<ULONG_PTR>(image)), high = low + headers->OptionalHeader.SizeOfImage;
    std::fprintf(stderr, "stack words:");
    MEMORY_BASIC_INFORMATION region{};
    const auto* word = reinterpret_cast<const DWORD*>(info->ContextRecord->Esp);
    if (VirtualQuery(word, &region, sizeof region)) {
        const auto* end = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize);
        for (int n = 0; n < 512 && word < end; ++word, ++n)
            if (*word >= low && *word < high) std::fprintf(stderr, " %08lx", static_cast<unsigned long>(*word));
    }
    std::fprintf(stderr, "\n");
#endif
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
