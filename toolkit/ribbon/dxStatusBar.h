#pragma once
// The status bar: a window aligned to the bottom of its form that shows a row of panels. Each
// panel owns a panel style (dxStatusBarPanelStyle.h) that draws its content and says how wide it
// wants to be; the bar draws its frame, bevels, separators and size grip through the painter of
// its paint style (dxStatusBarPainter.h). The view info spreads the bar's width over the visible
// panels. The ribbon status bar derives from TdxCustomStatusBar.
//
// Sections: panels · the panel collection · view info · the status bar.

#include <vector>

#include "BiDiMode.h"
#include "Collection.h"
#include "cxControl.h"
#include "dxStatusBarPainter.h"
#include "dxStatusBarPanelStyle.h"

class TBasicAction;
class TChangeLink;
class TCustomImageList;
class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxThemeChangedNotificator;

// The style of a bar: standard, flat, the system's visual style, Office-style, or as the bar's
// look-and-feel says.
Z_ENUM(TdxStatusBarPaintStyle, Byte, dxspsStandard, dxspsFlat, dxspsThemed, dxspsOffice11, dxspsLookAndFeel)

// Custom drawing of a panel inside its bevel; setting done skips the style's drawing.
using TdxStatusBarDrawPanelEvent =
    TEvent<void(TdxStatusBarPanel* sender, TcxCanvas* canvas, const TRect& r, bool& done)>;

// ---- panels --------------------------------------------------------------------------------

class TdxStatusBarPanel : public TCollectionItem {
    Z_CLASS(TdxStatusBarPanel, TCollectionItem)
    // The style class first: reading it makes the style whose settings follow.
    Z_PUBLISHED {
        p.Property(L"PanelStyleClassName", &TdxStatusBarPanel::PanelStyleClassName,
                   &TdxStatusBarPanel::SetPanelStyleClassName);
        p.Property(L"PanelStyle", &TdxStatusBarPanel::PanelStyle, &TdxStatusBarPanel::SetPanelStyle);
        p.Event(L"PanelStyleEvents", &TdxStatusBarPanel::PanelStyleEvents);
        p.Property(L"Bevel", &TdxStatusBarPanel::Bevel, &TdxStatusBarPanel::SetBevel).Default(dxpbLowered);
        p.Property(L"BiDiMode", &TdxStatusBarPanel::BiDiMode, &TdxStatusBarPanel::SetBiDiMode)
            .Stored(&TdxStatusBarPanel::IsBiDiModeStored);
        p.Property(L"Fixed", &TdxStatusBarPanel::Fixed, &TdxStatusBarPanel::SetFixed).Default(true);
        p.Property(L"MinWidth", &TdxStatusBarPanel::MinWidth, &TdxStatusBarPanel::SetMinWidth)
            .Stored(&TdxStatusBarPanel::IsMinWidthStored);
        p.Property(L"ParentBiDiMode", &TdxStatusBarPanel::ParentBiDiMode, &TdxStatusBarPanel::SetParentBiDiMode)
            .Default(true);
        p.Property(L"Text", &TdxStatusBarPanel::Text, &TdxStatusBarPanel::SetText);
        p.Property(L"Visible", &TdxStatusBarPanel::Visible, &TdxStatusBarPanel::SetVisible).Default(true);
        p.Property(L"Width", &TdxStatusBarPanel::Width, &TdxStatusBarPanel::SetWidth)
            .Stored(&TdxStatusBarPanel::IsWidthStored);
        p.Event(L"OnClick", &TdxStatusBarPanel::OnClick);
        p.Event(L"OnDblClick", &TdxStatusBarPanel::OnDblClick);
        p.Event(L"OnDrawPanel", &TdxStatusBarPanel::OnDrawPanel);
    }

public:
    // Takes the bar's default style class, except while the bar is being read (then the
    // description names the class).
    explicit TdxStatusBarPanel(TCollection* collection);
    ~TdxStatusBarPanel() override;

    TdxCustomStatusBar* StatusBar() const;
    String DisplayName() const override;
    void Assign(TPersistent* source) override;

    // -- the style
    TdxStatusBarPanelStyleClass PanelStyleClass() const { return styleClass_; }
    // Nothing for the current class or one the bar refuses; else the old style goes (it may
    // refuse: EdxException) and a new one with default settings takes its place. Nil: no style.
    void SetPanelStyleClass(TdxStatusBarPanelStyleClass value);
    String PanelStyleClassName() const { return styleClass_ ? styleClass_->ClassName() : String(); }
    // An unregistered name leaves the panel without a style.
    void SetPanelStyleClassName(const String& value);
    TdxStatusBarPanelStyle* PanelStyle() const { return style_; }
    // Copies the given style's settings into the panel's own.
    void SetPanelStyle(TdxStatusBarPanelStyle* value);

