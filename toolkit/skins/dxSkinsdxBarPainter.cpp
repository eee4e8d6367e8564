#include "dxSkinsdxBarPainter.h"

#include <algorithm>

#include "cxExtendedStylePainters.h"
#include "cxGraphics.h"
#include "cxRegion.h"
#include "dxBarCanvas.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarStylePainters.h"
#include "dxFading.h"
#include "dxBarItemControl.h"
#include "dxSkinsCore.h"
#include "dxUnitsLoader.h"

namespace {

// The shared bar canvas begun on a DC while the object lives.
class TSkinBarCanvasEntry {
public:
    explicit TSkinBarCanvasEntry(HDC dc) : canvas_(BarCanvasInstance()) { canvas_->BeginDraw(dc); }
    ~TSkinBarCanvasEntry() { canvas_->EndDraw(); }
    TSkinBarCanvasEntry(const TSkinBarCanvasEntry&) = delete;
    TSkinBarCanvasEntry& operator=(const TSkinBarCanvasEntry&) = delete;
    TdxBarCanvas* operator->() const { return canvas_; }

private:
    TdxBarCanvas* canvas_;
};

TColor SkinColorOrDefault(TdxSkinColor* color) { return color ? color->Value() : clDefault; }

}  // namespace

TdxBarSkinPainter::TdxBarSkinPainter(TcxLookAndFeelPainterClass skinPainter)
    : TdxBarPainter(skinPainter), skinPainter_(skinPainter) {}

TdxSkinInfo* TdxBarSkinPainter::GetSkinInfo() const {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    TObject* data = nullptr;
    if (!skinPainter_ || !registry || !registry->FindPainterData(skinPainter_, data)) return nullptr;
    return dynamic_cast<TdxSkinInfo*>(data);
}

const TdxSkinLookAndFeelPainter* TdxBarSkinPainter::LookAndFeelPainter() const {
    return dynamic_cast<const TdxSkinLookAndFeelPainter*>(skinPainter_);
}

TdxSkinElement* TdxBarSkinPainter::Element(TdxSkinElement* TdxSkinInfo::*member) const {
    TdxSkinInfo* info = GetSkinInfo();
    return info ? info->*member : nullptr;
}

bool TdxBarSkinPainter::IsVerticalWindow(W* window) {
    return window && (window->DockingStyle() == dsLeft || window->DockingStyle() == dsRight);
}

bool TdxBarSkinPainter::IsMainMenuWindow(W* window) {
    IdxBarPaintedBar* bar = window ? window->Bar() : nullptr;
    return bar && bar->IsMainMenu();
}

bool TdxBarSkinPainter::IsOnStatusBar(C* control) {
    IdxBarPaintedBar* bar = PaintedControlOf(control)->PaintedWindow()->Bar();
    return bar && bar->IsStatusBar();
}

TdxSkinElement* TdxBarSkinPainter::GetBarElement(W* window) const {
    TdxSkinInfo* info = GetSkinInfo();
    if (!info || !window) return nullptr;
    if (window->BarControlKind() == 2) return info->PopupMenu;
    IdxBarPaintedBar* bar = window->Bar();
    if (bar && bar->IsStatusBar()) return info->StatusBar;
    if (bar && bar->IsMainMenu()) return IsVerticalWindow(window) ? info->MainMenuVertical : info->MainMenu;
    // a toolbar without border sits flush in its dock and looks like it
    if (bar && !bar->HasSingleBorder()) return info->Dock;
    return IsVerticalWindow(window) ? info->BarVertical : info->Bar;
}

// ---- state tables --------------------------------------------------------------------------

TdxSkinElementState TdxBarSkinPainter::GetLinkState(int paintKind, bool enabled, bool selected, bool down,
                                                    bool pressed) {
    if (paintKind == 1) return enabled ? esHot : esDisabled;
    if (!selected) return esChecked;
    if (down) return pressed ? esCheckPressed : esHotCheck;
    return pressed ? esPressed : esHot;
}

TdxSkinElementState TdxBarSkinPainter::GetGlyphFrameState(bool selected, bool down, bool pressed, bool droppedDown) {
    if (!selected) return esChecked;
    if (down) return pressed ? esCheckPressed : esHotCheck;
    return pressed && !droppedDown ? esPressed : esHot;
}

TdxSkinElementState TdxBarSkinPainter::GetMDIButtonState(int state) {
    return state == 1 ? esHot : state == 2 ? esPressed : esNormal;
}

int TdxBarSkinPainter::GetMDIButtonImageIndex(int button) {
    static const int images[] = {7, 0, 2};  // minimize, restore, close
    return button >= 0 && button <= 2 ? images[button] : 0;
}

// ---- helpers -------------------------------------------------------------------------------

