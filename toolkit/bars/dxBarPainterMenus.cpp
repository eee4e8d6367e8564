// The base painter: the metrics and plain parts of menus.

#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarPainter.h"

bool TdxBarPainter::GetMenuItemBrush(int paintKind, HBRUSH& brush) const {
    if (!UsesMenuBrush()) return false;
    brush = GetMenuBrush(paintKind);
    return true;
}

void TdxBarPainter::GetMenuContentMargins(W*, TRect& rect) const {
    int indent = GetMenuContentIndent();
    rect = Rect(indent, indent, indent, indent);
}

int TdxBarPainter::GetMenuGlyphIndent(C* control) const {
    IdxBarPaintedWindow* window = PaintedControlOf(control)->PaintedWindow();
    return window->BarControlKind() == 2 ? window->TextSize() + 1 : 0;
}

int TdxBarPainter::GetMenuTextOffset(W* menu) const {
    int value = menu->IconAreaWidth();
    AdjustMenuItemSize(value);
    return value;
}

int TdxBarPainter::GetMenuTextIndent(P* params) const {
    return GetIconAreaWidth(PaintedControlOf(params->GetItemControl())->PaintedWindow()) + 3;
}

void TdxBarPainter::CalcMenuGlyphRect(const TRect& itemRect, int iconAreaWidth, TRect& rect) const {
    rect = itemRect;
    rect.right = rect.left + iconAreaWidth;
}

void TdxBarPainter::CalcMenuTextRect(P* params, const TRect& itemRect, TRect& rect) const {
    rect = itemRect;
    rect.left += GetMenuTextIndent(params);
}

// The menus' group strips come with the menu windows; until then the strip is empty.
void TdxBarPainter::CalcBeginGroupRect(W*, C*, const TRect& itemRect, TRect& rect) const {
    rect = Rect(itemRect.left, itemRect.top, itemRect.right, itemRect.top);
}

int TdxBarPainter::GetDetachCaptionHeight(W* menu) const {
    int size = menu->TextSize() / 2;
    if (size % 2 == 0) ++size;
    return size + 3;
}

void TdxBarPainter::InsetDetachCaption(W*, TRect& rect) const { InflateRect(&rect, -3, -3); }

void TdxBarPainter::DrawDetachCaption(W*, HDC dc, const TRect& rect, int state) const {
    FillRect(dc, &rect, HBRUSH(INT_PTR((state == 1 ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION) + 1)));
}

void TdxBarPainter::FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const {
    TBitmap* picture = menu->BackgroundBitmap();
    HDC dc = canvas->GetCanvasHandle();
    if (picture)
        TileBitmapInRect(dc, rect, rect, picture);
    else
        FillRectWithBackground(dc, rect, brush, color);
}

void TdxBarPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
    RECT r = rect;
    DrawEdge(canvas->GetCanvasHandle(), &r, EDGE_ETCHED, BF_TOP);
}

void TdxBarPainter::GetScrollButtonRect(W* menu, bool bottom, TRect& rect) const {
    rect = menu->ClientRect();
    TRect margins;
    GetMenuContentMargins(menu, margins);
    rect.left += margins.left;
    rect.top += margins.top;
    rect.right -= margins.right;
    rect.bottom -= margins.bottom;
    int height = GetScrollButtonHeight(menu);
    if (bottom)
        rect.top = rect.bottom - height;
    else
        rect.bottom = rect.top + height;
}

void TdxBarPainter::CalcScrollArrowSize(int height, int& size, int& remainder) const {
    size = height / 3 - 1;
    remainder = height % 3;
}

void TdxBarPainter::FillScrollButton(TcxCanvas* canvas, const TRect& rect, TColor color) const {
    FillRectWithBackground(canvas->GetCanvasHandle(), rect, nullptr, color);
}

// The expand button's metrics come with the menu windows.
void TdxBarPainter::CalcExpandButtonMetrics(TcxCanvas*, int textSize, int& arrowWidth, int& height) const {
    arrowWidth = CalcMenuArrowWidth(textSize);
    height = textSize;
}

void TdxBarPainter::DrawAppMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, const TRect& excludedRect) const {
    canvas->ExcludeRectFromClip(excludedRect);
    FillMenuBk(menu, canvas, rect, menu->DownedBrush(), clNone);
}
