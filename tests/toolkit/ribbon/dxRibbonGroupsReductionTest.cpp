// The groups of a tab on fake groups: when they fit, the reduction stages from the right, the
// collapse stage, the collapsed and expanded reports, scrolling and bringing a rectangle into view.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dxRibbonGroupsDockControlViewInfo.h"

namespace {

class TFakeReducibleGroup final : public IdxRibbonReducibleGroup {
public:
    TFakeReducibleGroup(std::string name, int width, std::vector<std::string>& log)
        : name(std::move(name)), fullWidth(width), log(log) {}

    void RebuildItems() override {
        collapsed = false;
        width = fullWidth;
        steps = plan;
    }
    void Calculate() override {
        if (failOnCalculate) throw std::runtime_error("layout failed");
        if (collapsed) width = collapsedWidth;
    }
    int GetWidth() override { return width; }
    bool IsCollapsed() override { return collapsed; }
    void SetCollapsed(bool value) override {
        collapsed = value;
        log.push_back(name + ":collapse");
    }
    bool CanCollapse() override { return canCollapse; }
    void BeginReduction() override { log.push_back(name + ":begin"); }
    bool NarrowColumnedItem() override { return Step("narrow"); }
    bool FoldColumnedItem() override { return Step("fold"); }
    bool ReduceToViewLevel(TdxBarItemViewLevel level) override { return Step("level" + std::to_string(int(level))); }
    void FinishLayout() override { ++finishes; }

    // Each named step narrows the group by `by` once per entry.
    void Plan(const std::string& step, int by) { plan.push_back({step, by}); }

    std::string name;
    int fullWidth, width = 0, collapsedWidth = 50;
    bool collapsed = false, canCollapse = true, failOnCalculate = false;
    int finishes = 0;

private:
    bool Step(const std::string& step) {
        log.push_back(name + ":" + step);
        for (auto it = steps.begin(); it != steps.end(); ++it)
            if (it->first == step) {
                width -= it->second;
                steps.erase(it);
                return true;
            }
        return false;
    }
    std::vector<std::pair<std::string, int>> plan, steps;
    std::vector<std::string>& log;
};

class TTestGroupsViewInfo final : public TdxRibbonGroupsDockControlViewInfo {
public:
    TTestGroupsViewInfo() : TdxRibbonGroupsDockControlViewInfo(nullptr) {}
    std::vector<std::unique_ptr<TFakeReducibleGroup>> groups;
    std::vector<std::string> reports;
    int moves = 0;

protected:
    std::vector<IdxRibbonReducibleGroup*> GetGroups() override {
        std::vector<IdxRibbonReducibleGroup*> result;
        for (auto& group : groups) result.push_back(group.get());
        return result;
    }
    void GroupCollapsedChanged(int index, bool collapsed) override {
        reports.push_back(groups[size_t(index)]->name + (collapsed ? " collapsed" : " expanded"));
    }
    void ScrollPositionChanged() override { ++moves; }
};

class GroupsReductionTest : public ::testing::Test {
protected:
    TFakeReducibleGroup& Add(const std::string& name, int width) {
        info.groups.push_back(std::make_unique<TFakeReducibleGroup>(name, width, log));
        return *info.groups.back();
    }
    void Calculate(int width) {
        log.clear();
        info.CalculateGroups(Rect(0, 0, width, 90));
    }
    std::vector<std::string> log;
    TTestGroupsViewInfo info;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(GroupsReductionTest, TwoHundredPixelGroupsFit202ButNot201) {
    Add("A", 100).canCollapse = false;
    Add("B", 100).canCollapse = false;
    Calculate(202);
    EXPECT_EQ(info.TotalGroupsWidth(), 202);
    EXPECT_TRUE(log.empty()) << "groups that fit are never reduced";
    EXPECT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{});
    Calculate(201);
    EXPECT_EQ(log.front(), "A:begin");
    EXPECT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{gssRight});
    for (auto& group : info.groups) EXPECT_EQ(group->finishes, 2) << "every pass finishes every group";
}

