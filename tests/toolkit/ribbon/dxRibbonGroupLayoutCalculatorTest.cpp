// The group layout on fake groups and items: rows and columns, button groups and their spacing,
// separators, the minimum width, distribution over the group height, and the reduction steps.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "../ToolkitTestSupport.h"
#include "dxRibbonGroupLayoutCalculator.h"

namespace {

constexpr TdxBarItemViewLevels kLargeOrSmall{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon};
constexpr TdxBarItemViewLevels kSmallOnly{ivlSmallIconWithText};
constexpr TdxBarItemViewLevels kSmallOrIcon{ivlSmallIconWithText, ivlSmallIcon};

class TFakeLayoutItem final : public IdxBarItemControlViewInfo {
public:
    // widths at the four levels; levels the item may take.
    TFakeLayoutItem(std::array<int, 4> widths, TdxBarItemViewLevels allowed) : widths(widths), allowed(allowed) {}

    void CallHook() override { ++hooks; }
    int GetColumnRowCount() override { return columnRows; }
    void SetColumnRowCount(int count) override { columnRows = count; }
    TdxBarButtonGroupPosition GetButtonGroupPosition() override { return buttonGroup; }
    TdxBarButtonGroupPlace GetResolvedButtonGroupPosition() override { return place; }
    void SetResolvedButtonGroupPosition(TdxBarButtonGroupPlace value) override { place = value; }
    TdxBarItemViewLevel GetViewLevel() override { return level; }
    void SetViewLevel(TdxBarItemViewLevel value) override { level = value; }
    TdxBarItemViewLevels GetAllowedViewLevels() override { return allowed; }
    TdxBarItemViewLevel GetMinViewLevel() override { return ivlSmallIcon; }
    int GetWidthForLevel(TdxBarItemViewLevel value) override {
        if (!allowed.Contains(value)) throw EdxTestingLevel();
        return widths[value];
    }
    bool BeginsNewGroup() override { return beginGroup; }
    bool IsDistributed() override { return distributed; }
    bool IsDistributedExplicitly() override { return distributedByUser; }
    void SetDistributed(bool value) override { distributed = value; }
    TdxBarItemPosition GetLinkPosition() override { return position; }
    TdxBarItemAlign GetAlign() override { return align; }
    IColumnedItemControl* IsMultiColumn() override { return nullptr; }
    TRect GetBounds() override { return bounds; }
    void SetBounds(const TRect& r) override { bounds = r; }
    int GetRowIndex() override { return row; }
    void SetRowIndex(int value) override { row = value; }

    struct EdxTestingLevel {};

    std::array<int, 4> widths;
    TdxBarItemViewLevels allowed;
    TdxBarItemViewLevel level = ivlLargeIconWithText;
    TdxBarButtonGroupPosition buttonGroup = bgpNone;
    TdxBarButtonGroupPlace place = bgplNone;
    TdxBarItemPosition position = ipBeginsNewRow;
    TdxBarItemAlign align = iaLeft;
    bool beginGroup = false;
    bool distributed = false;
    bool distributedByUser = false;
    TRect bounds{-1, -1, -1, -1};
    int row = -1;
    int columnRows = 0;
    int hooks = 0;
};

class TFakeLayoutHost final : public IdxRibbonGroupLayoutHost {
public:
    void AppendSeparator(const TdxRibbonGroupSeparator& s) override { separators.push_back(s); }
    void ClearSeparators() override { separators.clear(); }
    TSize GetContentSize() override { return contentSize; }
    int CountItems() override { return int(items.size()); }
    IdxBarItemControlViewInfo* GetItem(int index) override { return items.at(size_t(index)).get(); }
    int GetMinContentWidth() override { return minContentWidth; }
    void GetSpacing(int& groupSpacing, int& left, int& right) override {
        groupSpacing = 3;
        left = 2;
        right = 2;
    }
    int CountSeparators() override { return int(separators.size()); }
    TdxRibbonGroupSeparator GetSeparator(int index) override { return separators.at(size_t(index)); }
    void SetContentSize(const TSize& size) override { contentSize = size; }
    void SetSeparator(int index, const TdxRibbonGroupSeparator& s) override { separators.at(size_t(index)) = s; }

