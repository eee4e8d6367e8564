// Sections: text flags · canvas (access, stacks, clipping, drawing, text).

#include "cxGraphics.h"

#include <algorithm>

#include "Bitmap.h"
#include "Graphic.h"

// ---- toolkit text flags --------------------------------------------------------------------

UINT ConvertTextFlags(Word flags) {
    UINT result = 0;
    if (flags & cxAlignRight) result |= DT_RIGHT;
    if (flags & cxAlignHCenter) result |= DT_CENTER;
    if (flags & cxAlignBottom) result |= DT_BOTTOM;
    if (flags & cxAlignVCenter) result |= DT_VCENTER;
    if (flags & cxSingleLine) result |= DT_SINGLELINE;
    if (flags & cxDontClip) result |= DT_NOCLIP;
    if (flags & cxExpandTabs) result |= DT_EXPANDTABS;
    if (!(flags & cxShowPrefix)) result |= DT_NOPREFIX;
    if (flags & cxWordBreak) {
        result |= DT_WORDBREAK;
        if (!(flags & cxDontBreakChars)) result |= DT_EDITCONTROL;
    }
    if (flags & cxShowEndEllipsis) result |= DT_END_ELLIPSIS;
    if (flags & cxDontPrint) result |= DT_CALCRECT;
    if (flags & cxShowPathEllipsis) result |= DT_PATH_ELLIPSIS;
    return result;
}

// ---- canvas: access ------------------------------------------------------------------------

namespace {

// Reaches the platform canvas's selection of tools, which the wrapper needs before calling GDI
// text functions on the DC itself.
struct TCanvasAccess : TCanvas {
    using TCanvas::RequiredState;
    static constexpr Byte handleValid = csHandleValid, fontValid = csFontValid, brushValid = csBrushValid,
                          penValid = csPenValid;
};

}  // namespace

TcxCanvas::TcxCanvas(TCanvas* canvas) : canvas_(canvas) {}

TcxCanvas::~TcxCanvas() {
    // Regions left on the stack would leak their GDI handles.
    for (TcxRegion* region : savedRegions_) delete region;
    for (TcxCanvasState& state : savedStates_) {
        delete state.font;
        delete state.brush;
        delete state.pen;
    }
}

void TcxCanvas::RequireTools(bool font, bool brush, bool pen) {
    Byte required = TCanvasAccess::handleValid;
    if (font) required |= TCanvasAccess::fontValid;
    if (brush) required |= TCanvasAccess::brushValid;
    if (pen) required |= TCanvasAccess::penValid;
    (canvas_->*(&TCanvasAccess::RequiredState))(required);
}

void TcxCanvas::SetBrushColor(TColor color) {
    if (canvas_->Brush()->Color() != color) canvas_->Brush()->SetColor(color);
}

TPoint TcxCanvas::GetWindowOrigin() const {
    TPoint p{0, 0};
    GetWindowOrgEx(GetCanvasHandle(), &p);
    return p;
}

TPoint TcxCanvas::GetViewportOrigin() const {
    TPoint p{0, 0};
    GetViewportOrgEx(GetCanvasHandle(), &p);
    return p;
}

void TcxCanvas::SetWindowOrigin(const TPoint& p) { SetWindowOrgEx(GetCanvasHandle(), p.x, p.y, nullptr); }

void TcxCanvas::SetViewportOrigin(const TPoint& p) { SetViewportOrgEx(GetCanvasHandle(), p.x, p.y, nullptr); }

TPoint TcxCanvas::DeviceOrigin() const {
    TPoint v = GetViewportOrigin(), w = GetWindowOrigin();
    return TPoint{v.x - w.x, v.y - w.y};
}

void TcxCanvas::CopyObjectsFromDC(HDC dc) {
    LOGFONTW lf{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf)) {
        TFont* font = canvas_->Font();
        font->SetHandle(CreateFontIndirectW(&lf));
        font->SetColor(TColor(GetTextColor(dc)));
    }
    LOGBRUSH lb{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_BRUSH), sizeof(lb), &lb)) {
        TBrush* brush = canvas_->Brush();
        brush->SetColor(TColor(lb.lbColor));
        static const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
        if (lb.lbStyle == BS_NULL)
            brush->SetStyle(bsClear);
        else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= 5)
            brush->SetStyle(hatches[lb.lbHatch]);
        else
            brush->SetStyle(bsSolid);
    }
    LOGPEN lp{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_PEN), sizeof(lp), &lp)) {
        TPen* pen = canvas_->Pen();
        pen->SetColor(TColor(lp.lopnColor));
        Byte style = Byte(lp.lopnStyle & 0xFF);
        pen->SetStyle(style <= psInsideFrame ? TPenStyle(style) : psSolid);
        pen->SetWidth(lp.lopnWidth.x);
        int rop = GetROP2(dc);
        pen->SetMode(rop >= R2_BLACK && rop <= R2_WHITE ? TPenMode(rop - R2_BLACK) : pmCopy);
    }
}

