#include "RzGrafx.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "Control.h"
#include "Themes.h"
#include "CustomControl.h"
#include "Form.h"
#include "Font.h"
#include "Pen.h"
#include "WinControl.h"

namespace {

TRect Inflate(TRect r, int d) { return TRect{r.left - d, r.top - d, r.right + d, r.bottom + d}; }

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

TColor D(TColor c, Byte n) { return DarkenColor(c, n); }
TColor B(TColor c, Byte n) { return BrightenColor(c, n); }

// Two rings: outer, then inner.
TRect TwoRings(TCanvas* canvas, TRect r, TColor outerUL, TColor outerLR, TColor innerUL, TColor innerLR, TSides sides) {
    r = PaintBevel(canvas, r, outerUL, outerLR, 1, sides);
    return PaintBevel(canvas, r, innerUL, innerLR, 1, sides);
}

TRect Groove(TCanvas* canvas, const TRect& r, TColor ul, TColor lr, TSides s) {
    bool left = s.Contains(sdLeft), top = s.Contains(sdTop), right = s.Contains(sdRight), bottom = s.Contains(sdBottom);
    if (right) canvas->SetPixels(r.right - 1, r.top, lr);
    if (top && !right) canvas->SetPixels(r.right - 1, r.top, ul);
    if (bottom) canvas->SetPixels(r.left, r.bottom - 1, lr);
    if (left && !bottom) canvas->SetPixels(r.left, r.bottom - 1, ul);
    if (top && !left) canvas->SetPixels(r.left, r.top + 1, lr);
    if (left && !top) canvas->SetPixels(r.left + 1, r.top, lr);
    if (bottom && !right) canvas->SetPixels(r.right - 1, r.bottom - 2, ul);
    if (right && !bottom) canvas->SetPixels(r.right - 2, r.bottom - 1, ul);
    PaintSides(canvas, TRect{r.left + 1, r.top + 1, r.right, r.bottom}, lr, lr, s);
    PaintSides(canvas, TRect{r.left, r.top, r.right - 1, r.bottom - 1}, ul, ul, s);
    TRect result = r;
    if (left) result.left += 2;
    if (top) result.top += 2;
    if (right) result.right -= 2;
    if (bottom) result.bottom -= 2;
    return result;
}

// A solid rectangle in one colour, straight on the device context.
void FillSolid(HDC dc, const TRect& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// ---- Gradient workers. Colour components run in 16.16 fixed point: each step adds
// (target - start) / steps, truncated, so a run ends one step short of its target colour. A band
// keeps the colour it started with and grows while the colour stays the same or until it spans
// the band minimum; then the next band starts.
class TColorStepper {
public:
    TColorStepper(COLORREF from, COLORREF to, int steps) {
        int a[3] = {GetRValue(from), GetGValue(from), GetBValue(from)};
        int b[3] = {GetRValue(to), GetGValue(to), GetBValue(to)};
        int n = std::max(1, steps);
        for (int i = 0; i < 3; ++i) {
            start_[i] = a[i] << 16;
            increment_[i] = ((b[i] << 16) - (a[i] << 16)) / n;
        }
    }
    COLORREF At(int step) const {
        int c[3];
        for (int i = 0; i < 3; ++i) c[i] = std::clamp((start_[i] + step * increment_[i]) >> 16, 0, 255);
        return RGB(c[0], c[1], c[2]);
    }

private:
    int start_[3];
    int increment_[3];
};

// Runs the steps 0..steps-1 as bands; paint(firstStep, lastStep, colour) fills one.
template <class Paint>
void ForEachBand(const TColorStepper& colors, int steps, int bandMin, Paint paint) {
    int first = 0;
    while (first < steps) {
        COLORREF color = colors.At(first);
        int last = first;
        while (last + 1 < steps && (last + 1 - first < bandMin || colors.At(last + 1) == color)) ++last;
        paint(first, last, color);
        first = last + 1;
    }
}

// The band minimum in colour steps for a band width N (0 counts as 1).
int BandMinimum(int bandWidth, int big) {
    int n = std::max(1, bandWidth);
    return n <= 8 ? n : big / n + 1;
}

constexpr int kStripThickness = 8;

// One pass of a linear strip: positions `from` down to `to` (1-based along the axis; position p
// is pixel row or column p - 1) step from colour a toward colour b, one step per position.
void StripPass(HDC dc, bool rows, int from, int to, COLORREF a, COLORREF b, int bandMin) {
    int steps = from - to + 1;
    if (steps <= 0) return;
    TColorStepper colors(a, b, steps);
    ForEachBand(colors, steps, bandMin, [&](int s1, int s2, COLORREF color) {
        int hi = from - s1, lo = from - s2;  // positions; the band spans pixels lo-1 .. hi-1
        FillSolid(dc, rows ? TRect{0, lo - 1, kStripThickness, hi} : TRect{lo - 1, 0, hi, kStripThickness}, color);
    });
}

// A linear gradient strip kStripThickness thick: rows (bands across the height) or columns. With
// middle -1 the whole size runs from the far colour (last position) to the near one (position 1);
// with a middle P the far colour stands at position P + 1 and both ends have the near colour.
void PaintLinearGradientStrip(HDC dc, bool rows, int size, int middle, COLORREF nearColor, COLORREF farColor,
                              int bandMin) {
    if (middle < 0) {
        StripPass(dc, rows, size, 1, farColor, nearColor, bandMin);
        return;
    }
    StripPass(dc, rows, middle + 1, 1, farColor, nearColor, bandMin);
    StripPass(dc, rows, size, middle + 2, nearColor, farColor, bandMin);
}

// Widens the block painted at (x, y) to (right, bottom) by copying it next to itself, doubling
// its height or width each time.
void DoublingFillBlit(HDC dc, int x, int y, int right, int bottom, int blockWidth, int blockHeight, DWORD rop) {
    int w = blockWidth, h = blockHeight;
    bool vertical = y + h < bottom;
    while (x + w < right || y + h < bottom) {
        if (vertical && y + h < bottom) {
            int copy = std::min(h, bottom - (y + h));
            BitBlt(dc, x, y + h, w, copy, dc, x, y, rop);
            h += copy;
            vertical = x + w >= right;
        } else {
            int copy = std::min(w, right - (x + w));
            BitBlt(dc, x + w, y, copy, h, dc, x, y, rop);
            w += copy;
            vertical = y + h < bottom;
        }
    }
}

// The top-left quarter of a box gradient: L-shaped bands of the quarter from the centre colour
// to the outer colour, the centre stretched by the given amounts.
void PaintBoxGradientQuarter(HDC dc, int w, int h, int stretchX, int stretchY, COLORREF outer, COLORREF centre,
                             int bandMin) {
    if (outer == centre || w <= 4 || h <= 4) {
        FillSolid(dc, TRect{0, 0, w + 1, h + 1}, outer);
        return;
    }
    int hx = (w - 1) / 2, hy = (h - 1) / 2;
    int x0 = hx - stretchX, y0 = hy - stretchY;
    int steps = std::max(x0, y0) + 1;
    TColorStepper colors(centre, outer, steps);
    int dx = (x0 << 16) / steps, dy = (y0 << 16) / steps;
    int oldX = hx + 1, oldY = hy + 1;
    int step = 0, bandStart = 0;
    COLORREF bandColor = colors.At(0);
    for (;;) {
        int newX = ((x0 << 16) - step * dx) >> 16, newY = ((y0 << 16) - step * dy) >> 16;
        if (newX < 0 && newY < 0) break;
        COLORREF color = colors.At(step);
        // A band ends where the colour changes (or it reached the band minimum).
        if (step > bandStart && (color != bandColor || step - bandStart >= bandMin)) {
            bandStart = step;
            bandColor = color;
        }
        int nx = std::max(newX, 0), ny = std::max(newY, 0);
        FillSolid(dc, TRect{nx, ny, hx + 1, oldY}, bandColor);
        FillSolid(dc, TRect{nx, oldY, oldX, hy + 1}, bandColor);
        oldX = nx;
        oldY = ny;
        ++step;
    }
}

// Completes a picture symmetric about both centre lines from its top-left quarter: the top
// half-block turned upside down into the bottom, then the left part mirrored into the right.
void MirrorQuarterBlit(HDC dc, int x, int y, int w, int h, DWORD rop) {
    int half = w / 2, halfH = h / 2, p = half % 2;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y + h - 1, half + 1, -halfH, dc, x, y, half, halfH, rop);
    StretchBlt(dc, x + w - 1, y, -(half + p), h, dc, x, y, half - p, h, rop);
}

// Diagonal bands: the sweep line (parallel to the other diagonal) runs from the start corner to
// the far corner in two triangles. A positive width starts at the bottom-left corner with c1,
// a negative one at the bottom-right.
void PaintDiagonalGradient(HDC dc, int signedWidth, int h, COLORREF c1, COLORREF c2, int bandMin) {
    int w = std::abs(signedWidth);
    bool fromLeft = signedWidth > 0;
    auto X = [&](int x) { return fromLeft ? x : w - x; };
    int steps = int(std::sqrt(double(w) * w + double(h) * h)) + 1;
    int half = std::max(1, steps / 2);
    int xs = (w << 16) / half, ys = (h << 16) / half;
    TColorStepper colors(c1, c2, steps);
    HBRUSH oldBrush = HBRUSH(SelectObject(dc, GetStockObject(DC_BRUSH)));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    int colorStep = 0, bandStart = 0;
    COLORREF bandColor = colors.At(0);
    auto band = [&](std::initializer_list<POINT> points) {
        COLORREF color = colors.At(colorStep);
        if (colorStep > bandStart && (color != bandColor || colorStep - bandStart >= bandMin)) {
            bandStart = colorStep;
            bandColor = color;
        }
        ++colorStep;
        SetDCBrushColor(dc, bandColor);
        std::vector<POINT> p(points);
        Polygon(dc, p.data(), int(p.size()));
    };
    FillSolid(dc, TRect{0, 0, w, h}, c1);
    // First triangle: between the start corner's vertical edge and the bottom edge.
    int px = 0, py = h;
    for (int k = 1; k <= half; ++k) {
        int nx = (k * xs) >> 16, ny = ((h << 16) - k * ys) >> 16;
        band({POINT{X(0), py}, POINT{X(0), ny}, POINT{X(nx), h}, POINT{X(px), h}});
        px = nx;
        py = ny;
    }
    band({POINT{X(0), py}, POINT{X(0), 0}, POINT{X(w), h}, POINT{X(px), h}});
    // Second triangle: between the top edge and the opposite vertical edge.
    px = 0;
    py = h;
    for (int k = 1; k <= half; ++k) {
        int nx = (k * xs) >> 16, ny = ((h << 16) - k * ys) >> 16;
        band({POINT{X(px), 0}, POINT{X(nx), 0}, POINT{X(w), ny}, POINT{X(w), py}});
        px = nx;
        py = ny;
    }
    band({POINT{X(px), 0}, POINT{X(w), 0}, POINT{X(w), py}});
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

}  // namespace

// ---- Sides and frames

TRect PaintSides(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides) {
    if (upperLeft != clNone) {
        canvas->Pen()->SetColor(upperLeft);
        if (sides.Contains(sdLeft)) Line(canvas, r.left, r.top, r.left, r.bottom);
        if (sides.Contains(sdTop)) Line(canvas, r.left, r.top, r.right, r.top);
    }
    if (lowerRight != clNone) {
        canvas->Pen()->SetColor(lowerRight);
        if (sides.Contains(sdRight)) Line(canvas, r.right - 1, r.top, r.right - 1, r.bottom);
        if (sides.Contains(sdBottom)) Line(canvas, r.left, r.bottom - 1, r.right, r.bottom - 1);
    }
    TRect result = r;
    if (sides.Contains(sdLeft)) ++result.left;
    if (sides.Contains(sdTop)) ++result.top;
    if (sides.Contains(sdRight)) --result.right;
    if (sides.Contains(sdBottom)) --result.bottom;
    return result;
}

TRect PaintBevel(TCanvas* canvas, const TRect& bounds, TColor upperLeft, TColor lowerRight, int count, TSides sides) {
    canvas->Pen()->SetWidth(1);
    TRect r = bounds;
    for (int i = 0; i < count; ++i) r = PaintSides(canvas, r, upperLeft, lowerRight, sides);
    return r;
}

TRect PaintCtl3DSides(TCanvas* canvas, const TRect& r, bool lowered, TSides sides) {
    if (lowered) return TwoRings(canvas, r, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, sides);
    return TwoRings(canvas, r, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow, sides);
}

TRect PaintButtonFrameSides(TCanvas* canvas, const TRect& r, bool down, TSides sides) {
    if (down) return TwoRings(canvas, r, clBtnText, clBtnText, clBtnShadow, clBtnShadow, sides);
    return TwoRings(canvas, r, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, sides);
}

TRect PaintButtonFrame(TCanvas* canvas, const TRect& r, bool down) {
    return PaintButtonFrameSides(canvas, r, down, sdAllSides);
}

TRect PaintColorButtonFrameSides(TCanvas* canvas, const TRect& r, TColor face, bool lowered, TSides sides) {
    if (lowered) return TwoRings(canvas, r, D(face, 100), D(face, 100), D(face, 50), D(face, 50), sides);
    return TwoRings(canvas, r, B(face, 100), D(face, 100), B(face, 40), D(face, 50), sides);
}

TRect PaintColorButtonFrame(TCanvas* canvas, const TRect& r, TColor face, bool lowered) {
    return PaintColorButtonFrameSides(canvas, r, face, lowered, sdAllSides);
}

TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& r, TFrameStyleEx style, TSides sides) {
    switch (style) {
        case fsNone:
            return r;
        case fsFlat:
            return PaintBevel(canvas, r, cl3DDkShadow, cl3DDkShadow, 1, sides);
        case fsStatus:
            return PaintBevel(canvas, r, clBtnShadow, clBtnHighlight, 1, sides);
        case fsPopup:
            return PaintBevel(canvas, r, clBtnHighlight, clBtnShadow, 1, sides);
        case fsFlatBold:
            return PaintBevel(canvas, r, clBtnShadow, clBtnShadow, 2, sides);
        case fsLowered:
            return PaintCtl3DSides(canvas, r, true, sides);
        case fsRaised:
            return PaintCtl3DSides(canvas, r, false, sides);
        case fsButtonDown:
            return PaintButtonFrameSides(canvas, r, true, sides);
        case fsButtonUp:
            return PaintButtonFrameSides(canvas, r, false, sides);
        case fsGroove:
            return Groove(canvas, r, clBtnShadow, clBtnHighlight, sides);
        default:
            return Groove(canvas, r, clBtnHighlight, clBtnShadow, sides);
    }
}

