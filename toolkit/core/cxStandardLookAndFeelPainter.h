#pragma once
// The classic three-dimensional look: two-pixel raised and sunken bevels in the system's 3D
// colours, black frames around default and pressed buttons, and the system's own scroll-bar
// arrows. The painter of lfStandard, and the fallback of the visual-style painter.

#include "cxCustomLookAndFeelPainter.h"

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxStandardLookAndFeelPainter* Instance();

    TcxLookAndFeelStyle PainterStyleCode() const override;
    TColor SchedulerViewColor() const override;
    int BorderWidth() const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;

    int ButtonBorderWidth(TcxButtonState state) const override;
    int ButtonTextMargin() const override;
    int ButtonPressedTextShift() const override;
    void DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    void DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool expanded) const override;
    int PlusMinusButtonSize() const override;
    bool SupportsButtonHotTrack() const override;

    void DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;

    // A raised bevel; where another header adjoins, the corner pixels are changed so that the
    // two bevels join.
    void DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                              TcxBorders borders) const override;
    void DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                 TcxBorders borders) const override;
    void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const override;
    int HeaderBorderWidth() const override;
    int HeaderSectionBorderWidth(TcxButtonState state) const override;
    TSize SortMarkSize() const override;

    int FooterBorderWidth() const override;
    int FooterCellBorderWidth() const override;
    int FooterCellSpacing() const override;
    void DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const override;
    void DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const override;

    void DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool active) const override;
    void DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders, int side) const override;
    void DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders) const override;
    int TabBorderWidth(bool vertical) const override;

    void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                              TcxScrollBarPart part) const override;
    void DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text, TcxNeighbors neighbors,
                            const TcxViewParams& viewParams, TcxHeaderArrows arrows, int arrowOffset,
                            const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                            const TcxViewParams& background) const override;

protected:
    TcxStandardLookAndFeelPainter() = default;
};
