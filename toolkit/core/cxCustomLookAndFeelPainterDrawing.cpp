// The drawing routines that the base painter carries out itself and every built-in style reuses
// with its own colours and metrics. Integer division truncates toward zero throughout, as the
// geometry of these shapes is defined that way; a line from A to B covers A but not B.
//
// Sections: triangles and arrows · text · buttons · check marks and crosses · headers and sort
// marks · indicators · navigation buttons · progress and clock.

#include <cmath>

#include "SysMath.h"
#include "cxBitmap.h"
#include "cxClasses.h"
#include "cxCustomLookAndFeelPainter.h"

namespace {

void SetPenAndBrush(TcxCanvas* canvas, TColor color) {
    TPen* pen = canvas->GetCanvasPen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(color);
    TBrush* brush = canvas->GetCanvasBrush();
    brush->SetStyle(bsSolid);
    canvas->SetBrushColor(color);
}

void SetPenColor(TcxCanvas* canvas, TColor color) {
    TPen* pen = canvas->GetCanvasPen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(color);
}

void PaintPixel(TcxCanvas* canvas, int x, int y, TColor color) { canvas->SetPixelColor(x, y, color); }

// Text in the canvas with a clear brush; the brush is solid again afterwards.
void DrawClearText(TcxCanvas* canvas, const String& text, const TRect& r, Word flags, TFont* font, TColor color,
                   bool enabled = true) {
    if (font) canvas->SetCanvasFont(font);
    if (color != clDefault) canvas->GetCanvasFont()->SetColor(color);
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    canvas->DrawTextInRect(text, r, flags, enabled);
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
}

}  // namespace

// ---- triangles and arrows ------------------------------------------------------------------

TcxArrowPoints TcxCustomLookAndFeelPainter::ComputeArrowTriangle(const TRect& rect, int size, bool proportional,
                                                                 TcxArrowDirection direction) {
    TRect r = rect;
    if (proportional) {
        int d = RectWidth(r) - RectHeight(r);
        if (d > 0)
            r.left += d / 2, r.right -= d / 2;
        else
            r.top += -d / 2, r.bottom -= -d / 2;
    }
    const bool vertical = direction == adUp || direction == adDown;
    int s = size;
    if (s == 0) s = vertical ? (RectWidth(r) - 1) / 4 + 1 : (RectHeight(r) - 1) / 4 + 1;
    const int w = vertical ? 2 * s - 1 : s, h = vertical ? s : 2 * s - 1;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const int y0 = MulDiv(T + B - h, 1, 2);
    TcxArrowPoints p{};
    switch (direction) {
        case adUp:
            p[1] = TPoint{(L + R - 1) / 2, y0};
            p[0] = TPoint{(L + R - w) / 2, y0 + h - 1};
            p[2] = TPoint{p[0].x + w - 1, p[0].y};
            break;
        case adDown:
            p[2] = TPoint{(L + R - w) / 2, y0};
            p[0] = TPoint{p[2].x + w - 1, y0};
            p[1] = TPoint{(L + R - 1) / 2, y0 + h - 1};
            break;
        case adLeft:
            p[1] = TPoint{(L + R - w) / 2, (T + B) / 2};
            p[2] = TPoint{p[1].x + w - 1, y0};
            p[0] = TPoint{p[2].x, y0 + h - 1};
            break;
        case adRight:
            p[0] = TPoint{(L + R - w) / 2, y0};
            p[1] = TPoint{p[0].x + w - 1, (T + B) / 2};
            p[2] = TPoint{p[0].x, y0 + h - 1};
            break;
    }
    return p;
}

void TcxCustomLookAndFeelPainter::DrawArrowTriangle(TcxCanvas* canvas, const TcxArrowPoints& points, TColor color) {
    SetPenAndBrush(canvas, color);
    canvas->DrawPolygon(points.data(), 3);
}

void TcxCustomLookAndFeelPainter::DrawDropDownTriangle(TcxCanvas* canvas, const TRect& r, TColor color) const {
    int w = (r.right - r.left) / 2;
    if (w % 2 == 0) ++w;
    int h = w / 2 + 1;
    TPoint p0{(r.left + r.right - w) / 2, MulDiv(r.top + r.bottom - h, 1, 2)};
    DrawArrowTriangle(canvas, TcxArrowPoints{p0, TPoint{p0.x + w - 1, p0.y}, TPoint{p0.x + w / 2, p0.y + h - 1}},
                      color);
}

