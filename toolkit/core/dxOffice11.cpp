#include "dxOffice11.h"

#include <algorithm>
#include <cmath>

#include "Bitmap.h"
#include "SysUtils.h"
#include "dxCore.h"
#include "dxThemeManager.h"

namespace {

// Scheme rows: blue, olive, silver.
const TColor kSchemeRows[49][3] = {
    {0xFEECDD, 0xDEF7F4, 0xFAF4F3}, {0xE2A981, 0x91C6B7, 0xB59799}, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7},
    {0xF9DAC3, 0xE4F0F2, 0xF7F3F3}, {0x913500, 0x6B7760, 0x927476}, {0xF1A675, 0x8CC2B0, 0xC8B2B3},
    {0x76C1FF, 0x76C1FF, 0x76C1FF}, {0xD3F8FF, 0xD3F8FF, 0xD3F8FF}, {0x98DDFF, 0x98DDFF, 0x98DDFF},
    {0x5295FE, 0x5295FE, 0x5295FE}, {0x9C613B, 0x588060, 0x947C7C}, {0xE0A47B, 0x8FC4B5, 0xB09193},
    {0x764127, 0x335E51, 0x755454}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {0xCB8C6A, 0x588060, 0x8F6D6E},
    {0xFFF9F1, 0xDEF7F4, 0xFFFFFF}, {0xC9662A, 0x5E8674, 0x99797A}, {0xF9DBC4, 0xADDEE1, 0xE4DADB},
    {0x962D00, 0x5E8D75, 0x947C7C}, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF},
    {0x800000, 0x385D3F, 0x6F4B4B}, {0xCCF4FF, 0xCCF4FF, 0xCCF4FF}, {0x91D0FF, 0x91D0FF, 0x91D0FF},
    {0x8ED3FF, 0x8ED3FF, 0x8ED3FF}, {0x4E91FE, 0x4E91FE, 0x4E91FE}, {0xFCE1CB, 0xB6E3D8, 0xE7D3D6},
    {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}, {0x3E80FE, 0x3E80FE, 0x3E80FE}, {0xF0C7A9, 0x9FD4C5, 0xD3C0C0},
    {0x000000, 0x000000, 0x000000}, {0x8D8D8D, 0x8D8D8D, 0x8D8D8D}, {0xFBDABE, 0x91BAAF, 0xEBE5E5},
    {0x94E6FB, 0x94E6FB, 0x94E6FB}, {0xFADAC4, 0xE4F1F2, 0xF7F3F3}, {0x962D00, 0x588060, 0x947C7C},
    {0xB96837, 0x548973, 0x916F70}, {0x962D00, 0x5E8D75, 0x947C7C}, {0xFBE5D3, 0xDBF5F2, 0xF8F1F0},
    {0xE4AE88, 0x97C9BC, 0xBA9EA0}, {0xDCFFFF, 0xDCFFFF, 0xDCFFFF}, {0x5BC0F7, 0x5BC0F7, 0x5BC0F7},
    {0x94E6FB, 0x94E6FB, 0x94E6FB}, {0x1595EE, 0x1595EE, 0x1595EE}, {0x087FE8, 0x087FE8, 0x087FE8},
    {0x7CDAF7, 0x7CDAF7, 0x7CDAF7}, {0xD68759, 0x82C0AF, 0xBFA7A8}, {0x933803, 0x447A63, 0x916F70},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
};
const int kMidpointPercents[4] = {75, 41, 125, 40};

Byte scheme = 0;
bool xpScheme = false;
bool computed = false;
TdxOffice11Colors colors{};
TdxOffice11Brushes brushes{};
TBitmap* subMenuExpandBitmap = nullptr;
TBitmap* expandButtonBitmaps[2] = {nullptr, nullptr};  // collapsed, expanded
int users = 0;
HMODULE msimg32 = nullptr;
FARPROC gradientFill = nullptr;

