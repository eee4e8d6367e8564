// The program: runs the units' start-up, opens the main window and runs the message loop
// until the window is closed.

#include <windows.h>

#include "CallbackBarrier.h"
#include "PlatformUnits.h"
#include "Units.h"

namespace {

const wchar_t kMainWindowClass[] = L"TfmMain";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallbackBarrier(LRESULT(0), [&]() -> LRESULT {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = MainWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kMainWindowClass;
    RegisterClassExW(&cls);
    return CreateWindowExW(0, kMainWindowClass, L"Редактор Zarnik", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 1024, 720, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    InitializePlatformUnits();
    HWND window = CreateMainWindow(instance);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    FinalizeUnits();
    return int(message.wParam);
}
