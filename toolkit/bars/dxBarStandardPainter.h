#pragma once
// The classic raised look: one-pixel bevels drawn with the system's edges, system colours
// only, the system's caption buttons for the floating close button and the MDI buttons, and two
// raised fingers as a docked toolbar's grip (TdxBarStandardPainter). TdxBarEnhancedPainter is
// the same look with one thinner finger, a bevelled mark and quick customization.
//
// Both keep no state: every operation draws from its arguments and the system colours.

#include "dxBarPainter.h"

class TdxBarStandardPainter : public TdxBarPainter {
    Z_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
    using TdxBarPainter::TdxBarPainter;

    void DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area, int paintKind,
                        bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                        bool split) const override;
    // Rows of a polyline: grey over the mark, the mark itself, a fringe in the opposite colour.
    void DrawCheckMark(C* control, HDC dc, int x, int y, int size) const override;
    bool IsStandardStyle() const override { return true; }
    bool IsSmallBar(W* /*window*/, const TRect& /*rect*/) const override { return false; }
    // Embossed: a highlight and a shadow stroke.
    void DrawMarkChevron(W* window, HDC dc, int pos, const TRect& markRect) const override;
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    int GetBarEdgeKind() const override { return 2; }
    // Engraved: the highlight one pixel down and right, the shadow over it.
    void FillDisabledShadow(C* control, HDC dc, const TRect& rect) const override;
    // The glyph column and the text area; a hot item is highlighted right of its glyph column.
    void DrawMenuItemBk(P* params, const TRect& rect) const override;
    void DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool enabled, bool selected,
                             bool pressed) const override;
    void GetCaptionMargins(TRect& rect) const override { rect = Rect(2, 1, 2, 1); }
    HBRUSH GetGlyphBkBrush(C* control, int paintKind, bool noGlyph, bool selected, bool down, bool pressed,
                           bool droppedDown, bool plainBk, bool grayGlyph) const override;
    int GetDownGlyphShift() const override { return 1; }
    int GetPressedGlyphShift(C* /*control*/, bool /*down*/) const override { return 1; }
    int GetCheckedExtraSize() const override { return 1; }
    int GetGripOffset() const override { return 2; }
    // Two fingers, the offset before them and one pixel after.
    int GetDragAreaSize(W* /*window*/) const override { return 2 * GetDragGripSize() + GetGripOffset() + 1; }
    int GetMenuGroupIndent() const override { return 2; }
    void GetBarBorderSizes(int& horizontal, int& vertical) const override;
    bool UsesMenuBrush() const override { return false; }
    bool AllowsQuickCust() const override { return false; }
    void DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const override;
    // A raised bevel, then the grip when the bar can move.
    void DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                         HBRUSH brush) const override;
    // Button 0 minimize, 1 restore, 2 close; state 1 inactive, 4 pushed.
    void DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const override;
    int GetFloatExtraSide() const override { return 4; }
    void CalcMarkRect(W* window, TRect& rect) const override;
    int GetFloatExtraTop() const override { return 2; }
    int GetFloatExtraBottom() const override { return 1; }
    bool HitTestsFloatFrame() const override { return true; }
    bool DrawsStandardFrame() const override { return true; }
    void DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const override;
    void DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const override;
    void DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const override;
    bool OffsetsRecentGroup() const override { return true; }
    int GetMenuContentIndent() const override { return 2; }
    void GetMenuContentMargins(W* menu, TRect& rect) const override;
    // The gaps around non-recent items (drawn sunken) and the lines where the groups change.
    void DrawMenuItemFrame(W* menu, C* control, HDC dc, const TRect& rect, int index) const override;
    bool AllowsPartialProgressUpdate() const override { return true; }

protected:
    // One finger of the grip: a raised bevel filled with the face, excluded from the clip so
    // that the bar background drawn later leaves it.
    void DrawGripFinger(HDC dc, const TRect& rect, bool cornerPixel, bool vertical) const;
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
    Z_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
    using TdxBarStandardPainter::TdxBarStandardPainter;

    // The plain chevron of the base.
    void DrawMarkChevron(W* window, HDC dc, int pos, const TRect& markRect) const override {
        TdxBarPainter::DrawMarkChevron(window, dc, pos, markRect);
    }
    // A frame (normal), raised (hot) or sunken (pressed) bevel around the window's background.
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    int GetGripOffset() const override { return 1; }
    int GetDragAreaSize(W* /*window*/) const override { return GetDragGripSize() + GetGripOffset() + 2; }
    int GetMenuGroupIndent() const override { return 12; }
    bool AllowsQuickCust() const override { return true; }
    void DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
};
