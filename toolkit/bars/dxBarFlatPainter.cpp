// The flat look.

#include "dxBarFlatPainter.h"

#include "Colors.h"
#include "StringList.h"
#include "cxGraphics.h"
#include "dxBarCombo.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

namespace {

HDC FlatParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

IdxBarPaintedWindow* FlatWindowOf(TdxBarItemControl* control) { return PaintedControlOf(control)->PaintedWindow(); }

bool FlatVerticalDock(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }

void FillSys(HDC dc, const TRect& rect, int colorIndex) {
    if (!IsRectEmpty(&rect)) FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void FillWith(HDC dc, const TRect& rect, HBRUSH brush) {
    if (!IsRectEmpty(&rect)) FillRect(dc, &rect, brush);
}

void DrawLineWithPen(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
}

}  // namespace

TdxBarFlatPainter::TdxBarFlatPainter(TcxLookAndFeelPainterClass data) : TdxBarPainter(data) {
    TColor colors[5];
    CalcBarFlatColors(colors);
    for (int i = 0; i < 5; ++i) brushes_[i] = CreateSolidBrush(COLORREF(ColorToRGB(colors[i])));
}

TdxBarFlatPainter::~TdxBarFlatPainter() {
    for (HBRUSH brush : brushes_) DeleteObject(brush);
}

// ---- the flat look's own operations -----------------------------------------------------------

void TdxBarFlatPainter::DrawFlatButtonFrame(C* control, HDC dc, const TRect& rect, HBRUSH, int paintKind, bool hot,
                                            bool down) const {
    if (!hot && paintKind != 1 && !down)
        FrameRectWithBrush(dc, rect, FlatWindowOf(control)->BkBrush());  // invisible on the bar
    else if (hot || paintKind != 1)
        DrawFlatSelectionFrame(dc, rect);
    else
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
}

HBRUSH TdxBarFlatPainter::GetFlatItemBrush(C*, int) const { return brushes_[1]; }

HBRUSH TdxBarFlatPainter::GetFlatShadowBrush(C*, int) const { return GetSysColorBrush(COLOR_BTNSHADOW); }

void TdxBarFlatPainter::DrawPressedMark(W* window, HDC dc, const TRect& rect, IdxBarPaintedWindow* popup) const {
    DrawDroppedOwnerFrame(window, dc, rect, nullptr, popup);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillWith(dc, inside, GetBarOwnerBrush(window));
}

void TdxBarFlatPainter::DrawDroppedOwnerFrame(W* window, HDC dc, const TRect& ownerRect, C* owner,
                                              IdxBarPaintedWindow* popup) const {
    TRect gap = popup ? popup->OwnerGapRect(true) : TRect{};
    HRGN saved = nullptr;
    bool excluded = false;
    if (!IsRectEmpty(&gap)) {
        // The strip is in screen coordinates: into the bar window's, or the DC's origin.
        if (HWND handle = window->WindowHandle()) {
            MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&gap), 2);
        } else {
            POINT origin{};
            GetDCOrgEx(dc, &origin);
            OffsetRect(&gap, -origin.x, -origin.y);
        }
        DrawOwnerLinkGap(window, dc, ownerRect, gap, owner);
        saved = SaveDCClipRegion(dc);
        ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
        excluded = true;
    }
    DrawOwnerFrame(window, dc, ownerRect);
    if (excluded) RestoreDCClipRegion(dc, saved);
}

void TdxBarFlatPainter::DrawOwnerFrame(W*, HDC dc, const TRect& rect) const { FrameRect(dc, &rect, brushes_[0]); }

void TdxBarFlatPainter::DrawOwnerLinkGap(W* window, HDC dc, const TRect&, const TRect& linkRect, C*) const {
    FillWith(dc, linkRect, GetBarOwnerBrush(window));
}

TColor TdxBarFlatPainter::GetFlatShadowColor(TcxCanvas*, const TRect&) const { return clBtnShadow; }

// ---- glyphs and buttons -------------------------------------------------------------------------