bool TdxBarSkinPainter::DrawSkinElement(TdxSkinElement* element, HDC dc, TdxSkinElementState state, int imageIndex,
                                        const TRect& r) {
    if (!element) return false;
    element->DrawInRect(dc, r, std::clamp(imageIndex, 0, std::max<int>(element->ImageCount() - 1, 0)), state);
    return true;
}

TSize TdxBarSkinPainter::GetSkinElementSize(TdxSkinElement* element) {
    if (!element) return TSize{0, 0};
    const TSize minimum{element->MinSize()->Width(), element->MinSize()->Height()};
    return minimum.cx != 0 || minimum.cy != 0 ? minimum : element->Size();
}

void TdxBarSkinPainter::DrawSkinElementFitted(TdxSkinElement* element, HDC dc, TdxSkinElementState state,
                                              const TRect& r) {
    if (!element) return;
    const TRect margins = element->Image()->Margins()->Rect();
    const int ends = margins.left + margins.right;
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(r);
    DrawSkinElement(element, dc, state, 0, RectWidth(r) < ends ? Rect(r.right - ends, r.top, r.right, r.bottom) : r);
}

void TdxBarSkinPainter::DrawSkinElementInContent(TdxSkinElement* element, HDC dc, TdxSkinElementState state,
                                                  const TRect& r) {
    if (!element) return;
    const TRect offset = element->ContentOffset()->Rect();
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(r);
    DrawSkinElement(element, dc, state, 0,
                    Rect(r.left - offset.left, r.top - offset.top, r.right + offset.right, r.bottom + offset.bottom));
}

// ---- constants taken from other painters ---------------------------------------------------

int TdxBarSkinPainter::GetDetachCaptionHeight(W* menu) const { return TdxBarPainter::GetDetachCaptionHeight(menu) + 1; }

void TdxBarSkinPainter::InsetDetachCaption(W*, TRect& rect) const { InflateRect(&rect, -2, -2); }

void TdxBarSkinPainter::GetPartMargins(int paintKind, TRect& rect) const {
    if (paintKind == 1)
        rect = Rect(1, 4, 4, 4);
    else
        FlatPainterInstance()->GetPartMargins(paintKind, rect);
}

void TdxBarSkinPainter::GetColorComboMargins(int paintKind, TRect& rect) const {
    GetPartMargins(paintKind, rect);
    rect.left = 0;
}

void TdxBarSkinPainter::GetSpinButtonMargins(int paintKind, TRect& rect) const {
    GetPartMargins(paintKind, rect);
    rect.left = 0;
}

int TdxBarSkinPainter::GetMenuGroupIndent() const { return FlatPainterInstance()->GetMenuGroupIndent(); }

int TdxBarSkinPainter::GetMenuTextIndent(P* params) const { return FlatPainterInstance()->GetMenuTextIndent(params); }

void TdxBarSkinPainter::DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect,
                                          UINT state, bool flag) const {
    FlatPainterInstance()->DrawComboListItem(combo, canvas, index, rect, state, flag);
}

// ---- sizes ---------------------------------------------------------------------------------

int TdxBarSkinPainter::GetDragAreaSize(W* window) const {
    if (IsMainMenuWindow(window)) return GetSkinElementSize(Element(&TdxSkinInfo::MainMenuDrag)).cx;
    return GetSkinElementSize(Element(IsVerticalWindow(window) ? &TdxSkinInfo::BarDragGripVertical
                                                               : &TdxSkinInfo::BarDragGrip))
        .cx;
}

void TdxBarSkinPainter::CalcExpandButtonMetrics(TcxCanvas* canvas, int textSize, int& arrowWidth,
                                                int& height) const {
    TdxBarPainter::CalcExpandButtonMetrics(canvas, textSize, arrowWidth, height);
    if (TdxSkinElement* button = Element(&TdxSkinInfo::PopupMenuExpandButton))
        height = GetSkinElementSize(button).cy;
}

void TdxBarSkinPainter::GetStaticBorderWidths(C* control, int style, TRect& rect) const {
    TdxSkinElement* linkStatic = Element(&TdxSkinInfo::LinkStatic);
    if (control && linkStatic && IsOnStatusBar(control))
        rect = linkStatic->ContentOffset()->Rect();
    else
        TdxBarPainter::GetStaticBorderWidths(control, style, rect);
}

void TdxBarSkinPainter::CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    TdxBarPainter::CalcSpinEditLayout(params, parts, partsHigh, rect);
    // the text runs up to the spin buttons: the edit box has no border of its own
    if (partsHigh >= 4) parts[0].right = parts[3].left;
}

