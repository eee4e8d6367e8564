#pragma once
// The flat look: one-pixel single bevels where the standard look has double ones. The painter of
// lfFlat.

#include "cxCustomLookAndFeelPainter.h"

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxFlatLookAndFeelPainter* Instance();

    TcxLookAndFeelStyle PainterStyleCode() const override;
    int BorderWidth() const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;

    int ButtonBorderWidth(TcxButtonState state) const override;
    int ButtonTextMargin() const override;
    int ButtonPressedTextShift() const override;
    void DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    int PlusMinusButtonSize() const override;
    bool SupportsButtonHotTrack() const override;

    void DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;

    void DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                              TcxBorders borders) const override;
    void DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                 TcxBorders borders) const override;
    void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const override;
    int HeaderBorderWidth() const override;
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
    void DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                            const TcxViewParams& background) const override;

protected:
    TcxFlatLookAndFeelPainter() = default;
};
