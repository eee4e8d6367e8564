// The skin look-and-feel painter's grid pieces: header cells, footer cells and panel, the
// indicator column, the calendar header and the scheduler's navigation buttons. Each draws the
// skin's element and falls back to the Office-style drawing when the skin lacks it.

#include "dxSkinsLookAndFeelPainter.h"

namespace {

// The element's frame centred in r (odd differences rounded toward the top left).
TRect CentredSkinFrame(TdxSkinElement* element, const TRect& r) {
    const TSize size = element->Size();
    const int left = r.left + (r.right - r.left - size.cx) / 2;
    const int top = r.top + (r.bottom - r.top - size.cy) / 2;
    return TRect{left, top, left + size.cx, top + size.cy};
}

int IndicatorImageIndex(TcxIndicatorKind kind) {
    switch (kind) {
        case ikArrow:
            return 0;
        case ikEdit:
            return 1;
        case ikInsert:
            return 2;
        default:
            return -1;
    }
}

}  // namespace

// ---- headers -------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                               TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                               TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                               bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                                               TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground,
                                               bool isLast, bool isGroup) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* header = info ? (isGroup ? info->HeaderSpecial : info->Header) : nullptr;
    if (!header) {
        TcxOffice11LookAndFeelPainter::DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz,
                                                      alignVert, multiLine, showEndEllipsis, text, font, textColor,
                                                      backgroundColor, onDrawBackground, isLast, isGroup);
        return;
    }
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(bounds);
    // a side without its border lets the element's edge fall outside the cell
    const TRect drawn = InflateRectSides(bounds, borders.Contains(bLeft) ? 0 : 1, borders.Contains(bTop) ? 0 : 1,
                                         borders.Contains(bRight) ? 0 : 1, borders.Contains(bBottom) ? 0 : 1);
    DrawElement(canvas, header, drawn, 0, ButtonStateToElementState(state));
    DrawTextContent(canvas, HeaderContentBounds(bounds, borders), textBounds, state, alignHorz, alignVert, multiLine,
                    showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground, false);
    canvas->PopClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                    TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                    TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                    bool showEndEllipsis, const String& text, TFont* font,
                                                    TColor textColor, TColor backgroundColor,
                                                    const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz, alignVert, multiLine,
                   showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground, false, false);
}

void TdxSkinLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text,
                                                   TcxNeighbors neighbors, const TcxViewParams& viewParams,
                                                   TcxHeaderArrows arrows, int arrowOffset,
                                                   const TcxDrawBackgroundEvent& onDrawBackground) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->Header) {
        TcxOffice11LookAndFeelPainter::DrawCalendarHeader(canvas, r, text, neighbors, viewParams, arrows, arrowOffset,
                                                          onDrawBackground);
        return;
    }
    DrawHeaderCell(canvas, r, r, cxbsNormal, neighbors, HeaderBorders(neighbors), taCenter, vaCenter, false, false,
                   text, viewParams.font, viewParams.textColor, viewParams.color, onDrawBackground);
    DrawHeaderSideArrows(canvas, r, clWindowText, arrowOffset, arrows);
}

// ---- footers -------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz,
                                               TcxAlignmentVert alignVert, bool multiLine, const String& text,
                                               TFont* font, TColor textColor, TColor backgroundColor,
                                               const TcxDrawBackgroundEvent& onDrawBackground) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->FooterCell, r)) {
        TcxOffice11LookAndFeelPainter::DrawFooterCell(canvas, r, alignHorz, alignVert, multiLine, text, font,
                                                      textColor, backgroundColor, onDrawBackground);
        return;
    }
    DrawTextContent(canvas, FooterCellInnerBounds(r), FooterCellTextBounds(r), cxbsDefault, alignHorz, alignVert,
                    multiLine, false, text, font, textColor, backgroundColor, onDrawBackground, true);
    // the panel drawn afterwards must not cover the cell
    canvas->ExcludeRectFromClip(r);
}

