#pragma once
// The groups of one ribbon tab side by side: each pass lays every group out at full size and,
// when they do not fit the tab, reduces them group by group from the right in four stages
// (narrow columned items, fold them, turn items smaller level by level, collapse whole groups)
// until they fit; what still does not fit scrolls with two buttons, 10 pixels a step. After a
// pass it reports every group that became collapsed or expanded.
//
// The view info sees a group through IdxRibbonReducibleGroup; the groups dock control hands it
// its group windows' view infos, tests hand it fakes.

#include <vector>

#include "GraphicsTypes.h"
#include "Sets.h"
#include "TypInfo.h"
#include "dxBarViewLevels.h"

class TdxRibbonGroupsDockControl;

// One group of a tab, as the reduction drives it. The steps answer True when they changed the
// group (which then has its new size), False when they can do nothing more.
class IdxRibbonReducibleGroup {
public:
    // Rebuilds the group's items for a pass; the group shows expanded again.
    virtual void RebuildItems() = 0;
    // Lays the group out as it stands (collapsed: its collapsed button).
    virtual void Calculate() = 0;
    // Content plus frame.
    virtual int GetWidth() = 0;
    virtual bool IsCollapsed() = 0;
    virtual void SetCollapsed(bool value) = 0;
    virtual bool CanCollapse() = 0;
    virtual void BeginReduction() = 0;
    virtual bool NarrowColumnedItem() = 0;
    virtual bool FoldColumnedItem() = 0;
    virtual bool ReduceToViewLevel(TdxBarItemViewLevel level) = 0;
    // Ends the pass for the group: the layout is handed on and its calculator released.
    virtual void FinishLayout() = 0;

protected:
    ~IdxRibbonReducibleGroup() = default;
};

Z_ENUM(TdxRibbonGroupsScrollSide, Byte, gssLeft, gssRight)
using TdxRibbonGroupsScrollSides = TSet<TdxRibbonGroupsScrollSide>;

class TdxRibbonGroupsDockControlViewInfo : public TObject {
    Z_CLASS(TdxRibbonGroupsDockControlViewInfo, TObject)
public:
    static constexpr int ScrollStep = 10;

    explicit TdxRibbonGroupsDockControlViewInfo(TdxRibbonGroupsDockControl* owner) : owner_(owner) {}

    virtual void CheckScrollState(int width);
    virtual void ScrollBy(int delta, int width);
    // Lays the groups out for the width of bounds, reducing them until they fit.
    virtual void CalculateGroups(const TRect& bounds);
    // One step of a held scroll button.
    virtual void ScrollGroups(bool toRight, int width);

    // Scrolls so that r (in the dock control's client coordinates) shows in a client that wide.
    void MakeRectVisible(const TRect& r, int clientWidth, int areaWidth);
    // No scroll buttons, first group at the left.
    void Reset();

    TdxRibbonGroupsDockControl* OwnerDock() const { return owner_; }
    TdxRibbonGroupsScrollSides ScrollSides() const { return scrollSides_; }
    int GroupsScrollOffset() const { return groupsScrollOffset_; }
    int TotalGroupsWidth();
    int GroupGap() const { return 2; }

protected:
    // The groups of the tab that take part, left to right.
    virtual std::vector<IdxRibbonReducibleGroup*> GetGroups();
    // A group's collapsed state changed in the last pass.
    virtual void GroupCollapsedChanged(int index, bool collapsed);
    // The scroll position changed: the groups move.
    virtual void ScrollPositionChanged();

private:
    bool GroupsFit(const std::vector<IdxRibbonReducibleGroup*>& groups, int width) const;
    void ReduceGroups(const std::vector<IdxRibbonReducibleGroup*>& groups, int width);

    TdxRibbonGroupsDockControl* owner_;
    TdxRibbonGroupsScrollSides scrollSides_;
    int groupsScrollOffset_ = 0;
    std::vector<bool> prevCollapsed_;
};
