// The skinned painter: menus, the application menu, edits and combos, spin edits, progress
// bars, in-place sub items, static items, separators and screen tips.

#include <algorithm>
#include <cmath>

#include "cxGraphics.h"
#include "cxLookAndFeel.h"
#include "dxBarCanvas.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarManager.h"
#include "dxBarSkinnedPainter.h"

namespace {

HDC SkinnedMenuParamsDC(TdxBarItemControlDrawParams* params) {
    return params && params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

IdxBarPaintedControl* SkinnedPaintedOf(TdxBarItemControlDrawParams* params) {
    return PaintedControlOf(params->GetItemControl());
}

// A one-pixel frame in the colour.
void SkinnedFrameColor(HDC dc, const TRect& rect, TColor color) {
    if (color == clNone || IsRectEmpty(&rect)) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

bool SkinnedEditIsHot(int hotPart) { return hotPart == 1 || hotPart == 2 || hotPart == 100 || hotPart == -1; }

constexpr int skinnedUpButton = 3;

}  // namespace

// ---- skin states ---------------------------------------------------------------------------

int TdxBarSkinnedPainter::GetEditPartSkinState(P* params, int kind) {
    if (params->customizing) return ssNormal;
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    bool focused = edit && edit->focused;
    switch (kind) {
        case 0: return params->droppedDown ? ssDroppedDown : focused ? ssPressed : GetItemSkinState(params, 0);
        case 3:
            if (params->droppedDown) return ssDroppedDown;
            if ((params->pressed && params->hotPart == 3) || focused) return ssHot;
            return GetItemSkinState(params, 3);
        case 4:
            if (params->pressed) return ssPressed;
            if (params->droppedDown || focused) return ssHot;
            return GetItemSkinState(params, 4);
        default: return ssNormal;
    }
}

int TdxBarSkinnedPainter::GetSpinButtonSkinState(P* params, int button) {
    if (params->customizing) return ssNormal;
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    if (spin && spin->activeButton == button && params->hotPart == button) return ssDroppedDown;
    int state = GetItemSkinState(params, button);
    return state == ssActive && SkinnedEditIsHot(params->hotPart) ? ssNormal : state;
}

// ---- menus -----------------------------------------------------------------------------------

void TdxBarSkinnedPainter::FillScrollButton(TcxCanvas* canvas, const TRect& rect, TColor) const {
    GetSkin()->DrawSkinPart(canvas->GetCanvasHandle(), rect, spScrollButton, ssNormal);
}

int TdxBarSkinnedPainter::GetScrollButtonHeight(W* menu) const {
    return (TdxBarOffice11Painter::GetScrollButtonHeight(menu) * 3 - 18) / 4;
}

void TdxBarSkinnedPainter::CalcScrollArrowSize(int height, int& size, int& remainder) const {
    TdxBarOffice11Painter::CalcScrollArrowSize(height, size, remainder);
    size = height / 7;
}

void TdxBarSkinnedPainter::DrawExpandButtonContent(W*, HDC dc, const TRect& rect, bool) const {
    int side = RectHeight(rect) - 2;
    GetSkin()->DrawSkinPart(dc, Centered(rect, side, side), spExpandButton, ssNormal);
}

void TdxBarSkinnedPainter::DrawExpandButtonSelection(W*, HDC dc, const TRect& rect) const {
    GetSkin()->DrawSkinPart(dc, rect, spButton, ssHot);
}

void TdxBarSkinnedPainter::DrawSpinArrow(P* params, const TPoint& pos, int button) const {
    HDC dc = SkinnedMenuParamsDC(params);
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    TSize size = spin && spin->arrowSize.cx > 0 ? spin->arrowSize : TSize{5, 3};
    // The triangle's base lies on pos's row; its apex points up for the up button.
    int apex = button == skinnedUpButton ? -(size.cy - 1) : size.cy - 1;
    POINT points[3] = {{pos.x, pos.y}, {pos.x + size.cx, pos.y}, {pos.x + size.cx / 2, pos.y + apex}};
    if (button == skinnedUpButton) {
        points[0].y = points[1].y = pos.y + 1;
    }
    HRGN triangle = CreatePolygonRgn(points, 3, WINDING);
    HRGN saved = SaveDCClipRegion(dc);
    ExtSelectClipRgn(dc, triangle, RGN_AND);
    RECT bounds{};
    GetRgnBox(triangle, &bounds);
    GetSkin()->DrawSkinPart(dc, bounds, spScrollButton, ssNormal);
    RestoreDCClipRegion(dc, saved);
    ExtSelectClipRgn(dc, triangle, RGN_DIFF);
    DeleteObject(triangle);
}

void TdxBarSkinnedPainter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    HDC dc = SkinnedMenuParamsDC(params);
    DrawItemBk(control, dc, rect, painted->BkBrush(), false);
    if (!params->drawSelected) return;
    auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(params);
    bool large = params->DisplaySize() == 2;
    auto stateOf = [&](int index) {
        if ((index == 1 && params->droppedDown) || (index == 0 && params->hotPart == 0 && !large)) return int(ssHot);
        return GetItemSkinState(params, index);
    };
    if (button && button->isDropDown && button->isButton) {
        GetSkin()->DrawSkinPart(dc, painted->Part(0), spSplitButtonMain, stateOf(0));
        GetSkin()->DrawSkinPart(dc, painted->Part(1), spSplitButtonDropDown, stateOf(1));
    } else {
        GetSkin()->DrawSkinPart(dc, rect, spButton, stateOf(0));
    }
}

int TdxBarSkinnedPainter::GetDetachCaptionHeight(W* menu) const { return TdxBarPainter::GetDetachCaptionHeight(menu); }

int TdxBarSkinnedPainter::GetIconAreaWidth(W* menu) const { return GetMenuItemExtraHeight() + menu->IconAreaWidth() - 2; }

int TdxBarSkinnedPainter::GetMenuTextIndent(P* params) const {
    IdxBarPaintedWindow* menu = SkinnedPaintedOf(params)->PaintedWindow();
    return menu->IconAreaWidth() + (menu->UsesLargeMenuItems() ? 4 : 7);
}

void TdxBarSkinnedPainter::DrawScrollButtonFrame(W* menu, TcxCanvas* canvas, bool bottom) const {
    TRect r;
    GetScrollButtonRect(menu, bottom, r);
    HDC dc = canvas->GetCanvasHandle();
    menu->FillBk(dc, r, menu->BkBrush(), clNone, true);
    GetSkin()->DrawSkinPart(dc, r, spScrollButtonFrame, ssNormal);
    canvas->ExcludeRectFromClip(r);
}

void TdxBarSkinnedPainter::FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH, TColor) const {
    TRect content = menu->ClientRect(), margins;
    GetMenuContentMargins(menu, margins);
    content = Rect(content.left + margins.left, content.top + margins.top, content.right - margins.right,
                   content.bottom - margins.bottom);
    TRect area;
    if (!IntersectRect(&area, &rect, &content)) return;
    HDC dc = canvas->GetCanvasHandle();
    bool large = menu->UsesLargeMenuItems();
    int glyphLeft = content.left + menu->SideBarWidth();
    int stripLeft = glyphLeft + GetIconAreaWidth(menu), textLeft = stripLeft + 2;
    struct {
        LONG left, right; int part;
    } columns[3] = {{glyphLeft, stripLeft, large ? spMenuContent : spMenuGlyphColumn},
                    {stripLeft, textLeft, large ? spMenuContent : spMenuSideStrip},
                    {textLeft, area.right, spMenuContent}};
    for (const auto& column : columns) {
        TRect piece = Rect(std::max(column.left, area.left), area.top, std::min(column.right, area.right), area.bottom);
        if (IsRectEmpty(&piece)) continue;
        // Each column's part spans the whole content height; only the asked-for piece shows.
        int saved = SaveDC(dc);
        IntersectClipRect(dc, piece.left, piece.top, piece.right, piece.bottom);
        GetSkin()->DrawSkinPart(dc, Rect(column.left, content.top, column.right, content.bottom), column.part,
                                ssNormal);
        RestoreDC(dc, saved);
    }
}

