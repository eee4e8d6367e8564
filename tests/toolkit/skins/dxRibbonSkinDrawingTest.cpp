// The drawing operations of a colour scheme, read back from 32-bit DIB sections: which parts
// go where (frame, caption, caption buttons, quick access toolbar, buttons, status bar), what
// draws nothing, and the flat low-colour forms.
#include <gtest/gtest.h>

#include "../ToolkitTestSupport.h"
#include "SkinTestSupport.h"
#include "cxDWMApi.h"
#include "dxOffice11.h"

namespace {

HRESULT WINAPI DrawingCompositionOn(BOOL* enabled) {
    *enabled = TRUE;
    return S_OK;
}

constexpr DWORD kBackground = 0xFF808080;

DWORD Sys(int index) {
    const COLORREF c = GetSysColor(index);
    return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
}

class dxRibbonSkinDrawing : public testing::Test {
protected:
    static void SetUpTestSuite() { scheme_ = NewScheme<TdxBlueRibbonSkin>().release(); }
    static void TearDownTestSuite() {
        delete scheme_;
        scheme_ = nullptr;
    }
    void TearDown() override { scheme_->SetLowColor(false); }

    TdxSkinnedRect* Part(TdxRibbonPartGroup group, int entry) {
        return scheme_->Parts(scheme_->PartIndex(group, entry));
    }

    // True when the DIB shows, inside r, exactly what the part drawn alone into r shows.
    testing::AssertionResult ShowsPart(const TSkinDib& dib, const TRect& r, TdxRibbonPartGroup group, int entry) {
        TSkinDib alone(dib.Width(), dib.Height(), kBackground);
        Part(group, entry)->Draw(alone.DC(), r);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (dib.Pixel(x, y) != alone.Pixel(x, y))
                    return testing::AssertionFailure()
                           << RibbonPartRow(group).name << " " << entry << " differs at " << x << ", " << y;
        return testing::AssertionSuccess();
    }

    static FormPaintData Form(int width, int height, bool active, Byte borderStyle = 2, Byte windowState = 0) {
        FormPaintData data{};
        data.IsActive = active;
        data.FormBounds = TRect{0, 0, width, height};
        data.BorderStyle = borderStyle;
        data.WindowState = windowState;
        return data;
    }

    static TdxCustomRibbonSkin* scheme_;
};

TdxCustomRibbonSkin* dxRibbonSkinDrawing::scheme_ = nullptr;

TEST_F(dxRibbonSkinDrawing, AThinBottomBorderRunsBetweenTheSides) {
    TSkinDib dib(100, 80, kBackground);
    const FormPaintData data = Form(100, 80, true);
    scheme_->DrawFormBorders(dib.DC(), TRect{4, 0, 4, 1}, 30, data);
    EXPECT_TRUE(ShowsPart(dib, TRect{4, 79, 96, 80}, rpgFormBorderBottomThin, 0));
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 4, 30}, rpgFormBorderTopLeft, 0));
    EXPECT_TRUE(ShowsPart(dib, TRect{96, 0, 100, 30}, rpgFormBorderTopRight, 0));
    // A sizeable frame's sides stop one pixel short of the bottom.
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 30, 4, 79}, rpgFormBorderLeft, 0));
    EXPECT_TRUE(ShowsPart(dib, TRect{96, 30, 100, 79}, rpgFormBorderRight, 0));
    EXPECT_EQ(dib.Pixel(1, 79), kBackground);
    EXPECT_EQ(dib.Pixel(50, 50), kBackground);
}

TEST_F(dxRibbonSkinDrawing, AWideBottomBorderIsDrawnAndClippedAway) {
    TSkinDib dib(100, 80, kBackground);
    scheme_->DrawFormBorders(dib.DC(), TRect{4, 0, 4, 4}, 30, Form(100, 80, false));
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 76, 100, 80}, rpgFormBorderBottom, 1));
    FillRectSolid(dib.DC(), TRect{0, 0, 100, 80}, clRed);  // later drawing leaves the band alone
    SelectClipRgn(dib.DC(), nullptr);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 76, 100, 80}, rpgFormBorderBottom, 1));
    EXPECT_EQ(dib.Rgb(50, 75), 0xFF0000u);

    // A dialog frame has its own bottom and sides down to the last row.
    TSkinDib dialog(100, 80, kBackground);
    scheme_->DrawFormBorders(dialog.DC(), TRect{4, 0, 4, 4}, 30, Form(100, 80, true, 3));
    SelectClipRgn(dialog.DC(), nullptr);
    EXPECT_TRUE(ShowsPart(dialog, TRect{0, 76, 100, 80}, rpgDialogBorderBottom, 0));
}

