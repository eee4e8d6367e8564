// The classic raised look and its enhanced variant.

#include "dxBarStandardPainter.h"

#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

namespace {

bool IsVerticalDockStyle(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }

bool StandardControlEnabled(TdxBarItemControl* control) { return !control || control->DrawParams()->enabled; }

HDC StandardParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

void Bevel(HDC dc, const TRect& rect, UINT edge, UINT flags = BF_RECT) {
    RECT r = rect;
    DrawEdge(dc, &r, edge, flags);
}

void SetStandardPixel(HDC dc, int x, int y, int colorIndex) { SetPixelV(dc, x, y, GetSysColor(colorIndex)); }

// Draws rows of a polyline, each one pixel lower, with a pen made for them.
void PolylineRows(HDC dc, COLORREF color, int from, int count, const POINT* (*points)(int, int, int, int, POINT*),
                  int x, int y, int s) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    POINT p[3];
    for (int i = from; i < from + count; ++i) {
        points(x, y, s, i, p);
        Polyline(dc, p, 3);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

const POINT* CheckMarkRow(int x, int y, int s, int i, POINT* p) {
    p[0] = {x + s, y + i + 2 * s};
    p[1] = {x + 3 * s, y + i + 4 * s};
    p[2] = {x + 8 * s, y + i - s};
    return p;
}

}  // namespace

void TdxBarStandardPainter::DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area,
                                           int paintKind, bool noGlyph, bool selected, bool down, bool pressed,
                                           bool droppedDown, bool split) const {
    if (down || (selected && (paintKind != 1 || !noGlyph))) {
        bool sunken = down || pressed || (droppedDown && !split);
        Bevel(dc, area, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
    } else if (hasRoom) {
        IdxBarPaintedControl* painted = PaintedControlOf(control);
        DrawItemFrame(control, dc, area, brush, down || selected || pressed || painted->IsNonRecent());
    }
}

void TdxBarStandardPainter::DrawCheckMark(C* control, HDC dc, int x, int y, int size) const {
    const int s = size;
    if (!StandardControlEnabled(control)) {
        PolylineRows(dc, GetSysColor(COLOR_BTNSHADOW), 1, 2 * s, CheckMarkRow, x, y, s);
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        HGDIOBJ old = SelectObject(dc, pen);
        for (int i = 0; i < s; ++i) {
            POINT first[2] = {{x + 3 * s + 1, y + 7 * s - i - 1}, {x + 9 * s, y + s - i}};
            POINT second[2] = {{x + 4 * s, y + 7 * s - i}, {x + 9 * s, y + 2 * s - i}};
            Polyline(dc, first, 2);
            Polyline(dc, second, 2);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
        return;
    }
    // On a black face the mark turns white and its fringe black.
    COLORREF main = IsButtonFaceBlack() ? RGB(255, 255, 255) : RGB(0, 0, 0);
    COLORREF opposite = main ^ 0xFFFFFF;
    PolylineRows(dc, RGB(192, 192, 192), 0, s, CheckMarkRow, x, y, s);
    PolylineRows(dc, main, s, 2 * s, CheckMarkRow, x, y, s);
    PolylineRows(dc, opposite, 3 * s, s, CheckMarkRow, x, y, s);
    HPEN pen = CreatePen(PS_SOLID, 1, opposite);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x + s - 1, y + 2 * s + 1, nullptr);
    LineTo(dc, x + s - 1, y + 6 * s - 1);
    MoveToEx(dc, x + 8 * s, y - s + 2, nullptr);
    LineTo(dc, x + 8 * s, y + 3 * s);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TdxBarStandardPainter::DrawMarkChevron(W* window, HDC dc, int pos, const TRect&) const {
    auto stroke = [dc](int colorIndex, std::initializer_list<POINT> points, std::initializer_list<POINT> more) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
        HGDIOBJ old = SelectObject(dc, pen);
        for (auto list : {points, more}) {
            if (list.size() == 0) continue;
            auto it = list.begin();
            MoveToEx(dc, it->x, it->y, nullptr);
            for (++it; it != list.end(); ++it) LineTo(dc, it->x, it->y);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    };
    const int x = pos;
    if (!IsVerticalDockStyle(window->DockingStyle())) {
        stroke(COLOR_BTNHIGHLIGHT, {{x - 1, 1}, {x + 2, 4}}, {{x + 3, 4}, {x - 1, 8}});
        stroke(COLOR_BTNSHADOW, {{x, 1}, {x + 2, 3}, {x + 2, 4}, {x - 1, 7}}, {});
    } else {
        int w = RectWidth(window->ClientRect());
        stroke(COLOR_BTNSHADOW, {{w - 8, x}, {w - 4, x + 4}}, {{w - 4, x + 1}, {w - 2, x - 1}});
        stroke(COLOR_BTNHIGHLIGHT, {{w - 7, x}, {w - 5, x + 2}, {w - 4, x + 2}, {w - 1, x - 1}}, {});
    }
}

void TdxBarStandardPainter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
}

void TdxBarStandardPainter::FillDisabledShadow(C* control, HDC dc, const TRect& rect) const {
    TRect light = rect;
    OffsetRect(&light, 1, 1);
    FillRect(dc, &light, HBRUSH(INT_PTR(COLOR_BTNHIGHLIGHT + 1)));
    TdxBarPainter::FillDisabledShadow(control, dc, rect);
}

void TdxBarStandardPainter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* menu = painted->PaintedWindow();
    HDC dc = StandardParamsDC(params);
    TRect g;
    CalcMenuGlyphRect(rect, menu->IconAreaWidth(), g);
    TRect t = rect;
    t.left = g.right + 1;
    auto* button = dynamic_cast<BP*>(params);
    bool hot = params->drawSelected, down = button && button->down;
    bool showsImage = (params->viewStructure & 1) != 0;
    HBRUSH columnBrush = hot && !showsImage && !down ? menu->SelBrush() : painted->BkBrush();
    bool selected = hot || painted->IsNonRecent();
    DrawItemBk(control, dc, Rect(g.right, g.top, g.right + 1, g.bottom), columnBrush, selected);
    if (t.top < g.top) DrawItemBk(control, dc, Rect(rect.left, t.top, g.right + 1, g.top), columnBrush, selected);
    if (g.bottom < t.bottom)
        DrawItemBk(control, dc, Rect(rect.left, g.bottom, g.right + 1, t.bottom), columnBrush, selected);
    DrawItemBk(control, dc, t, hot ? menu->SelBrush() : painted->BkBrush(), selected);
}

