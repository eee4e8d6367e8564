#include <gtest/gtest.h>

#include <cstdlib>

#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "ToolkitTestSupport.h"

namespace {

TColor RgbOfColor(TColor c) { return ColorToRGB(c); }

// A 32-bit top-down DIB section in a memory device context, read back as TColor values.
struct Surface {
    Surface(int w, int h) : width(w) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i) bits[i] = 0x00808080;
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    TColor At(int x, int y) const {
        GdiFlush();
        DWORD p = bits[y * width + x];
        return TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    }
    int width;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

class WithoutGradientFill {
public:
    WithoutGradientFill() : saved_(SetGradientFillEntry(nullptr)) {}
    ~WithoutGradientFill() { SetGradientFillEntry(saved_); }

private:
    FARPROC saved_;
};

TEST(Office11Colors, ClassicWindowsFollowsTheSystemColours) {
    RecalcOffice11ColorTables();
    EXPECT_EQ(Office11Scheme(), 0);
    EXPECT_FALSE(IsOffice11XPScheme());
    const TdxOffice11Colors& c = Office11Colors();
    EXPECT_EQ(c.MidpointPercent, 75);
    EXPECT_EQ(c.FaceColor, RgbOfColor(clBtnFace));
    EXPECT_EQ(c.HeaderLightColor, MixColorsByPercent(clBtnFace, clWindow, 22));
    EXPECT_EQ(c.Color[4], RgbOfColor(clBtnShadow));
    EXPECT_EQ(c.Color[5], c.Color[2]);
    EXPECT_EQ(c.Color[9], MixColorsByPercent(c.Color[4], clWindow, 50));
    EXPECT_EQ(c.Color[12], MixColorsByPercent(c.Color[4], c.Color[8], 50));
    EXPECT_EQ(c.Color[36], BlendSystemColors(41, 11, 48));
    EXPECT_EQ(c.Color[47], NavPaneCaptionColor(true));
    EXPECT_EQ(c.GroupByBoxColor, c.Color[12]);
    EXPECT_EQ(c.SelectionBorderColor, RgbOfColor(clHighlight));
    EXPECT_EQ(c.Color[43], RgbOfColor(clBtnFace));
}

TEST(Office11Colors, MixBlendAndScaleChannels) {
    EXPECT_EQ(MixColorsByPercent(0x000000, 0xFFFFFF, 25), 0xBFBFBF);
    EXPECT_EQ(MixColorsByPercent(0x0000FF, 0x00FF00, 100), 0x0000FF);
    EXPECT_EQ(ScaleColorByPercent(0x804020, 50), 0x402010);
    EXPECT_EQ(ScaleColorByPercent(0x000003, 50), 0x000002);  // 1.5 rounds to even
    EXPECT_EQ(ScaleColorByPercent(0x0000C8, 200), 0x0000FF);
    TColor face = RgbOfColor(clBtnFace), hl = RgbOfColor(clHighlight), win = RgbOfColor(clWindow);
    auto expected = [&](int shift) {
        int v = MulDiv((face >> shift) & 0xFF, 42, 100) + MulDiv((hl >> shift) & 0xFF, 11, 100) +
                MulDiv((win >> shift) & 0xFF, 47, 100);
        return std::min(std::max(v, 0), 255) << shift;
    };
    EXPECT_EQ(BlendSystemColors(42, 11, 47), expected(0) | expected(8) | expected(16));
}

TEST(Office11Colors, BlackButtonFaceMakesEveryBlendTheHighlight) {
    int index = COLOR_BTNFACE;
    COLORREF saved = GetSysColor(index), black = 0;
    ASSERT_TRUE(SetSysColors(1, &index, &black));
    bool isBlack = IsButtonFaceBlack();
    TColor blend1 = BlendSystemColors(42, 11, 47), blend2 = BlendSystemColors(-2, 30, 72);
    SetSysColors(1, &index, &saved);
    EXPECT_TRUE(isBlack);
    EXPECT_EQ(blend1, RgbOfColor(clHighlight));
    EXPECT_EQ(blend2, RgbOfColor(clHighlight));
}

// Stand-ins for the visual-styles library, reporting an XP colour scheme.
struct FakeStyle {
    static inline const wchar_t* color = L"Metallic";
    static HTHEME WINAPI Open(HWND, LPCWSTR) { return HTHEME(1); }
    static HRESULT WINAPI Close(HTHEME) { return S_OK; }
    static BOOL WINAPI Active() { return TRUE; }
    static HRESULT WINAPI Name(LPWSTR file, int, LPWSTR colorName, int colorSize, LPWSTR, int) {
        lstrcpyW(file, L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles");
        lstrcpynW(colorName, color, colorSize);
        return S_OK;
    }
};

TEST(Office11Colors, XPSchemesComeFromTheirRows) {
    const char* names[] = {"OpenThemeData", "CloseThemeData", "IsThemeActive", "GetCurrentThemeName"};
    FARPROC fakes[] = {AsProc(&FakeStyle::Open), AsProc(&FakeStyle::Close), AsProc(&FakeStyle::Active),
                       AsProc(&FakeStyle::Name)};
    FARPROC saved[4];
    for (int i = 0; i < 4; ++i) saved[i] = SetUxThemeEntry(names[i], fakes[i]);
    SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);