    // -- the published values; Width, MinWidth and Fixed read what the style allows
    TdxStatusBarPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TdxStatusBarPanelBevel value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    // Switches ParentBiDiMode off.
    void SetBiDiMode(TBiDiMode value);
    bool IsBiDiModeStored() const { return !parentBiDiMode_; }
    bool Fixed() const;
    void SetFixed(bool value);
    int MinWidth();
    // Stores max(value, 0) and widens the panel to it when narrower.
    void SetMinWidth(int value);
    bool IsMinWidthStored() const { return minWidthAssigned_; }
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    const String& Text() const { return text_; }
    void SetText(const String& value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width();
    // Stores max(value, MinWidth).
    void SetWidth(int value);
    bool IsWidthStored() const { return widthAssigned_; }

    // -- the panel's operations
    virtual void Click();
    virtual void DblClick();
    // The widths the view info lays out: MinWidth and Width through AdjustWidth.
    virtual int GetCalculatedMinWidth();
    virtual int GetCalculatedWidth();
    // Adds the bevel (unless the style draws its own) and, on the last panel of the bar, the
    // width of a visible size grip.
    virtual void AdjustWidth(int& width);
    // The style changed something that the bar shows.
    virtual void StyleChanged() { Changed(false); }
    virtual void RestoreDefaults();
    // Takes the bar's bidirectional mode while ParentBiDiMode is on.
    void TakeBarBiDiMode();
    // The last panel of the collection (visible or not), which carries the grip.
    bool IsLast() const;

    TNotifyEvent OnClick, OnDblClick;
    TdxStatusBarDrawPanelEvent OnDrawPanel;
    // Groups the style's events in a designer; nothing fires it.
    TNotifyEvent PanelStyleEvents;

protected:
    virtual void CreatePanelStyle();
    virtual void DestroyPanelStyle();
    virtual int GetDefaultMinWidth();
    virtual int GetDefaultWidth();

private:
    bool StyleCanSize() const;

    TdxStatusBarPanelStyleClass styleClass_ = nullptr;
    TdxStatusBarPanelStyle* style_ = nullptr;
    TdxStatusBarPanelBevel bevel_ = dxpbLowered;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool fixed_ = true;
    int minWidth_ = 20;
    bool minWidthAssigned_ = false;
    bool parentBiDiMode_ = true;
    String text_;
    bool visible_ = true;
    int width_ = 50;
    bool widthAssigned_ = false;
};

// ---- the panel collection ------------------------------------------------------------------

// Every change recalculates the bar.
class TdxStatusBarPanels : public TOwnedCollection {
    Z_CLASS(TdxStatusBarPanels, TOwnedCollection)
public:
    explicit TdxStatusBarPanels(TdxCustomStatusBar* owner);
    TdxStatusBarPanel* Add() { return static_cast<TdxStatusBarPanel*>(TCollection::Add()); }
    TdxStatusBarPanel* Items(int index) const { return static_cast<TdxStatusBarPanel*>(TCollection::Items(index)); }
    TdxCustomStatusBar* StatusBar() const { return bar_; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TdxCustomStatusBar* bar_;
};

// ---- view info -----------------------------------------------------------------------------

// The visible panels and the widths the bar's width gives them.
class TdxStatusBarViewInfo : public TObject {
    Z_CLASS(TdxStatusBarViewInfo, TObject)
public:
    explicit TdxStatusBarViewInfo(TdxCustomStatusBar* bar) : bar_(bar) {}
    // Spreads the width of bounds over the visible panels.
    virtual void Calculate(const TRect& bounds);