int R(TColor c) { return c & 0xFF; }
int G(TColor c) { return (c >> 8) & 0xFF; }
int B(TColor c) { return (c >> 16) & 0xFF; }
TColor MakeRGB(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
int Clamp(int v) { return std::clamp(v, 0, 255); }

Byte DetectScheme() {
    if (!AreThemesAvailable()) return 0;
    wchar_t file[1024] = {}, color[1024] = {}, size[1024] = {};
    if (FAILED(GetCurrentThemeName(file, 1024, color, 1024, size, 1024))) return 0;
    String fileName = UpperCase(ExtractFileName(file));
    if (fileName != L"LUNA.MSSTYLES" && PlatformMajorVersion <= 5) return 0;
    String colorName = UpperCase(color);
    if (colorName == L"NORMALCOLOR") return 1;
    if (colorName == L"HOMESTEAD") return 2;
    if (colorName == L"METALLIC") return 3;
    return 0;
}

void ComputeColors() {
    scheme = DetectScheme();
    xpScheme = scheme != 0 && AreThemesAvailable();
    TdxOffice11Colors& c = colors;
    TColor* n = c.Color;
    auto row = [](int r) { return kSchemeRows[r][scheme - 1]; };
    auto rgb = [](TColor color) { return TColor(ColorToRGB(color)); };
    auto mix = MixColorsByPercent;
    auto snap = SnapToScreenColor;
    const TColor black = 0, white = 0xFFFFFF;
    c.MidpointPercent = kMidpointPercents[xpScheme ? scheme : 0];
    if (xpScheme) {
        c.FaceColor = row(2);
        c.LightFaceColor = row(3);
        c.HeaderLightColor = row(0);
        c.HeaderDarkColor = row(1);
        n[1] = row(5);
        n[2] = row(7);
        n[3] = row(9);
        n[4] = row(4);
        n[5] = row(6);
        n[6] = row(8);
        n[7] = row(10);
        n[8] = row(11);
        for (int k = 1; k <= 3; ++k) n[8 + k] = mix(n[k], c.HeaderLightColor, 90);
    } else {
        c.FaceColor = rgb(clBtnFace);
        c.LightFaceColor = mix(clBtnFace, clWindow, 20);
        c.HeaderLightColor = mix(clBtnFace, clWindow, 22);
        c.HeaderDarkColor = mix(clBtnFace, clWindow, 96);
        n[1] = mix(clBtnShadow, clWindow, 74);
        n[2] = snap(BlendSystemColors(-15, 29, 86));
        n[3] = snap(BlendSystemColors(42, 11, 47));
        n[4] = rgb(clBtnShadow);
        n[5] = n[2];
        n[6] = n[3];
        n[7] = mix(clBtnFace, clWindow, 85);
        n[8] = rgb(clBtnFace);
        for (int k = 4; k <= 6; ++k) n[5 + k] = mix(n[k], clWindow, 50);
    }
    for (int k = 4; k <= 6; ++k) n[8 + k] = mix(n[k], n[8], 50);
    if (xpScheme) {
        n[15] = row(12);
        n[16] = row(13);
        c.HeaderShadowColor = row(14);
        c.HeaderBrightColor = row(15);
        n[17] = black;
        n[18] = white;
        c.FilterBoxColor = row(16);
        n[19] = row(17);
        c.FilterBoxTextColor = white;
        n[22] = n[23] = black;
        n[24] = row(19);
        n[31] = row(18);
        n[33] = row(20);
        c.SelectionBorderColor = row(21);
        c.HotFaceColor = row(22);
        c.HotFaceEndColor = row(23);
        c.PressedFaceColor = row(24);
        n[34] = row(25);
        n[35] = row(26);
        n[36] = row(27);
        n[37] = row(28);
        n[38] = row(29);
        c.GlyphColor = row(30);
        c.DisabledGlyphColor = row(31);
        c.GroupRowColor = row(32);
        c.CalendarSelectionColor = row(33);
        c.SchedulerBorderColor = row(35);
        c.SchedulerPanelColor = row(34);
        n[43] = 0xC9EEFD;
        n[44] = row(36);
        n[45] = n[8];
        n[46] = row(37);
        n[47] = row(38);
        n[48] = row(39);
        n[49] = row(40);
        n[50] = row(41);
        n[51] = row(42);
        n[52] = row(43);
        n[53] = row(44);
        n[54] = row(45);
        n[55] = row(46);
        n[56] = row(47);
        n[57] = row(48);
        n[58] = row(46);
        n[59] = row(47);
    } else {
        n[15] = mix(clBtnShadow, clWindow, 76);
        n[16] = rgb(clWindow);
        c.HeaderShadowColor = mix(clBtnShadow, clWindow, 70);
        c.HeaderBrightColor = white;
        n[17] = rgb(clBtnText);
        n[18] = rgb(clWindow);
        c.FilterBoxColor = rgb(clBtnShadow);
        n[19] = c.HeaderDarkColor;
        c.FilterBoxTextColor = rgb(clBtnHighlight);
        n[22] = n[23] = rgb(clBtnText);
        n[24] = rgb(clWindow);
        n[31] = rgb(clBtnShadow);
        n[33] = snap(BlendSystemColors(-2, 30, 72));
        c.SelectionBorderColor = rgb(clHighlight);
        c.HotFaceColor = n[33];
        c.HotFaceEndColor = n[33];
        c.PressedFaceColor = snap(BlendSystemColors(14, 44, 40));
        n[34] = c.PressedFaceColor;
        n[35] = c.HeaderDarkColor;
        n[36] = BlendSystemColors(41, 11, 48);  // not snapped
        n[37] = c.PressedFaceColor;
        n[38] = n[35];
        c.GlyphColor = rgb(clBtnText);
        c.DisabledGlyphColor = rgb(clGrayText);
        c.GroupRowColor = rgb(clBtnFace);
        c.CalendarSelectionColor = n[36];
        c.SchedulerBorderColor = n[31];
        c.SchedulerPanelColor = c.FaceColor;
        n[43] = rgb(clBtnFace);
        n[44] = rgb(clBtnShadow);
        n[45] = rgb(clBtnShadow);
        n[46] = snap(clBtnShadow);
        n[47] = NavPaneCaptionColor(true);
        n[48] = NavPaneCaptionColor(false);
        n[49] = c.HotFaceColor;
        n[50] = c.HotFaceEndColor;
        n[51] = n[52] = n[36];
        n[53] = n[54] = n[37];
        n[55] = n[56] = n[46];
        n[57] = rgb(clHighlightText);
        n[58] = snap(clBtnFace);
        n[59] = n[46];
    }
    // The entries both columns compute the same way.
    n[20] = c.HeaderLightColor;
    n[21] = c.FilterBoxColor;
    n[25] = n[27] = c.HeaderLightColor;
    n[26] = n[28] = c.HeaderDarkColor;
    n[29] = mix(c.HeaderLightColor, black, 92);
    n[30] = mix(n[28], black, 92);
    n[32] = n[24];
    n[39] = n[33];
    n[40] = n[31];
    n[41] = c.FaceColor;
    c.GroupByBoxColor = n[12];
    n[42] = c.FilterBoxTextColor;
    c.BorderColor = n[31];
    computed = true;
}

void FreeBrushes() {
    HBRUSH* all = &brushes.Color15Brush;
    for (size_t i = 0; i < sizeof(brushes) / sizeof(HBRUSH); ++i)
        if (all[i]) DeleteObject(all[i]);
    brushes = TdxOffice11Brushes{};
}

void CreateBrushes() {
    FreeBrushes();
    const TdxOffice11Colors& c = colors;
    brushes.Color15Brush = CreateSolidBrush(COLORREF(c.Color[15]));
    brushes.Color16Brush = CreateSolidBrush(COLORREF(c.Color[16]));
    brushes.HeaderShadowBrush = CreateSolidBrush(COLORREF(c.HeaderShadowColor));
    brushes.HeaderBrightBrush = CreateSolidBrush(COLORREF(c.HeaderBrightColor));
    brushes.Color31Brush = CreateSolidBrush(COLORREF(c.Color[31]));
    brushes.Color24Brush = CreateSolidBrush(COLORREF(c.Color[24]));
    brushes.SelectionBorderBrush = CreateSolidBrush(COLORREF(c.SelectionBorderColor));
    brushes.Color35Brush = CreateSolidBrush(COLORREF(c.Color[35]));
    brushes.Color36Brush = CreateSolidBrush(COLORREF(c.Color[36]));
    brushes.Color37Brush = CreateSolidBrush(COLORREF(c.Color[37]));
    brushes.Color38Brush = CreateSolidBrush(COLORREF(c.Color[38]));
    brushes.Color33Brush = CreateSolidBrush(COLORREF(c.Color[33]));
    brushes.GroupByBoxBrush = CreateSolidBrush(COLORREF(c.GroupByBoxColor));
}

void FreeOffice11Bitmaps() {
    delete subMenuExpandBitmap;
    subMenuExpandBitmap = nullptr;
    for (TBitmap*& b : expandButtonBitmaps) {
        delete b;
        b = nullptr;
    }
}

TBitmap* LoadOffice11Bitmap(const wchar_t* name) {
    auto* bitmap = new TBitmap();
    try {
        bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), name);
    } catch (...) {
        delete bitmap;
        throw;
    }
    return bitmap;
}

