#pragma once
// A stand-in for the visual-styles library, installed through the binding's entry seam for the
// life of a TRecordingVisualStyles: every theme opens, parts are recorded instead of drawn,
// content rects are 3 pixels in, parts are 13 x 13, only text colours are defined, and the
// Office-style colour scheme is the one given (an XP scheme name, or any other name).

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "ToolkitTestSupport.h"
#include "cxGeometry.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

// One part drawn by the visual styles.
struct TThemeDraw {
    String themeClass;
    int part, state;
    bool operator==(const TThemeDraw&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TThemeDraw& d) {
    return out << Utf8(d.themeClass) << " part " << d.part << " state " << d.state;
}

// Installs the stand-in when made, puts the library back when freed.
class TRecordingVisualStyles {
public:
    explicit TRecordingVisualStyles(const wchar_t* scheme = L"NormalColor") {
        classes().clear();
        drawn().clear();
        for (const auto& [name, fake] : Fakes()) saved_[name] = SetUxThemeEntry(name, fake);
        SetScheme(scheme);
    }
    ~TRecordingVisualStyles() {
        SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);  // closes the stand-in handles
        for (const auto& [name, entry] : saved_) SetUxThemeEntry(name, entry);
        SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
        RecalcOffice11ColorTables();
    }
    void SetScheme(const wchar_t* scheme) {
        schemeName() = scheme;
        SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
        RecalcOffice11ColorTables();
    }
    // Changes the scheme's name alone, leaving the colour tables as they are.
    void SetSchemeName(const wchar_t* scheme) { schemeName() = scheme; }
    static std::vector<TThemeDraw> Take() { return std::exchange(drawn(), {}); }

private:
    static std::vector<String>& classes() {
        static std::vector<String> c;
        return c;
    }
    static std::vector<TThemeDraw>& drawn() {
        static std::vector<TThemeDraw> d;
        return d;
    }
    static String& schemeName() {
        static String s;
        return s;
    }
    static String ClassOf(HTHEME theme) { return classes().at(size_t(reinterpret_cast<UINT_PTR>(theme)) - 1); }

    static HTHEME WINAPI Open(HWND, LPCWSTR classList) {
        classes().push_back(classList);
        return reinterpret_cast<HTHEME>(UINT_PTR(classes().size()));
    }
    static HRESULT WINAPI Close(HTHEME) { return S_OK; }
    static BOOL WINAPI Active() { return TRUE; }
    static HRESULT WINAPI Draw(HTHEME theme, HDC, int part, int state, const RECT*, const RECT*) {
        drawn().push_back({ClassOf(theme), part, state});
        return S_OK;
    }
    static HRESULT WINAPI Text(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) { return S_OK; }
    static HRESULT WINAPI Edge(HTHEME theme, HDC, int part, int state, const RECT*, UINT, UINT, RECT*) {
        drawn().push_back({ClassOf(theme) + L" edge", part, state});
        return S_OK;
    }
    static HRESULT WINAPI Content(HTHEME, HDC, int, int, const RECT* bounds, RECT* content) {
        *content = InflateRectSides(*bounds, -3, -3, -3, -3);
        return S_OK;
    }
    static HRESULT WINAPI PartSize(HTHEME, HDC, int, int, const RECT*, int, SIZE* size) {
        *size = SIZE{13, 13};
        return S_OK;
    }
    static HRESULT WINAPI Color(HTHEME, int, int, int property, COLORREF* color) {
        if (property != 3803) return E_FAIL;
        *color = 0x123456;
        return S_OK;
    }
    static BOOL WINAPI PartiallyTransparent(HTHEME, int, int) { return FALSE; }
    static HRESULT WINAPI Region(HTHEME, HDC, int, int, const RECT*, HRGN*) { return E_FAIL; }
    static HRESULT WINAPI Name(LPWSTR file, int, LPWSTR color, int colorSize, LPWSTR size, int) {
        lstrcpyW(file, L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles");
        lstrcpynW(color, schemeName().c_str(), colorSize);
        size[0] = 0;
        return S_OK;
    }
    static std::vector<std::pair<const char*, FARPROC>> Fakes() {
        return {{"OpenThemeData", AsProc(&Open)},
                {"CloseThemeData", AsProc(&Close)},
                {"IsThemeActive", AsProc(&Active)},
                {"DrawThemeBackground", AsProc(&Draw)},
                {"DrawThemeText", AsProc(&Text)},
                {"DrawThemeEdge", AsProc(&Edge)},
                {"GetThemeBackgroundContentRect", AsProc(&Content)},
                {"GetThemePartSize", AsProc(&PartSize)},
                {"GetThemeColor", AsProc(&Color)},
                {"IsThemeBackgroundPartiallyTransparent", AsProc(&PartiallyTransparent)},
                {"GetThemeBackgroundRegion", AsProc(&Region)},
                {"GetCurrentThemeName", AsProc(&Name)}};
    }
    std::map<const char*, FARPROC> saved_;
};
