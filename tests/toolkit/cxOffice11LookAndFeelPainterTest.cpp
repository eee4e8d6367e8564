// The Office-style painter: its colours under the classic and the XP schemes, its gradient
// headers with their hot glow, and its bitmap plus/minus buttons, checked by their pixels.

#include <gtest/gtest.h>

#include <cstdlib>

#include "PainterTestSupport.h"
#include "RecordingVisualStyles.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "cxStandardLookAndFeelPainter.h"
#include "dxOffice11.h"

namespace {

using P = TcxLookAndFeelPainterClass;
const TcxOffice11LookAndFeelPainter* const officePainter = TcxOffice11LookAndFeelPainter::Instance();

TEST(cxOffice11Painter, AnswersUnderTheClassicScheme) {
    RecalcOffice11ColorTables();
    ASSERT_FALSE(IsOffice11XPScheme());
    const TdxOffice11Colors& c = Office11Colors();
    CheckPainterAnswers(
        officePainter,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsOffice11},
            {"pressed ButtonGlyphColor", [](P p) { return p->ButtonGlyphColor(cxbsPressed, clRed); }, clHighlightText},
            {"hot ButtonGlyphColor ignores the default", [](P p) { return p->ButtonGlyphColor(cxbsHot, clRed); },
             c.GlyphColor},
            {"disabled ButtonGlyphColor", [](P p) { return p->ButtonGlyphColor(cxbsDisabled); }, c.DisabledGlyphColor},
            {"ButtonFaceColor normal", [](P p) { return p->ButtonFaceColor(cxbsNormal); }, c.FaceColor},
            {"ButtonFaceColor hot", [](P p) { return p->ButtonFaceColor(cxbsHot); }, c.HotFaceColor},
            {"ButtonFaceColor pressed", [](P p) { return p->ButtonFaceColor(cxbsPressed); }, c.PressedFaceColor},
            {"ButtonFaceColor disabled", [](P p) { return p->ButtonFaceColor(cxbsDisabled); }, clBtnFace},
            {"CheckBoxFaceColor normal", [](P p) { return p->CheckBoxFaceColor(cxbsNormal); }, clWindow},
            {"CheckBoxFaceColor hot", [](P p) { return p->CheckBoxFaceColor(cxbsHot); }, c.HotFaceColor},
            {"HeaderColor", [](P p) { return p->HeaderColor(); },
             MixColorsByPercent(c.HeaderLightColor, c.HeaderDarkColor, 50)},
            {"HeaderBackgroundColor", [](P p) { return p->HeaderBackgroundColor(); }, c.GroupByBoxColor},
            {"GroupByBoxTextColor", [](P p) { return p->GroupByBoxTextColor(); }, c.HeaderLightColor},
            {"FooterLineColor", [](P p) { return p->FooterLineColor(); }, c.HeaderShadowColor},
            {"FooterTextColor", [](P p) { return p->FooterTextColor(); }, clBtnText},
            {"SchedulerBorderColor", [](P p) { return p->SchedulerBorderColor(); }, c.SchedulerBorderColor},
            {"ExtraColor8", [](P p) { return p->ExtraColor8(); }, c.SchedulerPanelColor},
            {"CalendarSelectionTextColor", [](P p) { return p->CalendarSelectionTextColor(); }, clWindowText},
            {"HeaderBorders beside neighbours",
             [](P p) {
                 return Int64(p->HeaderBorders({nLeft, nTop}).Bits());
             },
             15},
            {"SmallPlusMinusButtonSize", [](P p) { return p->SmallPlusMinusButtonSize(); }, 11},
            {"IsPlusMinusDrawnFirst", [](P p) { return p->IsPlusMinusDrawnFirst(); }, false},
            {"SortMarkSize (ultra-flat)", [](P p) { return SizeCode(p->SortMarkSize()); }, SizeCode(TSize{7, 8})},
        });
    EXPECT_EQ(officePainter->FlatStateBorderColor(cxbsNormal), c.HeaderShadowColor);
    EXPECT_EQ(officePainter->FlatStateBorderColor(cxbsHot), c.SelectionBorderColor);
    EXPECT_EQ(officePainter->FlatHotBorderColor(), c.SelectionBorderColor);
    EXPECT_EQ(officePainter->HeaderEdgeColor(), c.HeaderDarkColor);
    EXPECT_EQ(officePainter->HeaderBrightColor(), c.HeaderBrightColor);
}

