// The skin-driven ribbon colour schemes: one per registered skin painter, after the atlas
// schemes; a painter registered later gets its scheme at once and loses it when unregistered.
// A scheme draws the skin's element where the skin has one, and exactly what Black draws where
// it finds no skin.

#include <gtest/gtest.h>

#include <memory>

#include "../PainterTestSupport.h"
#include "SkinTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "dxBarSkin.h"
#include "dxSkinLilian.h"
#include "dxSkinsdxRibbonPainter.h"

namespace {

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
