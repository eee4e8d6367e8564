#include "CallbackBarrier.h"

#include <windows.h>

#include <atomic>

#include "SysExceptions.h"

namespace {

// Until the application installs its own handler, an escaped exception is shown in a plain
// message box so that it is never lost.
void ShowInMessageBox(std::exception_ptr error) {
    String text = L"Unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return;
    } catch (const Exception& e) {
        text = e.Message();
    } catch (const std::exception& e) {
        text.clear();
        for (const char* p = e.what(); *p; ++p) text += wchar_t(static_cast<unsigned char>(*p));
    } catch (...) {}
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

std::atomic<TCallbackExceptionHandler> installedHandler{&ShowInMessageBox};

}  // namespace

TCallbackExceptionHandler SetCallbackExceptionHandler(TCallbackExceptionHandler handler) {
    return installedHandler.exchange(handler ? handler : &ShowInMessageBox);
}

void HandleCallbackException(std::exception_ptr error) noexcept {
    try {
        installedHandler.load()(error);
    } catch (...) {
        // A handler that fails itself has nowhere left to report to.
    }
}