void TdxBarFlatPainter::DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area,
                                       int paintKind, bool, bool selected, bool down, bool pressed,
                                       bool droppedDown, bool) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    if (droppedDown)
        DrawDroppedOwnerFrame(painted->PaintedWindow(), dc, area, control, painted->DropDownWindow());
    else if (down || (selected && paintKind != 1))
        DrawFlatSelectionFrame(dc, area);
    else if (hasRoom)
        DrawItemFrame(control, dc, area, brush,
                      down || selected || pressed || painted->IsNonRecent() || painted->IsSelfSelected());
}

void TdxBarFlatPainter::DrawCheckMark(C* control, HDC dc, int x, int y, int size) const {
    const int s = size;
    bool enabled = !control || control->DrawParams()->enabled;
    COLORREF color = !enabled                                              ? GetSysColor(COLOR_BTNSHADOW)
                     : IsButtonFaceWhite() || IsBlackFaceNonWhiteText() ? RGB(255, 255, 255)
                                                                          : RGB(0, 0, 0);
    int first = enabled ? 0 : 1;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = first; i < first + 2 * s; ++i) {
        POINT p[3] = {{x + s, y + i + 2 * s}, {x + 3 * s, y + i + 4 * s}, {x + 8 * s, y + i - s}};
        Polyline(dc, p, 3);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TdxBarFlatPainter::DrawFlatSelectionFrame(HDC dc, const TRect& rect) const {
    bool highContrast = IsButtonFaceBlack() || IsBlackFaceNonWhiteText();
    FrameRect(dc, &rect, GetSysColorBrush(highContrast ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT));
}

TColor TdxBarFlatPainter::GetMarkArrowColor(W* window, int state) const {
    return state == 1 || state == 2 ? clBtnText : TdxBarPainter::GetMarkArrowColor(window, state);
}

void TdxBarFlatPainter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const {
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    switch (state) {
        case 2: DrawPressedMark(window, dc, rect, window->MarkPopup()); break;
        case 1:
            DrawFlatSelectionFrame(dc, rect);
            FillWith(dc, inside, GetSelBrush());
            break;
        default:
            FrameRectWithBrush(dc, rect, window->BkBrush());
            window->FillBk(dc, inside, window->BkBrush(), clNone, true);
    }
}

void TdxBarFlatPainter::GetFloatCaptionOffset(W* window, int& x, const TRect& captionRect) const {
    TdxBarPainter::GetFloatCaptionOffset(window, x, captionRect);
    x += 2;
}

int TdxBarFlatPainter::GetMarkElementColorIndex(W* window) const {
    return IsButtonFaceWhite() && window->MarkState() == 1 ? COLOR_BTNFACE : COLOR_BTNTEXT;
}

void TdxBarFlatPainter::DrawExpandButtonSelection(W*, HDC dc, const TRect& rect) const {
    DrawFlatSelectionFrame(dc, rect);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillWith(dc, inside, GetSelBrush());
}

void TdxBarFlatPainter::DrawSpinArrow(P* params, const TPoint& pos, int button) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    int w = spin ? spin->arrowSize.cx : 0;
    int apex = button == 3 ? -(w / 2) : w / 2;
    TColor color = !params->enabled                                       ? clBtnShadow
                   : params->hotPart == button && IsButtonFaceWhite() ? clBtnFace
                                                                        : clBtnText;
    TPoint p[3] = {pos, Point(pos.x + w - 1, pos.y), Point(pos.x + w / 2, pos.y + apex)};
    FillPolygonWithColor(FlatParamsDC(params), p, 3, color, color);
}

void TdxBarFlatPainter::CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    TdxBarPainter::CalcSpinEditLayout(params, parts, partsHigh, rect);
    if (partsHigh >= 4 && !IsRectEmpty(&parts[3])) ++parts[3].bottom;  // the buttons share their middle line
}

int TdxBarFlatPainter::GetArrowIndent(C* control) const {
    return FlatWindowOf(control)->IsMainMenu() ? 8 : TdxBarPainter::GetArrowIndent(control);
}