void TdxBarSkinPainter::CalcMarkRect(W* window, TRect& rect) const {
    TdxBarPainter::CalcMarkRect(window, rect);
    if (window->DockingStyle() == dsNone) return;
    IdxBarPaintedBar* bar = window->Bar();
    TRect m;
    if (bar && bar->IsStatusBar()) {
        GetStatusBarMargins(m);
        rect.top -= m.top;
        rect.right += m.right;
        rect.bottom += m.bottom;
        return;
    }
    GetDockedBarMargins(bar, window->DockingStyle(), m);
    if (IsVerticalWindow(window)) {
        OffsetRect(&rect, 0, m.bottom);
        rect.left -= m.left;
        rect.right += m.right;
    } else {
        OffsetRect(&rect, m.right, 0);
        rect.top -= m.top;
        rect.bottom += m.bottom;
    }
}

void TdxBarSkinPainter::GetMarkDrawRect(W* window, TRect& rect) const {
    IdxBarPaintedBar* bar = window->Bar();
    if (!bar || (bar->HasSingleBorder() && !bar->IsStatusBar())) return CalcMarkRect(window, rect);
    TdxBarPainter::CalcMarkRect(window, rect);
    if (bar->IsStatusBar() || window->DockingStyle() == dsNone) return;
    TRect m;
    GetDockedBarMargins(bar, window->DockingStyle(), m);
    if (IsVerticalWindow(window))
        rect.top += m.bottom;
    else
        rect.left += m.right;
}

void TdxBarSkinPainter::InvalidateMark(W* window) const {
    TdxBarPainter::InvalidateMark(window);
    HWND handle = window->WindowHandle();
    if (handle && window->DockingStyle() != dsNone) SendMessageW(handle, WM_NCPAINT, 1, 0);
}

void TdxBarSkinPainter::CalcBeginGroupRect(W* menu, C*, const TRect& itemRect, TRect& rect) const {
    rect = Rect(itemRect.left, itemRect.top - menu->BeginGroupSize(), itemRect.right, itemRect.top);
}

int TdxBarSkinPainter::GetSeparatorSize() const { return GetSkinElementSize(Element(&TdxSkinInfo::BarSeparator)).cx; }

int TdxBarSkinPainter::GetMarkSize() const { return GetSkinElementSize(Element(&TdxSkinInfo::BarCustomize)).cx; }

int TdxBarSkinPainter::GetMenuSeparatorHeight() const {
    return GetSkinElementSize(Element(&TdxSkinInfo::PopupMenuSeparator)).cy;
}

int TdxBarSkinPainter::GetSeparatorItemHeight() const { return GetMenuSeparatorHeight(); }

int TdxBarSkinPainter::GetScreenTipSeparatorHeight() const {
    TdxSkinElement* separator = Element(&TdxSkinInfo::ScreenTipSeparator);
    return separator ? separator->Size().cy : TdxBarPainter::GetScreenTipSeparatorHeight();
}

void TdxBarSkinPainter::GetSizeGripWidth(TdxBarManager* manager, TSize& size) const {
    if (const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter())
        size = painter->SizeGripExtent();
    else
        TdxBarPainter::GetSizeGripWidth(manager, size);
}

void TdxBarSkinPainter::GetDockedBarMargins(IdxBarPaintedBar* bar, TdxBarDockingStyle, TRect& rect) const {
    TdxSkinElement* element = bar ? GetBarElement(bar->Window()) : nullptr;
    rect = element ? element->ContentOffset()->Rect() : Rect(0, 0, 0, 0);
}

void TdxBarSkinPainter::GetStatusBarMargins(TRect& rect) const {
    if (TdxSkinElement* statusBar = Element(&TdxSkinInfo::StatusBar))
        rect = statusBar->ContentOffset()->Rect();
    else
        TdxBarPainter::GetStatusBarMargins(rect);
}

// ---- colours -------------------------------------------------------------------------------

TColor TdxBarSkinPainter::GetItemTextColor(C* control, bool selected, bool flat) const {
    TdxSkinElement* element = control ? GetBarElement(PaintedControlOf(control)->PaintedWindow()) : nullptr;
    if (!element) return TdxBarPainter::GetItemTextColor(control, selected, flat);
    if (selected)
        if (auto* hot = dynamic_cast<TdxSkinColor*>(element->GetPropertyByName(L"TextColorHot"))) return hot->Value();
    return element->TextColor();
}

void TdxBarSkinPainter::GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                                  TColor& main) const {
    TdxSkinInfo* info = GetSkinInfo();
    if (!info || !info->BarDisabledTextColor)
        return TdxBarPainter::GetDisabledItemTextColors(control, selected, flat, highlight, main);
    highlight = main = info->BarDisabledTextColor->Value();
}

TColor TdxBarSkinPainter::GetBarCaptionTextColor(W* window) const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    return floatBar ? floatBar->TextColor() : TdxBarPainter::GetBarCaptionTextColor(window);
}

TColor TdxBarSkinPainter::GetDateNavigatorHeaderColor() const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    return floatBar ? floatBar->Color() : TdxBarPainter::GetDateNavigatorHeaderColor();
}