void TcxCustomLookAndFeelPainter::DrawArrowGlyph(TcxCanvas* canvas, const TRect& r, TColor color,
                                                 TcxArrowDirection direction) const {
    DrawArrowTriangle(canvas, ComputeArrowTriangle(r, 0, true, direction), color);
}

void TcxCustomLookAndFeelPainter::DrawArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                  TcxArrowDirection direction, bool framedFace) const {
    if (framedFace)
        DrawArrowButtonFace(canvas, r, state);
    else
        FillRectColor(canvas, r, ButtonFaceColor(state));
    DrawArrowTriangle(canvas, ComputeArrowTriangle(r, 0, false, direction), ButtonGlyphColor(state));
}

void TcxCustomLookAndFeelPainter::DrawArrowButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    FillRectColor(canvas, r, ButtonFaceColor(state));
    DrawButtonFrame(canvas, r, state);
}

void TcxCustomLookAndFeelPainter::DrawStateArrow(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                                 TcxArrowDirection direction) const {
    TRect r = rect;
    if (state == cxbsPressed) r = ShiftRect(r, ButtonPressedTextShift(), ButtonPressedTextShift());
    if (state == cxbsDisabled) {
        DrawArrowTriangle(canvas, ComputeArrowTriangle(ShiftRect(r, 1, 1), 0, true, direction), clBtnHighlight);
        DrawArrowTriangle(canvas, ComputeArrowTriangle(r, 0, true, direction), clBtnShadow);
    } else {
        DrawArrowTriangle(canvas, ComputeArrowTriangle(r, 0, true, direction), ButtonGlyphColor(state));
    }
}

// ---- text ----------------------------------------------------------------------------------