void TdxBarStandardPainter::DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool, bool selected,
                                                bool pressed) const {
    HBRUSH background = PaintedControlOf(control)->PaintedWindow()->BkBrush();
    if (selected)
        Bevel(dc, rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
    else
        FrameRectWithBrush(dc, rect, background);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, background);
}

HBRUSH TdxBarStandardPainter::GetGlyphBkBrush(C* control, int paintKind, bool noGlyph, bool selected, bool down,
                                              bool, bool, bool, bool) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    if (down && StandardControlEnabled(control)) return selected ? window->DownedSelBrush() : window->DownedBrush();
    if (!down && selected && paintKind == 1 && noGlyph) return window->SelBrush();
    return painted->BkBrush();
}

void TdxBarStandardPainter::GetBarBorderSizes(int& horizontal, int& vertical) const {
    horizontal = 0;
    vertical = 2;
}

void TdxBarStandardPainter::DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const {
    FrameRectSolid(dc, rect, GetBarCaptionBackColor(window, window->IsMainFormActive()));
    RECT inside = rect;
    InflateRect(&inside, -1, -1);
    UINT state = DFCS_CAPTIONCLOSE | (window->CloseButtonState() == 2 ? DFCS_PUSHED : 0);
    DrawFrameControl(dc, &inside, DFC_CAPTION, state);
}

