// The skin info: every group, element, colour and property the painters use is found once and
// again after each change of the skin; what a skin lacks is added (red-cross placeholders), and
// the form, page control, scroll bar and grid group panel elements are adjusted for drawing.

#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"
#include "cxLookAndFeel.h"
#include "dxSkinInfo.h"

namespace {

int SkinElementTotal(TdxSkin* skin) {
    int total = 0;
    for (int g = 0; g < skin->GroupCount(); ++g) total += skin->Groups(g)->ElementCount();
    return total;
}

// Counts the changes the root look-and-feel tells its dependants about.
struct TRootChangeCounter : TObject {
    int count = 0;
    void Changed(TcxLookAndFeel* sender, TcxLookAndFeelValues values) { ++count; }
};

}  // namespace

TEST(dxSkinInfo, AnEmptySkinGetsEveryGroupAndEveryElementButTheOptionalOnes) {
    TdxSkinInfo info(new TdxSkin(L"Empty"));
    TdxSkin* skin = info.Skin();
    ASSERT_EQ(skin->GroupCount(), 12);
    EXPECT_EQ(info.GroupBars->Name(), L"Bars");
    // 27 bar elements, each a 32 x 32 red cross
    EXPECT_EQ(info.GroupBars->ElementCount(), 27);
    EXPECT_EQ(info.MainMenuCustomize, nullptr);
    EXPECT_EQ(info.MainMenuDrag, nullptr);
    EXPECT_EQ(info.TimeGridCurrentTimeIndicator, nullptr);
    EXPECT_EQ(info.GroupRibbon->ElementCount(), 47);
    EXPECT_EQ(SkinElementTotal(skin), 205);
    TdxSkinElement* bar = info.Bar;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Image()->States(), TdxSkinElementStates{esNormal});
    EXPECT_EQ(bar->Image()->Stretch(), smStretch);
    EXPECT_TRUE(PointsEqual(bar->Size(), TSize{32, 32}));
    TSkinDib surface(32, 32, 0xFF00FF00);
    bar->DrawInRect(surface.DC(), TRect{0, 0, 32, 32}, 0, esNormal);
    for (int i = 2; i < 30; i += 3) {
        EXPECT_EQ(surface.Rgb(i, i), 0xFF0000u) << i;       // the falling diagonal
        EXPECT_EQ(surface.Rgb(i, 31 - i), 0xFF0000u) << i;  // the rising one
    }
    EXPECT_EQ(surface.Rgb(16, 3), 0xFFFFFFu);  // white between the lines
    EXPECT_EQ(surface.Rgb(16, 29), 0xFFFFFFu);
    // two pixels wide across a line: (10,10) and a neighbour are red, two further is not
    EXPECT_EQ(surface.Rgb(11, 10), 0xFF0000u);
    EXPECT_EQ(surface.Rgb(13, 10), 0xFFFFFFu);
}

TEST(dxSkinInfo, ASkinWithoutBarsGetsTheBarsGroupWithTwentySevenPlaceholders) {
    auto skin = new TdxSkin(L"NoBars");
    TdxSkinControlGroup* common = skin->AddGroup(L"Common");
    TdxSkinElement* button = common->AddElement(L"Button");
    SetSkinTestPictureColor(button->Image(), 10, 10, 0x123456);
    TdxSkinInfo info(skin);
    EXPECT_EQ(skin->GetGroupByName(L"Bars")->ElementCount(), 27);
    EXPECT_EQ(info.CommonButton, button);  // found, not replaced
    EXPECT_EQ(common->ElementCount(), 21);
}

TEST(dxSkinInfo, ASecondResolutionAddsNothingAndAChangeResolvesOnce) {
    TdxSkinInfo info(new TdxSkin(L"Empty"));
    TdxSkin* skin = info.Skin();
    const int total = SkinElementTotal(skin);
    TdxSkinElement* bar = info.Bar;
    info.SkinChanged();
    EXPECT_EQ(SkinElementTotal(skin), total);
    EXPECT_EQ(info.Bar, bar);
    // a colour change of the skin: one notice, a new resolution, nothing added
    TSkinNoticeCounter counter;
    skin->AddListener(&counter);
    TdxSkinColor* color = skin->AddColor(L"ContentColor", clRed);
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(info.ContentColor, color);
    color->SetValue(clBlue);
    EXPECT_EQ(counter.count, 2);
    EXPECT_EQ(SkinElementTotal(skin), total);
    EXPECT_EQ(skin->LockCount(), 0);
    skin->RemoveListener(&counter);
}