Word TcxCustomLookAndFeelPainter::TextFlags(TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                            bool showEndEllipsis) {
    static const Word horizontal[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
    static const Word vertical[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
    return Word(horizontal[alignHorz] | vertical[alignVert] | (multiLine ? cxWordBreak : cxSingleLine) |
                (showEndEllipsis ? cxShowEndEllipsis : 0));
}

void TcxCustomLookAndFeelPainter::DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect,
                                                  TcxButtonState, TAlignment alignHorz, TcxAlignmentVert alignVert,
                                                  bool multiLine, bool showEndEllipsis, const String& text, TFont* font,
                                                  TColor textColor, TColor backgroundColor,
                                                  const TcxDrawBackgroundEvent& onDrawBackground, bool) const {
    if (!onDrawBackground.Assigned() || !onDrawBackground(canvas, bounds))
        FillRectColor(canvas, bounds, backgroundColor);
    DrawCellText(canvas, textRect, alignHorz, alignVert, multiLine, showEndEllipsis, text, font, textColor);
}

void TcxCustomLookAndFeelPainter::DrawCellText(TcxCanvas* canvas, const TRect& textRect, TAlignment alignHorz,
                                               TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                                               const String& text, TFont* font, TColor textColor) {
    if (!text.empty())
        DrawClearText(canvas, text, textRect, TextFlags(alignHorz, alignVert, multiLine, showEndEllipsis), font,
                      textColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionText(TcxCanvas* canvas, const TRect& textBounds,
                                                        TcxButtonState state, TAlignment alignHorz,
                                                        TcxAlignmentVert alignVert, bool multiLine,
                                                        bool showEndEllipsis, const String& text, TFont* font,
                                                        TColor textColor) const {
    if (text.empty()) return;
    Word flags = TextFlags(alignHorz, alignVert, multiLine, showEndEllipsis);
    if (state == cxbsDisabled) {
        DrawClearText(canvas, text, ShiftRect(textBounds, 1, 1), flags, font, clBtnHighlight);
        DrawClearText(canvas, text, textBounds, flags, nullptr, clBtnShadow);
    } else {
        DrawClearText(canvas, text, textBounds, flags, font, textColor);
    }
}

// ---- buttons -------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawCaptionButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                                    const String& caption, bool withBorder, TColor faceColor,
                                                    TColor textColor, bool wordWrap, TcxCaptionButtonKind) const {
    TRect r = rect;
    if (withBorder) {
        DrawButtonFrame(canvas, r, state);
        int w = ButtonBorderWidth(state);
        r = InflateRectSides(r, -w, -w, -w, -w);
    }
    FillRectColor(canvas, r, faceColor == clDefault ? ButtonFaceColor(state) : faceColor);
    // Text sits best on an even height, one pixel higher on small buttons.
    if (RectHeight(r) % 2 != 0) --r.bottom;
    if (RectHeight(r) < 18) --r.top;
    if (state == cxbsPressed) r = ShiftRect(r, ButtonPressedTextShift(), ButtonPressedTextShift());
    if (caption.empty()) return;
    Word flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (wordWrap ? cxWordBreak : cxSingleLine);
    DrawClearText(canvas, caption, r, flags, nullptr, textColor == clDefault ? ButtonGlyphColor(state) : textColor,
                  state != cxbsDisabled);
}

void TcxCustomLookAndFeelPainter::DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                         bool expanded) const {
    DrawCaptionButton(canvas, r, state, String(), true);
    const TColor color = ButtonGlyphColor(state);
    const int x0 = (r.left + r.right - 7) / 2, y0 = (r.top + r.bottom - 8) / 2;
    // A stroke of two diagonals through three points, every pixel drawn, ends included.
    auto diagonal = [&](TPoint from, TPoint to) {
        int dy = to.y > from.y ? 1 : -1;
        for (int i = 0; i <= to.x - from.x; ++i) PaintPixel(canvas, from.x + i, from.y + dy * i, color);
    };
    auto stroke = [&](TPoint a, TPoint b, TPoint c) {
        diagonal(a, b);
        diagonal(b, c);
    };
    for (int dy : {0, 4}) {
        int y = y0 + dy;
        if (expanded) {
            stroke({x0, y + 3}, {x0 + 3, y}, {x0 + 6, y + 3});
            stroke({x0 + 1, y + 3}, {x0 + 3, y + 1}, {x0 + 5, y + 3});
        } else {
            stroke({x0 + 1, y + 1}, {x0 + 3, y + 3}, {x0 + 5, y + 1});
            stroke({x0, y + 1}, {x0 + 3, y + 4}, {x0 + 6, y + 1});
        }
    }
}

void TcxCustomLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    DrawButtonFrame(canvas, r, state);
    int w = ButtonBorderWidth(cxbsNormal);
    FillRectColor(canvas, InflateRectSides(r, -w, -w, -w, -w), ButtonFaceColor(state));
    int a = SmallCloseButtonSize().cx / 2;
    if (a % 2 == 0) --a;
    // Two diagonals of a x a pixels, each drawn twice one pixel apart: a cross two pixels thick.
    int x0 = (r.left + r.right - a - 1) / 2, y0 = (r.top + r.bottom - a) / 2;
    if (state == cxbsPressed) ++x0, ++y0;
    const TColor color = ButtonGlyphColor(ButtonGlyphState(state));
    for (int i = 0; i < a; ++i)
        for (int dx = 0; dx <= 1; ++dx) {
            PaintPixel(canvas, x0 + i + dx, y0 + i, color);
            PaintPixel(canvas, x0 + a - 1 - i + dx, y0 + i, color);
        }
}

// ---- check marks and crosses ---------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawCheckMark(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool drawMark,
                                                TColor color) const {
    TBrush* brush = canvas->GetCanvasBrush();
    if (brush->Style() == bsSolid && !brush->Bitmap()) FillRectColor(canvas, r, CheckBoxFaceColor(state));
    if (!drawMark) return;
    const int sx = RectWidth(r) - 2, sy = RectHeight(r) - 4;
    const int x0 = (r.left + r.right) / 2 - 1;
    SetPenColor(canvas, color);
    for (int d = 0; d <= 2; ++d) {
        int yd = (r.top + r.bottom + sy) / 2 - 2 + d;
        canvas->MovePenTo(x0 - sx / 2 + 1, yd - sy / 2);
        canvas->LineToPoint(x0, yd);
        canvas->LineToPoint(x0 + sx / 2 + 2, yd - sy);
    }
}