void TdxBarStandardPainter::DrawGripFinger(HDC dc, const TRect& rect, bool cornerPixel, bool vertical) const {
    Bevel(dc, rect, BDR_RAISEDINNER);
    if (cornerPixel) {
        if (vertical)
            SetStandardPixel(dc, rect.right - 1, rect.top, COLOR_BTNHIGHLIGHT);
        else
            SetStandardPixel(dc, rect.left, rect.bottom - 1, COLOR_BTNHIGHLIGHT);
    }
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, HBRUSH(INT_PTR(COLOR_BTNFACE + 1)));
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void TdxBarStandardPainter::DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH) const {
    Bevel(dc, rect, BDR_RAISEDINNER);
    if (!window->CanMove()) return;
    TRect r = rect;
    InflateRect(&r, -2, -2);
    bool vertical = IsVerticalDockStyle(window->DockingStyle());
    TRect finger = r;
    if (vertical) {
        finger.top += GetGripOffset();
        finger.bottom = finger.top + GetDragGripSize();
    } else {
        finger.left += GetGripOffset();
        finger.right = finger.left + GetDragGripSize();
    }
    DrawGripFinger(dc, finger, true, vertical);
    OffsetRect(&finger, vertical ? 0 : GetDragGripSize(), vertical ? GetDragGripSize() : 0);
    DrawGripFinger(dc, finger, true, vertical);
}

