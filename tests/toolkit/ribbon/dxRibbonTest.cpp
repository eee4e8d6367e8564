// The ribbon control: its owner checks, colour scheme lookup, update bracket, tab activation,
// keyboard toggle, height, and the skin interface through which bar painters draw with its
// colour scheme.
#include <gtest/gtest.h>

#include "GroupBox.h"
#include "PublishedDefaults.h"
#include "RecordingRibbonScheme.h"
#include "RibbonTesting.h"
#include "cxExtendedStylePainters.h"
#include "dxBarSkin.h"
#include "dxSkinInfo.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

// Only a form can own a ribbon: its defaults are checked on the fixture's ribbon.
const bool ribbonLeftOutOfDefaultsTest = LeaveOutOfDefaultsTest(TdxRibbon::StaticClass());

// Registers a recording scheme for a test and removes it again (if the test did not).
class TRegisteredRecorder {
public:
    explicit TRegisteredRecorder(const String& name = L"Recorder") : scheme(new TRecordingRibbonScheme(name)) {
        if (BarSkinManagerInstance()->AddSkin(scheme) < 0) {
            delete scheme;
            scheme = nullptr;
        }
    }
    ~TRegisteredRecorder() { Remove(); }
    void Remove() {
        if (scheme) BarSkinManagerInstance()->RemoveSkin(scheme);
        scheme = nullptr;
    }
    TRecordingRibbonScheme* scheme;
};

}  // namespace

TEST_F(RibbonTest, TheOwnerMustBeAFormWithoutAnotherRibbon) {
    EXPECT_EQ(ExceptionText([&] { new TdxRibbon(form.get()); }),
              L"There should be only one TdxRibbon instance on the form");
    TComponent* notAForm = new TComponent(nullptr);
    EXPECT_EQ(ExceptionText([&] { new TdxRibbon(notAForm); }), L"TdxRibbon should have TCustomForm as its Owner");
    delete notAForm;
}

TEST_F(RibbonTest, ANewRibbonHoldsItsDeclaredDefaults) {
    for (const std::string& off : PropertiesOffTheirDefaults(ribbon)) ADD_FAILURE() << off;
}

TEST_F(RibbonTest, AnUnknownColorSchemeNameKeepsTheScheme) {
    ribbon->SetColorSchemeName(L"Silver");
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Silver");
    ribbon->SetColorSchemeName(L"NoSuchScheme");
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Silver");
    ribbon->SetColorSchemeName(L"black");  // names are compared without case
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Black");
}

TEST_F(RibbonTest, ARemovedSchemeIsReplacedByTheFirstRibbonScheme) {
    TRegisteredRecorder recorder;
    ASSERT_NE(recorder.scheme, nullptr);
    ribbon->SetColorSchemeName(L"Recorder");
    ASSERT_EQ(ribbon->ColorScheme(), recorder.scheme);
    recorder.Remove();  // frees the scheme
    ASSERT_NE(ribbon->ColorScheme(), nullptr);
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Blue");
    ribbon->Repaint();  // draws with the new scheme, never through the freed one
}

TEST_F(RibbonTest, ARibbonDeletedWithoutFreeObjectIsNotVisitedByALaterSchemeChange) {
    delete ribbon;  // plain delete skips the component's destruction notices
    ribbon = nullptr;
    TRegisteredRecorder recorder;  // adding and removing a scheme walks the live ribbons
    ASSERT_NE(recorder.scheme, nullptr);
    recorder.Remove();
}

TEST_F(RibbonTest, NestedUpdateBracketsRecalculateOnceAtTheLastEnd) {
    NewTab(L"A");
    const int before = ribbon->ChangeCount();
    ribbon->BeginUpdate();
    ribbon->BeginUpdate();
    NewTab(L"B");
    ribbon->SetDocumentName(L"Level 1");
    ribbon->SetShowTabHeaders(true);
    ribbon->EndUpdate();
    EXPECT_EQ(ribbon->ChangeCount(), before);
    ribbon->EndUpdate();
    EXPECT_EQ(ribbon->ChangeCount(), before + 1);
}

TEST_F(RibbonTest, AVetoOfTabChangingChangesNothing) {
    TdxBar* bar = NewBar(L"BarHelp");
    TdxRibbonTab* first = NewTab(L"Элементы");
    TdxRibbonTab* second = NewTab(L"Помощь");
    AddGroup(second, bar);
    int changed = 0;
    struct THandlers {
        bool allow = false;
        int* changed;
        void Changing(TdxCustomRibbon*, TdxRibbonTab*, bool& allow_) { allow_ = allow; }
        void Changed(TdxCustomRibbon*) { ++*changed; }
    } handlers{false, &changed};
    ribbon->OnTabChanging = MakeEvent(&handlers, &THandlers::Changing);
    ribbon->OnTabChanged = MakeEvent(&handlers, &THandlers::Changed);
    second->SetActive(true);
    EXPECT_EQ(ribbon->ActiveTab(), first);
    EXPECT_FALSE(second->DockControl()->Visible());
    EXPECT_EQ(changed, 0);
    handlers.allow = true;
    second->SetActive(true);
    EXPECT_EQ(ribbon->ActiveTab(), second);
    EXPECT_EQ(bar->DockControl(), second->DockControl());
    EXPECT_EQ(changed, 1);
}

