// The base painter: its answers, the geometry of its shapes, and what its drawing routines
// leave on 32-bit offscreen bitmaps; the shared images of the painters.

#include <gtest/gtest.h>

#include <functional>

#include "DateUtils.h"
#include "PainterTestSupport.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxPainterImages.h"
#include "cxRadioButtonImageList.h"
#include "dxOffice11.h"

namespace {

using P = TcxLookAndFeelPainterClass;
using Pixels = TPainterPixels;

TEST(cxCustomPainter, AnswersWithoutAnyInstanceOfItsOwn) {
    P p = TcxCustomLookAndFeelPainter::Instance();
    TcxBorders both{bLeft, bRight};
    CheckPainterAnswers(
        p,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsStandard},
            {"ContentColor", [](P p) { return p->ContentColor(); }, clWindow},
            {"ContentOddColor follows ContentColor", [](P p) { return p->ContentOddColor(); }, clWindow},
            {"EditorBackgroundColor", [](P p) { return p->EditorBackgroundColorByDisabled(true); }, clDefault},
            {"GroupByBoxTextColor", [](P p) { return p->GroupByBoxTextColor(); }, clBtnFace},
            {"SchedulerBorderColor", [](P p) { return p->SchedulerBorderColor(); }, 0x9D9DA1},
            {"SchedulerViewColor", [](P p) { return p->SchedulerViewColor(); }, 0xD5FFFF},
            {"SelectedAppointmentTextColor", [](P p) { return p->SelectedAppointmentTextColor(); }, clHighlightText},
            {"VerticalGridBandBorderColor", [](P p) { return p->VerticalGridBandBorderColor(); }, clBlack},
            {"ExtraColor12", [](P p) { return p->ExtraColor12(); }, 0xCFCFCF},
            {"ExtraColor15", [](P p) { return p->ExtraColor15(); }, 0xF0CAA6},
            {"ExtraColor16", [](P p) { return p->ExtraColor16(); }, clNavy},
            {"GridGroupPanelColor follows HeaderBackgroundColor", [](P p) { return p->GridGroupPanelColor(); },
             clBtnShadow},
            {"ButtonGlyphColor of a normal button", [](P p) { return p->ButtonGlyphColor(cxbsNormal, clRed); }, clRed},
            {"ButtonGlyphColor of a normal button by default", [](P p) { return p->ButtonGlyphColor(cxbsHot); },
             clBtnText},
            {"ButtonGlyphColor disabled ignores the default",
             [](P p) { return p->ButtonGlyphColor(cxbsDisabled, clRed); }, clBtnShadow},
            {"CheckBoxFaceColor hot", [](P p) { return p->CheckBoxFaceColor(cxbsHot); }, clWindow},
            {"CheckBoxFaceColor pressed", [](P p) { return p->CheckBoxFaceColor(cxbsPressed); }, clBtnFace},
            {"FooterCellTextBounds of a 10 x 10 cell",
             [](P p) {
                 return RectCode(p->FooterCellTextBounds(TRect{0, 0, 10, 10}));
             },
             RectCode(TRect{2, 2, 8, 8})},
            {"ButtonFocusRectangle",
             [](P p) {
                 return RectCode(p->ButtonFocusRectangle(nullptr, TRect{0, 0, 20, 12}));
             },
             RectCode(TRect{4, 4, 16, 8})},
            {"ButtonFocusRectangle too small to shrink",
             [](P p) {
                 return RectCode(p->ButtonFocusRectangle(nullptr, TRect{0, 0, 8, 20}));
             },
             RectCode(TRect{0, 0, 8, 20})},
            {"HeaderBorders", [](P p) { return Int64(p->HeaderBorders(TcxNeighbors{nLeft}).Bits()); }, 15},
            {"HeaderWidthForTextWidth", [](P p) { return p->HeaderWidthForTextWidth(30); }, 34},
            {"SortMarkArea", [](P p) { return SizeCode(p->SortMarkArea()); }, SizeCode(TSize{16, 0})},
            {"SmallCloseButtonSize", [](P p) { return SizeCode(p->SmallCloseButtonSize()); }, SizeCode(TSize{16, 14})},
            {"FilterArrowButtonSize", [](P p) { return SizeCode(p->FilterArrowButtonSize()); }, SizeCode(TSize{15, 0})},
            {"NavigationButtonMetrics of the next button",
             [](P p) { return RectCode(p->NavigationButtonMetrics(true).borders); }, RectCode(TRect{2, 6, 0, 6})},
            {"ProgressIndicatorMargins", [](P p) { return RectCode(p->ProgressIndicatorMargins()); },
             RectCode(TRect{2, 2, 2, 2})},
            {"GroupChevronButtonSize", [](P p) { return p->GroupChevronButtonSize(); }, 15},
            {"SmallPlusMinusButtonSize", [](P p) { return p->SmallPlusMinusButtonSize(); }, 9},
            {"SizeGripExtent", [](P p) { return SizeCode(p->SizeGripExtent()); },
             SizeCode(TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)})},
        });
    EXPECT_EQ(p->HeaderWidthForCaption(TPaintSurface(4, 4).Canvas(), both, nullptr, L""), 4);
    EXPECT_EQ(TcxCustomLookAndFeelPainter::LookAndFeelStyleToKind(lfsNative), lfStandard);
    EXPECT_EQ(TcxCustomLookAndFeelPainter::LookAndFeelStyleToKind(lfsOffice11), lfOffice11);
}

