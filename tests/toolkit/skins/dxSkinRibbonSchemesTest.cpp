// The skin-driven ribbon colour schemes: one per registered skin painter, after the atlas
// schemes; a painter registered later gets its scheme at once and loses it when unregistered.
// A scheme draws the skin's element where the skin has one, and exactly what Black draws where
// it finds no skin.

#include <gtest/gtest.h>

#include <memory>

#include "../PainterTestSupport.h"
#include "../ToolkitTestSupport.h"
#include "SkinTestSupport.h"
#include "cxDWMApi.h"
#include "cxExtendedStylePainters.h"
#include "dxBarSkin.h"
#include "dxSkinLilian.h"
#include "dxSkinsdxRibbonPainter.h"

namespace {

HRESULT WINAPI SchemesCompositionOn(BOOL* enabled) {
    *enabled = TRUE;
    return S_OK;
}

// A skin built in code, registered as "Zeta" with the base skin painter while the fixture runs.
class SkinRibbonSchemeFixture : public ::testing::Test {
protected:
    void SetUp() override {
        info_ = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"Zeta"));
        ASSERT_TRUE(
            GlobalExtendedStylePainters()->RegisterPainter(L"Zeta", TdxSkinLookAndFeelPainter::Instance(), info_));
        scheme_ = dynamic_cast<TdxSkinRibbonPainter*>(BarSkinManagerInstance()->FindSkin(L"Zeta"));
        ASSERT_NE(scheme_, nullptr);
    }
    void TearDown() override { GlobalExtendedStylePainters()->UnregisterPainter(L"Zeta"); }

    // Frames of the given colours ($RRGGBB), one per state, stacked.
    static void PaintStates(TdxSkinElement* element, const TdxSkinElementStates& states,
                            const std::vector<DWORD>& colours) {
        element->Image()->SetStates(states);
        element->Image()->SetImageLayout(ilVertical);
        SetSkinTestPicture(element->Image(), 10, 10 * int(colours.size()),
                           [&](int, int y) { return 0xFF000000u | colours[size_t(y / 10)]; });
    }

    // One frame of one colour ($RRGGBB), 10 pixels wide.
    static void Paint(TdxSkinElement* element, DWORD colour, int height = 10) {
        element->Image()->SetStates({esNormal});
        SetSkinTestPictureColor(element->Image(), 10, height, colour);
    }

    TdxSkinLookAndFeelPainterInfo* info_ = nullptr;
    TdxSkinRibbonPainter* scheme_ = nullptr;
};

TColor Bgr(DWORD rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

}  // namespace

TEST(dxSkinRibbonSchemes, TheBarSkinManagerEndsWithTheSkinSchemesAfterTheAtlasOnes) {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    std::vector<String> names;
    for (int i = 0; i < manager->SkinCount(); ++i) names.push_back(manager->Skins(i)->SkinName());
    EXPECT_EQ(names, (std::vector<String>{L"Blue", L"Black", L"Silver", L"Lilian", L"UserSkin"}));
    auto* lilian = dynamic_cast<TdxSkinRibbonPainter*>(manager->FindSkin(L"lilian"));
    ASSERT_NE(lilian, nullptr);
    EXPECT_EQ(lilian->GetSkinName(), L"Lilian");
    TdxSkinInfo* info = nullptr;
    ASSERT_TRUE(lilian->GetSkinInfo(info));
    EXPECT_EQ(info, LilianSkinInfo());
    EXPECT_FALSE(lilian->LookAndFeel()->NativeStyle());
    EXPECT_EQ(lilian->StatusBarIndent(), 4);
    EXPECT_EQ(lilian->ApplicationButtonIndent(),
              info->RibbonFormAppButtonRightIndent + info->RibbonQATInRibbonBackgroundOffset + 10);
}

TEST_F(SkinRibbonSchemeFixture, APainterRegisteredLaterGetsItsSchemeAndLosesItWhenUnregistered) {
    EXPECT_EQ(scheme_->GetName(), L"Zeta");
    EXPECT_TRUE(scheme_->HasSkinPainter());
    GlobalExtendedStylePainters()->UnregisterPainter(L"Zeta");
    EXPECT_EQ(BarSkinManagerInstance()->FindSkin(L"Zeta"), nullptr);
    // the others stay
    EXPECT_NE(BarSkinManagerInstance()->FindSkin(L"Lilian"), nullptr);
    EXPECT_NE(BarSkinManagerInstance()->FindSkin(L"Black"), nullptr);
    SetUp();
}