void TcxCustomLookAndFeelPainter::DrawPlusMinusCross(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) {
    const int cx = RangeCenter(r.left, r.right), cy = RangeCenter(r.top, r.bottom);
    const int k = (r.right - r.left - 4) / 2;
    FillRectColor(canvas, TRect{cx - k, cy, cx + k + 1, cy + 1}, color);
    if (!expanded) FillRectColor(canvas, TRect{cx, cy - k, cx + 1, cy + k + 1}, color);
}

void TcxCustomLookAndFeelPainter::DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor,
                                                           TColor faceColor, bool expanded) const {
    canvas->FrameRectBorders(r, borderColor);
    if (faceColor != clDefault) FillRectColor(canvas, InflateRectSides(r, -1, -1, -1, -1), faceColor);
    DrawPlusMinusCross(canvas, r, clBtnText, expanded);
}

// ---- headers and sort marks ----------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawSeparatorStrip(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background,
                                                     TColor color, int margin) const {
    FillViewParams(canvas, TRect{r.left, r.top, r.left + margin, r.bottom}, background);
    FillViewParams(canvas, TRect{r.right - margin, r.top, r.right, r.bottom}, background);
    FillRectColor(canvas, TRect{r.left + margin, r.top, r.right - margin, r.bottom}, color);
}

void TcxCustomLookAndFeelPainter::DrawSortTriangle(TcxCanvas* canvas, const TRect& r, bool ascending, TColor color1,
                                                   TColor color2) const {
    const TSize size = SortMarkSize();
    const int sw = size.cx, sh = size.cy, step = ascending ? 1 : -1;
    const bool evenWidth = sw % 2 == 0;
    const int cx = (r.left + r.right) / 2 - (evenWidth ? 1 : 0);
    const int h1 = sw / 2, h2 = h1 - (evenWidth ? 1 : 0);
    const int y = ascending ? (r.top + r.bottom - sh) / 2 : (r.top + r.bottom + sh) / 2 - 1;
    const TPoint p[6] = {{cx + h1, y + (sh - 2) * step}, {cx + h1 - h2, y}, {cx + h1, y + (sh - 1) * step},
                         {cx - h2, y + (sh - 1) * step}, {cx, y},           {cx - h2, y + (sh - sw % 2) * step}};
    const TColor colors[5] = {color1, color1, ascending ? color1 : color2, color2, color2};
    canvas->MovePenTo(p[0].x, p[0].y);
    for (int i = 0; i < 5; ++i) {
        SetPenColor(canvas, colors[i]);
        canvas->LineToPoint(p[i + 1].x, p[i + 1].y);
    }
}

void TcxCustomLookAndFeelPainter::DrawHeaderSideArrows(TcxCanvas* canvas, const TRect& rect, TColor color, int offset,
                                                       TcxHeaderArrows arrows) const {
    TRect r = rect;
    r.top += BorderWidth();
    r = InflateRectSides(r, 0, -1, 0, -1);
    int d = (r.bottom - r.top) / 2;
    if (d % 2 == 0) ++d;
    const int y0 = (r.top + r.bottom - d) / 2 - 1;
    const int tip = d / 2 + 1;
    if (arrows == haLeft || arrows == haBoth) {
        int x = r.left + (offset - 1);
        DrawArrowTriangle(canvas, TcxArrowPoints{TPoint{x, y0}, TPoint{x, y0 + d + 1}, TPoint{x - tip, y0 + tip}},
                          color);
    }
    if (arrows == haRight || arrows == haBoth) {
        int x = r.right - (offset - 1);
        DrawArrowTriangle(canvas, TcxArrowPoints{TPoint{x, y0}, TPoint{x, y0 + d + 1}, TPoint{x + tip, y0 + tip}},
                          color);
    }
}

