// The Office-style look.

#include "dxBarOffice11Painter.h"

#include "Bitmap.h"
#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarDockControl.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarOffice11Colors.h"
#include "dxOffice11.h"

namespace {

const TdxBarOffice11Colors& O11() { return BarOffice11Colors(); }

HDC O11ParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

IdxBarPaintedWindow* O11WindowOf(TdxBarItemControl* control) { return PaintedControlOf(control)->PaintedWindow(); }

bool O11VerticalDock(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }

HBRUSH SolidOf(TColor color) { return CreateSolidBrush(COLORREF(ColorToRGB(color))); }

TColor Half(TColor a, TColor b) { return MixColorsByPercent(a, b, 50); }

void O11Pixel(HDC dc, int x, int y, TColor color) { SetPixelV(dc, x, y, COLORREF(ColorToRGB(color))); }

void O11Fill(HDC dc, const TRect& rect, TColor color) {
    if (!IsRectEmpty(&rect)) FillRectSolid(dc, rect, color);
}

// The dock's two colours: a left dock shows only the first, a right dock only the second.
void DockColors(TdxBarDockingStyle style, TColor& c1, TColor& c2) {
    c1 = O11().DockColor1;
    c2 = O11().DockColor2;
    if (style == dsLeft) c2 = c1;
    if (style == dsRight) c1 = c2;
}

bool IsPlainBar(IdxBarPaintedWindow* window) {
    IdxBarPaintedBar* bar = window->Bar();
    return window->IsMainMenu() || (bar && !bar->HasSingleBorder());
}

}  // namespace

TdxBarOffice11Painter::TdxBarOffice11Painter(TcxLookAndFeelPainterClass data) : TdxBarFlatPainter(data) {
    const TdxBarOffice11Colors& c = O11();
    ownerBrush_ = SolidOf(c.OwnerColor);
    menuBrush_ = SolidOf(c.MenuColor);
    checkedBrush_ = SolidOf(c.CheckedColor);
    checkedHotBrush_ = SolidOf(c.CheckedHotColor);
    hotBrush_ = SolidOf(c.HotColor);
    borderBrush_ = SolidOf(c.BorderColor);
    shadowBrush_ = SolidOf(c.ShadowColor);
}

TdxBarOffice11Painter::~TdxBarOffice11Painter() {
    for (HBRUSH brush : {ownerBrush_, menuBrush_, checkedBrush_, checkedHotBrush_, hotBrush_, borderBrush_, shadowBrush_})
        DeleteObject(brush);
}

void TdxBarOffice11Painter::DrawGripDots(W*, HDC dc, const TRect& rect, bool column) const {
    Office11DrawGripDots(dc, rect, column);
}

void TdxBarOffice11Painter::FillDockBkCache(TBitmap* cache, TdxBarDockingStyle style, const TRect& dockRect) {
    if (!cache->Empty()) return;
    cache->SetSize(RectWidth(dockRect), RectHeight(dockRect));
    TColor c1, c2;
    DockColors(style, c1, c2);
    FillRectWithGradient(cache->Canvas()->Handle(), Rect(0, 0, RectWidth(dockRect), RectHeight(dockRect)), c1, c2,
                         true);
}

// ---- glyphs, buttons and texts ------------------------------------------------------------------

