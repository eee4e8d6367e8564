// Colour arithmetic, the visual-style colour tables, the version tests and the small helpers.

#include <gtest/gtest.h>

#include "ControlsUnits.h"
#include "ControlsStringIds.h"
#include "RzCommon.h"
#include "TestSupport.h"

namespace {
class Common : public testing::Test {
protected:
    void SetUp() override { InitializeControlsUnits(); }
};
}  // namespace

TEST_F(Common, SplitHslOfKnownColours) {
    struct Case {
        TColor color;
        int hue, saturation, lightness;
    } cases[] = {
        {0x0000FF, 0, 240, 120},                                                                        // red
        {0x00FF00, 80, 240, 120},                                                                       // green
        {0xFF0000, 160, 240, 120},                                                                      // blue
        {0xFFFFFF, 0, 0, 240},     {0x000000, 0, 0, 0}, {0x808080, 0, 0, 120}, {0x000080, 0, 240, 60},  // dark red
    };
    for (auto& c : cases) {
        THsl hsl = SplitHsl(c.color);
        EXPECT_EQ((std::vector<int>{hsl.Hue, hsl.Saturation, hsl.Lightness}),
                  (std::vector<int>{c.hue, c.saturation, c.lightness}))
            << std::hex << c.color;
    }
    EXPECT_EQ(HueOf(0xFF0000), 160);
}

// The hue is split on a scale of 240 and joined on one of 239, so a round trip may drift a little.
TEST_F(Common, JoinHslRoundTripsClosely) {
    for (TColor color : {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x808080, 0x3366CC, 0xC0DCF0, 0x102030}) {
        THsl hsl = SplitHsl(color);
        TColor back = JoinHsl(hsl.Hue, hsl.Saturation, hsl.Lightness);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR((back >> shift) & 0xFF, (color >> shift) & 0xFF, 5) << std::hex << color;
    }
    EXPECT_EQ(JoinHsl(0, 240, 120), 0x0000FF);
    EXPECT_EQ(JoinHsl(100, 100, 0), 0x000000);
}

TEST_F(Common, LightnessAndBlending) {
    EXPECT_EQ(DarkenColor(0xFFFFFF, 240), 0x000000);
    for (TColor color : {TColor(0x000000), TColor(0x3366CC), clBtnFace, TColor(0x0000FF)})
        EXPECT_EQ(BrightenColor(color, 255), 0xFFFFFF);
    EXPECT_EQ(DarkenColor(0x0000FF, 60), 0x000080);            // red at lightness 60
    EXPECT_EQ(AdjustColorLightness(clBtnFace, 0), clBtnFace);  // not even resolved
    EXPECT_EQ(AdjustColorLightness(0x0000FF, -60), DarkenColor(0x0000FF, 60));
    EXPECT_EQ(AdjustColorLightness(0x000080, 60), BrightenColor(0x000080, 60));

    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 255), 0x123456);
    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 0), 0xABCDEF);
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 128), 0x808080);
    EXPECT_EQ(BlendColors(clBtnFace, clBtnFace, 77), ColorToRGB(clBtnFace));

    EXPECT_TRUE(ColorsAreClose(0x3366CC, 0x3366CC));
    EXPECT_TRUE(ColorsAreClose(0x0000FF, 0x0000F0));
    EXPECT_FALSE(ColorsAreClose(0x0000FF, 0xFF0000));
    EXPECT_FALSE(ColorsAreClose(0x000000, 0xFFFFFF));

    EXPECT_EQ(OppositeHueColor(0x0000FF, 120), JoinHsl(120, 240, 120));  // red to cyan
    EXPECT_EQ(OppositeHueColor(0xFF0000, 60), JoinHsl(40, 240, 60));     // blue wraps back
}

