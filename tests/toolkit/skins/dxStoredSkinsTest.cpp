// The two skins stored with the program ("LILIAN" and "DEFAULTUSERSKINDATA", resource type
// "DXSKINS"): each loads from its resource and consumes it exactly; its colours, groups and
// elements are the ones the painters resolve, in name order; the pictures cut into the frames
// that the skin compiler drew (its probe table); the stated facts hold.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "SkinTestSupport.h"
#include "dxSkinInfo.h"

namespace {

struct TStoredSkin {
    const wchar_t* resource;
    const wchar_t* name;
    int barsElements;
};
const TStoredSkin storedSkins[] = {{L"LILIAN", L"Lilian", 27}, {L"DEFAULTUSERSKINDATA", L"DefaultUserSkinData", 29}};

const wchar_t* const storedSkinColors[] = {L"ContainerBorderColor",
                                           L"ContainerHighlightBorderColor",
                                           L"ContentColor",
                                           L"ContentEvenColor",
                                           L"ContentOddColor",
                                           L"DockControlHiddenBarTextColor",
                                           L"DockControlHiddenBarTextHotColor",
                                           L"HeaderBackgroundColor",
                                           L"HeaderBackgroundTextColor",
                                           L"LayoutControlColor",
                                           L"SelectionColor",
                                           L"SelectionTextColor"};

struct TStoredGroup {
    const wchar_t* name;
    int elements;  // in "Lilian"
};
const TStoredGroup storedSkinGroups[] = {
    {L"Bars", 27},  {L"Common", 21},  {L"Docking", 12},    {L"Editors", 27}, {L"Form", 12},      {L"Grid", 12},
    {L"NavBar", 6}, {L"NavPane", 17}, {L"PageControl", 4}, {L"Ribbon", 47},  {L"Scheduler", 17}, {L"VerticalGrid", 3}};

// Loads a stored skin from the program's resources and tells how many bytes were left unread.
std::unique_ptr<TdxSkin> LoadStoredSkin(const TStoredSkin& stored, Int64* bytesLeft = nullptr) {
    auto skin = std::make_unique<TdxSkin>(stored.name);
    TResourceStream stream(GetModuleHandleW(nullptr), stored.resource, L"DXSKINS");
    skin->LoadFromStream(&stream);
    if (bytesLeft) *bytesLeft = stream.Size() - stream.Position();
    return skin;
}

struct TSkinProbe {
    const wchar_t* skin;
    const wchar_t* group;
    const wchar_t* element;
    bool glyph;
    int imageIndex;
    TdxSkinElementState state;
    int x, y;
    DWORD color;  // $00BBGGRR
};
const TSkinProbe skinProbes[] = {
#include "SkinProbes.inc"
};

}  // namespace

TEST(dxStoredSkins, EachLoadsFromItsResourceAndConsumesItExactly) {
    for (const TStoredSkin& stored : storedSkins) {
        Int64 left = -1;
        std::unique_ptr<TdxSkin> skin = LoadStoredSkin(stored, &left);
        EXPECT_EQ(left, 0) << stored.resource;
        EXPECT_EQ(skin->Name(), stored.name);
        EXPECT_EQ(skin->Version(), 1.02);
        EXPECT_EQ(skin->PropertyCount(), 0);
        // the skin's own name finds the resource (names of resources ignore case)
        TdxSkin byName(stored.name, true, GetModuleHandleW(nullptr));
        EXPECT_TRUE(byName.IsEqual(skin.get())) << stored.resource;
    }
}

TEST(dxStoredSkins, ColoursGroupsAndElementsAreTheResolvedOnesInNameOrder) {
    for (const TStoredSkin& stored : storedSkins) {
        std::unique_ptr<TdxSkin> skin = LoadStoredSkin(stored);
        ASSERT_EQ(skin->ColorCount(), 12) << stored.resource;
        for (int i = 0; i < 12; ++i) EXPECT_EQ(skin->Colors(i)->Name(), storedSkinColors[i]);
        ASSERT_EQ(skin->GroupCount(), 12) << stored.resource;
        int total = 0;
        for (int g = 0; g < 12; ++g) {
            TdxSkinControlGroup* group = skin->Groups(g);
            EXPECT_EQ(group->Name(), storedSkinGroups[g].name);
            const int expected = g == 0 ? stored.barsElements : storedSkinGroups[g].elements;
            EXPECT_EQ(group->ElementCount(), expected) << stored.resource << " " << g;
            for (int e = 1; e < group->ElementCount(); ++e)
                EXPECT_LT(CompareSkinNames(group->Elements(e - 1)->Name(), group->Elements(e)->Name()), 0)
                    << stored.resource << " " << e;
            total += group->ElementCount();
        }
        EXPECT_EQ(total, stored.barsElements == 27 ? 205 : 207);
        TdxSkinControlGroup* bars = skin->GetGroupByName(L"Bars");
        const bool hasMainMenuExtras = stored.barsElements == 29;
        EXPECT_EQ(bars->GetElementByName(L"MainMenuCustomize") != nullptr, hasMainMenuExtras);
        EXPECT_EQ(bars->GetElementByName(L"MainMenuDrag") != nullptr, hasMainMenuExtras);
        EXPECT_EQ(skin->GetGroupByName(L"Scheduler")->GetElementByName(L"TimeGridCurrentTimeIndicator"), nullptr);
    }
}

