// The standardPainter painter: its answers and its bevels, checked by their pixels.

#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "cxStandardLookAndFeelPainter.h"

namespace {

using P = TcxLookAndFeelPainterClass;
const TcxStandardLookAndFeelPainter* const standardPainter = TcxStandardLookAndFeelPainter::Instance();

TEST(cxStandardPainter, Answers) {
    CheckPainterAnswers(
        standardPainter,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsStandard},
            {"SchedulerViewColor", [](P p) { return p->SchedulerViewColor(); }, clWindow},
            {"BorderWidth", [](P p) { return p->BorderWidth(); }, 2},
            {"ButtonBorderWidth default", [](P p) { return p->ButtonBorderWidth(cxbsDefault); }, 3},
            {"ButtonBorderWidth normal", [](P p) { return p->ButtonBorderWidth(cxbsNormal); }, 2},
            {"ButtonTextMargin", [](P p) { return p->ButtonTextMargin(); }, 1},
            {"ButtonPressedTextShift", [](P p) { return p->ButtonPressedTextShift(); }, 1},
            {"ButtonGroupBorders", [](P p) { return RectCode(p->ButtonGroupBorders(3, 1)); },
             RectCode(TRect{2, 2, 2, 2})},
            {"PlusMinusButtonSize", [](P p) { return p->PlusMinusButtonSize(); }, 12},
            {"HeaderBorderWidth", [](P p) { return p->HeaderBorderWidth(); }, 1},
            {"HeaderSectionBorderWidth pressed", [](P p) { return p->HeaderSectionBorderWidth(cxbsPressed); }, 1},
            {"HeaderSectionBorderWidth hot", [](P p) { return p->HeaderSectionBorderWidth(cxbsHot); }, 2},
            {"HeaderWidthForTextWidth", [](P p) { return p->HeaderWidthForTextWidth(30); }, 36},
            {"SortMarkSize", [](P p) { return SizeCode(p->SortMarkSize()); }, SizeCode(TSize{8, 7})},
            {"FooterCellSpacing", [](P p) { return p->FooterCellSpacing(); }, 1},
            {"FooterCellTextBounds",
             [](P p) {
                 return RectCode(p->FooterCellTextBounds(TRect{0, 0, 10, 10}));
             },
             RectCode(TRect{3, 3, 7, 7})},
            {"TabBorderWidth", [](P p) { return p->TabBorderWidth(true); }, 1},
        });
    // The left border adds the border width and the right one takes it away again.
    TPaintSurface s(4, 4);
    EXPECT_EQ(standardPainter->HeaderWidthForCaption(s.Canvas(), TcxBorders{bLeft, bRight}, nullptr, L""), 4);
    EXPECT_EQ(standardPainter->HeaderWidthForCaption(s.Canvas(), TcxBorders{bLeft}, nullptr, L""), 5);
}

// The colours of one row across a button's left and right edges.
struct TButtonEdgeCase {
    TcxButtonState state;
    std::vector<TColor> left, right;  // from the outer pixel inward
};

TEST(cxStandardPainter, DefaultButtonIsFramedThreeDeepWithABlackOuterLine) {
    const TButtonEdgeCase cases[] = {
        {cxbsDefault, {clBlack, clBtnHighlight, cl3DLight, clBtnFace}, {clBlack, cl3DDkShadow, clBtnShadow, clBtnFace}},
        {cxbsNormal, {clBtnHighlight, cl3DLight, clBtnFace}, {cl3DDkShadow, clBtnShadow, clBtnFace}},
        {cxbsPressed, {clBlack, clBtnShadow, clBtnFace}, {clBlack, clBtnShadow, clBtnFace}},
    };
    for (const TButtonEdgeCase& c : cases) {
        TPaintSurface s(20, 20, clFuchsia);
        standardPainter->DrawCaptionButton(s.Canvas(), s.Bounds(), c.state, L"", true);
        for (size_t i = 0; i < c.left.size(); ++i) {
            EXPECT_EQ(s.At(int(i), 10), RgbColor(c.left[i])) << "state " << int(c.state) << " left " << i;
            EXPECT_EQ(s.At(19 - int(i), 10), RgbColor(c.right[i])) << "state " << int(c.state) << " right " << i;
            EXPECT_EQ(s.At(10, int(i)), RgbColor(c.left[i])) << "state " << int(c.state) << " top " << i;
        }
        EXPECT_EQ(s.Count(clFuchsia), 0);
    }
}

// The arrow of the system's scroll-bar button, as the standardPainter painter leaves it.
TPainterPixels StandardArrowPixels(TcxButtonState state) {
    TPaintSurface s(17, 17, clFuchsia);
    standardPainter->DrawScrollBarElement(s.Canvas(), s.Bounds(), state, false, sbpLineUp);
    return s.PixelsOf(clBtnText, TRect{2, 2, 15, 15});
}