TEST_F(dxRibbonSkinDrawing, TheCaptionFollowsTheWindowState) {
    TSkinDib normal(120, 30), maximized(120, 30), minimized(120, 30);
    scheme_->DrawFormCaption(normal.DC(), TRect{0, 0, 120, 30}, Form(120, 200, false));
    scheme_->DrawFormCaption(maximized.DC(), TRect{0, 0, 120, 30}, Form(120, 200, true, 2, 2));
    scheme_->DrawFormCaption(minimized.DC(), TRect{0, 0, 120, 30}, Form(120, 30, true, 2, 1));
    EXPECT_TRUE(ShowsPart(normal, TRect{0, 0, 120, 30}, rpgFormCaption, 1));
    EXPECT_TRUE(ShowsPart(maximized, TRect{0, 0, 120, 30}, rpgFormCaptionMaximized, 0));
    EXPECT_TRUE(ShowsPart(minimized, TRect{0, 0, 120, 29}, rpgFormCaption, 0));
    EXPECT_TRUE(ShowsPart(minimized, TRect{0, 29, 120, 30}, rpgFormBorderBottomThin, 0));
}

TEST_F(dxRibbonSkinDrawing, CaptionButtonsShowTheirBackgroundOnlyWhenHotOrPressed) {
    const TRect r{0, 0, 25, 25};
    const TRect glyph{8, 9, 17, 18};  // 9 x 9, centred, one pixel low
    struct TCase {
        int state, background, glyphImage;
    };
    const TCase cases[] = {{0, -1, 0}, {1, 0, 1}, {2, 1, 2}, {3, -1, 3}, {4, 2, 3}};
    for (const TCase& c : cases) {
        TSkinDib dib(25, 25, kBackground);
        scheme_->DrawFormBorderIcon(dib.DC(), r, rbiClose, c.state);
        if (c.background < 0) {
            EXPECT_EQ(dib.Pixel(12, 3), kBackground) << "state " << c.state;
            TSkinDib glyphOnly(25, 25, kBackground);
            Part(rpgBorderIconClose, c.glyphImage)->Draw(glyphOnly.DC(), glyph);
            EXPECT_EQ(dib.Pixels(), glyphOnly.Pixels()) << "state " << c.state;
        } else {
            TSkinDib expected(25, 25, kBackground);
            Part(rpgBorderIconBackground, c.background)->Draw(expected.DC(), r);
            Part(rpgBorderIconClose, c.glyphImage)->Draw(expected.DC(), glyph);
            EXPECT_EQ(dib.Pixels(), expected.Pixels()) << "state " << c.state;
        }
    }
}

TEST_F(dxRibbonSkinDrawing, TheQuickAccessToolbarNeedsTwiceItsHalfHeight) {
    TSkinDib dib(60, 24, kBackground);
    scheme_->DrawQuickAccessToolbar(dib.DC(), TRect{0, 0, 20, 24}, false, true, true, true, false);
    EXPECT_FALSE(dib.ChangedFrom(kBackground));
    scheme_->DrawQuickAccessToolbar(dib.DC(), TRect{0, 0, 24, 24}, false, true, true, true, false);
    EXPECT_TRUE(dib.ChangedFrom(kBackground));
}

