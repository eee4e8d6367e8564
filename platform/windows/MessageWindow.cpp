#include "MessageWindow.h"

#include "CallbackBarrier.h"
#include "SysExceptions.h"

namespace {

const wchar_t kUtilWindowClass[] = L"TPUtilWindow";

LRESULT CALLBACK UtilWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!method || !*method) return DefWindowProcW(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    // The copy keeps the method alive while DeallocateHWnd runs inside it.
    TWndMethod call = *method;
    return CallbackBarrier(LRESULT(0), [&]() -> LRESULT {
        call(m);
        return m.Result;
    });
}

void RegisterUtilClass() {
    WNDCLASSW existing;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoW(instance, kUtilWindowClass, &existing)) return;
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &UtilWindowProc;
    cls.hInstance = instance;
    cls.lpszClassName = kUtilWindowClass;
    if (!RegisterClassW(&cls)) RaiseLastOSError();
}

}  // namespace

HWND AllocateHWnd(const TWndMethod& method) {
    RegisterUtilClass();
    // A popup window of no size, never shown: unlike a message-only window it also hears
    // broadcasts such as WM_SYSCOLORCHANGE.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) throw EOutOfResources(L"Error creating window: " + SysErrorMessage(GetLastError()));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
    return window;
}

void DeallocateHWnd(HWND window) {
    if (!window) return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    delete method;
}
