#pragma once
// TRzSplitter: a panel divided into two panes by a bar that the user drags. The panes lie side
// by side (orHorizontal) or one above the other (orVertical); the bar's position is held in
// pixels or as a percentage, bounded by margins, and follows either pane when the splitter is
// resized. A hot spot in the middle of the bar collapses one pane with a click and restores it
// with the next. The panes' children are stored as the splitter's own and put back into their
// panes by two name lists.
//
// Sections: types; TRzSplitterPane; TRzPaneData; TRzSplitter (properties, layout, hot spot,
// dragging, painting, streaming).
//
// Below, the axis is x for orHorizontal and y for orVertical, and the extent E is the
// splitter's full Width (orHorizontal) or Height (orVertical).

#include "RzPanel.h"
#include "StringList.h"

class TRzSplitter;

// ---- types

Z_ENUM(TSelectedPane, int, spUpperLeft, spLowerRight)
Z_ENUM(TFixedPane, int, fpUpperLeft, fpLowerRight)
Z_ENUM(TSplitterStyle, int, ssStandard, ssGroove, ssBump, ssGroupBar)
// hsdMin collapses the upper-left pane, hsdMax the lower-right one, hsdBoth either, by the half
// of the spot that is clicked.
Z_ENUM(THotSpotDirection, int, hsdMin, hsdMax, hsdBoth)
using TPositionChangingEvent = TEvent<void(TObject* Sender, int NewPos, bool& AllowChange)>;

// ---- TRzSplitterPane