TColor TdxBarSkinPainter::GetScreenTipTextColor() const {
    TdxSkinInfo* info = GetSkinInfo();
    return info && info->ScreenTipItemColor ? SkinColorOrDefault(info->ScreenTipItemColor)
                                            : TdxBarPainter::GetScreenTipTextColor();
}

TColor TdxBarSkinPainter::GetScreenTipTitleColor() const {
    TdxSkinInfo* info = GetSkinInfo();
    return info && info->ScreenTipTitleItemColor ? SkinColorOrDefault(info->ScreenTipTitleItemColor)
                                                 : TdxBarPainter::GetScreenTipTitleColor();
}

// ---- bars ----------------------------------------------------------------------------------

void TdxBarSkinPainter::FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                                        TColor color) const {
    IdxBarPaintedBar* bar = window->Bar();
    TdxSkinElement* element = GetBarElement(window);
    if (!element || (bar && !bar->HasSingleBorder()) || window->HasBackgroundImage())
        return TdxBarPainter::FillDockedBarBk(window, dc, paintRect, rect, brush, color);
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(paintRect);
    // the element spans the bar less its grip and its mark, which are drawn over their own
    // backgrounds
    const bool vertical = IsVerticalWindow(window);
    TRect area = rect;
    if (window->ShowsDragGrip()) (vertical ? area.top : area.left) += GetDragAreaSize(window);
    if (window->ShowsMark()) {
        TRect mark;
        CalcMarkRect(window, mark);
        (vertical ? area.bottom : area.right) -= vertical ? RectHeight(mark) : RectWidth(mark);
    }
    window->FillBk(dc, area, window->BkBrush(), clNone, true);
    DrawSkinElement(element, dc, esNormal, 0, area);
    if (window->ShowsDragGrip()) {
        const int size = GetDragAreaSize(window);
        const TRect grip = vertical ? Rect(rect.left, rect.top, rect.right, rect.top + size)
                                    : Rect(rect.left, rect.top, rect.left + size, rect.bottom);
        window->FillBk(dc, grip, window->BkBrush(), clNone, true);
        DrawSkinElement(Element(vertical ? &TdxSkinInfo::BarDragGripVertical : &TdxSkinInfo::BarDragGrip), dc,
                        esNormal, 0, grip);
    }
}

void TdxBarSkinPainter::FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                                       TColor color) const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    if (!floatBar || window->HasBackgroundImage())
        return TdxBarPainter::FillFloatBarBk(window, dc, paintRect, rect, brush, color);
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(paintRect);
    DrawSkinElement(floatBar, dc, esNormal, 0, window->ClientRect());
}

void TdxBarSkinPainter::FillBarCaption(W* window, HDC dc, const TRect& rect, HBRUSH brush) const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    if (!floatBar) return TdxBarPainter::FillBarCaption(window, dc, rect, brush);
    HBRUSH fill = CreateSolidBrush(ColorToRGB(floatBar->Color()));
    FillRect(dc, &rect, fill);
    DeleteObject(fill);
}

void TdxBarSkinPainter::DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
    if (state == 1 || state == 2)
        DrawSkinElement(Element(&TdxSkinInfo::LinkSelected), dc, GetMDIButtonState(state), 0, rect);
    DrawSkinElement(Element(&TdxSkinInfo::DockWindowButtonGlyphs), dc, esNormal, GetMDIButtonImageIndex(button),
                    rect);
}

void TdxBarSkinPainter::DrawStatusBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const {
    TdxSkinElement* statusBar = Element(&TdxSkinInfo::StatusBar);
    if (!statusBar) return;
    // only the frame: the inside is the status bar's own background
    const TRect offset = statusBar->ContentOffset()->Rect();
    TSkinBarCanvasEntry canvas(dc);
    canvas->ExcludeRectFromClip(
        Rect(rect.left + offset.left, rect.top + offset.top, rect.right - offset.right, rect.bottom - offset.bottom));
    DrawSkinElement(statusBar, dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect,
                                   const TRect& barRect, HBRUSH brush, TColor color) const {
    TdxSkinElement* element = Element(&TdxSkinInfo::Dock);
    if (!element) return TdxBarPainter::DrawDockBk(dock, dc, paintRect, rect, barRect, brush, color);
    // the whole dock's picture, of which the painted part shows its own piece
    TRect whole = barRect;
    OffsetRect(&whole, paintRect.left - rect.left, paintRect.top - rect.top);
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(paintRect);
    DrawSkinElement(element, dc, esNormal, 0, whole);
}

void TdxBarSkinPainter::DrawFloatMark(W* window, HDC dc, const TRect& rect) const {
    TdxSkinElement* button = Element(&TdxSkinInfo::DockWindowButton);
    if (!button) return TdxBarPainter::DrawFloatMark(window, dc, rect);
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(rect);
    FillBarCaption(window, dc, rect, nullptr);
    const int state = window->MarkState();
    DrawSkinElement(button, dc, state == 1 ? esHot : state == 2 ? esPressed : esActive, 0, rect);
    DrawSkinElement(Element(&TdxSkinInfo::DockWindowButtonGlyphs), dc, esNormal, 6, rect);
}

void TdxBarSkinPainter::DrawStatusBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect,
                                        const TRect& barRect, HBRUSH brush, TColor) const {
    // the bar's rectangle where the painted part shows it, so that pieces join without a seam
    TRect bar = barRect;
    OffsetRect(&bar, paintRect.left - rect.left, paintRect.top - rect.top);
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(paintRect);
    window->FillBk(dc, bar, brush, clNone, true);
    DrawSkinElement(Element(&TdxSkinInfo::StatusBar), dc, esNormal, 0, bar);
}