TEST_F(Common, SystemDerivedSchemeColours) {
    TColor frame, start, stop;
    GetSelectionColors(gcsSystem, frame, start, stop);
    EXPECT_EQ(frame, clHighlight);
    EXPECT_EQ(stop, BlendColors(clHighlight, clWindow, 77));
    EXPECT_EQ(start, BrightenColor(stop, 20));
    SetHighColorDisplay(false);
    GetSelectionColors(gcsSystem, frame, start, stop);
    SetHighColorDisplay(true);
    EXPECT_EQ(start, stop);

    GetBarGradientColors(gcsCustom, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
    EXPECT_EQ(GetXPFrameColor(gcsSystem), BrightenColor(clBtnShadow, 30));
    GetGroupBarColors(gcsSystem, start, stop);
    EXPECT_EQ(start, BlendColors(clBlack, clBtnFace, 40));
    EXPECT_EQ(stop, BlendColors(clBlack, clBtnFace, 80));
    if (VisualStylesActive()) {
        GetGroupBarColors(gcsMSOffice, start, stop);
        EXPECT_EQ(start, XPColorScheme() == 0 ? TColor(0xE7A27B) : start);
    }
}

TEST_F(Common, ColourSchemeFromTheUsersThemeSettings) {
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    auto set = [&](const wchar_t* name) {
        RegSetValueExW(handle, L"ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       DWORD((wcslen(name) + 1) * sizeof(wchar_t)));
    };
    set(L"Metallic");
    EXPECT_EQ(DetectXPColorScheme(), 2);
    set(L"HomeStead");
    EXPECT_EQ(DetectXPColorScheme(), 1);
    set(L"NormalColor");
    EXPECT_EQ(DetectXPColorScheme(), 0);
    RegDeleteValueW(handle, L"ColorName");
    EXPECT_EQ(DetectXPColorScheme(), 0);
    RegCloseKey(handle);
}

TEST_F(Common, WindowsVersionMatrix) {
    const DWORD nt = VER_PLATFORM_WIN32_NT, w9x = VER_PLATFORM_WIN32_WINDOWS;
    struct Case {
        DWORD platform, major, minor;
        int version;
        bool exactly, orLater;
    } cases[] = {
        {nt, 6, 0, 7, true, true},   {nt, 6, 0, 5, false, true},    {nt, 6, 1, 7, false, true},
        {nt, 5, 1, 5, true, true},   {nt, 5, 1, 7, false, false},   {nt, 5, 1, 6, false, false},
        {nt, 5, 2, 6, true, true},   {nt, 5, 0, 4, true, true},     {nt, 5, 0, 5, false, false},
        {nt, 4, 0, 1, true, true},   {nt, 4, 0, 4, false, false},   {nt, 3, 51, 1, true, false},
        {w9x, 4, 0, 0, true, true},  {w9x, 4, 10, 2, true, true},   {w9x, 4, 10, 0, false, true},
        {w9x, 4, 90, 3, true, true}, {w9x, 4, 90, 1, false, false}, {nt, 10, 0, 7, false, true},
        {nt, 6, 0, 8, false, false}, {nt, 6, 0, -1, false, false},
    };
    for (auto& c : cases) {
        EXPECT_EQ(WindowsVersionMatches(c.platform, c.major, c.minor, c.version, false), c.exactly)
            << c.major << "." << c.minor << " v" << c.version;
        EXPECT_EQ(WindowsVersionMatches(c.platform, c.major, c.minor, c.version, true), c.orLater)
            << c.major << "." << c.minor << " v" << c.version << " or later";
    }
    EXPECT_TRUE(IsWindowsVersionOrLater(5));  // Wine reports a recent NT
}

TEST_F(Common, ColourNameTable) {
    const auto& table = ColorNameTable();
    ASSERT_EQ(table.size(), 70u);
    EXPECT_EQ(Utf8(table[0].Name), "Black");
    EXPECT_EQ(table[1].Color, 0x003399);
    EXPECT_EQ(Utf8(table[39].Name), "White");
    EXPECT_EQ(table[40].Color, clScrollBar);
    EXPECT_EQ(Utf8(table[64].Name), "Info Background");
    EXPECT_EQ(table[64].Color, clInfoBk);
    EXPECT_EQ(Utf8(table[65].Name), "Hot Light");
    EXPECT_EQ(table[65].Color, clHotLight);  // system colour 25 is skipped
    EXPECT_EQ(table[69].Color, clMenuBar);
    // The names are the program's strings, the built-in English only where a program lacks them.
    for (int i = 0; i < 70; ++i) EXPECT_EQ(table[size_t(i)].Name, LoadControlsString(RZSTR_COLORNAME + i, L"")) << i;
    EXPECT_EQ(LoadControlsString(RZSTR_COLORNAME + 200, L"fallback"), L"fallback");
    EXPECT_EQ(LoadControlsString(RZSTR_KINDCAPTION + 2, L""), L"&Help");
}

TEST_F(Common, SmallHelpers) {
    TRect r = RectCenteredIn(Rect(10, 20, 30, 41), 6, 5);
    EXPECT_EQ((std::vector<int>{int(r.left), int(r.top), int(r.right), int(r.bottom)}),
              (std::vector<int>{17, 28, 23, 33}));
    EXPECT_EQ(Smaller(3, -2), -2);
    EXPECT_EQ(Larger(3, -2), 3);
    SetEnvironmentVariableW(L"ZARNIK_TEST_VAR", L"value");
    EXPECT_EQ(ExpandEnvVars(L"[%ZARNIK_TEST_VAR%]"), L"[value]");
    EXPECT_EQ(ExpandEnvVars(L"plain"), L"plain");
    EXPECT_NE(MonitorAtPoint(TPoint{1, 1}), nullptr);
    EXPECT_EQ(MonitorAtPoint(TPoint{-100000, -100000}), nullptr);
    int width = 0;
    TRect area = WindowWorkArea(nullptr, &width);
    EXPECT_EQ(width, area.right - area.left);
    EXPECT_GT(width, 0);
    std::bitset<256> digits;
    for (int c = '0'; c <= '9'; ++c) digits.set(size_t(c));
    EXPECT_TRUE(ByteInSet('7', digits));
    EXPECT_FALSE(ByteInSet('a', digits));
}