void TdxBarOffice11Painter::DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area,
                                           int paintKind, bool noGlyph, bool selected, bool down, bool pressed,
                                           bool droppedDown, bool) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    const TdxBarOffice11Colors& c = O11();
    if ((paintKind == 1 && selected && noGlyph && !down) || painted->IsSelfSelected()) {
        FillRect(dc, &area, brush);
        return;
    }
    const bool across = O11VerticalDock(window->DockingStyle());
    IdxBarPaintedWindow* dropDown = painted->DropDownWindow();
    if (droppedDown && !down && dropDown && !window->IsQuickCustMenu()) {
        FillRectWithGradient(dc, area, c.LinkColor1, c.LinkColor2, across);
    } else if (paintKind != 1 && (down || selected || pressed)) {
        const bool pressedOrDown = pressed || down;
        if (window->IsInternalMenu())
            O11Fill(dc, area, pressedOrDown ? c.OwnerColor : c.HotGradientColor1);
        else if (!pressedOrDown)
            FillRectWithGradient(dc, area, c.HotGradientColor1, c.HotGradientColor2, across);
        else if (selected)
            FillRectWithGradient(dc, area, c.PressedGradientColor2, c.PressedGradientColor1, across);
        else if (c.PressedGradientColor1 == c.PressedGradientColor2)
            O11Fill(dc, area, c.CheckedColor);
        else
            FillRectWithGradient(dc, area, c.PressedGradientColor1, c.PressedGradientColor2, across);
    } else {
        DrawItemBk(control, dc, area, brush, down || selected || pressed);
    }
    if (droppedDown)
        DrawDroppedOwnerFrame(window, dc, area, control, dropDown);
    else if ((selected && paintKind != 1) || down)
        DrawFlatSelectionFrame(dc, area);
    else if (hasRoom)
        DrawItemFrame(control, dc, area, brush, down || selected || pressed);
}

void TdxBarOffice11Painter::DrawFlatSelectionFrame(HDC dc, const TRect& rect) const { Office11FrameRect(dc, rect); }

TColor TdxBarOffice11Painter::GetItemTextColor(C*, bool selected, bool flat) const {
    if (selected && !flat) return IsButtonFaceWhite() ? clWhite : O11().HotTextColor;
    return O11().TextColor;
}

void TdxBarOffice11Painter::GetDisabledItemTextColors(C*, bool, bool, TColor& highlight, TColor& main) const {
    highlight = main = O11().DisabledTextColor;
}

TColor TdxBarOffice11Painter::GetBarCaptionBackColor(W*, bool) const { return O11().CaptionBackColor; }
TColor TdxBarOffice11Painter::GetBarCaptionTextColor(W*) const { return O11().CaptionTextColor; }

TColor TdxBarOffice11Painter::GetMarkArrowColor(W*, int state) const {
    return state == 1 ? O11().CaptionHotTextColor : state == 2 ? O11().CaptionPressedTextColor : O11().CaptionTextColor;
}

void TdxBarOffice11Painter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const {
    const TdxBarOffice11Colors& c = O11();
    int s = state >= 0 && state < 3 ? state : 0;
    const bool vertical = O11VerticalDock(window->DockingStyle());
    if (IsPlainBar(window)) {
        FillRectWithMidpointGradient(dc, rect, c.MarkColors1[s], c.MarkColors2[s], vertical);
        return;
    }
    TRect client = window->ClientRect();
    const int w = RectWidth(client), h = RectHeight(client);
    TRect area = rect;
    if (!vertical) {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.left + 2, rect.bottom), window->BkBrush(), clNone, true);
        area = Rect(rect.left + 2, rect.top - 2, rect.right, rect.bottom + 2);
        TColor t = GradientColorAt(Rect(0, 1, w, h - 1), rect.top + 2, c.ToolbarColor1, c.ToolbarColor2, false);
        FillRectWithMidpointGradient(dc, area, c.MarkColors1[s], c.MarkColors2[s], false);
        O11Pixel(dc, rect.left + 1, rect.top, Half(c.MarkCornerColors[s], t));
    } else {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.right, rect.top + 2), window->BkBrush(), clNone, true);
        area = Rect(rect.left - 2, rect.top + 2, rect.right + 2, rect.bottom);
        TColor t = GradientColorAt(Rect(1, 0, w - 1, h), rect.left + 2, c.ToolbarColor1, c.ToolbarColor2, true);
        FillRectWithMidpointGradient(dc, area, c.MarkColors1[s], c.MarkColors2[s], true);
        O11Pixel(dc, rect.left, rect.top + 1, Half(c.MarkCornerColors[s], t));
    }
}

