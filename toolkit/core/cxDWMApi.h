#pragma once
// Run-time access to the desktop window manager (dwmapi.dll, bound by name on systems above
// major version 5). Every wrapper is safe to call when the library or the entry point is
// missing: it then does nothing and reports failure.

#include <windows.h>

bool IsDwmLoaded();
bool IsDwmCompositionActive();  // false without dwmapi

struct TcxDwmMargins {
    int cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight;
};

// Not handled (FALSE) when unbound.
BOOL cxDwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
HRESULT cxDwmExtendFrameIntoClientArea(HWND window, const TcxDwmMargins* margins);
HRESULT cxDwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
HRESULT cxDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
HRESULT cxDwmGetColorizationColor(DWORD* color, BOOL* opaqueBlend);

// The address of a bound dwmapi entry point, nil when absent. SetDwmEntry replaces one and
// returns the previous address, so tests can stand in for the library.
FARPROC GetDwmEntry(const char* name);
FARPROC SetDwmEntry(const char* name, FARPROC entry);

void InitializecxDWMApi();
void FinalizecxDWMApi();