void TdxBarSkinPainter::DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                                        HBRUSH brush) const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    if (!floatBar) return TdxBarPainter::DrawFloatBorder(window, dc, windowRect, clientRect, brush);
    TdxSkinBorders* borders = floatBar->Borders();
    for (TdxSkinBorder* side : {borders->Left(), borders->Top(), borders->Right(), borders->Bottom()})
        side->Draw(dc, windowRect);
    TRect inner = windowRect;
    InflateRect(&inner, -1, -1);
    HBRUSH frame = CreateSolidBrush(ColorToRGB(floatBar->Color()));
    FrameRect(dc, &inner, frame);
    DeleteObject(frame);
}

void TdxBarSkinPainter::DrawFloatCaption(W* window, HDC dc, const TRect& captionRect, const TRect& areaRect,
                                         HBRUSH) const {
    TdxSkinElement* floatBar = Element(&TdxSkinInfo::FloatBar);
    HBRUSH caption = floatBar ? CreateSolidBrush(ColorToRGB(floatBar->Color())) : nullptr;
    TdxBarPainter::DrawFloatCaption(window, dc, captionRect, areaRect, caption);
    if (caption) DeleteObject(caption);
}

void TdxBarSkinPainter::DrawBarSizeGrip(W* window, HDC dc, const TRect& gripRect, HBRUSH brush) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawBarSizeGrip(window, dc, gripRect, brush);
    TSkinBarCanvasEntry canvas(dc);
    painter->DrawSizeGripArea(BarCanvasInstance(), gripRect, clNone);
}

void TdxBarSkinPainter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
    DrawSkinElement(
        Element(IsVerticalWindow(window) ? &TdxSkinInfo::BarCustomizeVertical : &TdxSkinInfo::BarCustomize), dc,
        state != 0 ? esHot : esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH, bool horizontal) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
    // a horizontal line runs across a vertical bar
    DrawSkinElement(Element(horizontal ? &TdxSkinInfo::BarSeparatorVertical : &TdxSkinInfo::BarSeparator), dc,
                    esNormal, 0, rect);
}

// ---- menus ---------------------------------------------------------------------------------

void TdxBarSkinPainter::FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const {
    TdxSkinElement* popup = Element(&TdxSkinInfo::PopupMenu);
    if (!popup || menu->HasBackgroundImage()) return TdxBarPainter::FillMenuBk(menu, canvas, rect, brush, color);
    HDC dc = canvas->GetCanvasHandle();
    TRect whole = rect;
    InflateRect(&whole, GetMenuFrameSize(), GetMenuFrameSize());
    DrawSkinElement(popup, dc, esNormal, 0, whole);
    // the glyph column down the whole menu
    TRect strip = Rect(rect.left, rect.top, rect.left + GetIconAreaWidth(menu), rect.bottom);
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuSideStrip), dc, esNormal, 0, strip);
}

void TdxBarSkinPainter::DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const {
    {
        TSkinBarCanvasEntry canvas(dc);
        TRect content = rect;
        InflateRect(&content, -GetMenuBorderWidth(), -GetMenuBorderWidth());
        canvas->ExcludeRectFromClip(content);
        DrawSkinElement(Element(&TdxSkinInfo::PopupMenu), dc, esNormal, 0, rect);
    }
    if (menu->IsDetachable()) DrawDetachCaption(menu, dc, menu->DetachCaptionRect(), menu->DetachCaptionState());
}

void TdxBarSkinPainter::DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const {
    HDC dc = canvas->GetCanvasHandle();
    DrawItemBk(control, dc, rect, menu->MenuBkBrush(), false);
    const int left = rect.left + GetMenuGroupIndent() + GetMenuGlyphIndent(control);
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuSeparator), dc, esNormal, 0,
                    Rect(left, rect.bottom - GetSeparatorItemHeight(), rect.right, rect.bottom));
}

void TdxBarSkinPainter::DrawInPlaceSubItemBk(P* params, const TRect& rect) const {
    if (params->drawSelected) return DrawMenuItemBk(params, rect);
    C* control = params->GetItemControl();
    HDC dc = params->canvas->GetCanvasHandle();
    DrawItemBk(control, dc, rect, PaintedControlOf(control)->BkBrush(), false);
    DrawSkinElementInContent(Element(&TdxSkinInfo::PopupMenuSideStrip), dc, esNormal, rect);
}