void TdxBarOffice11Painter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* menu = painted->PaintedWindow();
    HDC dc = O11ParamsDC(params);
    const bool hot = params->drawSelected;
    TRect g;
    CalcMenuGlyphRect(rect, menu->IconAreaWidth(), g);
    if (hot) {
        DrawFlatSelectionFrame(dc, rect);
    } else {
        TRect inner = rect;
        InflateRect(&inner, -1, -1);
        HRGN saved = SaveDCClipRegion(dc);
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        DrawItemBk(control, dc, rect, menu->BkBrush(), false);
        RestoreDCClipRegion(dc, saved);
    }
    // The band and body that the menu's background drew show through unless the item is hot.
    TRect r = rect;
    InflateRect(&r, -1, -1);
    HBRUSH fill = hot ? GetSelBrush() : menu->BkBrush();
    DrawItemBk(control, dc, Rect(g.right, g.top, g.right + 2, g.bottom), fill, hot);
    if (r.top < g.top) DrawItemBk(control, dc, Rect(r.left, r.top, g.right + 2, g.top), fill, hot);
    if (g.bottom < r.bottom) DrawItemBk(control, dc, Rect(r.left, g.bottom, g.right + 2, r.bottom), fill, hot);
    DrawItemBk(control, dc, Rect(g.right + 2, r.top, r.right, r.bottom), fill, hot);
}

void TdxBarOffice11Painter::DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool enabled, bool selected,
                                                bool pressed) const {
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    if (selected) {
        DrawFlatSelectionFrame(dc, rect);
        FillRect(dc, &inside, pressed ? GetDownedSelBrush() : GetSelBrush());
    } else if (enabled) {
        FrameRectWithBrush(dc, rect, O11WindowOf(control)->BkBrush());
        O11Fill(dc, inside, O11().OwnerColor);
    } else {
        FrameRectSolid(dc, rect, O11().DisabledTextColor);
        O11Fill(dc, inside, clBtnFace);
    }
}

// ---- bars and docks -------------------------------------------------------------------------------

void TdxBarOffice11Painter::DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect,
                                       const TRect&, HBRUSH, TColor) const {
    TColor c1, c2;
    DockColors(dock ? dock->DockingStyle() : dsTop, c1, c2);
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    FillRectWithGradient(dc, rect, c1, c2, true);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarOffice11Painter::FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect,
                                            HBRUSH brush, TColor color) const {
    if (IsPlainBar(window)) {
        TdxBarFlatPainter::FillDockedBarBk(window, dc, paintRect, rect, brush, color);
        return;
    }
    const bool vertical = O11VerticalDock(window->DockingStyle());
    TRect client = window->ClientRect();
    TRect whole = Rect(0, 0, RectWidth(client), RectHeight(client));
    if (vertical)
        InflateRect(&whole, -1, 0);
    else
        InflateRect(&whole, 0, -1);
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    FillRectWithMidpointGradient(dc, whole, O11().ToolbarColor1, O11().ToolbarColor2, vertical);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarOffice11Painter::FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect,
                                           HBRUSH brush, TColor color) const {
    if (window->IsInternalMenu()) {
        TdxBarFlatPainter::FillFloatBarBk(window, dc, paintRect, rect, brush, color);
        return;
    }
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    FillRectWithGradient(dc, window->ClientRect(), O11().ToolbarColor1, O11().ToolbarColor2, false);
    RestoreDCClipRegion(dc, saved);
}

HBRUSH TdxBarOffice11Painter::GetBarControlBrush(W* window) const {
    IdxBarPaintedBar* bar = window ? window->Bar() : nullptr;
    if (window && (window->IsMainMenu() || (bar && bar->IsStatusBar()))) return HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    return TdxBarFlatPainter::GetBarControlBrush(window);
}

