// Panels on real forms: frame widths, fills, grid, caption placement, child layout, the memory
// of children's enabled states, and the form description of their settings.

#include <gtest/gtest.h>

#include <memory>

#include "ControlSnapshot.h"
#include "ControlsUnits.h"
#include "FormDescription.h"
#include "RzPanel.h"
#include "WindowTesting.h"

namespace {

class PanelTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(300, 200));
        form->SetColor(clLime);
        panel = new TRzCustomPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(10, 10, 100, 60);
        panel->SetColor(clRed);
        PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    std::unique_ptr<TForm> form;
    TRzCustomPanel* panel = nullptr;
};

TColor Rgb(TColor c) { return TColor(ColorToRGB(c)); }
bool SameRect(const TRect& a, const TRect& b) { return EqualRect(&a, &b); }

}  // namespace

TEST_F(PanelTest, FrameWidthsFollowStylesAndSides) {
    struct Case {
        TFrameStyleEx outer, inner;
        TSides sides;
        int border, left, top, right, bottom;
    } cases[] = {
        {fsRaised, fsNone, TSides{sdLeft, sdTop}, 0, 2, 2, 0, 0},
        {fsFlat, fsNone, sdAllSides, 0, 1, 1, 1, 1},
        {fsNone, fsNone, sdAllSides, 0, 0, 0, 0, 0},
        {fsGroove, fsFlat, TSides{sdRight, sdBottom}, 0, 0, 0, 3, 3},
        {fsStatus, fsPopup, sdAllSides, 0, 2, 2, 2, 2},  // bevel width 1 each
        {fsFlatRounded, fsNone, sdAllSides, 3, 5, 5, 5, 5},
    };
    for (const Case& c : cases) {
        panel->SetBorderOuter(c.outer);
        panel->SetBorderInner(c.inner);
        panel->SetBorderSides(c.sides);
        panel->SetBorderWidth(c.border);
        TRect r{0, 0, 100, 60};
        panel->AdjustRectForBorders(r, true);
        EXPECT_EQ(r.left, c.left) << int(c.outer);
        EXPECT_EQ(r.top, c.top) << int(c.outer);
        EXPECT_EQ(100 - r.right, c.right) << int(c.outer);
        EXPECT_EQ(60 - r.bottom, c.bottom) << int(c.outer);
    }
}

TEST_F(PanelTest, RaisedFrameOnTwoSidesLeavesTheOthersToTheFill) {
    panel->SetBorderSides(TSides{sdLeft, sdTop});
    TControlSnapshot shot(panel);
    EXPECT_NE(shot.Pixel(0, 30), Rgb(clRed));
    EXPECT_NE(shot.Pixel(1, 30), Rgb(clRed));
    EXPECT_NE(shot.Pixel(50, 1), Rgb(clRed));
    EXPECT_EQ(shot.Pixel(2, 30), Rgb(clRed));
    EXPECT_EQ(shot.Pixel(99, 30), Rgb(clRed));
    EXPECT_EQ(shot.Pixel(50, 59), Rgb(clRed));
}

TEST_F(PanelTest, GradientRunsFromStartColourAtTheTopToStopAtTheBottom) {
    panel->SetBorderOuter(fsNone);
    panel->SetVisualStyle(vsGradient);
    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(clWhite);
    panel->SetGradientColorStop(clBlack);
    TControlSnapshot shot(panel);
    TColor top = shot.Pixel(50, 0), middle = shot.Pixel(50, 30), bottom = shot.Pixel(50, 59);
    EXPECT_GT(GetRValue(top), 230);
    EXPECT_LT(GetRValue(bottom), 25);
    EXPECT_GT(GetRValue(top), GetRValue(middle));
    EXPECT_GT(GetRValue(middle), GetRValue(bottom));
    // Along a row the colour is the same.
    EXPECT_EQ(shot.Pixel(5, 30), shot.Pixel(95, 30));
}

