#include "cxUltraFlatLookAndFeelPainter.h"

#include "cxImageStates.h"

const TcxUltraFlatLookAndFeelPainter* TcxUltraFlatLookAndFeelPainter::Instance() {
    static const TcxUltraFlatLookAndFeelPainter painter;
    return &painter;
}

TcxLookAndFeelStyle TcxUltraFlatLookAndFeelPainter::PainterStyleCode() const { return lfsUltraFlat; }
TColor TcxUltraFlatLookAndFeelPainter::SchedulerBorderColor() const { return clBtnShadow; }
int TcxUltraFlatLookAndFeelPainter::BorderWidth() const { return 1; }

void TcxUltraFlatLookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->FrameRectBorders(r, clBtnShadow);
}

// ---- frame colours -------------------------------------------------------------------------

TColor TcxUltraFlatLookAndFeelPainter::FlatStateBorderColor(TcxButtonState state) const {
    return state == cxbsNormal ? clBtnShadow : clHighlight;
}
TColor TcxUltraFlatLookAndFeelPainter::FlatBorderColor() const { return clBtnShadow; }
TColor TcxUltraFlatLookAndFeelPainter::FlatDarkBorderColor() const { return clBtnText; }
TColor TcxUltraFlatLookAndFeelPainter::FlatHotBorderColor() const { return clHighlight; }

// ---- buttons -------------------------------------------------------------------------------

int TcxUltraFlatLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const {
    return state == cxbsDefault ? 2 : 1;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(TcxButtonState state) const {
    switch (state) {
        case cxbsHot:
            return HotSelectionColor();
        case cxbsPressed:
            return PressedSelectionColor();
        default:
            return clBtnFace;
    }
}

TRect TcxUltraFlatLookAndFeelPainter::ButtonFocusRectangle(TcxCanvas*, const TRect& r) const {
    TRect focus = InflateRectSides(r, -3, -3, -3, -3);
    return IsRectEmpty(&focus) ? r : focus;
}

// The outer buttons of a group have the thicker borders on the group's ends.
TRect TcxUltraFlatLookAndFeelPainter::ButtonGroupBorders(int buttonCount, int buttonIndex) const {
    TRect borders{1, 2, 1, 2};
    if (buttonIndex == 0)
        borders.left = 2;
    else if (buttonIndex == buttonCount - 1)
        borders.right = 2;
    return borders;
}

int TcxUltraFlatLookAndFeelPainter::ButtonTextMargin() const { return 2; }
int TcxUltraFlatLookAndFeelPainter::ButtonPressedTextShift() const { return 0; }

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(TcxButtonState state, TColor defaultColor) const {
    if (state == cxbsPressed) return clHighlightText;
    return TcxCustomLookAndFeelPainter::ButtonGlyphColor(state, defaultColor);
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonGlyphState(TcxButtonState) const { return cxbsNormal; }

void TcxUltraFlatLookAndFeelPainter::DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                       int buttonCount, int buttonIndex, TColor frameColor) const {
    const bool first = buttonIndex == 0, last = buttonIndex == buttonCount - 1;
    TRect face = InflateRectSides(r, first ? -1 : 0, -1, last ? -1 : 0, -1);
    if (state == cxbsNormal || state == cxbsDisabled) {
        canvas->FrameRectBorders(face, frameColor);
        face = InflateRectSides(face, -1, -1, -1, -1);
    } else {
        // A lit button shows a line on each side that faces another button of the group.
        if (!first) {
            FillRectColor(canvas, TRect{face.left, face.top, face.left + 1, face.bottom}, FlatHotBorderColor());
            ++face.left;
        }
        if (!last) {
            FillRectColor(canvas, TRect{face.right - 1, face.top, face.right, face.bottom}, FlatHotBorderColor());
            --face.right;
        }
    }
    FillRectColor(canvas, face, ButtonFaceColor(state));
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    switch (state) {
        case cxbsDefault:
            DrawPlainFrames(canvas, r, {clWindowFrame, clWindowFrame});
            break;
        case cxbsNormal:
            canvas->FrameRectBorders(r, clBtnText);
            break;
        case cxbsDisabled:
            canvas->FrameRectBorders(r, clBtnShadow);
            break;
        default:
            canvas->FrameRectBorders(r, clHighlight);
            break;
    }
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonOutline(TcxCanvas* canvas, const TRect& r, bool hot,
                                                       bool pressed) const {
    canvas->FrameRectBorders(r, pressed ? clBtnText : hot ? FlatHotBorderColor() : clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color,
                                                         bool expanded) const {
    canvas->FrameRectBorders(r, clBtnShadow);
    TRect face = InflateRectSides(r, -1, -1, -1, -1);
    FillRectColor(canvas, face, color == clDefault ? clBtnFace : color);
    DrawPlusMinusCross(canvas, face, clBtnText, expanded);
    canvas->ExcludeRectFromClip(r);
}

int TcxUltraFlatLookAndFeelPainter::PlusMinusButtonSize() const { return 11; }
bool TcxUltraFlatLookAndFeelPainter::SupportsButtonHotTrack() const { return true; }

void TcxUltraFlatLookAndFeelPainter::DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    DrawPlainFrames(canvas, r, {clBtnText, CheckBoxFaceColor(state)});
}

// ---- headers and footers -------------------------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds,
                                                         const TRect& textBounds, TcxButtonState state,
                                                         TcxNeighbors neighbors, TcxBorders borders,
                                                         TAlignment alignHorz, TcxAlignmentVert alignVert,
                                                         bool multiLine, bool showEndEllipsis, const String& text,
                                                         TFont* font, TColor textColor, TColor backgroundColor,
                                                         const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawTextContent(canvas, bounds, InflateRectSides(textBounds, -1, -1, -1, -1), state, alignHorz, alignVert,
                    multiLine, showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground, false);
    DrawHeaderCellBorder(canvas, InflateRectSides(bounds, -1, -1, -1, -1), neighbors, borders);
}

// The right and bottom lines always; the left and top ones where asked, so that adjoining cells
// share one line between them.
void TcxUltraFlatLookAndFeelPainter::DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors,
                                                          TcxBorders borders) const {
    TcxBorders lines{bRight, bBottom};
    if (borders.Contains(bLeft)) lines += bLeft;
    if (borders.Contains(bTop)) lines += bTop;
    canvas->FrameRectBorders(r, clBtnText, 1, lines);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                             TcxBorders borders) const {
    canvas->FrameRectBorders(r, state == cxbsDisabled ? clBtnShadow : clBlack, 1, borders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderSectionContent(TcxCanvas* canvas, const TRect& r,
                                                              const TRect& textBounds, TcxButtonState state,
                                                              TAlignment alignHorz, TcxAlignmentVert alignVert,
                                                              bool multiLine, bool showEndEllipsis, const String& text,
                                                              TFont* font, TColor textColor,
                                                              TColor backgroundColor) const {
    const bool lit = state == cxbsHot || state == cxbsPressed || state == cxbsDisabled;
    TcxCustomLookAndFeelPainter::DrawHeaderSectionContent(canvas, r, textBounds, state, alignHorz, alignVert, multiLine,
                                                          showEndEllipsis, text, font, textColor,
                                                          lit ? ButtonFaceColor(state) : backgroundColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const {
    DrawSortTriangle(canvas, r, ascending, clBtnShadow, clBtnShadow);
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderBorders(TcxNeighbors neighbors) const {
    TcxBorders borders = cxBordersAll;
    if (neighbors.Contains(nLeft)) borders -= bLeft;
    if (neighbors.Contains(nTop)) borders -= bTop;
    return borders;
}

int TcxUltraFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
TSize TcxUltraFlatLookAndFeelPainter::SortMarkSize() const { return TSize{7, 8}; }
int TcxUltraFlatLookAndFeelPainter::GridGroupPanelMetric() const { return 12; }
int TcxUltraFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellSpacing() const { return 2; }

void TcxUltraFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->FrameRectBorders(r, FooterLineColor(), 1, TcxBorders{bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->FrameRectBorders(r, FooterLineColor());
}

// ---- filter button, small buttons and tabs -------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                           bool active) const {
    canvas->FrameRectBorders(r, FlatStateBorderColor(state));
    TRect face = InflateRectSides(r, -1, -1, -1, -1);
    FillRectColor(canvas, face, ButtonFaceColor(state));
    DrawDropDownTriangle(canvas, face, active ? clBlue : ButtonGlyphColor(state));
}

TSize TcxUltraFlatLookAndFeelPainter::SmallCloseButtonSize() const { return TSize{16, 15}; }

void TcxUltraFlatLookAndFeelPainter::DrawTabFrame(TcxCanvas* canvas, const TRect& rect, bool vertical, TcxBorders,
                                                  int side) const {
    const bool dark = vertical ? side == 3 : side == 2;
    TRect r = rect;
    if (!vertical && side == 2) r.bottom -= TabBorderWidth(vertical);
    FillRectColor(canvas, r, dark ? FlatDarkBorderColor() : FlatBorderColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical,
                                                  TcxBorders borders) const {
    canvas->FrameRectBorders(r, FlatBorderColor(), TabBorderWidth(vertical), borders);
}

int TcxUltraFlatLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// ---- scroll bars, navigation buttons and splitter ------------------------------------------

// As the flat look, but hot-tracked, and with the arrow over the whole button.
void TcxUltraFlatLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                          bool horizontal, TcxScrollBarPart part) const {
    if (IsRectEmpty(&r) || part == sbpNone || (part == sbpThumbnail && state == cxbsDisabled)) return;
    if (part == sbpPageUp || part == sbpPageDown) {
        FillScrollBarTrack(canvas, r, state == cxbsPressed);
        return;
    }
    DrawCaptionButton(canvas, r, state, String(), true);
    if (part == sbpLineUp || part == sbpLineDown)
        DrawStateArrow(canvas, r, state, ScrollBarArrowDirection(horizontal, part));
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r,
                                                                 const TRect& arrowRect, TcxButtonState state,
                                                                 bool isNext) const {
    FillRectColor(canvas, r, clBtnFace);
    const TcxBorders sides = isNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
    canvas->FrameRectBorders(r, state == cxbsHot ? FlatBorderColor() : FlatDarkBorderColor(), 1, sides);
    DrawNavigationArrow(canvas, arrowRect, ButtonGlyphColor(state), isNext);
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r,
                                                             TcxButtonState state) const {
    DrawCaptionButton(canvas, r, state, String(), state == cxbsHot || state == cxbsPressed);
}

void TcxUltraFlatLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                                                        const TcxViewParams& background) const {
    canvas->FrameRectBorders(r, SchedulerBorderColor(), 1,
                             horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
    FillViewParams(canvas, horizontal ? InflateRectSides(r, 1, -1, 1, -1) : InflateRectSides(r, -1, 1, -1, 1),
                   background);
}