TEST(cxOffice11Painter, PressedGlyphsUnderTheXPSchemesKeepTheGlyphColour) {
    for (const wchar_t* scheme : {L"NormalColor", L"HomeStead", L"Metallic"}) {
        TRecordingVisualStyles styles(scheme);
        ASSERT_TRUE(IsOffice11XPScheme()) << Utf8(scheme);
        EXPECT_EQ(officePainter->ButtonGlyphColor(cxbsPressed), Office11Colors().GlyphColor) << Utf8(scheme);
    }
    EXPECT_EQ(officePainter->ButtonGlyphColor(cxbsPressed), clHighlightText);  // back to classic
}

void DrawOfficeHeader(TPaintSurface& s, TcxButtonState state, TcxNeighbors neighbors = {}) {
    officePainter->DrawHeaderCell(s.Canvas(), s.Bounds(), InflateRectSides(s.Bounds(), -2, -2, -2, -2), state,
                                  neighbors, cxBordersAll, taLeftJustify, vaCenter, false, false, L"", nullptr,
                                  clBtnText, clRed);
}

int ColorChannel(TColor c, int shift) { return (c >> shift) & 0xFF; }

int ColorDistance(TColor a, TColor b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(ColorChannel(a, shift) - ColorChannel(b, shift));
    return d;
}

// Within one step of rounding in each channel.
bool NearlySameColor(TColor a, TColor b) {
    for (int shift : {0, 8, 16})
        if (std::abs(ColorChannel(a, shift) - ColorChannel(b, shift)) > 2) return false;
    return true;
}

TEST(cxOffice11Painter, HeaderFaceEndsInAFourPixelGradient) {
    RecalcOffice11ColorTables();
    TPaintSurface s(40, 20, clFuchsia);
    DrawOfficeHeader(s, cxbsNormal);
    const TColor face = officePainter->HeaderFaceColor(), edge = officePainter->HeaderEdgeColor();
    // The content is the cell less one pixel: the face down to row 15, then rows 15 to 18 run to
    // the edge colour; the background colour asked for is not used.
    for (int y = 1; y <= 15; ++y) EXPECT_EQ(s.At(20, y), face) << y;
    EXPECT_LT(ColorDistance(s.At(20, 18), edge), ColorDistance(s.At(20, 18), face)) << std::hex << s.At(20, 18);
    for (int y = 16; y <= 18; ++y)
        for (int shift : {0, 8, 16})
            EXPECT_LE(ColorChannel(s.At(20, y), shift), ColorChannel(s.At(20, y - 1), shift) + 1) << y;
    EXPECT_EQ(s.Count(clRed), 0);
    // The borders: face on top, shadow at the bottom, bright on the left, shadow on the right.
    EXPECT_EQ(s.At(20, 0), face);
    EXPECT_EQ(s.At(20, 19), officePainter->HeaderShadowColor());
    EXPECT_EQ(s.At(0, 10), officePainter->HeaderBrightColor());
    EXPECT_EQ(s.At(0, 18), edge);
    EXPECT_EQ(s.At(39, 10), officePainter->HeaderShadowColor());
    EXPECT_EQ(s.At(39, 0), MixColorsByPercent(face, officePainter->HeaderShadowColor(), 50));
}

TEST(cxOffice11Painter, HeaderCornersJoinTheirNeighbours) {
    TPaintSurface s(40, 20, clFuchsia);
    DrawOfficeHeader(s, cxbsNormal, {nLeft, nRight});
    const TColor face = officePainter->HeaderFaceColor(), edge = officePainter->HeaderEdgeColor();
    EXPECT_EQ(s.At(0, 1), face);
    EXPECT_EQ(s.At(0, 17), MixColorsByPercent(face, edge, 25));
    EXPECT_EQ(s.At(0, 18), edge);
    EXPECT_EQ(s.At(0, 10), officePainter->HeaderBrightColor());
    EXPECT_EQ(s.At(39, 1), face);
    EXPECT_EQ(s.At(39, 0), face);  // the top row, not the corner blend
    EXPECT_EQ(s.At(39, 10), officePainter->HeaderShadowColor());
}

