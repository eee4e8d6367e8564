#include "dxRibbonGroupsDockControlViewInfo.h"

#include <algorithm>

std::vector<IdxRibbonReducibleGroup*> TdxRibbonGroupsDockControlViewInfo::GetGroups() { return {}; }

void TdxRibbonGroupsDockControlViewInfo::GroupCollapsedChanged(int, bool) {}

void TdxRibbonGroupsDockControlViewInfo::ScrollPositionChanged() {}

int TdxRibbonGroupsDockControlViewInfo::TotalGroupsWidth() {
    std::vector<IdxRibbonReducibleGroup*> groups = GetGroups();
    int total = 0;
    for (IdxRibbonReducibleGroup* group : groups) total += group->GetWidth();
    return groups.empty() ? 0 : total + GroupGap() * (int(groups.size()) - 1);
}

bool TdxRibbonGroupsDockControlViewInfo::GroupsFit(const std::vector<IdxRibbonReducibleGroup*>& groups,
                                                    int width) const {
    int right = 0;
    for (IdxRibbonReducibleGroup* group : groups) {
        if (right + group->GetWidth() > width) return false;
        right += group->GetWidth() + GroupGap();
    }
    return true;
}

void TdxRibbonGroupsDockControlViewInfo::CalculateGroups(const TRect& bounds) {
    const int width = RectWidth(bounds);
    std::vector<IdxRibbonReducibleGroup*> groups = GetGroups();
    prevCollapsed_.clear();
    for (IdxRibbonReducibleGroup* group : groups) prevCollapsed_.push_back(group->IsCollapsed());
    for (IdxRibbonReducibleGroup* group : groups) group->RebuildItems();
    // Every group leaves the pass finished, also when a step raises.
    try {
        for (IdxRibbonReducibleGroup* group : groups) group->Calculate();
        if (!GroupsFit(groups, width)) ReduceGroups(groups, width);
    } catch (...) {
        for (IdxRibbonReducibleGroup* group : groups) group->FinishLayout();
        throw;
    }
    for (IdxRibbonReducibleGroup* group : groups) group->FinishLayout();

    CheckScrollState(width);
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i]->IsCollapsed() != prevCollapsed_[i]) GroupCollapsedChanged(int(i), groups[i]->IsCollapsed());
}

void TdxRibbonGroupsDockControlViewInfo::ReduceGroups(const std::vector<IdxRibbonReducibleGroup*>& groups,
                                                      int width) {
    for (IdxRibbonReducibleGroup* group : groups) group->BeginReduction();
    // One stage: each group from the right, stepped while it changes and the groups do not fit.
    auto runStage = [&](auto step) {
        for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
            while (!GroupsFit(groups, width) && step(*it)) {
            }
            if (GroupsFit(groups, width)) return true;
        }
        return false;
    };
    if (runStage([](IdxRibbonReducibleGroup* g) { return g->NarrowColumnedItem(); })) return;
    if (runStage([](IdxRibbonReducibleGroup* g) { return g->FoldColumnedItem(); })) return;
    for (TdxBarItemViewLevel level : {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
        if (runStage([level](IdxRibbonReducibleGroup* g) { return g->ReduceToViewLevel(level); })) return;
    runStage([](IdxRibbonReducibleGroup* g) {
        if (g->CanCollapse() && !g->IsCollapsed()) {
            g->SetCollapsed(true);
            g->Calculate();
        }
        return false;  // a group collapses once
    });
}

void TdxRibbonGroupsDockControlViewInfo::CheckScrollState(int width) {
    const int total = TotalGroupsWidth();
    const bool left = scrollSides_.Contains(gssLeft), right = scrollSides_.Contains(gssRight);
    if (width >= total) {
        scrollSides_ = {};
        groupsScrollOffset_ = 0;
    } else if (!left && !right) {
        scrollSides_ = {gssRight};
    } else if (left && !right) {
        groupsScrollOffset_ = width - total;  // the last group stays at the right edge
    } else if (left && right && width >= total + groupsScrollOffset_) {
        scrollSides_ = {gssLeft};
        groupsScrollOffset_ = width - total;
    }
}

void TdxRibbonGroupsDockControlViewInfo::ScrollBy(int delta, int width) {
    const int total = TotalGroupsWidth();
    int position = groupsScrollOffset_ + delta;
    position = position > 0 ? 0 : std::max(position, width - total);
    groupsScrollOffset_ = position;
    scrollSides_ = {};
    if (position < 0) scrollSides_.Include(gssLeft);
    if (width < total + position) scrollSides_.Include(gssRight);
    ScrollPositionChanged();
}

void TdxRibbonGroupsDockControlViewInfo::ScrollGroups(bool toRight, int width) {
    ScrollBy(toRight ? -ScrollStep : ScrollStep, width);
}

void TdxRibbonGroupsDockControlViewInfo::MakeRectVisible(const TRect& r, int clientWidth, int areaWidth) {
    if (r.left >= 0 && r.right <= clientWidth) return;
    int target = 0;
    if (RectWidth(r) <= clientWidth && r.left >= 0) target = clientWidth - RectWidth(r);
    if (target != r.left) ScrollBy(target - r.left, areaWidth);
}

void TdxRibbonGroupsDockControlViewInfo::Reset() {
    scrollSides_ = {};
    groupsScrollOffset_ = 0;
}
