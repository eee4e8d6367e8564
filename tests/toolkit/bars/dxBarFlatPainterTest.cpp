// The flat look, read back from memory bitmaps.

#include <gtest/gtest.h>

#include "BarTestSupport.h"
#include "StylePainterTestSupport.h"
#include "dxBarCombo.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

namespace {

const COLORREF flatGreen = RGB(0, 128, 0);

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH log{};
    GetObject(brush, sizeof(log), &log);
    return log.lbColor;
}

TEST(FlatPainter, MetricsAndShadows) {
    auto flat = NewStylePainter<TdxBarFlatPainter>();
    auto standard = NewStylePainter<TdxBarStandardPainter>();
    TStyleFakeWindow window;
    EXPECT_EQ(flat->GetSeparatorSize(), 5);
    EXPECT_EQ(flat->GetSeparatorOffset(), 2);
    EXPECT_EQ(flat->GetMenuSeparatorHeight(), 5);
    EXPECT_EQ(flat->GetMinMenuItemHeight(), 20);
    EXPECT_EQ(flat->GetDragAreaSize(&window), 6);
    EXPECT_EQ(flat->GetMenuGroupIndent(), 8);
    TRect group;
    flat->CalcBeginGroupRect(&window, nullptr, Rect(0, 30, 50, 50), group);
    EXPECT_EQ(group, Rect(0, 25, 50, 30));
    // Floating bars and open menus cast a shadow in the flat look; docked bars do not.
    window.dockingStyle = dsNone;
    EXPECT_TRUE(flat->BarControlHasShadow(&window));
    EXPECT_FALSE(standard->BarControlHasShadow(&window));
    window.dockingStyle = dsTop;
    EXPECT_FALSE(flat->BarControlHasShadow(&window));
    // The painter's brushes are the manager's flat colours.
    TColor colors[5];
    CalcBarFlatColors(colors);
    EXPECT_EQ(BrushColor(flat->GetToolbarBrush()), COLORREF(ColorToRGB(colors[1])));
    EXPECT_EQ(BrushColor(flat->GetSelBrush()), COLORREF(ColorToRGB(colors[4])));
    EXPECT_EQ(FlatPainterInstance()->ClassType(), TdxBarFlatPainter::StaticClass());
}

TEST(FlatPainter, TheSeparatorIsFivePixelsWithItsLineAtTheThird) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow window;
    HBRUSH green = CreateSolidBrush(flatGreen);
    const COLORREF shadow = SysRgb(COLOR_BTNSHADOW);
    TPainterTestSurface across(5, 10);
    painter->DrawBarSeparator(&window, across.dc, Rect(0, 0, 5, 10), green, false);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(across.Pixel(x, 5), x == 2 ? shadow : flatGreen) << x;
    TPainterTestSurface down(10, 5);
    painter->DrawBarSeparator(&window, down.dc, Rect(0, 0, 10, 5), green, true);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(down.Pixel(5, y), y == 2 ? shadow : flatGreen) << y;
    DeleteObject(green);
}

// A sub item's button (0, 0, 20, 20) whose menu opened below it: the strip the menu touches is
// one pixel of the button's bottom edge, shortened by one at each end.
TEST(FlatPainter, ADroppedDownButtonIsFramedOnThreeSidesAndJoinsItsMenu) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    auto* flat = static_cast<TdxBarFlatPainter*>(painter.get());
    TStyleFakeWindow bar, menu;
    HBRUSH green = CreateSolidBrush(flatGreen);
    bar.bkBrush = green;  // the owner brush
    menu.ownerGapOutside = Rect(1, 19, 19, 20);
    struct TOpenControl : TFakeItemControl {
        using TFakeItemControl::TFakeItemControl;
        IdxBarPaintedWindow* popup = nullptr;
        IdxBarPaintedWindow* DropDownWindow() const override { return popup; }
    } control(&bar);
    control.popup = &menu;
    TPainterTestSurface s(20, 20);
    painter->DrawGlyphFrame(&control, s.dc, green, true, Rect(0, 0, 20, 20), 0, false, false, false, false, true,
                            false);
    const COLORREF border = BrushColor(flat->FlatBorderBrush());
    EXPECT_EQ(s.Row(0, border), std::string(20, '#'));
    EXPECT_EQ(s.Column(0, border), std::string(20, '#'));
    EXPECT_EQ(s.Column(19, border), std::string(20, '#'));
    EXPECT_EQ(s.Row(19, flatGreen), "." + std::string(18, '#') + ".");
    // The clip is whole again afterwards.
    RECT all{0, 0, 20, 20};
    FillRect(s.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(s.Pixel(10, 19), RGB(0, 0, 0));
    DeleteObject(green);
}

