#include "cxDWMApi.h"

#include <cstring>
#include <utility>

#include "dxCore.h"

namespace {

const char* const kEntryNames[] = {
    "DwmDefWindowProc",      "DwmEnableBlurBehindWindow",    "DwmEnableComposition",
    "DwmEnableMMCSS",        "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor",
    "DwmGetWindowAttribute", "DwmIsCompositionEnabled",      "DwmSetWindowAttribute",
};
constexpr int kEntryCount = int(sizeof(kEntryNames) / sizeof(kEntryNames[0]));

HMODULE dwmLibrary = nullptr;
FARPROC entries[kEntryCount] = {};

template <class F>
F Entry(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetDwmEntry(name)));
}

}  // namespace

FARPROC GetDwmEntry(const char* name) {
    for (int i = 0; i < kEntryCount; ++i)
        if (std::strcmp(kEntryNames[i], name) == 0) return entries[i];
    return nullptr;
}

FARPROC SetDwmEntry(const char* name, FARPROC entry) {
    for (int i = 0; i < kEntryCount; ++i)
        if (std::strcmp(kEntryNames[i], name) == 0) return std::exchange(entries[i], entry);
    return nullptr;
}

void InitializecxDWMApi() {
    if (PlatformMajorVersion <= 5 || dwmLibrary) return;
    dwmLibrary = LoadLibraryW(L"dwmapi.dll");
    if (!dwmLibrary) return;
    for (int i = 0; i < kEntryCount; ++i) entries[i] = GetProcAddress(dwmLibrary, kEntryNames[i]);
}

void FinalizecxDWMApi() {
    for (auto& entry : entries) entry = nullptr;
    if (dwmLibrary) FreeLibrary(dwmLibrary);
    dwmLibrary = nullptr;
}

bool IsDwmLoaded() { return dwmLibrary != nullptr; }

bool IsDwmCompositionActive() {
    auto isEnabled = Entry<HRESULT(WINAPI*)(BOOL*)>("DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}

BOOL cxDwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto f = Entry<BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*)>("DwmDefWindowProc");
    return f ? f(window, message, wParam, lParam, result) : FALSE;
}

HRESULT cxDwmExtendFrameIntoClientArea(HWND window, const TcxDwmMargins* margins) {
    auto f = Entry<HRESULT(WINAPI*)(HWND, const TcxDwmMargins*)>("DwmExtendFrameIntoClientArea");
    return f ? f(window, margins) : E_NOTIMPL;
}

HRESULT cxDwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    auto f = Entry<HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD)>("DwmGetWindowAttribute");
    return f ? f(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT cxDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    auto f = Entry<HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD)>("DwmSetWindowAttribute");
    return f ? f(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT cxDwmGetColorizationColor(DWORD* color, BOOL* opaqueBlend) {
    auto f = Entry<HRESULT(WINAPI*)(DWORD*, BOOL*)>("DwmGetColorizationColor");
    return f ? f(color, opaqueBlend) : E_NOTIMPL;
}
