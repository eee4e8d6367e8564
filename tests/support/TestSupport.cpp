#include "TestSupport.h"

#include <windows.h>

#include <mutex>

#include <gtest/gtest.h>

#include "CallbackBarrier.h"
#include "StringList.h"
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
    } catch (...) {}
    std::lock_guard guard(recordLock);
    recorded.push_back(message);
}

class TUnitsEnvironment : public testing::Environment {
public:
    explicit TUnitsEnvironment(void (*initializeUnits)()) : initializeUnits_(initializeUnits) {}
    void SetUp() override { initializeUnits_(); }

private:
    void (*initializeUnits_)();
};

}  // namespace

bool StartUnitsBeforeTests(void (*initializeUnits)()) {
    testing::AddGlobalTestEnvironment(new TUnitsEnvironment(initializeUnits));
    return true;
}

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

TTempFolder::TTempFolder() {
    static int counter = 0;
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (;;) {
        path_ = String(base) + L"zarnik-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

namespace {

void RemoveTree(const String& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            String name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else {
                SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((folder + name).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TTempFolder::~TTempFolder() { RemoveTree(path_); }

std::vector<String> Lines(const TStrings& list) {
    std::vector<String> out;
    for (Integer i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return Utf8(e.Message());
    }
    return "(no exception)";
}

std::string ClassAndMessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return Utf8(e.ClassName()) + ": " + Utf8(e.Message());
    }
    return "(no exception)";
}
