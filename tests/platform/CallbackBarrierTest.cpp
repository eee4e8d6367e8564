#include <gtest/gtest.h>

#include "CallbackBarrier.h"
#include "SysExceptions.h"
#include "TestSupport.h"

namespace {

constexpr UINT kThrowMessage = WM_USER + 1;
constexpr UINT kAnswerMessage = WM_USER + 2;

LRESULT CALLBACK ThrowingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallbackBarrier(LRESULT(-5), [&]() -> LRESULT {
        if (message == kThrowMessage) throw EConvertError(L"failure inside a window procedure");
        if (message == kAnswerMessage) return 42;
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

TEST(CallbackBarrier, ExceptionInARealWindowProcedureIsReportedAndTheProcessGoesOn) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &ThrowingWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"ZarnikBarrierTestWindow";
    ASSERT_TRUE(RegisterClassW(&cls) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"barrier", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    TakeRecordedCallbackErrors();

    EXPECT_EQ(SendMessageW(window, kThrowMessage, 0, 0), -5);  // the barrier's fallback answer
    EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{L"failure inside a window procedure"});
    // The window and the process carry on.
    EXPECT_EQ(SendMessageW(window, kAnswerMessage, 0, 0), 42);
    PostMessageW(window, kThrowMessage, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(TakeRecordedCallbackErrors().size(), 1u);
    EXPECT_TRUE(DestroyWindow(window));
    UnregisterClassW(cls.lpszClassName, cls.hInstance);
}

}  // namespace
