#pragma once
// The layout of one ribbon group: where each item control of the group stands in its three rows,
// at which view level it shows, where the separators go and how wide the group is; and the
// steps that make a group narrower when its tab lacks room (the groups dock control decides
// which group to reduce and when to stop; a step here decides what reducing one group means).
//
// The calculator sees the group and its items only through the two interfaces below, so it is
// tested against fakes and driven over a group window's view info alike.

#include <vector>

#include "GraphicsTypes.h"
#include "Interfaces.h"
#include "TypInfo.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarViewLevels.h"

// An item's place in a button group (a run of items drawn as one joined strip).
Z_ENUM(TdxBarButtonGroupPlace, Byte, bgplNone, bgplFirst, bgplMiddle, bgplLast, bgplSingle)

// An item control that shows its content in several columns (a gallery-like item). No item
// control offers it yet; the layout serves one when it comes.
class IColumnedItemControl {
public:
    virtual bool CanFold() = 0;
    virtual bool IsFolded() = 0;
    virtual int GetColumnCount() = 0;
    virtual int GetMaxColumnCount() = 0;
    virtual int GetMinColumnCount() = 0;
    virtual void SetFolded(bool value) = 0;
    virtual void SetColumnCount(int value) = 0;

protected:
    ~IColumnedItemControl() = default;
};

// The item side: one shown item link's control, as the layout reads and places it.
class IdxBarItemControlViewInfo {
public:
    // Called on every item when a layout is done.
    virtual void CallHook() = 0;
    virtual int GetColumnRowCount() = 0;
    virtual void SetColumnRowCount(int count) = 0;
    // The link's button-group position (bgpNone when the control takes no part in button groups).
    virtual TdxBarButtonGroupPosition GetButtonGroupPosition() = 0;
    virtual TdxBarButtonGroupPlace GetResolvedButtonGroupPosition() = 0;
    virtual void SetResolvedButtonGroupPosition(TdxBarButtonGroupPlace place) = 0;
    virtual TdxBarItemViewLevel GetViewLevel() = 0;
    virtual void SetViewLevel(TdxBarItemViewLevel level) = 0;
    virtual TdxBarItemViewLevels GetAllowedViewLevels() = 0;
    // The level the item takes inside a button group.
    virtual TdxBarItemViewLevel GetMinViewLevel() = 0;
    // Raises for a level outside the allowed set.
    virtual int GetWidthForLevel(TdxBarItemViewLevel level) = 0;
    virtual bool BeginsNewGroup() = 0;
    virtual bool IsDistributed() = 0;
    // True when the link's Distributed flag was set by the user rather than left as it came.
    virtual bool IsDistributedExplicitly() = 0;
    virtual void SetDistributed(bool value) = 0;
    virtual TdxBarItemPosition GetLinkPosition() = 0;
    virtual TdxBarItemAlign GetAlign() = 0;
    // The control's columned side; null when it has none.
    virtual IColumnedItemControl* IsMultiColumn() = 0;
    virtual TRect GetBounds() = 0;
    virtual void SetBounds(const TRect& r) = 0;
    virtual int GetRowIndex() = 0;
    virtual void SetRowIndex(int row) = 0;

protected:
    ~IdxBarItemControlViewInfo() = default;
};

// A separator the layout places (kind 1: a vertical line between item columns).
struct TdxRibbonGroupSeparator {
    TRect bounds{};
    Byte kind = 0;
};

// The group side.
class IdxRibbonGroupLayoutHost {
public:
    virtual void AppendSeparator(const TdxRibbonGroupSeparator& separator) = 0;
    virtual void ClearSeparators() = 0;
    virtual TSize GetContentSize() = 0;
    virtual int CountItems() = 0;
    virtual IdxBarItemControlViewInfo* GetItem(int index) = 0;
    virtual int GetMinContentWidth() = 0;
    // The spacing between button groups, the left and the right indent.
    virtual void GetSpacing(int& buttonGroupSpacing, int& leftIndent, int& rightIndent) = 0;
    virtual int CountSeparators() = 0;
    virtual TdxRibbonGroupSeparator GetSeparator(int index) = 0;
    virtual void SetContentSize(const TSize& size) = 0;
    virtual void SetSeparator(int index, const TdxRibbonGroupSeparator& separator) = 0;

protected:
    ~IdxRibbonGroupLayoutHost() = default;
};

// A reduction step answers True when it changed the group (and has laid it out again), False
// when steps of its kind can do nothing more for the group.
struct IdxRibbonGroupLayoutCalculator : virtual IInterface {
    // Once after the group's items were rebuilt: button-group places, starting view levels.
    virtual void InitializeItems(IdxRibbonGroupLayoutHost& host) = 0;
    virtual void LayOutGroup(IdxRibbonGroupLayoutHost& host) = 0;
    virtual bool FoldColumnedItem(IdxRibbonGroupLayoutHost& host) = 0;
    virtual bool NarrowColumnedItem(IdxRibbonGroupLayoutHost& host) = 0;
    // Level 1 turns large items small; 2 and 3 narrow one-row items to that level.
    virtual bool ReduceToViewLevel(IdxRibbonGroupLayoutHost& host, TdxBarItemViewLevel level) = 0;
    virtual void BeginReduction(IdxRibbonGroupLayoutHost& host) = 0;
};

class TdxRibbonGroupLayoutCalculator : public TInterfacedObject, public IdxRibbonGroupLayoutCalculator {
    Z_CLASS(TdxRibbonGroupLayoutCalculator, TInterfacedObject)
public:
    TdxRibbonGroupLayoutCalculator(int rowPixelHeight, int rowsPerGroup);

    void InitializeItems(IdxRibbonGroupLayoutHost& host) override;
    void LayOutGroup(IdxRibbonGroupLayoutHost& host) override;
    bool FoldColumnedItem(IdxRibbonGroupLayoutHost& host) override;
    bool NarrowColumnedItem(IdxRibbonGroupLayoutHost& host) override;
    bool ReduceToViewLevel(IdxRibbonGroupLayoutHost& host, TdxBarItemViewLevel level) override;
    void BeginReduction(IdxRibbonGroupLayoutHost& host) override;

    int GroupHeight() const { return rowPixelHeight_ * rowsPerGroup_; }

    // A large item that whole-height reduction may turn small, with the one-row units (single
    // one-row items or whole horizontal boxes) between it and its neighbours in the sequence.
    struct TSequenceItem {
        IdxBarItemControlViewInfo* item = nullptr;
        int rowsBefore = 0;
        int rowsAfter = 0;
    };
    using TSequence = std::vector<TSequenceItem>;
    const std::vector<TSequence>& Sequences() const { return sequences_; }

private:
    class TPass;
    friend class TPass;

    bool ReduceWholeHeightItems(TPass& pass);
    bool ReduceOneRowItems(TPass& pass, TdxBarItemViewLevel level);
    bool ReduceSequence(TSequence& sequence);
    bool MayReduce(const TSequenceItem& element) const;
    int FreeSlots(int units) const;
    TSequence BuildSequence(TPass& pass, int& k);

    int rowsPerGroup_;
    int rowPixelHeight_;
    int columnIndex_ = -1;
    int usedWidth_ = 0;
    std::vector<int> itemColumnIndex_;
    std::vector<int> itemSeparatorIndex_;
    int reduceCursor_ = -1;
    int sequenceCursor_ = -1;
    std::vector<TSequence> sequences_;
};