TEST(dxStoredSkins, ResolvingAddsNoPlaceholderAndFindsEveryColourAndProperty) {
    for (const TStoredSkin& stored : storedSkins) {
        std::unique_ptr<TdxSkin> skin = LoadStoredSkin(stored);
        int before[12];
        for (int g = 0; g < 12; ++g) before[g] = skin->Groups(g)->ElementCount();
        TdxSkinInfo info(skin.release());
        ASSERT_EQ(info.Skin()->GroupCount(), 12);
        for (int g = 0; g < 12; ++g) EXPECT_EQ(info.Skin()->Groups(g)->ElementCount(), before[g]) << stored.resource;
        // what the painters read, present in both skins
        const void* present[] = {info.BarDisabledTextColor,
                                 info.ScreenTipItemColor,
                                 info.ScreenTipTitleItemColor,
                                 info.CommonButtonDisabledTextColor,
                                 info.DockingTabHeaderTextColor,
                                 info.DockingTabHeaderTextColorActive,
                                 info.NavPaneCaptionHeight,
                                 info.NavPaneCaptionFontSize,
                                 info.PageControlTabHeaderTextColor,
                                 info.PageControlTabHeaderTextColorSelected,
                                 info.PageControlTabHeaderTextColorDisabled,
                                 info.PageControlTabHeaderTextColorHot,
                                 info.RibbonAppMenuExtraPaneColor,
                                 info.RibbonCaptionFontDelta,
                                 info.SchedulerNavigatorColor,
                                 info.AppointmentSeparatorColor,
                                 info.AppointmentBorderSize,
                                 info.FormTextColorInactive,
                                 info.FormTextShadowColor,
                                 info.QATShowsCustomizeButtonOutside[0],
                                 info.QATShowsCustomizeButtonOutside[1],
                                 info.QATIndentBeforeCustomizeButton[0],
                                 info.QATIndentBeforeCustomizeButton[1],
                                 info.ContainerBorderColor,
                                 info.ContainerHighlightBorderColor,
                                 info.ContentColor,
                                 info.ContentEvenColor,
                                 info.ContentOddColor,
                                 info.DockControlHiddenBarTextColor,
                                 info.DockControlHiddenBarTextHotColor,
                                 info.HeaderBackgroundColor,
                                 info.HeaderBackgroundTextColor,
                                 info.LayoutControlColor,
                                 info.SelectionColor,
                                 info.SelectionTextColor};
        for (size_t i = 0; i < std::size(present); ++i) EXPECT_NE(present[i], nullptr) << stored.resource << " " << i;
        for (int state = 0; state < 4; ++state) {
            EXPECT_NE(info.EditorBackgroundColors[state], nullptr);
            EXPECT_NE(info.EditorTextColors[state], nullptr);
        }
        EXPECT_EQ(info.ContentTextColor, nullptr);  // not one of the twelve
        EXPECT_NE(Integer(info.RibbonButtonDisabledColor), Integer(clDefault));
        EXPECT_NE(Integer(info.RibbonStatusBarTextColorHot), Integer(clDefault));
        EXPECT_NE(Integer(info.DockWindowCaptionInactiveTextColor), Integer(clDefault));
        EXPECT_NE(Integer(info.RibbonDocumentNameTextColor[0]), Integer(clDefault));
        EXPECT_NE(Integer(info.RibbonTabTextColorSelected), Integer(clDefault));
        // every bar window element answers a hot text colour
        for (TdxSkinElement* bar : {info.Bar, info.BarVertical, info.MainMenu, info.MainMenuVertical, info.PopupMenu,
                                    info.StatusBar, info.Dock})
            EXPECT_NE(bar->GetPropertyByName(L"TextColorHot"), nullptr) << bar->Name();
    }
}