// ---- geometry ------------------------------------------------------------------------------

TEST(cxCustomPainter, ArrowTriangleCorners) {
    struct Case {
        TRect r;
        bool proportional;
        TcxArrowDirection direction;
        TcxArrowPoints points;
    } cases[] = {
        {{0, 0, 9, 9}, false, adUp, {{{2, 5}, {4, 3}, {6, 5}}}},
        {{0, 0, 9, 9}, false, adDown, {{{6, 3}, {4, 5}, {2, 3}}}},
        {{0, 0, 9, 9}, false, adLeft, {{{5, 6}, {3, 4}, {5, 2}}}},
        {{0, 0, 9, 9}, false, adRight, {{{3, 2}, {5, 4}, {3, 6}}}},
        // 16 x 8 made square first: the triangle of an 8 x 8 rect in the middle.
        {{0, 0, 16, 8}, true, adUp, {{{6, 4}, {7, 3}, {8, 4}}}},
        {{4, 0, 12, 8}, false, adUp, {{{6, 4}, {7, 3}, {8, 4}}}},
    };
    for (const Case& c : cases) {
        TcxArrowPoints p = TcxCustomLookAndFeelPainter::ComputeArrowTriangle(c.r, 0, c.proportional, c.direction);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(p[i].x, c.points[i].x) << "direction " << int(c.direction) << " point " << i;
            EXPECT_EQ(p[i].y, c.points[i].y) << "direction " << int(c.direction) << " point " << i;
        }
    }
}

