// The Office-style look, read back from memory bitmaps; every expected colour comes from the
// Office-style colours, never written as a number.

#include <gtest/gtest.h>

#include <cstdlib>

#include "Bitmap.h"
#include "StylePainterTestSupport.h"
#include "dxBarDockControl.h"
#include "dxBarOffice11Colors.h"
#include "dxOffice11.h"

namespace {

COLORREF O11Rgb(TColor color) { return COLORREF(ColorToRGB(color)); }

bool NearColor(COLORREF a, TColor b) {
    COLORREF c = O11Rgb(b);
    return std::abs(int(GetRValue(a)) - int(GetRValue(c))) <= 8 && std::abs(int(GetGValue(a)) - int(GetGValue(c))) <= 8 &&
           std::abs(int(GetBValue(a)) - int(GetBValue(c))) <= 8;
}

TEST(Office11Painter, DocksAreFilledByTheirSide) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    TdxDockControl dock(nullptr);
    struct TCase {
        TdxBarDockingStyle style;
        TColor first, last;
        bool exact;
    } cases[] = {
        {dsLeft, c.DockColor1, c.DockColor1, true},
        {dsRight, c.DockColor2, c.DockColor2, true},
        {dsTop, c.DockColor1, c.DockColor2, false},
        {dsBottom, c.DockColor1, c.DockColor2, false},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(int(k.style));
        dock.SetDockingStyle(k.style);
        TPainterTestSurface s(120, 30);
        painter->DrawDockBk(&dock, s.dc, Rect(0, 0, 120, 30), Rect(0, 0, 120, 30), TRect{}, nullptr, clNone);
        if (k.exact) {
            EXPECT_EQ(s.Pixel(0, 5), O11Rgb(k.first));
            EXPECT_EQ(s.Pixel(60, 20), O11Rgb(k.first));
            EXPECT_EQ(s.Pixel(119, 5), O11Rgb(k.last));
        } else {
            EXPECT_TRUE(NearColor(s.Pixel(0, 5), k.first));
            EXPECT_TRUE(NearColor(s.Pixel(119, 5), k.last));
            EXPECT_EQ(s.Pixel(60, 0), s.Pixel(60, 29));  // a horizontal gradient: columns are one colour
        }
    }
}