class TRzSplitterPane : public TRzCustomPanel {
    Z_CLASS(TRzSplitterPane, TRzCustomPanel)
    Z_PUBLISHED {
        using C = TRzSplitterPane;
        p.Property(L"BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(false);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged),
                  Z_MESSAGE(CM_ENTER, CMFocusMoved), Z_MESSAGE(CM_EXIT, CMFocusMoved))

public:
    explicit TRzSplitterPane(TComponent* AOwner);
    // The splitter the pane belongs to, or null.
    TRzSplitter* Splitter() const { return splitter_; }
    void SetParentComponent(TComponent* Value) override;

protected:
    void WMNCHitTest(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMFocusMoved(TMessage& Message);

private:
    friend class TRzSplitter;
    TRzSplitter* splitter_ = nullptr;
};

// ---- TRzPaneData

// The settings of one pane, published by the splitter as UpperLeft and LowerRight. Assigning a
// whole object raises the platform's assignment error: change the settings one by one.
class TRzPaneData : public TPersistent {
    Z_CLASS(TRzPaneData, TPersistent)
    Z_PUBLISHED {
        using C = TRzPaneData;
        p.Property(L"BorderColor", &C::BorderColor, &C::SetBorderColor).Default(clBtnFace);
        p.Property(L"BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
        p.Property(L"BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
        p.Property(L"BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        p.Property(L"Color", &C::Color, &C::SetColor).Default(clBtnFace);
        p.Property(L"FlatColor", &C::FlatColor, &C::SetFlatColor).Default(clBtnShadow);
        p.Property(L"FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
        p.Property(L"DockSite", &C::DockSite, &C::SetDockSite).Default(false);
        p.Property(L"ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions).Default(true);
        p.Property(L"Visible", &C::Visible, &C::SetVisible).Default(true);
    }

public:
    explicit TRzPaneData(TRzSplitterPane* pane) : pane_(pane) {}
    TRzSplitterPane* Pane() const { return pane_; }

    TColor BorderColor() const { return pane_->BorderColor(); }
    void SetBorderColor(TColor v) { pane_->SetBorderColor(v); }
    TFrameStyleEx BorderInner() const { return pane_->BorderInner(); }
    void SetBorderInner(TFrameStyleEx v) { pane_->SetBorderInner(v); }
    TFrameStyleEx BorderOuter() const { return pane_->BorderOuter(); }
    void SetBorderOuter(TFrameStyleEx v) { pane_->SetBorderOuter(v); }
    int BorderWidth() const { return pane_->BorderWidth(); }
    void SetBorderWidth(int v) { pane_->SetBorderWidth(v); }
    TColor Color() const { return pane_->Color(); }
    void SetColor(TColor v) { pane_->SetColor(v); }
    TColor FlatColor() const { return pane_->FlatColor(); }
    void SetFlatColor(TColor v) { pane_->SetFlatColor(v); }
    int FlatColorAdjustment() const { return pane_->FlatColorAdjustment(); }
    void SetFlatColorAdjustment(int v) { pane_->SetFlatColorAdjustment(v); }
    bool DockSite() const { return pane_->DockSite(); }
    void SetDockSite(bool v) { pane_->SetDockSite(v); }
    bool ShowDockClientCaptions() const { return pane_->ShowDockClientCaptions(); }
    void SetShowDockClientCaptions(bool v) { pane_->SetShowDockClientCaptions(v); }
    bool Visible() const { return pane_->Visible(); }
    void SetVisible(bool v) { pane_->SetVisible(v); }

private:
    TRzSplitterPane* pane_;
};

// ---- TRzSplitter

class TRzSplitter : public TRzCustomPanel {
    Z_CLASS(TRzSplitter, TRzCustomPanel)
    Z_PUBLISHED {
        using C = TRzSplitter;
        p.Property(L"BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
        p.Property(L"BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
        p.Property(L"BorderSides", &C::BorderSides, &C::SetBorderSides).Default(sdAllSides);
        p.Property(L"BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        p.Property(L"Transparent", &C::Transparent, &C::SetTransparent).Default(false);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Width", &C::Width, &C::SetWidth).Default(200);
        p.Property(L"Height", &C::Height, &C::SetHeight).Default(100);
        p.Property(L"Orientation", &C::Orientation, &C::SetOrientation).Default(orHorizontal);
        p.Property(L"Position", &C::Position, &C::SetPosition).Default(100).Stored(true);
        p.Property(L"MarginMin", &C::MarginMin, &C::SetMarginMin).Default(0);
        p.Property(L"MarginMax", &C::MarginMax, &C::SetMarginMax).Default(0);
        p.Property(L"UsePercent", &C::UsePercent, &C::SetUsePercent).Default(false);
        p.Property(L"Percent", &C::Percent, &C::SetPercent).Default(50);
        p.Property(L"PercentMin", &C::PercentMin, &C::SetPercentMin).Default(0);
        p.Property(L"PercentMax", &C::PercentMax, &C::SetPercentMax).Default(100);
        p.Property(L"FixedPane", &C::FixedPane, &C::SetFixedPane).Default(fpUpperLeft);
        p.Property(L"SelectedPane", &C::SelectedPane, &C::SetSelectedPane).Default(spUpperLeft).Stored(false);
        p.Property(L"SplitterStyle", &C::SplitterStyle, &C::SetSplitterStyle).Default(ssStandard);
        p.Property(L"SplitterWidth", &C::SplitterWidth, &C::SetSplitterWidth).Default(4);
        p.Property(L"RealTimeDrag", &C::RealTimeDrag, &C::SetRealTimeDrag).Default(false);
        p.Property(L"LockBar", &C::LockBar, &C::SetLockBar).Default(false);
        p.Property(L"UpperLeft", &C::UpperLeft);
        p.Property(L"LowerRight", &C::LowerRight);
        p.Property(L"HotSpotVisible", &C::HotSpotVisible, &C::SetHotSpotVisible).Default(false);
        p.Property(L"HotSpotColor", &C::HotSpotColor, &C::SetHotSpotColor).Default(clBtnFace);
        p.Property(L"HotSpotDotColor", &C::HotSpotDotColor, &C::SetHotSpotDotColor).Default(clHighlight);
        p.Property(L"HotSpotFrameColor", &C::HotSpotFrameColor, &C::SetHotSpotFrameColor).Default(clBtnShadow);
        p.Property(L"HotSpotHighlight", &C::HotSpotHighlight, &C::SetHotSpotHighlight).Default(clWindow);
        p.Property(L"HotSpotIgnoreMargins", &C::HotSpotIgnoreMargins, &C::SetHotSpotIgnoreMargins).Default(true);
        p.Property(L"HotSpotDirection", &C::HotSpotDirection, &C::SetHotSpotDirection).Default(hsdMin);
        p.Property(L"HotSpotSizePercent", &C::HotSpotSizePercent, &C::SetHotSpotSizePercent).Default(40);
        p.Property(L"GradientPath", &C::GradientPath, &C::SetGradientPath).Default(gpTopToBottom);
        p.Property(L"GradientColorAdjustment", &C::GradientColorAdjustment, &C::SetGradientColorAdjustment).Default(30);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnChanging", &C::OnChanging);
        p.Event(L"OnHotSpotClick", &C::OnHotSpotClick);
        p.Event(L"OnULGetSiteInfo", &C::OnULGetSiteInfo);
        p.Event(L"OnULDockOver", &C::OnULDockOver);
        p.Event(L"OnULDockDrop", &C::OnULDockDrop);
        p.Event(L"OnULUnDock", &C::OnULUnDock);
        p.Event(L"OnLRGetSiteInfo", &C::OnLRGetSiteInfo);
        p.Event(L"OnLRDockOver", &C::OnLRDockOver);
        p.Event(L"OnLRDockDrop", &C::OnLRDockDrop);
        p.Event(L"OnLRUnDock", &C::OnLRUnDock);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_SETCURSOR, WMSetCursor), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                  Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey), Z_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged))

public:
    explicit TRzSplitter(TComponent* AOwner);
    ~TRzSplitter() override;

    // -- properties --
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation v);
    // The bar's place along the axis, in client pixels from the frame.
    int Position() const { return position_; }
    virtual void SetPosition(int v);
    int MarginMin() const { return marginMin_; }
    virtual void SetMarginMin(int v);
    int MarginMax() const { return marginMax_; }
    virtual void SetMarginMax(int v);
    bool UsePercent() const { return usePercent_; }
    virtual void SetUsePercent(bool v);
    int Percent() const { return percent_; }
    virtual void SetPercent(int v);
    int PercentMin() const { return percentMin_; }
    virtual void SetPercentMin(int v);
    int PercentMax() const { return percentMax_; }
    virtual void SetPercentMax(int v);
    TFixedPane FixedPane() const { return fixedPane_; }
    virtual void SetFixedPane(TFixedPane v);
    TSelectedPane SelectedPane() const { return selectedPane_; }
    virtual void SetSelectedPane(TSelectedPane v) { selectedPane_ = v; }
    TSplitterStyle SplitterStyle() const { return splitterStyle_; }
    virtual void SetSplitterStyle(TSplitterStyle v);
    Word SplitterWidth() const { return splitterWidth_; }
    virtual void SetSplitterWidth(Word v);
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool v) { realTimeDrag_ = v; }
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool v) { lockBar_ = v; }
    TRzPaneData* UpperLeft() const { return paneData_[0]; }
    TRzPaneData* LowerRight() const { return paneData_[1]; }
    // Index 1 (upper-left) or 2 (lower-right).
    virtual TRzPaneData* GetPaneData(int index) const { return paneData_[index - 1]; }
    // Assigns v to the pane data, which raises the platform's assignment error.
    virtual void SetPaneData(int index, TRzPaneData* v) { paneData_[index - 1]->Assign(v); }
    bool HotSpotVisible() const { return hotSpotVisible_; }
    virtual void SetHotSpotVisible(bool v);
    TColor HotSpotColor() const { return hotSpotColor_; }
    void SetHotSpotColor(TColor v) { AssignAndInvalidate(hotSpotColor_, v); }
    TColor HotSpotDotColor() const { return hotSpotDotColor_; }
    void SetHotSpotDotColor(TColor v) { AssignAndInvalidate(hotSpotDotColor_, v); }
    TColor HotSpotFrameColor() const { return hotSpotFrameColor_; }
    void SetHotSpotFrameColor(TColor v) { AssignAndInvalidate(hotSpotFrameColor_, v); }
    TColor HotSpotHighlight() const { return hotSpotHighlight_; }
    virtual void SetHotSpotHighlight(TColor v) { AssignAndInvalidate(hotSpotHighlight_, v); }
    bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
    void SetHotSpotIgnoreMargins(bool v) { hotSpotIgnoreMargins_ = v; }
    THotSpotDirection HotSpotDirection() const { return hotSpotDirection_; }
    virtual void SetHotSpotDirection(THotSpotDirection v) { AssignAndInvalidate(hotSpotDirection_, v); }
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    virtual void SetHotSpotSizePercent(int v);
    TRzGroupBarGradientPath GradientPath() const { return gradientPath_; }
    virtual void SetGradientPath(TRzGroupBarGradientPath v) { AssignAndInvalidate(gradientPath_, v); }
    int GradientColorAdjustment() const { return gradientColorAdjustment_; }
    virtual void SetGradientColorAdjustment(int v) { AssignAndInvalidate(gradientColorAdjustment_, v); }
    bool ParentColor() const { return TRzCustomPanel::ParentColor(); }
    // The splitter's and both panes'.
    void SetParentColor(bool v);
    void SetTransparent(bool v) override;
    void SetBorderInner(TFrameStyleEx v) override;
    void SetBorderOuter(TFrameStyleEx v) override;
    void SetBorderSides(TSides v) override;
    void SetBorderWidth(int v);

    // -- state --
    TRzSplitterPane* Pane(int index) const { return panes_[index - 1]; }
    TRzSplitterPane* GetSelectedPaneControl() const { return panes_[selectedPane_ == spUpperLeft ? 0 : 1]; }
    TRect BarRect() const { return barRect_; }
    TRect HotSpotRect() const { return hotSpotRect_; }
    bool HotSpotClosed() const { return hotSpotClosed_; }
    bool HotSpotClosedToMin() const { return hotSpotClosedToMin_; }
    bool HotSpotClosedToMax() const { return hotSpotClosedToMax_; }
    int HotSpotPosition() const { return hotSpotPosition_; }
    int ManualPosition() const { return manualPosition_; }
    int FixedSize() const { return fixedSize_; }
    bool Sliding() const { return sliding_; }
    // The names read from "UpperLeftControls" (1) and "LowerRightControls" (2).
    const TStringList* ControlNames(int index) const { return controlNames_[index - 1]; }
    int Extent() const { return orientation_ == orHorizontal ? Width() : Height(); }

    // -- operations --
    virtual void UpdateFixedSize();
    // The frame allowance: BorderWidth plus the frames on the left and top sides.
    virtual int GetBorderSize() const;
    // Brings p within the margins and the splitter (both panes visible only).
    virtual void ValidatePosition(int& p) const;
    // Remembers p as the user's position, measured from the fixed pane's side.
    virtual void SetManualPosition(int p);
    // Sets the position when it differs and remembers it as the user's.
    virtual void MoveToPosition(int p);
    virtual void AlignPanes();
    virtual void UpdateHotSpotRect();
    virtual void ResetHotSpotState();
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Loaded() override;

    TNotifyEvent OnChange;
    TPositionChangingEvent OnChanging;
    TNotifyEvent OnHotSpotClick;
    TGetSiteInfoEvent OnULGetSiteInfo, OnLRGetSiteInfo;
    TDockOverEvent OnULDockOver, OnLRDockOver;
    TDockDropEvent OnULDockDrop, OnLRDockDrop;
    TUnDockEvent OnULUnDock, OnLRUnDock;

protected:
    virtual void DrawMarker(int pos);
    virtual void UpdateHotSpotHover();
    virtual void DrawHotSpot(TCanvas* canvas, bool hot, TPoint p);
    virtual void DrawSplitterBar(TCanvas* canvas);
    virtual void DoChange() {
        if (OnChange) OnChange(this);
    }
    // Asks OnChanging; true to go on (true without a handler).
    virtual bool DoChanging(int newPos);
    virtual void DoHotSpotClick() {
        if (OnHotSpotClick) OnHotSpotClick(this);
    }

    void Paint() override;
    void Resize() override;
    void AlignControls(TControl* AControl, TRect& rect) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void CreateParams(TCreateParams& Params) override;
    void DefineProperties(TFiler* filer) override;

    void WMSetCursor(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void CMShowingChanged(TMessage& Message);

private:
    // The client area that the panes and the bar share.
    TRect PaneArea() const;
    int HalfExtent() const { return Extent() - splitterWidth_ / 2; }
    int PercentOf(int percent) const;
    int AxisOf(int x, int y) const { return orientation_ == orHorizontal ? x : y; }
    bool BothPanesVisible() const { return panes_[1] && panes_[0]->Visible() && panes_[1]->Visible(); }
    void TakeMarker();
    void ReleaseMarker();
    void ForwardGetSiteInfo(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos,
                            bool& CanDock);
    void ForwardDockOver(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ForwardDockDrop(TObject* Sender, TDragDockObject* Source, int X, int Y);
    void ForwardUnDock(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow);
    void ReadBarSize(TReader* reader);
    void WriteBarSize(TWriter* writer);
    void ReadControlNames(TReader* reader, int index);
    void WriteControlNames(TWriter* writer, int index);
    // Whether a control found by name may be moved into a pane: not the splitter, its panes or
    // anything that holds the splitter.
    bool CanTakeIntoPane(TControl* control) const;

    TRzSplitterPane* panes_[2] = {};
    TRzPaneData* paneData_[2] = {};
    TStringList* controlNames_[2] = {};
    TOrientation orientation_ = orHorizontal;
    int position_ = 100;
    int marginMin_ = 0, marginMax_ = 0;
    bool usePercent_ = false;
    int percent_ = 50, percentMin_ = 0, percentMax_ = 100;
    TFixedPane fixedPane_ = fpUpperLeft;
    TSelectedPane selectedPane_ = spUpperLeft;
    TSplitterStyle splitterStyle_ = ssStandard;
    Word splitterWidth_ = 4;
    bool realTimeDrag_ = false;
    bool lockBar_ = false;
    bool hotSpotVisible_ = false;
    TColor hotSpotColor_ = clBtnFace, hotSpotDotColor_ = clHighlight, hotSpotFrameColor_ = clBtnShadow,
           hotSpotHighlight_ = clWindow;
    bool hotSpotIgnoreMargins_ = true;
    THotSpotDirection hotSpotDirection_ = hsdMin;
    int hotSpotSizePercent_ = 40;
    TRzGroupBarGradientPath gradientPath_ = gpTopToBottom;
    int gradientColorAdjustment_ = 30;

    TRect barRect_{};
    TRect hotSpotRect_{};
    int fixedSize_ = 0;
    int manualPosition_ = 0;
    bool sliding_ = false, hotSpotting_ = false, resizing_ = false;
    int origPos_ = 0, lastPos_ = 0, centerOffset_ = 0;
    bool hotSpotClosed_ = false, hotSpotClosedToMin_ = false, hotSpotClosedToMax_ = false;
    int hotSpotPosition_ = 100;
    bool outsideHotSpot_ = true, refreshHotSpot_ = false;
    // The hover state the next paint shows.
    bool hoverHot_ = false;
    TPoint hoverPoint_{};
    HCURSOR cursors_[4] = {};
    HDC markerDC_ = nullptr;
    HWND markerWindow_ = nullptr;
    HBRUSH markerBrush_ = nullptr;
    HGDIOBJ markerOldBrush_ = nullptr;
};

void InitializeRzSplit();