TRect PaintFrameStyle(TCanvas* canvas, const TRect& r, TFrameStyleEx style) {
    return PaintFrameStyleSides(canvas, r, style, sdAllSides);
}

TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& r, TColor c, TFrameStyleEx style, TSides sides) {
    switch (style) {
        case fsNone:
            return r;
        case fsFlat:
            return PaintBevel(canvas, r, D(c, 50), D(c, 50), 1, sides);
        case fsGroove:
            return Groove(canvas, r, D(c, 50), B(c, 100), sides);
        case fsLowered:
            return TwoRings(canvas, r, D(c, 50), B(c, 100), D(c, 100), B(c, 50), sides);
        case fsRaised:
            return TwoRings(canvas, r, B(c, 50), D(c, 100), B(c, 100), D(c, 50), sides);
        case fsButtonDown:
            return PaintColorButtonFrameSides(canvas, r, c, true, sides);
        case fsButtonUp:
            return PaintColorButtonFrameSides(canvas, r, c, false, sides);
        case fsStatus:
            return PaintBevel(canvas, r, D(c, 50), B(c, 100), 1, sides);
        case fsPopup:
            return PaintBevel(canvas, r, B(c, 100), D(c, 50), 1, sides);
        case fsFlatBold:
            return PaintBevel(canvas, r, D(c, 50), D(c, 50), 2, sides);
        default:
            return Groove(canvas, r, B(c, 100), D(c, 50), sides);
    }
}