TEST_F(SkinRibbonSchemeFixture, ButtonsAndTabsDrawTheSkinElementsInTheMappedStates) {
    // normal, hot, pressed, active (the map gives hot for the ribbon's active button)
    PaintStates(info_->RibbonButton, {esNormal, esHot, esPressed, esActive}, {0x100000, 0x200000, 0x300000, 0x400000});
    struct TCase {
        int state;
        DWORD colour;
    };
    for (const TCase& c : {TCase{0, 0x100000}, TCase{2, 0x200000}, TCase{3, 0x200000}, TCase{4, 0x300000}}) {
        TPaintSurface surface(20, 20);
        scheme_->DrawButton(surface.Canvas()->GetCanvasHandle(), TRect{0, 0, 20, 20}, c.state);
        EXPECT_EQ(surface.At(10, 10), Bgr(c.colour)) << c.state;
    }
    // a tab is lowered by 2 and narrowed by 1 on each side
    PaintStates(info_->RibbonTab, {esNormal}, {0x00AA00});
    TPaintSurface tab(20, 20);
    scheme_->DrawTab(tab.Canvas()->GetCanvasHandle(), TRect{0, 0, 20, 20}, 0);
    EXPECT_EQ(tab.At(5, 1), RgbColor(clWhite));
    EXPECT_EQ(tab.At(0, 10), RgbColor(clWhite));
    EXPECT_EQ(tab.At(19, 10), RgbColor(clWhite));
    EXPECT_EQ(tab.At(1, 2), Bgr(0x00AA00));
    EXPECT_EQ(tab.At(18, 19), Bgr(0x00AA00));
    // the frame's widths: a status bar leaves a bottom border of 1
    PaintStates(info_->RibbonFormFrameLeft, {esNormal}, {0x1});
    EXPECT_EQ(scheme_->GetWindowBordersWidth(true).bottom, 1);
    EXPECT_EQ(scheme_->GetWindowBordersWidth(true).left, 10);
}

TEST(dxSkinRibbonSchemes, WithoutASkinPainterASchemeDrawsExactlyWhatBlackDraws) {
    std::unique_ptr<TdxSkinRibbonPainter> orphan(CreateRibbonSkin<TdxSkinRibbonPainter>(String(L"Nobody")));
    std::unique_ptr<TdxBlackRibbonSkin> black(CreateRibbonSkin<TdxBlackRibbonSkin>());
    EXPECT_FALSE(orphan->HasSkinPainter());
    EXPECT_EQ(orphan->GetSkinName(), L"");
    TdxSkinInfo* info = nullptr;
    EXPECT_FALSE(orphan->GetSkinInfo(info));
    const TRect r{0, 0, 40, 30};
    using TDraw = std::function<void(TdxCustomRibbonSkin*, HDC)>;
    const std::pair<const char*, TDraw> operations[] = {
        {"DrawButton", [&](TdxCustomRibbonSkin* s, HDC dc) { s->DrawButton(dc, r, 2); }},
        {"DrawTab", [&](TdxCustomRibbonSkin* s, HDC dc) { s->DrawTab(dc, r, 2); }},
        {"DrawLargeButton", [&](TdxCustomRibbonSkin* s, HDC dc) { s->DrawLargeButton(dc, r, 4); }},
        {"DrawApplicationButton", [&](TdxCustomRibbonSkin* s, HDC dc) { s->DrawApplicationButton(dc, r, 1); }},
        {"DrawTabGroupBackground", [&](TdxCustomRibbonSkin* s, HDC dc) { s->DrawTabGroupBackground(dc, r, 0); }},
    };
    for (const auto& [name, draw] : operations) {
        TPaintSurface mine(40, 30), blacks(40, 30);
        draw(orphan.get(), mine.Canvas()->GetCanvasHandle());
        draw(black.get(), blacks.Canvas()->GetCanvasHandle());
        EXPECT_TRUE(mine.SameAs(blacks)) << name;
        EXPECT_FALSE(mine.IsBlank()) << name;
    }
    EXPECT_TRUE(RectsEqual(orphan->GetWindowBordersWidth(false), black->GetWindowBordersWidth(false)));
    EXPECT_TRUE(PointsEqual(orphan->GetApplicationButtonSize(), black->GetApplicationButtonSize()));
}