void TdxBarSkinPainter::DrawDetachCaption(W*, HDC dc, const TRect& rect, int) const {
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuSeparator), dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
    TdxSkinElement* separator = Element(&TdxSkinInfo::PopupMenuSeparator);
    if (!separator) return TdxBarPainter::DrawMenuSeparatorLine(canvas, rect);
    HDC dc = canvas->GetCanvasHandle();
    TdxSkinElement* menu = Element(&TdxSkinInfo::PopupMenu);
    if (separator->IsAlphaUsed() && menu) {
        // the menu's middle under a see-through separator
        TdxSkinBorders* borders = menu->Borders();
        const TRect margins = menu->Image()->Margins()->Rect();
        const TRect offset = menu->ContentOffset()->Rect();
        const TRect grown{rect.left - std::max<int>(borders->Left()->Thin(), margins.left) - offset.left,
                          rect.top - std::max<int>(borders->Top()->Thin(), margins.top) - offset.top,
                          rect.right + std::max<int>(borders->Right()->Thin(), margins.right) + offset.right,
                          rect.bottom + std::max<int>(borders->Bottom()->Thin(), margins.bottom) + offset.bottom};
        TSkinBarCanvasEntry clipped(dc);
        clipped->IntersectClipWithRect(rect);
        DrawSkinElement(menu, dc, esNormal, 0, grown);
    }
    DrawSkinElement(separator, dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawExpandButtonContent(W*, HDC dc, const TRect& rect, bool) const {
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuExpandButton), dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawExpandButtonSelection(W*, HDC dc, const TRect& rect) const {
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuLinkSelected), dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawMenuCheckMark(C* control, HDC dc, const TRect& rect, int paintKind, bool down) const {
    TdxSkinElement* check = Element(&TdxSkinInfo::PopupMenuCheck);
    if (!down || paintKind != 1 || !check) return TdxBarPainter::DrawMenuCheckMark(control, dc, rect, paintKind, down);
    const TSize size = check->Size();
    const int left = rect.left + (RectWidth(rect) - size.cx) / 2, top = rect.top + (RectHeight(rect) - size.cy) / 2;
    DrawSkinElement(check, dc, esNormal, 0, Rect(left, top, left + size.cx, top + size.cy));
}

void TdxBarSkinPainter::DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawDropDownListBorder(dc, color, rect);
    HBRUSH frame = CreateSolidBrush(ColorToRGB(painter->ContainerBorderColor(false)));
    FrameRect(dc, &rect, frame);
    DeleteObject(frame);
}

// ---- items ---------------------------------------------------------------------------------

bool TdxBarSkinPainter::DrawFadingButtonBk(BP* params, const TRect& rect) {
    C* control = params->GetItemControl();
    IdxFadingElementData* fading = control ? control->FadingData() : nullptr;
    if (!fading) return false;
    TRect r = rect;
    if (params->paintKind != 1) --r.left;  // flat: the picture starts a pixel further left
    HDC dc = params->canvas->GetCanvasHandle();
    const int width = RectWidth(PaintedControlOf(control)->Bounds());
    TSkinBarCanvasEntry canvas(dc);
    canvas->IntersectClipWithRect(r);
    fading->DrawImage(dc, Rect(r.right - width, r.top, r.right, r.bottom));
    return true;
}

bool TdxBarSkinPainter::DrawFadingGlyphFrame(C* control, HDC dc, const TRect& rect) {
    IdxFadingElementData* fading = control ? control->FadingData() : nullptr;
    return fading && fading->DrawImage(dc, rect);
}

void TdxBarSkinPainter::DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const {
    if (DrawFadingButtonBk(params, rect)) return;
    TdxBarPainter::DrawButtonBk(params, rect, brush);
    const bool selected = params->drawSelected;
    TdxSkinElement* element = nullptr;
    if (params->paintKind == 1) {
        if (selected) element = Element(&TdxSkinInfo::PopupMenuDropDownButtonArrow);
    } else if (!params->droppedDown && (selected || params->down)) {
        element = Element(&TdxSkinInfo::LinkSelected);
    }
    if (element)
        DrawSkinElementFitted(element, params->canvas->GetCanvasHandle(),
                              GetLinkState(params->paintKind, params->enabled, selected, params->down,
                                           params->pressed),
                              rect);
}

