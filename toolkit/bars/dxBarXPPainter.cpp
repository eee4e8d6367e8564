// The look of the platform's visual styles.

#include "dxBarXPPainter.h"

#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

// The theme's part numbers the bars draw with.
enum : int {
    tpButton = 1, tpSplitButton = 3, tpSplitButtonDropDown = 4, tpSeparator = 5, tpSeparatorVert = 6,
    rpGripper = 1, rpGripperVert = 2,
    wpMDIMinButton = 16, wpSmallCloseButton = 19, wpMDICloseButton = 20, wpMDIRestoreButton = 22,
    cpDropDownButton = 1, epEditText = 1, spnpUp = 1, spnpDown = 2,
    ppBar = 1, ppBarVert = 2, ppChunk = 3, ppChunkVert = 4,
};

// Measured from the theme by every painter made; a part the theme lacks measures 0.
struct TXPThemeMetrics {
    int separatorWidth = 0, buttonBorderHeight = 0, comboArrowWidth = 0, gripperSize = 0, progressBarHeight = 0,
        menuSeparatorHeight = 0;
    TSize closeButton{};
};
TXPThemeMetrics xpMetrics;

TSize XPPartSize(TdxThemedObjectType type, int part) {
    SIZE size{0, 0};
    if (HTHEME theme = GetThemeHandle(type)) GetThemePartSizeNoRect(theme, nullptr, part, 1, 1 /* the true size */, &size);
    return TSize{size.cx, size.cy};
}

TRect XPContentOf100(TdxThemedObjectType type, int part) {
    RECT bounds{0, 0, 100, 100}, content = bounds;
    if (HTHEME theme = GetThemeHandle(type)) GetThemeBackgroundContentRect(theme, nullptr, part, 1, &bounds, &content);
    return content;
}

void MeasureXPTheme() {
    TXPThemeMetrics m;
    m.separatorWidth = XPPartSize(totToolBar, tpSeparator).cx;
    m.closeButton = XPPartSize(totWindow, wpSmallCloseButton);
    m.buttonBorderHeight = 100 - RectHeight(XPContentOf100(totToolBar, tpSplitButton));
    m.comboArrowWidth = XPPartSize(totComboBox, cpDropDownButton).cx;
    m.gripperSize = XPPartSize(totRebar, rpGripper).cx;
    m.progressBarHeight = XPPartSize(totProgress, ppChunk).cy + 100 - RectWidth(XPContentOf100(totProgress, ppBar));
    m.menuSeparatorHeight = XPPartSize(totToolBar, tpSeparatorVert).cy;
    xpMetrics = m;
}

// Draws a theme part; nothing without visual styles.
void DrawXPPart(TdxThemedObjectType type, HDC dc, int part, int state, const TRect& rect) {
    if (HTHEME theme = GetThemeHandle(type)) DrawThemeBackground(theme, dc, part, state, &rect, nullptr);
}

HDC XPParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

bool XPVerticalDock(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }

}  // namespace

TdxBarXPPainter::TdxBarXPPainter(TcxLookAndFeelPainterClass data) : TdxBarPainter(data) { MeasureXPTheme(); }

void TdxBarXPPainter::DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool, const TRect& area, int paintKind,
                                     bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                                     bool split) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    if ((paintKind == 1 && noGlyph && (selected || painted->IsNonRecent()) && !down) || painted->IsSelfSelected()) {
        FillRect(dc, &area, brush);
        return;
    }
    DrawItemBk(control, dc, area, brush, false);
    if (ShowsSubItemSel(control) && paintKind != 1 && (pressed || selected || down || droppedDown)) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    const bool enabled = !control || control->DrawParams()->enabled;
    int state = !enabled                         ? 4
                : pressed                        ? 3
                : down || (droppedDown && !split) ? 5
                : selected                       ? 2
                                                 : 1;
    DrawXPPart(totToolBar, dc, split ? tpSplitButton : tpButton, state, area);
}