// ---- canvas: stacks ------------------------------------------------------------------------

void TcxCanvas::PushDC() {
    // The saved state must not hold tools the canvas may delete before the pop.
    canvas_->Refresh();
    savedDCs_.push_back(SaveDC(GetCanvasHandle()));
}

void TcxCanvas::PopDC() {
    if (savedDCs_.empty()) return;
    canvas_->Refresh();
    RestoreDC(GetCanvasHandle(), savedDCs_.back());
    savedDCs_.pop_back();
}

void TcxCanvas::PushClipRegion() { savedRegions_.push_back(CopyClipRegion(true)); }

void TcxCanvas::PopClipRegion() {
    if (savedRegions_.empty()) return;
    TcxRegion* region = savedRegions_.back();
    savedRegions_.pop_back();
    ApplyClipRegion(region, roSet, true, true);
}

void TcxCanvas::PushState() {
    PushDC();
    TcxCanvasState state{new TFont(), new TBrush(), new TPen()};
    state.font->Assign(canvas_->Font());
    state.brush->Assign(canvas_->Brush());
    state.pen->Assign(canvas_->Pen());
    savedStates_.push_back(state);
}

void TcxCanvas::PopState() {
    if (savedStates_.empty()) return;
    TcxCanvasState state = savedStates_.back();
    savedStates_.pop_back();
    canvas_->SetFont(state.font);
    canvas_->SetBrush(state.brush);
    canvas_->SetPen(state.pen);
    delete state.font;
    delete state.brush;
    delete state.pen;
    PopDC();
}

// ---- canvas: clipping ----------------------------------------------------------------------

void TcxCanvas::ExcludeRectFromClip(const TRect& r) {
    ExcludeClipRect(GetCanvasHandle(), r.left, r.top, r.right, r.bottom);
}

void TcxCanvas::IntersectClipWithRect(const TRect& r) {
    IntersectClipRect(GetCanvasHandle(), r.left, r.top, r.right, r.bottom);
}

TcxRegion* TcxCanvas::CopyClipRegion(bool logical) {
    TcxRegion* region = TcxRegion::CreateEmpty();
    if (GetClipRgn(GetCanvasHandle(), region->Handle()) != 1)
        SetRectRgn(region->Handle(), cxNoClipRect.left, cxNoClipRect.top, cxNoClipRect.right, cxNoClipRect.bottom);
    if (logical) {
        TPoint origin = DeviceOrigin();
        region->OffsetBy(-origin.x, -origin.y);
    }
    return region;
}

void TcxCanvas::ApplyClipRegion(TcxRegion* region, TcxRegionOperation operation, bool logical, bool freeRegion) {
    if (operation != roSet) {
        TcxRegion* clip = CopyClipRegion(logical);
        clip->CombineWith(region, operation, freeRegion);
        ApplyClipRegion(clip, roSet, logical, true);
        return;
    }
    TPoint origin{0, 0};
    if (logical) {
        origin = DeviceOrigin();
        region->OffsetBy(origin.x, origin.y);
    }
    SelectClipRgn(GetCanvasHandle(), region->Handle());
    if (freeRegion)
        delete region;
    else if (logical)
        region->OffsetBy(-origin.x, -origin.y);
}

// ---- canvas: drawing -----------------------------------------------------------------------

void TcxCanvas::FillRectWithColor(const TRect& r, TColor color) {
    if (color == clNone) return;
    if (color != clDefault) SetBrushColor(color);
    canvas_->FillRect(r);
}

namespace {

// Floor division, so that tiles left of or above the origin are found too.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

void TcxCanvas::FillRectWithTile(const TRect& r, TBitmap* bitmap, bool exclude) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (bitmap && !bitmap->Empty()) {
        int w = bitmap->Width(), h = bitmap->Height();
        int firstColumn = FloorDiv(r.left, w), lastColumn = FloorDiv(r.right - 1, w);
        int firstRow = FloorDiv(r.top, h), lastRow = FloorDiv(r.bottom - 1, h);
        for (int j = firstRow; j <= lastRow; ++j)
            for (int i = firstColumn; i <= lastColumn; ++i) {
                TRect tile{i * w, j * h, (i + 1) * w, (j + 1) * h};
                TRect part;
                if (!IntersectRect(&part, &tile, &r)) continue;
                TRect source{part.left - tile.left, part.top - tile.top, part.right - tile.left,
                             part.bottom - tile.top};
                canvas_->CopyRect(part, bitmap->Canvas(), source);
            }
    } else {
        canvas_->FillRect(r);
    }
    if (exclude) ApplyClipRegion(TcxRegion::CreateFromRect(r), roSubtract, true, true);
}