TEST(dxSkinRibbonSchemes, LargeButtonStatesFallToTheNearestStateTheImageHolds) {
    TdxSkinElement element(nullptr, L"LargeButton");
    element.Image()->SetStates({esNormal, esHot, esPressed, esDisabled});
    const struct {
        TdxSkinElementState in, out;
    } cases[] = {{esHot, esHot},         {esActive, esHot},           {esHotCheck, esHot},
                 {esChecked, esPressed}, {esCheckPressed, esPressed}, {esActiveDisabled, esDisabled},
                 {esFocused, esFocused}};
    for (const auto& c : cases)
        EXPECT_EQ(TdxSkinRibbonPainter::AdjustLargeButtonState(&element, c.in), c.out) << int(c.in);
    element.Image()->SetStates({esNormal, esChecked});
    EXPECT_EQ(TdxSkinRibbonPainter::AdjustLargeButtonState(&element, esChecked), esChecked);
}

TEST_F(SkinRibbonSchemeFixture, PartColoursComeFromTheSkinOrFromBlack) {
    std::unique_ptr<TdxBlackRibbonSkin> black(CreateRibbonSkin<TdxBlackRibbonSkin>());
    // element changes re-resolve the info, so they come first
    info_->RibbonButton->SetTextColor(0x0A0B0C);
    TdxSkinColor border(nullptr, L"ContainerBorderColor"), highlight(nullptr, L"ContainerHighlightBorderColor");
    border.SetValue(0x000011);
    highlight.SetValue(0x000022);
    info_->ContainerBorderColor = &border;
    info_->ContainerHighlightBorderColor = &highlight;
    info_->ContentColor = nullptr;
    info_->RibbonStatusBarTextColor = 0x000033;
    info_->RibbonStatusBarTextColorHot = clDefault;
    const struct {
        int part, state;
        TColor skin;  // clDefault: Black's answer
    } cases[] = {
        {10, 0, 0x000011},     {10, 3, 0x000022},  {41, 2, 0x000011},    {457, 0, 0x000011},
        {10133, 0, 0x0A0B0C},  {335, 0, 0x0A0B0C}, {10138, 0, 0x000033}, {10138, 2, clDefault},  // no colour of its own
        {10138, 3, clDefault},                                                                   // no state 3 at all
        {9, 0, clDefault},                                                                       // no "ContentColor"
        {12345, 0, clDefault},  // a part the skin does not colour
    };
    for (const auto& c : cases)
        EXPECT_EQ(scheme_->PartColor(c.part, c.state), c.skin == clDefault ? black->PartColor(c.part, c.state) : c.skin)
            << c.part << "/" << c.state;
    info_->ContainerBorderColor = info_->ContainerHighlightBorderColor = nullptr;
}

TEST_F(SkinRibbonSchemeFixture, FormBordersSkipTheCaptionWithoutHeightAndTheCornersForAThinBottom) {
    // the side frames: esNormal (the corners) and esActive (the sides of an active form)
    PaintStates(info_->RibbonFormFrameLeft, {esNormal, esActive}, {0x0000A0, 0x0000B0});
    PaintStates(info_->RibbonFormFrameRight, {esNormal, esActive}, {0x0000C0, 0x0000D0});
    PaintStates(info_->RibbonFormFrameBottom, {esNormal, esActive}, {0x00E000, 0x00F000});
    PaintStates(info_->RibbonFormCaption, {esNormal, esActive}, {0x500000, 0x600000});
    FormPaintData data{};
    data.IsActive = 1;
    data.BorderStyle = 2;
    data.FormBounds = TRect{0, 0, 60, 50};
    {
        TPaintSurface surface(60, 50);
        scheme_->DrawFormBorders(surface.Canvas()->GetCanvasHandle(), TRect{4, 4, 4, 4}, 0, data);
        EXPECT_EQ(surface.At(30, 1), RgbColor(clWhite));  // no caption side
        EXPECT_EQ(surface.At(1, 20), Bgr(0x0000B0));
        EXPECT_EQ(surface.At(58, 20), Bgr(0x0000D0));
        EXPECT_EQ(surface.At(30, 48), Bgr(0x00F000));
        EXPECT_EQ(surface.At(1, 48), Bgr(0x0000A0));  // the corners
        EXPECT_EQ(surface.At(58, 48), Bgr(0x0000C0));
        EXPECT_EQ(surface.At(30, 25), RgbColor(clWhite));  // the inside is left alone
    }
    {
        TPaintSurface surface(60, 50);
        scheme_->DrawFormBorders(surface.Canvas()->GetCanvasHandle(), TRect{4, 4, 4, 1}, 10, data);
        EXPECT_EQ(surface.At(30, 2), Bgr(0x600000));  // the caption, active, outside the inner part
        EXPECT_EQ(surface.At(30, 6), RgbColor(clWhite));
        EXPECT_EQ(surface.At(1, 49), Bgr(0x0000B0));  // no corners
        EXPECT_EQ(surface.At(58, 49), Bgr(0x0000D0));
        EXPECT_EQ(surface.At(30, 49), Bgr(0x00F000));
    }
}