    FakeStyle::color = L"Metallic";
    RecalcOffice11ColorTables();
    Byte silver = Office11Scheme();
    bool xp = IsOffice11XPScheme();
    TdxOffice11Colors c = Office11Colors();
    FakeStyle::color = L"HomeStead";
    RecalcOffice11ColorTables();
    Byte olive = Office11Scheme();
    int oliveMidpoint = Office11Colors().MidpointPercent;
    FakeStyle::color = L"Blue";  // not an XP scheme name
    RecalcOffice11ColorTables();
    Byte unknown = Office11Scheme();

    for (int i = 0; i < 4; ++i) SetUxThemeEntry(names[i], saved[i]);
    SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
    RecalcOffice11ColorTables();

    EXPECT_EQ(silver, 3);
    EXPECT_TRUE(xp);
    EXPECT_EQ(c.FaceColor, 0xE5D7D7);
    EXPECT_EQ(c.HeaderLightColor, 0xFAF4F3);
    EXPECT_EQ(c.Color[17], 0);
    EXPECT_EQ(c.Color[43], 0xC9EEFD);
    EXPECT_EQ(c.Color[59], 0x916F70);
    EXPECT_EQ(c.SchedulerPanelColor, 0xF7F3F3);
    EXPECT_EQ(c.Color[9], MixColorsByPercent(0xC8B2B3, 0xFAF4F3, 90));
    EXPECT_EQ(c.MidpointPercent, 40);
    EXPECT_EQ(olive, 2);
    EXPECT_EQ(oliveMidpoint, 125);
    EXPECT_EQ(unknown, 0);
    EXPECT_EQ(Office11Scheme(), 0);
}

TEST(Office11Colors, BrushesLiveWhileTheTablesAreHeld) {
    // The toolkit's palette listener holds the tables while it lives: let go of them here.
    const int held = Office11ColorTablesUsers();
    for (int i = 0; i < held; ++i) ReleaseOffice11ColorTables();
    ASSERT_EQ(Office11ColorTablesUsers(), 0);
    EXPECT_EQ(Office11Brushes().Color15Brush, nullptr);
    AcquireOffice11ColorTables();
    AcquireOffice11ColorTables();
    EXPECT_NE(Office11Brushes().SelectionBorderBrush, nullptr);
    ReleaseOffice11ColorTables();
    EXPECT_NE(Office11Brushes().GroupByBoxBrush, nullptr);
    ReleaseOffice11ColorTables();
    EXPECT_EQ(Office11Brushes().GroupByBoxBrush, nullptr);
    ReleaseOffice11ColorTables();  // one too many: ignored
    EXPECT_EQ(Office11ColorTablesUsers(), 0);
    for (int i = 0; i < held; ++i) AcquireOffice11ColorTables();
}

int CountRuns(const Surface& s, int length) {
    int runs = 1;
    for (int x = 1; x < length; ++x)
        if (s.At(x, 0) != s.At(x - 1, 0)) ++runs;
    return runs;
}

TEST(Office11Gradients, BandsWithoutGradientFillMatchGradientColorAt) {
    WithoutGradientFill banded;
    Surface wide(1000, 1);
    TRect r{0, 0, 1000, 1};
    FillRectWithGradient(wide.dc, r, 0x000000, 0xFFFFFF, true);
    EXPECT_EQ(CountRuns(wide, 1000), 256);
    EXPECT_EQ(wide.At(0, 0), 0x000000);
    EXPECT_EQ(wide.At(999, 0), 0xFFFFFF);
    // The colour at a coordinate is its band's, give or take the rounding at a band's edge.
    for (int x = 0; x < 1000; x += 7)
        ASSERT_LE(std::abs(int(wide.At(x, 0) & 0xFF) - int(GradientColorAt(r, x, 0, 0xFFFFFF, true) & 0xFF)), 1) << x;

    Surface narrow(10, 1);
    FillRectWithGradient(narrow.dc, TRect{0, 0, 10, 1}, 0x000000, 0x000090, true);
    EXPECT_EQ(CountRuns(narrow, 10), 10);
    EXPECT_EQ(narrow.At(1, 0), 0x000010);
    EXPECT_EQ(narrow.At(9, 0), 0x000090);

    // One pixel long: the first colour, not a wrapped channel.
    Surface one(1, 3);
    FillRectWithGradient(one.dc, TRect{0, 0, 1, 3}, 0x000000, 0x0000FF, true);
    EXPECT_EQ(one.At(0, 1), 0x000000);
    EXPECT_EQ(GradientColorAt(TRect{0, 0, 1, 3}, 0, 0x000000, 0x0000FF, true), 0x000000);
}

TEST(Office11Gradients, SystemGradientFillRunsFromFirstToSecondColour) {
    ASSERT_NE(GradientFillEntry(), nullptr);
    Surface s(1, 100);
    FillRectWithGradient(s.dc, TRect{0, 0, 1, 100}, 0x0000FF, 0xFF0000, false);
    EXPECT_GE(s.At(0, 0) & 0xFF, 0xF0);
    EXPECT_GE((s.At(0, 99) >> 16) & 0xFF, 0xF0);
    Surface solid(4, 4);
    FillRectWithGradient(solid.dc, TRect{0, 0, 4, 4}, clBtnFace, RgbOfColor(clBtnFace), true);
    EXPECT_EQ(solid.At(3, 3), RgbOfColor(clBtnFace));
}

TEST(Office11Gradients, MidpointGradientPassesThroughTheMiddleColour) {
    RecalcOffice11ColorTables();  // classic: midpoint 75 %
    Surface s(1, 10);
    FillRectWithMidpointGradient(s.dc, TRect{0, 0, 1, 10}, 0x000000, 0x0000C8, false);
    EXPECT_EQ(s.At(0, 0), 0x000000);
    EXPECT_EQ(s.At(0, 5), 0x00004B);  // 0 - (0 - 200) * 75 / 200
    EXPECT_EQ(s.At(0, 9), 0x0000C8);
    for (int y = 1; y < 10; ++y) EXPECT_GE(s.At(0, y) & 0xFF, s.At(0, y - 1) & 0xFF) << y;
}

TEST(Office11Drawing, FittedArrowSizes) {
    struct Case {
        int width;
        int size;
    };
    for (Case c : {Case{16, 3}, Case{20, 5}, Case{21, 7}, Case{10, 3}})
        EXPECT_EQ(Office11FittedArrowSize(TRect{0, 0, c.width, 20}, true), c.size) << c.width;
    EXPECT_EQ(Office11FittedArrowSize(TRect{0, 0, 40, 16}, false), 4);
    EXPECT_EQ(Office11FittedArrowSize(TRect{0, 0, 40, 17}, false), 6);
}

TEST(Office11Drawing, DownArrowIsATriangleInTheGlyphColour) {
    Surface s(20, 20);
    Office11DrawArrowOfSize(s.dc, TRect{0, 0, 20, 20}, true, 4, false, true);
    TColor glyph = Office11Colors().GlyphColor;
    // x0 = (20 - 8 + 1) / 2 = 6, y0 = (20 - 4) / 2 = 8: top row 6..12, apex at (9, 11).
    EXPECT_EQ(s.At(6, 8), glyph);
    EXPECT_EQ(s.At(12, 8), glyph);
    EXPECT_EQ(s.At(9, 11), glyph);
    EXPECT_EQ(s.At(5, 8), 0x808080);
    EXPECT_EQ(s.At(9, 12), 0x808080);
    Surface disabled(20, 20);
    Office11DrawFittedArrow(disabled.dc, TRect{0, 0, 20, 20}, true, false, false);
    EXPECT_EQ(disabled.At(10, 10), Office11Colors().DisabledGlyphColor);
}

TEST(Office11Drawing, GripDotsAndResizeGripStaircase) {
    const TdxOffice11Colors& c = Office11Colors();
    Surface s(9, 4);
    Office11DrawGripDots(s.dc, TRect{0, 0, 9, 4}, false);  // r = 1: shifted by one
    EXPECT_EQ(s.At(0, 0), 0x808080);
    EXPECT_EQ(s.At(1, 0), c.Color[15]);  // the light square on top
    EXPECT_EQ(s.At(2, 1), c.Color[15]);
    EXPECT_EQ(s.At(3, 2), c.Color[16]);  // the shadow square below it
    EXPECT_EQ(s.At(5, 0), c.Color[15]);
    EXPECT_EQ(s.At(8, 0), 0x808080);  // no room for a third cell

    Surface grip(12, 12);
    Office11DrawResizeGrip(grip.dc, TRect{0, 0, 12, 12}, 0x0000FF, 0x00FF00);
    int dots = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) dots += grip.At(x, y) == 0x0000FF;
    EXPECT_EQ(dots, 6 * 4);  // three, two and one dots, each 2 x 2
    EXPECT_EQ(grip.At(0, 9), 0x0000FF);
    EXPECT_EQ(grip.At(8, 1), 0x0000FF);
    EXPECT_EQ(grip.At(0, 1), 0x808080);
}

TEST(Office11Drawing, FramesAndSolidFills) {
    Surface s(6, 6);
    FillRectSolid(s.dc, TRect{0, 0, 6, 6}, clWindow);
    Office11FrameRect(s.dc, TRect{0, 0, 6, 6});
    EXPECT_EQ(s.At(0, 3), Office11Colors().SelectionBorderColor);
    EXPECT_EQ(s.At(3, 3), RgbOfColor(clWindow));
    FrameRectSolid(s.dc, TRect{1, 1, 5, 5}, 0x123456);
    EXPECT_EQ(s.At(4, 2), 0x123456);
}

}  // namespace
