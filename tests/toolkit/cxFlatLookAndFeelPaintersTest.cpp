// The flat and ultra-flat painters: their answers, group borders, sort marks and hot tracking,
// checked by their pixels.

#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "cxFlatLookAndFeelPainter.h"
#include "cxImageStates.h"
#include "cxUltraFlatLookAndFeelPainter.h"

namespace {

using P = TcxLookAndFeelPainterClass;
const TcxFlatLookAndFeelPainter* const flatPainter = TcxFlatLookAndFeelPainter::Instance();
const TcxUltraFlatLookAndFeelPainter* const ultraFlatPainter = TcxUltraFlatLookAndFeelPainter::Instance();

TEST(cxFlatPainters, FlatAnswers) {
    CheckPainterAnswers(
        flatPainter,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsFlat},
            {"ContentColor", [](P p) { return p->ContentColor(); }, clWindow},
            {"BorderWidth", [](P p) { return p->BorderWidth(); }, 1},
            {"ButtonBorderWidth default", [](P p) { return p->ButtonBorderWidth(cxbsDefault); }, 2},
            {"ButtonBorderWidth hot", [](P p) { return p->ButtonBorderWidth(cxbsHot); }, 1},
            {"ButtonFaceColor hot", [](P p) { return p->ButtonFaceColor(cxbsHot); }, clBtnFace},
            {"ButtonGroupBorders", [](P p) { return RectCode(p->ButtonGroupBorders(3, 0)); },
             RectCode(TRect{1, 1, 1, 1})},
            {"ButtonPressedTextShift", [](P p) { return p->ButtonPressedTextShift(); }, 1},
            {"PlusMinusButtonSize", [](P p) { return p->PlusMinusButtonSize(); }, 11},
            {"SupportsButtonHotTrack", [](P p) { return p->SupportsButtonHotTrack(); }, false},
            {"SortMarkSize", [](P p) { return SizeCode(p->SortMarkSize()); }, SizeCode(TSize{8, 7})},
            {"FooterCellSpacing", [](P p) { return p->FooterCellSpacing(); }, 1},
            {"HeaderBorders beside a neighbour", [](P p) { return Int64(p->HeaderBorders({nLeft}).Bits()); }, 15},
        });
}

TEST(cxFlatPainters, UltraFlatAnswers) {
    CheckPainterAnswers(
        ultraFlatPainter,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsUltraFlat},
            {"SchedulerBorderColor", [](P p) { return p->SchedulerBorderColor(); }, clBtnShadow},
            {"ButtonFaceColor normal", [](P p) { return p->ButtonFaceColor(cxbsNormal); }, clBtnFace},
            {"ButtonFaceColor hot", [](P p) { return p->ButtonFaceColor(cxbsHot); }, HotSelectionColor()},
            {"ButtonFaceColor pressed", [](P p) { return p->ButtonFaceColor(cxbsPressed); }, PressedSelectionColor()},
            {"ButtonGlyphColor pressed ignores the default",
             [](P p) { return p->ButtonGlyphColor(cxbsPressed, clRed); }, clHighlightText},
            {"ButtonGlyphColor hot", [](P p) { return p->ButtonGlyphColor(cxbsHot, clRed); }, clRed},
            {"ButtonGlyphState", [](P p) { return p->ButtonGlyphState(cxbsDisabled); }, cxbsNormal},
            {"ButtonFocusRectangle",
             [](P p) {
                 return RectCode(p->ButtonFocusRectangle(nullptr, TRect{0, 0, 20, 10}));
             },
             RectCode(TRect{3, 3, 17, 7})},
            {"ButtonTextMargin", [](P p) { return p->ButtonTextMargin(); }, 2},
            {"ButtonPressedTextShift", [](P p) { return p->ButtonPressedTextShift(); }, 0},
            {"SupportsButtonHotTrack", [](P p) { return p->SupportsButtonHotTrack(); }, true},
            {"HeaderBorders beside left and top neighbours",
             [](P p) {
                 return Int64(p->HeaderBorders({nLeft, nTop}).Bits());
             },
             Int64(TcxBorders{bRight, bBottom}.Bits())},
            {"HeaderBorders beside a right neighbour", [](P p) { return Int64(p->HeaderBorders({nRight}).Bits()); },
             15},
            {"SortMarkSize", [](P p) { return SizeCode(p->SortMarkSize()); }, SizeCode(TSize{7, 8})},
            {"GridGroupPanelMetric", [](P p) { return p->GridGroupPanelMetric(); }, 12},
            {"FooterCellSpacing", [](P p) { return p->FooterCellSpacing(); }, 2},
            {"SmallCloseButtonSize", [](P p) { return SizeCode(p->SmallCloseButtonSize()); }, SizeCode(TSize{16, 15})},
        });
    EXPECT_EQ(ultraFlatPainter->FlatStateBorderColor(cxbsNormal), clBtnShadow);
    EXPECT_EQ(ultraFlatPainter->FlatStateBorderColor(cxbsDisabled), clHighlight);
    EXPECT_EQ(ultraFlatPainter->FlatDarkBorderColor(), clBtnText);
    EXPECT_EQ(ultraFlatPainter->FlatHotBorderColor(), clHighlight);
}

