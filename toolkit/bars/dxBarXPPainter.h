#pragma once
// The look of the platform's visual styles: docks, grips, separators, buttons, split-button
// arrows, the floating close button, MDI buttons, combo buttons, edit frames, spin buttons and
// progress bars are theme parts the platform draws; menus, texts and floating borders are drawn
// flat with system colours. The manager uses it only while visual styles are available (else
// the style paints as Enhanced); a part the theme does not have draws nothing.

#include "dxBarPainter.h"

class TdxBarXPPainter : public TdxBarPainter {
    Z_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
    // Measures the theme's parts once for every painter (the metrics below).
    explicit TdxBarXPPainter(TcxLookAndFeelPainterClass data);

    void DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area, int paintKind,
                        bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                        bool split) const override;
    void DrawCheckMark(C* control, HDC dc, int x, int y, int size) const override;
    bool UsesFadedDisabledImages(W* /*window*/) const override { return true; }
    // Items of the main menu are highlighted as the system's menu bar.
    bool ShowsSubItemSel(C* control) const override;
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    int GetEllipsisDotOffset(int size) const override { return 2 * size; }
    int GetDownGlyphShift() const override { return 1; }
    int GetPressedGlyphShift(C* /*control*/, bool down) const override { return down ? 0 : 1; }
    int GlyphDrawOption() const override { return 1; }
    int GetGripOffset() const override { return 0; }
    int GetDragGripSize() const override;
    int GetDragAreaSize(W* /*window*/) const override { return GetDragGripSize() + GetGripOffset() + 2; }
    int GetDropDownArrowWidth(TdxBarManager* manager) const override;
    void DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect, const TRect& barRect,
                    HBRUSH brush, TColor color) const override;
    bool UsesNativeBk(W* /*window*/, const TRect& /*rect*/) const override { return true; }
    int CalcComboArrowWidth(int size) const override;
    int GetSeparatorOffset() const override { return (GetSeparatorSize() - 1) / 2; }
    int GetSeparatorSize() const override;
    int GetDockedBarBorderSize() const override { return 0; }
    void FillBarCaption(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    bool DrawsCaptionTransparent() const override { return true; }
    void GetCloseButtonSize(TSize& size) const override;
    void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const override;
    void DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const override;
    void DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                         HBRUSH brush) const override;
    void DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const override;
    bool AlignsQuickPopupToBar() const override { return true; }
    bool IsFlatLook() const override { return true; }
    int GetButtonExtraHeight() const override;
    int GetButtonExtraWidth() const override { return GetButtonExtraHeight(); }
    void AdjustMenuItemSize(int& value) const override { ++value; }
    void DrawButtonArrow(BP* params, const TRect& rect) const override;
    void DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const override;
    int GetEditBorderWidth() const override { return 0; }
    void DrawComboButton(P* params, const TRect& rect, int kind) const override;
    int GetMenuArrowsOffset() const override { return 1; }
    int GetMenuSeparatorHeight() const override;
    void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
    HBRUSH GetMenuBrush(int /*paintKind*/) const override { return HBRUSH(INT_PTR(COLOR_MENU + 1)); }
    void DrawEditBoxFrame(P* params, TRect& rect) const override;
    int GetEditCaptionIndent() const override { return 6; }
    int GetEditCaptionSpacing() const override { return 5; }
    void GetEditTextMargins(P* /*params*/, TRect& rect) const override { rect = Rect(5, 0, 0, 0); }
    void GetColorComboMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(1, 1, 1, 1); }
    bool IsFlatDateNavigator() const override { return true; }
    void GetSpinButtonMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(0, 0, 0, 0); }
    void DrawSpinButton(P* params, const TRect& rect, int button) const override;
    int GetProgressBarHeight() const override;
    void DrawProgressBk(P* params, const TRect& rect) const override;
    void DrawProgressBlocks(P* params, const TRect& rect, HBRUSH brush) const override;
    int GetSeparatorItemHeight() const override { return GetMenuSeparatorHeight(); }
};