void TdxBarSkinnedPainter::DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const {
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginDraw(dc);
    HDC target = canvas->GetCanvasHandle();
    TRect inner = rect;
    InflateRect(&inner, -GetMenuBorderWidth(), -GetMenuBorderWidth());
    if (menu->IsDetachable()) inner.top += GetDetachCaptionHeight(menu);
    ExcludeClipRect(target, inner.left, inner.top, inner.right, inner.bottom);
    GetSkin()->DrawSkinPart(target, rect, spMenuBorder, ssNormal);
    if (menu->IsDetachable()) {
        TRect band = rect;
        InflateRect(&band, -GetMenuFrameSize(), -GetMenuFrameSize());
        FillColor(target, band, GetSkin()->GetSkinPartColor(spDetachCaptionArea, ssNormal));
        DrawDetachCaption(menu, target, menu->DetachCaptionRect(), menu->DetachCaptionState());
    }
    canvas->EndDraw();
}

void TdxBarSkinnedPainter::DrawDetachCaption(W*, HDC dc, const TRect& rect, int state) const {
    GetSkin()->DrawSkinPart(dc, rect, spDetachCaption, state == 1 ? ssHot : ssNormal);
}

void TdxBarSkinnedPainter::DrawItemSeparator(W* menu, C*, TcxCanvas* canvas, const TRect& rect) const {
    FillMenuBk(menu, canvas, rect, nullptr, clNone);
    // The line starts under the text column, past the glyph column and its strip.
    int textOffset = menu->SideBarWidth() + GetIconAreaWidth(menu) + 2;
    TRect line = Rect(rect.left + textOffset + 7, rect.bottom - GetSeparatorItemHeight(), rect.right, rect.bottom);
    DrawMenuSeparatorLine(canvas, line);
}

void TdxBarSkinnedPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
    GetSkin()->DrawSkinPart(canvas->GetCanvasHandle(), rect, spMenuSeparator, ssNormal);
}

int TdxBarSkinnedPainter::CalcMenuTextItemHeight(TcxCanvas* canvas) const {
    return CalcTextItemHeight(canvas) + 2 * (GetMenuItemExtraHeight() + GetMenuItemExtraIndent());
}

// ---- the application menu --------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawAppMenuBorder(W*, HDC dc, const TRect& rect) const {
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginDraw(dc);
    HDC target = canvas->GetCanvasHandle();
    TRect inner = rect;
    InflateRect(&inner, -GetMenuItemExtraHeight(), -GetMenuItemExtraHeight());
    ExcludeClipRect(target, inner.left, inner.top, inner.right, inner.bottom);
    GetSkin()->DrawSkinPart(target, rect, spAppMenuBorder, ssNormal);
    canvas->EndDraw();
}

void TdxBarSkinnedPainter::DrawAppMenuButton(W*, HDC dc, const TRect& rect, int state) const {
    GetSkin()->DrawSkinPart(dc, rect, spAppMenuButton, state == 1 ? ssHot : ssNormal);
}

void TdxBarSkinnedPainter::DrawAppMenuBk(W*, TcxCanvas* canvas, const TRect& rect, const TRect& excludedRect) const {
    HDC dc = canvas->GetCanvasHandle();
    IdxSkin* skin = GetSkin();
    const TRect& outer = rect;
    TRect r1 = excludedRect, r2;
    InflateRect(&r1, 1, 1);
    r2 = r1;
    InflateRect(&r2, 1, 1);
    SkinnedFrameColor(dc, r1, skin->GetSkinPartColor(spAppMenuInnerRing, ssNormal));
    SkinnedFrameColor(dc, r2, skin->GetSkinPartColor(spAppMenuOuterRing, ssNormal));
    skin->DrawSkinPart(dc, Rect(outer.left, outer.top, outer.right, r2.top), spAppMenuTopBand, ssNormal);
    skin->DrawSkinPart(dc, Rect(outer.left, r2.bottom, outer.right, outer.bottom), spAppMenuBottomBand, ssNormal);
    TColor side = skin->GetSkinPartColor(spAppMenuSideBand, ssNormal);
    FillColor(dc, Rect(outer.left, r2.top, r2.left, r2.bottom), side);
    FillColor(dc, Rect(r2.right, r2.top, outer.right, r2.bottom), side);
}