// Loads all three first, so that a missing resource leaves the previous bitmaps in place.
void CreateOffice11Bitmaps() {
    TBitmap* loaded[3] = {};
    try {
        loaded[0] = LoadOffice11Bitmap(L"DXSUBMENUEXPAND");
        loaded[1] = LoadOffice11Bitmap(L"DXEXPANDBUTTON_PLUS");
        loaded[2] = LoadOffice11Bitmap(L"DXEXPANDBUTTON_MINUS");
    } catch (...) {
        for (TBitmap* b : loaded) delete b;
        throw;
    }
    FreeOffice11Bitmaps();
    subMenuExpandBitmap = loaded[0];
    expandButtonBitmaps[0] = loaded[1];
    expandButtonBitmaps[1] = loaded[2];
    RecolorSubMenuExpandBitmap(subMenuExpandBitmap, colors.HeaderLightColor, colors.HeaderDarkColor);
}

void FillWithBrushOrColor(HDC dc, const TRect& r, HBRUSH brush, TColor color) {
    if (brush)
        FillRect(dc, &r, brush);
    else
        FillRectSolid(dc, r, color);
}

}  // namespace

Byte Office11Scheme() {
    Office11Colors();
    return scheme;
}

bool IsOffice11XPScheme() {
    Office11Colors();
    return xpScheme;
}

