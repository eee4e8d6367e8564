// The base painter: menus: their metrics, borders, items, separators, scroll and expand buttons.

#include <memory>

#include "Bitmap.h"
#include "Colors.h"
#include "StringList.h"
#include "SysUtils.h"
#include "cxGraphics.h"
#include "cxTextMeasuring.h"
#include "dxBarCanvas.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarPainter.h"
#include "dxOffice11.h"

namespace {

// A system colour's own brush: FrameRect, unlike FillRect, takes no colour index.
HBRUSH SysBrush(int index) { return GetSysColorBrush(index); }

HDC MenuParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

// The item starts a run of non-recent items: its top pixel row belongs to the band's edge.
bool StartsNonRecentRun(IdxBarPaintedControl* control) {
    return control->StartsRecentChange() && control->IsNonRecent();
}

// A filled triangle as a region of whole pixel rows (or columns): from its base, between
// base.first and base.second, each step towards the apex is one pixel narrower at both ends.
// Built from rectangles, so that no rasterizer rounding can leave a pixel half in.
HRGN ArrowRegion(const TcxArrowPoints& p, TcxArrowDirection direction) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool vertical = direction == adUp || direction == adDown;
    // The base is the side the two corners share; the apex the third corner.
    int apexIndex = 0;
    for (int i = 0; i < 3; ++i) {
        const TPoint& a = p[(i + 1) % 3];
        const TPoint& b = p[(i + 2) % 3];
        if ((vertical && a.y == b.y) || (!vertical && a.x == b.x)) apexIndex = i;
    }
    const TPoint& apex = p[apexIndex];
    const TPoint& b1 = p[(apexIndex + 1) % 3];
    const TPoint& b2 = p[(apexIndex + 2) % 3];
    int from = vertical ? std::min(b1.x, b2.x) : std::min(b1.y, b2.y);
    int to = vertical ? std::max(b1.x, b2.x) : std::max(b1.y, b2.y);
    int base = vertical ? b1.y : b1.x;
    int tip = vertical ? apex.y : apex.x;
    int step = tip >= base ? 1 : -1;
    for (int line = base, inset = 0; from + inset <= to - inset; line += step, ++inset) {
        HRGN part = vertical ? CreateRectRgn(from + inset, line, to - inset + 1, line + 1)
                             : CreateRectRgn(line, from + inset, line + 1, to - inset + 1);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
        if (line == tip) break;
    }
    return region;
}

}  // namespace

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
    int value = menu->SideBarWidth() + menu->IconAreaWidth();
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

void TdxBarPainter::CalcBeginGroupRect(W* menu, C* control, const TRect& itemRect, TRect& rect) const {
    rect = itemRect;
    rect.bottom = itemRect.top;
    if (StartsNonRecentRun(PaintedControlOf(control))) --rect.bottom;
    rect.top = rect.bottom - menu->BeginGroupSize();
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

// The chevrons are centred by the arrow indent: an even indent keeps them on whole pixels.
void TdxBarPainter::CalcExpandButtonMetrics(TcxCanvas* canvas, int textSize, int& arrowWidth, int& height) const {
    arrowWidth = CalcMenuArrowWidth(textSize);
    height = canvas->HeightOfText(L"0") + 1;
    int indent = CalcMenuArrowIndent(height);
    if (indent % 2 != 0) height = 2 * indent + 4;
}

void TdxBarPainter::DrawAppMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, const TRect& excludedRect) const {
    canvas->ExcludeRectFromClip(excludedRect);
    FillMenuBk(menu, canvas, rect, menu->DownedBrush(), clNone);
}

// ---- borders -----------------------------------------------------------------------------

void TdxBarPainter::DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const {
    TRect column = Rect(rect.left, rect.top, rect.left + 1, rect.bottom - 1);
    TRect row = Rect(rect.left + 1, rect.top, rect.right - 1, rect.top + 1);
    FillRect(dc, &column, SysBrush(COLOR_BTNFACE));
    FillRect(dc, &row, SysBrush(COLOR_BTNFACE));
    TRect r = rect;
    DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
    if (!menu->IsDetachable()) return;
    r = rect;
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
    InflateRect(&r, -1, -1);
    r.bottom = r.top + GetDetachCaptionHeight(menu) - 1;
    FrameRect(dc, &r, SysBrush(COLOR_BTNFACE));
    DrawDetachCaption(menu, dc, menu->DetachCaptionRect(), menu->DetachCaptionState());
}

void TdxBarPainter::DrawMenuInnerBorder(W* menu, HDC dc, const TRect& rect, HBRUSH brush) const {
    TRect r = rect;
    // The detach caption's frame already holds the top edge.
    if (menu->IsDetachable()) r.top -= 2;
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, brush);
}

// ---- items -------------------------------------------------------------------------------