void TdxBarSkinnedPainter::DrawExtraPaneBk(W*, TcxCanvas* canvas, const TRect& rect, HBRUSH, TColor) const {
    HDC dc = canvas->GetCanvasHandle();
    TRect strip = Rect(rect.left, rect.top, rect.left + 2, rect.bottom);
    GetSkin()->DrawSkinPart(dc, strip, spMenuSideStrip, ssNormal);
    FillColor(dc, Rect(strip.right, rect.top, rect.right, rect.bottom),
                         GetSkin()->GetSkinPartColor(spAppMenuExtraPane, ssNormal));
}

void TdxBarSkinnedPainter::DrawExtraPaneSeparator(W*, TcxCanvas* canvas, const TRect& rect, HBRUSH,
                                                  bool horizontal) const {
    DrawSeparatorLines(canvas->GetCanvasHandle(), rect, horizontal, TColor(RGB(216, 216, 216)),
                          TColor(RGB(245, 245, 245)));
}

// ---- edits and combos ------------------------------------------------------------------------

void TdxBarSkinnedPainter::AssignLookAndFeel(TdxBarManager* manager, TcxLookAndFeel* lookAndFeel) const {
    String name;
    GetSkin()->GetSkinName(name);
    if (!name.empty()) {
        lookAndFeel->SetNativeStyle(false);
        lookAndFeel->SetSkinName(name);
    } else if (manager && manager->IsThemeAvailable()) {
        lookAndFeel->ApplyStyleCode(3);
    } else {
        TdxBarOffice11Painter::AssignLookAndFeel(manager, lookAndFeel);
    }
}

TColor TdxBarSkinnedPainter::GetEditBackColor(P* params) const {
    return GetSkin()->GetSkinPartColor(spEditBack, GetEditPartSkinState(params, 0));
}

void TdxBarSkinnedPainter::AdjustSkinnedSize(P*, TSize& size) const {
    --size.cx;
    --size.cy;
}

void TdxBarSkinnedPainter::DrawStateFace(P* params, HDC dc, const TRect& rect, int state) const {
    if (IsNamedSkin())
        FillColor(dc, rect, GetEditBackColor(params));
    else
        GetSkin()->DrawSkinPart(dc, rect, spEditButton, state);
}

void TdxBarSkinnedPainter::DrawStateBorder(P* params, HDC dc, const TRect& rect, int state) const {
    TRect r = rect, inner;
    DrawSkinStateBorder(params, dc, state, r, inner);
}

void TdxBarSkinnedPainter::DrawSkinStateBorder(P* params, HDC dc, int state, TRect& rect, TRect& inner) const {
    // The frame is one pixel: what is inside it is the face's.
    inner = rect;
    InflateRect(&inner, -1, -1);
    if (IsNamedSkin() || state < ssHot || state > ssHotChecked) {
        inner = rect;
        return;
    }
    HRGN saved = SaveDCClipRegion(dc);
    TRect bounds = SkinnedPaintedOf(params)->Bounds(), clip;
    if (IsRectEmpty(&bounds)) bounds = rect;
    IntersectRect(&clip, &bounds, &rect);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SkinnedFrameColor(dc, rect, GetSkin()->GetSkinPartColor(spEditButtonFrame, state));
    RestoreDCClipRegion(dc, saved);
    rect = inner;
}