TEST_F(dxRibbonSkinDrawing, TheQuickAccessToolbarInTheCaptionTakesGlassOnlyWithComposition) {
    const FARPROC saved = SetDwmEntry("DwmIsCompositionEnabled", AsProc(&DrawingCompositionOn));
    TSkinDib glass(80, 26, kBackground), noGlass(80, 26, kBackground), inactive(80, 26, kBackground);
    scheme_->DrawQuickAccessToolbar(glass.DC(), TRect{0, 0, 80, 26}, false, true, true, true, false);
    scheme_->DrawQuickAccessToolbar(noGlass.DC(), TRect{0, 0, 80, 26}, false, true, false, true, true);
    scheme_->DrawQuickAccessToolbar(inactive.DC(), TRect{0, 0, 80, 26}, false, true, false, false, true);
    SetDwmEntry("DwmIsCompositionEnabled", saved);
    // The left end: (left, top + 3, left + 15 or 7, bottom - 4), one pixel lower in the caption;
    // the body from there to right - height / 2.
    EXPECT_TRUE(ShowsPart(glass, TRect{0, 4, 15, 23}, rpgQATGlassAppButtonEnd, 0));
    EXPECT_TRUE(ShowsPart(glass, TRect{15, 4, 67, 23}, rpgQATGlassBody, 0));
    EXPECT_TRUE(ShowsPart(noGlass, TRect{0, 4, 7, 23}, rpgQATCaptionLeftEnd, 0));
    EXPECT_TRUE(ShowsPart(noGlass, TRect{7, 4, 67, 23}, rpgQATCaptionBody, 0));
    EXPECT_TRUE(ShowsPart(inactive, TRect{7, 4, 67, 23}, rpgQATCaptionBody, 1));
    EXPECT_EQ(noGlass.Pixel(70, 10), kBackground);

    TSkinDib below(80, 26, kBackground);
    scheme_->DrawQuickAccessToolbar(below.DC(), TRect{0, 0, 80, 26}, true, false, true, true, false);
    EXPECT_TRUE(ShowsPart(below, TRect{0, 0, 80, 26}, rpgQATBelowBackground, 0));
}

TEST_F(dxRibbonSkinDrawing, ButtonsDrawNothingWhenNormalOrDisabled) {
    for (bool lowColor : {false, true}) {
        scheme_->SetLowColor(lowColor);
        for (int state = 0; state < 9; ++state) {
            TSkinDib dib(30, 24, kBackground);
            scheme_->DrawButton(dib.DC(), TRect{2, 1, 28, 23}, state);
            EXPECT_EQ(dib.ChangedFrom(kBackground), state >= 2) << "state " << state << " low colour " << lowColor;
        }
    }
}

TEST_F(dxRibbonSkinDrawing, ALoweredPanelLooksLikeTheStatusBar) {
    const TRect r{0, 0, 60, 22};
    TSkinDib bar(60, 22), lowered(60, 22), raised(60, 22);
    scheme_->DrawStatusBar(bar.DC(), r);
    scheme_->DrawStatusBarPanel(lowered.DC(), TRect{100, 0, 160, 22}, r, true);
    scheme_->DrawStatusBarPanel(raised.DC(), TRect{100, 0, 160, 22}, r, false);
    EXPECT_EQ(lowered.Pixels(), bar.Pixels());
    EXPECT_NE(raised.Pixels(), bar.Pixels());
    EXPECT_TRUE(ShowsPart(raised, r, rpgStatusBarPanelRaised, 0));
}