TEST(dxSkinInfo, CaptionFontDeltaIsAtLeastOne) {
    const struct {
        const char* name;
        int stored;
        bool present;
        int expected;
    } cases[] = {{"missing", 0, false, 1}, {"zero", 0, true, 1}, {"negative", -3, true, 1}, {"two", 2, true, 2}};
    for (const auto& c : cases) {
        auto skin = new TdxSkin(L"S");
        TdxSkinElement* caption = skin->AddGroup(L"Form")->AddElement(L"FormCaption");
        if (c.present)
            static_cast<TdxSkinIntegerProperty*>(
                caption->AddProperty(L"FontDelta", TdxSkinIntegerProperty::StaticClass()))
                ->SetValue(c.stored);
        TdxSkinInfo info(skin);
        EXPECT_EQ(info.CaptionFontDelta, c.expected) << c.name;
    }
    // without a skin nothing is resolved and the value stays
    TdxSkinInfo empty(nullptr);
    EXPECT_EQ(empty.CaptionFontDelta, 0);
    EXPECT_EQ(empty.GroupBars, nullptr);
    EXPECT_EQ(empty.Bar, nullptr);
    EXPECT_EQ(empty.ScrollBarParts[0][1], nullptr);
    TdxSkinInfo info(new TdxSkin(L"S"));
    EXPECT_EQ(info.CaptionFontDelta, 1);
    TdxSkin* skin = info.Skin();
    info.SetSkin(nullptr);
    EXPECT_EQ(info.CaptionFontDelta, 1);
    EXPECT_EQ(info.Bar, nullptr);
    EXPECT_EQ(skin->ListenerCount(), 0);
    delete skin;
}

TEST(dxSkinInfo, FormElementsAreAdjustedForDrawing) {
    auto skin = new TdxSkin(L"S");
    TdxSkinControlGroup* form = skin->AddGroup(L"Form");
    TdxSkinElement* close = form->AddElement(L"FormButtonClose");
    close->Image()->SetStates({esNormal, esHot, esActive});
    close->Image()->SetStretch(smTile);
    TdxSkinElement* left = form->AddElement(L"FormFrameLeft");
    left->Image()->SetStates({esNormal});
    // two pixels: one frame for each of the two states the frames get
    SetSkinTestPictureColor(left->Image(), 2, 10, 0x202020);
    left->Image()->Margins()->AssignRect(TRect{3, 2, 3, 2});
    TdxSkinElement* right = form->AddElement(L"FormFrameRight");
    right->Image()->SetStates({esActive, esActiveDisabled});
    SetSkinTestPictureColor(right->Image(), 8, 10, 0x202020);  // two frames of 4
    right->Image()->Margins()->AssignRect(TRect{3, 2, 3, 2});
    TdxSkinElement* bottom = form->AddElement(L"FormFrameBottom");
    bottom->Image()->SetStates({esActive});
    SetSkinTestPictureColor(bottom->Image(), 10, 1, 0x202020);  // two frames of 5 x 1
    bottom->Image()->Margins()->AssignRect(TRect{2, 3, 2, 3});

    TdxSkinInfo info(skin);
    EXPECT_EQ(info.FormButtons[dxSkinNormalCaption][5], close);
    EXPECT_EQ(close->Image()->States(), (TdxSkinElementStates{esNormal, esHot, esActiveDisabled}));
    EXPECT_EQ(close->Image()->Stretch(), smStretch);
    EXPECT_EQ(info.FormButtons[dxSkinNormalCaption][0], nullptr);
    EXPECT_NE(info.FormButtons[dxSkinSmallCaption][5], nullptr);
    EXPECT_EQ(info.FormButtons[dxSkinSmallCaption][1], nullptr);
    EXPECT_EQ(left->Image()->States(), (TdxSkinElementStates{esActive, esActiveDisabled}));
    // one-pixel frames: the single column or row is stretched along the side
    EXPECT_TRUE(SameRect(left->Image()->Margins()->Rect(), TRect{1, 2, 0, 2}));
    EXPECT_TRUE(SameRect(right->Image()->Margins()->Rect(), TRect{3, 2, 3, 2}));
    EXPECT_TRUE(SameRect(bottom->Image()->Margins()->Rect(), TRect{2, 0, 2, 1}));
    EXPECT_TRUE(SameRect(info.FormFrameSizes[dxSkinNormalCaption], TRect{1, 0, 4, 1}));
    EXPECT_TRUE(SameRect(info.FormFrameSizes[dxSkinSmallCaption], TRect{1, 0, 4, 1}));
    EXPECT_EQ(info.FormFrames[dxSkinSmallCaption][dxSkinFrameCaption]->Name(), L"SmallFormCaption");
    EXPECT_EQ(info.FormFrames[dxSkinNormalCaption][dxSkinFrameCaption]->Name(), L"FormCaption");
}

