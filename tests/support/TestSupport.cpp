#include "TestSupport.h"

#include <windows.h>

#include <mutex>

#include "CallbackBarrier.h"
#include "SysExceptions.h"

namespace {

std::mutex recordLock;
std::vector<String> recorded;

void Record(std::exception_ptr error) {
    String message = L"(unknown)";
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        message = e.Message();
    } catch (...) {
    }
    std::lock_guard guard(recordLock);
    recorded.push_back(message);
}

}  // namespace

void InstallRecordingCallbackHandler() { SetCallbackExceptionHandler(&Record); }

std::vector<String> TakeRecordedCallbackErrors() {
    std::lock_guard guard(recordLock);
    return std::exchange(recorded, {});
}

std::string Utf8(const String& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}