    std::vector<std::unique_ptr<TFakeLayoutItem>> items;
    std::vector<TdxRibbonGroupSeparator> separators;
    TSize contentSize{-1, -1};
    int minContentWidth = 0;
};

class GroupLayoutTest : public ::testing::Test {
protected:
    // A one-row item: `width` at the small level (and `iconWidth` as an icon when given).
    TFakeLayoutItem& Small(int width, int iconWidth = 0, TdxBarItemPosition position = ipBeginsNewRow) {
        auto& item = Add({0, width, iconWidth, 0}, iconWidth ? kSmallOrIcon : kSmallOnly);
        item.position = position;
        return item;
    }
    // A large item that can turn small.
    TFakeLayoutItem& Large(int width, int smallWidth) { return Add({width, smallWidth, smallWidth, 0}, kLargeOrSmall); }
    TFakeLayoutItem& Add(std::array<int, 4> widths, TdxBarItemViewLevels allowed) {
        host.items.push_back(std::make_unique<TFakeLayoutItem>(widths, allowed));
        return *host.items.back();
    }
    TFakeLayoutItem& Item(int i) { return *host.items.at(size_t(i)); }
    void Layout() {
        calculator->InitializeItems(host);
        calculator->LayOutGroup(host);
    }

    TFakeLayoutHost host;
    IPtr<TdxRibbonGroupLayoutCalculator> calculator{new TdxRibbonGroupLayoutCalculator(22, 3)};
};

}  // namespace

TEST_F(GroupLayoutTest, AnEmptyGroupTakesTheMinimumWidthAndCannotBeReduced) {
    for (int minContent : {0, 29, 30, 45}) {
        host.minContentWidth = minContent;
        Layout();
        EXPECT_EQ(host.contentSize.cx, std::max(minContent, 30)) << minContent;
        EXPECT_EQ(host.contentSize.cy, 66);
        EXPECT_TRUE(host.separators.empty());
    }
    calculator->BeginReduction(host);
    EXPECT_FALSE(calculator->ReduceToViewLevel(host, ivlSmallIconWithText));
    EXPECT_FALSE(calculator->ReduceToViewLevel(host, ivlSmallIcon));
    EXPECT_FALSE(calculator->ReduceToViewLevel(host, ivlControlOnly));
    EXPECT_FALSE(calculator->NarrowColumnedItem(host));
    EXPECT_FALSE(calculator->FoldColumnedItem(host));
}

TEST_F(GroupLayoutTest, ANarrowGroupIsCentredInTheMinimumWidth) {
    struct Case {
        int minContent, expectedLeft, expectedWidth;
    } cases[] = {
        {0, 2 + (30 - 14) / 2, 30},   // 10 + indents 2 + 2 = 14 wide, centred in 30
        {51, 2 + (51 - 14) / 2, 51},  // odd difference: integer division
        {20, 2 + (30 - 14) / 2, 30},  // never below 30
    };
    Small(10);
    for (const Case& c : cases) {
        host.minContentWidth = c.minContent;
        Layout();
        EXPECT_EQ(Item(0).bounds.left, c.expectedLeft) << c.minContent;
        EXPECT_EQ(host.contentSize.cx, c.expectedWidth) << c.minContent;
        EXPECT_EQ(Item(0).hooks > 0, true) << "the layout-done hook runs";
    }
}

TEST_F(GroupLayoutTest, AFourthNewRowItemOpensAColumnAtTheWidestItemsRightEdge) {
    Small(40);
    Small(60);
    Small(50);
    Small(30);
    Layout();
    EXPECT_TRUE(SameRect(Item(0).bounds, Rect(2, 0, 42, 22)));
    EXPECT_TRUE(SameRect(Item(1).bounds, Rect(2, 22, 62, 44)));
    EXPECT_TRUE(SameRect(Item(2).bounds, Rect(2, 44, 52, 66)));
    EXPECT_TRUE(SameRect(Item(3).bounds, Rect(62, 0, 92, 22)));
    EXPECT_EQ(Item(3).row, 0);
    EXPECT_EQ(host.contentSize.cx, 2 + 60 + 30 + 2);
}

TEST_F(GroupLayoutTest, AColumnOfTwoDistributedRowsIsSpreadOverTheGroupHeight) {
    // The run follows the first flag set by the user (the second item's), not the first item's.
    Small(40);
    Small(40).distributedByUser = true;
    Item(1).distributed = true;
    Layout();
    EXPECT_EQ(Item(0).bounds.top, 8);
    EXPECT_EQ(Item(0).bounds.bottom, 30);
    EXPECT_EQ(Item(1).bounds.top, 37);
    EXPECT_TRUE(Item(0).distributed) << "every item of the run takes the deciding flag";
    EXPECT_EQ(Item(0).columnRows, 2);
    EXPECT_EQ(Item(1).columnRows, 2);
}