void TdxBarOffice11Painter::CalcDockedBarBorders(TdxBarDockingStyle dockingStyle, TRect& rect) const {
    GetDockedBarMargins(nullptr, dockingStyle, rect);
}

void TdxBarOffice11Painter::GetDockedBarMargins(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle,
                                                TRect& rect) const {
    if (bar && !bar->HasSingleBorder()) {
        TdxBarFlatPainter::GetDockedBarMargins(bar, dockingStyle, rect);
        return;
    }
    rect = O11VerticalDock(dockingStyle) ? Rect(2, 0, 2, 0) : Rect(0, 2, 0, 2);
}

void TdxBarOffice11Painter::DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush,
                                             bool horizontal) const {
    window->FillBk(dc, rect, brush, clNone, true);
    const int offset = GetSeparatorOffset();
    const TdxBarOffice11Colors& c = O11();
    if (horizontal) {
        int y = rect.top + offset;
        O11Fill(dc, Rect(rect.left + 3, y, rect.right - 4, y + 1), c.SeparatorColor1);
        O11Fill(dc, Rect(rect.left + 4, y + 1, rect.right - 3, y + 2), c.SeparatorColor2);
    } else {
        int x = rect.left + offset;
        O11Fill(dc, Rect(x, rect.top + 3, x + 1, rect.bottom - 4), c.SeparatorColor1);
        O11Fill(dc, Rect(x + 1, rect.top + 4, x + 2, rect.bottom - 3), c.SeparatorColor2);
    }
}

void TdxBarOffice11Painter::DrawCaptionButtonFace(W* window, HDC dc, const TRect& rect, int state) const {
    if (state == 0) {
        O11Fill(dc, rect, GetBarCaptionBackColor(window, window->IsMainFormActive()));
        return;
    }
    Office11FrameRect(dc, rect);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    O11Fill(dc, inside, state == 1 ? O11().HotGradientColor1 : O11().HotGradientColor2);
}

