#pragma once
// The flat look: no bevels, one-pixel frames, a pale toolbar colour for bar backgrounds and the
// menus' glyph column, window-coloured menus, a highlight frame around hot items, and popups
// that look joined to the button or mark that opened them (the line between them left out).
// The Office-style painter derives from it.
//
// The painter keeps the five flat brushes it draws with (made from the system colours when it
// is made; the manager makes a painter anew when the system colours change).

#include "dxBarPainter.h"

class TdxBarFlatPainter : public TdxBarPainter {
    Z_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
    explicit TdxBarFlatPainter(TcxLookAndFeelPainterClass data);
    ~TdxBarFlatPainter() override;

    // ---- the flat look's own operations -------------------------------------------------
    virtual void DrawFlatButtonFrame(C* control, HDC dc, const TRect& rect, HBRUSH brush, int paintKind, bool hot,
                                     bool down) const;
    virtual HBRUSH GetFlatItemBrush(C* control, int paintKind) const;
    virtual HBRUSH GetFlatShadowBrush(C* control, int borderStyle) const;
    // A mark whose popup is open: framed open towards the popup, filled with the owner brush.
    virtual void DrawPressedMark(W* window, HDC dc, const TRect& rect, IdxBarPaintedWindow* popup) const;
    // The frame of an owner whose popup is open, left open on the side the popup touches.
    virtual void DrawDroppedOwnerFrame(W* window, HDC dc, const TRect& ownerRect, C* owner,
                                       IdxBarPaintedWindow* popup) const;
    virtual void DrawOwnerFrame(W* window, HDC dc, const TRect& rect) const;
    virtual void DrawOwnerLinkGap(W* window, HDC dc, const TRect& ownerRect, const TRect& linkRect, C* owner) const;
    virtual TColor GetFlatShadowColor(TcxCanvas* canvas, const TRect& rect) const;

    // The flat brushes: border, toolbar, checked, checked and hot, hot.
    HBRUSH FlatBorderBrush() const { return brushes_[0]; }
    HBRUSH FlatToolbarBrush() const { return brushes_[1]; }