TEST_F(dxRibbonSkinDrawing, PicksTheStateImageOfEachElement) {
    TSkinDib dib(40, 90, kBackground);
    // A disabled collapsed group shows its normal image.
    dib.Fill(kBackground);
    scheme_->DrawCollapsedGroup(dib.DC(), TRect{0, 0, 30, 90}, 1);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 30, 90}, rpgCollapsedGroup, 0));
    dib.Fill(kBackground);
    scheme_->DrawCollapsedGroup(dib.DC(), TRect{0, 0, 30, 90}, 3);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 30, 90}, rpgCollapsedGroup, 3));
    // The status bar's frame: the part kind, plus two for an inactive window.
    dib.Fill(kBackground);
    scheme_->DrawFormStatusBarBorder(dib.DC(), TRect{0, 0, 4, 22}, true, false, 1, false);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 4, 22}, rpgStatusBarFrameLeft, 3));
    dib.Fill(kBackground);
    scheme_->DrawFormStatusBarBorder(dib.DC(), TRect{0, 0, 4, 22}, false, true, 0, true);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 4, 22}, rpgStatusBarFrameRightDialog, 0));
    // Scroll buttons: hot image 1, pressed image 2, anything else 0.
    dib.Fill(kBackground);
    scheme_->DrawTabScrollButton(dib.DC(), TRect{0, 0, 12, 24}, true, 4);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 12, 24}, rpgTabScrollButtonLeft, 2));
    dib.Fill(kBackground);
    scheme_->DrawGroupScrollButton(dib.DC(), TRect{0, 0, 12, 90}, false, 7);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 12, 90}, rpgGroupScrollButtonRight, 0));
    // The application menu's button is a small hot button when hot.
    dib.Fill(kBackground);
    scheme_->DrawApplicationMenuButton(dib.DC(), TRect{0, 0, 30, 22}, 2);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 30, 22}, rpgSmallButton, 2));
    dib.Fill(kBackground);
    scheme_->DrawApplicationMenuButton(dib.DC(), TRect{0, 0, 30, 22}, 4);
    EXPECT_TRUE(ShowsPart(dib, TRect{0, 0, 30, 22}, rpgAppMenuButton, 0));
    // MDI glyphs: minimize, restore, close.
    dib.Fill(kBackground);
    scheme_->DrawMDIButtonGlyph(dib.DC(), TRect{0, 0, 17, 17}, 1, 2);
    EXPECT_TRUE(ShowsPart(dib, TRect{4, 5, 13, 14}, rpgBorderIconRestore, 2));
}

TEST_F(dxRibbonSkinDrawing, HelpAndMdiButtonsShowTheRibbonBehindThemWhenNormal) {
    TSkinDib normal(20, 20), hot(20, 20), button(20, 20);
    scheme_->DrawHelpButton(normal.DC(), TRect{0, 0, 20, 20}, 0);
    EXPECT_EQ(normal.Rgb(10, 10), 0xBFDBFFu);  // part colour 10065
    scheme_->DrawMDIButton(hot.DC(), TRect{0, 0, 20, 20}, 2, 1);
    scheme_->DrawButton(button.DC(), TRect{0, 0, 20, 20}, resHot);
    EXPECT_EQ(hot.Pixels(), button.Pixels());
}

TEST_F(dxRibbonSkinDrawing, GlyphsAndGripsSitWhereTheirRulesPutThem) {
    // The gallery's bottom grip: a square at the right of (left, top + 3, right - 2, bottom - 1).
    TSkinDib grip(40, 12, kBackground);
    scheme_->DrawDropDownGallerySizeGripBottom(grip.DC(), TRect{0, 0, 40, 12});
    EXPECT_TRUE(ShowsPart(grip, TRect{30, 3, 38, 11}, rpgGallerySizeGripBottom, 0));
    for (int x = 0; x < 30; ++x) EXPECT_EQ(grip.Pixel(x, 6), kBackground) << x;
    // The vertical grip: as high as the rectangle less one, 18/7 as wide, centred.
    TSkinDib vertical(60, 15, kBackground);
    scheme_->DrawDropDownGalleryVerticalSizeGripTop(vertical.DC(), TRect{0, 0, 60, 15});
    EXPECT_TRUE(ShowsPart(vertical, TRect{12, 0, 48, 14}, rpgGalleryVerticalSizeGrip, 0));
    vertical.Fill(kBackground);
    scheme_->DrawDropDownGalleryVerticalSizeGripBottom(vertical.DC(), TRect{0, 0, 60, 15});
    EXPECT_TRUE(ShowsPart(vertical, TRect{12, 1, 48, 15}, rpgGalleryVerticalSizeGrip, 0));
    // The customize mark: u = height div 7.
    TSkinDib mark(14, 21, kBackground);
    scheme_->DrawMarkArrow(mark.DC(), TRect{0, 0, 14, 21}, 4);
    EXPECT_TRUE(ShowsPart(mark, TRect{3, 9, 11, 15}, rpgMarkArrow, 4));
    // The help glyph: 16 x 16, centred.
    TSkinDib help(21, 20, kBackground);
    scheme_->DrawHelpButtonGlyph(help.DC(), TRect{0, 0, 21, 20});
    EXPECT_TRUE(ShowsPart(help, TRect{2, 2, 18, 18}, rpgHelpGlyph, 0));
}