void TdxBarOffice11Painter::DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH) const {
    const TdxBarOffice11Colors& c = O11();
    const bool vertical = O11VerticalDock(window->DockingStyle());
    const int L = rect.left, T = rect.top, Rr = rect.right, B = rect.bottom;
    TRect client = window->ClientRect();
    const TRect barRect = Rect(0, 0, RectWidth(client), RectHeight(client));
    auto dock = [&](const TRect& r) {
        if (!IsRectEmpty(&r)) TdxBarPainter::FillDockedBarBk(window, dc, r, barRect, nullptr, clNone);
    };
    auto dockPixel = [&](int x, int y) { dock(Rect(x, y, x + 1, y + 1)); };
    auto toolbar = [&](const TRect& r) {
        if (!IsRectEmpty(&r)) FillDockedBarBk(window, dc, r, barRect, nullptr, clNone);
    };
    auto grip = [&] {
        if (!window->CanMove()) return;
        TRect g = rect;
        InflateRect(&g, -2, -2);
        if (vertical) {
            g.top += GetGripOffset();
            g.bottom = g.top + GetDragGripSize();
            InflateRect(&g, -3, 0);
        } else {
            g.left += GetGripOffset();
            g.right = g.left + GetDragGripSize();
            InflateRect(&g, 0, -3);
        }
        DrawGripDots(window, dc, g, !vertical);
    };
    if (window->IsMainMenu()) {
        if (vertical) {
            dock(Rect(L, T, L + 2, B));
            dock(Rect(Rr - 2, T, Rr, B));
        } else {
            dock(Rect(L, T, Rr, T + 2));
            dock(Rect(L, B - 2, Rr, B));
        }
        grip();
        return;
    }
    IdxBarPaintedBar* bar = window->Bar();
    if (bar && !bar->HasSingleBorder()) {
        grip();
        return;
    }
    TColor d1, d2;
    DockColors(window->DockingStyle(), d1, d2);
    const TRect dockClient = window->DockClientRect();
    const TPoint at = window->PositionInDock();
    auto D = [&](int x) { return GradientColorAt(dockClient, at.x + x, d1, d2, true); };
    const int W = RectWidth(client), H = RectHeight(client);
    auto Tb = [&](int y) { return GradientColorAt(Rect(0, 1, W, H - 1), y, c.ToolbarColor1, c.ToolbarColor2, false); };
    auto Tc = [&](int x) { return GradientColorAt(Rect(1, 0, W - 1, H), x, c.ToolbarColor1, c.ToolbarColor2, true); };
    const TColor K = c.ToolbarCornerColor;
    const int s = window->MarkState() >= 0 && window->MarkState() < 3 ? window->MarkState() : 0;
    const TColor C1 = c.MarkColors1[s], C2 = c.MarkColors2[s], Cc = c.MarkCornerColors[s];
    const bool mark = window->ShowsMark();
    const int M = window->MarkSize(), Mp = mark ? M : 0;
    auto markGradient = [&](const TRect& area, std::initializer_list<TRect> clips, bool leftToRight) {
        HRGN saved = SaveDCClipRegion(dc);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        for (const TRect& r : clips) {
            HRGN part = CreateRectRgnIndirect(&r);
            CombineRgn(region, region, part, RGN_OR);
            DeleteObject(part);
        }
        ExtSelectClipRgn(dc, region, RGN_AND);
        DeleteObject(region);
        FillRectWithMidpointGradient(dc, area, C1, C2, leftToRight);
        RestoreDCClipRegion(dc, saved);
    };
    const TColor shadow = c.ToolbarShadowColor;
    if (!vertical) {
        const int X0 = L + 2, Y0 = T + 1;
        dock(Rect(L, T, L + 2, B));
        dock(Rect(X0, T, Rr, T + 1));
        dockPixel(X0, B - 2);
        dockPixel(X0 + 1, B - 1);
        toolbar(Rect(X0, Y0 + 2, X0 + 1, B - 3));
        toolbar(Rect(X0 + 2, Y0, Rr - 2 - Mp, Y0 + 1));
        toolbar(Rect(X0 + 2, B - 2, Rr - 2 - Mp, B - 1));
        if (!mark) {
            toolbar(Rect(Rr - 2, Y0 + 1, Rr - 1, B - 2));
            toolbar(Rect(Rr - 1, Y0 + 2, Rr, B - 1));
        }
        O11Pixel(dc, X0, Y0 + 1, Half(D(X0), Tb(Y0 + 1)));
        O11Pixel(dc, X0 + 1, Y0, Half(D(X0), Tb(Y0 + 1)));
        O11Pixel(dc, X0, B - 3, Half(D(X0), K));
        O11Pixel(dc, X0 + 1, B - 2, Half(D(X0), K));
        O11Pixel(dc, X0 + 1, B - 3, K);
        if (!mark) {
            O11Pixel(dc, Rr - 2, Y0, Half(D(Rr), Tb(Y0 + 1)));
            O11Pixel(dc, Rr - 1, Y0 + 1, Half(D(Rr), Tb(Y0 + 1)));
            O11Pixel(dc, Rr - 2, B - 1, Half(K, D(Rr)));
            O11Pixel(dc, Rr - 1, B - 2, Half(K, D(Rr)));
            O11Pixel(dc, Rr - 2, B - 2, K);
            O11Fill(dc, Rect(X0 + 2, B - 1, Rr - 2, B), shadow);
        } else {
            O11Pixel(dc, Rr - M - 1, Y0, Cc);
            O11Pixel(dc, Rr - 2, Y0 + 1, Cc);
            O11Pixel(dc, Rr - M - 2, Y0, Half(Cc, Tb(Y0 + 1)));
            O11Pixel(dc, Rr - 2, Y0, Half(Cc, D(Rr)));
            O11Pixel(dc, Rr - 1, Y0 + 1, Half(Cc, D(Rr)));
            markGradient(Rect(Rr - M - 1, Y0, Rr, B),
                         {Rect(Rr - M, Y0, Rr - 2, Y0 + 1), Rect(Rr - 2, Y0 + 2, Rr, B - 2),
                          Rect(Rr - M - 1, B - 1, Rr - 2, B), Rect(Rr - M, B - 2, Rr - 1, B - 1)},
                         false);
            O11Pixel(dc, Rr - 1, B - 2, Half(C2, D(Rr)));
            O11Pixel(dc, Rr - 2, B - 1, Half(C2, D(Rr)));
            O11Pixel(dc, Rr - M - 2, B - 1, Half(C2, K));
            O11Pixel(dc, Rr - M - 1, B - 2, Half(C2, K));
            O11Pixel(dc, Rr - M - 2, B - 2, K);
            O11Fill(dc, Rect(X0 + 2, B - 1, Rr - M - 2, B), shadow);
        }
        for (POINT p : {POINT{X0, Y0}, POINT{Rr - 1, Y0}, POINT{X0, B - 1}, POINT{Rr - 1, B - 1}}) dockPixel(p.x, p.y);
    } else {
        const int X0 = L + 1, Y0 = T + 2;
        dock(Rect(L, T, Rr, T + 2));
        dock(Rect(L, T + 2, L + 1, B));
        toolbar(Rect(X0, Y0 + 2, X0 + 1, B - 2 - Mp));
        toolbar(Rect(Rr - 2, Y0 + 2, Rr - 1, B - 2 - Mp));
        toolbar(Rect(X0 + 2, Y0, Rr - 2, Y0 + 1));
        if (!mark) {
            toolbar(Rect(X0 + 2, B - 1, Rr - 1, B));
            toolbar(Rect(X0 + 1, B - 2, Rr - 2, B - 1));
        }
        O11Pixel(dc, X0, Y0 + 1, Half(D(X0), Tc(X0)));
        O11Pixel(dc, X0 + 1, Y0, Half(D(X0), Tc(X0)));
        O11Pixel(dc, Rr - 2, Y0, Half(D(X0), K));
        O11Pixel(dc, Rr - 1, Y0 + 1, Half(D(X0), K));
        O11Pixel(dc, Rr - 2, Y0 + 1, K);
        if (!mark) {
            O11Pixel(dc, X0, B - 2, Half(D(X0), Tc(X0 + 1)));
            O11Pixel(dc, X0 + 1, B - 1, Half(D(X0), Tc(X0 + 1)));
            O11Pixel(dc, Rr - 2, B - 1, Half(K, D(Rr)));
            O11Pixel(dc, Rr - 1, B - 2, Half(K, D(Rr)));
            O11Pixel(dc, Rr - 2, B - 2, K);
            O11Fill(dc, Rect(Rr - 1, Y0 + 2, Rr, B - 2), shadow);
        } else {
            O11Pixel(dc, X0, B - M - 2, Half(Cc, Tc(X0 + 1)));
            O11Pixel(dc, X0, B - M - 1, Cc);
            O11Pixel(dc, X0 + 1, B - 2, Cc);
            O11Pixel(dc, X0, B - 2, Half(Cc, D(X0)));
            O11Pixel(dc, X0 + 1, B - 1, Half(Cc, D(X0)));
            markGradient(Rect(X0, B - M - 1, Rr, B),
                         {Rect(X0, B - M, X0 + 1, B - 2), Rect(X0 + 2, B - 2, Rr - 2, B),
                          Rect(Rr - 2, B - M, Rr - 1, B - 1), Rect(Rr - 1, B - M - 1, Rr, B - 2)},
                         true);
            O11Pixel(dc, Rr - 1, B - 2, Half(C2, D(Rr)));
            O11Pixel(dc, Rr - 2, B - 1, Half(C2, D(Rr)));
            O11Pixel(dc, Rr - 2, B - M - 1, Half(C2, K));
            O11Pixel(dc, Rr - 1, B - M - 2, Half(C2, K));
            O11Pixel(dc, Rr - 2, B - M - 2, K);
            O11Fill(dc, Rect(Rr - 1, Y0 + 2, Rr, B - M - 2), shadow);
        }
        for (POINT p : {POINT{X0, Y0}, POINT{Rr - 1, Y0}, POINT{X0, B - 1}, POINT{Rr - 1, B - 1}}) dockPixel(p.x, p.y);
    }
    grip();
}