TEST(Office11Painter, TheDockPictureIsFilledOnceAndAgainAfterASizeChange) {
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    TBitmap cache;
    TdxBarOffice11Painter::FillDockBkCache(&cache, dsLeft, Rect(0, 0, 40, 60));
    ASSERT_EQ(cache.Width(), 40);
    ASSERT_EQ(cache.Height(), 60);
    EXPECT_EQ(COLORREF(ColorToRGB(ColorAt(cache, 20, 30))), O11Rgb(c.DockColor1));
    // A filled picture is used as it is.
    RECT all{0, 0, 40, 60};
    FillRect(cache.Canvas()->Handle(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    TdxBarOffice11Painter::FillDockBkCache(&cache, dsLeft, Rect(0, 0, 40, 60));
    EXPECT_EQ(COLORREF(ColorToRGB(ColorAt(cache, 20, 30))), RGB(0, 0, 0));
    // The dock empties it when its size changes; the next paint refills it at the new size.
    cache.SetSize(0, 0);
    TdxBarOffice11Painter::FillDockBkCache(&cache, dsLeft, Rect(0, 0, 50, 70));
    EXPECT_EQ(cache.Width(), 50);
    EXPECT_EQ(COLORREF(ColorToRGB(ColorAt(cache, 45, 65))), O11Rgb(c.DockColor1));
}

// A toolbar of 100 x 26 at (10, 2) in a top dock (0, 0, 300, 30); the dock paints in blue.
class Office11DockedBar : public testing::Test {
protected:
    std::unique_ptr<TdxBarPainter> painter = NewStylePainter<TdxBarOffice11Painter>();
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    TStyleFakeWindow window;
    TFakeBar bar;
    const COLORREF blue = RGB(0, 0, 255);
    void SetUp() override {
        window.client = Rect(0, 0, 100, 26);
        window.dockingStyle = dsTop;
        window.hasDock = true;
        window.dockClient = Rect(0, 0, 300, 30);
        window.inDock = Point(10, 2);
        window.bar = &bar;
    }
    TColor D(int x) const { return GradientColorAt(Rect(0, 0, 300, 30), 10 + x, c.DockColor1, c.DockColor2, true); }
    TColor Tb(int y) const { return GradientColorAt(Rect(0, 1, 100, 25), y, c.ToolbarColor1, c.ToolbarColor2, false); }
    TColor Half(TColor a, TColor b) const { return MixColorsByPercent(a, b, 50); }
};

TEST_F(Office11DockedBar, RoundedCornersWithoutAMark) {
    TPainterTestSurface s(100, 26);
    painter->DrawDockedBarFrame(&window, s.dc, Rect(0, 0, 100, 26), nullptr);
    const TColor K = c.ToolbarCornerColor;
    EXPECT_EQ(s.Pixel(0, 10), blue);  // the dock's columns at the left
    EXPECT_EQ(s.Pixel(2, 1), blue);   // the corner pixels
    EXPECT_EQ(s.Pixel(99, 25), blue);
    EXPECT_EQ(s.Pixel(2, 2), O11Rgb(Half(D(2), Tb(2))));
    EXPECT_EQ(s.Pixel(3, 1), O11Rgb(Half(D(2), Tb(2))));
    EXPECT_EQ(s.Pixel(3, 23), O11Rgb(K));
    EXPECT_EQ(s.Pixel(2, 23), O11Rgb(Half(D(2), K)));
    EXPECT_EQ(s.Pixel(98, 24), O11Rgb(K));
    EXPECT_EQ(s.Pixel(98, 25), O11Rgb(Half(K, D(100))));
    EXPECT_EQ(s.Pixel(50, 25), O11Rgb(c.ToolbarShadowColor));
}

TEST_F(Office11DockedBar, RoundedCornersWithAMark) {
    window.mark = true;
    window.markSize = 11;
    TPainterTestSurface s(100, 26);
    painter->DrawDockedBarFrame(&window, s.dc, Rect(0, 0, 100, 26), nullptr);
    const TColor K = c.ToolbarCornerColor, Cc = c.MarkCornerColors[0], C2 = c.MarkColors2[0];
    EXPECT_EQ(s.Pixel(88, 1), O11Rgb(Cc));
    EXPECT_EQ(s.Pixel(98, 2), O11Rgb(Cc));
    EXPECT_EQ(s.Pixel(87, 1), O11Rgb(Half(Cc, Tb(2))));
    EXPECT_EQ(s.Pixel(87, 24), O11Rgb(K));
    EXPECT_EQ(s.Pixel(87, 25), O11Rgb(Half(C2, K)));
    EXPECT_EQ(s.Pixel(99, 24), O11Rgb(Half(C2, D(100))));
    EXPECT_EQ(s.Pixel(50, 25), O11Rgb(c.ToolbarShadowColor));
    EXPECT_EQ(s.Pixel(3, 23), O11Rgb(K));  // the left end as without a mark
    EXPECT_EQ(s.Pixel(99, 25), blue);
}

TEST_F(Office11DockedBar, TheMainMenuHasNoRoundedFrameAndDotsOnlyWhenItCanMove) {
    window.mainMenu = true;
    for (bool canMove : {true, false}) {
        SCOPED_TRACE(canMove);
        window.canMove = canMove;
        TPainterTestSurface s(100, 26);
        painter->DrawDockedBarFrame(&window, s.dc, Rect(0, 0, 100, 26), nullptr);
        EXPECT_EQ(s.Row(0, blue), std::string(100, '#'));
        EXPECT_EQ(s.Row(25, blue), std::string(100, '#'));
        EXPECT_EQ(s.Pixel(3, 23), RGB(255, 255, 255));  // no corner, no shadow line
        EXPECT_EQ(s.Pixel(50, 23), RGB(255, 255, 255));
        int dots = 0;
        for (int y = 2; y < 24; ++y)
            for (int x = 2; x < 12; ++x)
                if (s.Pixel(x, y) != RGB(255, 255, 255)) ++dots;
        EXPECT_EQ(dots > 0, canMove);
    }
}

TEST(Office11Painter, HotTextIsWhiteOnAWhiteFace) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    {
        TSysColorScope white({{COLOR_BTNFACE, RGB(255, 255, 255)}});
        EXPECT_EQ(ColorToRGB(painter->GetItemTextColor(nullptr, true, false)), ColorToRGB(clWhite));
    }
    if (!IsButtonFaceWhite())
        EXPECT_EQ(ColorToRGB(painter->GetItemTextColor(nullptr, true, false)), ColorToRGB(BarOffice11Colors().HotTextColor));
    EXPECT_EQ(ColorToRGB(painter->GetItemTextColor(nullptr, false, false)), ColorToRGB(BarOffice11Colors().TextColor));
}

TEST(Office11Painter, BrushesAndMetricsFollowTheColours) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    auto color = [](HBRUSH brush) {
        LOGBRUSH log{};
        GetObject(brush, sizeof(log), &log);
        return log.lbColor;
    };
    EXPECT_EQ(color(painter->GetSelBrush()), O11Rgb(c.HotColor));
    EXPECT_EQ(color(painter->GetDownedBrush()), O11Rgb(c.CheckedColor));
    EXPECT_EQ(color(painter->GetDownedSelBrush()), O11Rgb(c.CheckedHotColor));
    EXPECT_EQ(color(painter->GetToolbarBrush()), O11Rgb(c.MenuColor));
    TStyleFakeWindow window;
    EXPECT_EQ(color(painter->GetBarOwnerBrush(&window)), O11Rgb(c.OwnerColor));
    EXPECT_EQ(painter->GetGripOffset(), 3);
    EXPECT_EQ(painter->GetDragAreaSize(&window), 8);
    TRect margins;
    painter->GetDockedBarMargins(nullptr, dsTop, margins);
    EXPECT_EQ(margins, Rect(0, 2, 0, 2));
    painter->GetDockedBarMargins(nullptr, dsLeft, margins);
    EXPECT_EQ(margins, Rect(2, 0, 2, 0));
    // Without a recognised scheme the colours derive from the system colours.
    if (!IsOffice11XPScheme()) {
        EXPECT_EQ(c.DockColor2, MixColorsByPercent(clBtnFace, clWindow, 20));
        EXPECT_EQ(c.ToolbarColor1, MixColorsByPercent(clBtnFace, clWindow, 22));
    }
    // Only popups cast a shadow.
    window.dockingStyle = dsNone;
    EXPECT_FALSE(painter->BarControlHasShadow(&window));
    window.popup = true;
    EXPECT_TRUE(painter->BarControlHasShadow(&window));
}