TEST_F(dxRibbonSkinDrawing, TheInRibbonGalleryPaneIsFramedInItsPartColours) {
    TSkinDib dib(20, 10, kBackground);
    scheme_->DrawInRibbonGalleryPane(dib.DC(), TRect{0, 0, 20, 10}, 0);
    EXPECT_EQ(dib.Rgb(0, 5), 0xB9D0EDu);  // part 52
    EXPECT_EQ(dib.Rgb(10, 0), 0xB9D0EDu);
    EXPECT_EQ(dib.Rgb(10, 5), 0xD4E6F8u);  // part 51
    scheme_->DrawDropDownGalleryBackground(dib.DC(), TRect{0, 0, 20, 10});
    EXPECT_EQ(dib.Rgb(10, 5), 0xFAFAFAu);
}

// ---- low colour ----------------------------------------------------------------------------

TEST_F(dxRibbonSkinDrawing, LowColorStripsAreFramedFlatRectangles) {
    scheme_->SetLowColor(true);
    struct TCase {
        int state;
        DWORD frame, fill;
    };
    const TCase cases[] = {
        {2, 0xFFFFFF, Sys(COLOR_HIGHLIGHT)},           {6, 0xFFFFFF, Sys(COLOR_HIGHLIGHT)},
        {7, 0xFFFFFF, Sys(COLOR_HIGHLIGHT)},           {4, Sys(COLOR_BTNSHADOW), Sys(COLOR_HIGHLIGHT)},
        {3, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE)}, {5, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE)}};
    for (const TCase& c : cases) {
        TSkinDib dib(20, 20, kBackground);
        scheme_->DrawLargeButton(dib.DC(), TRect{2, 2, 18, 18}, c.state);
        EXPECT_EQ(dib.Rgb(2, 10), c.frame) << c.state;
        EXPECT_EQ(dib.Rgb(10, 17), c.frame) << c.state;
        EXPECT_EQ(dib.Rgb(10, 10), c.fill) << c.state;
        EXPECT_EQ(dib.Pixel(1, 10), kBackground) << c.state;
    }
}