TEST_F(GroupLayoutTest, DistributionFollowsTheRunsFirstItemAndKeepsAFullColumn) {
    Small(40).distributed = true;
    Small(40);
    Small(40);
    Layout();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(i).bounds.top, 22 * i) << "three rows keep their places";
        EXPECT_TRUE(Item(i).distributed);
        EXPECT_EQ(Item(i).columnRows, 3);
    }
    host.items.clear();
    Small(40);
    Small(40);
    Layout();
    EXPECT_EQ(Item(1).bounds.top, 22) << "not distributed: rows stay at the top";
    EXPECT_FALSE(Item(1).distributed);
}

TEST_F(GroupLayoutTest, ButtonGroupPlacesFollowPositionsAndBoundaries) {
    struct Case {
        const char* name;
        std::vector<TdxBarButtonGroupPosition> positions;
        std::vector<bool> beginGroups;
        std::vector<TdxBarButtonGroupPlace> places;
    } cases[] = {
        {"start and members", {bgpStart, bgpMember, bgpMember}, {}, {bgplFirst, bgplMiddle, bgplLast}},
        {"a start alone", {bgpStart, bgpNone}, {}, {bgplSingle, bgplNone}},
        {"a member without a start", {bgpNone, bgpMember, bgpMember}, {}, {bgplNone, bgplNone, bgplNone}},
        {"a first member", {bgpMember, bgpMember}, {}, {bgplNone, bgplNone}},
        {"a member that begins a group", {bgpStart, bgpMember}, {false, true}, {bgplSingle, bgplNone}},
        {"two groups", {bgpStart, bgpMember, bgpStart, bgpMember}, {}, {bgplFirst, bgplLast, bgplFirst, bgplLast}},
    };
    for (const Case& c : cases) {
        host.items.clear();
        for (size_t i = 0; i < c.positions.size(); ++i) {
            Small(20, 20, ipContinuesRow).buttonGroup = c.positions[i];
            if (i < c.beginGroups.size()) Item(int(i)).beginGroup = c.beginGroups[i];
        }
        Layout();
        for (size_t i = 0; i < c.places.size(); ++i)
            EXPECT_EQ(Item(int(i)).place, c.places[i]) << c.name << ", item " << i;
    }
    // A large-only item never takes part in a button group.
    host.items.clear();
    Add({40, 0, 0, 0}, TdxBarItemViewLevels{ivlLargeIconWithText}).buttonGroup = bgpStart;
    Small(20, 20).buttonGroup = bgpMember;
    Layout();
    EXPECT_EQ(Item(0).place, bgplNone);
    EXPECT_EQ(Item(1).place, bgplNone);
}

TEST_F(GroupLayoutTest, ButtonGroupsOnARowAreThreePixelsApart) {
    // Two groups of two, then a plain item: all on row 0. Grouped items show as icons (20).
    for (TdxBarButtonGroupPosition p : {bgpStart, bgpMember, bgpStart, bgpMember})
        Small(30, 20, ipContinuesRow).buttonGroup = p;
    Small(25, 0, ipContinuesRow);
    Layout();
    std::vector<int> lefts;
    for (int i = 0; i < 5; ++i) {
        lefts.push_back(Item(i).bounds.left);
        EXPECT_EQ(Item(i).row, 0);
    }
    EXPECT_EQ(lefts, (std::vector<int>{2, 22, 45, 65, 88}));
    EXPECT_EQ(host.contentSize.cx, 88 + 25 + 2);
}

TEST_F(GroupLayoutTest, ABeginGroupPutsASeparatorBeforeItsItem) {
    Large(40, 30);
    Large(50, 30).beginGroup = true;
    Small(20).beginGroup = true;
    Layout();
    ASSERT_EQ(host.separators.size(), 2u);
    EXPECT_TRUE(SameRect(host.separators[0].bounds, Rect(42, 5, 50, 60)));
    EXPECT_EQ(host.separators[0].kind, 1);
    EXPECT_TRUE(SameRect(Item(1).bounds, Rect(50, 0, 100, 66)));
    EXPECT_TRUE(SameRect(host.separators[1].bounds, Rect(100, 5, 108, 60)));
    EXPECT_TRUE(SameRect(Item(2).bounds, Rect(108, 0, 128, 22)));
    EXPECT_EQ(host.contentSize.cx, 130);

    // Centring moves the separators with their items.
    host.items.clear();
    Small(4);
    Small(4).beginGroup = true;
    host.minContentWidth = 40;
    Layout();
    int shift = (40 - (4 + 8 + 4 + 4)) / 2;
    EXPECT_EQ(host.separators[0].bounds.left, 2 + 4 + shift);
    EXPECT_EQ(Item(1).bounds.left, 2 + 12 + shift);
}