void TdxBarPainter::DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    bool startsRun = StartsNonRecentRun(painted);
    int nonRecent = painted->IsNonRecent() && !startsRun ? 1 : 0;
    HBRUSH brush = startsRun ? menu->BkBrush() : menu->MenuBkBrush();
    int left = menu->SideBarWidth() == 0 ? nonRecent : 0;
    TRect back = Rect(rect.left - left, rect.top, rect.right + 2 * nonRecent, rect.bottom);
    DrawItemBk(control, canvas->GetCanvasHandle(), back, brush, painted->IsNonRecent() && !startsRun);
    TRect line = rect;
    InflateRect(&line, -GetMenuGroupIndent(), -4);
    DrawMenuSeparatorLine(canvas, line);
}

void TdxBarPainter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    HDC dc = MenuParamsDC(params);
    if (params->drawSelected)
        FillRect(dc, &rect, GetSelBrush());
    else
        DrawItemBk(control, dc, rect, PaintedControlOf(control)->BkBrush(), false);
}

void TdxBarPainter::DrawMenuButtonItem(BP* params, const TRect& rect) const {
    DrawMenuItemBk(params, rect);
    C* control = params->GetItemControl();
    TRect glyph;
    CalcMenuGlyphRect(rect, PaintedControlOf(control)->PaintedWindow()->IconAreaWidth(), glyph);
    // Without a glyph shown, a down item gets the check mark in the glyph column.
    bool noGlyph = !(params->viewStructure & 1);
    DrawGlyphAndText(control, MenuParamsDC(params), glyph, TRect{}, 1, noGlyph, params->drawSelected, params->down,
                     params->pressed, params->droppedDown, false, false, false);
    TRect text;
    CalcMenuTextRect(params, rect, text);
    DrawMenuItemText(params, text);
}

void TdxBarPainter::DrawMenuItemText(BP* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    TcxCanvas* canvas = params->canvas;
    if (!canvas) return;
    TRect t = rect;
    InflateRect(&t, 0, GetMenuItemExtraHeight());
    TRect caption = t;
    TFont* font = canvas->GetCanvasFont();
    TFontStyles oldStyle = font->Style();
    if (painted->ShowsDescription()) {
        if (!params->description.empty()) {
            int h = canvas->HeightOfText(L"Wg");
            int a = (RectHeight(t) - 3 * h) / 4;
            TRect description = Rect(t.left, t.bottom - 2 * a - 2 * h, t.right - window->TextSize(), t.bottom);
            caption.bottom = description.top;
            DrawWrappedItemText(params, params->description, description, 0, 2);
        }
        TFontStyles bold = oldStyle;
        bold.Include(fsBold);
        font->SetStyle(bold);
    }
    canvas->RequireTools(true, false);
    HDC dc = canvas->GetCanvasHandle();
    DrawItemText(control, dc, params->caption, caption, 0, params->enabled, params->drawSelected, false, false,
                 UsesFlatColors(), DT_SINGLELINE);
    if (painted->ShowsShortCut() && !params->shortCutText.empty()) {
        // The sub-menu arrow keeps its room at the right.
        caption.right -= window->TextSize() + 5;
        DrawItemText(control, dc, params->shortCutText, caption, 2, params->enabled, params->drawSelected, false,
                     false, UsesFlatColors(), DT_SINGLELINE);
    }
    font->SetStyle(oldStyle);
}

void TdxBarPainter::DrawWrappedItemText(BP* params, const String& text, const TRect& rect, int align,
                                        int maxLines) const {
    TcxCanvas* canvas = params->canvas;
    if (!canvas || text.empty() || maxLines < 1) return;
    TStringList lines;
    WrapTextToLines(text, canvas, rect, &lines);
    if (lines.Count() > maxLines) {
        // The last line shown holds all the rest and ends in an ellipsis where it is cut.
        String first = lines[0];
        size_t at = text.find(first);
        String rest = Trim(at == String::npos ? text.substr(first.length()) : text.substr(at + first.length()));
        while (lines.Count() > maxLines - 1 && lines.Count() > 1) lines.Delete(lines.Count() - 1);
        if (maxLines == 1) lines.Delete(0);
        lines.Add(maxLines == 1 ? text : rest);
    }
    int lineHeight = canvas->HeightOfText(L"Wg");
    canvas->RequireTools(true, false);
    HDC dc = canvas->GetCanvasHandle();
    TRect r = rect;
    for (int i = 0; i < lines.Count(); ++i) {
        DrawItemText(params->GetItemControl(), dc, lines[i], r, align, params->enabled, params->drawSelected, false,
                     true, UsesFlatColors(), DT_END_ELLIPSIS);
        r.top += lineHeight;
    }
}

// ---- scroll buttons ----------------------------------------------------------------------