TEST_F(RibbonTest, CtrlF1TogglesTheGroupsAndTheHeightFollows) {
    NewTab(L"Элементы");
    const int full = ribbon->Height();
    EXPECT_EQ(full, ViewInfo()->GetTabGroupsBounds().bottom);
    Word key = VK_F1;
    ribbon->FormKeyDown(key, TShiftState{ssCtrl});
    EXPECT_EQ(key, 0) << "the key is consumed";
    EXPECT_FALSE(ribbon->ShowTabGroups());
    EXPECT_EQ(ribbon->Height(), ViewInfo()->GetTabRowHeight() + 1) << "the tab row and its bottom edge";
    key = VK_F1;
    ribbon->FormKeyDown(key, TShiftState{});
    EXPECT_EQ(key, VK_F1) << "F1 alone is left to the form";
    ribbon->FormKeyDown(key, TShiftState{ssCtrl});
    EXPECT_TRUE(ribbon->ShowTabGroups());
    EXPECT_EQ(ribbon->Height(), full);
    // Height cannot be set by hand.
    ribbon->SetHeight(300);
    EXPECT_EQ(ribbon->Height(), full);
}

// ---- the skin interface --------------------------------------------------------------------

TEST_F(RibbonTest, EachBarPartReachesItsSchemeOperation) {
    TRegisteredRecorder recorder;
    ASSERT_NE(recorder.scheme, nullptr);
    ribbon->SetColorSchemeName(L"Recorder");
    IdxSkin* skin = ribbon;
    const TRect r{10, 20, 110, 120};
    const struct {
        int part;
        const char* op;
        bool withState;
    } table[] = {
        {3, "DrawButton", true},
        {4, "DrawSplitButtonRight", true},
        {5, "DrawSplitButtonLeft", true},
        {6, "DrawLargeButton", true},
        {7, "DrawLargeSplitButtonBottom", true},
        {8, "DrawLargeSplitButtonTop", true},
        {11, "DrawEditButton", true},
        {13, "DrawEditDropDownButton", true},
        {14, "DrawEditEllipsisButton", true},
        {15, "DrawSpinDownButton", true},
        {16, "DrawSpinUpButton", true},
        {30, "DrawProgressSolidBand", false},
        {31, "DrawProgressDiscreteBand", false},
        {32, "DrawProgressBorder", false},
        {40, "DrawScreenTip", false},
        {50, "DrawInRibbonGalleryPane", true},
        {53, "DrawInRibbonGalleryScrollButton0", true},
        {54, "DrawInRibbonGalleryScrollButton1", true},
        {55, "DrawInRibbonGalleryScrollButton2", true},
        {56, "DrawDropDownGalleryBackground", false},
        {57, "DrawDropDownGallerySizePanelTop", false},
        {58, "DrawDropDownGallerySizePanelBottom", false},
        {59, "DrawDropDownGallerySizeGripTop", false},
        {60, "DrawDropDownGallerySizeGripBottom", false},
        {61, "DrawDropDownGalleryVerticalSizeGripTop", false},
        {62, "DrawDropDownGalleryVerticalSizeGripBottom", false},
        {63, "DrawDropDownGalleryGroupHeader", false},
        {65, "DrawDropDownGalleryFilterPanel", false},
        {336, "DrawMarkArrow", true},
        {337, "DrawMarkTruncated", true},
        {340, "DrawButtonArrow", true},
        {360, "DrawScrollArrow", false},
        {365, "DrawArrowDown", false},
        {366, "DrawArrowRight", false},
        {370, "DrawMenuDetachCaption", true},
        {380, "DrawMenuGlyphStrip", false},
        {390, "DrawMenuContent", false},
        {400, "DrawMenuSeparatorHorz", false},
        {410, "DrawMenuSeparatorVert", false},
        {430, "DrawMenuCheck", true},
        {440, "DrawMenuCheckMark", true},
        {442, "DrawMenuMarkGlyph", false},
        {446, "DrawMenuScrollButton", true},
        {450, "DrawDropDownBorder", false},
        {452, "DrawApplicationMenuBorder", false},
        {453, "DrawApplicationMenuContentHeader", false},
        {454, "DrawApplicationMenuContentFooter", false},
        {458, "DrawApplicationMenuButton", true},
        {460, "DrawButtonGroupButton", true},
        {470, "DrawButtonGroupBorderLeft", false},
        {480, "DrawButtonGroupSeparator", true},
        {490, "DrawButtonGroupBorderRight", false},
        {500, "DrawButtonGroupSplitButtonSeparator", true},
        {510, "DrawGroupLaunchButtonGlyph", true},
        {515, "DrawGroupLaunchButtonBackground", true},
        {520, "DrawQuickAccessToolbarGroupButton", true},
        {1000, "DrawCollapsedGroup", true},
        {1001, "DrawCollapsedGroupGlyphBackground", true},
    };
    for (const auto& row : table) {
        recorder.scheme->calls.clear();
        skin->DrawSkinPart(nullptr, r, row.part, 7);
        ASSERT_EQ(recorder.scheme->calls.size(), 1u) << "part " << row.part;
        const TRecordedCall& call = recorder.scheme->calls[0];
        EXPECT_EQ(call.op, row.op) << "part " << row.part;
        EXPECT_TRUE(SameRect(call.r, r)) << "part " << row.part;
        EXPECT_EQ(call.state, row.withState ? 7 : -1) << "part " << row.part;
    }
    // Parts without an operation, and empty rectangles, draw nothing.
    recorder.scheme->calls.clear();
    for (int part : {0, 2, 9, 12, 64, 341, 1002}) skin->DrawSkinPart(nullptr, r, part, 0);
    skin->DrawSkinPart(nullptr, TRect{5, 5, 5, 40}, 3, 0);
    EXPECT_TRUE(recorder.scheme->calls.empty());
}