TEST(dxStoredSkins, LilianHoldsItsStatedFacts) {
    std::unique_ptr<TdxSkin> skin = LoadStoredSkin(storedSkins[0]);
    TdxSkinControlGroup* grid = skin->GetGroupByName(L"Grid");
    TdxSkinElement* gridGroupPanel = grid->GetElementByName(L"GridGroupPanel");
    EXPECT_TRUE(gridGroupPanel->Image()->Empty());
    EXPECT_EQ(Integer(gridGroupPanel->Color()), 0xE9DAD6);
    EXPECT_EQ(Integer(gridGroupPanel->TextColor()), 0xB87D70);
    EXPECT_EQ(Integer(skin->GetColorByName(L"ContentColor")->Value()), 0xFBF9F9);
    TdxSkinControlGroup* editors = skin->GetGroupByName(L"Editors");
    EXPECT_EQ(Integer(static_cast<TdxSkinColor*>(editors->GetPropertyByName(L"BackgroundColor"))->Value()), 0xFFFFFF);
    EXPECT_EQ(Integer(static_cast<TdxSkinColor*>(editors->GetPropertyByName(L"BackgroundReadOnlyColor"))->Value()),
              Integer(clNone));

    TdxSkinInfo info(skin.release());
    // "GridGroupPanel" has no picture, so resolving leaves it without a background
    EXPECT_EQ(Integer(info.GridGroupPanel->Color()), Integer(clNone));
    EXPECT_EQ(Integer(info.GridGroupPanel->TextColor()), 0xB87D70);

    const TdxSkinElementStates buttonStates{esNormal, esHot, esPressed, esDisabled};
    EXPECT_EQ(info.ScrollButton->ImageCount(), 4);
    EXPECT_EQ(info.ScrollButton->Image()->States(), buttonStates);
    EXPECT_EQ(info.LinkSelected->Image()->States(),
              (TdxSkinElementStates{esHot, esPressed, esChecked, esHotCheck, esCheckPressed}));
    EXPECT_EQ(info.LinkSelected->Image()->ImageLayout(), ilVertical);
    EXPECT_EQ(info.LinkSelected->Image()->StateCount(), 5);
    EXPECT_EQ(info.PopupMenuLinkSelected->Image()->States(), (TdxSkinElementStates{esHot, esDisabled}));
    EXPECT_EQ(info.PopupMenuCheck->ImageCount(), 2);
    EXPECT_EQ(info.DockWindowButtonGlyphs->ImageCount(), 8);
    EXPECT_EQ(info.DockWindowButtonGlyphs->Image()->States(), (TdxSkinElementStates{esNormal, esHot, esPressed}));
    EXPECT_EQ(info.DockWindowButtonGlyphs->Image()->Stretch(), smNoResize);
    EXPECT_EQ(info.GroupRibbon->ElementCount(), 47);
    // the scroll parts: line-up, line-down, line-left, line-right from "ScrollButton"
    for (int kind = 0; kind < 2; ++kind)
        for (int part = 1; part <= 2; ++part) {
            TdxSkinScrollInfo* scroll = info.ScrollBarParts[kind][part];
            EXPECT_EQ(scroll->Element, info.ScrollButton);
            EXPECT_EQ(scroll->ImageIndex, kind * 2 + part - 1);
        }
}

TEST(dxStoredSkins, PicturesCutIntoTheFramesTheCompilerDrew) {
    std::unique_ptr<TdxSkin> skins[2] = {LoadStoredSkin(storedSkins[0]), LoadStoredSkin(storedSkins[1])};
    int checked = 0;
    std::set<std::wstring> seen;
    for (const TSkinProbe& probe : skinProbes) {
        TdxSkin* skin = String(probe.skin) == L"Lilian" ? skins[0].get() : skins[1].get();
        TdxSkinElement* element = skin->GetGroupByName(probe.group)->GetElementByName(probe.element);
        ASSERT_NE(element, nullptr) << probe.element;
        TdxSkinImage* image = probe.glyph ? element->Glyph() : element->Image();
        TdxRGBColors pixels;
        image->Picture()->GetPixels(pixels);
        const TRect frame = image->GetStateRect(probe.imageIndex, probe.state);
        const int width = image->Picture()->Width();
        const RGBQUAD p = pixels[size_t((frame.top + probe.y) * width + frame.left + probe.x)];
        const DWORD color = DWORD(p.rgbRed) | DWORD(p.rgbGreen) << 8 | DWORD(p.rgbBlue) << 16;
        EXPECT_EQ(p.rgbReserved, 255) << probe.element;
        EXPECT_EQ(color, probe.color) << String(probe.skin) << " " << probe.group << " " << probe.element << " set "
                                      << probe.imageIndex << " state " << int(probe.state);
        seen.insert(std::wstring(probe.skin) + probe.group + probe.element);
        ++checked;
    }
    EXPECT_GT(checked, 500);
    EXPECT_GT(seen.size(), 300u);
}
