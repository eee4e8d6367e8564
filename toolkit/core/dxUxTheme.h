#pragma once
// Run-time access to the visual-styles library (UxTheme.dll), bound by name at start-up. Every
// wrapper checks its entry point: a missing one does nothing and reports failure (E_NOTIMPL,
// FALSE or a null handle), so callers on systems without the function draw the classic way.
// Do not include the system's <uxtheme.h> next to this header: the wrappers carry its names.

#include <windows.h>

#include "SysTypes.h"

using HTHEME = HANDLE;
using HPAINTBUFFER = HANDLE;

bool IsUxThemeLoaded();
// The bound address of an entry point (nil when absent). SetUxThemeEntry replaces one and
// returns the previous address, so tests can stand in for the library.
FARPROC GetUxThemeEntry(const char* name);
FARPROC SetUxThemeEntry(const char* name, FARPROC entry);

HTHEME OpenThemeData(HWND window, const wchar_t* classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect);
HRESULT DrawThemeBackgroundByRef(HTHEME theme, HDC dc, int part, int state, const RECT& rect, const RECT* clipRect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int length, DWORD flags,
                      DWORD flags2, const RECT* rect);
HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const String& text, int length, DWORD flags,
                        RECT* rect, const void* options);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, int sizeKind, SIZE* size);
HRESULT GetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, int sizeKind, SIZE* size);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameSize, wchar_t* colorName, int colorNameSize,
                            wchar_t* sizeName, int sizeNameSize);
BOOL IsThemeActive();
HRESULT BufferedPaintInit();
HRESULT BufferedPaintUnInit();
HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* targetRect, int format, const void* paintParams, HDC* dc);
HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);

void InitializedxUxTheme();
void FinalizedxUxTheme();