TEST(cxFlatPainters, UltraFlatButtonGroupBorders) {
    struct Case {
        int count, index;
        TRect borders;
    } cases[] = {{3, 0, {2, 2, 1, 2}}, {3, 1, {1, 2, 1, 2}}, {3, 2, {1, 2, 2, 2}}, {1, 0, {2, 2, 1, 2}}};
    for (const Case& c : cases)
        EXPECT_EQ(RectCode(ultraFlatPainter->ButtonGroupBorders(c.count, c.index)), RectCode(c.borders))
            << c.count << " buttons, index " << c.index;
}

// The bounding box of what a sort mark draws, and the row of its apex.
struct TSortMarkShape {
    TRect box;
    int apexPixels;
};

TSortMarkShape SortMarkShape(P painter, bool ascending) {
    TPaintSurface s(16, 16, clFuchsia);
    painter->DrawSortMark(s.Canvas(), s.Bounds(), ascending);
    TRect box{16, 16, -1, -1};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (s.At(x, y) != RgbColor(clFuchsia))
                box = TRect{std::min(box.left, LONG(x)), std::min(box.top, LONG(y)), std::max(box.right, LONG(x + 1)),
                            std::max(box.bottom, LONG(y + 1))};
    int apexRow = ascending ? box.top : box.bottom - 1;
    return TSortMarkShape{box, 16 - s.Count(clFuchsia, TRect{0, apexRow, 16, apexRow + 1})};
}

TEST(cxFlatPainters, SortMarksAreSevenByEightUltraFlatAndEightBySevenFlat) {
    for (bool ascending : {true, false}) {
        TSortMarkShape u = SortMarkShape(ultraFlatPainter, ascending), f = SortMarkShape(flatPainter, ascending);
        EXPECT_EQ(RectCode(u.box), RectCode(TRect{5, 4, 12, 12})) << ascending;
        EXPECT_EQ(u.apexPixels, 1) << ascending;
        EXPECT_EQ(RectCode(f.box), RectCode(TRect{4, 4, 12, 11})) << ascending;
        EXPECT_EQ(f.apexPixels, 2) << ascending;
    }
    // Ultra-flat marks are all in the shadow colour; flat ones lit on one side.
    TPaintSurface s(16, 16, clFuchsia);
    flatPainter->DrawSortMark(s.Canvas(), s.Bounds(), true);
    EXPECT_GT(s.Count(clBtnHighlight), 3);
    EXPECT_GT(s.Count(clBtnShadow), 3);
}