// ---- indicators ----------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawIndicatorListMark(TcxCanvas* canvas, const TRect& r, TColor color) const {
    SetPenColor(canvas, color);
    int y = (r.top + r.bottom - 9) / 2;
    for (int line = 1; line <= 5; ++line, y += 2) {
        canvas->MovePenTo(r.left + 5, y);
        canvas->LineToPoint(r.right - 3, y);
        if (line % 2 == 1) PaintPixel(canvas, r.left + 3, y, color);
    }
}

// ---- navigation buttons --------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect,
                                                              TcxButtonState state, bool isNext) const {
    FillRectColor(canvas, r, clBtnFace);
    // The button's outer side has no border: it sits against the edge of its area.
    const TcxBorders sides = isNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
    canvas->FrameRectBorders(r, clBtnShadow, 1, sides);
    TRect inner = InflateRectSides(r, isNext ? -1 : 0, -1, isNext ? 0 : -1, -1);
    if (state == cxbsPressed)
        canvas->DrawTwoToneBorders(inner, clBtnShadow, clBtnHighlight, sides);
    else
        canvas->DrawTwoToneBorders(inner, clBtnHighlight, clBtnFace, sides);
    DrawNavigationArrow(canvas, arrowRect, ButtonGlyphColor(state), isNext);
}

void TcxCustomLookAndFeelPainter::DrawNavigationArrow(TcxCanvas* canvas, const TRect& r, TColor color,
                                                      bool isNext) const {
    const int steps = (RectHeight(r) + 1) / 2;
    for (int i = 0; i < steps; ++i) {
        // Two-pixel blocks walk from the corners of the far side toward the tip and the middle.
        int x = isNext ? r.left + i : r.right - 2 - i;
        FillRectColor(canvas, TRect{x, r.top + i, x + 2, r.top + i + 1}, color);
        FillRectColor(canvas, TRect{x, r.bottom - 1 - i, x + 2, r.bottom - i}, color);
    }
    int column = isNext ? r.right - 1 : r.left;
    FillRectColor(canvas, TRect{column, r.top, column + 1, r.bottom}, color);
}

void TcxCustomLookAndFeelPainter::LayoutNavigationButton(bool isNext, bool arrowOnly, TRect& arrowRect, TRect& textRect,
                                                         TRect& contentRect, const TSize& textExtent,
                                                         const TSize& minimalExtent) const {
    const TcxNavigationButtonMetrics metrics = NavigationButtonMetrics(isNext);
    const TRect& borders = metrics.borders;
    const TSize arrow = metrics.arrowSize;
    const int b = 3 * arrow.cy;
    if (arrowOnly) {
        textRect = TRect{0, 0, 0, 0};
        contentRect.top = (contentRect.top + contentRect.bottom - borders.top - borders.bottom - b) / 2;
        contentRect.bottom = contentRect.top + b + borders.top + borders.bottom;
        arrowRect = CenteredRect(contentRect, arrow.cx, arrow.cy);
        return;
    }
    TRect inner = InflateRectSides(contentRect, -borders.left, -borders.top, -borders.right, -borders.bottom);
    arrowRect = CenteredRect(TRect{inner.left, inner.top, inner.right, inner.top + b}, arrow.cx, arrow.cy);
    textRect = TRect{inner.left, inner.top + b + 5, inner.right, inner.bottom - 2 * arrow.cy};
    // The text runs vertically, so its width has to fit the text rect's height.
    int dy = std::max(textExtent.cx, minimalExtent.cx) - RectHeight(textRect);
    if (dy > 0) {
        arrowRect = ShiftRect(arrowRect, 0, -dy);
        textRect = InflateRectSides(textRect, 0, dy, 0, dy);
        contentRect = InflateRectSides(contentRect, 0, dy, 0, dy);
    }
}

