#include "cxStandardLookAndFeelPainter.h"

#include "cxFlatLookAndFeelPainter.h"

const TcxStandardLookAndFeelPainter* TcxStandardLookAndFeelPainter::Instance() {
    static const TcxStandardLookAndFeelPainter painter;
    return &painter;
}

TcxLookAndFeelStyle TcxStandardLookAndFeelPainter::PainterStyleCode() const { return lfsStandard; }
TColor TcxStandardLookAndFeelPainter::SchedulerViewColor() const { return clWindow; }
int TcxStandardLookAndFeelPainter::BorderWidth() const { return 2; }

void TcxStandardLookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    DrawTwoToneFrames(canvas, r, {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}});
}

// ---- buttons -------------------------------------------------------------------------------

int TcxStandardLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const {
    return state == cxbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::ButtonTextMargin() const { return 1; }
int TcxStandardLookAndFeelPainter::ButtonPressedTextShift() const { return 1; }

void TcxStandardLookAndFeelPainter::DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    if (state == cxbsPressed) {
        canvas->FrameRectBorders(r, clBlack);
        DrawTwoToneFrames(canvas, InflateRectSides(r, -1, -1, -1, -1), {{clBtnShadow, clBtnShadow}});
        return;
    }
    TRect frame = r;
    if (state == cxbsDefault) {
        canvas->FrameRectBorders(frame, clBlack);
        frame = InflateRectSides(frame, -1, -1, -1, -1);
    }
    DrawTwoToneFrames(canvas, frame, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}});
}

void TcxStandardLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color,
                                                        bool expanded) const {
    canvas->DrawTwoToneBorders(r, clBtnHighlight, cl3DDkShadow);
    TRect inner = InflateRectSides(r, -1, -1, -1, -1);
    canvas->DrawTwoToneBorders(inner, clBtnShadow, clBtnShadow, TcxBorders{bRight, bBottom});
    TRect face = InflateRectSides(inner, 0, 0, -1, -1);
    FillRectColor(canvas, face, color == clDefault ? clBtnFace : color);
    DrawPlusMinusCross(canvas, face, clBtnText, expanded);
    canvas->ExcludeRectFromClip(r);
}

void TcxStandardLookAndFeelPainter::DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                           bool expanded) const {
    TcxFlatLookAndFeelPainter::Instance()->DrawGroupChevronButton(canvas, r, state, expanded);
}

int TcxStandardLookAndFeelPainter::PlusMinusButtonSize() const { return 12; }
bool TcxStandardLookAndFeelPainter::SupportsButtonHotTrack() const { return false; }

void TcxStandardLookAndFeelPainter::DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState) const {
    DrawTwoToneFrames(canvas, r, {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}});
}

// ---- headers and footers -------------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                                                         TcxBorders) const {
    canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow);
    if (neighbors.Contains(nLeft)) {
        canvas->SetPixelColor(r.left, r.top + 1, clBtnFace);
        canvas->SetPixelColor(r.left, r.bottom - 2, clBtnFace);
    }
    if (neighbors.Contains(nRight)) {
        canvas->SetPixelColor(r.right - 1, r.top, clBtnHighlight);
        canvas->SetPixelColor(r.right - 1, r.top + 1, clBtnFace);
        canvas->SetPixelColor(r.right - 1, r.bottom - 2, clBtnFace);
    }
}

void TcxStandardLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                            TcxBorders borders) const {
    if (state == cxbsPressed)
        DrawTwoToneFrames(canvas, r, {{clBtnShadow, clBtnShadow}}, borders);
    else
        DrawTwoToneFrames(canvas, r, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}}, borders);
}

void TcxStandardLookAndFeelPainter::DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const {
    DrawSortTriangle(canvas, r, ascending, clBtnHighlight, clBtnShadow);
}

int TcxStandardLookAndFeelPainter::HeaderBorderWidth() const { return 1; }

int TcxStandardLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState state) const {
    return state == cxbsPressed ? 1 : 2;
}

TSize TcxStandardLookAndFeelPainter::SortMarkSize() const { return TSize{8, 7}; }
int TcxStandardLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellSpacing() const { return 1; }

void TcxStandardLookAndFeelPainter::DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
}

// ---- filter button and tabs ----------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                          bool active) const {
    if (state == cxbsPressed)
        canvas->DrawTwoToneBorders(r, clBtnShadow, clBtnHighlight);
    else
        canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow);
    TRect face = InflateRectSides(r, -1, -1, -1, -1);
    FillRectColor(canvas, face, clBtnFace);
    DrawDropDownTriangle(canvas, face, active ? clBlue : clBtnText);
}

