#pragma once
// A ribbon group's window and its layout. TdxRibbonGroupBarControlViewInfo lays the group's
// item controls out in three rows through the group layout calculator and takes part in the
// tab's reduction; after each pass it hands the item rectangles to the links, where the bar
// window's mouse handling finds the control under the mouse, presses it and clicks it.
// TdxRibbonGroupBarControl is the window: its items over the groups area, nothing to drag.

#include <memory>
#include <optional>
#include <vector>

#include "dxBarControl.h"
#include "dxCustomBarControlViewInfo.h"
#include "dxRibbonGroupLayoutCalculator.h"
#include "dxRibbonGroupsDockControlViewInfo.h"

class TdxCustomRibbon;
class TdxRibbonCollapsedGroupPopupBarControl;
class TdxRibbonGroupsDockControl;
class TdxRibbonTabGroup;
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
    // The tab group's CanCollapse (a group window alone: its own flag).
    bool CanCollapse() override;
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

    // The room the collapsed button's caption keeps for its drop-down arrow.
    static constexpr int CollapsedArrowWidth = 12;

protected:
    virtual IPtr<IdxRibbonGroupLayoutCalculator> CreateLayoutCalculator();
    TdxCustomRibbon* Ribbon();
    String GroupCaption();
    int MeasureMinContentWidth(TdxCustomRibbon* ribbon);
    int MeasureCollapsedWidth(TdxCustomRibbon* ribbon, int height);

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

// The common base of the ribbon's bar windows: always child windows (never floating, dragged
// or sized), clicked as toolbars are, with the ribbon's group font.
class TdxRibbonCustomBarControl : public TdxBarControl {
    Z_CLASS(TdxRibbonCustomBarControl, TdxBarControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest))
public:
    explicit TdxRibbonCustomBarControl(TComponent* owner);
    ~TdxRibbonCustomBarControl() override;

    virtual TdxCustomRibbon* GetRibbon() const = 0;
    // The mouse is over the caption band (the part of the window below the client area).
    virtual bool IsMouseOverCaption() const;

    bool UsesRestSpace() const override { return true; }
    // The ribbon places its bar windows itself: the bars keep the place they were given.
    bool StoresDockedPosition() const override { return false; }
    Word GetBehaviorOptions() const override { return 0x3CC; }
    bool IsMainMenu() const override { return false; }
    bool IsStatusBar() const override { return false; }
    TFont* GetEditFont() const override;
    void BeforeDestruction() override;

protected:
    void CreateParams(TCreateParams& params) override;
    // A ribbon bar window can go with its dock or the dock's parents, not only through its
    // toolbar: the toolbar forgets it then, so that it never keeps a freed window.
    void LeaveToolbar();
    // No drag area: a press goes to the item control under the mouse and nothing else.
    void HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;

private:
    // Every point of the window is its client: a ribbon bar window is never dragged.
    void WMNCHitTest(TMessage& m);
};

// A group's window: a child of its tab's groups dock control, showing its item controls over
// the group's frame and its caption band below them. The layout is the tab's pass; the window
// only draws it and takes the mouse.
class TdxRibbonGroupBarControl : public TdxRibbonCustomBarControl {
    Z_CLASS(TdxRibbonGroupBarControl, TdxRibbonCustomBarControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), Z_MESSAGE(WM_NCHITTEST, WMNCHitTest))
public:
    explicit TdxRibbonGroupBarControl(TComponent* manager);

    TdxRibbonGroupBarControlViewInfo* GroupViewInfo();
    // The groups dock control the window lies in (nil when not docked in one).
    TdxRibbonGroupsDockControl* GroupsDockControl() const;
    // The ribbon of the tab whose dock control holds the window.
    TdxCustomRibbon* GetRibbon() const override;
    TdxRibbonTabGroup* ShownGroup() const;
    // The group's links get their item controls at once.
    void AssignItemLinks(TdxBarItemLinks* links) override;
    // One pass for this group alone: rebuilt, laid out at full size, finished and sized.
    void LayOutAlone();
    // The frame and caption band around the items: left, top, right and bottom widths.
    TRect NonClientOffsets();
    bool IsCollapsed() { return GroupViewInfo()->IsCollapsed(); }
    // The caption band, in window coordinates.
    TRect CaptionBandRect();
    bool IsMouseOverCaption() const override;
    // Opens the popup that shows the whole of a collapsed group below it.
    void ShowCollapsedPopup();
    TdxRibbonCollapsedGroupPopupBarControl* CollapsedPopup() const { return popup_; }
    // The popup takes the group's links while it shows and gives them back when it closes.
    void LendItemLinks(TCustomdxBarControl* borrower);
    void PopupClosed(TdxRibbonCollapsedGroupPopupBarControl* popup);
    void ReclaimItemLinks() override;
    void BeforeDestruction() override;

    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override {
        return TdxRibbonGroupBarControlViewInfo::StaticClass();
    }
    int GetBarControlKind() const override { return 0; }
    bool HasMark() const override;
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    // The layout comes from the tab's pass: the toolbar's own line layout never runs.
    void CalcLayout() override {}
    void CalcItemLayout() override {}
    void DrawNonClientArea(HDC dc) override;
    void EnsureItemVisible(TdxBarItemControl* control) override;
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;

protected:
    void UpdateFont() override {}
    void Paint() override;
    void Rebuild(bool recreate) override;
    // The layout of the last pass stays: nothing to recalculate on a plain update.
    void UpdateViewInfo() override {}
    void HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    // The groups area behind the group, in this window's coordinates (window or client).
    void DrawGroupsAreaBehind(HDC dc, bool clientCoordinates);
    void Notification(TComponent* component, TOperation operation) override;

    // The collapsed button's state: 0 normal, 2 hot, 4 pressed.
    virtual int CollapsedState();
    void DrawCollapsedCaption(HDC dc);
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void WMNCCalcSize(TMessage& m);
    void WMNCHitTest(TMessage& m);

    TdxRibbonCollapsedGroupPopupBarControl* popup_ = nullptr;
    int mouseState_ = 0;

};

// The whole of a collapsed group in a popup below its button: a group window of its own that
// borrows the group's links while it shows. It is the active bar window: a press outside or a
// command run from it closes it, and the links go back to the group.
class TdxRibbonCollapsedGroupPopupBarControl : public TdxRibbonGroupBarControl {
    Z_CLASS(TdxRibbonCollapsedGroupPopupBarControl, TdxRibbonGroupBarControl)
public:
    explicit TdxRibbonCollapsedGroupPopupBarControl(TComponent* manager);
    ~TdxRibbonCollapsedGroupPopupBarControl() override;
    void BeforeDestruction() override;

    void ShowFor(TdxRibbonGroupBarControl* groupWindow);
    void ClosePopup();
    TdxRibbonGroupBarControl* GroupWindow() const { return groupWindow_; }
    TdxCustomRibbon* GetRibbon() const override;
    bool IsPopupWindow() const override { return true; }

protected:
    void CreateParams(TCreateParams& params) override;
    void DoHideMenu() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxRibbonGroupBarControl* groupWindow_ = nullptr;
    bool closing_ = false;
};