const TdxOffice11Colors& Office11Colors() {
    if (!computed) ComputeColors();
    return colors;
}

const TdxOffice11Brushes& Office11Brushes() { return brushes; }

TBitmap* Office11SubMenuExpandBitmap() { return subMenuExpandBitmap; }
TBitmap* Office11ExpandButtonBitmap(bool expanded) { return expandButtonBitmaps[expanded]; }

void RecolorSubMenuExpandBitmap(TBitmap* bitmap, TColor lightColor, TColor darkColor) {
    TColor light = ColorToRGB(lightColor), dark = ColorToRGB(darkColor);
    if (light == dark) dark = light == 0 ? 0xFFFFFF : 0;
    TCanvas* canvas = bitmap->Canvas();
    const int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0) return;
    const TColor background = canvas->Pixels(0, 0);
    auto isShade = [&](TColor c) { return c != background && c != 0; };
    int smallest = 255, largest = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TColor c = canvas->Pixels(x, y);
            if ((x || y) && isShade(c)) smallest = std::min(smallest, R(c)), largest = std::max(largest, R(c));
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TColor c = canvas->Pixels(x, y);
            if (!(x || y) || !isShade(c)) continue;
            // A badge of a single grey would divide by zero: it takes the light colour.
            int percent = largest > smallest ? MulDiv(R(c) - smallest, 100, largest - smallest) : 100;
            canvas->SetPixels(x, y, MixColorsByPercent(light, dark, percent));
        }
}