TEST_F(GroupLayoutTest, OneColumnAlignsItsSingleItemsByTheirAlign) {
    Small(60);
    Small(20).align = iaCenter;
    Small(20).align = iaRight;
    Small(20);  // a fourth opens a new column; the column above ends 60 wide
    Layout();
    EXPECT_EQ(Item(1).bounds.left, 2 + 20);
    EXPECT_EQ(Item(2).bounds.left, 2 + 40);
    host.items.clear();
    Small(60);
    Small(20).align = iaClient;
    Layout();
    EXPECT_TRUE(SameRect(Item(1).bounds, Rect(2, 22, 62, 44)));
}

TEST_F(GroupLayoutTest, WholeHeightSequencesAreReducedFromTheRight) {
    // Large, one small, large: the rightmost large one goes first without the free-slot test;
    // the left one then has two units after it and waits for the next step.
    Large(40, 30);
    Small(25);
    Large(40, 35);
    Layout();
    calculator->BeginReduction(host);
    ASSERT_EQ(calculator->Sequences().size(), 1u);
    ASSERT_EQ(calculator->Sequences()[0].size(), 2u);
    EXPECT_EQ(calculator->Sequences()[0][0].rowsAfter, 1);
    EXPECT_EQ(calculator->Sequences()[0][1].rowsBefore, 1);

    ASSERT_TRUE(calculator->ReduceToViewLevel(host, ivlSmallIconWithText));
    EXPECT_EQ(Item(0).level, ivlLargeIconWithText);
    EXPECT_EQ(Item(2).level, ivlSmallIconWithText);
    EXPECT_EQ(Item(2).bounds.top, 22) << "laid out again: it went under the small item";
    ASSERT_TRUE(calculator->ReduceToViewLevel(host, ivlSmallIconWithText));
    EXPECT_EQ(Item(0).level, ivlSmallIconWithText);
    EXPECT_EQ(host.contentSize.cx, 2 + 35 + 2);
    EXPECT_FALSE(calculator->ReduceToViewLevel(host, ivlSmallIconWithText));
}

TEST_F(GroupLayoutTest, TheFreeSlotTestDecidesTheFollowingSteps) {
    struct Case {
        const char* name;
        int larges;
        std::vector<TdxBarItemViewLevel> after;
    } cases[] = {
        // Alone a large item would take a column of its own: nothing to win.
        {"one large item", 1, {ivlLargeIconWithText}},
        // Three large items fold into one column of three in a single step.
        {"three large items", 3, {ivlSmallIconWithText, ivlSmallIconWithText, ivlSmallIconWithText}},
        // Of four, the last three fill one column; the first would stand alone.
        {"four large items",
         4,
         {ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIconWithText, ivlSmallIconWithText}},
    };
    for (const Case& c : cases) {
        host.items.clear();
        for (int i = 0; i < c.larges; ++i) Large(40, 30);
        Layout();
        calculator->BeginReduction(host);
        calculator->ReduceToViewLevel(host, ivlSmallIconWithText);
        for (int i = 0; i < c.larges; ++i) EXPECT_EQ(Item(i).level, c.after[size_t(i)]) << c.name << ", item " << i;
    }
}

TEST_F(GroupLayoutTest, OneRowReductionPassesOverAColumnThatWouldNotNarrow) {
    // Column A: 100 (40 as an icon) over 60 (fixed). Column B, at the right: 60 (20 as an
    // icon) over 100 (fixed): reducing its first item would not make it narrower.
    Small(100, 40);
    Small(60);
    Small(60, 20).position = ipBeginsNewColumn;
    Small(100);
    Layout();
    EXPECT_EQ(host.contentSize.cx, 2 + 100 + 100 + 2);
    calculator->BeginReduction(host);
    ASSERT_TRUE(calculator->ReduceToViewLevel(host, ivlSmallIcon));
    EXPECT_EQ(Item(2).level, ivlSmallIconWithText);
    EXPECT_EQ(Item(0).level, ivlSmallIcon);
    EXPECT_EQ(host.contentSize.cx, 2 + 60 + 100 + 2);
    EXPECT_FALSE(calculator->ReduceToViewLevel(host, ivlSmallIcon));
    // After a level that found nothing, the next one starts again at the right end.
    Item(3).allowed = TdxBarItemViewLevels{ivlSmallIconWithText, ivlControlOnly};
    Item(3).widths[ivlControlOnly] = 10;
    EXPECT_TRUE(calculator->ReduceToViewLevel(host, ivlControlOnly));
    EXPECT_EQ(Item(3).level, ivlControlOnly);
}
