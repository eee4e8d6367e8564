#include "SubclassedWindow.h"

#include "CallbackBarrier.h"

namespace {
const wchar_t kSubclassProp[] = L"ZarnikSubclass";
}

void TSubclassedWindow::Attach(HWND window, const TWndMethod& proc) {
    Release();
    if (!window) return;
    window_ = window;
    proc_ = proc;
    SetPropW(window, kSubclassProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TSubclassedWindow::Proc)));
}

void TSubclassedWindow::Release() {
    if (!window_) return;
    // Put the original back only while ours is still the window's procedure: someone who
    // subclassed after us keeps theirs.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == &TSubclassedWindow::Proc)
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(window_, kSubclassProp);
    window_ = nullptr;
}

void TSubclassedWindow::CallOriginal(TMessage& Message) {
    HWND window = window_;
    WNDPROC original = original_;
    if (!window || !original) return;
    Message.Result = CallWindowProcW(original, window, Message.Msg, Message.WParam, Message.LParam);
}

LRESULT CALLBACK TSubclassedWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TSubclassedWindow*>(GetPropW(window, kSubclassProp));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC original = self->original_;
    TMessage m{message, wParam, lParam, 0};
    bool handled = CallbackBarrier(false, [&] {
        self->proc_(m);
        return true;
    });
    // A failed handler reports its exception and ends the message there, as a control's own
    // window procedure does; only the window's last message still reaches its procedure.
    if (!handled && message == WM_NCDESTROY) m.Result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kSubclassProp);
        if (self->window_ == window) self->window_ = nullptr;
    }
    return m.Result;
}
