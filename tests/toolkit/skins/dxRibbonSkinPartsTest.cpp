// The parts a colour scheme cuts from its atlases: every row of the part table gives its IDs,
// state entries, margins, interpolation and size; the images of mapped states are the right
// atlas rectangles; and each part drawn one to one shows the colour the atlas generator put at
// its centre.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "../ToolkitTestSupport.h"
#include "SkinTestSupport.h"
#include "dxCore.h"

namespace {

// "0-5,8" -> {0, 1, 2, 3, 4, 5, 8}
std::vector<int> Numbers(const std::string& text) {
    std::vector<int> out;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const size_t dash = item.find('-');
        const int first = std::stoi(item.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
        for (int n = first; n <= last; ++n) out.push_back(n);
    }
    return out;
}

struct TExpectedGroup {
    TdxRibbonPartGroup group;  // the state array that receives the parts
    const char* states;
    const char* ids;
    TRect margins;
    int interpolation;
    int width, height;
};

// The part table as the ribbon's colour schemes define it.
const TExpectedGroup kExpected[] = {
    {rpgFormCaption, "0-1", "10000-10001", {6, 10, 6, 5}, 5, 14, 31},
    {rpgFormCaptionMaximized, "0-1", "10002-10003", {0, 10, 0, 5}, 5, 2, 31},
    {rpgFormBorderTopLeft, "0-1", "10004-10005", {0, 9, 0, 2}, 5, 4, 31},
    {rpgFormBorderTopRight, "0-1", "10006-10007", {0, 9, 0, 2}, 5, 4, 31},
    {rpgFormBorderLeft, "0-1", "10008-10009", {0, 0, 0, 5}, 5, 4, 6},
    {rpgFormBorderRight, "0-1", "10010-10011", {0, 0, 0, 5}, 5, 4, 6},
    {rpgFormBorderBottomThin, "0-1", "10012-10013", {0, 0, 0, 0}, 5, 2, 2},
    {rpgFormBorderBottom, "0-1", "10014-10015", {4, 0, 4, 0}, 5, 10, 4},
    {rpgDialogBorderBottom, "0-1", "10016-10017", {4, 0, 4, 0}, 5, 10, 4},
    {rpgQATCaptionLeftEnd, "0-1", "10061-10062", {2, 5, 0, 5}, 5, 7, 26},
    {rpgQATCaptionAppButtonEnd, "0-1", "10059-10060", {13, 5, 0, 5}, 5, 15, 26},
    {rpgQATCaptionBody, "0-1", "10063-10064", {0, 5, 13, 5}, 5, 18, 26},
    {rpgRibbonTopArea, "0", "10054", {0, 9, 0, 5}, 0, 2, 30},
    {rpgBorderIconBackground, "0-2", "10020-10022", {2, 2, 2, 2}, 5, 25, 25},
    {rpgBorderIconMinimize, "0-3", "10023-10026", {2, 2, 2, 2}, 5, 9, 9},
    {rpgBorderIconMaximize, "0-3", "10027-10030", {2, 2, 2, 2}, 5, 9, 9},
    {rpgBorderIconRestore, "0-3", "10031-10034", {2, 2, 2, 2}, 5, 9, 9},
    {rpgBorderIconClose, "0-3", "10035-10038", {2, 2, 2, 2}, 5, 9, 9},
    {rpgBorderIconHelp, "0-3", "10039-10042", {2, 2, 2, 2}, 5, 9, 9},
    {rpgApplicationButton, "0-2", "10067-10069", {0, 0, 0, 0}, 7, 42, 42},
    {rpgQATGlassLeftEnd, "0", "10056", {2, 2, 0, 2}, 7, 4, 26},
    {rpgQATGlassAppButtonEnd, "0", "10055", {0, 2, 2, 2}, 7, 16, 26},
    {rpgQATGlassBody, "0", "10057", {0, 7, 15, 7}, 7, 18, 26},
    {rpgHelpGlyph, "0", "10088", {0, 0, 0, 0}, 7, 16, 16},
    {rpgSmallButton, "2-8", "10292-10298", {2, 2, 2, 2}, 0, 22, 22},
    {rpgSplitButtonMain, "2-8", "10301-10307", {2, 2, 2, 2}, 0, 29, 22},
    {rpgSplitButtonDropDown, "2-8", "10310-10316", {2, 2, 2, 2}, 0, 12, 22},
    {rpgLargeButton, "2-8", "10319-10325", {2, 2, 2, 2}, 0, 42, 66},
    {rpgLargeSplitButtonTop, "2-8", "10328-10334", {2, 2, 2, 2}, 0, 42, 39},
    {rpgLargeSplitButtonBottom, "2-8", "10337-10343", {2, 2, 2, 2}, 0, 42, 27},
    {rpgLaunchButtonBackground, "2-4", "10409-10411", {2, 2, 2, 2}, 0, 15, 14},
    {rpgDetachCaption, "0,2", "10227,10229", {2, 2, 2, 2}, 0, 5, 5},
    {rpgMenuCheck, "0-1", "10236-10237", {2, 2, 2, 2}, 0, 6, 6},
    {rpgMenuCheckMark, "0-1", "10245-10246", {2, 2, 2, 2}, 0, 20, 20},
    {rpgMenuGlyphStrip, "0", "10075", {1, 1, 0, 1}, 0, 3, 4},
    {rpgMenuContent, "0", "10074", {0, 1, 1, 1}, 0, 3, 4},
    {rpgMenuSeparatorHorz, "0", "10077", {0, 0, 0, 0}, 0, 2, 2},
    {rpgMenuSeparatorVert, "0", "10078", {0, 0, 0, 0}, 0, 2, 2},
    {rpgDropDownBorder, "0", "10073", {3, 3, 3, 3}, 0, 8, 8},
    {rpgMenuScrollButton, "2,4", "10256,10258", {2, 2, 2, 2}, 0, 6, 12},
    {rpgQATGroupButtonGlyph, "0", "10052", {0, 0, 0, 0}, 0, 16, 16},
    {rpgProgressSolid, "0", "10081", {2, 2, 2, 2}, 0, 86, 8},
    {rpgProgressBlock, "0", "10082", {2, 2, 2, 2}, 0, 5, 8},
    {rpgTab, "0-4", "10043-10047", {4, 4, 4, 4}, 0, 24, 23},
    {rpgTabSeparator, "0", "10049", {0, 0, 0, 0}, 0, 1, 22},
    {rpgTabScrollButtonRight, "0-2", "10434-10436", {3, 4, 3, 5}, 0, 9, 24},
    {rpgTabScrollButtonLeft, "0-2", "10425-10427", {3, 4, 3, 5}, 0, 9, 24},
    {rpgGroupScrollButtonRight, "0-2", "10452-10454", {2, 4, 4, 4}, 0, 8, 92},
    {rpgGroupScrollButtonLeft, "0-2", "10443-10445", {4, 4, 2, 4}, 0, 8, 92},
    {rpgTabGroupsArea, "0", "10048", {5, 17, 5, 7}, 0, 11, 92},
    {rpgGroupBackground, "0,2", "10371,10373", {3, 14, 3, 0}, 0, 8, 68},
    {rpgGroupCaption, "0,2", "10380,10382", {3, 0, 3, 3}, 0, 8, 17},
    {rpgMarkArrow, "0,2,4", "10389,10391,10393", {0, 0, 0, 0}, 0, 7, 7},
    {rpgMarkTruncated, "0,2,4", "10398,10400,10402", {0, 0, 0, 0}, 0, 7, 7},
    {rpgCollapsedGroup, "0,2-4", "10263,10265-10267", {3, 15, 3, 3}, 0, 7, 85},
    {rpgCollapsedGroupGlyphFrame, "0,2-4", "10272,10274-10276", {4, 9, 4, 8}, 0, 10, 31},
    {rpgButtonArrow, "0-8", "10218-10226", {0, 0, 0, 0}, 0, 5, 4},
    {rpgEditButton, "0-5,8", "10281-10286,10289", {2, 2, 2, 2}, 0, 12, 20},
    {rpgArrowDown, "0", "10079", {0, 0, 0, 0}, 0, 7, 4},
    {rpgArrowRight, "0", "10080", {0, 0, 0, 0}, 0, 4, 7},
    {rpgAppMenuButton, "0", "10089", {2, 2, 2, 2}, 0, 6, 22},
    {rpgButtonGroupButton, "0-8", "10344-10352", {1, 2, 1, 2}, 0, 3, 22},
    {rpgButtonGroupBorderLeft, "0", "10084", {0, 2, 0, 2}, 0, 2, 22},
    {rpgButtonGroupBorderRight, "0", "10085", {0, 2, 0, 2}, 0, 2, 22},
    {rpgButtonGroupSeparator, "0-8", "10353-10361", {0, 2, 0, 2}, 0, 1, 22},
    {rpgButtonGroupSplitSeparator, "0-8", "10362-10370", {0, 2, 0, 2}, 0, 2, 22},
    {rpgLaunchGlyph, "0-4", "10416-10420", {0, 0, 0, 0}, 5, 12, 12},
    {rpgAppMenuBorder, "0", "10070", {3, 3, 3, 3}, 0, 8, 8},
    {rpgAppMenuHeader, "0", "10071", {0, 0, 0, 0}, 0, 2, 14},
    {rpgAppMenuFooter, "0", "10072", {0, 0, 0, 0}, 0, 2, 25},
    {rpgMenuMarkGlyph, "0", "10076", {0, 0, 0, 0}, 0, 16, 16},
    {rpgMenuScrollButton, "0", "10254", {1, 1, 1, 1}, 0, 4, 12},  // the normal image, from the scheme atlas
    {rpgProgressBorder, "0", "10083", {2, 2, 2, 2}, 0, 7, 7},
    {rpgScrollArrow, "0", "10086", {0, 0, 0, 0}, 0, 5, 3},
    {rpgScreenTip, "0", "10087", {2, 2, 2, 2}, 0, 6, 165},
    {rpgQATBelowBackground, "0", "10053", {3, 3, 3, 3}, 0, 10, 26},
    {rpgQATPopup, "0", "10058", {2, 2, 2, 2}, 0, 6, 28},
    {rpgQATGroupButtonActive, "0-5,8", "10200-10205,10208", {2, 2, 2, 2}, 0, 22, 22},
    {rpgQATGroupButton, "0-5,8", "10209-10214,10217", {2, 2, 2, 2}, 0, 22, 22},
    {rpgStatusBar, "0", "10090", {0, 2, 0, 3}, 0, 2, 22},
    {rpgStatusBarPanelRaised, "0", "10093", {0, 2, 0, 3}, 0, 2, 22},
    {rpgStatusBarPanelSeparator, "0", "10094", {0, 2, 0, 3}, 0, 3, 22},
    {rpgStatusBarToolbarSeparator, "0", "10096", {0, 2, 0, 3}, 0, 2, 22},
    {rpgStatusBarGripBackground, "0", "10095", {3, 2, 0, 3}, 0, 5, 22},
    {rpgStatusBarFrameLeft, "0-3", "10100-10103", {0, 2, 0, 3}, 0, 4, 22},
    {rpgStatusBarFrameLeftDialog, "0-3", "10108-10111", {0, 2, 0, 3}, 0, 4, 22},
    {rpgStatusBarFrameRight, "0-3", "10104-10107", {0, 2, 0, 3}, 0, 4, 22},
    {rpgStatusBarFrameRightDialog, "0-3", "10112-10115", {0, 2, 0, 3}, 0, 4, 22},
    {rpgGalleryScrollUp, "0-2,4", "10461-10463,10465", {2, 2, 2, 2}, 0, 15, 20},
    {rpgGalleryScrollDown, "0-2,4", "10470-10472,10474", {2, 2, 2, 2}, 0, 15, 20},
    {rpgGalleryDropDown, "0-2,4", "10479-10481,10483", {2, 2, 2, 2}, 0, 15, 20},
    {rpgGalleryFilterPanel, "0", "10125", {1, 1, 2, 1}, 0, 4, 13},
    {rpgGalleryGroupHeader, "0", "10126", {0, 0, 0, 2}, 0, 4, 4},
    {rpgGallerySizePanelTop, "0", "10120", {1, 1, 2, 2}, 0, 4, 11},
    {rpgGallerySizePanelBottom, "0", "10121", {1, 1, 2, 2}, 0, 4, 11},
    {rpgGallerySizeGripTop, "0", "10122", {0, 0, 0, 0}, 5, 7, 7},
    {rpgGallerySizeGripBottom, "0", "10123", {0, 0, 0, 0}, 5, 7, 7},
    {rpgGalleryVerticalSizeGrip, "0", "10124", {0, 0, 0, 0}, 0, 18, 7},
};

class dxRibbonSkinParts : public testing::Test {
protected:
    static void SetUpTestSuite() { scheme_ = NewScheme<TdxBlueRibbonSkin>().release(); }
    static void TearDownTestSuite() {
        delete scheme_;
        scheme_ = nullptr;
    }
    static TdxCustomRibbonSkin* scheme_;
};

TdxCustomRibbonSkin* dxRibbonSkinParts::scheme_ = nullptr;

TEST_F(dxRibbonSkinParts, EveryRowGivesItsIdsAndStateEntries) {
    std::map<TdxRibbonPartGroup, std::set<int>> filled;
    for (const TExpectedGroup& row : kExpected) {
        const std::vector<int> states = Numbers(row.states), ids = Numbers(row.ids);
        ASSERT_EQ(states.size(), ids.size()) << row.ids;
        for (size_t i = 0; i < states.size(); ++i) {
            const int index = scheme_->PartIndex(row.group, states[i]);
            const TdxSkinnedRect* part = scheme_->Parts(index);
            SCOPED_TRACE(RibbonPartRow(row.group).name + std::string(" state ") + std::to_string(states[i]));
            EXPECT_EQ(part->PartId(), ids[i]);
            EXPECT_TRUE(part->PartName().empty());
            EXPECT_TRUE(SameRect(part->Margins(), row.margins));
            EXPECT_EQ(part->Interpolation(), row.interpolation);
            EXPECT_EQ(part->SourceSize().cx, row.width);
            EXPECT_EQ(part->SourceSize().cy, row.height);
            filled[row.group].insert(states[i]);
        }
    }
    // Every other entry is empty, and the first part made is the active caption, which no state
    // strip contains.
    for (int group = 0; group < rpgCount; ++group)
        for (int state = 0; state < 9; ++state) {
            if (!filled[TdxRibbonPartGroup(group)].count(state)) {
                EXPECT_EQ(scheme_->PartIndex(TdxRibbonPartGroup(group), state), 0)
                    << RibbonPartRow(TdxRibbonPartGroup(group)).name << " state " << state;
            }
        }
    EXPECT_EQ(scheme_->PartIndex(rpgFormCaption, 0), 0);
    EXPECT_EQ(scheme_->Parts(0)->PartId(), 10000);
}

TEST_F(dxRibbonSkinParts, NoIdRepeatsAndEveryPartIsInTheTable) {
    std::set<int> ids;
    for (int i = 0; i < scheme_->Count(); ++i) {
        const int id = scheme_->Parts(i)->PartId();
        EXPECT_TRUE(ids.insert(id).second) << id;
        EXPECT_GE(id, 10000);
        EXPECT_LE(id, 10483);
    }
    size_t expected = 0;
    for (const TExpectedGroup& row : kExpected) expected += Numbers(row.ids).size();
    EXPECT_EQ(ids.size(), expected);
}

// True when the part, drawn one to one with nearest-neighbour sampling over black and over
// white, shows exactly the pixels of the atlas rectangle.
testing::AssertionResult ShowsAtlasRectangle(TdxSkinnedRect* part, const std::vector<DWORD>& atlas, int atlasWidth,
                                             const TRect& r) {
    const int w = RectWidth(r), h = RectHeight(r);
    part->SetInterpolation(5);
    TSkinDib dark(w, h, 0xFF000000), light(w, h, 0xFFFFFFFF);
    part->Draw(dark.DC(), TRect{0, 0, w, h});
    part->Draw(light.DC(), TRect{0, 0, w, h});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const DWORD want = atlas[size_t((r.top + y) * atlasWidth + r.left + x)];
            if (!ColorsNear(dark.Rgb(x, y), BlendOver(want, 0), 2) ||
                !ColorsNear(light.Rgb(x, y), BlendOver(want, 0xFFFFFF), 2))
                return testing::AssertionFailure()
                       << "pixel " << x << ", " << y << " of (" << r.left << ", " << r.top << ")";
        }
    return testing::AssertionSuccess();
}