TEST_F(GroupsReductionTest, StagesRunInOrderFromTheRightAndStopWhenTheGroupsFit) {
    for (const char* name : {"A", "B", "C"}) Add(name, 100).Plan("level1", 20);
    info.groups[2]->Plan("level1", 10);  // C narrows twice at level 1
    Calculate(304 - 34);
    EXPECT_EQ(log, (Log{"A:begin", "B:begin", "C:begin", "C:narrow", "B:narrow", "A:narrow", "C:fold", "B:fold",
                        "A:fold", "C:level1", "C:level1", "C:level1", "B:level1"}));
    EXPECT_EQ(info.groups[0]->GetWidth(), 100);
    EXPECT_EQ(info.groups[1]->GetWidth(), 80);
    EXPECT_EQ(info.groups[2]->GetWidth(), 70);
    EXPECT_TRUE(info.reports.empty());
}

TEST_F(GroupsReductionTest, CollapsingSkipsGroupsThatMayNotAndReportsBothWays) {
    Add("A", 100);
    Add("B", 100).canCollapse = false;
    Add("C", 100);
    Calculate(204);
    // Stage 3 from the right: C collapses (50), B may not, A collapses: 50 + 2 + 100 + 2 + 50.
    EXPECT_TRUE(info.groups[0]->IsCollapsed());
    EXPECT_FALSE(info.groups[1]->IsCollapsed());
    EXPECT_TRUE(info.groups[2]->IsCollapsed());
    EXPECT_EQ(info.reports, (Log{"A collapsed", "C collapsed"}));
    EXPECT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{});

    info.reports.clear();
    Calculate(400);
    EXPECT_FALSE(info.groups[0]->IsCollapsed());
    EXPECT_EQ(info.reports, (Log{"A expanded", "C expanded"}));

    info.reports.clear();
    Calculate(400);
    EXPECT_TRUE(info.reports.empty()) << "nothing changed, nothing reported";
}

TEST_F(GroupsReductionTest, ScrollingStepsTenPixelsAndStopsAtBothEnds) {
    for (const char* name : {"A", "B", "C"}) Add(name, 100).canCollapse = false;
    Calculate(200);  // 304 wide
    ASSERT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{gssRight});
    EXPECT_EQ(info.GroupsScrollOffset(), 0);
    struct Step {
        bool toRight;
        int offset;
        TdxRibbonGroupsScrollSides sides;
    } steps[] = {
        {true, -10, {gssLeft, gssRight}},
        {false, 0, {gssRight}},
        {false, 0, {gssRight}},  // clamped at the left end
    };
    for (const Step& s : steps) {
        info.ScrollGroups(s.toRight, 200);
        EXPECT_EQ(info.GroupsScrollOffset(), s.offset);
        EXPECT_EQ(info.ScrollSides(), s.sides);
    }
    for (int i = 0; i < 11; ++i) info.ScrollGroups(true, 200);
    EXPECT_EQ(info.GroupsScrollOffset(), 200 - 304) << "clamped at the right end";
    EXPECT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{gssLeft});
    EXPECT_EQ(info.moves, 14);

    // A narrower pass keeps the last group at the right edge; a wide one resets everything.
    Calculate(180);
    EXPECT_EQ(info.GroupsScrollOffset(), 180 - 304);
    Calculate(304);
    EXPECT_EQ(info.GroupsScrollOffset(), 0);
    EXPECT_EQ(info.ScrollSides(), TdxRibbonGroupsScrollSides{});
}

TEST_F(GroupsReductionTest, MakeRectVisibleScrollsOnlyWhenTheRectangleIsCutOff) {
    for (const char* name : {"A", "B", "C"}) Add(name, 100).canCollapse = false;
    Calculate(200);
    struct Case {
        TRect r;
        int offset;
    } cases[] = {
        {Rect(10, 0, 190, 60), 0},     // inside: nothing
        {Rect(250, 0, 300, 60), -100}, // right edge onto the client's right edge
        {Rect(-30, 0, 20, 60), -70},   // left edge onto 0
        {Rect(-10, 0, 290, 60), -60},  // wider than the client: left edge onto 0
    };
    for (const Case& c : cases) {
        info.MakeRectVisible(c.r, 200, 200);
        EXPECT_EQ(info.GroupsScrollOffset(), c.offset) << c.r.left;
    }
}

TEST_F(GroupsReductionTest, AFailingPassStillFinishesEveryGroup) {
    Add("A", 100);
    Add("B", 100).failOnCalculate = true;
    EXPECT_THROW(Calculate(400), std::runtime_error);
    for (auto& group : info.groups) EXPECT_EQ(group->finishes, 1);
}
