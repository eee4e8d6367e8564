// The status bar's painters by their pixels: the standard, flat and Office-style looks, the size
// grip, a container showing the bar behind it; the choice of painter by paint style and
// look-and-feel; and the visual-style painter through the recording stand-in of the library.

#include <gtest/gtest.h>

#include "../RecordingVisualStyles.h"
#include "StatusBarTesting.h"
#include "dxOffice11.h"
#include "dxStatusBarContainerPanel.h"
#include "dxStatusBarKeyboardStatePanel.h"
#include "dxStatusBarTextPanel.h"

namespace {

class StatusBarPainters : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        bar->SetColor(clYellow);  // told apart from the system's colours
        bar->SetSizeGrip(false);
    }
    TColor Yellow() const { return RgbColor(clYellow); }
    // Three panels: lowered, raised and without a bevel.
    struct TBevelledPanels {
        TdxStatusBarPanel *lowered, *raised, *plain;
    };
    TBevelledPanels AddBevelledPanels() {
        TBevelledPanels panels{AddPanel(100), AddPanel(100), AddPanel(100)};
        panels.raised->SetBevel(dxpbRaised);
        panels.plain->SetBevel(dxpbNone);
        return panels;
    }
};

TEST_F(StatusBarPainters, StandardPanelsSitBelowTheIndentWithOnePixelEdges) {
    const TBevelledPanels panels = AddBevelledPanels();
    TControlSnapshot s(bar);
    for (int x = 0; x < 400; x += 7) {
        ASSERT_EQ(s.Pixel(x, 0), Yellow()) << x;
        ASSERT_EQ(s.Pixel(x, 1), Yellow()) << x;
    }
    // Lowered: shadow above and left, highlight below and right; then the panel's colour.
    EXPECT_EQ(s.Pixel(0, 2), RgbColor(clBtnShadow));
    EXPECT_EQ(s.Pixel(50, 2), RgbColor(clBtnShadow));
    EXPECT_EQ(s.Pixel(0, 10), RgbColor(clBtnShadow));
    EXPECT_EQ(s.Pixel(101, 10), RgbColor(clBtnHighlight));
    EXPECT_EQ(s.Pixel(50, 19), RgbColor(clBtnHighlight));
    EXPECT_EQ(s.Pixel(1, 3), Yellow());
    // The separator is the bar's colour.
    EXPECT_EQ(s.Pixel(102, 10), Yellow());
    EXPECT_EQ(s.Pixel(103, 10), Yellow());
    // Raised: the other way round.
    EXPECT_EQ(s.Pixel(104, 2), RgbColor(clBtnHighlight));
    EXPECT_EQ(s.Pixel(205, 19), RgbColor(clBtnShadow));
    // No bevel: the panel's colour to its edge.
    const TRect r = PanelRect(panels.plain);
    EXPECT_EQ(s.Pixel(r.left, r.top), Yellow());

    // A border width frames the panels in the bar's colour.
    bar->SetBorderWidth(3);
    TControlSnapshot framed(bar);
    EXPECT_EQ(framed.Pixel(1, 4), Yellow());
    EXPECT_EQ(framed.Pixel(3, 5), RgbColor(clBtnShadow)) << "the first panel starts inside the frame";
    EXPECT_EQ(framed.Pixel(398, 18), Yellow());
}

TEST_F(StatusBarPainters, FlatBevelsAreOneShadowFrame) {
    bar->SetPaintStyle(dxspsFlat);
    const TBevelledPanels panels = AddBevelledPanels();
    TControlSnapshot s(bar);
    for (TdxStatusBarPanel* panel : {panels.lowered, panels.raised}) {
        const TRect r = PanelRect(panel);
        EXPECT_EQ(s.Pixel(r.left, r.top), RgbColor(clBtnShadow));
        EXPECT_EQ(s.Pixel(r.right - 1, r.bottom - 1), RgbColor(clBtnShadow));
        EXPECT_EQ(s.Pixel(r.left + 1, r.top + 1), Yellow());
    }
    EXPECT_EQ(s.Pixel(PanelRect(panels.plain).left, PanelRect(panels.plain).top), Yellow());
}