void TdxBarSkinPainter::DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool, const TRect& area, int paintKind,
                                       bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                                       bool) const {
    if (paintKind == 1) {
        // a checked menu item with a glyph: the check frame around the glyph
        if (down && !noGlyph)
            DrawSkinElement(Element(&TdxSkinInfo::PopupMenuCheck), dc, esNormal, 1,
                            Rect(area.left + 2, area.top + 2, area.right - 2, area.bottom - 2));
        return;
    }
    if (DrawFadingGlyphFrame(control, dc, area)) return;
    DrawItemBk(control, dc, area, brush, false);
    const bool mainMenu = IsMainMenuWindow(PaintedControlOf(control)->PaintedWindow());
    if (selected || down)
        DrawSkinElement(Element(mainMenu ? &TdxSkinInfo::MainMenuLinkSelected : &TdxSkinInfo::LinkSelected), dc,
                        GetGlyphFrameState(selected, down, pressed, droppedDown), 0, area);
}

void TdxBarSkinPainter::DrawMenuItemBk(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    HDC dc = params->canvas->GetCanvasHandle();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    DrawItemBk(control, dc, painted->Bounds(), painted->BkBrush(), false);
    if (params->drawSelected)
        DrawSkinElement(Element(&TdxSkinInfo::PopupMenuLinkSelected), dc,
                        GetLinkState(1, params->enabled, true, false, params->pressed), 0, rect);
}

// ---- edits, combos and spin edits ----------------------------------------------------------

namespace {

void FillSolid(TcxCanvas* canvas, const TRect& r, TColor color) { canvas->FillRectWithColor(r, color); }

TRect LessMargins(const TRect& r, const TRect& margins) {
    return Rect(r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom);
}

}  // namespace

TRect TdxBarSkinPainter::EditBoxRect(P* params) const {
    TRect margins;
    GetPartMargins(params->paintKind, margins);
    return LessMargins(PaintedControlOf(params->GetItemControl())->EditRect(), margins);
}

void TdxBarSkinPainter::DrawEditBk(P* params) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    HDC dc = params->canvas->GetCanvasHandle();
    TSkinBarCanvasEntry canvas(dc);
    canvas->ExcludeRectFromClip(EditBoxRect(params));
    DrawItemBk(control, dc, painted->Bounds(), painted->BkBrush(), false);
}

void TdxBarSkinPainter::DrawEditMenuSelection(P* params, const TRect& rect) const {
    HDC dc = params->canvas->GetCanvasHandle();
    TSkinBarCanvasEntry canvas(dc);
    canvas->ExcludeRectFromClip(EditBoxRect(params));
    DrawSkinElement(Element(&TdxSkinInfo::PopupMenuLinkSelected), dc, params->enabled ? esHot : esDisabled, 0, rect);
}

void TdxBarSkinPainter::DrawEditBoxFrame(P* params, TRect& rect) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawEditBoxFrame(params, rect);
    TRect margins;
    GetPartMargins(params->paintKind, margins);
    rect = LessMargins(rect, margins);
    const bool emphasised = params->drawSelected && params->paintKind != 1;
    params->canvas->FrameRectBorders(Rect(rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1),
                                     painter->ContainerBorderColor(emphasised));
}

void TdxBarSkinPainter::DrawComboButton(P* params, const TRect& rect, int kind) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawComboButton(params, rect, kind);
    FillSolid(params->canvas, rect, GetEditBackColor(params));
    const TcxButtonState state = !params->enabled     ? cxbsDisabled
                                 : params->droppedDown ? cxbsPressed
                                 : params->drawSelected ? cxbsHot
                                                        : cxbsNormal;
    painter->DrawEditorButtonFace(params->canvas, rect, state, cxbkComboBtn);
}

void TdxBarSkinPainter::DrawColorComboCustomButton(P* params, const TRect& rect) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawColorComboCustomButton(params, rect);
    const TcxButtonState state = !params->enabled ? cxbsDisabled : params->drawSelected ? cxbsHot : cxbsNormal;
    painter->DrawEditorButtonFace(params->canvas, rect, state, cxbkEllipsisBtn);
}

void TdxBarSkinPainter::DrawColorComboColorBox(P* params, const TRect& rect) const {
    TRect margins;
    GetColorComboMargins(params->paintKind, margins);
    FillSolid(params->canvas, LessMargins(rect, margins), GetEditBackColor(params));
}

void TdxBarSkinPainter::DrawSpinButton(P* params, const TRect& rect, int button) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawSpinButton(params, rect, button);
    // the spin edit's part 3 is its up button, part 4 its down button
    painter->DrawEditorButtonFace(params->canvas, rect, TcxButtonState(GetSpinButtonState(params, button)),
                                  button == 3 ? cxbkSpinUpBtn : cxbkSpinDownBtn);
}

void TdxBarSkinPainter::FillSpinEditBk(P* params, const TRect& rect) const {
    TRect margins;
    GetSpinButtonMargins(params->paintKind, margins);
    FillSolid(params->canvas, LessMargins(rect, margins), GetEditBackColor(params));
}