TEST_F(dxRibbonSkinDrawing, LowColorFrameAndCaption) {
    scheme_->SetLowColor(true);
    TSkinDib caption(60, 20, kBackground);
    scheme_->DrawFormCaption(caption.DC(), TRect{0, 0, 60, 20}, Form(60, 100, true));
    EXPECT_EQ(caption.Rgb(30, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(caption.Rgb(30, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(caption.Rgb(30, 10), Sys(COLOR_ACTIVECAPTION));
    TSkinDib maximized(60, 20, kBackground);
    scheme_->DrawFormCaption(maximized.DC(), TRect{0, 0, 60, 20}, Form(60, 100, false, 2, 2));
    EXPECT_EQ(maximized.Rgb(30, 0), Sys(COLOR_INACTIVECAPTION));

    TSkinDib frame(60, 50, kBackground);
    scheme_->DrawFormBorders(frame.DC(), TRect{4, 0, 4, 4}, 20, Form(60, 50, true));
    EXPECT_EQ(frame.Rgb(0, 30), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(frame.Rgb(1, 30), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(frame.Rgb(3, 30), Sys(COLOR_BTNFACE));
    EXPECT_EQ(frame.Rgb(59, 30), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(frame.Rgb(58, 30), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(frame.Rgb(56, 30), Sys(COLOR_BTNFACE));
    EXPECT_EQ(frame.Rgb(30, 49), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(frame.Rgb(30, 47), Sys(COLOR_BTNFACE));  // the rest of the bottom border
    EXPECT_EQ(frame.Pixel(30, 30), kBackground);
}

TEST_F(dxRibbonSkinDrawing, LowColorTabsGroupsAndStatusBar) {
    scheme_->SetLowColor(true);
    const DWORD face = Sys(COLOR_BTNFACE), shadow = Sys(COLOR_BTNSHADOW), highlight = Sys(COLOR_HIGHLIGHT);
    TSkinDib tab(20, 20, kBackground);
    scheme_->DrawTab(tab.DC(), TRect{0, 0, 20, 20}, 0);
    EXPECT_EQ(tab.Rgb(0, 0), face);
    scheme_->DrawTab(tab.DC(), TRect{0, 0, 20, 20}, 2);
    EXPECT_EQ(tab.Rgb(0, 10), 0xFFFFFFu);
    EXPECT_EQ(tab.Rgb(10, 0), 0xFFFFFFu);
    EXPECT_EQ(tab.Rgb(10, 19), highlight);  // open at the bottom
    scheme_->DrawTab(tab.DC(), TRect{0, 0, 20, 20}, 1);
    EXPECT_EQ(tab.Rgb(10, 0), face);
    EXPECT_EQ(tab.Rgb(0, 10), highlight);

    TSkinDib header(30, 16, kBackground);
    scheme_->DrawTabGroupHeaderBackground(header.DC(), TRect{0, 0, 30, 16}, 0);
    SelectClipRgn(header.DC(), nullptr);
    EXPECT_EQ(header.Rgb(10, 0), shadow);  // the line across the top, four pixels in
    EXPECT_EQ(header.Rgb(2, 0), face);
    EXPECT_EQ(header.Rgb(0, 8), shadow);
    EXPECT_EQ(header.Rgb(10, 15), shadow);
    EXPECT_EQ(header.Rgb(10, 8), face);

    TSkinDib separator(4, 22, kBackground);
    scheme_->DrawStatusBarPanelSeparator(separator.DC(), TRect{0, 0, 4, 22});
    EXPECT_EQ(separator.Rgb(0, 0), face);
    EXPECT_EQ(separator.Rgb(0, 1), shadow);
    EXPECT_EQ(separator.Rgb(0, 20), shadow);
    EXPECT_EQ(separator.Rgb(0, 21), face);
    EXPECT_EQ(separator.Rgb(2, 10), face);

    TSkinDib nothing(10, 22, kBackground);
    scheme_->DrawButtonGroupBorderLeft(nothing.DC(), TRect{0, 0, 10, 22});
    scheme_->DrawButtonGroupSeparator(nothing.DC(), TRect{0, 0, 10, 22}, 2);
    EXPECT_FALSE(nothing.ChangedFrom(kBackground));
}

TEST_F(dxRibbonSkinDrawing, LowColorArrowsAndApplicationButton) {
    scheme_->SetLowColor(true);
    TSkinDib down(11, 8, kBackground);
    scheme_->DrawArrowDown(down.DC(), TRect{0, 0, 11, 8});
    // A triangle of size 4 pointing down from (1, 2) - (7, 2) to (5, 5): its first and last
    // corners moved one pixel left.
    TRect black{11, 8, -1, -1};
    int count = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 11; ++x)
            if (down.Rgb(x, y) == 0) {
                ++count;
                black = TRect{std::min<LONG>(black.left, x), std::min<LONG>(black.top, y),
                              std::max<LONG>(black.right, x), std::max<LONG>(black.bottom, y)};
            }
    EXPECT_GE(count, 9);
    EXPECT_EQ(black.top, 2);
    EXPECT_GE(black.left, 1);
    EXPECT_LE(black.right, 7);
    EXPECT_LE(black.bottom, 5);
    EXPECT_EQ(down.Rgb(4, 3), 0u);

    TSkinDib button(42, 42, kBackground);
    scheme_->DrawApplicationButton(button.DC(), TRect{0, 0, 42, 42}, 0);
    EXPECT_EQ(button.Rgb(20, 20), Sys(COLOR_BTNFACE));
    EXPECT_EQ(button.Pixel(0, 0), kBackground);
    scheme_->DrawApplicationButton(button.DC(), TRect{0, 0, 42, 42}, 1);
    EXPECT_EQ(button.Rgb(20, 20), Sys(COLOR_HIGHLIGHT));

    TSkinDib menu(20, 20, kBackground);
    scheme_->DrawApplicationMenuBorder(menu.DC(), TRect{0, 0, 20, 20});
    EXPECT_EQ(menu.Rgb(0, 10), 0u);
    EXPECT_EQ(menu.Rgb(10, 10), Sys(COLOR_MENU));
}

}  // namespace