void TcxCanvas::FrameRectBorders(const TRect& r, TColor color, int width, TcxBorders borders, bool exclude) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (color != clDefault) SetBrushColor(color);
    if (borders.Contains(bLeft))
        FillRectWithTile(TRect{r.left, r.top, std::min(r.left + width, r.right), r.bottom}, nullptr, exclude);
    if (borders.Contains(bRight))
        FillRectWithTile(TRect{std::max(r.left, r.right - width), r.top, r.right, r.bottom}, nullptr, exclude);
    if (borders.Contains(bTop))
        FillRectWithTile(TRect{r.left, r.top, r.right, std::min(r.top + width, r.bottom)}, nullptr, exclude);
    if (borders.Contains(bBottom))
        FillRectWithTile(TRect{r.left, std::max(r.top, r.bottom - width), r.right, r.bottom}, nullptr, exclude);
}

void TcxCanvas::FillFramedRect(const TRect& r, const TcxViewParams& background, TcxBorders borders, TColor frameColor,
                               int frameWidth, bool exclude) {
    FrameRectBorders(r, frameColor, frameWidth, borders, exclude);
    TRect inner = r;
    if (borders.Contains(bLeft)) inner.left += frameWidth;
    if (borders.Contains(bRight)) inner.right -= frameWidth;
    if (borders.Contains(bTop)) inner.top += frameWidth;
    if (borders.Contains(bBottom)) inner.bottom -= frameWidth;
    if (background.color != clDefault) SetBrushColor(background.color);
    FillRectWithTile(inner, background.bitmap, exclude);
}

void TcxCanvas::DrawTwoToneBorders(const TRect& r, TColor leftTopColor, TColor rightBottomColor, TcxBorders borders,
                                   int width) {
    auto band = [&](const TRect& b, TColor color) {
        if (color == clNone) return;
        if (color != clDefault) SetBrushColor(color);
        FillRectWithTile(b, nullptr, false);
    };
    if (borders.Contains(bLeft)) band(TRect{r.left, r.top, r.left + width, r.bottom}, leftTopColor);
    if (borders.Contains(bTop)) band(TRect{r.left, r.top, r.right, r.top + width}, leftTopColor);
    if (borders.Contains(bRight)) band(TRect{r.right - width, r.top, r.right, r.bottom}, rightBottomColor);
    if (borders.Contains(bBottom)) band(TRect{r.left, r.bottom - width, r.right, r.bottom}, rightBottomColor);
}

void TcxCanvas::DrawBevelBorders(const TRect& r, bool sunken, bool outer, TcxBorders borders) {
    TColor leftTop, rightBottom;
    if (sunken) {
        leftTop = outer ? clBtnShadow : cl3DDkShadow;
        rightBottom = outer ? clBtnHighlight : cl3DLight;
    } else {
        leftTop = outer ? cl3DLight : clBtnHighlight;
        rightBottom = outer ? cl3DDkShadow : clBtnShadow;
    }
    DrawTwoToneBorders(r, leftTop, rightBottom, borders, 1);
}

void TcxCanvas::DrawFocusFrame(const TRect& r) {
    SetBrushColor(clWhite);
    canvas_->Font()->SetColor(clBlack);
    canvas_->DrawFocusRect(r);
}

void TcxCanvas::DrawThickFocusRect(const TRect& r, int n) {
    TRect frame = r;
    for (int i = 0; i < n; ++i) {
        DrawFocusFrame(frame);
        InflateRect(&frame, -1, -1);
    }
}

void TcxCanvas::InvertRectArea(const TRect& r) {
    canvas_->SetCopyMode(cmDstInvert);
    canvas_->CopyRect(r, canvas_, r);
    canvas_->SetCopyMode(cmSrcCopy);
}

void TcxCanvas::CopyRectFromCanvas(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    canvas_->CopyRect(dest, source, sourceRect);
}

void TcxCanvas::DrawPolygon(const TPoint* points, int count) {
    if (count > 0) canvas_->Polygon(std::span<const TPoint>(points, size_t(count)));
}

void TcxCanvas::DrawPolyline(const TPoint* points, int count) {
    if (count > 0) canvas_->Polyline(std::span<const TPoint>(points, size_t(count)));
}