TEST_F(SkinRibbonSchemeFixture, AStatusBarPanelShowsItsSliceOfABackgroundStartingFourPixelsLeftOfTheBar) {
    TdxSkinElement* background = info_->RibbonStatusBarBackground;
    background->Image()->SetStates({esNormal});
    SetSkinTestPicture(background->Image(), 100, 10, [](int x, int) { return 0xFF000000u | DWORD(x * 2) << 16; });
    const TRect bounds{10, 0, 30, 10};
    TPaintSurface panel(20, 10), referee(20, 10);
    scheme_->DrawStatusBarPanel(panel.Canvas()->GetCanvasHandle(), bounds, TRect{0, 0, 20, 10}, true);
    // the element drawn straight at the panel's offset: 10 + 4 pixels to the left
    background->DrawInRect(referee.Canvas()->GetCanvasHandle(), TRect{-14, 0, 90, 10}, 0, esNormal);
    EXPECT_TRUE(panel.SameAs(referee));
    EXPECT_NE(panel.At(0, 5), panel.At(19, 5));
}

TEST_F(SkinRibbonSchemeFixture, SeparatorsAndGlyphsTheSkinCarriesDrawNothing) {
    const TRect r{0, 0, 20, 20};
    TPaintSurface surface(20, 20);
    HDC dc = surface.Canvas()->GetCanvasHandle();
    scheme_->DrawTabSeparator(dc, r, 255);
    scheme_->DrawGroupLaunchButtonGlyph(dc, r, 0);
    scheme_->DrawMenuScrollButton(dc, r, 0);
    scheme_->DrawMDIButtonGlyph(dc, r, 0, 0);
    EXPECT_TRUE(surface.IsBlank());
    EXPECT_TRUE(scheme_->HasTransparentGroups());
    EXPECT_FALSE(scheme_->NeedsScrollButtonArrows());
}