void TdxSkinLookAndFeelPainter::DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* panel = info ? info->FooterPanel : nullptr;
    if (!panel) {
        TcxOffice11LookAndFeelPainter::DrawFooterBorder(canvas, r);
        return;
    }
    // only the panel's frame: its right and bottom edges and the line above it
    const TRect offset = panel->ContentOffset()->Rect();
    canvas->PushClipRegion();
    canvas->ExcludeRectFromClip(TRect{r.left, r.top, r.right - offset.right, r.bottom - offset.bottom});
    canvas->ExcludeRectFromClip(TRect{r.left, r.top - 1, r.right, r.top});
    DrawElement(canvas, panel, TRect{r.left - offset.left, r.top - 1, r.right, r.bottom});
    canvas->PopClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawFooterPanel(TcxCanvas* canvas, const TRect& r,
                                                const TcxViewParams& background) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* panel = info ? info->FooterPanel : nullptr;
    if (!panel || (background.bitmap && !background.bitmap->Empty())) {
        TcxOffice11LookAndFeelPainter::DrawFooterPanel(canvas, r, background);
        return;
    }
    const TRect offset = panel->ContentOffset()->Rect();
    DrawElement(canvas, panel, TRect{r.left - offset.left, r.top - 1, r.right + offset.right, r.bottom + offset.bottom});
}

// ---- indicators ----------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawIndicatorListMark(TcxCanvas* canvas, const TRect& r, TColor color) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* images = info ? info->IndicatorImages : nullptr;
    if (!images)
        TcxOffice11LookAndFeelPainter::DrawIndicatorListMark(canvas, r, color);
    else
        DrawElement(canvas, images, CentredSkinFrame(images, r), 2);
}

void TdxSkinLookAndFeelPainter::DrawIndicatorGlyph(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* images = info ? info->IndicatorImages : nullptr;
    if (!images) {
        TcxOffice11LookAndFeelPainter::DrawIndicatorGlyph(canvas, r, kind);
        return;
    }
    const int index = IndicatorImageIndex(kind);
    if (index >= 0) DrawElement(canvas, images, CentredSkinFrame(images, r), index);
}

void TdxSkinLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind,
                                                  TColor backgroundColor,
                                                  const TcxDrawBackgroundEvent& onDrawBackground) const {
    if (!PainterSkinInfo()) {
        TcxOffice11LookAndFeelPainter::DrawIndicatorItem(canvas, r, kind, backgroundColor, onDrawBackground);
        return;
    }
    // the cell reaches up over the border of the row above, which it shares
    const TRect cell{r.left, r.top - HeaderBorderWidth(), r.right, r.bottom};
    DrawHeaderCell(canvas, cell, cell, cxbsNormal, TcxNeighbors{}, HeaderBorders(TcxNeighbors{nTop, nBottom}),
                   taLeftJustify, vaTop, false, false, String(), nullptr, clDefault, backgroundColor,
                   onDrawBackground);
    DrawIndicatorGlyph(canvas, r, kind);
}

void TdxSkinLookAndFeelPainter::DrawIndicatorHeader(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind,
                                                    TColor backgroundColor,
                                                    const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawIndicatorItem(canvas, r, kind, backgroundColor, onDrawBackground);
}

// ---- scheduler navigation buttons ----------------------------------------------------------

void TdxSkinLookAndFeelPainter::LayoutNavigationButton(bool isNext, bool arrowOnly, TRect& arrowRect, TRect& textRect,
                                                       TRect& contentRect, const TSize& textExtent,
                                                       const TSize& minimalExtent) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* button = info ? (isNext ? info->NavButtonNext : info->NavButtonPrev) : nullptr;
    const int minWidth = button ? button->MinSize()->Width() : 0;
    // the button grows away from the area's edge it sits against
    if (minWidth > 0 && contentRect.right - contentRect.left < minWidth) {
        if (isNext)
            contentRect.left = contentRect.right - minWidth;
        else
            contentRect.right = contentRect.left + minWidth;
    }
    TcxOffice11LookAndFeelPainter::LayoutNavigationButton(isNext, arrowOnly, arrowRect, textRect, contentRect,
                                                          textExtent, minimalExtent);
}

void TdxSkinLookAndFeelPainter::DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect,
                                                            TcxButtonState state, bool isNext) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* button = info ? (isNext ? info->NavButtonNext : info->NavButtonPrev) : nullptr;
    if (!button) {
        TcxOffice11LookAndFeelPainter::DrawNavigationButtonContent(canvas, r, arrowRect, state, isNext);
        return;
    }
    const TdxSkinElementState elementState = ButtonStateToElementState(state);
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(r);
    // the outer side's edge falls outside the area
    DrawElement(canvas, button, InflateRectSides(r, isNext ? 0 : 1, 0, isNext ? 1 : 0, 0), 0, elementState);
    DrawElement(canvas, isNext ? info->NavButtonNextArrow : info->NavButtonPrevArrow, arrowRect, 0, elementState);
    canvas->PopClipRegion();
}