void AcquireOffice11ColorTables() {
    if (users == 0) {
        ComputeColors();
        CreateOffice11Bitmaps();
        CreateBrushes();
    }
    ++users;
}

void ReleaseOffice11ColorTables() {
    if (users <= 0) return;
    if (--users == 0) {
        FreeBrushes();
        FreeOffice11Bitmaps();
    }
}

void RecalcOffice11ColorTables() {
    ComputeColors();
    if (users > 0) {
        CreateOffice11Bitmaps();
        CreateBrushes();
    }
}

int Office11ColorTablesUsers() { return users; }

// ---- Colour helpers -----------------------------------------------------------------------

bool IsButtonFaceBlack() { return ColorToRGB(clBtnFace) == 0; }
bool IsButtonFaceWhite() { return ColorToRGB(clBtnFace) == 0xFFFFFF; }
bool IsBlackFaceNonWhiteText() { return IsButtonFaceBlack() && ColorToRGB(clBtnText) != 0xFFFFFF; }

TColor SnapToScreenColor(TColor color) {
    HDC dc = GetDC(nullptr);
    COLORREF nearest = GetNearestColor(dc, COLORREF(ColorToRGB(color)));
    ReleaseDC(nullptr, dc);
    return TColor(nearest);
}

TColor MixColorsByPercent(TColor c1, TColor c2, int p) {
    TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
    auto channel = [p](int x, int y) { return std::min(255, MulDiv(y, 100 - p, 100) + MulDiv(x, p, 100)); };
    return SnapToScreenColor(MakeRGB(channel(R(a), R(b)), channel(G(a), G(b)), channel(B(a), B(b))));
}

TColor BlendSystemColors(int p1, int p2, int p3) {
    TColor face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clHighlight), window = ColorToRGB(clWindow);
    if (face == 0 || face == 0xFFFFFF) return highlight;
    auto channel = [&](int (*get)(TColor)) {
        return Clamp(MulDiv(get(face), p1, 100) + MulDiv(get(highlight), p2, 100) + MulDiv(get(window), p3, 100));
    };
    return MakeRGB(channel(R), channel(G), channel(B));
}

TColor ScaleColorByPercent(TColor color, int p) {
    TColor c = ColorToRGB(color);
    auto channel = [p](int v) { return Clamp(int(std::lrint(v * p / 100.0))); };
    return MakeRGB(channel(R(c)), channel(G(c)), channel(B(c)));
}

TColor NavPaneCaptionColor(bool first) {
    TColor face = ColorToRGB(clBtnFace);
    auto channel = [first](int v) { return first ? 128 + v * 127 / 255 : v + 4 - v * 4 / 255; };
    return SnapToScreenColor(MakeRGB(channel(R(face)), channel(G(face)), channel(B(face))));
}

// ---- Drawing ------------------------------------------------------------------------------

