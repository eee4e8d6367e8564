#include "SysExceptions.h"

#include <windows.h>

void Exception::SetMessage(const String& message) {
    message_ = message;
    what_ = NarrowForWhat(message_);
}

std::string Exception::NarrowForWhat(const String& message) {
    if (message.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, message.data(), int(message.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, message.data(), int(message.size()), out.data(), size, nullptr, nullptr);
    return out;
}

String SysErrorMessage(Cardinal errorCode) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text;
    if (buffer) {
        text.assign(buffer, length);
        LocalFree(buffer);
    }
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(Cardinal errorCode) {
    if (errorCode == 0) throw EOSError(L"A call to an OS function failed", 0);
    throw EOSError(L"System Error.  Code: " + std::to_wstring(errorCode) + L".\r\n" + SysErrorMessage(errorCode),
                   errorCode);
}

void AssertionFailed(const String& message, const char* file, int line) {
    String fileName;
    for (const char* p = file; *p; ++p) fileName += wchar_t(static_cast<unsigned char>(*p));
    throw EAssertionFailed(message + L" (" + fileName + L", line " + std::to_wstring(line) + L")");
}

void ListIndexError(Integer index) { throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")"); }