// Each plain element operation draws its element (recognised by its colour) with a skin, and
// exactly what Black draws without one (an editor button: Black's edit button).
TEST_F(SkinRibbonSchemeFixture, PlainElementOperationsDrawTheirElementOrWhatBlackDraws) {
    using TDraw = std::function<void(TdxCustomRibbonSkin*, HDC, const TRect&)>;
    struct TCase {
        const char* name;
        TdxSkinElement* TdxSkinInfo::*member;
        TDraw draw;
        TPoint probe;  // in a 40 x 30 rectangle
    };
    const TCase cases[] = {
        {"TabGroupHeaderBackground",
         &TdxSkinInfo::RibbonTabGroupCaption,
         [](auto s, HDC dc, auto r) { s->DrawTabGroupHeaderBackground(dc, r, 2); },
         {20, 15}},
        {"CollapsedGroup",
         &TdxSkinInfo::RibbonTabGroupCollapsed,
         [](auto s, HDC dc, auto r) { s->DrawCollapsedGroup(dc, r, 0); },
         {20, 15}},
        {"GroupLaunchButtonBackground",
         &TdxSkinInfo::RibbonTabGroupButton,
         [](auto s, HDC dc, auto r) { s->DrawGroupLaunchButtonBackground(dc, r, 2); },
         {20, 15}},
        {"SplitButtonLeft",
         &TdxSkinInfo::RibbonSplitButtonLeft,
         [](auto s, HDC dc, auto r) { s->DrawSplitButtonLeft(dc, r, 0); },
         {20, 15}},
        {"LargeSplitButtonBottom",
         &TdxSkinInfo::RibbonLargeSplitButtonBottom,
         [](auto s, HDC dc, auto r) { s->DrawLargeSplitButtonBottom(dc, r, 0); },
         {20, 15}},
        {"GroupScrollButton",
         &TdxSkinInfo::RibbonTabGroupLeftScrollButton,
         [](auto s, HDC dc, auto r) { s->DrawGroupScrollButton(dc, r, true, 0); },
         {20, 15}},
        {"TabGroupsArea",
         &TdxSkinInfo::RibbonTabPanel,
         [](auto s, HDC dc, auto r) { s->DrawTabGroupsArea(dc, r); },
         {20, 15}},
        {"DropDownBorder",
         &TdxSkinInfo::PopupMenu,
         [](auto s, HDC dc, auto r) { s->DrawDropDownBorder(dc, r); },
         {20, 15}},
        {"ScreenTip", &TdxSkinInfo::ScreenTipWindow, [](auto s, HDC dc, auto r) { s->DrawScreenTip(dc, r); }, {20, 15}},
        {"InRibbonGalleryPane",
         &TdxSkinInfo::RibbonInRibbonGalleryPane,
         [](auto s, HDC dc, auto r) { s->DrawInRibbonGalleryPane(dc, r, 0); },
         {20, 15}},
        {"ProgressBorder",
         &TdxSkinInfo::ProgressBorder,
         [](auto s, HDC dc, auto r) { s->DrawProgressBorder(dc, r); },
         {20, 15}},
        {"StatusBarPanelSeparator",
         &TdxSkinInfo::RibbonStatusBarSeparator,
         [](auto s, HDC dc, auto r) { s->DrawStatusBarPanelSeparator(dc, r); },
         {20, 15}},
        {"MarkArrow",
         &TdxSkinInfo::RibbonQATCustomizeButton,
         [](auto s, HDC dc, auto r) { s->DrawMarkArrow(dc, r, 0); },
         {20, 15}},
        {"ApplicationMenuButton",
         &TdxSkinInfo::CommonButton,
         [](auto s, HDC dc, auto r) { s->DrawApplicationMenuButton(dc, r, 2); },
         {20, 15}},
        {"ApplicationMenuContentHeader",
         &TdxSkinInfo::RibbonAppMenuBackground,
         [](auto s, HDC dc, auto r) { s->DrawApplicationMenuContentHeader(dc, r); },
         {20, 15}},
        {"ApplicationMenuContentFooter",
         &TdxSkinInfo::RibbonAppMenuBackgroundBottom,
         [](auto s, HDC dc, auto r) { s->DrawApplicationMenuContentFooter(dc, r); },
         {20, 15}},
        {"RibbonBackground",
         &TdxSkinInfo::RibbonTabBackground,
         [](auto s, HDC dc, auto r) { s->DrawRibbonBackground(dc, r); },
         {20, 15}},
        {"RibbonBottomBorder",
         &TdxSkinInfo::RibbonTabPanel,
         [](auto s, HDC dc, auto r) { s->DrawRibbonBottomBorder(dc, r); },
         {20, 15}},
        {"MenuSeparatorHorz",
         &TdxSkinInfo::PopupMenuSeparator,
         [](auto s, HDC dc, auto r) { s->DrawMenuSeparatorHorz(dc, r); },
         {20, 15}},
        {"DropDownGallerySizePanelTop",
         &TdxSkinInfo::RibbonDropDownGallerySizePanel,
         [](auto s, HDC dc, auto r) { s->DrawDropDownGallerySizePanelTop(dc, r); },
         {20, 15}},
        {"DropDownGalleryFilterPanel",
         &TdxSkinInfo::RibbonDropDownGallerySizePanel,
         [](auto s, HDC dc, auto r) { s->DrawDropDownGalleryFilterPanel(dc, r); },
         {20, 15}},
        {"DropDownGalleryVerticalSizeGripTop",
         &TdxSkinInfo::RibbonDropDownGallerySizeGrip,
         [](auto s, HDC dc, auto r) { s->DrawDropDownGalleryVerticalSizeGripTop(dc, r); },
         {20, 15}},
        {"InRibbonGalleryScrollButtonDropDown",
         &TdxSkinInfo::RibbonInRibbonGalleryButtonDropDown,
         [](auto s, HDC dc, auto r) { s->DrawInRibbonGalleryScrollButton(dc, r, 2, 0); },
         {20, 15}},
        {"ProgressSolidBand",
         &TdxSkinInfo::ProgressChunk,
         [](auto s, HDC dc, auto r) { s->DrawProgressSolidBand(dc, r); },
         {20, 15}},
        {"FormStatusBarBorder",
         &TdxSkinInfo::RibbonStatusBarBackground,
         [](auto s, HDC dc, auto r) { s->DrawFormStatusBarBorder(dc, r, true, true, 0, false); },
         {20, 15}},
        {"EditDropDownButton",
         &TdxSkinInfo::EditorButton,
         [](auto s, HDC dc, auto r) { s->DrawEditDropDownButton(dc, r, 0); },
         {2, 2}},
    };
    std::unique_ptr<TdxSkinRibbonPainter> orphan(CreateRibbonSkin<TdxSkinRibbonPainter>(String(L"Nobody")));
    std::unique_ptr<TdxBlackRibbonSkin> black(CreateRibbonSkin<TdxBlackRibbonSkin>());
    const TRect r{0, 0, 40, 30};
    DWORD colour = 0x101010;
    for (const TCase& c : cases) {
        colour += 0x080402;
        TdxSkinElement* element = info_->*c.member;
        element->SetImageCount(2);  // the menu check marks use image 1
        element->Image()->SetStates({esNormal});
        SetSkinTestPictureColor(element->Image(), 10, 20, colour);
        TPaintSurface surface(40, 30);
        c.draw(scheme_, surface.Canvas()->GetCanvasHandle(), r);
        EXPECT_EQ(surface.At(c.probe.x, c.probe.y), Bgr(colour)) << c.name;
        TPaintSurface mine(40, 30), blacks(40, 30);
        c.draw(orphan.get(), mine.Canvas()->GetCanvasHandle(), r);
        // without a skin painter an editor button is the scheme's edit button
        if (c.member == &TdxSkinInfo::EditorButton)
            black->DrawEditButton(blacks.Canvas()->GetCanvasHandle(), r, 0);
        else
            c.draw(black.get(), blacks.Canvas()->GetCanvasHandle(), r);
        EXPECT_TRUE(mine.SameAs(blacks)) << c.name;
    }
}