void TdxBarOffice11Painter::DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect&,
                                            HBRUSH brush) const {
    TRect r = windowRect;
    if (window->IsInternalMenu()) {
        FrameRect(dc, &r, borderBrush_);
        for (int ring = 1; ring < GetFloatBorderWidth(); ++ring) {
            InflateRect(&r, -1, -1);
            FrameRectWithBrush(dc, r, brush);
        }
        return;
    }
    const TdxBarOffice11Colors& c = O11();
    FrameRectSolid(dc, r, c.FloatBorderColor);
    InflateRect(&r, -1, -1);
    FrameRectSolid(dc, r, c.FloatBorderColor);
    InflateRect(&r, -1, -1);
    FrameRectSolid(dc, r, c.FloatInnerColor);
    for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                    POINT{r.right - 1, r.bottom - 1}})
        O11Pixel(dc, p.x, p.y, c.FloatBorderColor);
}

// ---- edits and combos -----------------------------------------------------------------------------

HBRUSH TdxBarOffice11Painter::GetItemBrush(P* params) const {
    if (!params->enabled) return HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    if (!params->drawSelected) return O11WindowOf(params->GetItemControl())->BkBrush();
    return params->droppedDown ? GetDownedSelBrush() : GetSelBrush();
}

TColor TdxBarOffice11Painter::GetEditButtonArrowColor(P* params) const {
    if (!params->enabled) return O11().DisabledTextColor;
    if (params->drawSelected) {
        if (IsButtonFaceWhite()) return clWhite;
        if (params->droppedDown && !IsOffice11XPScheme()) return clHighlightText;
    }
    return O11().TextColor;
}