TEST(FlatPainter, TheFloatingCloseCrossIsTwoDiagonalsTwoPixelsWide) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow window;
    TPainterTestSurface s(16, 14);
    painter->DrawFloatCloseButton(&window, s.dc, Rect(0, 0, 16, 14));
    const COLORREF ink = SysRgb(COLOR_CAPTIONTEXT);
    // The cross fills (3, 4) .. (13, 13): rows 4 and 12 hold both diagonals' ends, row 8 the crossing.
    EXPECT_EQ(s.Row(3, ink), "................");
    EXPECT_EQ(s.Row(4, ink), "...##......##...");
    EXPECT_EQ(s.Row(8, ink), ".......##.......");
    EXPECT_EQ(s.Row(12, ink), "...##......##...");
    EXPECT_EQ(s.Row(13, ink), "................");
    EXPECT_EQ(s.Pixel(0, 0), SysRgb(COLOR_INACTIVECAPTION));  // the face in the caption colour
}

// High-contrast schemes: hot frames, hot combo arrows and hot spin arrows by the button face.
TEST(FlatPainter, HighContrastFacesChangeTheHotColours) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow window;
    TFakeItemControl control(&window);
    struct TCase {
        const char* what;
        COLORREF face;
        int frame, comboArrow, spinArrow;  // system colour indexes
    } cases[] = {
        {"ordinary", 0, COLOR_HIGHLIGHT, COLOR_BTNTEXT, COLOR_BTNTEXT},
        {"black face", RGB(0, 0, 0), COLOR_HIGHLIGHTTEXT, COLOR_BTNTEXT, COLOR_BTNTEXT},
        {"white face", RGB(255, 255, 255), COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<TSysColorScope> scope;
        if (c.face || std::string(c.what) != "ordinary")
            scope = std::make_unique<TSysColorScope>(std::initializer_list<std::pair<int, COLORREF>>{{COLOR_BTNFACE, c.face}});
        else if (IsButtonFaceWhite() || IsButtonFaceBlack())
            GTEST_SKIP() << "the scheme is a high-contrast one";
        TPainterTestSurface frame(10, 10);
        RECT all{0, 0, 10, 10};
        FillRect(frame.dc, &all, HBRUSH(GetStockObject(GRAY_BRUSH)));
        painter->DrawFlatSelectionFrame(frame.dc, Rect(0, 0, 10, 10));
        EXPECT_EQ(frame.Pixel(0, 5), SysRgb(c.frame));

        TdxBarEditLikeControlDrawParams combo(&control);
        combo.enabled = true;
        combo.drawSelected = true;
        EXPECT_EQ(ColorToRGB(painter->GetEditButtonArrowColor(&combo)), ColorToRGB(SystemColor(c.comboArrow)));

        TPainterTestCanvas surface(20, 20);
        TdxBarSpinEditDrawParams spin(&control);
        spin.canvas = &surface.canvas;
        spin.enabled = true;
        spin.hotPart = 3;
        spin.arrowSize = TSize{7, 4};
        painter->DrawSpinArrow(&spin, Point(5, 10), 3);
        EXPECT_EQ(surface.Pixel(8, 9), SysRgb(c.spinArrow));
    }
}