TEST(dxSkinInfo, AOnePixelLeftFrameDrawsItsColumnOverTheWholeHeight) {
    auto skin = new TdxSkin(L"S");
    TdxSkinElement* left = skin->AddGroup(L"Form")->AddElement(L"FormFrameLeft");
    left->Image()->SetStates({esActive});
    // the active frame's column is blue above red; the inactive one (added by resolving) grey
    SetSkinTestPicture(left->Image(), 2, 9, [](int x, int y) -> DWORD {
        return x ? 0xFF808080u : y < 4 ? 0xFF0000FFu : 0xFFFF0000u;
    });
    TdxSkinInfo info(skin);
    EXPECT_EQ(info.FormFrameSizes[dxSkinNormalCaption].left, 1);
    TSkinDib surface(4, 40, 0xFFFFFFFF);
    left->DrawInRect(surface.DC(), TRect{0, 0, 1, 40}, 0, esActive);
    // margins 1 and 0: the column is the left edge part, stretched from top to bottom
    EXPECT_PRED3(ColorsNear, surface.Rgb(0, 0), 0x0000FFu, 8);
    EXPECT_PRED3(ColorsNear, surface.Rgb(0, 39), 0xFF0000u, 8);
    EXPECT_EQ(surface.Rgb(1, 20), 0xFFFFFFu);
}

TEST(dxSkinInfo, ScrollPartsPageControlAndGridGroupPanelFollowTheSkin) {
    auto skin = new TdxSkin(L"S");
    TdxSkinElement* content = skin->AddGroup(L"Form")->AddElement(L"FormContent");
    content->SetColor(TColor(0x445566));
    TdxSkinControlGroup* grid = skin->AddGroup(L"Grid");
    TdxSkinElement* withPicture = grid->AddElement(L"GridGroupPanel");
    SetSkinTestPictureColor(withPicture->Image(), 4, 4, 0x777777);
    withPicture->SetColor(TColor(0x112233));
    TdxSkinInfo info(skin);
    EXPECT_EQ(Integer(info.GridGroupPanel->Color()), 0x112233);  // a picture keeps its colour
    EXPECT_EQ(Integer(info.ScrollButton->Color()), 0x445566);
    EXPECT_EQ(Integer(info.TabButtonHorz->Color()), 0x445566);
    EXPECT_EQ(Integer(info.TabButtonVert->Color()), 0x445566);
    const struct {
        int kind, part;
        TdxSkinElement* element;
        int imageIndex;
    } parts[] = {
        {0, 1, info.ScrollButton, 0},      {0, 2, info.ScrollButton, 1},      {1, 1, info.ScrollButton, 2},
        {1, 2, info.ScrollButton, 3},      {0, 3, info.ScrollThumbVert, 0},   {1, 3, info.ScrollThumbHorz, 0},
        {0, 4, info.ScrollContentVert, 0}, {0, 5, info.ScrollContentVert, 0}, {1, 4, info.ScrollContentHorz, 0},
        {1, 5, info.ScrollContentHorz, 0},
    };
    for (const auto& p : parts) {
        TdxSkinScrollInfo* scroll = info.ScrollBarParts[p.kind][p.part];
        ASSERT_NE(scroll, nullptr);
        EXPECT_EQ(scroll->Element, p.element);
        EXPECT_EQ(scroll->ImageIndex, p.imageIndex);
    }
    EXPECT_EQ(info.ScrollBarParts[0][0], nullptr);
    // a part without an element draws nothing and says so
    TdxSkinScrollInfo none(nullptr, 0);
    TSkinDib surface(10, 10, 0xFFFFFFFF);
    EXPECT_FALSE(none.Draw(surface.DC(), TRect{0, 0, 10, 10}, 0, esNormal));
    EXPECT_TRUE(info.ScrollBarParts[0][1]->Draw(surface.DC(), TRect{0, 0, 10, 10}, 0, esNormal));

    // without a picture the grid group panel loses its colour
    auto plainSkin = new TdxSkin(L"P");
    plainSkin->AddGroup(L"Grid")->AddElement(L"GridGroupPanel")->SetColor(TColor(0xE9DAD6));
    TdxSkinInfo plain(plainSkin);
    EXPECT_EQ(Integer(plain.GridGroupPanel->Color()), Integer(clNone));
}