TEST_F(RibbonTest, AGroupPartIsABodyAndACaptionBandWithItsInsetsAndMetrics) {
    TRegisteredRecorder recorder;
    ASSERT_NE(recorder.scheme, nullptr);
    ribbon->SetColorSchemeName(L"Recorder");
    IdxSkin* skin = ribbon;
    const int caption = ribbon->GetGroupCaptionHeight();
    EXPECT_GT(caption, 10);

    const TRect r{0, 0, 120, 90};
    skin->DrawSkinPart(nullptr, r, 1, 2);
    ASSERT_EQ(recorder.scheme->calls.size(), 2u);
    EXPECT_EQ(recorder.scheme->calls[0].op, "DrawTabGroupBackground");
    EXPECT_TRUE(SameRect(recorder.scheme->calls[0].r, TRect{0, 0, 120, 90 - caption - 3}));
    EXPECT_EQ(recorder.scheme->calls[1].op, "DrawTabGroupHeaderBackground");
    EXPECT_TRUE(SameRect(recorder.scheme->calls[1].r, TRect{0, 90 - caption - 3, 120, 90}));
    EXPECT_EQ(recorder.scheme->calls[1].state, 2);

    TRect captionRect;
    skin->CalcSkinCaptionRect(r, 1, captionRect);
    EXPECT_TRUE(SameRect(captionRect, TRect{2, 90 - 3 - caption, 117, 87}));
    skin->CalcSkinCaptionRect(r, 3, captionRect);
    EXPECT_TRUE(SameRect(captionRect, TRect{}));

    const struct {
        int part;
        TRect offsets;
    } insets[] = {
        {1, TRect{2, 2, 3, caption + 1 + 3}},
        {3, TRect{3, 3, 3, 3}},
        {520, TRect{3, 3, 3, 3}},
        {65, TRect{65, 1, 2, 3}},
        {1000, TRect{2, 2, 2, 2}},
        {1001, TRect{7, 4, 7, 11}},
        {6, TRect{}},
    };
    for (const auto& row : insets) {
        TRect offsets{-1, -1, -1, -1};
        skin->GetSkinPartContentOffsets(row.part, offsets);
        EXPECT_TRUE(SameRect(offsets, row.offsets)) << "part " << row.part;
    }
    for (int part : {0, 1, 3, 460, 461}) EXPECT_EQ(skin->GetSkinPartOffset(part), part == 1 ? 2 : part == 460 ? 3 : 0);
    String name;
    skin->GetSkinName(name);
    EXPECT_EQ(name, L"RecordedSkin");
    EXPECT_EQ(skin->GetSkinPartColor(10133, 4), TColor(101334));
}

// The skin-driven scheme of a skin painter goes when the painter is unregistered; a ribbon
// showing it falls back to the first ribbon scheme and still paints.
TEST_F(RibbonTest, UnregisteringTheSkinPainterOfTheShownSchemeLeavesTheRibbonOnBlue) {
    NewTab(L"Элементы");
    auto* info = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"Zeta"));
    ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"Zeta", TdxSkinLookAndFeelPainter::Instance(), info));
    ribbon->SetColorSchemeName(L"Zeta");
    ASSERT_EQ(ribbon->ColorSchemeName(), L"Zeta");
    GlobalExtendedStylePainters()->UnregisterPainter(L"Zeta");
    EXPECT_EQ(BarSkinManagerInstance()->FindSkin(L"Zeta"), nullptr);
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Blue");
    ribbon->Repaint();
}

TEST_F(RibbonTest, ARibbonPutOnAPanelSitsOnTheFormAtItsTop) {
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(20, 200, 200, 100);
    ribbon->SetParent(nullptr);
    ribbon->SetTop(150);
    ribbon->SetParent(box);
    EXPECT_EQ(ribbon->Parent(), form.get());
    EXPECT_EQ(ribbon->Top(), 0);
}