void TdxBarXPPainter::DrawCheckMark(C* control, HDC dc, int x, int y, int size) const {
    FlatPainterInstance()->DrawCheckMark(control, dc, x, y, size);
}

bool TdxBarXPPainter::ShowsSubItemSel(C* control) const {
    return control && PaintedControlOf(control)->PaintedWindow()->IsMainMenu();
}

void TdxBarXPPainter::DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
    TRect r = rect;
    IdxBarPaintedBar* bar = window->Bar();
    if (bar && !bar->HasSingleBorder()) {
        if (XPVerticalDock(window->DockingStyle()))
            InflateRect(&r, -2, 0);
        else
            InflateRect(&r, 0, -2);
    }
    DrawXPPart(totToolBar, dc, tpButton, state == 1 ? 2 : state == 2 ? 3 : 1, r);
}

int TdxBarXPPainter::GetDragGripSize() const { return xpMetrics.gripperSize; }

int TdxBarXPPainter::GetDropDownArrowWidth(TdxBarManager* manager) const {
    return TdxBarPainter::GetDropDownArrowWidth(manager) + 3;
}

void TdxBarXPPainter::DrawDockBk(TdxDockControl*, HDC dc, const TRect& paintRect, const TRect& rect, const TRect&,
                                 HBRUSH, TColor) const {
    HRGN saved = SaveDCClipRegion(dc);
    IntersectClipRect(dc, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    DrawXPPart(totRebar, dc, 0, 1, rect);
    RestoreDCClipRegion(dc, saved);
}

int TdxBarXPPainter::CalcComboArrowWidth(int) const { return xpMetrics.comboArrowWidth; }

int TdxBarXPPainter::GetSeparatorSize() const { return xpMetrics.separatorWidth; }

void TdxBarXPPainter::FillBarCaption(W* window, HDC dc, const TRect& rect, HBRUSH) const {
    FillRect(dc, &rect, GetSysColorBrush(window->IsMainFormActive() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TdxBarXPPainter::GetCloseButtonSize(TSize& size) const { size = xpMetrics.closeButton; }

void TdxBarXPPainter::DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const {
    window->FillBk(dc, rect, brush, clNone, true);
    DrawXPPart(totToolBar, dc, horizontal ? tpSeparatorVert : tpSeparator, 1, rect);
}

void TdxBarXPPainter::DrawFloatCloseButton(W* window, HDC dc, const TRect& rect) const {
    int state = window->CloseButtonState();
    DrawXPPart(totWindow, dc, wpSmallCloseButton, state == 1 ? 2 : state == 2 ? 3 : 1, rect);
}

void TdxBarXPPainter::DrawDockedBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH) const {
    if (!window->CanMove()) return;
    const bool vertical = XPVerticalDock(window->DockingStyle());
    TRect grip = rect;
    InflateRect(&grip, -2, -2);
    if (vertical) {
        grip.top += GetGripOffset();
        grip.bottom = grip.top + GetDragGripSize();
    } else {
        grip.left += GetGripOffset();
        grip.right = grip.left + GetDragGripSize();
    }
    DrawXPPart(totRebar, dc, vertical ? rpGripperVert : rpGripper, 1, grip);
}

void TdxBarXPPainter::DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                                      HBRUSH brush) const {
    FlatPainterInstance()->DrawFloatBorder(window, dc, windowRect, clientRect, brush);
}

void TdxBarXPPainter::DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const {
    window->FillBk(dc, rect, window->BkBrush(), clNone, true);
    static const int parts[3] = {wpMDIMinButton, wpMDIRestoreButton, wpMDICloseButton};
    int themeState = state == 1 ? 4 : state == 2 ? 2 : state == 4 ? 3 : 1;
    DrawXPPart(totWindow, dc, parts[button >= 0 && button < 3 ? button : 2], themeState, rect);
}

int TdxBarXPPainter::GetButtonExtraHeight() const { return xpMetrics.buttonBorderHeight; }

void TdxBarXPPainter::DrawButtonArrow(BP* params, const TRect& rect) const {
    // On bars the themed split part shows its own arrow.
    if (params->paintKind == 1) TdxBarPainter::DrawButtonArrow(params, rect);
}

void TdxBarXPPainter::DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const {
    TdxBarPainter::DrawButtonBk(params, rect, brush);
    const bool menu = params->paintKind == 1;
    int state = !params->enabled || !params->dropDownEnabled      ? 4
                : params->droppedDown || (params->pressed && !menu) ? 3
                : params->down && !menu                             ? 5
                : params->drawSelected                              ? 2
                                                                    : 1;
    DrawXPPart(totToolBar, XPParamsDC(params), menu ? tpButton : tpSplitButtonDropDown, state, rect);
}

void TdxBarXPPainter::DrawComboButton(P* params, const TRect& rect, int) const {
    int state = !params->enabled ? 4 : params->droppedDown ? 3 : params->drawSelected ? 2 : 1;
    HDC dc = XPParamsDC(params);
    HTHEME theme = GetThemeHandle(totComboBox);
    if (theme && IsThemeBackgroundPartiallyTransparent(theme, cpDropDownButton, state))
        FillRectWithBackground(dc, rect, nullptr, GetEditBackColor(params));
    DrawXPPart(totComboBox, dc, cpDropDownButton, state, rect);
}

int TdxBarXPPainter::GetMenuSeparatorHeight() const { return xpMetrics.menuSeparatorHeight; }

void TdxBarXPPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
    DrawXPPart(totToolBar, canvas->GetCanvasHandle(), tpSeparatorVert, 1, rect);
}

void TdxBarXPPainter::DrawEditBoxFrame(P* params, TRect& rect) const {
    HDC dc = XPParamsDC(params);
    const int state = params->enabled ? 1 : 4;
    RECT given = rect, content = rect;
    if (HTHEME theme = GetThemeHandle(totEdit)) GetThemeBackgroundContentRect(theme, dc, epEditText, state, &given, &content);
    HRGN saved = SaveDCClipRegion(dc);
    ExcludeClipRect(dc, content.left, content.top, content.right, content.bottom);
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    const bool onlyInMenus = edit && edit->editsOnlyInMenus;
    C* control = params->GetItemControl();
    if (!params->drawSelected && ((params->enabled && params->paintKind != 1) || onlyInMenus))
        DrawItemBk(control, dc, given, PaintedControlOf(control)->PaintedWindow()->BkBrush(),
                   PaintedControlOf(control)->IsNonRecent());
    else
        DrawXPPart(totEdit, dc, epEditText, state, given);
    RestoreDCClipRegion(dc, saved);
    rect = content;
}

void TdxBarXPPainter::DrawSpinButton(P* params, const TRect& rect, int button) const {
    C* control = params->GetItemControl();
    HDC dc = XPParamsDC(params);
    DrawItemBk(control, dc, rect, PaintedControlOf(control)->PaintedWindow()->BkBrush(), false);
    int state = GetSpinButtonState(params, button);
    if (state < 1) state = 1;
    DrawXPPart(totSpin, dc, button == 3 ? spnpUp : spnpDown, state, rect);
}

int TdxBarXPPainter::GetProgressBarHeight() const { return xpMetrics.progressBarHeight; }

void TdxBarXPPainter::DrawProgressBk(P* params, const TRect& rect) const {
    HDC dc = XPParamsDC(params);
    const bool vertical = params->paintKind == 2;
    const int part = vertical ? ppBarVert : ppBar;
    HTHEME theme = GetThemeHandle(totProgress);
    if (theme && IsThemeBackgroundPartiallyTransparent(theme, part, 0)) {
        C* control = params->GetItemControl();
        DrawItemBk(control, dc, rect, PaintedControlOf(control)->PaintedWindow()->BkBrush(), false);
    }
    DrawXPPart(totProgress, dc, part, 0, rect);
}

void TdxBarXPPainter::DrawProgressBlocks(P* params, const TRect& rect, HBRUSH) const {
    DrawXPPart(totProgress, XPParamsDC(params), params->paintKind == 2 ? ppChunkVert : ppChunk, 0, rect);
}
