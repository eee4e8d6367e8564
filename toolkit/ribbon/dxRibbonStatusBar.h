#pragma once
// The ribbon status bar: the status bar of a ribbon-styled main window. It draws itself with the
// colour scheme of its ribbon (background, lowered and raised panels, separators, the grip), takes
// the scheme's status-bar colour and text colour while its Color and its font's colour are
// clDefault, follows the ribbon's scheme changes, and tells the ribbon which ends of the form
// frame beside it are drawn raised. Without a ribbon it draws a plain framed bar.
//
// Sections: painter · the ribbon status bar.

#include "dxRibbon.h"
#include "dxStatusBar.h"

class TdxRibbonStatusBar;

// ---- painter -------------------------------------------------------------------------------

// Draws through the scheme of the bar's ribbon; each operation has a plain fall-back for a bar
// without a usable ribbon.
class TdxRibbonStatusBarPainter : public TdxStatusBarPainter {
public:
    static const TdxRibbonStatusBarPainter* Instance();

    TRect GetBorderMargins(TdxCustomStatusBar* bar) const override { return TRect{1, 1, 1, 0}; }
    TSize GetSizeGripSize() const override { return TSize{19, 19}; }
    int GetPanelSeparatorWidth(TdxCustomStatusBar* bar) const override;
    int GetTopIndent() const override { return 0; }
    // The scheme's background over r; r shrinks by the margins, where the panels lie.
    void DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const override;
    // The scheme's panel over r, lowered unless the bevel is raised; r is kept.
    void DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                         TdxStatusBarPanelBevel bevel) const override;
    void DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const override;
    void DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r, bool overlapped) const override;
    TdxStatusBarPanelBevel GetPanelBevel(TdxStatusBarPanel* panel) const override;

protected:
    TdxRibbonStatusBarPainter() = default;
};

// ---- the ribbon status bar -----------------------------------------------------------------

class TdxRibbonStatusBar : public TdxCustomStatusBar, public IdxRibbonStatusBarPart {
    Z_CLASS(TdxRibbonStatusBar, TdxCustomStatusBar)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged))
    Z_PUBLISHED {
        using C = TdxRibbonStatusBar;
        p.Property(L"Align", &C::Align, &C::SetAlign).Default(alBottom);
        p.Property(L"DoubleBuffered", &C::DoubleBuffered, &C::SetDoubleBuffered).Default(true);
        p.Property(L"Images", &C::Images, &C::SetImages);
        p.Property(L"Panels", &C::Panels, &C::SetPanels);
        p.Property(L"Ribbon", &C::Ribbon, &C::SetRibbon);
        p.Property(L"SizeGrip", &C::SizeGrip, &C::SetSizeGrip).Default(true);
        p.Property(L"LookAndFeel", &C::LookAndFeel, &C::SetLookAndFeel);
        p.Event(L"OnHint", &C::OnHint);
        p.Property(L"BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        p.Property(L"Color", &C::StoredColor, &C::SetStoredColor).Default(clDefault);
        p.Property(L"ParentFont", &C::ParentFont, &C::SetParentFont).Default(false);
        p.Property(L"BiDiMode", &C::BiDiMode, &C::SetBiDiMode).Default(bdLeftToRight);
    }

public:
    // Raises EdxException (naming the class) when GDI+ is missing, the owner is no form (a nil
    // owner means the main form) or the form already has a ribbon status bar.
    explicit TdxRibbonStatusBar(TComponent* AOwner);
    ~TdxRibbonStatusBar() override;
    void BeforeDestruction() override;

    // The ribbon whose scheme the bar draws with (not owned; either may go first).
    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    void SetRibbon(TdxCustomRibbon* value);
    // The ribbon, when it is assigned, not being destroyed and has a scheme.
    TdxCustomRibbonSkin* UsableScheme() const;
    // The published Color: clDefault (the default) takes the scheme's status-bar colour; any
    // other value is the bar's colour.
    TColor StoredColor() const { return storedColor_; }
    void SetStoredColor(TColor value);

    // The frame flags, as of the last calculation.
    bool LeftRaised() const { return leftRaised_; }
    bool RightRaised() const { return rightRaised_; }
    bool NeedSizeGripSeparator() const { return needSizeGripSeparator_; }

    // -- the status bar's operations
    bool CanAcceptPanelStyle(TdxStatusBarPanelStyleClass styleClass) const override { return true; }
    void AdjustTextColor(TColor& color, bool active) override;
    TdxStatusBarViewInfo* CreateViewInfo() override;
    TdxStatusBarPainterClass GetPainterClass() override { return TdxRibbonStatusBarPainter::Instance(); }
    TdxStatusBarPaintStyle GetPaintStyle() const override { return dxspsOffice11; }
    void Calculate() override;
    void PainterChanged() override;
    // The tallest a panel needs (toolbar panels are not built: 0).
    virtual int GetMinHeight() { return 0; }
    // The ribbon's scheme changed.
    void ColorSchemeChanged(TObject* sender, const void* args);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The parent must lie on a form; the bar then goes below every other bottom-aligned control.
    void SetParent(TWinControl* AParent) override;

    // -- IdxRibbonStatusBarPart
    bool IsOnForm(TCustomForm* form) override;
    int GetHeight() override { return Height(); }
    int IsFrameRaised(bool isLeft) override { return (isLeft ? leftRaised_ : rightRaised_) ? 1 : 0; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The ribbon form's frame differs with and without a status bar: the owner recalculates it.
    void CMVisibleChanged(TMessage& Message);

private:
    void LeaveRibbon();

    TdxCustomRibbon* ribbon_ = nullptr;
    TColor storedColor_ = clDefault;
    bool leftRaised_ = false;
    bool rightRaised_ = false;
    bool needSizeGripSeparator_ = true;
};

class TdxRibbonStatusBarViewInfo : public TdxStatusBarViewInfo {
    Z_CLASS(TdxRibbonStatusBarViewInfo, TdxStatusBarViewInfo)
public:
    using TdxStatusBarViewInfo::TdxStatusBarViewInfo;
};

// The unit's start: registers the ribbon status bar for streaming.
void InitializedxRibbonStatusBar();
void FinalizedxRibbonStatusBar();