TEST_F(StatusBarPainters, TheOfficeStyleFramesThePanelsWithItsGradient) {
    bar->SetPaintStyle(dxspsOffice11);
    TdxStatusBarPanel* panel = AddPanel(100);
    AddPanel(100);
    const TRect r = PanelRect(panel);
    EXPECT_TRUE(SameRect(r, TRect{1, 1, 103, 19})) << "one pixel in on every side, the top indent ignored";
    TControlSnapshot s(bar);
    const TColor frame = MixColorsByPercent(Office11Colors().HeaderDarkColor, clBlack, 90);
    EXPECT_EQ(s.Pixel(r.left, r.top + 5), frame);
    EXPECT_EQ(s.Pixel(r.right - 1, r.top + 5), frame);
    EXPECT_EQ(s.Pixel(r.left + 5, r.bottom - 1), frame);
    // The gradient runs top to bottom behind everything: each row has one colour outside the
    // panels' frames, and the panels' insides show it too.
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(s.Pixel(0, y), s.Pixel(399, y)) << y;
        if (y > r.top && y < r.bottom - 1) EXPECT_EQ(s.Pixel(r.left + 5, y), s.Pixel(0, y)) << y;
    }
    EXPECT_NE(s.Pixel(0, 0), s.Pixel(0, 19));
    EXPECT_NE(s.Pixel(0, 0), Yellow());
    // The border width is ignored.
    bar->SetBorderWidth(4);
    TControlSnapshot framed(bar);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 400; x += 3) ASSERT_EQ(framed.Pixel(x, y), s.Pixel(x, y)) << x << ", " << y;
}

TEST_F(StatusBarPainters, KeyboardStatePanelsFrameEachKeyInsteadOfThePanel) {
    struct Case {
        TdxStatusBarPaintStyle paintStyle;
        TColor frame;
    } cases[] = {
        {dxspsStandard, RgbColor(clBtnShadow)},
        {dxspsFlat, RgbColor(clBtnShadow)},
        {dxspsOffice11, MixColorsByPercent(Office11Colors().HeaderDarkColor, clBlack, 90)},
    };
    for (const Case& c : cases) {
        bar->Panels()->Clear();
        bar->SetPaintStyle(c.paintStyle);
        TdxStatusBarPanel* keys = AddPanel(50, true, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
        AddPanel(50);
        static_cast<TdxStatusBarKeyboardStatePanelStyle*>(keys->PanelStyle())
            ->SetKeyboardStates({dxksCapsLock, dxksNumLock});
        TControlSnapshot s(bar);
        const TRect r = PanelRect(keys);
        // The separator after the panel shows the bar as it is behind the panels.
        auto showsTheBar = [&](int x, int y) { return s.Pixel(x, y) == s.Pixel(r.right, y); };
        // The first key's box: its frame on the left, the panel's background inside it.
        for (int y = r.top; y < r.bottom - 1; ++y)
            EXPECT_EQ(s.Pixel(r.left, y), c.frame) << int(c.paintStyle) << ", " << y;
        EXPECT_TRUE(showsTheBar(r.left + 2, r.top + 2)) << int(c.paintStyle);
        // Between the two boxes a column shows the bar from top to bottom: no panel bevel crosses it.
        int column = -1;
        for (int x = r.left + 1; x < r.right - 1 && column < 0; ++x) {
            bool whole = true;
            for (int y = r.top; y < r.bottom && whole; ++y) whole = showsTheBar(x, y);
            if (whole) column = x;
        }
        EXPECT_NE(column, -1) << int(c.paintStyle);
    }
}

// ---- the size grip -------------------------------------------------------------------------

TEST_F(StatusBarPainters, TheStandardGripIsDrawnOverTheBarsColour) {
    bar->SetSizeGrip(true);
    AddPanel(50);
    ASSERT_TRUE(bar->SizeGripVisible());
    TControlSnapshot s(bar);
    // Inside the border area less one pixel: the grip's square ends at (399, 19).
    const TRect grip{399 - 16, 19 - 16, 399, 19};
    int shadow = 0, highlight = 0, face = 0;
    for (int y = grip.top; y < grip.bottom; ++y)
        for (int x = grip.left; x < grip.right; ++x) {
            shadow += s.Pixel(x, y) == RgbColor(clBtnShadow);
            highlight += s.Pixel(x, y) == RgbColor(clBtnHighlight);
            face += s.Pixel(x, y) == RgbColor(clBtnFace);
        }
    EXPECT_GT(shadow, 5);
    EXPECT_GT(highlight, 5);
    EXPECT_EQ(face, 0) << "the grip's face is transparent";
    // The margin at the corner stays the bar's: the last panel's edge does not cross it.
    for (int x = 399 - 12; x <= 399; ++x) EXPECT_EQ(s.Pixel(x, 19), Yellow()) << x;
    for (int y = 19 - 12; y < 19; ++y) EXPECT_EQ(s.Pixel(399, y), Yellow()) << y;
    // Left of the grip the last panel's bottom edge runs on.
    EXPECT_EQ(s.Pixel(300, 19), RgbColor(clBtnHighlight));
}

TEST_F(StatusBarPainters, TheOfficeGripDrawsItsDotsOnlyInTheCorner) {
    bar->SetPaintStyle(dxspsOffice11);
    AddPanel(50);
    TControlSnapshot without(bar);
    bar->SetSizeGrip(true);
    TControlSnapshot with(bar);
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 400; ++x)
            if (with.Pixel(x, y) != without.Pixel(x, y)) {
                ++changed;
                EXPECT_GE(x, 399 - 16) << x << ", " << y;
            }
    EXPECT_GT(changed, 6);
}