TEST_F(PanelTest, GridDotsAndLines) {
    panel->SetBorderOuter(fsNone);
    panel->SetShowGrid(true);
    panel->SetGridColor(clBlue);
    {
        TControlSnapshot shot(panel);
        EXPECT_EQ(shot.Pixel(7, 7), Rgb(clBlue));
        EXPECT_EQ(shot.Pixel(15, 23), Rgb(clBlue));
        EXPECT_EQ(shot.Pixel(8, 7), Rgb(clRed));
        EXPECT_EQ(shot.Pixel(7, 8), Rgb(clRed));
    }
    panel->SetGridStyle(2);
    {
        TControlSnapshot shot(panel);
        for (int y : {0, 1, 2, 30}) EXPECT_EQ(shot.Pixel(7, y), Rgb(clBlue)) << y;
    }
    panel->SetGridStyle(1);
    {
        TControlSnapshot shot(panel);
        EXPECT_EQ(shot.Pixel(7, 0), Rgb(clRed));
        EXPECT_EQ(shot.Pixel(7, 1), Rgb(clBlue));
        EXPECT_EQ(shot.Pixel(7, 2), Rgb(clRed));
        EXPECT_EQ(shot.Pixel(7, 3), Rgb(clBlue));
    }
    // A zero size draws no lines of that direction and must not divide by zero.
    panel->SetGridXSize(0);
    TControlSnapshot shot(panel);
    EXPECT_EQ(shot.Pixel(7, 30), Rgb(clRed));
}

TEST_F(PanelTest, RoundedFrameCornersTakeTheFrameColour) {
    panel->SetBorderOuter(fsFlatRounded);
    panel->SetFlatColor(clBlue);
    panel->SetFlatColorAdjustment(0);
    TControlSnapshot shot(panel);
    // The rounded frame leaves its corner pixel open; the fill marks it in the frame colour.
    EXPECT_EQ(shot.Pixel(1, 1), Rgb(clBlue));
    EXPECT_EQ(shot.Pixel(98, 58), Rgb(clBlue));
    EXPECT_EQ(shot.Pixel(50, 30), Rgb(clRed));
}

TEST_F(PanelTest, TransparentPanelShowsItsParentAndKeepsItsFrame) {
    panel->SetTransparent(true);
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(clBlue);
    panel->SetFlatColorAdjustment(0);
    TControlSnapshot shot(panel);
    EXPECT_EQ(shot.Pixel(50, 30), Rgb(clLime));
    EXPECT_EQ(shot.Pixel(0, 30), Rgb(clBlue));
}

TEST_F(PanelTest, CaptionFollowsVerticalAlignment) {
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clWhite);
    panel->SetHeight(100);
    panel->Font()->SetColor(clBlack);
    panel->SetCaption(L"Hg");
    panel->SetAlignmentVertical(avTop);
    {
        TControlSnapshot shot(panel);
        auto rows = shot.RowsWith(clBlack);
        ASSERT_FALSE(rows.empty());
        EXPECT_LT(rows.back(), 30);
    }
    panel->SetAlignmentVertical(avBottom);
    {
        TControlSnapshot shot(panel);
        auto rows = shot.RowsWith(clBlack);
        ASSERT_FALSE(rows.empty());
        EXPECT_GT(rows.front(), 70);
    }
    // In a panel shorter than the text the caption still starts at the top margin.
    panel->SetHeight(6);
    panel->SetTextMarginVertical(0);
    TControlSnapshot shot(panel);
    EXPECT_FALSE(shot.RowsWith(clBlack).empty());
}

TEST_F(PanelTest, DisabledPanelDrawsItsCaptionGray) {
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clWhite);
    panel->Font()->SetColor(clBlack);
    panel->SetCaption(L"Hg");
    panel->SetEnabled(false);
    TControlSnapshot shot(panel);
    EXPECT_TRUE(shot.RowsWith(clBlack).empty());
    EXPECT_FALSE(shot.RowsWith(Rgb(clGrayText)).empty());
}

TEST_F(PanelTest, ChildrenAlignInsideTheFrameAndBorderWidth) {
    auto* child = new TRzCustomPanel(form.get());
    child->SetParent(panel);
    child->SetAlign(alClient);
    panel->SetBorderWidth(3);  // plus the raised frame's 2
    PumpUntilIdle();
    EXPECT_TRUE(SameRect(child->BoundsRect(), TRect{5, 5, 95, 55}));
    panel->SetBorderSides(TSides{sdLeft});
    PumpUntilIdle();
    EXPECT_TRUE(SameRect(child->BoundsRect(), TRect{5, 3, 97, 57}));
}