TEST_F(dxRibbonSkinParts, MappedStatesTakeTheirImages) {
    TResourceStream resource(GetModuleHandleW(nullptr), L"RIBBONBLUE", RT_RCDATA);
    GpImage* image = CreateGpImageFromStream(&resource);
    int w = 0, h = 0;
    const std::vector<DWORD> atlas = ImagePixels(image, w, h);
    GdipDisposeImage(image);
    std::unique_ptr<TdxBlueRibbonSkin> scheme = NewScheme<TdxBlueRibbonSkin>();
    auto part = [&](TdxRibbonPartGroup g, int state) { return scheme->Parts(scheme->PartIndex(g, state)); };
    // The collapsed group: states 0, 2, 3, 4 take images 0, 1, 3, 2 of 25,0-32,85.
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgCollapsedGroup, 0), atlas, w, TRect{25, 0, 32, 85}));
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgCollapsedGroup, 2), atlas, w, TRect{25, 85, 32, 170}));
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgCollapsedGroup, 3), atlas, w, TRect{25, 255, 32, 340}));
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgCollapsedGroup, 4), atlas, w, TRect{25, 170, 32, 255}));
    // A horizontal strip in creation order: the group body's states 0 and 2.
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgGroupBackground, 0), atlas, w, TRect{66, 350, 74, 418}));
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgGroupBackground, 2), atlas, w, TRect{74, 350, 82, 418}));
    // The button arrow: all nine states over three images (0,1,2,2,2,2,0,0,1).
    const int arrowImages[9] = {0, 1, 2, 2, 2, 2, 0, 0, 1};
    for (int state = 0; state < 9; ++state)
        EXPECT_TRUE(ShowsAtlasRectangle(part(rpgButtonArrow, state), atlas, w,
                                        TRect{0, 237 + 4 * arrowImages[state], 5, 241 + 4 * arrowImages[state]}))
            << state;
    // The menu scroll button's normal image comes from this atlas.
    EXPECT_TRUE(ShowsAtlasRectangle(part(rpgMenuScrollButton, 0), atlas, w, TRect{20, 237, 24, 249}));
}

