#include "RzCommon.h"

#include <cmath>

#include "CallbackBarrier.h"
#include "ControlsStringIds.h"
#include "Persistent.h"
#include "Themes.h"

namespace {

bool highColorDisplay = true;
Integer xpColorScheme = 0;

Byte RoundByte(double v) { return Byte(std::nearbyint(v)); }

struct TSchemeColors {
    TColor selectionFrame, selectionStart, selectionStop, barStart, barStop, frame, groupStart, groupStop;
};
const TSchemeColors schemes[3] = {
    {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3, 0xEABB99, 0xBF7F57, 0xE7A27B, 0xD67563},
    {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF, 0x92C7B8, 0x77A17F, 0xADD9CC, 0x84BDA5},
    {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9, 0xD0BCBD, 0xB19F9F, 0xD4C8C4, 0xC8B3B1},
};

// The scheme's colours apply to the Office style only while visual styles are on.
const TSchemeColors* Scheme(TRzGradientColorStyle style) {
    if (style != gcsMSOffice || !VisualStylesActive()) return nullptr;
    return &schemes[xpColorScheme];
}

}  // namespace

// ---- Colour arithmetic

THsl SplitHsl(TColor color) {
    Integer rgb = ColorToRGB(color);
    double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    double l = (mx + mn) / 2, s = 0, h = 0;
    if (mx != mn) {
        double delta = mx - mn;
        s = l < 0.5 ? delta / (mx + mn) : delta / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / delta;
        else if (g == mx)
            h = 2 + (b - r) / delta;
        else
            h = 4 + (r - g) / delta;
        h /= 6;
        if (h < 0) h += 1;
    }
    return THsl{RoundByte(h * 240), RoundByte(s * 240), RoundByte(l * 240)};
}

Byte HueOf(TColor color) { return SplitHsl(color).Hue; }

TColor JoinHsl(Byte hue, Byte saturation, Byte lightness) {
    double h = hue / 239.0, s = saturation / 240.0, l = lightness / 240.0;
    double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0) return 0;
    double m1 = 2 * l - m2;
    int sextant = int(std::trunc(6 * h));
    double f = 6 * h - sextant;
    double v = m2 * ((m2 - m1) / m2) * f;
    double up = m1 + v, down = m2 - v;
    double rgb[3];
    switch (sextant) {
        case 1:
            rgb[0] = down, rgb[1] = m2, rgb[2] = m1;
            break;
        case 2:
            rgb[0] = m1, rgb[1] = m2, rgb[2] = up;
            break;
        case 3:
            rgb[0] = m1, rgb[1] = down, rgb[2] = m2;
            break;
        case 4:
            rgb[0] = up, rgb[1] = m1, rgb[2] = m2;
            break;
        case 5:
            rgb[0] = m2, rgb[1] = m1, rgb[2] = down;
            break;
        default:
            rgb[0] = m2, rgb[1] = up, rgb[2] = m1;
            break;
    }
    Byte c[3];
    for (int i = 0; i < 3; ++i) c[i] = RoundByte(std::clamp(rgb[i], 0.0, 1.0) * 255);
    return TColor(RGB(c[0], c[1], c[2]));
}

TColor DarkenColor(TColor color, Byte amount) {
    THsl hsl = SplitHsl(color);
    return JoinHsl(hsl.Hue, hsl.Saturation, Byte(std::max(0, int(hsl.Lightness) - amount)));
}

TColor BrightenColor(TColor color, Byte amount) {
    THsl hsl = SplitHsl(color);
    return JoinHsl(hsl.Hue, hsl.Saturation, Byte(std::min(255, int(hsl.Lightness) + amount)));
}

TColor AdjustColorLightness(TColor color, Integer amount) {
    if (amount < 0) return DarkenColor(color, Byte(std::min(255, -amount)));
    if (amount > 0) return BrightenColor(color, Byte(std::min(255, amount)));
    return color;
}

TColor BlendColors(TColor first, TColor second, Byte weight) {
    Integer c1 = ColorToRGB(first), c2 = ColorToRGB(second);
    float w = weight / 255.0f;
    auto mix = [w](Byte a, Byte b) { return RoundByte(double(a * w + b * (1 - w))); };
    return TColor(
        RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2))));
}