TEST(cxFlatPainters, UltraFlatButtonsAreHotTracked) {
    struct Case {
        TcxButtonState state;
        TColor frame, face;
    } cases[] = {{cxbsHot, clHighlight, HotSelectionColor()},
                 {cxbsPressed, clHighlight, PressedSelectionColor()},
                 {cxbsNormal, clBtnText, clBtnFace},
                 {cxbsDisabled, clBtnShadow, clBtnFace}};
    for (const Case& c : cases) {
        TPaintSurface s(20, 12, clFuchsia);
        ultraFlatPainter->DrawCaptionButton(s.Canvas(), s.Bounds(), c.state, L"", true);
        EXPECT_EQ(s.At(0, 6), RgbColor(c.frame)) << int(c.state);
        EXPECT_EQ(s.At(19, 6), RgbColor(c.frame)) << int(c.state);
        EXPECT_EQ(s.At(1, 6), RgbColor(c.face)) << int(c.state);
    }
    TPaintSurface defaultButton(20, 12, clFuchsia);
    ultraFlatPainter->DrawCaptionButton(defaultButton.Canvas(), defaultButton.Bounds(), cxbsDefault, L"", true);
    EXPECT_EQ(defaultButton.At(1, 6), RgbColor(clWindowFrame));
    EXPECT_EQ(defaultButton.At(2, 6), RgbColor(clBtnFace));
}

TEST(cxFlatPainters, HotScrollArrowsOnlyUltraFlatTracks) {
    auto arrow = [](P painter, TcxButtonState state) {
        auto s = std::make_unique<TPaintSurface>(17, 17, clFuchsia);
        painter->DrawScrollBarElement(s->Canvas(), s->Bounds(), state, false, sbpLineDown);
        return s;
    };
    EXPECT_TRUE(arrow(flatPainter, cxbsHot)->SameAs(*arrow(flatPainter, cxbsNormal)));
    auto hot = arrow(ultraFlatPainter, cxbsHot);
    EXPECT_FALSE(hot->SameAs(*arrow(ultraFlatPainter, cxbsNormal)));
    EXPECT_EQ(hot->At(0, 8), RgbColor(clHighlight));
    EXPECT_EQ(hot->At(2, 2), RgbColor(HotSelectionColor()));
    EXPECT_GT(hot->Count(clBtnText), 3);  // the arrow
    // A disabled thumb draws nothing in either look.
    for (P p : {P(flatPainter), P(ultraFlatPainter)}) {
        TPaintSurface thumb(17, 30, clFuchsia);
        p->DrawScrollBarElement(thumb.Canvas(), thumb.Bounds(), cxbsDisabled, false, sbpThumbnail);
        EXPECT_TRUE(thumb.IsBlank(clFuchsia));
    }
}

TEST(cxFlatPainters, UltraFlatGroupedButtonsShowLinesBetweenLitButtons) {
    TPaintSurface middle(20, 12, clFuchsia), first(20, 12, clFuchsia), plain(20, 12, clFuchsia);
    ultraFlatPainter->DrawGroupedButton(middle.Canvas(), middle.Bounds(), cxbsHot, 3, 1, clRed);
    ultraFlatPainter->DrawGroupedButton(first.Canvas(), first.Bounds(), cxbsHot, 3, 0, clRed);
    ultraFlatPainter->DrawGroupedButton(plain.Canvas(), plain.Bounds(), cxbsNormal, 3, 1, clRed);
    // The rect loses its top and bottom rows (and the outer column of the end buttons).
    EXPECT_EQ(middle.At(5, 0), RgbColor(clFuchsia));
    EXPECT_EQ(middle.At(0, 6), RgbColor(clHighlight));
    EXPECT_EQ(middle.At(19, 6), RgbColor(clHighlight));
    EXPECT_EQ(middle.At(1, 6), RgbColor(HotSelectionColor()));
    EXPECT_EQ(first.At(0, 6), RgbColor(clFuchsia));
    EXPECT_EQ(first.At(1, 6), RgbColor(HotSelectionColor()));
    EXPECT_EQ(first.At(19, 6), RgbColor(clHighlight));
    EXPECT_EQ(plain.At(0, 6), RgbColor(clRed));
    EXPECT_EQ(plain.At(1, 6), RgbColor(clBtnFace));
}

}  // namespace