TRect PaintColorFrameStyle(TCanvas* canvas, const TRect& r, TColor face, TFrameStyleEx style) {
    return PaintColorFrameStyleSides(canvas, r, face, style, sdAllSides);
}

void PaintControlFrame(TCanvas* canvas, int width, int height, TFrameStyleEx style, TColor controlColor,
                       TColor frameColor, TSides sides, bool keepBackground) {
    TRect r{0, 0, width, height};
    if (!keepBackground) PaintBevel(canvas, r, controlColor, controlColor, 2, sdAllSides);
    if (style == fsFlat)
        PaintSides(canvas, r, frameColor, frameColor, sides);
    else if (style == fsFlatBold)
        PaintBevel(canvas, r, frameColor, frameColor, 2, sides);
    else if (controlColor == clWindow)
        PaintFrameStyleSides(canvas, r, style, sides);
    else
        PaintColorFrameStyleSides(canvas, r, controlColor, style, sides);
}

void InvalidateNonClientFrame(HWND window, const TRect& bounds) {
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    RECT clip;
    int kind = GetClipBox(dc, &clip);
    ReleaseDC(window, dc);
    if (kind != NULLREGION && kind != ERROR) RedrawWindow(window, &bounds, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

namespace {
// One outer or inner style of a panel border; the rings of fsFlatRounded differ per side.
TRect PanelStyle(TCanvas* canvas, TRect r, TFrameStyleEx style, bool outer, int borderWidth, TFrameStyleEx inner,
                 TSides sides, int bevelWidth, TColor borderColor, TColor highlight, TColor shadow, TColor flat,
                 TColor controlColor, TColor parentColor, bool transparent) {
    switch (style) {
        case fsFlat:
            return PaintBevel(canvas, r, flat, flat, 1, sides);
        case fsFlatBold:
            return PaintBevel(canvas, r, flat, flat, 2, sides);
        case fsFlatRounded: {
            TRect rings = r;
            if (outer) {
                bool bordered = borderWidth > 0 || inner != fsNone;
                if (!transparent) {
                    rings = PaintBevel(canvas, rings, parentColor, parentColor, 1, sides);
                    TColor second = bordered ? borderColor : controlColor;
                    PaintBevel(canvas, rings, second, second, 1, sides);
                } else if (bordered) {
                    PaintBevel(canvas, PaintSides(canvas, rings, clNone, clNone, sides), borderColor, borderColor, 1,
                               sides);
                }
            } else if (!transparent) {
                rings = PaintBevel(canvas, rings, borderColor, borderColor, 1, sides);
                PaintBevel(canvas, rings, controlColor, controlColor, 1, sides);
            } else {
                PaintBevel(canvas, rings, borderColor, borderColor, 1, sides);
            }
            return PaintRoundedFlatFrame(canvas, r, flat, sides);
        }
        case fsStatus:
            return PaintBevel(canvas, r, shadow, highlight, bevelWidth, sides);
        case fsPopup:
            return PaintBevel(canvas, r, highlight, shadow, bevelWidth, sides);
        default:
            return PaintFrameStyleSides(canvas, r, style, sides);
    }
}
}  // namespace

TRect PaintPanelBorders(TCanvas* canvas, const TRect& bounds, TFrameStyleEx outer, TFrameStyleEx inner, int borderWidth,
                        TSides sides, int bevelWidth, TColor borderColor, TColor borderHighlight, TColor borderShadow,
                        TColor flatColor, int flatColorAdjustment, TColor controlColor, TColor parentColor,
                        bool transparent) {
    TColor flat = AdjustColorLightness(flatColor, flatColorAdjustment);
    TRect r = PanelStyle(canvas, bounds, outer, true, borderWidth, inner, sides, bevelWidth, borderColor,
                         borderHighlight, borderShadow, flat, controlColor, parentColor, transparent);
    if (borderWidth > 0) r = PaintBevel(canvas, r, borderColor, borderColor, borderWidth, sides);
    return PanelStyle(canvas, r, inner, false, borderWidth, inner, sides, bevelWidth, borderColor, borderHighlight,
                      borderShadow, flat, controlColor, parentColor, transparent);
}

// ---- Outlines and marks

TRect PaintBoxOutline(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Pen()->SetColor(color);
    Line(canvas, r.left, r.top, r.left, r.bottom);
    Line(canvas, r.left, r.top, r.right, r.top);
    Line(canvas, r.right - 1, r.top, r.right - 1, r.bottom);
    Line(canvas, r.left, r.bottom - 1, r.right, r.bottom - 1);
    return Inflate(r, -1);
}

TRect PaintBoxCornerMarks(TCanvas* canvas, const TRect& r, TColor color, int c) {
    canvas->Pen()->SetColor(color);
    int R = r.right - 1, Bt = r.bottom - 1;
    canvas->Polyline({TPoint{r.left, r.top + c - 1}, TPoint{r.left, r.top}, TPoint{r.left + c, r.top}});
    canvas->Polyline({TPoint{R - c + 1, r.top}, TPoint{R, r.top}, TPoint{R, r.top + c}});
    canvas->Polyline({TPoint{R, Bt - c + 1}, TPoint{R, Bt}, TPoint{R - c, Bt}});
    canvas->Polyline({TPoint{r.left + c - 1, Bt}, TPoint{r.left, Bt}, TPoint{r.left, Bt - c}});
    return Inflate(r, -1);
}

TRect PaintDottedFocusBorder(TCanvas* canvas, const TRect& r) {
    for (int y = r.top + 1; y < r.bottom; y += 2) {
        canvas->SetPixels(r.left, y, 0);
        canvas->SetPixels(r.right - 1, y, 0);
    }
    for (int x = r.left + 1; x < r.right; x += 2) {
        canvas->SetPixels(x, r.top, 0);
        canvas->SetPixels(x, r.bottom - 1, 0);
    }
    return Inflate(r, -1);
}

TRect PaintRoundedFlatFrame(TCanvas* canvas, const TRect& r, TColor color, TSides s) {
    bool left = s.Contains(sdLeft), top = s.Contains(sdTop), right = s.Contains(sdRight), bottom = s.Contains(sdBottom);
    TRect inner{left ? r.left + 2 : r.left, top ? r.top + 2 : r.top, right ? r.right - 2 : r.right,
                bottom ? r.bottom - 2 : r.bottom};
    canvas->Pen()->SetColor(color);
    if (left) Line(canvas, r.left, inner.top, r.left, inner.bottom);
    if (top) Line(canvas, inner.left, r.top, inner.right, r.top);
    if (right) Line(canvas, r.right - 1, inner.top, r.right - 1, inner.bottom);
    if (bottom) Line(canvas, inner.left, r.bottom - 1, inner.right, r.bottom - 1);
    if (left && top) canvas->SetPixels(r.left + 1, r.top + 1, color);
    if (right && top) canvas->SetPixels(r.right - 2, r.top + 1, color);
    if (right && bottom) canvas->SetPixels(r.right - 2, r.bottom - 2, color);
    if (left && bottom) canvas->SetPixels(r.left + 1, r.bottom - 2, color);
    return inner;
}

// ---- Glyphs

TColor XPDropDownGlyphColor() {
    TBitmap probe(17, 21);
    TCanvas* canvas = probe.Canvas();
    canvas->Brush()->SetColor(clWindow);
    canvas->FillRect(TRect{0, 0, 17, 21});
    TThemeData theme(L"COMBOBOX");
    theme.DrawBackground(canvas->Handle(), CP_DROPDOWNBUTTON, CBXS_NORMAL, TRect{0, 0, 16, 20});
    TColor color = canvas->Pixels(8, 10);
    return ColorsAreClose(color, clWindow) ? cl3DDkShadow : color;
}

void PaintDropDownGlyph(TCanvas* canvas, const TRect& r, TRzVisualStyle style, bool enabled) {
    if (IsWindowsVersionOrLater(7)) style = vsGradient;
    TColor color;
    if (!enabled)
        color = clBtnShadow;
    else if (style == vsWinXP)
        color = XPDropDownGlyphColor();
    else
        color = ColorsAreClose(canvas->Brush()->Color(), clBlack) ? cl3DDkShadow : clBlack;
    TColor oldBrush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetStyle(psClear);
    int h = r.bottom - r.top;
    int x = r.left + (r.right - r.left) / 2;
    int y = r.top + h / 2 - (h % 2 == 0 ? 1 : 0) + (style == vsWinXP ? 4 : 2);
    if (style == vsWinXP) {
        canvas->Polygon({TPoint{x, y}, TPoint{x - 4, y - 5}, TPoint{x - 3, y - 7}, TPoint{x, y - 3},
                         TPoint{x + 3, y - 7}, TPoint{x + 5, y - 5}});
    } else {
        for (int row = 0; row < 4; ++row) canvas->FillRect(TRect{x - row, y - row, x + row + 1, y - row + 1});
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(oldBrush);
}

void PaintHighlightRing(TCanvas* canvas, const TRect& r, TGradientDirection direction, TColor first, TColor second) {
    if (!IsHighColorDisplay()) return;
    HDC dc = canvas->Handle();
    TRect inner = Inflate(r, -2);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    PaintGradient(canvas, r, direction, first, second, 1);
    SelectClipRgn(dc, nullptr);
}

void PaintCheckBoxGlyph(TCanvas* canvas, const TRect& bounds, TCheckBoxState state, TRzCheckGlyphKind kind,
                        bool focused, TRzButtonHotTrackStyle hotTrackStyle, TColor frameColor, TColor markColor,
                        TColor fillColor, TColor focusColor, TColor disabledColor, TColor hotPaleColor,
                        TColor hotDarkColor, bool readOnly, bool readOnlyColorOnFocus, TColor readOnlyColor) {
    if (kind == cgkHot && hotTrackStyle == htsFrame) frameColor = hotDarkColor;
    TRect r = PaintBoxOutline(canvas, bounds, frameColor);
    TColor fill;
    switch (kind) {
        case cgkPressed:
            fill = DarkenColor(focusColor, 20);
            break;
        case cgkDisabled:
            fill = disabledColor;
            markColor = clBtnShadow;
            break;
        default:
            if (focused)
                fill = readOnly && readOnlyColorOnFocus ? readOnlyColor : focusColor;
            else
                fill = readOnly ? readOnlyColor : fillColor;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(r);
    if (state == cbChecked) {
        static const int tops[] = {5, 6, 7, 6, 5, 4, 3};  // columns L+2..L+8, each three pixels high
        int left = r.left, top = r.top - 1;
        for (int i = 0; i < 7; ++i)
            for (int dy = 0; dy < 3; ++dy) canvas->SetPixels(left + 2 + i, top + tops[i] + dy, markColor);
    } else if (state == cbGrayed) {
        canvas->Brush()->SetColor(markColor);
        canvas->FillRect(Inflate(r, -2));
    }
    if (kind == cgkHot) {
        if (hotTrackStyle == htsInterior)
            PaintHighlightRing(canvas, r, gdDiagonalDown, hotPaleColor, hotDarkColor);
        else
            PaintBoxOutline(canvas, r, hotDarkColor);
    }
}

// ---- Gradients

void PaintGradient(TCanvas* canvas, const TRect& bounds, TGradientDirection direction, TColor first, TColor second,
                   int bandWidth) {
    COLORREF c1 = COLORREF(ColorToRGB(first)), c2 = COLORREF(ColorToRGB(second));
    int w = std::abs(bounds.right - bounds.left), h = std::abs(bounds.bottom - bounds.top);
    if (w == 0 || h == 0) return;
    HDC target = canvas->Handle();
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    int stripMin = BandMinimum(bandWidth, 255), boxMin = BandMinimum(bandWidth, 256);

    switch (direction) {
        case gdDiagonalUp:
        case gdDiagonalDown:
            if (c1 == c2)
                FillSolid(dc, TRect{0, 0, w, h}, c1);
            else if (direction == gdDiagonalUp)
                PaintDiagonalGradient(dc, w, h, c1, c2, stripMin);
            else
                PaintDiagonalGradient(dc, -w, h, c2, c1, stripMin);
            break;
        case gdHorizontalEnd:
        case gdHorizontalCenter:
            PaintLinearGradientStrip(dc, true, h, direction == gdHorizontalCenter ? h / 2 : -1, c1, c2, stripMin);
            DoublingFillBlit(dc, 0, 0, w, h, kStripThickness, h, SRCCOPY);
            break;
        case gdVerticalEnd:
        case gdVerticalCenter:
            PaintLinearGradientStrip(dc, false, w, direction == gdVerticalCenter ? w / 2 : -1, c1, c2, stripMin);
            DoublingFillBlit(dc, 0, 0, w, h, w, kStripThickness, SRCCOPY);
            break;
        default: {
            int stretchX = 0, stretchY = 0;
            if (direction == gdHorizontalBox || direction == gdBigSquareBox) stretchX = w / 4;
            if (direction == gdVerticalBox || direction == gdBigSquareBox) stretchY = h / 4;
            if (direction == gdHorizontalBox || direction == gdSquareBox) FillSolid(dc, TRect{0, 0, w, h}, c1);
            PaintBoxGradientQuarter(dc, w, h, stretchX, stretchY, c1, c2, boxMin);
            MirrorQuarterBlit(dc, 0, 0, w, h, SRCCOPY);
        }
    }
    BitBlt(target, std::min(bounds.left, bounds.right), std::min(bounds.top, bounds.bottom), w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void PaintGroupBarFill(TCanvas* canvas, const TRect& r, TRzVisualStyle style, TRzGradientColorStyle colorStyle,
                       TRzGroupBarGradientPath path, TColor startColor, TColor stopColor) {
    if (style == vsClassic) return;
    if (style == vsWinXP && VisualStylesActive()) {
        TThemeData theme(L"EXPLORERBAR");
        if (theme.DrawBackground(canvas->Handle(), 0, 0, r)) return;
    }
    if (!IsHighColorDisplay()) return;
    if (colorStyle != gcsCustom) GetGroupBarColors(colorStyle, startColor, stopColor);
    if (path == gpTopToBottom)
        PaintGradient(canvas, r, gdHorizontalEnd, startColor, stopColor, 1);
    else
        PaintGradient(canvas, r, gdHorizontalEnd, stopColor, startColor, 1);
}

// ---- Bitmaps, parents and text

void StretchBitmapTransparent(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source,
                              TColor transparentColor) {
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (w <= 0 || h <= 0) return;
    HDC target = canvas->Handle();
    HDC copyDC = CreateCompatibleDC(target);
    HBITMAP copy = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldCopy = SelectObject(copyDC, copy);
    SetStretchBltMode(copyDC, COLORONCOLOR);
    StretchBlt(copyDC, 0, 0, w, h, bitmap->Canvas()->Handle(), source.left, source.top, source.right - source.left,
               source.bottom - source.top, SRCCOPY);
    TransparentBlt(target, dest.left, dest.top, w, h, copyDC, 0, 0, w, h, UINT(ColorToRGB(transparentColor)));
    SelectObject(copyDC, oldCopy);
    DeleteObject(copy);
    DeleteDC(copyDC);
}

void PaintParentBackground(TControl* control, HDC dc, bool updateParent) {
    TWinControl* parent = control->Parent();
    if (!parent) return;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    parent->Perform(WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
    if (updateParent && !Is<TCustomControl>(parent) && !Is<TCustomForm>(parent)) parent->Invalidate();
}

void InvalidateTransparentChildren(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        const TPropInfo* info = GetPropInfo(child, L"Transparent");
        if (info && info->Kind == tkBoolean && GetOrdProp(child, L"Transparent") != 0) child->Invalidate();
    }
}

int PaintText(TCanvas* canvas, const String& text, TRect bounds, UINT format) {
    // DrawText works on the bare handle: an empty text output first brings the canvas's font,
    // text colour and brush mode into the device context.
    canvas->TextRect(TRect{0, 0, 0, 0}, 0, 0, String());
    return DrawTextW(canvas->Handle(), text.c_str(), -1, &bounds, format);
}

HFONT CreateRotatedFont(TFont* font, int angle) {
    LOGFONTW lf{};
    lf.lfHeight = font->Height();
    lf.lfWidth = 0;
    lf.lfEscapement = angle * 10;
    lf.lfOrientation = 0;
    TFontStyles style = font->Style();
    lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.Contains(fsItalic);
    lf.lfUnderline = style.Contains(fsUnderline);
    lf.lfStrikeOut = style.Contains(fsStrikeOut);
    lf.lfCharSet = font->Charset();
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font->Pitch() == fpVariable ? VARIABLE_PITCH
                          : font->Pitch() == fpFixed  ? FIXED_PITCH
                                                      : DEFAULT_PITCH;
    String name = font->Name();
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}