    // ---- base operations ----------------------------------------------------------------
    void DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area, int paintKind,
                        bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                        bool split) const override;
    void DrawCheckMark(C* control, HDC dc, int x, int y, int size) const override;
    void DrawFlatSelectionFrame(HDC dc, const TRect& rect) const override;
    TColor GetBarCaptionBackColor(W* /*window*/, bool /*mainFormActive*/) const override { return clInactiveCaption; }
    TColor GetMarkArrowColor(W* window, int state) const override;
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    void GetFloatCaptionOffset(W* window, int& x, const TRect& captionRect) const override;
    int GetMarkElementColorIndex(W* window) const override;
    void DrawScrollButtonLine(W* /*menu*/, TcxCanvas* /*canvas*/, bool /*bottom*/) const override {}
    void DrawExpandButtonSelection(W* menu, HDC dc, const TRect& rect) const override;
    void DrawSpinArrow(P* params, const TPoint& pos, int button) const override;
    void CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const override;
    int GetBarEdgeKind() const override { return 1; }
    int GetArrowIndent(C* control) const override;
    void DrawMenuItemBk(P* params, const TRect& rect) const override;
    void DrawLoweredFrame(HDC dc, TRect& rect) const override;
    void DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool enabled, bool selected,
                             bool pressed) const override;
    HBRUSH GetGlyphBkBrush(C* control, int paintKind, bool noGlyph, bool selected, bool down, bool pressed,
                           bool droppedDown, bool plainBk, bool grayGlyph) const override;
    int GlyphDrawOption() const override { return 1; }
    bool IsFlatStyle() const override { return true; }
    bool IsGlyphBkSolid(C* control, bool state1, bool state2, bool state3, bool noGlyph) const override;
    int GlyphShadowOption() const override { return 1; }
    int GetCheckedExtraSize() const override { return 1; }
    int GetMenuGlyphIndent(C* control) const override;
    int GetGripOffset() const override { return 1; }
    int GetDragAreaSize(W* /*window*/) const override { return GetDragGripSize() + GetGripOffset() + 2; }
    int GetDropDownArrowWidth(TdxBarManager* manager) const override;
    int GetItemSpacing(TObject* object) const override { return TdxBarPainter::GetItemSpacing(object) - 1; }
    int GetMenuGroupIndent() const override { return 8; }
    bool UsesFlatItemLook() const override { return true; }
    HBRUSH GetToolbarBrush() const override { return brushes_[1]; }
    HBRUSH GetBarControlBrush(W* window) const override;
    HBRUSH GetDownedBrush() const override { return brushes_[2]; }
    HBRUSH GetDownedSelBrush() const override { return brushes_[3]; }
    HBRUSH GetSelBrush() const override { return brushes_[4]; }
    int GetSeparatorOffset() const override { return (GetSeparatorSize() - 1) / 2; }
    int GetSeparatorSize() const override { return 5; }
    void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const override;
    // A cross of two diagonals, each two pixels wide, on the state's face.
    void DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const override;
    void DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                         HBRUSH brush) const override;
    void DrawFloatMark(W* window, HDC dc, const TRect& rect) const override;
    HBRUSH GetQuickCustBrush(W* /*window*/) const override { return HBRUSH(INT_PTR(COLOR_WINDOW + 1)); }
    bool AlignsQuickPopupToBar() const override { return true; }
    HBRUSH GetItemBrush(P* params) const override;
    void AdjustMenuItemSize(int& value) const override { value += 2; }
    void AdjustMenuItemWidth(int& value) const override { value += 9; }
    void DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const override;
    TColor GetEditButtonArrowColor(P* params) const override;
    HBRUSH GetEditButtonBrush(P* params) const override;
    void DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const override;
    int GetMenuArrowsOffset() const override { return 1; }
    int GetMenuSeparatorHeight() const override { return 5; }
    int GetDetachCaptionHeight(W* menu) const override;
    int CalcMenuArrowIndent(int height) const override;
    int GetMinMenuItemHeight() const override { return 20; }
    void CalcMenuGlyphRect(const TRect& itemRect, int iconAreaWidth, TRect& rect) const override;
    void CalcMenuTextRect(P* params, const TRect& itemRect, TRect& rect) const override;
    int GetMenuTextIndent(P* params) const override { return TdxBarPainter::GetMenuTextIndent(params) + 6; }
    void CalcBeginGroupRect(W* menu, C* control, const TRect& itemRect, TRect& rect) const override;
    void InsetDetachCaption(W* menu, TRect& rect) const override;
    void DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const override;
    void DrawMenuInnerBorder(W* menu, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawDetachCaption(W* menu, HDC dc, const TRect& rect, int state) const override;
    void DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const override;
    void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
    int CalcMenuTextItemHeight(TcxCanvas* canvas) const override {
        return TdxBarPainter::CalcMenuTextItemHeight(canvas) + 1;
    }
    HBRUSH GetMenuBrush(int /*paintKind*/) const override { return HBRUSH(INT_PTR(COLOR_WINDOW + 1)); }
    // The list's entry, or (flag set) the combo's edit area, two pixels lower.
    void DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect, UINT state,
                           bool flag) const override;
    void GetPartMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(1, 1, 1, 1); }
    void DrawEditBoxFrame(P* params, TRect& rect) const override;
    bool IsMenuEditActive(P* params) const override;
    int GetEditCaptionIndent() const override { return 6; }
    int GetEditCaptionSpacing() const override { return 5; }
    void GetEditTextMargins(P* /*params*/, TRect& rect) const override { rect = Rect(7, 0, 0, 0); }
    bool IsEditGlyphSel(C* control) const override;
    bool IsFlatDateNavigator() const override { return true; }
    void DrawSpinButton(P* params, const TRect& rect, int button) const override;
    bool AllowsPartialProgressUpdate() const override { return true; }
    int GetExtItemIndent() const override { return 9; }
    bool IsInPlaceSubItemSel(P* params) const override;
    void DrawStaticBorder(P* params, TRect& rect) const override;

private:
    HBRUSH brushes_[5] = {};
};
