#pragma once
// The Office-style look: docks and toolbars in two-colour gradients, toolbars with rounded
// corners and a one-pixel shadow line, grips of dots, a gradient mark, menus with a gradient
// band behind the glyph column, and hot, pressed and checked buttons filled with gradients.
// Every colour comes from the Office-style bar colours (dxBarOffice11Colors.h). Derives from the
// flat look and keeps its popups joined to their owners.

#include "dxBarFlatPainter.h"

class TBitmap;

class TdxBarOffice11Painter : public TdxBarFlatPainter {
    Z_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
    explicit TdxBarOffice11Painter(TcxLookAndFeelPainterClass data);
    ~TdxBarOffice11Painter() override;

    // A column of dots (flag set) or a row.
    virtual void DrawGripDots(W* window, HDC dc, const TRect& rect, bool column) const;
    virtual int GetGripExtraOffset() const { return 2; }

    // The dock's background picture: when empty it is sized to the dock and filled with the
    // dock's gradient (a left dock in the first colour only, a right one in the second).
    static void FillDockBkCache(TBitmap* cache, TdxBarDockingStyle style, const TRect& dockRect);

    void DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area, int paintKind,
                        bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                        bool split) const override;
    void DrawFlatSelectionFrame(HDC dc, const TRect& rect) const override;
    TColor GetItemTextColor(C* control, bool selected, bool flat) const override;
    void GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                   TColor& main) const override;
    bool UsesFadedDisabledImages(W* /*window*/) const override { return true; }
    bool PaintsNonRecentItems() const override { return true; }
    TColor GetBarCaptionBackColor(W* window, bool mainFormActive) const override;
    TColor GetBarCaptionTextColor(W* window) const override;
    TColor GetMarkArrowColor(W* window, int state) const override;
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    void DrawMenuItemBk(P* params, const TRect& rect) const override;
    void DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool enabled, bool selected,
                             bool pressed) const override;
    int GlyphDrawOption() const override { return 0; }
    int GlyphShadowOption() const override { return 0; }
    int GetGripOffset() const override { return TdxBarFlatPainter::GetGripOffset() + GetGripExtraOffset(); }
    int GetFloatBorderWidth() const override { return 3; }
    int GetFloatBorderHeight() const override { return 3; }
    int GetNoGripIndent() const override { return 2; }
    void DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect, const TRect& barRect,
                    HBRUSH brush, TColor color) const override;
    bool UsesNativeBk(W* /*window*/, const TRect& /*rect*/) const override { return true; }
    bool BarControlHasShadow(W* window) const override { return window->IsPopupWindow(); }
    HBRUSH GetBarOwnerBrush(W* /*window*/) const override { return ownerBrush_; }
    void FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                         TColor color) const override;
    void FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                        TColor color) const override;
    HBRUSH GetToolbarBrush() const override { return menuBrush_; }
    HBRUSH GetBarControlBrush(W* window) const override;
    HBRUSH GetDownedBrush() const override { return checkedBrush_; }
    HBRUSH GetDownedSelBrush() const override { return checkedHotBrush_; }
    HBRUSH GetSelBrush() const override { return hotBrush_; }
    int CalcComboArrowWidth(int /*size*/) const override { return 13; }
    void CalcDockedBarBorders(TdxBarDockingStyle dockingStyle, TRect& rect) const override;
    void GetDockedBarMargins(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle, TRect& rect) const override;
    void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const override;
    void DrawCaptionButtonFace(W* window, HDC dc, const TRect& rect, int state) const override;
    // The rounded, shadowed outline of a docked toolbar (only bands for the main menu), then
    // the grip dots when the bar can move.
    void DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                         HBRUSH brush) const override;
    HBRUSH GetQuickCustBrush(W* /*window*/) const override { return menuBrush_; }
    HBRUSH GetItemBrush(P* params) const override;
    TColor GetEditButtonArrowColor(P* params) const override;
    HBRUSH GetEditButtonBrush(P* params) const override;
    void DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const override;
    void DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const override;
    bool HasMenuSideStrip() const override { return true; }
    void FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const override;
    void DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const override;
    HBRUSH GetMenuBrush(int /*paintKind*/) const override { return menuBrush_; }
    TColor GetEditDisabledColor(C* /*control*/) const override { return clBtnFace; }
    TColor GetEditDisabledTextColor() const override;
    void DrawEditBoxFrame(P* params, TRect& rect) const override;
    HBRUSH GetShadowBrush() const override { return shadowBrush_; }
    void DrawFlatButtonFrame(C* control, HDC dc, const TRect& rect, HBRUSH brush, int paintKind, bool hot,
                             bool down) const override;
    HBRUSH GetFlatItemBrush(C* control, int paintKind) const override;
    HBRUSH GetFlatShadowBrush(C* /*control*/, int /*borderStyle*/) const override { return borderBrush_; }
    void DrawOwnerFrame(W* window, HDC dc, const TRect& rect) const override;
    void DrawOwnerLinkGap(W* window, HDC dc, const TRect& ownerRect, const TRect& linkRect, C* owner) const override;
    TColor GetFlatShadowColor(TcxCanvas* canvas, const TRect& rect) const override;

private:
    HBRUSH ownerBrush_, menuBrush_, checkedBrush_, checkedHotBrush_, hotBrush_, borderBrush_, shadowBrush_;
};
