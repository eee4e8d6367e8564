#include "Themes.h"

bool ThemesActive() { return IsThemeActive() && IsAppThemed(); }

TThemeData::TThemeData(const wchar_t* classList, HWND window) {
    if (ThemesActive()) theme_ = OpenThemeData(window, classList);
}

TThemeData::~TThemeData() {
    if (theme_) CloseThemeData(theme_);
}

bool TThemeData::DrawBackground(HDC dc, int part, int state, const TRect& r, const TRect* clip) const {
    return theme_ && SUCCEEDED(DrawThemeBackground(theme_, dc, part, state, &r, clip));
}

TRect TThemeData::ContentRect(HDC dc, int part, int state, const TRect& r) const {
    RECT content = r;
    if (theme_ && SUCCEEDED(GetThemeBackgroundContentRect(theme_, dc, part, state, &r, &content))) return content;
    return r;
}

SIZE TThemeData::PartSize(HDC dc, int part, int state) const {
    SIZE size{0, 0};
    if (theme_ && FAILED(GetThemePartSize(theme_, dc, part, state, nullptr, TS_TRUE, &size))) size = SIZE{0, 0};
    return size;
}

bool TThemeData::IsBackgroundPartiallyTransparent(int part, int state) const {
    return theme_ && IsThemeBackgroundPartiallyTransparent(theme_, part, state);
}

bool DrawThemeParentBackgroundOf(HWND window, HDC dc, const TRect* r) {
    RECT copy = r ? RECT(*r) : RECT{};
    return ThemesActive() && SUCCEEDED(DrawThemeParentBackground(window, dc, r ? &copy : nullptr));
}