void TdxBarFlatPainter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* menu = painted->PaintedWindow();
    HDC dc = FlatParamsDC(params);
    const bool hot = params->drawSelected, selected = hot || painted->IsNonRecent();
    const int x = rect.left + menu->IconAreaWidth() + 1;
    TRect g;
    CalcMenuGlyphRect(rect, menu->IconAreaWidth(), g);
    if (hot) {
        DrawFlatSelectionFrame(dc, rect);
    } else {
        const TRect& r = rect;
        for (const TRect& part : {Rect(r.left, r.top, x, r.top + 1), Rect(r.left, r.bottom - 1, x, r.bottom),
                                  Rect(r.left, r.top, r.left + 1, r.bottom)})
            DrawItemBk(control, dc, part, brushes_[1], selected);
        for (const TRect& part : {Rect(x, r.top, r.right, r.top + 1), Rect(x, r.bottom - 1, r.right, r.bottom),
                                  Rect(r.right - 1, r.top, r.right, r.bottom)})
            DrawItemBk(control, dc, part, menu->BkBrush(), selected);
    }
    TRect r = rect;
    InflateRect(&r, -1, -1);
    HBRUSH column = hot ? GetSelBrush() : brushes_[1];
    DrawItemBk(control, dc, Rect(g.right, g.top, g.right + 2, g.bottom), column, selected);
    if (r.top < g.top) DrawItemBk(control, dc, Rect(r.left, r.top, g.right + 2, g.top), column, selected);
    if (g.bottom < r.bottom) DrawItemBk(control, dc, Rect(r.left, g.bottom, g.right + 2, r.bottom), column, selected);
    TRect text = Rect(g.right + 2, r.top, r.right, r.bottom);
    DrawItemBk(control, dc, text, hot ? GetSelBrush() : painted->BkBrush(), selected);
}

void TdxBarFlatPainter::DrawLoweredFrame(HDC dc, TRect& rect) const {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&rect, -1, -1);
}

void TdxBarFlatPainter::DrawEditButtonFrame(C* control, HDC dc, const TRect& rect, bool, bool selected,
                                            bool pressed) const {
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    if (selected) {
        DrawFlatSelectionFrame(dc, rect);
        FillWith(dc, inside, pressed ? GetDownedSelBrush() : GetSelBrush());
    } else {
        HBRUSH background = FlatWindowOf(control)->BkBrush();
        FrameRectWithBrush(dc, rect, background);
        FillWith(dc, inside, background);
    }
}

HBRUSH TdxBarFlatPainter::GetGlyphBkBrush(C* control, int paintKind, bool, bool selected, bool down, bool pressed,
                                          bool droppedDown, bool plainBk, bool) const {
    if (droppedDown) return down ? GetDownedSelBrush() : GetBarOwnerBrush(FlatWindowOf(control));
    if (selected) return down || pressed ? GetDownedSelBrush() : GetSelBrush();
    if (down) return GetDownedBrush();
    // plainBk: the glyph of a static item keeps the item's own background.
    if (paintKind == 1 && !plainBk) return GetFlatItemBrush(control, paintKind);
    return PaintedControlOf(control)->BkBrush();
}

bool TdxBarFlatPainter::IsGlyphBkSolid(C* control, bool state1, bool state2, bool state3, bool noGlyph) const {
    bool base = TdxBarPainter::IsGlyphBkSolid(control, state1, state2, state3, noGlyph);
    return noGlyph ? base : state1 || state2 || state3 || base;
}

int TdxBarFlatPainter::GetMenuGlyphIndent(C* control) const {
    IdxBarPaintedWindow* window = FlatWindowOf(control);
    return window->BarControlKind() == 2 ? window->TextSize() + 3 : 0;
}

int TdxBarFlatPainter::GetDropDownArrowWidth(TdxBarManager* manager) const {
    return TdxBarPainter::GetDropDownArrowWidth(manager) - 1;
}

HBRUSH TdxBarFlatPainter::GetBarControlBrush(W* window) const {
    IdxBarPaintedBar* bar = window ? window->Bar() : nullptr;
    if (window && (window->IsMainMenu() || (bar && bar->IsStatusBar()))) return HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    return TdxBarPainter::GetBarControlBrush(window);
}

// ---- bars, docks and floating frames ----------------------------------------------------------

void TdxBarFlatPainter::DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const {
    const int offset = GetSeparatorOffset();
    if (horizontal) {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.right, rect.top + offset), brush, clNone, true);
        window->FillBk(dc, Rect(rect.left, rect.bottom - offset, rect.right, rect.bottom), brush, clNone, true);
        FillSys(dc, Rect(rect.left, rect.top + offset, rect.right, rect.top + offset + 1), COLOR_BTNSHADOW);
    } else {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.left + offset, rect.bottom), brush, clNone, true);
        window->FillBk(dc, Rect(rect.right - offset, rect.top, rect.right, rect.bottom), brush, clNone, true);
        FillSys(dc, Rect(rect.left + offset, rect.top, rect.left + offset + 1, rect.bottom), COLOR_BTNSHADOW);
    }
}