void TdxBarSkinnedPainter::DrawEditBk(P* params) const {
    IdxBarPaintedControl* painted = SkinnedPaintedOf(params);
    HDC dc = SkinnedMenuParamsDC(params);
    HRGN saved = SaveDCClipRegion(dc);
    TRect edit = painted->EditRect();
    ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
    DrawItemBk(params->GetItemControl(), dc, painted->Bounds(), painted->BkBrush(), false);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarSkinnedPainter::DrawEditBoxFrame(P* params, TRect& rect) const {
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    if (!edit || !edit->editsOnlyInMenus)
        SkinnedFrameColor(SkinnedMenuParamsDC(params), rect,
                          GetSkin()->GetSkinPartColor(spEditFrame, GetEditPartSkinState(params, 0)));
    InflateRect(&rect, -1, -1);
}

void TdxBarSkinnedPainter::DrawEditMenuSelection(P* params, const TRect& rect) const {
    HDC dc = SkinnedMenuParamsDC(params);
    TRect edit = SkinnedPaintedOf(params)->EditRect();
    int state = params->enabled ? ssActive : ssDisabledActive;
    HRGN saved = SaveDCClipRegion(dc);
    ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
    GetSkin()->DrawSkinPart(dc, rect, spButton, state);
    RestoreDCClipRegion(dc, saved);
    FillColor(dc, Rect(edit.left, edit.top + 1, edit.left + 1, edit.bottom - 1),
                         GetSkin()->GetSkinPartColor(spMenuEditLine, state));
}

void TdxBarSkinnedPainter::DrawComboButton(P* params, const TRect& rect, int) const { DrawEditButton(params, rect, 3); }

void TdxBarSkinnedPainter::DrawEditButton(P* params, const TRect& rect, int kind) const {
    HDC dc = SkinnedMenuParamsDC(params);
    int state = GetEditPartSkinState(params, kind);
    TRect r = rect, inner;
    DrawSkinStateBorder(params, dc, state, r, inner);
    DrawStateFace(params, dc, r, state);
    bool named = IsNamedSkin();
    if (kind == 3) {
        if (named) {
            GetSkin()->DrawSkinPart(dc, inner, spComboButton, state);
        } else {
            TSize arrow;
            GetSmallArrowSize(arrow);
            GetSkin()->DrawSkinPart(dc, Centered(inner, arrow.cx, arrow.cy), spDropDownArrow, state);
        }
    } else if (named) {
        GetSkin()->DrawSkinPart(dc, inner, spColorComboCustomButton, state);
    } else {
        DrawEllipsisDots(params, inner);
    }
}

void TdxBarSkinnedPainter::DrawDropDownListBorder(HDC dc, TColor, const TRect& rect) const {
    GetSkin()->DrawSkinPart(dc, rect, spMenuBorder, ssNormal);
}

void TdxBarSkinnedPainter::DrawColorComboCustomButton(P* params, const TRect& rect) const {
    DrawEditButton(params, rect, 4);
}

TColor TdxBarSkinnedPainter::GetDateNavigatorHeaderColor() const {
    return GetSkin()->GetSkinPartColor(spDateNavigatorHeader, ssNormal);
}

// ---- spin edits --------------------------------------------------------------------------------

void TdxBarSkinnedPainter::CalcSpinArrowPos(P* params, const TRect& rect, int button, TPoint& pos) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    TSize size = spin && spin->arrowSize.cx > 0 ? spin->arrowSize : TSize{5, 3};
    int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    pos.x = cx - size.cx / 2;
    pos.y = button == skinnedUpButton ? cy + size.cy / 2 : cy - size.cy / 2;
}

void TdxBarSkinnedPainter::CalcSpinButtonRect(P* params, const TRect& rect, int part, TRect& buttonRect) const {
    TRect r = rect;
    InflateRect(&r, -1, -1);
    TdxBarOffice11Painter::CalcSpinButtonRect(params, r, part, buttonRect);
}

int TdxBarSkinnedPainter::CalcSpinButtonsWidth(int paintKind, const TRect& rect) const {
    if (IsNamedSkin()) return 17;
    TRect margins;
    GetSpinButtonMargins(paintKind, margins);
    return ((RectHeight(rect) / 2) * 8) / 5 + 1 - margins.left - margins.right;
}

void TdxBarSkinnedPainter::DrawSpinButton(P* params, const TRect& rect, int button) const {
    HDC dc = SkinnedMenuParamsDC(params);
    int state = GetSpinButtonSkinState(params, button);
    TRect r = rect;
    bool named = IsNamedSkin();
    if (!named) {
        if (state == ssNormal || state == ssDisabled || state == ssActive || state == ssDisabledActive) {
            // No frame: the face reaches over the line the two buttons share.
            (button == skinnedUpButton ? r.bottom : r.top) += button == skinnedUpButton ? 1 : -1;
        } else {
            SkinnedFrameColor(dc, r, GetSkin()->GetSkinPartColor(spEditButtonFrame, state));
        }
        InflateRect(&r, -1, -1);
    }
    DrawStateFace(params, dc, r, state);
    if (named) {
        GetSkin()->DrawSkinPart(dc, r, button == skinnedUpButton ? spSpinUp : spSpinDown, state);
    } else {
        TPoint pos;
        CalcSpinArrowPos(params, r, button, pos);
        DrawSpinArrow(params, pos, button);
    }
}