// ---- containers ----------------------------------------------------------------------------

TEST_F(StatusBarPainters, AContainerShowsTheBarBehindIt) {
    bar->SetPaintStyle(dxspsOffice11);
    TdxStatusBarPanel* panel = AddPanel(100, true, TdxStatusBarContainerPanelStyle::StaticClass());
    AddPanel(50);
    TdxStatusBarContainerControl* container =
        static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container();
    TControlSnapshot barPixels(bar);  // places the container
    TControlSnapshot containerPixels(container);
    ASSERT_GT(container->Height(), 4);
    for (int y = 0; y < container->Height(); ++y)
        EXPECT_EQ(containerPixels.Pixel(2, y), barPixels.Pixel(container->Left() + 2, container->Top() + y)) << y;

    // In the standard look the panel's own colour fills it.
    bar->SetPaintStyle(dxspsStandard);
    static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->SetColor(clAqua);
    TControlSnapshot aqua(container);
    EXPECT_EQ(aqua.Pixel(2, 2), RgbColor(clAqua));
}

// ---- the choice of painter -----------------------------------------------------------------

TEST_F(StatusBarPainters, PaintStyleTwoFallsBackToStandardWithoutVisualStyles) {
    ASSERT_FALSE(AreThemesAvailable(ThemedTypes({totStatus}))) << "the prefix runs with visual styles off";
    bar->SetPaintStyle(dxspsThemed);
    EXPECT_FALSE(bar->ThemeAvailable());
    EXPECT_EQ(bar->Painter(), TdxStatusBarStandardPainter::Instance());
}

TEST_F(StatusBarPainters, PaintStyleFourFollowsTheLookAndFeel) {
    bar->SetPaintStyle(dxspsLookAndFeel);
    const std::pair<TcxLookAndFeelKind, TdxStatusBarPainterClass> kinds[] = {
        {lfFlat, TdxStatusBarStandardPainter::Instance()},
        {lfStandard, TdxStatusBarStandardPainter::Instance()},
        {lfUltraFlat, TdxStatusBarFlatPainter::Instance()},
        {lfOffice11, TdxStatusBarOffice11Painter::Instance()},
    };
    for (const auto& [kind, painter] : kinds) {
        bar->LookAndFeel()->SetKind(kind);
        EXPECT_EQ(bar->Painter(), painter) << int(kind);
    }
    // Native style without visual styles goes by the kind.
    bar->LookAndFeel()->SetNativeStyle(true);
    EXPECT_EQ(bar->Painter(), TdxStatusBarOffice11Painter::Instance());
    {
        TRecordingVisualStyles styles;
        EXPECT_EQ(bar->Painter(), TdxStatusBarXPPainter::Instance()) << "the theme change reached the bar";
        bar->LookAndFeel()->SetNativeStyle(false);
        EXPECT_EQ(bar->Painter(), TdxStatusBarOffice11Painter::Instance());
        bar->LookAndFeel()->SetNativeStyle(true);
    }
    EXPECT_EQ(bar->Painter(), TdxStatusBarOffice11Painter::Instance());
}

TEST_F(StatusBarPainters, TheVisualStylePainterDrawsTheStatusParts) {
    TRecordingVisualStyles styles;
    bar->SetPaintStyle(dxspsThemed);
    ASSERT_EQ(bar->Painter(), TdxStatusBarXPPainter::Instance());
    bar->SetSizeGrip(true);
    AddPanel(50);
    AddPanel(50);
    AddPanel(50);
    // The stand-in's parts are 13 x 13: the separators and the grip take their size.
    EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{52, 13, 52, 13, 270}));
    EXPECT_EQ(bar->Panels()->Items(2)->GetCalculatedWidth(), 52 + 13);
    TRecordingVisualStyles::Take();
    TControlSnapshot s(bar);
    const std::vector<TThemeDraw> drawn = TRecordingVisualStyles::Take();
    const std::vector<TThemeDraw> expected = {
        {L"Status", 0, 0}, {L"Status", 3, 0}, {L"Status", 1, 0}, {L"Status", 1, 0}};
    EXPECT_EQ(drawn, expected);
}

}  // namespace