void FillRectSolid(HDC dc, const TRect& rect, TColor color) {
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void FrameRectSolid(HDC dc, const TRect& rect, TColor color) {
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

FARPROC GradientFillEntry() { return gradientFill; }

FARPROC SetGradientFillEntry(FARPROC entry) {
    FARPROC previous = gradientFill;
    gradientFill = entry;
    return previous;
}

namespace {

// Band i of n: each channel from c1 toward c2 (a single band is c1).
TColor BandColor(TColor c1, TColor c2, int i, int n) {
    if (n <= 1) return c1;
    auto channel = [&](int a, int b) { return (a + MulDiv(i, b - a, n - 1)) & 0xFF; };
    return MakeRGB(channel(R(c1), R(c2)), channel(G(c1), G(c2)), channel(B(c1), B(c2)));
}

}  // namespace

void FillRectWithGradient(HDC dc, const TRect& rect, TColor color1, TColor color2, bool horizontal) {
    TColor c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
    if (c1 == c2) {
        FillRectSolid(dc, rect, c1);
        return;
    }
    if (gradientFill) {
        using TGradientFill = BOOL(WINAPI*)(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG);
        TRIVERTEX v[2] = {
            {rect.left, rect.top, COLOR16(R(c1) << 8), COLOR16(G(c1) << 8), COLOR16(B(c1) << 8), 0},
            {rect.right, rect.bottom, COLOR16(R(c2) << 8), COLOR16(G(c2) << 8), COLOR16(B(c2) << 8), 0},
        };
        GRADIENT_RECT index{0, 1};
        reinterpret_cast<TGradientFill>(reinterpret_cast<void*>(gradientFill))(
            dc, v, 2, &index, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    int start = horizontal ? rect.left : rect.top;
    int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    if (length <= 0) return;
    int bands = std::min(length, 256);
    int from = start;
    for (int i = 0; i < bands; ++i) {
        int to = start + MulDiv(i + 1, length, bands);
        if (to > from) {
            TRect band = horizontal ? TRect{from, rect.top, to, rect.bottom} : TRect{rect.left, from, rect.right, to};
            FillRectSolid(dc, band, BandColor(c1, c2, i, bands));
        }
        from = to;
    }
}

TColor GradientColorAt(const TRect& rect, int coordinate, TColor color1, TColor color2, bool horizontal) {
    TColor c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
    int start = horizontal ? rect.left : rect.top;
    int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    if (length <= 0) return c1;
    int bands = std::min(length, 256);
    int band = std::max(0, MulDiv(coordinate - start + 1, bands, length) - 1);
    return BandColor(c1, c2, band, bands);
}

void FillRectWithMidpointGradient(HDC dc, const TRect& rect, TColor color1, TColor color2, bool horizontal) {
    TColor c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
    if (c1 == c2) {
        FillRectSolid(dc, rect, c1);
        return;
    }
    int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    if (length <= 0) return;
    int half = length / 2, percent = Office11Colors().MidpointPercent;
    auto lineChannel = [&](int a, int b, int line) {
        int m = a - MulDiv(a - b, percent, 200);
        if (line == half) return Clamp(m);
        if (line < half) {
            int e = a - MulDiv(a - m, length, half);
            return Clamp(a + MulDiv(line, e - a, length - 1));
        }
        int s = b + MulDiv(m - b, length, half);
        return Clamp(s + MulDiv(line, b - s, length - 1));
    };
    for (int line = 0; line < length; ++line) {
        TColor color =
            MakeRGB(lineChannel(R(c1), R(c2), line), lineChannel(G(c1), G(c2), line), lineChannel(B(c1), B(c2), line));
        TRect r = horizontal ? TRect{rect.left + line, rect.top, rect.left + line + 1, rect.bottom}
                             : TRect{rect.left, rect.top + line, rect.right, rect.top + line + 1};
        FillRectSolid(dc, r, color);
    }
}

void Office11FrameRect(HDC dc, const TRect& rect) {
    if (IsButtonFaceBlack())
        FrameRectSolid(dc, rect, clHighlightText);
    else if (brushes.SelectionBorderBrush)
        FrameRect(dc, &rect, brushes.SelectionBorderBrush);
    else
        FrameRectSolid(dc, rect, Office11Colors().SelectionBorderColor);
}

void Office11DrawGripDots(HDC dc, const TRect& rect, bool vertical, HBRUSH shadowBrush, HBRUSH lightBrush) {
    const TdxOffice11Colors& c = Office11Colors();
    if (!lightBrush) lightBrush = brushes.Color15Brush;
    if (!shadowBrush) shadowBrush = brushes.Color16Brush;
    TColor lightColor = c.Color[15], shadowColor = c.Color[16];
    int extent = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    int r = extent % 4;
    int shift = r < 2 ? r : r / 2;
    int x = rect.left + (vertical ? 0 : shift), y = rect.top + (vertical ? shift : 0);
    while (vertical ? y + 4 <= rect.bottom : x + 4 <= rect.right) {
        FillWithBrushOrColor(dc, TRect{x + 1, y + 1, x + 3, y + 3}, shadowBrush, shadowColor);
        FillWithBrushOrColor(dc, TRect{x, y, x + 2, y + 2}, lightBrush, lightColor);
        if (vertical)
            y += 4;
        else
            x += 4;
    }
}

void Office11DrawResizeGrip(HDC dc, const TRect& rect, TColor color1, TColor color2) {
    HBRUSH light = color1 == clDefault ? nullptr : CreateSolidBrush(COLORREF(ColorToRGB(color1)));
    HBRUSH shadow = color2 == clDefault ? nullptr : CreateSolidBrush(COLORREF(ColorToRGB(color2)));
    TRect row{rect.right - 12, rect.bottom - 3, rect.right, rect.bottom};
    for (int i = 0; i < 3; ++i) {
        Office11DrawGripDots(dc, row, false, shadow, light);
        row = TRect{row.left + 4, row.top - 4, row.right, row.bottom - 4};
    }
    if (light) DeleteObject(light);
    if (shadow) DeleteObject(shadow);
}

int Office11FittedArrowSize(const TRect& rect, bool down) {
    int w = down ? rect.right - rect.left - 8 : rect.bottom - rect.top - 6;
    int size = (w - 1) / 2 + (w % 2 != 0 ? 1 : 0);
    return std::max(size, 3);
}

void Office11DrawFittedArrow(HDC dc, const TRect& rect, bool down, bool enabled, bool selected) {
    Office11DrawArrowOfSize(dc, rect, down, Office11FittedArrowSize(rect, down), selected, enabled);
}

void Office11DrawArrowOfSize(HDC dc, const TRect& rect, bool down, int size, bool selected, bool enabled) {
    const TdxOffice11Colors& c = Office11Colors();
    TColor color = !enabled ? c.DisabledGlyphColor : selected && IsButtonFaceWhite() ? TColor(0xFFFFFF) : c.GlyphColor;
    POINT points[3];
    if (down) {
        int x0 = (rect.left + rect.right - 2 * size + 1) / 2, y0 = (rect.top + rect.bottom - size) / 2;
        points[0] = {x0, y0};
        points[1] = {x0 + 2 * size - 2, y0};
        points[2] = {x0 + size - 1, y0 + size - 1};
    } else {
        int x0 = (rect.left + rect.right - size) / 2, y0 = (rect.top + rect.bottom - 2 * size + 1) / 2;
        points[0] = {x0, y0};
        points[1] = {x0, y0 + 2 * size - 2};
        points[2] = {x0 + size - 1, y0 + size - 1};
    }
    COLORREF rgb = COLORREF(ColorToRGB(color));
    HPEN pen = CreatePen(PS_SOLID, 1, rgb);
    HBRUSH brush = CreateSolidBrush(rgb);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void InitializedxOffice11() {
    if (msimg32) return;
    msimg32 = LoadLibraryW(L"msimg32.dll");
    if (msimg32) gradientFill = GetProcAddress(msimg32, "GradientFill");
}

void FinalizedxOffice11() {
    FreeBrushes();
    FreeOffice11Bitmaps();
    users = 0;
    computed = false;
    gradientFill = nullptr;
    if (msimg32) FreeLibrary(msimg32);
    msimg32 = nullptr;
}