bool ColorsAreClose(TColor first, TColor second) {
    THsl a = SplitHsl(first), b = SplitHsl(second);
    return std::abs(int(a.Hue) - int(b.Hue)) < 20 && std::abs(int(a.Lightness) - int(b.Lightness)) < 60;
}

TColor OppositeHueColor(TColor color, Byte lightness) {
    int hue = HueOf(color);
    hue = hue < 120 ? hue + 120 : hue - 120;
    return JoinHsl(Byte(hue), 240, lightness);
}

// ---- Colour schemes

void GetSelectionColors(TRzGradientColorStyle style, TColor& frame, TColor& start, TColor& stop) {
    if (const TSchemeColors* s = Scheme(style)) {
        frame = s->selectionFrame, start = s->selectionStart, stop = s->selectionStop;
    } else {
        frame = clHighlight;
        stop = BlendColors(clHighlight, clWindow, 77);
        start = BrightenColor(stop, 20);
    }
    if (!IsHighColorDisplay()) start = stop;
}

void GetBarGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop) {
    if (const TSchemeColors* s = Scheme(style)) {
        start = s->barStart, stop = s->barStop;
    } else {
        start = clWindow;
        stop = DarkenColor(clBtnFace, 10);
    }
}

TColor GetXPFrameColor(TRzGradientColorStyle style) {
    if (const TSchemeColors* s = Scheme(style)) return s->frame;
    return BrightenColor(clBtnShadow, 30);
}

void GetGroupBarColors(TRzGradientColorStyle style, TColor& start, TColor& stop) {
    if (const TSchemeColors* s = Scheme(style)) {
        start = s->groupStart, stop = s->groupStop;
    } else {
        start = BlendColors(clBlack, clBtnFace, 40);
        stop = BlendColors(clBlack, clBtnFace, 80);
    }
}

// ---- System tests

bool IsHighColorDisplay() { return highColorDisplay; }
void SetHighColorDisplay(bool value) { highColorDisplay = value; }
Integer XPColorScheme() { return xpColorScheme; }

Integer DetectXPColorScheme() {
    wchar_t name[256] = {};
    DWORD size = sizeof(name) - sizeof(wchar_t);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    LONG result = RegQueryValueExW(key, L"ColorName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
    String value(name);
    CharUpperBuffW(value.data(), DWORD(value.size()));
    if (value == L"HOMESTEAD") return 1;
    if (value == L"METALLIC") return 2;
    return 0;
}

bool VisualStylesActive() { return ThemesActive(); }

bool WindowsVersionMatches(DWORD platformId, DWORD major, DWORD minor, Integer version, bool orLater) {
    bool nt = platformId == VER_PLATFORM_WIN32_NT;
    bool win9x = platformId == VER_PLATFORM_WIN32_WINDOWS;
    bool either = nt || win9x;
    switch (version) {
        case 0:
            return orLater ? either && major >= 4 : win9x && major <= 4 && minor == 0;
        case 1:
            return orLater ? nt && major > 3 : nt && major <= 4;
        case 2:
            return orLater ? either && ((major == 4 && minor >= 10) || major > 4) : win9x && major <= 4 && minor == 10;
        case 3:
            return orLater ? either && ((major > 3 && minor >= 90) || major > 4) : win9x && major <= 4 && minor == 90;
        case 4:
            return orLater ? nt && major > 4 : nt && major == 5 && minor == 0;
        case 5:
            return orLater ? nt && (major > 5 || (major == 5 && minor >= 1)) : nt && major == 5 && minor == 1;
        case 6:
            return orLater ? nt && (major > 5 || (major == 5 && minor >= 2)) : nt && major == 5 && minor == 2;
        case 7:
            return orLater ? nt && major > 5 : nt && major == 6 && minor == 0;
        default:
            return false;
    }
}

namespace {
const OSVERSIONINFOW& RuntimeVersion() {
    static OSVERSIONINFOW info = [] {
        OSVERSIONINFOW v{};
        v.dwOSVersionInfoSize = sizeof(v);
        GetVersionExW(&v);
        return v;
    }();
    return info;
}
}  // namespace

bool IsWindowsVersion(Integer version) {
    const OSVERSIONINFOW& v = RuntimeVersion();
    return WindowsVersionMatches(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion, version, false);
}

bool IsWindowsVersionOrLater(Integer version) {
    const OSVERSIONINFOW& v = RuntimeVersion();
    return WindowsVersionMatches(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion, version, true);
}

// ---- Helpers

TRect RectCenteredIn(const TRect& r, int width, int height) {
    int left = (r.left + r.right - width) / 2, top = (r.top + r.bottom - height) / 2;
    return TRect{left, top, left + width, top + height};
}

bool IsLeadByteChar(Byte b) { return IsDBCSLeadByte(b); }

String ExpandEnvVars(const String& s) {
    DWORD size = ExpandEnvironmentStringsW(s.c_str(), nullptr, 0);
    if (!size) return s;
    String result(size, L'\0');
    DWORD written = ExpandEnvironmentStringsW(s.c_str(), result.data(), size);
    if (!written || written > size) return s;
    result.resize(written - 1);
    return result;
}

LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, const String& text) {
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
}