TEST(dxRibbonSkinProbes, EachPartDrawnOneToOneShowsItsProbeColour) {
    const DWORD background = 0x406080;
    for (const String scheme : {L"Blue", L"Black", L"Silver"}) {
        std::unique_ptr<TdxCustomRibbonSkin> skin = NewSchemeNamed(scheme);
        std::map<int, TdxSkinnedRect*> byId;
        for (int i = 0; i < skin->Count(); ++i) byId[skin->Parts(i)->PartId()] = skin->Parts(i);
        int checked = 0;
        for (const TRibbonProbe& probe : RibbonProbes()) {
            const String owner(probe.scheme, probe.scheme + strlen(probe.scheme));
            if (owner != L"Common" && owner != scheme) continue;
            TdxSkinnedRect* part = byId[probe.partId];
            ASSERT_NE(part, nullptr) << probe.partId;
            part->SetInterpolation(5);
            const TSize size = part->SourceSize();
            TSkinDib dib(size.cx, size.cy, 0xFF000000 | background);
            part->Draw(dib.DC(), TRect{0, 0, size.cx, size.cy});
            EXPECT_TRUE(ColorsNear(dib.Rgb(probe.x, probe.y), BlendOver(probe.color, background), 2))
                << probe.scheme << " part " << probe.partId << ": " << std::hex << dib.Rgb(probe.x, probe.y)
                << " instead of " << BlendOver(probe.color, background);
            ++checked;
        }
        EXPECT_EQ(checked, skin->Count());
    }
}

TEST(dxRibbonSkinAtlases, AMissingOrSmallAtlasRefusesTheScheme) {
    class TSmallSchemeAtlas : public TdxBlueRibbonSkin {
    protected:
        GpImage* LoadSchemeImage() override { return LoadAtlasResource(L"FORMBLUE"); }  // 50 x 292
    };
    class TNoSchemeAtlas : public TdxBlueRibbonSkin {
    protected:
        GpImage* LoadSchemeImage() override { return LoadAtlasResource(L"RIBBONNONE"); }
    };
    try {
        delete CreateRibbonSkin<TSmallSchemeAtlas>();
        FAIL() << "a scheme atlas too small for its parts was accepted";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"The ribbon atlas (50 x 292) has no room for part 10434");
    }
    EXPECT_THROW(delete CreateRibbonSkin<TNoSchemeAtlas>(), EResNotFound);
}

}  // namespace