void TcxCustomLookAndFeelPainter::DrawNavigationButton(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect,
                                                       const TRect& textRect, TcxButtonState state, const String& text,
                                                       bool isNext) const {
    if (IsRectEmpty(&textRect)) {
        DrawNavigationButtonContent(canvas, r, arrowRect, state, isNext);
        return;
    }
    const int w = RectWidth(r), h = RectHeight(r);
    TcxBitmap bitmap(w, h);
    bitmap.Canvas()->CopyRect(TRect{0, 0, w, h}, canvas->Canvas(), r);
    DrawNavigationButtonContent(bitmap.cxCanvas(), TRect{0, 0, w, h}, ShiftRect(arrowRect, -r.left, -r.top), state,
                                isNext);
    // A quarter turn counter-clockwise takes (x, y) to (y, w - 1 - x); the text is drawn across
    // the turned bitmap and so reads upward once it is turned back.
    bitmap.Rotate(1);
    TRect t = ShiftRect(textRect, -r.left, -r.top);
    TRect turned{t.top, w - t.right, t.bottom, w - t.left};
    TCanvas* target = bitmap.Canvas();
    target->SetFont(canvas->GetCanvasFont());
    target->Font()->SetColor(ButtonGlyphColor(state, canvas->GetCanvasFont()->Color()));
    target->Brush()->SetStyle(bsClear);
    DrawTextW(target->Handle(), text.c_str(), int(text.size()), &turned, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    target->Brush()->SetStyle(bsSolid);
    bitmap.Rotate(2);
    canvas->Canvas()->CopyRect(r, bitmap.Canvas(), TRect{0, 0, w, h});
}

// ---- progress and clock --------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect,
                                                        bool transparent, TColor backgroundColor) const {
    if (transparent)
        canvas->FrameRectBorders(r, clGray);
    else
        canvas->FillFramedRect(r, TcxViewParams{nullptr, backgroundColor}, cxBordersAll, clGray);
    FillRectColor(canvas, doneRect, clNavy);
}

void TcxCustomLookAndFeelPainter::DrawClockFace(TcxCanvas* canvas, const TRect& r, TDateTime time,
                                                TColor backgroundColor) const {
    const double pi = 3.14159265358979323846;
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const double rx = RectWidth(r) / 2.0 - 2, ry = RectHeight(r) / 2.0 - 2;
    canvas->PushClipRegion();
    // Hour marks: small bevelled beads, kept out of the fill below by the clip.
    for (int i = 0; i < 60; i += 5) {
        double a = i * 2 * pi / 60;
        int x = int(Round(rx * std::cos(a) + cx)), y = int(Round(ry * std::sin(a) + cy));
        FillRectColor(canvas, TRect{x - 1, y - 1, x + 2, y + 2}, clAqua);
        FillRectColor(canvas, TRect{x - 1, y + 1, x + 2, y + 2}, clBtnText);
        FillRectColor(canvas, TRect{x + 1, y - 1, x + 2, y + 2}, clBtnText);
        PaintPixel(canvas, x, y, clTeal);
        canvas->ExcludeRectFromClip(TRect{x - 1, y - 1, x + 2, y + 2});
    }
    FillRectColor(canvas, r, backgroundColor);

    const double dayFraction = time - std::floor(time);
    const long long totalSeconds = Round(dayFraction * 86400.0);
    const int hours = int(totalSeconds / 3600 % 24), minutes = int(totalSeconds / 60 % 60),
              seconds = int(totalSeconds % 60);
    auto hand = [&](double angle, double halfWidth, double tip, double tail) {
        auto at = [&](double radiusX, double radiusY, double a) {
            return TPoint{int(Round(cx + radiusX * std::cos(a))), int(Round(cy + radiusY * std::sin(a)))};
        };
        TPoint points[4] = {at(tip * rx, tip * ry, angle), at(halfWidth, halfWidth, angle + pi / 2),
                            at(tail * rx, tail * ry, angle + pi), at(halfWidth, halfWidth, angle + 3 * pi / 2)};
        SetPenAndBrush(canvas, clTeal);
        canvas->DrawPolygon(points, 4);
    };
    hand((3600.0 * (hours % 12) + 60.0 * minutes + seconds - 10800) * 2 * pi / 43200, 4.5, 0.75, 0.15);
    hand((60.0 * minutes + seconds - 900) * 2 * pi / 3600, 3.5, 0.85, 0.2);
    double a = (seconds - 15) * 2 * pi / 60;
    SetPenColor(canvas, clRed);
    canvas->MovePenTo(cx, cy);
    canvas->LineToPoint(int(Round(cx + 0.9 * rx * std::cos(a))), int(Round(cy + 0.9 * ry * std::sin(a))));
    canvas->PopClipRegion();
}