void TdxBarSkinnedPainter::FillSpinEditBk(P* params, const TRect& rect) const {
    if (IsNamedSkin()) return;
    TColor color = SkinnedEditIsHot(params->hotPart)
                       ? GetSkin()->GetSkinPartColor(spEditBack, GetEditPartSkinState(params, 0) == ssDisabled ? ssDisabled : ssNormal)
                       : GetSkin()->GetSkinPartColor(spEditButtonFrame, ssActive);
    SkinnedFrameColor(SkinnedMenuParamsDC(params), rect, color);
}

// ---- progress bars, in-place sub items, static items, screen tips -------------------------------

void TdxBarSkinnedPainter::DrawProgressBk(P* params, const TRect& rect) const {
    TdxBarOffice11Painter::DrawProgressBk(params, rect);
    GetSkin()->DrawSkinPart(SkinnedMenuParamsDC(params), rect, spProgressBk, ssNormal);
}

void TdxBarSkinnedPainter::DrawProgressSolid(P* params, const TRect& rect, HBRUSH) const {
    GetSkin()->DrawSkinPart(SkinnedMenuParamsDC(params), rect, spProgressSolid, ssNormal);
}

void TdxBarSkinnedPainter::DrawProgressBlock(P* params, const TRect& rect, HBRUSH) const {
    GetSkin()->DrawSkinPart(SkinnedMenuParamsDC(params), rect, spProgressBlock, ssNormal);
}

int TdxBarSkinnedPainter::GetInPlaceSubItemTextSize(P* params) const {
    auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(params);
    return button ? button->arrowWidth : TdxBarOffice11Painter::GetInPlaceSubItemTextSize(params);
}

void TdxBarSkinnedPainter::DrawInPlaceSubItemArrow(P* params, int direction, const TRect& rect) const {
    DrawScaledArrow(SkinnedPaintedOf(params)->PaintedWindow(), SkinnedMenuParamsDC(params), rect, direction);
}

void TdxBarSkinnedPainter::DrawInPlaceSubItemBk(P* params, const TRect& rect) const {
    if (params->drawSelected)
        DrawMenuItemBk(params, rect);
    else
        GetSkin()->DrawSkinPart(SkinnedMenuParamsDC(params), rect, spMenuGlyphColumn, ssNormal);
}

void TdxBarSkinnedPainter::DrawStaticBorder(P* params, TRect& rect) const {
    auto* statics = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    if (!statics || statics->borderStyle == 0) return;
    SkinnedFrameColor(SkinnedMenuParamsDC(params), rect, GetSkin()->GetSkinPartColor(spEditFrame, ssNormal));
    InflateRect(&rect, -1, -1);
}

void TdxBarSkinnedPainter::DrawSeparatorCaption(P* params, const TRect& rect) const {
    HDC dc = SkinnedMenuParamsDC(params);
    FillColor(dc, rect, GetSkin()->GetSkinPartColor(spSeparatorCaption, ssNormal));
    TRect margins;
    GetStaticMargins(margins);
    TRect text = rect;
    text.left += margins.left;
    text.bottom -= GetSeparatorItemHeight();
    auto* separator = dynamic_cast<TdxBarSeparatorControlDrawParams*>(params);
    if (separator && separator->noTopLine) text.top += GetSeparatorItemHeight();
    auto* statics = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    // Left, right, centre as the item aligns; the text drawing takes left, centre, right.
    static const int alignments[3] = {0, 2, 1};
    int align = statics && statics->alignment < 3 ? alignments[statics->alignment] : 0;
    DrawItemText(params->GetItemControl(), dc, params->caption, text, align, params->enabled, false,
                 params->paintKind == 2, false, false, DT_SINGLELINE | DT_VCENTER);
}

void TdxBarSkinnedPainter::DrawScreenTipBk(HDC dc, const TRect& rect) const {
    GetSkin()->DrawSkinPart(dc, rect, spScreenTip, ssNormal);
}

void TdxBarSkinnedPainter::DrawScreenTipSeparator(HDC dc, const TRect& rect) const {
    FillColor(dc, Rect(rect.left, rect.top, rect.right, rect.top + 1),
                         GetSkin()->GetSkinPartColor(spScreenTipSeparator, ssNormal));
    FillColor(dc, Rect(rect.left, rect.top + 1, rect.right, rect.top + 2), clWhite);
}