TEST(cxOffice11Painter, HotHeaderIsLightWithAGlowAlongItsBottom) {
    TPaintSurface s(40, 20, clFuchsia);
    DrawOfficeHeader(s, cxbsHot);
    const TdxOffice11Colors& c = Office11Colors();
    for (int y = 1; y <= 16; ++y) EXPECT_EQ(s.At(20, y), c.HeaderLightColor) << y;
    // The glow: from one pixel left of the content to its right side, rows 17 to 19.
    EXPECT_TRUE(NearlySameColor(s.At(20, 17), c.HotFaceColor)) << std::hex << s.At(20, 17);
    EXPECT_TRUE(NearlySameColor(s.At(20, 19), c.HotFaceEndColor) || c.HotFaceColor == c.HotFaceEndColor);
    EXPECT_NE(s.At(0, 18), officePainter->HeaderBrightColor());   // the glow covers the left border's foot
    EXPECT_EQ(s.At(39, 10), officePainter->HeaderShadowColor());  // the right border stays
    EXPECT_EQ(s.At(39, 18),
              MixColorsByPercent(officePainter->HeaderEdgeColor(), officePainter->HeaderShadowColor(), 50));
}

TEST(cxOffice11Painter, PlusMinusCornersBlendWithTheBackground) {
    const TColor background = 0x20C040;
    for (bool expanded : {false, true}) {
        TPaintSurface s(15, 15, background);
        officePainter->DrawPlusMinusButton(s.Canvas(), TRect{2, 2, 13, 13}, clDefault, expanded);
        EXPECT_EQ(s.At(2, 2), MixColorsByPercent(Office11LightCornerColor, background, 25));
        TColor dark = MixColorsByPercent(Office11DarkCornerColor, background, 25);
        EXPECT_EQ(s.At(12, 12), dark);
        EXPECT_EQ(s.At(2, 12), dark);
        EXPECT_EQ(s.At(12, 2), dark);
        EXPECT_EQ(s.At(1, 1), background);
        // The sign: a bar across the middle, and the upright of a plus only when collapsed.
        EXPECT_EQ(s.At(7, 7), RgbColor(clBlack));
        EXPECT_EQ(s.At(7, 5) == RgbColor(clBlack), !expanded);
    }
}

TEST(cxOffice11Painter, ScrollBarPartsAreTheStandardOnesWithoutVisualStyles) {
    for (TcxScrollBarPart part : {sbpLineUp, sbpThumbnail, sbpPageDown}) {
        TPaintSurface drawn(17, 30, clFuchsia), expected(17, 30, clFuchsia);
        officePainter->DrawScrollBarElement(drawn.Canvas(), drawn.Bounds(), cxbsPressed, false, part);
        TcxStandardLookAndFeelPainter::Instance()->DrawScrollBarElement(expected.Canvas(), expected.Bounds(),
                                                                        cxbsPressed, false, part);
        EXPECT_TRUE(drawn.SameAs(expected)) << int(part);
    }
    TRecordingVisualStyles styles;
    TPaintSurface s(17, 17);
    officePainter->DrawScrollBarElement(s.Canvas(), s.Bounds(), cxbsHot, true, sbpLineDown);
    EXPECT_EQ(TRecordingVisualStyles::Take(), (std::vector<TThemeDraw>{{L"ScrollBar", 1, 14}}));
}

TEST(cxOffice11Painter, FramesAndPanels) {
    TPaintSurface button(20, 12, clFuchsia);
    officePainter->DrawCaptionButton(button.Canvas(), button.Bounds(), cxbsHot, L"", true);
    EXPECT_EQ(button.At(0, 6), Office11Colors().SelectionBorderColor);
    EXPECT_EQ(button.At(1, 6), Office11Colors().HotFaceColor);
    TPaintSurface border(20, 12, clFuchsia);
    officePainter->DrawControlBorder(border.Canvas(), border.Bounds());
    EXPECT_EQ(border.At(0, 6), Office11Colors().BorderColor);
    EXPECT_EQ(border.At(1, 6), RgbColor(clFuchsia));
    TPaintSurface panel(4, 40, clFuchsia);
    officePainter->DrawPanelBackdrop(panel.Canvas(), panel.Bounds(), nullptr, 0x000000, 0x0000FF);
    EXPECT_LT(ColorChannel(panel.At(1, 2), 0), 40);
    EXPECT_GT(ColorChannel(panel.At(1, 37), 0), 215);
    officePainter->DrawPanelBackdrop(panel.Canvas(), panel.Bounds(), nullptr, 0x00FF00, clDefault);
    EXPECT_EQ(panel.Count(0x00FF00), 4 * 40);
}

}  // namespace