TEST_F(PanelTest, EnablingRestoresEachChildsOwnState) {
    auto* on = new TRzCustomPanel(form.get());
    on->SetParent(panel);
    auto* off = new TRzCustomPanel(form.get());
    off->SetParent(panel);
    off->SetEnabled(false);
    panel->SetEnabled(false);
    EXPECT_FALSE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
    EXPECT_FALSE(IsWindowEnabled(on->Handle()));
    // A child added while the panel is disabled is enabled again with it.
    auto* late = new TRzCustomPanel(form.get());
    late->SetParent(panel);
    panel->SetEnabled(true);
    EXPECT_TRUE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
    EXPECT_TRUE(late->Enabled());
    EXPECT_TRUE(IsWindowEnabled(on->Handle()));
}

TEST_F(PanelTest, BottomAndRightAlignedPanelsKeepTheirFarEdge) {
    panel->SetAlign(alBottom);
    panel->SetHeight(40);
    PumpUntilIdle();
    EXPECT_EQ(panel->Top() + panel->Height(), 200);
    panel->SetHeight(70);
    EXPECT_EQ(panel->Top(), 130);
    EXPECT_EQ(panel->Height(), 70);

    auto* side = new TRzCustomPanel(form.get());
    side->SetParent(form.get());
    side->SetAlign(alRight);
    side->SetWidth(50);
    PumpUntilIdle();
    int right = side->Left() + side->Width();
    side->SetWidth(80);
    EXPECT_EQ(side->Left() + side->Width(), right);
}

TEST_F(PanelTest, FreedFrameControllerIsForgotten) {
    auto* fc = new TRzFrameController(form.get());
    fc->SetFrameVisible(true);
    fc->SetFrameStyle(fsGroove);
    panel->SetFrameController(fc);
    EXPECT_EQ(panel->BorderOuter(), fsGroove);
    fc->SetFrameColor(clBlue);
    EXPECT_EQ(panel->FlatColor(), clBlue);
    EXPECT_EQ(panel->FlatColorAdjustment(), 0);
    delete fc;
    EXPECT_EQ(panel->FrameController(), nullptr);
    panel->Repaint();
}

TEST(PanelDescription, SettingsSurviveARoundTripAndOldSettingsAreRead) {
    InitializeControlsUnits();
    TRzCustomPanel original(nullptr);
    original.SetName(L"P");
    original.SetBorderOuter(fsLowered);
    original.SetBorderInner(fsFlatRounded);
    original.SetBorderSides(TSides{sdTop, sdRight});
    original.SetBorderWidth(4);
    original.SetGridXSize(5);
    original.SetGridStyle(2);
    original.SetShowGrid(true);
    original.SetVisualStyle(vsGradient);
    original.SetGradientColorStyle(gcsCustom);
    original.SetGradientColorStart(clRed);
    original.SetGradientDirection(gdVerticalCenter);
    original.SetTransparent(true);
    original.SetAlignmentVertical(avBottom);
    original.SetAlignment(taLeftJustify);
    original.SetWordWrap(false);
    original.SetTextMargin(3);
    original.SetFlatColorAdjustment(-10);
    original.SetCaption(L"Hello");
    AnsiString text = WriteComponentToText(&original);
    TRzCustomPanel copy(nullptr);
    ReadComponentFromText(text, &copy);
    EXPECT_EQ(WriteComponentToText(&copy), text);
    EXPECT_EQ(copy.BorderSides(), (TSides{sdTop, sdRight}));
    EXPECT_EQ(copy.BorderInner(), fsFlatRounded);
    EXPECT_EQ(copy.GradientDirection(), gdVerticalCenter);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.Caption(), L"Hello");
    EXPECT_EQ(text.find("FullRepaint"), std::string::npos) << text;

    TRzCustomPanel old(nullptr);
    ReadComponentFromText(
        "object P: TRzCustomPanel\n"
        "  FrameSides = sdAllSides\n"
        "  ThemeAware = False\n"
        "  UseGradients = True\n"
        "end\n",
        &old);
    EXPECT_EQ(old.VisualStyle(), vsGradient);
    EXPECT_EQ(WriteComponentToText(&old).find("UseGradients"), std::string::npos);
}