TEST(cxStandardPainter, PressedArrowIsFlatAndShifted) {
    TPaintSurface pressed(17, 17, clFuchsia);
    standardPainter->DrawScrollBarElement(pressed.Canvas(), pressed.Bounds(), cxbsPressed, false, sbpLineUp);
    // A flat border: one shadow line, then the face, on every side.
    for (auto [x, y] : {std::pair{0, 8}, {16, 8}, {8, 0}, {8, 16}}) EXPECT_EQ(pressed.At(x, y), RgbColor(clBtnShadow));
    for (auto [x, y] : {std::pair{1, 8}, {15, 8}, {8, 1}, {8, 15}}) EXPECT_EQ(pressed.At(x, y), RgbColor(clBtnFace));
    TPainterPixels normalArrow = StandardArrowPixels(cxbsNormal), pressedArrow = StandardArrowPixels(cxbsPressed);
    ASSERT_GT(normalArrow.size(), 3u);
    TPainterPixels shifted;
    for (auto [x, y] : normalArrow) shifted.insert({x + 1, y + 1});
    EXPECT_EQ(pressedArrow, shifted);
    EXPECT_EQ(StandardArrowPixels(cxbsHot), normalArrow);  // hot is drawn as normal
}

TEST(cxStandardPainter, ThumbAndTracks) {
    TPaintSurface disabled(17, 40, clFuchsia), normal(17, 40, clFuchsia), pressed(17, 40, clFuchsia);
    standardPainter->DrawScrollBarElement(disabled.Canvas(), disabled.Bounds(), cxbsDisabled, false, sbpThumbnail);
    standardPainter->DrawScrollBarElement(normal.Canvas(), normal.Bounds(), cxbsNormal, false, sbpThumbnail);
    standardPainter->DrawScrollBarElement(pressed.Canvas(), pressed.Bounds(), cxbsPressed, false, sbpThumbnail);
    EXPECT_TRUE(disabled.IsBlank(clFuchsia));
    EXPECT_TRUE(pressed.SameAs(normal));
    EXPECT_EQ(normal.At(8, 20), RgbColor(clBtnFace));
    EXPECT_EQ(normal.At(0, 20), RgbColor(clBtnFace));
    EXPECT_EQ(normal.At(16, 20), RgbColor(cl3DDkShadow));

    // Tracks: the checkerboard, and a solid brush again afterwards.
    TPaintSurface track(8, 8, clFuchsia);
    standardPainter->DrawScrollBarElement(track.Canvas(), track.Bounds(), cxbsNormal, false, sbpPageDown);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(track.At(x, y), RgbColor((x + y) % 2 ? clBtnHighlight : clBtnFace)) << x << "," << y;
    track.Canvas()->FillRectWithColor(track.Bounds(), clRed);
    EXPECT_EQ(track.Count(clRed), 64);
}

TEST(cxStandardPainter, HeaderBevelsJoinTheirNeighbours) {
    struct Case {
        TcxNeighbors neighbors;
        TColor leftTop1, leftBottom2, rightTop, rightTop1, rightBottom2;
    } cases[] = {
        {{}, clBtnHighlight, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnShadow},
        {{nLeft}, clBtnFace, clBtnFace, clBtnShadow, clBtnShadow, clBtnShadow},
        {{nRight}, clBtnHighlight, clBtnHighlight, clBtnHighlight, clBtnFace, clBtnFace},
    };
    for (const Case& c : cases) {
        TPaintSurface s(20, 10, clFuchsia);
        standardPainter->DrawHeaderCellBorder(s.Canvas(), s.Bounds(), c.neighbors, cxBordersAll);
        int n = int(c.neighbors.Bits());
        EXPECT_EQ(s.At(0, 1), RgbColor(c.leftTop1)) << n;
        EXPECT_EQ(s.At(0, 8), RgbColor(c.leftBottom2)) << n;
        EXPECT_EQ(s.At(19, 0), RgbColor(c.rightTop)) << n;
        EXPECT_EQ(s.At(19, 1), RgbColor(c.rightTop1)) << n;
        EXPECT_EQ(s.At(19, 8), RgbColor(c.rightBottom2)) << n;
        EXPECT_EQ(s.At(10, 5), RgbColor(clFuchsia)) << n;
    }
}

// Plus/minus buttons take themselves out of the clip, so that tree lines drawn later pass behind.
TEST(cxStandardPainter, PlusMinusButtonStaysOutOfLaterDrawing) {
    TPaintSurface s(20, 20, clFuchsia);
    standardPainter->DrawPlusMinusButton(s.Canvas(), TRect{4, 4, 16, 16}, clDefault, false);
    EXPECT_EQ(s.At(4, 10), RgbColor(clBtnHighlight));
    EXPECT_EQ(s.At(15, 10), RgbColor(cl3DDkShadow));
    EXPECT_EQ(s.At(14, 10), RgbColor(clBtnShadow));
    EXPECT_EQ(s.At(9, 9), RgbColor(clBtnText));  // the cross
    EXPECT_EQ(s.At(9, 7), RgbColor(clBtnText));  // its vertical bar: collapsed
    s.Canvas()->FillRectWithColor(s.Bounds(), clRed);
    EXPECT_EQ(s.Count(clRed), 20 * 20 - 12 * 12);
}

}  // namespace