// ---- canvas: text --------------------------------------------------------------------------

TSize TcxCanvas::MeasureText(const String& text) {
    RequireTools(true, false);
    TSize size{0, 0};
    if (!text.empty()) GetTextExtentPoint32W(GetCanvasHandle(), text.c_str(), int(text.size()), &size);
    return size;
}

void TcxCanvas::CalcTextRect(const String& text, TRect& r, Word flags) {
    int width = RectWidth(r), height = RectHeight(r);
    UINT format = ConvertTextFlags(flags);
    if (width <= 0 && !text.empty()) r.right = r.left + 1;
    RequireTools(true, false);
    if (DrawTextW(GetCanvasHandle(), text.c_str(), int(text.size()), &r, (format & ~DT_VCENTER) | DT_CALCRECT) == 0) {
        r.right = r.left;
        r.bottom = r.top;
    }
    if (format & DT_CENTER)
        OffsetRect(&r, (width - RectWidth(r)) / 2, 0);
    else if (format & DT_RIGHT)
        OffsetRect(&r, width - RectWidth(r), 0);
    if (format & DT_VCENTER)
        OffsetRect(&r, 0, (height - RectHeight(r)) / 2);
    else if (format & DT_BOTTOM)
        OffsetRect(&r, 0, height - RectHeight(r));
}

void TcxCanvas::PlaceTextVertically(TRect& r, const String& text, TcxVerticalTextPlacement mode, bool wordBreak,
                                    bool showPrefix, bool enabled, bool dontBreakChars) {
    if (mode == vtpNone) return;
    int e = enabled ? 0 : 1;
    Word flags = cxAlignLeft | cxAlignTop;
    if (wordBreak) flags |= cxWordBreak;
    if (showPrefix) flags |= cxShowPrefix;
    if (dontBreakChars) flags |= cxDontBreakChars;
    TRect calc{0, 0, RectWidth(r) - e, 0};
    CalcTextRect(text, calc, flags);
    int height = RectHeight(calc);
    if (mode == vtpBottom)
        r.top = r.bottom - (height + e);
    else
        r.top = (r.top + r.bottom - height) / 2;
}

void TcxCanvas::DrawTextInRect(const String& text, const TRect& rect, Word flags, bool enabled) {
    if (text.empty()) return;
    TRect r = rect;
    bool useDrawText = !(flags & cxSingleLine) || (flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
    TSize size = MeasureText(text);
    if (size.cx <= RectWidth(r) && size.cy <= RectHeight(r)) flags |= cxDontClip;
    int e = enabled ? 0 : 1;
    UINT format = 0, options = 0;
    if (useDrawText) {
        if (!(flags & cxSingleLine) && (flags & (cxAlignBottom | cxAlignVCenter)))
            PlaceTextVertically(r, text, (flags & cxAlignBottom) ? vtpBottom : vtpCenter, (flags & cxWordBreak) != 0,
                                (flags & cxShowPrefix) != 0, enabled, (flags & cxDontBreakChars) != 0);
        format = ConvertTextFlags(flags);
    } else {
        if (size.cx < RectWidth(r)) {
            if (flags & cxAlignRight)
                r.left = r.right - size.cx - e;
            else if (flags & cxAlignHCenter)
                r.left = (r.left + r.right - size.cx) / 2;
        }
        if (size.cy < RectHeight(r)) {
            if (flags & cxAlignBottom)
                r.top = r.bottom - size.cy - e;
            else if (flags & cxAlignVCenter)
                r.top = (r.top + r.bottom - size.cy) / 2;
        }
        options = (flags & cxDontClip) ? 0 : ETO_CLIPPED;
    }
    auto output = [&](TRect at) {
        RequireTools(true, true);
        HDC dc = GetCanvasHandle();
        if (useDrawText)
            DrawTextW(dc, text.c_str(), int(text.size()), &at, format);
        else
            ExtTextOutW(dc, at.left, at.top, options, &at, text.c_str(), UINT(text.size()), nullptr);
    };
    TBrush* brush = canvas_->Brush();
    TFont* font = canvas_->Font();
    TBrushStyle oldBrushStyle = brush->Style();
    TColor oldFontColor = font->Color();
    if (!enabled) {
        brush->SetStyle(bsClear);
        font->SetColor(clBtnHighlight);
        TRect shifted = r;
        OffsetRect(&shifted, 1, 1);
        output(shifted);
        font->SetColor(clBtnShadow);
    }
    output(r);
    if (brush->Style() != oldBrushStyle) brush->SetStyle(oldBrushStyle);
    font->SetColor(oldFontColor);
}