TEST(dxSkinInfo, ColoursAndPropertiesAreFoundWhereThePaintersLook) {
    auto skin = new TdxSkin(L"S");
    TdxSkinColor* content = skin->AddColor(L"ContentColor", TColor(0x010101));
    TdxSkinControlGroup* ribbon = skin->AddGroup(L"Ribbon");
    static_cast<TdxSkinColor*>(ribbon->AddProperty(L"ButtonDisabled", TdxSkinColor::StaticClass()))
        ->SetValue(TColor(0x020202));
    static_cast<TdxSkinIntegerProperty*>(
        ribbon->AddProperty(L"TabHeaderDownGrow", TdxSkinIntegerProperty::StaticClass()))
        ->SetValue(3);
    TdxSkinElement* caption = ribbon->AddElement(L"FormCaption");
    caption->SetTextColor(TColor(0x030303));
    static_cast<TdxSkinColor*>(caption->AddProperty(L"TextColorInactive", TdxSkinColor::StaticClass()))
        ->SetValue(TColor(0x040404));
    // a property of the wrong class is not taken
    static_cast<TdxSkinIntegerProperty*>(
        caption->AddProperty(L"DocumentNameTextColor", TdxSkinIntegerProperty::StaticClass()))
        ->SetValue(5);
    TdxSkinControlGroup* editors = skin->AddGroup(L"Editors");
    TdxSkinColor* readOnly =
        static_cast<TdxSkinColor*>(editors->AddProperty(L"BackgroundReadOnlyColor", TdxSkinColor::StaticClass()));
    TdxSkinInfo info(skin);
    EXPECT_EQ(info.ContentColor, content);
    EXPECT_EQ(Integer(info.RibbonButtonDisabledColor), 0x020202);
    EXPECT_EQ(info.RibbonTabHeaderDownGrow, 3);
    EXPECT_EQ(Integer(info.RibbonCaptionTextColor[0]), 0x030303);
    EXPECT_EQ(Integer(info.RibbonCaptionTextColor[1]), 0x040404);
    EXPECT_EQ(Integer(info.RibbonDocumentNameTextColor[0]), Integer(clDefault));
    EXPECT_EQ(Integer(info.RibbonDocumentNameTextColor[1]), 0x040404);
    EXPECT_EQ(info.EditorBackgroundColors[dxSkinEditorReadOnly], readOnly);
    EXPECT_EQ(info.EditorBackgroundColors[dxSkinEditorNormal], nullptr);
    EXPECT_EQ(info.RibbonFormAppButtonRightIndent, 0);
    EXPECT_EQ(info.QATShowsCustomizeButtonOutside[0], nullptr);
}

TEST(dxSkinInfo, AnInfoLeavesItsSkinAndFreesItWhenItGoes) {
    auto* skin = new TdxSkin(L"S");
    auto* info = new TdxSkinInfo(skin);
    EXPECT_EQ(skin->ListenerCount(), 1);
    IdxSkinInfo* asInfo = info;
    EXPECT_EQ(asInfo->GetSkin(), skin);
    auto* other = new TdxSkin(L"Other");
    info->SetSkin(other);
    EXPECT_EQ(skin->ListenerCount(), 0);
    EXPECT_EQ(other->ListenerCount(), 1);
    EXPECT_EQ(info->GroupBars->Skin(), other);
    delete info;  // frees "Other"
    delete skin;
}

TEST(dxSkinInfo, TheUserSkinsInfoTellsTheRootLookAndFeelOncePerChange) {
    TcxLookAndFeel* root = GetRootLookAndFeel();
    ASSERT_NE(root, nullptr);
    TcxLookAndFeel follower(nullptr);
    TRootChangeCounter counter;
    follower.OnChanged = MakeEvent(&counter, &TRootChangeCounter::Changed);
    TdxSkinUserLookAndFeelPainterInfo info(new TdxSkin(L"UserSkin"));
    counter.count = 0;
    info.Skin()->AddColor(L"ContentColor", clRed);
    EXPECT_EQ(counter.count, 1);
    info.SkinChanged();
    EXPECT_EQ(counter.count, 2);
}