namespace {

// A 10 x 10 picture whose two-pixel side columns are `edge` and whose middle is `middle`
// ($RRGGBB), cut with left and right margins of 2, so the sides stay two pixels wide.
void PaintSides(TdxSkinElement* element, DWORD edge, DWORD middle, int height = 10) {
    element->Image()->SetStates({esNormal});
    element->Image()->Margins()->AssignRect(TRect{2, 0, 2, 0});
    SetSkinTestPicture(element->Image(), 10, height,
                       [=](int x, int) { return 0xFF000000u | (x < 2 || x >= 8 ? edge : middle); });
}

}  // namespace

// The operations that draw an element larger than their rectangle show the part of it the
// rectangle asks for, and nothing outside.
TEST_F(SkinRibbonSchemeFixture, ClippedOperationsShowTheirPartOfTheElement) {
    const DWORD edge = 0x0000C0, middle = 0x00C000;
    // the menu's glyph strip: its right edge (the separator) stays outside; the vertical
    // separator is that edge alone
    PaintSides(info_->PopupMenuSideStrip, edge, middle);
    {
        TPaintSurface strip(30, 30), separator(30, 30);
        scheme_->DrawMenuGlyphStrip(strip.Canvas()->GetCanvasHandle(), TRect{0, 0, 20, 30});
        EXPECT_EQ(strip.At(0, 10), Bgr(edge));
        EXPECT_EQ(strip.At(19, 10), Bgr(middle));
        EXPECT_EQ(strip.At(20, 10), RgbColor(clWhite));
        scheme_->DrawMenuSeparatorVert(separator.Canvas()->GetCanvasHandle(), TRect{0, 0, 20, 30});
        EXPECT_EQ(separator.At(18, 10), Bgr(edge));
        EXPECT_EQ(separator.At(12, 10), Bgr(middle));
        EXPECT_EQ(separator.At(9, 10), RgbColor(clWhite));
    }
    // the status bar's ends on the form frame: the element reaches in to its minimum width,
    // only its outer edge shows
    PaintSides(info_->RibbonStatusBarBackground, edge, middle);
    info_->RibbonStatusBarBackground->MinSize()->SetWidth(30);
    {
        TPaintSurface ends(40, 20);
        HDC dc = ends.Canvas()->GetCanvasHandle();
        scheme_->DrawFormStatusBarBorder(dc, TRect{0, 0, 4, 20}, true, true, 0, false);
        scheme_->DrawFormStatusBarBorder(dc, TRect{36, 0, 40, 20}, false, true, 0, false);
        EXPECT_EQ(ends.At(1, 10), Bgr(edge));
        EXPECT_EQ(ends.At(3, 10), Bgr(middle));
        EXPECT_EQ(ends.At(4, 10), RgbColor(clWhite));
        EXPECT_EQ(ends.At(35, 10), RgbColor(clWhite));
        EXPECT_EQ(ends.At(36, 10), Bgr(middle));
        EXPECT_EQ(ends.At(38, 10), Bgr(edge));
    }
    // a dialog frame's end: the form's side frame, with the bottom frame in the band below
    PaintSides(info_->FormFrames[dxSkinNormalCaption][dxSkinFrameLeft], 0x300000, 0x300000);
    PaintSides(info_->FormFrames[dxSkinNormalCaption][dxSkinFrameBottom], 0x500000, 0x500000, 5);
    {
        TPaintSurface dialog(10, 20);
        scheme_->DrawFormStatusBarBorder(dialog.Canvas()->GetCanvasHandle(), TRect{0, 0, 4, 20}, true, true, 0, true);
        EXPECT_EQ(dialog.At(1, 5), Bgr(0x300000));
        EXPECT_EQ(dialog.At(1, 17), Bgr(0x500000));
    }
    // progress bands: the solid band fills the border's inside, the discrete one shows each
    // block's middle across its width
    info_->ProgressBorder->ContentOffset()->AssignRect(TRect{3, 3, 3, 3});
    PaintSides(info_->ProgressChunk, edge, middle);
    {
        TPaintSurface solid(50, 20), discrete(50, 20);
        scheme_->DrawProgressSolidBand(solid.Canvas()->GetCanvasHandle(), TRect{10, 5, 40, 15});
        EXPECT_EQ(solid.At(11, 10), Bgr(edge));  // (10 - 2 + 3)
        EXPECT_EQ(solid.At(13, 10), Bgr(middle));
        EXPECT_EQ(solid.At(10, 10), RgbColor(clWhite));
        scheme_->DrawProgressDiscreteBand(discrete.Canvas()->GetCanvasHandle(), TRect{10, 5, 40, 15});
        EXPECT_EQ(discrete.At(10, 10), Bgr(middle));
        EXPECT_EQ(discrete.At(39, 10), Bgr(middle));
        EXPECT_EQ(discrete.At(9, 10), RgbColor(clWhite));
    }
    // the gallery's size grip: a square at the right of the panel
    info_->RibbonDropDownGallerySizeGrip->SetImageCount(3);  // vertical, bottom and top grips
    Paint(info_->RibbonDropDownGallerySizeGrip, 0x202080);
    {
        TPaintSurface grip(40, 20);
        scheme_->DrawDropDownGallerySizeGripBottom(grip.Canvas()->GetCanvasHandle(), TRect{0, 0, 40, 20});
        EXPECT_EQ(grip.At(22, 3), Bgr(0x202080));  // (0, 3, 38, 19), left at 38 - 16
        EXPECT_EQ(grip.At(37, 18), Bgr(0x202080));
        EXPECT_EQ(grip.At(21, 10), RgbColor(clWhite));
        EXPECT_EQ(grip.At(38, 10), RgbColor(clWhite));
        EXPECT_EQ(grip.At(30, 2), RgbColor(clWhite));
    }
    // the application menu's border: the bottom element below the background, its own height
    Paint(info_->RibbonAppMenuBackground, 0x404000);
    Paint(info_->RibbonAppMenuBackgroundBottom, 0x008080, 6);
    {
        TPaintSurface menu(40, 30);
        scheme_->DrawApplicationMenuBorder(menu.Canvas()->GetCanvasHandle(), TRect{0, 0, 40, 30});
        EXPECT_EQ(menu.At(20, 23), Bgr(0x404000));
        EXPECT_EQ(menu.At(20, 24), Bgr(0x008080));
    }
}