TEST(Office11Painter, SeparatorsHaveADarkAndALightLine) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    TStyleFakeWindow window;
    HBRUSH black = HBRUSH(GetStockObject(BLACK_BRUSH));
    TPainterTestSurface s(5, 20);
    painter->DrawBarSeparator(&window, s.dc, Rect(0, 0, 5, 20), black, false);
    EXPECT_EQ(s.Column(2, O11Rgb(c.SeparatorColor1)), "..." + std::string(13, '#') + "....");
    EXPECT_EQ(s.Column(3, O11Rgb(c.SeparatorColor2)), "...." + std::string(13, '#') + "...");
}

}  // namespace

namespace {

TEST(Office11Painter, TheMarkReachesOverABorderedToolbarsFrame) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    auto flat = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow window;
    TFakeBar bar;
    window.bar = &bar;
    window.client = Rect(0, 0, 100, 100);
    const struct {
        TdxBarDockingStyle style;
        bool border, mainMenu;
        TRect grow;  // added to the flat rectangle: left, top, right, bottom
    } cases[] = {{dsTop, true, false, Rect(0, -1, 2, 1)},  {dsBottom, true, false, Rect(0, -1, 2, 1)},
                 {dsLeft, true, false, Rect(-1, 0, 1, 2)}, {dsRight, true, false, Rect(-1, 0, 1, 2)},
                 {dsTop, false, false, Rect(0, 0, 0, 0)},  {dsTop, true, true, Rect(0, 0, 0, 0)},
                 {dsNone, true, false, Rect(0, 0, 0, 0)}};
    for (const auto& c : cases) {
        window.dockingStyle = c.style;
        bar.singleBorder = c.border;
        window.mainMenu = c.mainMenu;
        TRect expected, actual;
        flat->GetMarkDrawRect(&window, expected);
        painter->GetMarkDrawRect(&window, actual);
        EXPECT_EQ(actual, Rect(expected.left + c.grow.left, expected.top + c.grow.top, expected.right + c.grow.right,
                               expected.bottom + c.grow.bottom))
            << int(c.style) << c.border << c.mainMenu;
    }
}

TEST(Office11Painter, DetachCaptionsStateFacesAndTheOwnerGap) {
    auto painter = NewStylePainter<TdxBarOffice11Painter>();
    const TdxBarOffice11Colors& c = BarOffice11Colors();
    TStyleFakeWindow menu;
    // The caption band: the detach colour with a row of dots; hot: framed, in the hot colour.
    for (int state : {0, 1}) {
        TPainterTestSurface s(40, 9);
        painter->DrawDetachCaption(&menu, s.dc, Rect(0, 0, 40, 9), state);
        COLORREF band = O11Rgb(state == 1 ? c.HotColor : c.DetachCaptionColor);
        EXPECT_EQ(s.Pixel(2, 1), band) << state;
        EXPECT_EQ(s.Pixel(0, 0) == band, state == 0) << "the hot caption is framed";
        int dots = 0;
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 9; ++y) dots += s.Pixel(x, y) != band && s.Pixel(x, y) != O11Rgb(clWhite);
        EXPECT_GT(dots, 0) << state;
    }
    // The face of an edit button in a menu is the owner colour.
    TFakeItemControl control(&menu);
    TPainterTestCanvas canvas(10, 10);
    TdxBarItemControlDrawParams params(&control);
    params.canvas = &canvas.canvas;
    params.paintKind = 1;
    painter->DrawStateFace(&params, canvas.dc, Rect(0, 0, 10, 10), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), O11Rgb(c.OwnerColor));
    // A popup's own edge row where it touches its owner is in the menu colour; none without one.
    TPainterTestSurface gap(30, 10);
    RECT all{0, 0, 30, 10};
    FillRect(gap.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));  // the menu colour may be white
    painter->DrawQuickCustPart(&menu, gap.dc);
    EXPECT_EQ(gap.Pixel(5, 0), RGB(0, 0, 0));
    menu.ownerGap = Rect(2, 0, 20, 1);
    painter->DrawQuickCustPart(&menu, gap.dc);
    EXPECT_EQ(gap.Row(0, O11Rgb(c.MenuColor)), ".." + std::string(18, '#') + std::string(10, '.'));
}

}  // namespace