void TdxBarSkinPainter::DrawDateNavigatorButton(TdxBarItem* item, HDC dc, const TRect& rect, const String& text,
                                                bool pushed) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawDateNavigatorButton(item, dc, rect, text, pushed);
    TSkinBarCanvasEntry canvas(dc);
    BarCanvasInstance()->FillRectWithColor(rect, clWindow);
    painter->DrawCaptionButton(BarCanvasInstance(), rect, pushed ? cxbsPressed : cxbsNormal, text, true);
}

// ---- progress bars and static items -------------------------------------------------------

void TdxBarSkinPainter::DrawProgressBk(P* params, const TRect& rect) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawProgressBk(params, rect);
    C* control = params->GetItemControl();
    DrawItemBk(control, params->canvas->GetCanvasHandle(), rect, PaintedControlOf(control)->BkBrush(), false);
    painter->DrawProgressBorder(params->canvas, rect, params->paintKind == 2);
}

void TdxBarSkinPainter::GetProgressContentRect(P* params, TRect& rect) const {
    if (const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter())
        rect = LessMargins(rect, painter->ProgressBorderSize(params->paintKind == 2));
}

void TdxBarSkinPainter::DrawProgressSolid(P* params, const TRect& rect, HBRUSH brush) const {
    const TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
    if (!painter) return TdxBarPainter::DrawProgressSolid(params, rect, brush);
    if (!IsRectEmpty(&rect)) painter->DrawProgressChunk(params->canvas, rect, params->paintKind == 2);
}

void TdxBarSkinPainter::DrawStaticBk(P* params, const TRect& rect) const {
    TdxBarPainter::DrawStaticBk(params, rect);
    if (IsOnStatusBar(params->GetItemControl()))
        DrawSkinElementInContent(Element(&TdxSkinInfo::LinkStatic), params->canvas->GetCanvasHandle(), esNormal,
                                 rect);
}

void TdxBarSkinPainter::DrawStaticBorder(P* params, TRect& rect) const {
    auto* s = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    TdxSkinElement* linkStatic = Element(&TdxSkinInfo::LinkStatic);
    const bool bordered = s && (s->borderWidths.left || s->borderWidths.top || s->borderWidths.right ||
                                s->borderWidths.bottom);
    if (!linkStatic || !bordered || !IsOnStatusBar(params->GetItemControl()))
        return TdxBarPainter::DrawStaticBorder(params, rect);
    const TRect inner = LessMargins(rect, s->borderWidths);
    {
        C* control = params->GetItemControl();
        HDC dc = params->canvas->GetCanvasHandle();
        TSkinBarCanvasEntry canvas(dc);
        canvas->ExcludeRectFromClip(inner);
        DrawItemBk(control, dc, rect, PaintedControlOf(control)->BkBrush(), false);
        DrawSkinElement(linkStatic, dc, esNormal, 0, rect);
    }
    rect = inner;
}

void TdxBarSkinPainter::DrawSeparatorCaption(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    HDC dc = params->canvas->GetCanvasHandle();
    DrawItemBk(control, dc, rect, PaintedControlOf(control)->BkBrush(), false);
    DrawSkinElement(Element(&TdxSkinInfo::FloatBar), dc, esNormal, 0, rect);
    // the text between the separator lines above and below it
    auto* separator = dynamic_cast<TdxBarSeparatorControlDrawParams*>(params);
    TRect margins, text = rect;
    GetStaticMargins(margins);
    text.left += margins.left;
    text.bottom -= GetSeparatorItemHeight();
    if (!(separator && separator->firstShownLink)) text.top += GetSeparatorItemHeight();
    DrawItemText(control, dc, params->caption, text, 0, params->enabled, false, params->paintKind == 2, true, false,
                 DT_SINGLELINE);
}

// ---- screen tips ---------------------------------------------------------------------------

void TdxBarSkinPainter::DrawScreenTipBk(HDC dc, const TRect& rect) const {
    DrawSkinElement(Element(&TdxSkinInfo::ScreenTipWindow), dc, esNormal, 0, rect);
}

void TdxBarSkinPainter::DrawScreenTipSeparator(HDC dc, const TRect& rect) const {
    DrawSkinElement(Element(&TdxSkinInfo::ScreenTipSeparator), dc, esNormal, 0, rect);
}

// ---- unit ----------------------------------------------------------------------------------

namespace {

void InstallSkinBarPainter() {
    if (GdiPlusUsable()) SetSkinBarPainterClass(TdxBarSkinPainter::StaticClass());
}

void UninstallSkinBarPainter() { SetSkinBarPainterClass(TdxBarStandardPainter::StaticClass()); }

}  // namespace

void InitializedxSkinsdxBarPainter() {
    GlobalUnitsLoader()->RegisterUnit(&InstallSkinBarPainter, &UninstallSkinBarPainter);
}
void FinalizedxSkinsdxBarPainter() { GlobalUnitsLoader()->UnregisterUnit(&UninstallSkinBarPainter); }
