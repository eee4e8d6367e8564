#include "cxFlatLookAndFeelPainter.h"

#include "cxStandardLookAndFeelPainter.h"

const TcxFlatLookAndFeelPainter* TcxFlatLookAndFeelPainter::Instance() {
    static const TcxFlatLookAndFeelPainter painter;
    return &painter;
}

TcxLookAndFeelStyle TcxFlatLookAndFeelPainter::PainterStyleCode() const { return lfsFlat; }
int TcxFlatLookAndFeelPainter::BorderWidth() const { return 1; }

void TcxFlatLookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
}

// ---- buttons and check boxes ---------------------------------------------------------------

int TcxFlatLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const { return state == cxbsDefault ? 2 : 1; }
int TcxFlatLookAndFeelPainter::ButtonTextMargin() const { return 1; }
int TcxFlatLookAndFeelPainter::ButtonPressedTextShift() const { return 1; }

void TcxFlatLookAndFeelPainter::DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    if (state == cxbsPressed) {
        canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
        return;
    }
    TRect frame = r;
    if (state == cxbsDefault) {
        canvas->FrameRectBorders(frame, clBlack);
        frame = InflateRectSides(frame, -1, -1, -1, -1);
    }
    canvas->DrawTwoToneBorders(frame, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color,
                                                    bool expanded) const {
    DrawCaptionButton(canvas, r, cxbsNormal, String(), true, color);
    DrawPlusMinusCross(canvas, InflateRectSides(r, -1, -1, -1, -1), clBtnText, expanded);
    canvas->ExcludeRectFromClip(r);
}

int TcxFlatLookAndFeelPainter::PlusMinusButtonSize() const { return 11; }
bool TcxFlatLookAndFeelPainter::SupportsButtonHotTrack() const { return false; }

void TcxFlatLookAndFeelPainter::DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
    canvas->FrameRectBorders(InflateRectSides(r, -1, -1, -1, -1), CheckBoxFaceColor(state));
}

// ---- headers and footers -------------------------------------------------------------------

void TcxFlatLookAndFeelPainter::DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                                                     TcxBorders borders) const {
    TcxStandardLookAndFeelPainter::Instance()->DrawHeaderCellBorder(canvas, r, neighbors, borders);
}

void TcxFlatLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                        TcxBorders borders) const {
    if (state == cxbsPressed)
        canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight, borders);
    else
        canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow, borders);
}

void TcxFlatLookAndFeelPainter::DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const {
    DrawSortTriangle(canvas, r, ascending, clBtnHighlight, clBtnShadow);
}

int TcxFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
TSize TcxFlatLookAndFeelPainter::SortMarkSize() const { return TSize{8, 7}; }
int TcxFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellSpacing() const { return 1; }

void TcxFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
}

// ---- filter button and tabs: as the standard look ------------------------------------------

void TcxFlatLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                      bool active) const {
    TcxStandardLookAndFeelPainter::Instance()->DrawFilterArrowButton(canvas, r, state, active);
}

void TcxFlatLookAndFeelPainter::DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders,
                                             int side) const {
    TcxStandardLookAndFeelPainter::Instance()->DrawTabFrame(canvas, r, vertical, borders, side);
}

void TcxFlatLookAndFeelPainter::DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical,
                                             TcxBorders borders) const {
    TcxStandardLookAndFeelPainter::Instance()->DrawTabStrip(canvas, r, vertical, borders);
}

int TcxFlatLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// ---- scroll bars and splitter --------------------------------------------------------------

// Tracks get the checkerboard; the thumb and the arrow buttons are caption buttons. A hot part
// is drawn as a normal one.
void TcxFlatLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                     bool horizontal, TcxScrollBarPart part) const {
    if (IsRectEmpty(&r) || (part == sbpThumbnail && state == cxbsDisabled)) return;
    if (state == cxbsHot) state = cxbsNormal;
    if (part == sbpPageUp || part == sbpPageDown) {
        FillScrollBarTrack(canvas, r, state == cxbsPressed);
        return;
    }
    if (part == sbpNone) return;
    DrawCaptionButton(canvas, r, state, String(), true);
    if (part == sbpLineUp || part == sbpLineDown) {
        int w = ButtonBorderWidth(cxbsNormal);
        DrawStateArrow(canvas, InflateRectSides(r, -w, -w, -w, -w), state, ScrollBarArrowDirection(horizontal, part));
    }
}

void TcxFlatLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                                                   const TcxViewParams& background) const {
    if (horizontal) {
        canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow, TcxBorders{bTop, bBottom});
        FillViewParams(canvas, InflateRectSides(r, 1, -1, 1, -1), background);
    } else {
        canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow, TcxBorders{bLeft, bRight});
        FillViewParams(canvas, InflateRectSides(r, -1, 1, -1, 1), background);
    }
}