void TdxBarFlatPainter::DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const {
    const int state = window->CloseButtonState();
    DrawCaptionButtonFace(window, dc, rect, state);
    TRect r = rect;
    InflateRect(&r, -3, -4);
    if (RectWidth(r) % 2 != 0) --r.right;
    r.bottom = r.top + RectWidth(r) - 1;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(GetMarkArrowColor(window, state)));
    DrawLineWithPen(dc, pen, r.left, r.top, r.right - 1, r.bottom);
    DrawLineWithPen(dc, pen, r.left + 1, r.top, r.right, r.bottom);
    DrawLineWithPen(dc, pen, r.left, r.bottom - 1, r.right - 1, r.top - 1);
    DrawLineWithPen(dc, pen, r.left + 1, r.bottom - 1, r.right, r.top - 1);
    DeleteObject(pen);
}

void TdxBarFlatPainter::DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const {
    TRect r = rect;
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
    // The corners of the ring inside are rounded off.
    for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                    POINT{r.right - 1, r.bottom - 1}})
        SetPixelV(dc, p.x, p.y, GetSysColor(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
    if (!window->CanMove()) return;
    const bool vertical = FlatVerticalDock(window->DockingStyle());
    TRect grip = r;
    if (vertical) {
        grip.top += GetGripOffset();
        grip.bottom = grip.top + GetDragGripSize();
        InflateRect(&grip, -3, 0);
    } else {
        grip.left += GetGripOffset();
        grip.right = grip.left + GetDragGripSize();
        InflateRect(&grip, 0, -3);
    }
    // Lines across the bar, every other one dark.
    const int count = vertical ? RectWidth(grip) : RectHeight(grip);
    for (int i = 0; i < count; ++i) {
        TRect line = vertical ? Rect(grip.left + i, grip.top, grip.left + i + 1, grip.bottom)
                              : Rect(grip.left, grip.top + i, grip.right, grip.top + i + 1);
        FillWith(dc, line, i % 2 == 0 ? GetSysColorBrush(COLOR_BTNSHADOW) : brush);
    }
}

void TdxBarFlatPainter::DrawFloatBorder(W*, HDC dc, const TRect& windowRect, const TRect&, HBRUSH brush) const {
    TRect r = windowRect;
    FrameRect(dc, &r, brushes_[0]);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    for (int ring = 2; ring < GetFloatBorderWidth(); ++ring) {
        InflateRect(&r, -1, -1);
        FrameRectWithBrush(dc, r, brush);
    }
}

void TdxBarFlatPainter::DrawFloatMark(W* window, HDC dc, const TRect& rect) const {
    if (window->HasCloseButton())
        FillRectWithBackground(dc, Rect(rect.right, rect.top, rect.right + 1, rect.bottom), nullptr,
                               GetBarCaptionBackColor(window, window->IsMainFormActive()));
    if (window->MarkState() == 2)
        DrawPressedMark(window, dc, rect, window->MarkPopup());
    else
        DrawCaptionButtonFace(window, dc, rect, window->MarkState());
    TdxBarPainter::DrawFloatMark(window, dc, rect);
}

HBRUSH TdxBarFlatPainter::GetItemBrush(P* params) const {
    if (!params->drawSelected) return TdxBarPainter::GetItemBrush(params);
    return params->droppedDown || IsButtonFaceWhite() ? GetDownedSelBrush() : GetSelBrush();
}

void TdxBarFlatPainter::DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const {
    TdxBarPainter::DrawButtonBk(params, rect, brush);
    if (params->paintKind == 1 || !params->droppedDown)
        DrawFlatButtonFrame(params->GetItemControl(), FlatParamsDC(params), rect, brush, params->paintKind,
                            params->drawSelected, params->down);
}

// ---- edits and combos ---------------------------------------------------------------------------

TColor TdxBarFlatPainter::GetEditButtonArrowColor(P* params) const {
    if (params->drawSelected && (params->droppedDown || IsButtonFaceWhite())) return clHighlightText;
    if (!params->drawSelected && !params->enabled) return clBtnShadow;
    return TdxBarPainter::GetEditButtonArrowColor(params);
}

HBRUSH TdxBarFlatPainter::GetEditButtonBrush(P* params) const {
    if (params->paintKind == 1 && !params->drawSelected) return FlatWindowOf(params->GetItemControl())->BkBrush();
    return TdxBarPainter::GetEditButtonBrush(params);
}

void TdxBarFlatPainter::DrawComboButtonFace(P* params, TRect& rect, HBRUSH brush) const {
    C* control = params->GetItemControl();
    HDC dc = FlatParamsDC(params);
    if (params->drawSelected) {
        TRect frame = rect;
        InflateRect(&frame, 1, 1);
        DrawFlatSelectionFrame(dc, frame);
    } else {
        HBRUSH side = params->enabled ? GetEditBrush(control) : FlatWindowOf(control)->BkBrush();
        FrameRectWithBrush(dc, rect, side);
        FillWith(dc, Rect(rect.left - 1, rect.top, rect.left, rect.bottom), side);
    }
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillWith(dc, inside, brush);
}

void TdxBarFlatPainter::DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect,
                                          UINT state, bool flag) const {
    if (!flag) {
        TdxBarPainter::DrawComboListItem(combo, canvas, index, rect, state, flag);
        return;
    }
    auto* list = dynamic_cast<TdxBarCustomCombo*>(combo);
    String text = index == -1 || !list ? combo->GetText() : list->Items()->Strings(index);
    HDC dc = canvas->GetCanvasHandle();
    FillRect(dc, &rect, canvas->GetCanvasBrush()->Handle());
    ExtTextOutW(dc, rect.left + 2, rect.top + 2, 0, nullptr, text.c_str(), UINT(text.length()), nullptr);
}