TEST(FlatPainter, OnlyADetachableMenuGetsItsDetachCaption) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow menu;
    menu.client = Rect(0, 0, 60, 40);
    menu.detachCaptionRect = Rect(2, 2, 58, 9);
    for (bool detachable : {false, true}) {
        SCOPED_TRACE(detachable);
        menu.detachable = detachable;
        TPainterTestSurface s(60, 40);
        RECT all{0, 0, 60, 40};
        FillRect(s.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
        painter->DrawMenuBorder(&menu, s.dc, Rect(0, 0, 60, 40));
        EXPECT_EQ(s.Pixel(30, 1), detachable ? SysRgb(COLOR_WINDOW) : RGB(0, 0, 0));  // the inner ring
        EXPECT_EQ(s.Pixel(30, 3), detachable ? SysRgb(COLOR_BTNSHADOW) : RGB(0, 0, 0));  // the caption's lines
        EXPECT_EQ(s.Pixel(30, 20), RGB(0, 0, 0));
    }
}

// A hot item: the highlight frame around it, the hot brush inside; a normal one: the pale glyph
// column and the menu's own background.
TEST(FlatPainter, MenuItemBackgrounds) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    TStyleFakeWindow menu;
    menu.iconAreaWidth = 24;
    HBRUSH white = HBRUSH(GetStockObject(WHITE_BRUSH));
    menu.bkBrush = white;
    TFakeItemControl control(&menu);
    control.brush = white;
    const COLORREF hot = BrushColor(painter->GetSelBrush()), pale = BrushColor(painter->GetToolbarBrush());
    for (bool selected : {false, true}) {
        SCOPED_TRACE(selected);
        TPainterTestCanvas surface(100, 20);
        RECT all{0, 0, 100, 20};
        FillRect(surface.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.paintKind = 1;
        params.drawSelected = selected;
        painter->DrawMenuItemBk(&params, Rect(0, 0, 100, 20));
        if (selected) {
            EXPECT_EQ(surface.Pixel(0, 10), SysRgb(COLOR_HIGHLIGHT));
            EXPECT_EQ(surface.Pixel(60, 0), SysRgb(COLOR_HIGHLIGHT));
            EXPECT_EQ(surface.Pixel(24, 10), hot);  // the strip beside the glyph
            EXPECT_EQ(surface.Pixel(60, 10), hot);
        } else {
            EXPECT_EQ(surface.Pixel(0, 10), pale);
            EXPECT_EQ(surface.Pixel(24, 10), pale);
            EXPECT_EQ(surface.Pixel(60, 0), RGB(255, 255, 255));
            EXPECT_EQ(surface.Pixel(60, 10), RGB(255, 255, 255));
        }
        EXPECT_EQ(surface.Pixel(10, 10), RGB(0, 0, 0));  // the glyph's square is the glyph's own
    }
}

using FlatPainterCombo = BarTest;

TEST_F(FlatPainterCombo, AComboListEntryOfIndexMinusOneShowsTheCurrentText) {
    auto painter = NewStylePainter<TdxBarFlatPainter>();
    auto* combo = new TdxBarCombo(form.get());
    combo->Items()->Add(L"Xyz");
    combo->SetText(L"Abc");
    auto draw = [&](int index, bool editArea) {
        auto s = std::make_unique<TPainterTestCanvas>(60, 20);
        s->canvas.GetCanvasBrush()->SetColor(clWhite);
        painter->DrawComboListItem(combo, &s->canvas, index, Rect(0, 0, 60, 20), 0, editArea);
        return s;
    };
    auto expected = [&](const wchar_t* text, int top) {
        auto s = std::make_unique<TPainterTestCanvas>(60, 20);
        SetBkMode(s->dc, OPAQUE);
        SetBkColor(s->dc, RGB(255, 255, 255));
        ExtTextOutW(s->dc, 2, top, 0, nullptr, text, UINT(wcslen(text)), nullptr);
        return s;
    };
    auto same = [](TPainterTestCanvas& a, TPainterTestCanvas& b) {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(*draw(-1, false), *expected(L"Abc", 0)));
    EXPECT_TRUE(same(*draw(0, false), *expected(L"Xyz", 0)));
    EXPECT_TRUE(same(*draw(-1, true), *expected(L"Abc", 2)));  // the edit area, two pixels lower
    EXPECT_FALSE(same(*draw(-1, false), *expected(L"Xyz", 0)));
}

}  // namespace
