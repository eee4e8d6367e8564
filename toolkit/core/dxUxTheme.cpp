#include "dxUxTheme.h"

#include <commctrl.h>

#include <cstring>

namespace {

const char* const kEntryNames[] = {
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "DrawThemeParentBackground",
    "DrawThemeText",
    "DrawThemeTextEx",
    "EnableThemeDialogTexture",
    "GetCurrentThemeName",
    "GetThemeAppProperties",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundRegion",
    "GetThemeBackgroundExtent",
    "GetThemeBool",
    "GetThemeColor",
    "GetThemeDocumentationProperty",
    "GetThemeEnumValue",
    "GetThemeFilename",
    "GetThemeFont",
    "GetThemeInt",
    "GetThemeIntList",
    "GetThemeMargins",
    "GetThemeMetric",
    "GetThemePartSize",
    "GetThemePosition",
    "GetThemePropertyOrigin",
    "GetThemeRect",
    "GetThemeString",
    "GetThemeSysBool",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysFont",
    "GetThemeSysInt",
    "GetThemeSysSize",
    "GetThemeSysString",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetWindowTheme",
    "HitTestThemeBackground",
    "IsAppThemed",
    "IsThemeActive",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "IsThemeDialogTextureEnabled",
    "OpenThemeData",
    "SetThemeAppProperties",
    "SetWindowTheme",
    "BufferedPaintInit",
    "BufferedPaintUnInit",
    "BeginBufferedPaint",
    "EndBufferedPaint",
    "BufferedPaintSetAlpha",
};
constexpr int kEntryCount = int(sizeof(kEntryNames) / sizeof(kEntryNames[0]));
static_assert(kEntryCount == 52);

HMODULE uxThemeLibrary = nullptr;
FARPROC entries[kEntryCount] = {};

int IndexOfEntry(const char* name) {
    for (int i = 0; i < kEntryCount; ++i)
        if (std::strcmp(kEntryNames[i], name) == 0) return i;
    return -1;
}

template <class F>
F Entry(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetUxThemeEntry(name)));
}

}  // namespace

bool IsUxThemeLoaded() { return uxThemeLibrary != nullptr; }

FARPROC GetUxThemeEntry(const char* name) {
    int index = IndexOfEntry(name);
    return index < 0 ? nullptr : entries[index];
}

FARPROC SetUxThemeEntry(const char* name, FARPROC entry) {
    int index = IndexOfEntry(name);
    if (index < 0) return nullptr;
    FARPROC previous = entries[index];
    entries[index] = entry;
    return previous;
}

void InitializedxUxTheme() {
    InitCommonControls();
    if (uxThemeLibrary) return;
    uxThemeLibrary = LoadLibraryW(L"UxTheme.dll");
    if (!uxThemeLibrary) return;
    for (int i = 0; i < kEntryCount; ++i) entries[i] = GetProcAddress(uxThemeLibrary, kEntryNames[i]);
}

void FinalizedxUxTheme() {
    for (auto& entry : entries) entry = nullptr;
    if (uxThemeLibrary) FreeLibrary(uxThemeLibrary);
    uxThemeLibrary = nullptr;
}

HTHEME OpenThemeData(HWND window, const wchar_t* classList) {
    auto f = Entry<HTHEME(WINAPI*)(HWND, LPCWSTR)>("OpenThemeData");
    return f ? f(window, classList) : nullptr;
}

HRESULT CloseThemeData(HTHEME theme) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME)>("CloseThemeData");
    return f ? f(theme) : E_NOTIMPL;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>("DrawThemeBackground");
    return f ? f(theme, dc, part, state, rect, clipRect) : E_NOTIMPL;
}

HRESULT DrawThemeBackgroundByRef(HTHEME theme, HDC dc, int part, int state, const RECT& rect, const RECT* clipRect) {
    return DrawThemeBackground(theme, dc, part, state, &rect, clipRect);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int length, DWORD flags,
                      DWORD flags2, const RECT* rect) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>("DrawThemeText");
    return f ? f(theme, dc, part, state, text, length, flags, flags2, rect) : E_NOTIMPL;
}

HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const String& text, int length, DWORD flags,
                        RECT* rect, const void* options) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, RECT*, const void*)>("DrawThemeTextEx");
    if (!f) return E_NOTIMPL;
    String copy = text;  // the library may write into the text (DT_MODIFYSTRING)
    return f(theme, dc, part, state, copy.data(), length, flags, rect, options);
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*)>("GetThemeBackgroundContentRect");
    return f ? f(theme, dc, part, state, bounds, content) : E_NOTIMPL;
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, int sizeKind, SIZE* size) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, int, SIZE*)>("GetThemePartSize");
    return f ? f(theme, dc, part, state, rect, sizeKind, size) : E_NOTIMPL;
}

HRESULT GetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, int sizeKind, SIZE* size) {
    return GetThemePartSize(theme, dc, part, state, nullptr, sizeKind, size);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, HRGN*)>("GetThemeBackgroundRegion");
    return f ? f(theme, dc, part, state, rect, region) : E_NOTIMPL;
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*)>("DrawThemeEdge");
    return f ? f(theme, dc, part, state, destRect, edge, flags, contentRect) : E_NOTIMPL;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
    auto f = Entry<BOOL(WINAPI*)(HTHEME, int, int)>("IsThemeBackgroundPartiallyTransparent");
    return f ? f(theme, part, state) : FALSE;
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color) {
    auto f = Entry<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>("GetThemeColor");
    return f ? f(theme, part, state, property, color) : E_NOTIMPL;
}

HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameSize, wchar_t* colorName, int colorNameSize,
                            wchar_t* sizeName, int sizeNameSize) {
    auto f = Entry<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>("GetCurrentThemeName");
    return f ? f(fileName, fileNameSize, colorName, colorNameSize, sizeName, sizeNameSize) : E_NOTIMPL;
}

BOOL IsThemeActive() {
    auto f = Entry<BOOL(WINAPI*)()>("IsThemeActive");
    return f ? f() : FALSE;
}

HRESULT BufferedPaintInit() {
    auto f = Entry<HRESULT(WINAPI*)()>("BufferedPaintInit");
    return f ? f() : E_NOTIMPL;
}

HRESULT BufferedPaintUnInit() {
    auto f = Entry<HRESULT(WINAPI*)()>("BufferedPaintUnInit");
    return f ? f() : E_NOTIMPL;
}

HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* targetRect, int format, const void* paintParams, HDC* dc) {
    auto f = Entry<HPAINTBUFFER(WINAPI*)(HDC, const RECT*, int, const void*, HDC*)>("BeginBufferedPaint");
    if (!f) {
        if (dc) *dc = nullptr;
        return nullptr;
    }
    return f(target, targetRect, format, paintParams, dc);
}

HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget) {
    auto f = Entry<HRESULT(WINAPI*)(HPAINTBUFFER, BOOL)>("EndBufferedPaint");
    return f ? f(buffer, updateTarget) : E_NOTIMPL;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
    auto f = Entry<HRESULT(WINAPI*)(HPAINTBUFFER, const RECT*, BYTE)>("BufferedPaintSetAlpha");
    return f ? f(buffer, rect, alpha) : E_NOTIMPL;
}