HBRUSH TdxBarOffice11Painter::GetEditButtonBrush(P* params) const {
    if (params->drawSelected) return GetSelBrush();
    if (params->droppedDown) return GetDownedSelBrush();
    return GetItemBrush(params);
}

void TdxBarOffice11Painter::DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const {
    C* control = params->GetItemControl();
    HDC dc = O11ParamsDC(params);
    const TdxBarOffice11Colors& c = O11();
    if (params->drawSelected) {
        TRect frame = rect;
        InflateRect(&frame, 1, 1);
        Office11FrameRect(dc, frame);
        if (params->droppedDown)
            FillRectWithGradient(dc, rect, c.PressedGradientColor1, c.PressedGradientColor2, false);
        else
            FillRectWithGradient(dc, rect, c.HotGradientColor1, c.HotGradientColor2, false);
        InflateRect(&rect, -1, -1);
        return;
    }
    HBRUSH side = params->enabled ? GetEditBrush(control) : brush;
    FrameRectWithBrush(dc, rect, side);
    TRect column = Rect(rect.left - 1, rect.top, rect.left, rect.bottom);
    FillRect(dc, &column, side);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    if (params->paintKind == 1 && params->enabled)
        FillRect(dc, &inside, ownerBrush_);
    else
        DrawItemBk(control, dc, inside, brush, !params->enabled);
    if (params->droppedDown) OffsetRect(&rect, 1, 1);
}

void TdxBarOffice11Painter::DrawDropDownListBorder(HDC dc, TColor, const TRect& rect) const {
    TRect r = rect;
    FrameRect(dc, &r, borderBrush_);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, menuBrush_);
}

TColor TdxBarOffice11Painter::GetEditDisabledTextColor() const { return O11().DisabledTextColor; }

