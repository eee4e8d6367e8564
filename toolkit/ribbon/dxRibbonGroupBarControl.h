#pragma once
// A ribbon group's window and its layout. TdxRibbonGroupBarControlViewInfo lays the group's
// item controls out in three rows through the group layout calculator and takes part in the
// tab's reduction; after each pass it hands the item rectangles to the links, where the bar
// window's mouse handling finds the control under the mouse, presses it and clicks it.
// TdxRibbonGroupBarControl is the window: its items over the groups area, nothing to drag.

#include <memory>
#include <optional>
#include <vector>

#include "dxCustomBarControl.h"
#include "dxCustomBarControlViewInfo.h"
#include "dxRibbonGroupLayoutCalculator.h"
#include "dxRibbonGroupsDockControlViewInfo.h"

class TdxCustomRibbon;
class TdxRibbonGroupBarControlViewInfoHelper;

class TdxRibbonGroupBarControlViewInfo : public TCustomdxBarControlViewInfo, public IdxRibbonReducibleGroup {
    Z_CLASS(TdxRibbonGroupBarControlViewInfo, TCustomdxBarControlViewInfo)
public:
    static constexpr int RowsPerGroup = 3;

    explicit TdxRibbonGroupBarControlViewInfo(TCustomdxBarControl* barControl);
    ~TdxRibbonGroupBarControlViewInfo() override;

    // -- the pass: rebuild, calculate (and reduce), finish
    void RebuildItems() override;
    void Calculate() override;
    void FinishLayout() override;
    int GetWidth() override { return contentSize_.cx + nonContentSize_.cx; }
    bool IsCollapsed() override { return groupCollapsed_; }
    void SetCollapsed(bool value) override { groupCollapsed_ = value; }
    bool CanCollapse() override { return canCollapse_; }
    void SetCanCollapse(bool value) { canCollapse_ = value; }
    void BeginReduction() override;
    bool NarrowColumnedItem() override;
    bool FoldColumnedItem() override;
    bool ReduceToViewLevel(TdxBarItemViewLevel level) override;

    TSize ContentSize() const { return contentSize_; }
    void SetContentSize(const TSize& size) { contentSize_ = size; }
    TSize NonContentSize() const { return nonContentSize_; }
    void SetNonContentSize(const TSize& size) { nonContentSize_ = size; }
    int ItemRowHeight() const { return itemRowHeight_; }
    void SetItemRowHeight(int value) { itemRowHeight_ = value; }
    // The width of the collapsed group button; 0 until the painter measures it.
    void SetCollapsedWidth(int value) { collapsedWidth_ = value; }
    void SetMinContentWidth(int value) { minContentWidth_ = value; }
    int MinContentWidth() const { return minContentWidth_; }
    // The item layouts of the last rebuild, in order.
    int LayoutItemCount() const { return int(layouts_.size()); }
    IdxBarItemControlViewInfo* LayoutItem(int index) const;

protected:
    virtual IPtr<IdxRibbonGroupLayoutCalculator> CreateLayoutCalculator();

private:
    class TItemLayout;
    friend class TdxRibbonGroupBarControlViewInfoHelper;

    bool groupCollapsed_ = false;
    bool canCollapse_ = true;
    TSize contentSize_{0, 0};
    TSize nonContentSize_{0, 0};
    int itemRowHeight_ = 22;
    int collapsedWidth_ = 0;
    int minContentWidth_ = 0;
    IPtr<IdxRibbonGroupLayoutCalculator> calculatorRef_;
    std::vector<std::unique_ptr<TItemLayout>> layouts_;
    std::unique_ptr<TdxRibbonGroupBarControlViewInfoHelper> host_;
};

// The calculator's host over one group's view info.
class TdxRibbonGroupBarControlViewInfoHelper final : public IdxRibbonGroupLayoutHost {
public:
    explicit TdxRibbonGroupBarControlViewInfoHelper(TdxRibbonGroupBarControlViewInfo* viewInfo) : viewInfo_(viewInfo) {}
    void AppendSeparator(const TdxRibbonGroupSeparator& separator) override;
    void ClearSeparators() override;
    TSize GetContentSize() override { return viewInfo_->ContentSize(); }
    int CountItems() override { return viewInfo_->LayoutItemCount(); }
    IdxBarItemControlViewInfo* GetItem(int index) override { return viewInfo_->LayoutItem(index); }
    int GetMinContentWidth() override { return viewInfo_->MinContentWidth(); }
    void GetSpacing(int& buttonGroupSpacing, int& leftIndent, int& rightIndent) override;
    int CountSeparators() override { return viewInfo_->GetSeparatorDataCount(); }
    TdxRibbonGroupSeparator GetSeparator(int index) override;
    void SetContentSize(const TSize& size) override { viewInfo_->SetContentSize(size); }
    void SetSeparator(int index, const TdxRibbonGroupSeparator& separator) override;

private:
    TdxRibbonGroupBarControlViewInfo* viewInfo_;
};

// A group's window: a child of its groups dock control, showing its item controls.
class TdxRibbonGroupBarControl : public TCustomdxBarControl {
    Z_CLASS(TdxRibbonGroupBarControl, TCustomdxBarControl)
public:
    explicit TdxRibbonGroupBarControl(TComponent* manager);

    TdxRibbonGroupBarControlViewInfo* GroupViewInfo();
    // The group's links get their item controls at once.
    void AssignItemLinks(TdxBarItemLinks* links) override;
    // One pass for this group alone: rebuilt, laid out at full size, finished and sized.
    void LayOutAlone();

    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override {
        return TdxRibbonGroupBarControlViewInfo::StaticClass();
    }
    bool IsMainMenu() const override { return false; }
    bool IsStatusBar() const override { return false; }
    int GetBarControlKind() const override { return 0; }
    bool UsesRestSpace() const override { return true; }
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;

protected:
    void UpdateFont() override {}
    void Paint() override;
    void Rebuild(bool recreate) override;
    // The layout of the last pass stays: nothing to recalculate on a plain update.
    void UpdateViewInfo() override {}
    // A press activates the group window with the control selected, so that the release on it
    // clicks it (until the toolbar window's own press handling takes this over).
    void PressItemControl(TdxBarItemControl* control) override;
};