void TdxBarFlatPainter::DrawEditBoxFrame(P* params, TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    HDC dc = FlatParamsDC(params);
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    const bool onlyInMenus = edit && edit->editsOnlyInMenus;
    HBRUSH background = painted->PaintedWindow()->BkBrush();
    if (params->drawSelected)
        DrawFlatSelectionFrame(dc, rect);
    else if (params->paintKind == 1 && !onlyInMenus)
        FrameRectWithBrush(dc, rect, background);
    else if (params->enabled || onlyInMenus)
        DrawItemFrame(control, dc, rect, background, onlyInMenus && painted->IsNonRecent());
    else
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&rect, -1, -1);
}

bool TdxBarFlatPainter::IsMenuEditActive(P* params) const {
    return params->paintKind == 1 &&
           (params->drawSelected || PaintedControlOf(params->GetItemControl())->IsNonRecent());
}

bool TdxBarFlatPainter::IsEditGlyphSel(C* control) const {
    return control && control->DrawParams()->drawSelected && control->DrawParams()->paintKind == 1;
}

void TdxBarFlatPainter::DrawSpinButton(P* params, const TRect& rect, int button) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    DrawEditButtonFrame(params->GetItemControl(), FlatParamsDC(params), rect, params->enabled,
                        params->hotPart == button, spin && spin->activeButton == button);
    TPoint pos;
    CalcSpinArrowPos(params, rect, button, pos);
    DrawSpinArrow(params, pos, button);
}

bool TdxBarFlatPainter::IsInPlaceSubItemSel(P* params) const {
    return TdxBarPainter::IsInPlaceSubItemSel(params) && UsesFlatColors();
}

void TdxBarFlatPainter::DrawStaticBorder(P* params, TRect& rect) const {
    auto* s = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    if (!s || s->borderStyle == 0) return;
    HDC dc = FlatParamsDC(params);
    TRect inside = Rect(rect.left + s->borderWidths.left, rect.top + s->borderWidths.top,
                        rect.right - s->borderWidths.right, rect.bottom - s->borderWidths.bottom);
    HRGN saved = SaveDCClipRegion(dc);
    ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    FillWith(dc, rect, GetFlatShadowBrush(params->GetItemControl(), s->borderStyle));
    RestoreDCClipRegion(dc, saved);
    rect = inside;
}

// ---- menus --------------------------------------------------------------------------------------