    TdxCustomStatusBar* StatusBar() const { return bar_; }
    int PanelCount() const { return int(panels_.size()); }
    TdxStatusBarPanel* Panels(int index) const { return panels_.at(size_t(index)); }
    // The panels' widths with the separators' between them: 2n - 1 entries for n panels.
    const std::vector<int>& Widths() const { return widths_; }
    int PanelWidth(int index) const { return widths_.at(size_t(2 * index)); }
    int SeparatorWidth(int index) const { return widths_.at(size_t(2 * index + 1)); }
    // The panels' natural widths fill the bar: the grip lies over the last panel.
    bool SizeGripOverlapped() const { return sizeGripOverlapped_; }

private:
    TdxCustomStatusBar* bar_;
    std::vector<TdxStatusBarPanel*> panels_;
    std::vector<int> widths_;
    bool sizeGripOverlapped_ = false;
};

// ---- the status bar ------------------------------------------------------------------------

class TdxCustomStatusBar : public TcxControl {
    Z_CLASS(TdxCustomStatusBar, TcxControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_BIDIMODECHANGED, CMBiDiModeChanged), Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
                  Z_MESSAGE(CM_PARENTFONTCHANGED, CMParentFontChanged), Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange),
                  Z_MESSAGE(CM_WININICHANGE, CMWinIniChange), Z_MESSAGE(WM_NCHITTEST, WMNCHitTest),
                  Z_MESSAGE(WM_NCLBUTTONDOWN, WMNCLButtonDown))
public:
    explicit TdxCustomStatusBar(TComponent* AOwner);
    ~TdxCustomStatusBar() override;

    // -- properties
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);  // a negative width is 0
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    // The painter of the effective paint style, chosen on first need.
    TdxStatusBarPainterClass Painter();
    TdxStatusBarPaintStyle PaintStyle() const { return paintStyle_; }
    void SetPaintStyle(TdxStatusBarPaintStyle value);
    TdxStatusBarPanels* Panels() const { return panels_; }
    void SetPanels(TdxStatusBarPanels* value) { panels_->Assign(value); }
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    // Whether the visual style can draw status bars (as of the last painter change).
    bool ThemeAvailable() const { return themeAvailable_; }
    TdxStatusBarViewInfo* ViewInfo();
    // The reading order that panels with ParentBiDiMode take. The platform's controls have no
    // bidirectional mode of their own yet: the bar keeps it.
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);

    // -- the bar's operations
    // A colour of clDefault becomes the bar's text colour (the ribbon status bar's scheme).
    virtual void AdjustTextColor(TColor& color, bool active) {}
    virtual TdxStatusBarViewInfo* CreateViewInfo();
    virtual void Calculate();
    virtual TdxStatusBarPanel* AddPanel();
    virtual TdxStatusBarPanels* CreatePanels();
    // OnHint, when set (true); false without a handler.
    virtual bool DoHint();
    virtual TdxStatusBarPanelStyleClass GetDefaultPanelStyleClass() const;
    virtual TdxStatusBarPainterClass GetPainterClass();
    // PaintStyle, with dxspsLookAndFeel resolved by the look-and-feel.
    virtual TdxStatusBarPaintStyle GetPaintStyle() const;
    virtual TClass GetPanelClass() const;
    virtual void UpdatePainter();
    virtual void PainterChanged();
    // True at the bottom-right corner of a sizeable form in its normal state.
    virtual bool SizeGripVisible();
    virtual void ThemeChanged();
    virtual void Recalculate();
    // False for a style class that needs the ribbon status bar.
    virtual bool CanAcceptPanelStyle(TdxStatusBarPanelStyleClass styleClass) const;
    // The visible panel under a client point, or nil.
    virtual TdxStatusBarPanel* GetPanelAt(int x, int y);
    // The rectangle (client coordinates) where a press sizes the form.
    TRect SizeGripHitRect();

    // A hint action lands in the last text panel that takes hints, unless OnHint handles it.
    bool ExecuteAction(TBasicAction* Action) override;

    TNotifyEvent OnHint;

protected:
    void Loaded() override;
    void Paint() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool IsFocusable() const override { return false; }
    bool HasScrollBars() const override { return false; }
    void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
    void ColorChangedHook() override { Recalculate(); }
    void NotifyFontListeners() override;

    void CMBiDiModeChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMWinIniChange(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    // A press on the grip sizes the form, not the bar: it goes to the form as its own.
    void WMNCLButtonDown(TMessage& Message);

private:
    void ImagesChanged(TObject* sender) { Recalculate(); }

    int borderWidth_ = 0;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imagesLink_;
    TdxStatusBarPainterClass painter_ = nullptr;
    TdxStatusBarPaintStyle paintStyle_ = dxspsStandard;
    TdxStatusBarPanels* panels_ = nullptr;
    bool sizeGrip_ = true;
    bool themeAvailable_ = false;
    TdxThemeChangedNotificator* themeNotificator_;
    TdxStatusBarViewInfo* viewInfo_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

// The status bar unit: registers the four panel styles (with their display names) and the
// container control's class at start-up; removes the styles and frees the registry at the end.
void InitializeStatusBar();
void FinalizeStatusBar();
