#pragma once
// The visual styles (uxtheme), as far as the controls draw with them: whether they are on, and
// the elements of one window class drawn by part and state. Every call does nothing and answers
// false while the styles are off, so callers keep their classic drawing as the fall-back.

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "GraphicsTypes.h"

// The styles are on for the system and for this program.
bool ThemesActive();

// The theme data of one window class ("BUTTON", "TOOLBAR", ...), closed when it goes. Empty
// (Handle null) while the styles are off or the class has no theme.
class TThemeData {
public:
    explicit TThemeData(const wchar_t* classList, HWND window = nullptr);
    ~TThemeData();
    TThemeData(const TThemeData&) = delete;
    TThemeData& operator=(const TThemeData&) = delete;
    HTHEME Handle() const { return theme_; }
    explicit operator bool() const { return theme_ != nullptr; }

    bool DrawBackground(HDC dc, int part, int state, const TRect& r, const TRect* clip = nullptr) const;
    // The area inside the element's borders; r itself when the element has none.
    TRect ContentRect(HDC dc, int part, int state, const TRect& r) const;
    // The element's true size; (0, 0) when the theme gives none.
    SIZE PartSize(HDC dc, int part, int state) const;
    bool IsBackgroundPartiallyTransparent(int part, int state) const;

private:
    HTHEME theme_ = nullptr;
};

// Has the window's parent draw its background into dc under the window's rectangle r.
bool DrawThemeParentBackgroundOf(HWND window, HDC dc, const TRect* r = nullptr);