int TdxBarFlatPainter::GetDetachCaptionHeight(W* menu) const { return TdxBarPainter::GetDetachCaptionHeight(menu) - 2; }

int TdxBarFlatPainter::CalcMenuArrowIndent(int height) const {
    int a = (height - 4) / 2;
    if (a >= 5 && a % 2 != 0) --a;
    return a;
}

void TdxBarFlatPainter::CalcMenuGlyphRect(const TRect& itemRect, int iconAreaWidth, TRect& rect) const {
    TRect inner = itemRect;
    InflateRect(&inner, -1, -1);
    TdxBarPainter::CalcMenuGlyphRect(inner, iconAreaWidth - 2, rect);
}

void TdxBarFlatPainter::CalcMenuTextRect(P* params, const TRect& itemRect, TRect& rect) const {
    TdxBarPainter::CalcMenuTextRect(
        params, Rect(itemRect.left, itemRect.top + 1, itemRect.right - 1, itemRect.bottom - 1), rect);
}

void TdxBarFlatPainter::CalcBeginGroupRect(W*, C*, const TRect& itemRect, TRect& rect) const {
    rect = itemRect;
    rect.bottom = itemRect.top;
    rect.top = itemRect.top - GetMenuSeparatorHeight();
}

void TdxBarFlatPainter::InsetDetachCaption(W*, TRect& rect) const { InflateRect(&rect, -2, -2); }

void TdxBarFlatPainter::DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const {
    FrameRect(dc, &rect, brushes_[0]);
    DrawQuickCustPart(menu, dc);
    if (!menu->IsDetachable()) return;
    TRect r = rect;
    InflateRect(&r, -1, -1);
    FillSys(dc, Rect(r.left, r.top, r.right, r.top + 1), COLOR_WINDOW);
    int bottom = r.top + 1 + GetDetachCaptionHeight(menu);
    FillSys(dc, Rect(r.left, r.top + 1, r.left + 1, bottom), COLOR_WINDOW);
    FillSys(dc, Rect(r.right - 1, r.top + 1, r.right, bottom), COLOR_WINDOW);
    DrawDetachCaption(menu, dc, menu->DetachCaptionRect(), menu->DetachCaptionState());
}

void TdxBarFlatPainter::DrawMenuInnerBorder(W*, HDC dc, const TRect& rect, HBRUSH brush) const {
    FrameRectWithBrush(dc, rect, GetMenuBrush(1));
    FillWith(dc, Rect(rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1), brush);
}

void TdxBarFlatPainter::DrawDetachCaption(W*, HDC dc, const TRect& rect, int state) const {
    const bool hot = state == 1;
    TRect r = rect;
    if (hot) {
        DrawFlatSelectionFrame(dc, r);
        InflateRect(&r, -1, -1);
        FillWith(dc, r, GetSelBrush());
    } else {
        FillWith(dc, r, brushes_[1]);
    }
    const int left = (r.left + r.right - 33) / 2;
    for (int y = r.top + 1; y < r.bottom - 1; y += 2)
        FillSys(dc, Rect(left, y, left + 33, y + 1), hot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
}

void TdxBarFlatPainter::DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    const bool plain = !PaintsNonRecentItems(), nonRecent = painted->IsNonRecent(),
               starts = painted->StartsRecentChange();
    HBRUSH brush = plain && nonRecent && starts ? GetMenuBrush(1) : menu->BkBrush();
    const bool selected = plain && nonRecent && !starts;
    HDC dc = canvas->GetCanvasHandle();
    const int glyph = rect.left + menu->IconAreaWidth();
    DrawItemBk(control, dc, Rect(rect.left, rect.top, glyph, rect.bottom), brushes_[1], selected);
    DrawItemBk(control, dc, Rect(glyph, rect.top, rect.right, rect.bottom), brush, selected);
    const int middle = (rect.top + rect.bottom) / 2;
    DrawMenuSeparatorLine(canvas, Rect(glyph + GetMenuGroupIndent(), middle, rect.right + 1, middle + 1));
}

void TdxBarFlatPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
    FillRectWithBackground(canvas->GetCanvasHandle(), Rect(rect.left, rect.top, rect.right, rect.top + 1), nullptr,
                           GetFlatShadowColor(canvas, rect));
}