void TdxBarOffice11Painter::DrawEditBoxFrame(P* params, TRect& rect) const {
    C* control = params->GetItemControl();
    HDC dc = O11ParamsDC(params);
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    const bool onlyInMenus = edit && edit->editsOnlyInMenus;
    if (params->drawSelected)
        Office11FrameRect(dc, rect);
    else if (!params->enabled && !onlyInMenus)
        FrameRectSolid(dc, rect, O11().DisabledTextColor);
    else if (params->paintKind != 1 || onlyInMenus)
        DrawItemFrame(control, dc, rect, O11WindowOf(control)->BkBrush(), false);
    else
        FrameRect(dc, &rect, ownerBrush_);
    InflateRect(&rect, -1, -1);
}

// ---- menus ------------------------------------------------------------------------------------------

void TdxBarOffice11Painter::FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush,
                                       TColor color) const {
    if (menu->HasBackgroundImage()) {
        TdxBarFlatPainter::FillMenuBk(menu, canvas, rect, brush, color);
        return;
    }
    HDC dc = canvas->GetCanvasHandle();
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    const int band = GetMenuTextOffset(menu);
    TRect client = menu->ClientRect();
    FillRectWithMidpointGradient(dc, Rect(client.left, rect.top, client.left + band, rect.bottom),
                                 O11().MenuBandColor1, O11().MenuBandColor2, true);
    FillRectWithBackground(dc, Rect(client.left + band, rect.top, rect.right, rect.bottom), brush, color);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarOffice11Painter::DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const {
    FrameRect(dc, &rect, borderBrush_);
    TRect gap = menu->OwnerGapRect(false);
    if (!IsRectEmpty(&gap)) FillRect(dc, &gap, menuBrush_);
    if (!menu->IsDetachable()) return;
    TRect box = rect;
    InflateRect(&box, -1, -1);
    box.bottom = box.top + GetDetachCaptionHeight(menu) + 4;
    FrameRect(dc, &box, menuBrush_);
    DrawDetachCaption(menu, dc, menu->DetachCaptionRect(), menu->DetachCaptionState());
}

// ---- the flat look's own operations -----------------------------------------------------------------

void TdxBarOffice11Painter::DrawFlatButtonFrame(C* control, HDC dc, const TRect& rect, HBRUSH brush, int paintKind,
                                                bool hot, bool down) const {
    if (!hot && paintKind != 1 && !down)
        DrawItemFrame(control, dc, rect, brush, false);
    else if (hot || paintKind != 1)
        Office11FrameRect(dc, rect);
    else
        FrameRectSolid(dc, rect, O11().SeparatorColor1);
}

HBRUSH TdxBarOffice11Painter::GetFlatItemBrush(C* control, int) const { return O11WindowOf(control)->BkBrush(); }

void TdxBarOffice11Painter::DrawOwnerFrame(W*, HDC dc, const TRect& rect) const { FrameRect(dc, &rect, borderBrush_); }

void TdxBarOffice11Painter::DrawOwnerLinkGap(W* window, HDC dc, const TRect& ownerRect, const TRect& linkRect,
                                             C* owner) const {
    if (!owner || !PaintedControlOf(owner)->DropDownWindow()) {
        TdxBarFlatPainter::DrawOwnerLinkGap(window, dc, ownerRect, linkRect, owner);
        return;
    }
    // The strip continues the owner's gradient: its second colour past the middle.
    bool tall = RectHeight(linkRect) > RectWidth(linkRect);
    bool beyondMiddle = tall ? (ownerRect.left + ownerRect.right) / 2 < linkRect.left
                    : (ownerRect.top + ownerRect.bottom) / 2 < linkRect.top;
    O11Fill(dc, linkRect, beyondMiddle ? O11().LinkColor2 : O11().LinkColor1);
}

TColor TdxBarOffice11Painter::GetFlatShadowColor(TcxCanvas*, const TRect&) const { return O11().SeparatorColor1; }