TEST_F(SkinRibbonSchemeFixture, TheSizeGripBackgroundKeepsWhatIsPaintedLaterOffTheGrip) {
    info_->RibbonStatusBarBackground->SetImageCount(2);  // the grip's end is image 1
    Paint(info_->RibbonStatusBarBackground, 0x00A0A0);
    info_->RibbonStatusBarBackground->ContentOffset()->AssignRect(TRect{2, 2, 2, 2});
    Paint(info_->SizeGrip, 0xA000A0);
    TPaintSurface surface(40, 20);
    HDC dc = surface.Canvas()->GetCanvasHandle();
    scheme_->DrawStatusBarSizeGripBackground(dc, TRect{20, 0, 40, 20});
    surface.Canvas()->FillRectWithColor(surface.Bounds(), clYellow);
    EXPECT_EQ(surface.At(21, 1), Bgr(0x00A0A0));
    EXPECT_EQ(surface.At(30, 10), Bgr(0xA000A0));  // the grip inside the content offset
    EXPECT_EQ(surface.At(19, 10), RgbColor(clYellow));
}

TEST_F(SkinRibbonSchemeFixture, TheQuickAccessToolbarFollowsTheSkinsMarginsAndLeavesGlassToBlack) {
    std::unique_ptr<TdxBlackRibbonSkin> black(CreateRibbonSkin<TdxBlackRibbonSkin>());
    // element changes re-resolve the info, so they come before the properties are set
    Paint(info_->RibbonQATInRibbonBackground, 0x606000);
    info_->RibbonQATInRibbonBackground->ContentOffset()->AssignRect(TRect{3, 0, 7, 0});
    info_->RibbonFormCaption->ContentOffset()->AssignRect(TRect{0, 2, 0, 3});
    TdxSkinIntegerProperty indent(nullptr, L"IndentBeforeCustomizeButton");
    TdxSkinBooleanProperty outside(nullptr, L"DisplayCustomizeButtonOutsideQAT");
    indent.SetValue(4);
    outside.SetValue(true);
    info_->QATIndentBeforeCustomizeButton[1] = &indent;
    info_->QATShowsCustomizeButtonOutside[1] = &outside;
    const int indentOfButton = scheme_->ApplicationButtonIndent();
    EXPECT_TRUE(scheme_->IsQATCustomizeButtonOutside(true));
    EXPECT_FALSE(scheme_->IsQATCustomizeButtonOutside(false));
    EXPECT_EQ(scheme_->QuickAccessToolbarRightMargin(true), 7);
    EXPECT_EQ(scheme_->QuickAccessToolbarMarkOffset(true, false), 4 + 7);
    EXPECT_EQ(scheme_->QuickAccessToolbarMarkOffset(true, true), black->QuickAccessToolbarMarkOffset(true, true));
    EXPECT_EQ(scheme_->QuickAccessToolbarMarkOffset(false, false), black->QuickAccessToolbarMarkOffset(false, false));
    EXPECT_EQ(scheme_->QuickAccessToolbarLeftMargin(true, false), 3 - 15 + indentOfButton);
    EXPECT_EQ(scheme_->QuickAccessToolbarLeftMargin(true, true), black->QuickAccessToolbarLeftMargin(true, true));
    EXPECT_EQ(scheme_->QuickAccessToolbarExtraWidth(true, false), 3);
    EXPECT_EQ(scheme_->QuickAccessToolbarExtraWidth(false, false), black->QuickAccessToolbarExtraWidth(false, false));

    // in the ribbon: inside the caption's content offset, narrowed by the right margin less the
    // customize button outside it (7 - 12 - 11)
    const TRect r{0, 0, 80, 26};
    {
        TPaintSurface surface(80, 26);
        scheme_->DrawQuickAccessToolbar(surface.Canvas()->GetCanvasHandle(), r, false, true, true, true, true);
        EXPECT_EQ(surface.At(63, 10), Bgr(0x606000));
        EXPECT_EQ(surface.At(64, 10), RgbColor(clWhite));
        EXPECT_EQ(surface.At(10, 2), Bgr(0x606000));
        EXPECT_EQ(surface.At(10, 1), RgbColor(clWhite));
        EXPECT_EQ(surface.At(10, 22), Bgr(0x606000));
        EXPECT_EQ(surface.At(10, 23), RgbColor(clWhite));
    }
    // on glass (composition on, in the caption, glass allowed) Black draws it
    const FARPROC saved = SetDwmEntry("DwmIsCompositionEnabled", AsProc(&SchemesCompositionOn));
    TPaintSurface glass(80, 26), blacks(80, 26), noGlass(80, 26);
    scheme_->DrawQuickAccessToolbar(glass.Canvas()->GetCanvasHandle(), r, false, true, true, true, false);
    black->DrawQuickAccessToolbar(blacks.Canvas()->GetCanvasHandle(), r, false, true, true, true, false);
    scheme_->DrawQuickAccessToolbar(noGlass.Canvas()->GetCanvasHandle(), r, false, true, true, true, true);
    SetDwmEntry("DwmIsCompositionEnabled", saved);
    EXPECT_TRUE(glass.SameAs(blacks));
    EXPECT_EQ(noGlass.At(10, 10), Bgr(0x606000));
    info_->QATIndentBeforeCustomizeButton[1] = nullptr;
    info_->QATShowsCustomizeButtonOutside[1] = nullptr;
}

TEST_F(SkinRibbonSchemeFixture, CaptionFontAndGalleryOffsetsComeFromTheSkinOrFromBlack) {
    std::unique_ptr<TdxBlackRibbonSkin> black(CreateRibbonSkin<TdxBlackRibbonSkin>());
    info_->RibbonDropDownGallerySizePanel->Image()->Margins()->AssignRect(TRect{1, 2, 3, 4});
    TdxSkinIntegerProperty fontDelta(nullptr, L"FontDelta");
    fontDelta.SetValue(2);
    info_->RibbonCaptionFontDelta = &fontDelta;
    EXPECT_EQ(scheme_->GetCaptionFontSize(9), black->GetCaptionFontSize(9) + 2);
    info_->RibbonCaptionFontDelta = nullptr;
    EXPECT_EQ(scheme_->GetCaptionFontSize(9), black->GetCaptionFontSize(9));
    EXPECT_TRUE(RectsEqual(scheme_->GetPartContentOffsets(65), TRect{1, 2, 3, 4}));
    EXPECT_TRUE(RectsEqual(scheme_->GetPartContentOffsets(64), black->GetPartContentOffsets(64)));
}