void TdxBarStandardPainter::DrawFloatBorder(W*, HDC dc, const TRect& windowRect, const TRect&, HBRUSH) const {
    TRect r = windowRect;
    Bevel(dc, r, EDGE_RAISED);
    for (int ring = 0; ring < 2; ++ring) {
        InflateRect(&r, -1, -1);
        if (ring == 0) InflateRect(&r, -1, -1);  // inside the two-pixel bevel
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void TdxBarStandardPainter::DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const {
    static const UINT kinds[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
    UINT flags = kinds[button >= 0 && button < 3 ? button : 2];
    if (state == 1) flags |= DFCS_INACTIVE;
    if (state == 4) flags |= DFCS_PUSHED;
    TdxBarManager* manager = window->Manager();
    // Only the manager's own close button of the main menu is flat; an MDI child's keeps the
    // raised look of the system.
    bool ownClose = button == 2 && manager && manager->FlatCloseButton() && !window->HasMDIButtons() &&
                    window->IsMainMenu() && manager->ShowCloseButton();
    RECT r = rect;
    if (!ownClose) {
        DrawFrameControl(dc, &r, DFC_CAPTION, flags);
        return;
    }
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    DrawFrameControl(dc, &r, DFC_CAPTION, flags | DFCS_FLAT);
    RestoreDCClipRegion(dc, saved);
    Bevel(dc, rect, state == 4 ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
}

void TdxBarStandardPainter::CalcMarkRect(W* window, TRect& rect) const {
    if (window->DockingStyle() != dsNone) {
        TdxBarPainter::CalcMarkRect(window, rect);
        return;
    }
    // The mark sits at the caption's left end; the caption is given in client coordinates.
    TRect caption;
    CalcFloatCaptionRect(window->WindowBounds(), caption);
    OffsetRect(&caption, -(GetFloatBorderWidth() + GetFloatExtraSide()),
               -(GetFloatBorderHeight() + GetFloatCaptionAreaHeight() + GetFloatExtraTop()));
    rect = caption;
    rect.right = rect.left + 13;
}

void TdxBarStandardPainter::DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const {
    TdxBarPainter::DrawButtonBk(params, rect, brush);
    HDC dc = StandardParamsDC(params);
    if (params->drawSelected)
        Bevel(dc, rect, params->droppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
    else if (params->paintKind == 1)
        Bevel(dc, Rect(rect.left - 1, rect.top, rect.left + 1, rect.bottom), EDGE_ETCHED, BF_LEFT | BF_RIGHT);
}

void TdxBarStandardPainter::DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const {
    C* control = params->GetItemControl();
    HDC dc = StandardParamsDC(params);
    IdxBarPaintedWindow* window = PaintedControlOf(control)->PaintedWindow();
    HBRUSH side;
    if (params->drawSelected && params->enabled) {
        Bevel(dc, rect, params->droppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
        side = window->BkBrush();
    } else {
        side = params->enabled ? GetEditBrush(control) : window->BkBrush();
        FrameRectWithBrush(dc, rect, side);
    }
    TRect column = Rect(rect.left - 1, rect.top, rect.left, rect.bottom);
    FillRect(dc, &column, side);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, brush);
    if (params->droppedDown) OffsetRect(&rect, 1, 1);
}

void TdxBarStandardPainter::DrawDropDownListBorder(HDC dc, TColor, const TRect& rect) const {
    Bevel(dc, rect, EDGE_RAISED);
}

void TdxBarStandardPainter::GetMenuContentMargins(W* menu, TRect& rect) const {
    TdxBarPainter::GetMenuContentMargins(menu, rect);
    if (menu->IsDetachable()) rect.top = 0;  // the detach caption takes the top
}

void TdxBarStandardPainter::DrawMenuItemFrame(W* menu, C* control, HDC dc, const TRect& rect, int index) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    const bool nonRecent = painted->IsNonRecent();
    const int b = menu->SideBarWidth() == 0 ? 1 : 0;
    const TRect& r = rect;
    if (painted->StartsRecentChange()) {
        TRect line = Rect(r.left - b, r.top - 1, r.right + 1, r.top);
        FillRect(dc, &line, GetSysColorBrush(nonRecent ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
    }
    if (!nonRecent) return;
    HBRUSH background = menu->BkBrush();
    auto fill = [&](const TRect& area) {
        if (!IsRectEmpty(&area)) FillRect(dc, &area, background);
    };
    if (index == 0 && !menu->IsDetachable()) {
        fill(Rect(r.left - b, r.top - 1, r.right + 2, r.top));
        SetStandardPixel(dc, r.right + 1, r.top - 2, COLOR_BTNHIGHLIGHT);
    }
    fill(Rect(r.left - b, r.top, r.left, r.bottom));
    fill(Rect(r.right, r.top, r.right + 2, r.bottom));
    if (control && control == menu->LastVisibleItemControl()) {
        int height = RectHeight(menu->ClientRect());
        fill(Rect(r.left - b, r.bottom, r.right + 2, height));
        if (b == 1) SetStandardPixel(dc, r.left - 2, height - 1, COLOR_BTNHIGHLIGHT);
    }
}

// ---- enhanced ------------------------------------------------------------------------------

void TdxBarEnhancedPainter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int) const {
    HBRUSH brush = window->BkBrush();
    switch (window->MarkState()) {
        case 1: Bevel(dc, rect, BDR_RAISEDINNER); break;
        case 2: Bevel(dc, rect, BDR_SUNKENOUTER); break;
        default: FrameRectWithBrush(dc, rect, brush); break;
    }
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    window->FillBk(dc, inside, brush, clNone, true);
}

void TdxBarEnhancedPainter::DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH) const {
    Bevel(dc, rect, BDR_RAISEDINNER);
    if (!window->CanMove()) return;
    TRect finger = rect;
    InflateRect(&finger, -2, -2);
    bool vertical = IsVerticalDockStyle(window->DockingStyle());
    if (vertical) {
        finger.top += GetGripOffset();
        finger.bottom = finger.top + GetDragGripSize();
        InflateRect(&finger, -1, 0);
    } else {
        finger.left += GetGripOffset();
        finger.right = finger.left + GetDragGripSize();
        InflateRect(&finger, 0, -1);
    }
    DrawGripFinger(dc, finger, false, vertical);
}