TEST(cxCustomPainter, ArrowAndDropDownTrianglesFillTheirRows) {
    TPaintSurface arrow(9, 9);
    TcxCustomLookAndFeelPainter::Instance()->DrawArrowGlyph(arrow.Canvas(), TRect{0, 0, 9, 9}, clRed, adUp);
    EXPECT_EQ(arrow.PixelsOf(clRed), (Pixels{{4, 3}, {3, 4}, {4, 4}, {5, 4}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}));

    // 8 wide: 5 wide and 3 high, its top row at the rounded middle.
    TPaintSurface dropDown(8, 8);
    TcxCustomLookAndFeelPainter::Instance()->DrawDropDownTriangle(dropDown.Canvas(), TRect{0, 0, 8, 8}, clBlue);
    EXPECT_EQ(dropDown.PixelsOf(clBlue),
              (Pixels{{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {3, 5}}));
}

TEST(cxCustomPainter, NavigationButtonLayout) {
    P p = TcxCustomLookAndFeelPainter::Instance();
    struct Case {
        const char* name;
        bool isNext, arrowOnly;
        TSize textExtent;
        TRect arrow, text, content;
    } cases[] = {
        // The previous button: borders 0, 6, 2, 6; the arrow centred in the top 21 pixels.
        {"text fits", false, false, {30, 13}, {5, 13, 12, 20}, {0, 32, 18, 80}, {0, 0, 20, 100}},
        // 60 pixels of text in a 48-pixel text rect: everything grows by 12 at both ends.
        {"text too long", false, false, {60, 13}, {5, 1, 12, 8}, {0, 20, 18, 92}, {0, -12, 20, 112}},
        // Arrow only: the content shrinks to the arrow's 21 pixels and the borders, centred.
        {"arrow only", true, true, {60, 13}, {6, 46, 13, 53}, {0, 0, 0, 0}, {0, 33, 20, 66}},
    };
    for (const Case& c : cases) {
        TRect arrow{}, text{}, content{0, 0, 20, 100};
        p->LayoutNavigationButton(c.isNext, c.arrowOnly, arrow, text, content, c.textExtent, TSize{0, 0});
        EXPECT_EQ(RectCode(arrow), RectCode(c.arrow)) << c.name;
        EXPECT_EQ(RectCode(text), RectCode(c.text)) << c.name;
        EXPECT_EQ(RectCode(content), RectCode(c.content)) << c.name;
    }
}

// ---- drawing -------------------------------------------------------------------------------

// A caption button draws its text into a rect made even in height and raised by one pixel
// when small: the same pixels as the canvas's own text drawn into that rect.
TEST(cxCustomPainter, CaptionButtonTextRect) {
    struct Case {
        TRect button, textRect;
    } cases[] = {{{0, 0, 40, 17}, {0, -1, 40, 16}}, {{0, 0, 40, 20}, {0, 0, 40, 20}}};
    for (const Case& c : cases) {
        TPaintSurface drawn(40, c.button.bottom), expected(40, c.button.bottom), naive(40, c.button.bottom);
        TcxCustomLookAndFeelPainter::Instance()->DrawCaptionButton(drawn.Canvas(), c.button, cxbsNormal, L"Wg", false,
                                                                   clWhite, clBlack);
        for (TPaintSurface* s : {&expected, &naive}) {
            s->Canvas()->GetCanvasBrush()->SetStyle(bsClear);
            s->Canvas()->GetCanvasFont()->SetColor(clBlack);
        }
        Word flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix | cxSingleLine;
        expected.Canvas()->DrawTextInRect(L"Wg", c.textRect, flags);
        naive.Canvas()->DrawTextInRect(L"Wg", c.button, flags);
        EXPECT_TRUE(drawn.SameAs(expected)) << c.button.bottom;
        EXPECT_GT(drawn.Count(clBlack), 0);
        EXPECT_EQ(drawn.SameAs(naive), RectsEqual(c.button, c.textRect)) << c.button.bottom;
    }
}

Pixels CheckTickPixels(int x0, int y0) {
    Pixels tick;
    for (int d = 0; d <= 2; ++d)
        for (auto [x, y] : {std::pair{3, 5}, {4, 6}, {5, 7}, {6, 6}, {7, 5}, {8, 4}, {9, 3}})
            tick.insert({x0 + x - 2, y0 + y - 2 + d});
    return tick;
}

TEST(cxCustomPainter, CheckMarkIsATickThreePixelsThick) {
    TPaintSurface s(13, 13, clFuchsia);
    P p = TcxCustomLookAndFeelPainter::Instance();
    p->DrawCheckMark(s.Canvas(), TRect{2, 2, 11, 11}, cxbsNormal, true, clRed);
    EXPECT_EQ(s.PixelsOf(clRed), CheckTickPixels(2, 2));
    EXPECT_EQ(s.Count(clWindow, TRect{2, 2, 11, 11}), 81 - int(CheckTickPixels(2, 2).size()));
    EXPECT_EQ(s.Count(clFuchsia), 13 * 13 - 81);

    // A grayed box shows its face and no tick; a checked one the tick in button text.
    TPaintSurface grayed(13, 13, clFuchsia), checked(13, 13, clFuchsia);
    p->DrawCheckBoxGlyph(grayed.Canvas(), TRect{0, 0, 13, 13}, cxbsNormal, cbsGrayed);
    p->DrawCheckBoxGlyph(checked.Canvas(), TRect{0, 0, 13, 13}, cxbsPressed, cbsChecked);
    EXPECT_EQ(grayed.Count(clWindow), 81);
    EXPECT_EQ(checked.PixelsOf(clBtnText), CheckTickPixels(2, 2));
    EXPECT_EQ(checked.Count(clBtnFace), 81 - int(CheckTickPixels(2, 2).size()));
}

TEST(cxCustomPainter, GroupChevronsPointUpWhenExpanded) {
    auto chevrons = [](bool expanded) {
        Pixels pair;
        for (int dy : {0, 4}) {
            auto add = [&](int x, int y) { pair.insert({4 + x, 3 + y + dy}); };
            for (int i = 0; i <= 3; ++i) expanded ? (add(i, 3 - i), add(3 + i, i)) : (add(i, 1 + i), add(3 + i, 4 - i));
            for (int i = 0; i <= 2; ++i)
                expanded ? (add(1 + i, 3 - i), add(3 + i, 1 + i)) : (add(1 + i, 1 + i), add(3 + i, 3 - i));
        }
        return pair;
    };
    for (bool expanded : {true, false}) {
        TPaintSurface s(15, 15);
        TcxCustomLookAndFeelPainter::Instance()->DrawGroupChevronButton(s.Canvas(), TRect{0, 0, 15, 15}, cxbsNormal,
                                                                        expanded);
        EXPECT_EQ(s.PixelsOf(clBtnText), chevrons(expanded)) << expanded;
        EXPECT_EQ(chevrons(expanded).size(), 24u);
        EXPECT_EQ(s.Count(clBtnFace), 15 * 15 - 24) << expanded;
    }
    // Pointing up, the top row of the first chevron is its apex; pointing down, its bottom row.
    EXPECT_TRUE(chevrons(true).count({7, 3}) && !chevrons(true).count({4, 3}));
    EXPECT_TRUE(chevrons(false).count({7, 7}) && !chevrons(false).count({4, 7}));
}

TEST(cxCustomPainter, ClockAtThreeOClock) {
    TPaintSurface s(61, 61, clFuchsia);
    P p = TcxCustomLookAndFeelPainter::Instance();
    p->DrawClockFace(s.Canvas(), s.Bounds(), EncodeTime(3, 0, 0, 0), clWhite);
    const int cx = 30, cy = 30;                          // radii 28.5
    EXPECT_EQ(s.At(cx + 15, cy), RgbColor(clTeal));      // the hour hand points right
    EXPECT_EQ(s.At(cx - 15, cy), RgbColor(clWhite));     // and not left
    EXPECT_EQ(s.At(cx + 1, cy - 12), RgbColor(clTeal));  // the minute hand points up
    EXPECT_EQ(s.At(cx, cy - 20), RgbColor(clRed));       // with the second hand over it
    EXPECT_EQ(s.At(cx, cy + 20), RgbColor(clWhite));
    // The bead at 12 o'clock: Aqua on its upper-left edges, BtnText on its lower-right ones.
    TColor bead[3][3] = {{clAqua, clAqua, clBtnText}, {clAqua, clTeal, clBtnText}, {clBtnText, clBtnText, clBtnText}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s.At(cx - 1 + x, 2 - 1 + y), RgbColor(bead[y][x])) << x << "," << y;
    EXPECT_EQ(s.At(cx, 0), RgbColor(clWhite));  // the face is filled around the beads
    // The beads were kept out of the fill, not out of the caller's later drawing.
    s.Canvas()->FillRectWithColor(s.Bounds(), clBlue);
    EXPECT_EQ(s.Count(clBlue), 61 * 61);
}

TEST(cxCustomPainter, IndicatorImagesAreLoadedAndDrawnCentred) {
    ASSERT_NE(IndicatorImages(), nullptr);
    EXPECT_EQ(IndicatorImages()->Count(), 6);
    TPaintSurface s(21, 21);
    P p = TcxCustomLookAndFeelPainter::Instance();
    p->DrawIndicatorGlyph(s.Canvas(), s.Bounds(), ikNone);
    EXPECT_TRUE(s.IsBlank());
    p->DrawIndicatorGlyph(s.Canvas(), s.Bounds(), ikArrow);
    // The arrow points right; white is transparent, so the rest stays as it was.
    int w = IndicatorImages()->Width(), h = IndicatorImages()->Height();
    TRect glyph{(21 - w) / 2, (21 - h) / 2, (21 - w) / 2 + w, (21 - h) / 2 + h};
    EXPECT_GT(s.Count(clBlack, glyph), 10);
    EXPECT_EQ(s.Count(clBlack), s.Count(clBlack, glyph));
    EXPECT_EQ(s.Count(clBlack) + s.Count(clWhite), 21 * 21);
}

TEST(cxCustomPainter, ScrollBarTrackPatternsAlternateLikeACheckerboard) {
    UpdateScrollBarPatterns();
    for (bool pressed : {false, true}) {
        TBitmap* pattern = ScrollBarTrackPattern(pressed);
        ASSERT_EQ(pattern->Width(), 8);
        TColor odd = RgbColor(pressed ? cl3DDkShadow : clBtnHighlight), even = RgbColor(pressed ? clBlack : clBtnFace);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(pattern->Canvas()->Pixels(x, y), (x + y) % 2 ? odd : even) << pressed << x << y;
    }
}

// ---- radio buttons -------------------------------------------------------------------------

TEST(cxRadioButtonImages, AllCombinationsAreBuiltFromTheTemplate) {
    TcxRadioButtonImageList* list = RadioButtonImageList();
    EXPECT_EQ(list->Images()->Count(), TcxRadioButtonImageList::ImageCount);
    TSize size = list->ImageSize();
    ASSERT_GE(size.cx, 8);
    ASSERT_GE(size.cy, 8);
    EXPECT_EQ(list->RoleAt(0, 0), TcxRadioButtonImageList::rOutside);
    EXPECT_EQ(list->RoleAt(size.cx / 2, size.cy / 2), TcxRadioButtonImageList::rDot);
    EXPECT_EQ(list->RoleAt(0, size.cy / 2), TcxRadioButtonImageList::rOuterUpperLeft);
    EXPECT_EQ(list->RoleAt(size.cx - 1, size.cy / 2), TcxRadioButtonImageList::rOuterLowerRight);
    EXPECT_EQ(list->RoleAt(1, size.cy / 2), TcxRadioButtonImageList::rInnerUpperLeft);
    EXPECT_EQ(list->RoleAt(size.cx - 2, size.cy / 2), TcxRadioButtonImageList::rInnerLowerRight);
    EXPECT_EQ(list->ImageIndex(lfOffice11, cxbsHot, true, false, false), 29);
    EXPECT_EQ(list->ImageIndex(lfFlat, cxbsNormal, false, false, false), 0);
    EXPECT_EQ(list->ImageIndex(lfOffice11, cxbsDisabled, true, true, true), 127);
}

// Each role of the template shows its colour; outside the button the canvas shows through.
TEST(cxRadioButtonImages, Office11HotCheckedColours) {
    TcxRadioButtonImageList* list = RadioButtonImageList();
    TSize size = list->ImageSize();
    TPaintSurface s(size.cx + 4, size.cy + 4, clFuchsia);
    list->Draw(s.Canvas(), 2, 2, lfOffice11, cxbsHot, true, false, false, clDefault);
    const TdxOffice11Colors& office = Office11Colors();
    const TColor expected[] = {RgbColor(clFuchsia),   office.SelectionBorderColor, office.SelectionBorderColor,
                               office.HotFaceColor,   office.HotFaceColor,         office.HotFaceColor,
                               RgbColor(clWindowText)};
    int mismatches = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            auto role = list->RoleAt(x, y);
            // The mask's ellipse and the template's outline may differ at a corner pixel.
            if (role == TcxRadioButtonImageList::rOutside && s.At(x + 2, y + 2) != RgbColor(clFuchsia)) continue;
            mismatches += s.At(x + 2, y + 2) != expected[role];
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(s.Count(clFuchsia, TRect{0, 0, s.Width(), 2}), s.Width() * 2);
}

TEST(cxRadioButtonImages, DefaultStateDrawsAsNormalAndBackgroundFills) {
    P p = TcxCustomLookAndFeelPainter::Instance();
    TSize size = p->RadioButtonImageSize();
    TPaintSurface asDefault(size.cx, size.cy), asNormal(size.cx, size.cy), asHot(size.cx, size.cy),
        filled(size.cx, size.cy);
    p->DrawRadioButton(asDefault.Canvas(), 0, 0, cxbsDefault, false, false, false);
    p->DrawRadioButton(asNormal.Canvas(), 0, 0, cxbsNormal, false, false, false);
    p->DrawRadioButton(asHot.Canvas(), 0, 0, cxbsPressed, false, false, false);
    p->DrawRadioButton(filled.Canvas(), 0, 0, cxbsNormal, false, false, false, clRed);
    EXPECT_TRUE(asDefault.SameAs(asNormal));
    EXPECT_FALSE(asHot.SameAs(asNormal));
    EXPECT_EQ(filled.At(0, 0), RgbColor(clRed));
    EXPECT_EQ(asNormal.At(0, 0), RgbColor(clWhite));
    EXPECT_EQ(filled.At(size.cx / 2, size.cy / 2), asNormal.At(size.cx / 2, size.cy / 2));
}

// ---- Office-style bitmaps ------------------------------------------------------------------

TEST(Office11Bitmaps, SubMenuBadgeGreysMapOntoTheHeaderGradient) {
    struct Case {
        const char* name;
        std::vector<TColor> row;  // pixel (0, 0) first: the background
        TColor light, dark;
        std::vector<TColor> expected;
    } cases[] = {
        {"ramp",
         {clFuchsia, 0x646464, clBlack, 0xC8C8C8, 0x969696},
         0x00FFFF,
         0xFF0000,
         {clFuchsia, MixColorsByPercent(0x00FFFF, 0xFF0000, 0), clBlack, MixColorsByPercent(0x00FFFF, 0xFF0000, 100),
          MixColorsByPercent(0x00FFFF, 0xFF0000, 50)}},
        {"one grey takes the light colour",
         {clFuchsia, 0x808080},
         0x00FFFF,
         0xFF0000,
         {clFuchsia, MixColorsByPercent(0x00FFFF, 0xFF0000, 100)}},
        {"equal header colours fade to black",
         {clFuchsia, 0x101010, 0xF0F0F0},
         0x00FFFF,
         0x00FFFF,
         {clFuchsia, MixColorsByPercent(0x00FFFF, 0, 0), MixColorsByPercent(0x00FFFF, 0, 100)}},
    };
    for (const Case& c : cases) {
        TBitmap b(int(c.row.size()), 1, pf24bit);
        for (size_t x = 0; x < c.row.size(); ++x) b.Canvas()->SetPixels(int(x), 0, c.row[x]);
        RecolorSubMenuExpandBitmap(&b, c.light, c.dark);
        for (size_t x = 0; x < c.row.size(); ++x)
            EXPECT_EQ(b.Canvas()->Pixels(int(x), 0), c.expected[x]) << c.name << x;
    }
}

TEST(Office11Bitmaps, LoadedFromTheProgramWhileTheTablesAreHeld) {
    AcquireOffice11ColorTables();
    TBitmap* badge = Office11SubMenuExpandBitmap();
    ASSERT_NE(badge, nullptr);
    for (bool expanded : {false, true}) {
        ASSERT_NE(Office11ExpandButtonBitmap(expanded), nullptr);
        EXPECT_EQ(Office11ExpandButtonBitmap(expanded)->Width(), 11);
        EXPECT_EQ(Office11ExpandButtonBitmap(expanded)->Height(), 11);
    }
    // The badge's lightest grey became the header light colour.
    TColor light = Office11Colors().HeaderLightColor;
    bool found = false;
    for (int y = 0; y < badge->Height() && !found; ++y)
        for (int x = 0; x < badge->Width() && !found; ++x) found = badge->Canvas()->Pixels(x, y) == light;
    EXPECT_TRUE(found);
    ReleaseOffice11ColorTables();
}

}  // namespace