// One side of a tab's frame, shortened so that the tab's corners look cut.
void TcxStandardLookAndFeelPainter::DrawTabFrame(TcxCanvas* canvas, const TRect& rect, bool vertical,
                                                 TcxBorders borders, int side) const {
    const bool dark = vertical ? side == 3 : side == 2;
    TRect r = rect;
    std::vector<TPoint> corners;
    if (vertical) {
        if (side == 0) {
            r.top += 1 + (borders.Contains(bTop) ? 1 : 0);
            r.bottom -= 1 + (borders.Contains(bBottom) ? 1 : 0);
            corners = {TPoint{r.left + 1, r.top - 1}, TPoint{r.left + 1, r.bottom}};
        } else if ((side == 1 || side == 3) && borders.Contains(bLeft)) {
            r.left += 1;
        }
    } else if (side == 1) {
        r.left += 1;
        r.right -= 1;
        corners = {TPoint{r.left - 1, r.top + 1}, TPoint{r.right, r.top + 1}};
    } else if (side == 0 || side == 2) {
        if (borders.Contains(bTop)) r.top += 2;
        if (borders.Contains(bBottom)) r.bottom -= 1;
    }
    FillRectColor(canvas, r, dark ? clBtnShadow : clBtnHighlight);
    for (TPoint p : corners) canvas->SetPixelColor(p.x, p.y, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool, TcxBorders borders) const {
    canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow, borders);
}

int TcxStandardLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// ---- scroll bars, calendar header, splitter ------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                         bool horizontal, TcxScrollBarPart part) const {
    if (IsRectEmpty(&r) || (part == sbpThumbnail && state == cxbsDisabled)) return;
    if (state == cxbsHot) state = cxbsNormal;
    const bool pressedArrow = state == cxbsPressed && (part == sbpLineUp || part == sbpLineDown);
    auto drawButtonBorder = [&] {
        if (pressedArrow)
            DrawTwoToneFrames(canvas, r, {{clBtnShadow, clBtnShadow}, {clBtnFace, clBtnFace}});
        else
            DrawTwoToneFrames(canvas, r, {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}});
    };
    switch (part) {
        case sbpPageUp:
        case sbpPageDown:
            FillScrollBarTrack(canvas, r, state == cxbsPressed);
            break;
        case sbpThumbnail: {
            drawButtonBorder();
            int w = ButtonBorderWidth(cxbsNormal);
            FillRectColor(canvas, InflateRectSides(r, -w, -w, -w, -w), clBtnFace);
            break;
        }
        case sbpLineUp:
        case sbpLineDown: {
            static const UINT arrows[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
            UINT flags = arrows[ScrollBarArrowDirection(horizontal, part)];
            if (state == cxbsDisabled) flags |= DFCS_INACTIVE;
            if (pressedArrow) flags |= DFCS_FLAT;
            TRect arrow = pressedArrow ? ShiftRect(r, 1, 1) : r;
            DrawFrameControl(canvas->GetCanvasHandle(), &arrow, DFC_SCROLL, flags);
            drawButtonBorder();
            break;
        }
        default:
            break;
    }
}

void TcxStandardLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text,
                                                       TcxNeighbors neighbors, const TcxViewParams& viewParams,
                                                       TcxHeaderArrows arrows, int arrowOffset,
                                                       const TcxDrawBackgroundEvent& onDrawBackground) const {
    TcxBorders borders = cxBordersAll;
    if (neighbors.Contains(nLeft)) borders -= bLeft;
    if (neighbors.Contains(nRight)) borders -= bRight;
    canvas->FrameRectBorders(r, clBlack, 1, borders);
    TRect content = HeaderContentBounds(r, borders);
    DrawHeaderCell(canvas, content, content, cxbsNormal, neighbors, cxBordersAll, taCenter, vaCenter, false, false,
                   text, viewParams.font, viewParams.textColor, viewParams.color, onDrawBackground);
    DrawHeaderSideArrows(canvas, r, clWindowText, arrowOffset, arrows);
}

// Two pairs of lines along the long sides, each pair reaching one pixel further along them.
void TcxStandardLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* canvas, const TRect& rect, bool horizontal,
                                                       const TcxViewParams& background) const {
    const TcxBorders longSides = horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
    auto step = [horizontal](const TRect& r) {
        return horizontal ? InflateRectSides(r, 1, -1, 1, -1) : InflateRectSides(r, -1, 1, -1, 1);
    };
    TRect r = rect;
    canvas->DrawTwoToneBorders(r, clBtnFace, cl3DDkShadow, longSides);
    r = step(r);
    canvas->DrawTwoToneBorders(r, clBtnHighlight, clBtnShadow, longSides);
    r = step(r);
    FillViewParams(canvas, r, background);
}
