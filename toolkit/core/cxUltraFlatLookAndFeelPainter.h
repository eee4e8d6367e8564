#pragma once
// The ultra-flat look, the system's default: no bevels, one-colour frames, hot-tracked buttons
// filled with the selection tints. The painter of lfUltraFlat and the parent of the Office-style
// painter, which redefines its four frame colours.

#include "cxCustomLookAndFeelPainter.h"

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxUltraFlatLookAndFeelPainter* Instance();

    TcxLookAndFeelStyle PainterStyleCode() const override;
    TColor SchedulerBorderColor() const override;
    int BorderWidth() const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;

    int ButtonBorderWidth(TcxButtonState state) const override;
    TColor ButtonFaceColor(TcxButtonState state) const override;
    TRect ButtonFocusRectangle(TcxCanvas* canvas, const TRect& r) const override;
    TRect ButtonGroupBorders(int buttonCount, int buttonIndex) const override;
    int ButtonTextMargin() const override;
    int ButtonPressedTextShift() const override;
    TColor ButtonGlyphColor(TcxButtonState state, TColor defaultColor = clDefault) const override;
    TcxButtonState ButtonGlyphState(TcxButtonState state) const override;
    void DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, int buttonCount, int buttonIndex,
                           TColor frameColor) const override;
    void DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawButtonOutline(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    int PlusMinusButtonSize() const override;
    bool SupportsButtonHotTrack() const override;

    void DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;

    void DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                             TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz,
                             TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis, const String& text,
                             TFont* font, TColor textColor, TColor backgroundColor,
                             const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                              TcxBorders borders) const override;
    void DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                 TcxBorders borders) const override;
    void DrawHeaderSectionContent(TcxCanvas* canvas, const TRect& r, const TRect& textBounds, TcxButtonState state,
                                  TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                  bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                                  TColor backgroundColor) const override;
    void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const override;
    TcxBorders HeaderBorders(TcxNeighbors neighbors) const override;
    int HeaderBorderWidth() const override;
    TSize SortMarkSize() const override;
    int GridGroupPanelMetric() const override;

    int FooterBorderWidth() const override;
    int FooterCellBorderWidth() const override;
    int FooterCellSpacing() const override;
    void DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const override;
    void DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const override;

    void DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool active) const override;
    TSize SmallCloseButtonSize() const override;
    void DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders, int side) const override;
    void DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders) const override;
    int TabBorderWidth(bool vertical) const override;

    void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                              TcxScrollBarPart part) const override;
    void DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect, TcxButtonState state,
                                     bool isNext) const override;
    void DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                            const TcxViewParams& background) const override;

    // The frame colours of this look: of a state, of plain frames, of dark frames and of hot ones.
    virtual TColor FlatStateBorderColor(TcxButtonState state) const;
    virtual TColor FlatBorderColor() const;
    virtual TColor FlatDarkBorderColor() const;
    virtual TColor FlatHotBorderColor() const;

protected:
    TcxUltraFlatLookAndFeelPainter() = default;
};