TRect WorkAreaOfMonitor(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return TRect{};
    return info.rcWork;
}

TRect MonitorBounds(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return TRect{};
    return info.rcMonitor;
}

TRect WindowWorkArea(HWND window, int* width) {
    TRect area = WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    if (width) *width = area.right - area.left;
    return area;
}

namespace {
struct TMonitorSearch {
    POINT point;
    HMONITOR found;
};

BOOL CALLBACK FindMonitorAtPoint(HMONITOR monitor, HDC, LPRECT bounds, LPARAM data) {
    return CallbackBarrier(FALSE, [&]() -> BOOL {
        auto* search = reinterpret_cast<TMonitorSearch*>(data);
        if (!PtInRect(bounds, search->point)) return TRUE;
        search->found = monitor;
        return FALSE;
    });
}
}  // namespace

HMONITOR MonitorAtPoint(const TPoint& point) {
    TMonitorSearch search{POINT{point.x, point.y}, nullptr};
    EnumDisplayMonitors(nullptr, nullptr, &FindMonitorAtPoint, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- Property pushing

TRzFrameControllerNotifications GetFrameControllerNotifications(TPersistent* control) {
    const TPropInfo* info = GetPropInfo(control, L"FrameControllerNotifications");
    if (!info || info->Kind != tkSet) return fcpAllProperties;
    return TRzFrameControllerNotifications::FromBits(
        std::uint64_t(GetOrdProp(control, L"FrameControllerNotifications")));
}

bool SetOrdPropIfPublished(TPersistent* object, const String& name, Int64 value) {
    const TPropInfo* info = GetPropInfo(object, name);
    if (!info || !info->Writable) return false;
    if (info->Kind != tkInteger && info->Kind != tkEnumeration && info->Kind != tkBoolean && info->Kind != tkSet)
        return false;
    SetOrdProp(object, name, value);
    return true;
}

bool SetColorPropIfPublished(TPersistent* object, const String& name, TColor value) {
    const TPropInfo* info = GetPropInfo(object, name);
    if (!info || info->Kind != tkInteger) return false;
    return SetOrdPropIfPublished(object, name, value);
}

bool CopyFrameSidesProp(TPersistent* object, TSides sides) {
    const TPropInfo* info = GetPropInfo(object, L"FrameSides");
    if (!info || info->Kind != tkSet) return false;
    return SetOrdPropIfPublished(object, L"FrameSides", Int64(sides.Bits()));
}

// ---- Colour names

namespace {

// The table's colours with the names it falls back to when the program has no string table.
struct TColorEntry {
    int color;  // a TColor, or -1 - n for system colour n
    const wchar_t* name;
};
const TColorEntry kColorEntries[70] = {
    {0x000000, L"Black"},
    {0x003399, L"Brown"},
    {0x003333, L"Olive Green"},
    {0x003300, L"Dark Green"},
    {0x663300, L"Dark Teal"},
    {0x800000, L"Dark Blue"},
    {0x993333, L"Indigo"},
    {0x333333, L"Gray 80%"},
    {0x000080, L"Dark Red"},
    {0x0066FF, L"Orange"},
    {0x008080, L"Dark Yellow"},
    {0x008000, L"Green"},
    {0x808000, L"Teal"},
    {0xFF0000, L"Blue"},
    {0x996666, L"Blue Gray"},
    {0x808080, L"Gray 50%"},
    {0x0000FF, L"Red"},
    {0x0099FF, L"Light Orange"},
    {0x00CC99, L"Lime"},
    {0x669933, L"Sea Green"},
    {0x999933, L"Aqua"},
    {0xFF6633, L"Light Blue"},
    {0x800080, L"Violet"},
    {0x999999, L"Gray 40%"},
    {0xFF00FF, L"Pink"},
    {0x00CCFF, L"Gold"},
    {0x00FFFF, L"Yellow"},
    {0x00FF00, L"Bright Green"},
    {0xFFFF00, L"Turquoise"},
    {0xFFCC00, L"Sky Blue"},
    {0x663399, L"Plum"},
    {0xC0C0C0, L"Gray 25%"},
    {0xCC99FF, L"Rose"},
    {0x99CCFF, L"Tan"},
    {0x99FFFF, L"Light Yellow"},
    {0xCCFFCC, L"Light Green"},
    {0xFFFFCC, L"Light Turquoise"},
    {0xFFCC99, L"Pale Blue"},
    {0xFF99CC, L"Lavender"},
    {0xFFFFFF, L"White"},
    // The system colours, skipping number 25.
    {-1 - 0, L"Scroll Bar"},
    {-1 - 1, L"Background"},
    {-1 - 2, L"Active Caption"},
    {-1 - 3, L"Inactive Caption"},
    {-1 - 4, L"Menu"},
    {-1 - 5, L"Window"},
    {-1 - 6, L"Window Frame"},
    {-1 - 7, L"Menu Text"},
    {-1 - 8, L"Window Text"},
    {-1 - 9, L"Caption Text"},
    {-1 - 10, L"Active Border"},
    {-1 - 11, L"Inactive Border"},
    {-1 - 12, L"App WorkSpace"},
    {-1 - 13, L"Highlight"},
    {-1 - 14, L"Highlight Text"},
    {-1 - 15, L"Button Face"},
    {-1 - 16, L"Button Shadow"},
    {-1 - 17, L"Gray Text"},
    {-1 - 18, L"Button Text"},
    {-1 - 19, L"Inactive Caption Text"},
    {-1 - 20, L"Button Highlight"},
    {-1 - 21, L"3D Dark Shadow"},
    {-1 - 22, L"3D Light"},
    {-1 - 23, L"Info Text"},
    {-1 - 24, L"Info Background"},
    {-1 - 26, L"Hot Light"},
    {-1 - 27, L"Gradient Active Caption"},
    {-1 - 28, L"Gradient Inactive Caption"},
    {-1 - 29, L"Menu Highlight"},
    {-1 - 30, L"Menu Bar"},
};

std::vector<TColorData> colorNameTable;

}  // namespace

String LoadControlsString(int id, const wchar_t* fallback) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer into the resource itself.
    int length = LoadStringW(GetModuleHandleW(nullptr), UINT(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? String(text, size_t(length)) : String(fallback);
}

const std::vector<TColorData>& ColorNameTable() { return colorNameTable; }

// ---- Unit start-up

void InitializeRzCommon() {
    HDC screen = GetDC(nullptr);
    highColorDisplay = GetDeviceCaps(screen, NUMCOLORS) == -1;
    ReleaseDC(nullptr, screen);
    xpColorScheme = DetectXPColorScheme();
    colorNameTable.clear();
    for (int i = 0; i < 70; ++i) {
        const TColorEntry& e = kColorEntries[i];
        TColor color = e.color >= 0 ? TColor(e.color) : SystemColor(-1 - e.color);
        colorNameTable.push_back({color, LoadControlsString(RZSTR_COLORNAME + i, e.name)});
    }
}

void FinalizeRzCommon() { std::vector<TColorData>().swap(colorNameTable); }