void TdxBarPainter::DrawScrollArrow(W* menu, TcxCanvas* canvas, const TRect& rect, TColor color,
                                    int direction) const {
    int size = 0, remainder = 0;
    CalcScrollArrowSize(menu->TextSize(), size, remainder);
    if (size < 1) return;
    auto arrowDirection = TcxArrowDirection(direction);
    TcxArrowPoints points = TcxCustomLookAndFeelPainter::ComputeArrowTriangle(rect, size, false, arrowDirection);
    // Down and right arrows would sit half a pixel low (right) of the middle: back by one.
    bool vertical = arrowDirection == adUp || arrowDirection == adDown;
    int extent = vertical ? RectHeight(rect) : RectWidth(rect);
    if ((arrowDirection == adDown || arrowDirection == adRight) && (extent + size) % 2 != 0)
        for (TPoint& p : points) (vertical ? p.y : p.x) -= 1;
    HDC dc = canvas->GetCanvasHandle();
    HRGN arrow = ArrowRegion(points, arrowDirection);
    RECT bounds{};
    GetRgnBox(arrow, &bounds);
    HRGN saved = SaveDCClipRegion(dc);
    ExtSelectClipRgn(dc, arrow, RGN_AND);
    FillScrollButton(canvas, bounds, color);
    RestoreDCClipRegion(dc, saved);
    ExtSelectClipRgn(dc, arrow, RGN_DIFF);
    DeleteObject(arrow);
}

void TdxBarPainter::DrawScrollButton(W* menu, TcxCanvas* canvas, bool bottom) const {
    TRect r;
    GetScrollButtonRect(menu, bottom, r);
    DrawScrollArrow(menu, canvas, r, TColor(GetSysColor(COLOR_BTNTEXT)), bottom ? adDown : adUp);
    DrawScrollButtonFrame(menu, canvas, bottom);
    DrawScrollButtonLine(menu, canvas, bottom);
    DrawScrollButtonBack(menu, canvas, bottom);
}

void TdxBarPainter::DrawScrollButtonBack(W* menu, TcxCanvas* canvas, bool bottom) const {
    C* control = bottom ? menu->LastVisibleItemControl() : menu->FirstVisibleItemControl();
    if (!control) return;
    DrawItemBk(control, canvas->GetCanvasHandle(), PaintedControlOf(control)->Bounds(), menu->MenuBkBrush(), false);
}

// The edge between the recent and the non-recent band stays visible under the bottom button.
void TdxBarPainter::DrawScrollButtonLine(W* menu, TcxCanvas* canvas, bool bottom) const {
    if (!bottom) return;
    C* control = menu->LastVisibleItemControl();
    if (!control) return;
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    if (!painted->StartsRecentChange()) return;
    TRect item = painted->Bounds();
    TRect line = Rect(item.left - 1, item.top, item.right + 1, item.top + 1);
    HBRUSH brush = SysBrush(painted->IsNonRecent() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    DrawItemBk(control, canvas->GetCanvasHandle(), line, brush, false);
    canvas->ExcludeRectFromClip(line);
}

// ---- the expand button -------------------------------------------------------------------

// Drawn off-screen and copied in one go, so that hovering over it does not flicker.
void TdxBarPainter::DrawExpandButton(W* menu, const TRect& rect, bool selected) const {
    TcxCanvas* target = menu->PaintCanvas();
    if (!target || IsRectEmpty(&rect)) return;
    TBitmap picture(RectWidth(rect), RectHeight(rect), pf32bit);
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginCanvasDraw(picture.Canvas());
    canvas->SetWindowOrigin(TPoint{rect.left, rect.top});
    HDC dc = canvas->GetCanvasHandle();
    menu->FillBk(dc, rect, GetMenuBrush(1), clNone, true);
    if (selected) DrawExpandButtonSelection(menu, dc, rect);
    DrawExpandButtonContent(menu, dc, rect, selected);
    canvas->SetWindowOrigin(TPoint{0, 0});
    canvas->EndDraw();
    BitBlt(target->GetCanvasHandle(), rect.left, rect.top, RectWidth(rect), RectHeight(rect),
           picture.Canvas()->Handle(), 0, 0, SRCCOPY);
    target->ExcludeRectFromClip(rect);
}

void TdxBarPainter::DrawExpandButtonSelection(W* menu, HDC dc, const TRect& rect) const {
    TRect r = rect;
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    menu->FillBk(dc, r, menu->LightBrush(), clNone, true);
}

// A double chevron pointing down: N rows of "v" strokes, the second half N / 2 lower.
void TdxBarPainter::DrawExpandButtonContent(W* menu, HDC dc, const TRect& rect, bool selected) const {
    int colorIndex = IsButtonFaceWhite() && IsFlatStyle() && selected ? COLOR_BTNFACE : COLOR_BTNTEXT;
    int n = menu->ExpandArrowSize();
    int x = (rect.left + rect.right - n - 1) / 2;
    int y0 = rect.top + (menu->ExpandButtonHeight() - 2 * n) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = 0; i < n; ++i) {
        int y = y0 + i + (i >= n / 2 ? n / 2 : 0);
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x + n / 2, y + n / 2);
        LineTo(dc, x + n + 1, y - 1);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}
