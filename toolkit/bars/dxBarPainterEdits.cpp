// The base painter: edits, combos, spin edits, colour combos, progress bars, static items,
// separators, in-place sub items, the date navigator's buttons and screen tips.

#include "Colors.h"
#include "cxDropDownHelpers.h"
#include "cxGraphics.h"
#include "dxBarCanvas.h"
#include "dxBarCombo.h"
#include "dxBarDrawing.h"
#include "dxBarEdit.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"
#include "dxOffice11.h"

namespace {

IdxBarPaintedControl* EditPainted(TdxBarItemControlDrawParams* params) {
    return PaintedControlOf(params->GetItemControl());
}

HDC EditDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

bool EditsOnlyInMenus(TdxBarItemControlDrawParams* params) {
    auto* edit = dynamic_cast<TdxBarEditLikeControlDrawParams*>(params);
    return edit && edit->editsOnlyInMenus;
}

constexpr Byte glyphShown = 1, textShown = 2;
constexpr int editBoxPart = 0, glyphPart = 1, captionPart = 2, buttonPart = 3, customButtonPart = 4;

TRect Deflated(const TRect& rect, const TRect& margins) {
    return Rect(rect.left + margins.left, rect.top + margins.top, rect.right - margins.right,
                rect.bottom - margins.bottom);
}

void FillSolid(HDC dc, const TRect& rect, int colorIndex) { FillRect(dc, &rect, HBRUSH(INT_PTR(colorIndex + 1))); }

}  // namespace

// ---- layouts -----------------------------------------------------------------------------

void TdxBarPainter::CalcEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (partsHigh < captionPart) return;
    IdxBarPaintedControl* painted = EditPainted(params);
    TRect& glyph = parts[glyphPart];
    glyph = rect;
    if (EditsOnlyInMenus(params) && params->paintKind != 1) {
        TRect margins;
        GetPartMargins(params->paintKind, margins);
        glyph.left += margins.left;
    }
    glyph.right = glyph.left + painted->GlyphAreaWidth();
    TRect& caption = parts[captionPart];
    caption = rect;
    caption.left = glyph.right;
    caption.right = caption.left + painted->CaptionWidth();
    ApplyContentMargins(params->paintKind, painted->EditRect(), parts[editBoxPart]);
}

void TdxBarPainter::CalcComboLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (partsHigh < buttonPart) return;
    TRect margins;
    GetEditMargins(params->paintKind, margins);
    TRect& button = parts[buttonPart];
    button = Deflated(rect, margins);
    button.left = button.right - EditPainted(params)->PaintedWindow()->ComboArrowWidth();
    parts[editBoxPart].right = button.left - GetEditBorderWidth();
}

void TdxBarPainter::ApplyContentMargins(int paintKind, const TRect& rect, TRect& result) const {
    TRect margins;
    GetPartMargins(paintKind, margins);
    result = Deflated(rect, margins);
}

void TdxBarPainter::AdjustEditTextRect(C*, TRect& rect) const {
    TRect caption;
    GetCaptionMargins(caption);
    int horizontal, vertical;
    GetBarBorderSizes(horizontal, vertical);
    rect = Deflated(rect, Rect(caption.left, vertical, caption.right, vertical));
}

int TdxBarPainter::CalcEditTextHeight(C*, int textHeight) const {
    TRect parts, caption;
    GetPartMargins(0, parts);
    GetCaptionMargins(caption);
    int horizontal, vertical;
    GetBarBorderSizes(horizontal, vertical);
    int frame = 2 * vertical;
    return textHeight + parts.top + parts.bottom + frame + (caption.top + caption.bottom - frame);
}

void TdxBarPainter::GetEditPartMargins(P* params, int part, TRect& rect) const {
    if (part == glyphPart && params->paintKind == 1) {
        GetEditTextMargins(params, rect);
    } else if (part == glyphPart) {
        TRect glyphMargins;
        GetGlyphMargins(glyphMargins);
        IdxBarPaintedControl* painted = EditPainted(params);
        int free = painted->GlyphAreaWidth() - painted->GlyphSize(params->DisplaySize()).cx;
        rect = Rect(free / 2, 0, glyphMargins.left, 0);
    } else {
        rect = Rect(CalcEditCaptionIndent(params), 0, GetEditCaptionSpacing(), 0);
    }
}

int TdxBarPainter::CalcEditCaptionIndent(P* params) const {
    if (!(params->viewStructure & glyphShown)) return GetEditCaptionIndent();
    return params->paintKind == 1 ? GetEditMenuIndent() : 0;
}

// ---- edits -------------------------------------------------------------------------------

void TdxBarPainter::DrawEditControl(P* params, const TRect& rect) const {
    IdxBarPaintedControl* painted = EditPainted(params);
    DrawEditBk(params);
    if (params->paintKind == 1 && params->drawSelected) DrawEditMenuSelection(params, rect);
    painted->DrawEditFrame();
    if (params->viewStructure & glyphShown) {
        TRect glyph = painted->Part(glyphPart);
        DrawEditGlyph(params, glyph);
    }
    if (params->viewStructure & textShown) {
        TRect caption = painted->Part(captionPart);
        DrawEditCaption(params, caption);
    }
    painted->DrawEditContent();
}

void TdxBarPainter::DrawEditBk(P* params) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = EditPainted(params);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    HDC dc = EditDC(params);
    bool menu = params->paintKind == 1;
    HBRUSH partBrush = menu && params->drawSelected ? window->SelBrush() : window->BkBrush();
    bool glyph = params->viewStructure & glyphShown;
    if ((params->viewStructure & textShown) || (menu && HasMenuSideStrip() && !glyph)) {
        TRect caption = painted->Part(captionPart), margins;
        GetEditPartMargins(params, captionPart, margins);
        TRect strip = caption;
        caption.right -= margins.right;
        strip.left = caption.right;
        DrawItemBk(control, dc, caption, partBrush, IsMenuEditHighlighted(params));
        DrawItemBk(control, dc, strip, GetEditBrush(control), IsMenuEditActive(params));
    }
    if (glyph && !menu) DrawItemBk(control, dc, painted->Part(glyphPart), partBrush, IsMenuEditHighlighted(params));
}

void TdxBarPainter::DrawEditBoxFrame(P* params, TRect& rect) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = EditPainted(params);
    HDC dc = EditDC(params);
    HBRUSH background = painted->PaintedWindow()->BkBrush();
    bool nonRecent = painted->IsNonRecent(), onlyInMenus = EditsOnlyInMenus(params);
    if (params->drawSelected)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    else
        DrawItemFrame(control, dc, rect, background, nonRecent);
    InflateRect(&rect, -1, -1);
    // A disabled edit on a bar shows a highlight ring inside its frame.
    HBRUSH inner = params->enabled || onlyInMenus ? background : HBRUSH(INT_PTR(COLOR_BTNHIGHLIGHT + 1));
    bool simple = nonRecent || ((params->drawSelected || !params->enabled) && !onlyInMenus);
    DrawItemFrame(control, dc, rect, inner, simple);
    InflateRect(&rect, -1, -1);
}

void TdxBarPainter::DrawEditCaption(P* params, TRect& rect) const {
    TRect margins;
    GetEditPartMargins(params, captionPart, margins);
    TRect text = rect;
    text.right -= margins.right;
    DrawItemText(params->GetItemControl(), EditDC(params), params->caption, text, 2, params->enabled,
                 params->paintKind == 1 && params->drawSelected, false, false, UsesFlatColors(), DT_SINGLELINE);
    if (params->canvas) params->canvas->ExcludeRectFromClip(rect);
}

void TdxBarPainter::DrawEditGlyph(P* params, TRect& rect) const {
    C* control = params->GetItemControl();
    if (params->paintKind != 1) {
        TRect margins;
        GetEditPartMargins(params, glyphPart, margins);
        rect.left += margins.left;
        rect.right -= margins.right;
    }
    DrawGlyphAndText(control, EditDC(params), rect, TRect{}, params->paintKind, false, IsEditGlyphSel(control), false,
                     false, false, false, false, false);
    if (params->canvas) params->canvas->ExcludeRectFromClip(rect);
}

bool TdxBarPainter::IsMenuEditHighlighted(P* params) const {
    return params->paintKind == 1 && (params->drawSelected || EditPainted(params)->IsNonRecent());
}

bool TdxBarPainter::IsMenuEditActive(P* params) const {
    return params->paintKind == 1 && EditPainted(params)->IsNonRecent();
}

HBRUSH TdxBarPainter::GetEditBrush(C* control) const { return PaintedControlOf(control)->PaintedWindow()->BkBrush(); }

void TdxBarPainter::FillEditArea(C* control, TcxCanvas* canvas, const TRect& rect) const {
    TColor text, back;
    GetEditColors(control, text, back);
    canvas->GetCanvasFont()->SetColor(text);
    canvas->SetBrushColor(back);
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(rect);
    PaintedControlOf(control)->PaintEditText(canvas, rect);
    canvas->PopClipRegion();
}

void TdxBarPainter::DrawEditText(C* control, TdxBarItem* item, TcxCanvas* canvas, const TRect& rect,
                                 TdxBarItemLink*) const {
    HDC dc = canvas->GetCanvasHandle();
    TRect r = rect;
    FillRect(dc, &r, canvas->GetCanvasBrush()->Handle());
    AdjustEditTextRect(control, r);
    String text;
    if (!PaintedControlOf(control)->GetEditingText(text))
        if (auto* windowItem = dynamic_cast<TdxBarWindowItem*>(item)) text = windowItem->GetText();
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), int(text.length()), &r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    SetBkMode(dc, OPAQUE);
}

void TdxBarPainter::SelectEditText(C*, HWND editWindow, bool notify) const {
    if (notify)
        SendMessageW(editWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(editWindow), EN_CHANGE), LPARAM(editWindow));
    SendMessageW(editWindow, EM_SETSEL, 0, -1);
}

TColor TdxBarPainter::GetEditDisabledColor(C* control) const {
    LOGBRUSH brush{};
    HBRUSH handle = PaintedControlOf(control)->PaintedWindow()->BkBrush();
    if (UINT_PTR(handle) <= COLOR_MENUBAR + 1) return SystemColor(int(UINT_PTR(handle)) - 1);
    GetObjectW(handle, sizeof(brush), &brush);
    return TColor(brush.lbColor);
}

TColor TdxBarPainter::GetEditBackColor(P* params) const {
    if (!params->enabled) return GetEditDisabledColor(params->GetItemControl());
    TColor color = EditPainted(params)->EditStyleColor();
    return color == clDefault ? GetEditWindowColor() : color;
}

TColor TdxBarPainter::GetEditTextColor(C* control) const {
    if (control && !control->DrawParams()->enabled) return GetEditDisabledTextColor();
    TColor color = PaintedControlOf(control)->EditStyleTextColor();
    return color == clDefault ? GetEditWindowTextColor() : color;
}

void TdxBarPainter::GetEditColors(C* control, TColor& textColor, TColor& backColor) const {
    textColor = GetEditTextColor(control);
    backColor = control ? GetEditBackColor(control->DrawParams()) : GetEditWindowColor();
}

// ---- combos ------------------------------------------------------------------------------

void TdxBarPainter::DrawComboButton(P* params, const TRect& rect, int) const {
    TRect arrow = rect;
    DrawComboButtonFace(params, arrow, GetEditButtonBrush(params));
    int size = RectWidth(rect) / 4;
    if (size % 2 == 0) ++size;
    DrawLargeDropDownArrow(params, arrow, size, GetEditButtonArrowColor(params));
}

void TdxBarPainter::DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const {
    TRect r = rect;
    FrameRect(dc, &r, HBRUSH(INT_PTR(COLOR_BTNSHADOW + 1)));
    InflateRect(&r, -1, -1);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void TdxBarPainter::DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect,
                                      UINT, bool) const {
    auto* list = dynamic_cast<TdxBarCustomCombo*>(combo);
    String text = index == -1 || !list ? combo->GetText() : list->Items()->Strings(index);
    HDC dc = canvas->GetCanvasHandle();
    FillRect(dc, &rect, canvas->GetCanvasBrush()->Handle());
    // In the canvas's colours, which show the selection, over the filled entry.
    int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF color = SetTextColor(dc, ColorToRGB(canvas->GetCanvasFont()->Color()));
    ExtTextOutW(dc, rect.left + 2, rect.top, 0, nullptr, text.c_str(), UINT(text.length()), nullptr);
    SetTextColor(dc, color);
    SetBkMode(dc, mode);
}

void TdxBarPainter::AdjustDropDownRect(HWND window, TRect& rect, int& corner, TdxBarItem* item, bool withPanel) const {
    InflateRect(&rect, -1, -1);
    corner = coTopLeft;
    if (!withPanel || !item) return;
    TdxBarItemLink* link = item->GetActiveLink();
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    if (!control) return;
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    TRect dropDown;
    GetWindowRect(window, &dropDown);
    MapWindowPoints(nullptr, painted->PaintedWindow()->WindowHandle(), reinterpret_cast<POINT*>(&dropDown), 2);
    corner = CornerFromRectPair(painted->Bounds(), dropDown);
    // Opened below its owner, the panel goes to the bottom, away from the owner.
    if (corner == coBottomLeft || corner == coBottomRight)
        rect.bottom -= GetSysPanelHeight();
    else
        rect.top += GetSysPanelHeight();
}

void TdxBarPainter::DrawSysPanel(HWND window, bool showPanel, bool closeHot, bool closeDown, TRect& closeRect,
                                 TRect& gripRect, int corner) const {
    DrawDropDownSysPanel(window, showPanel, false, closeHot, closeDown, closeRect, gripRect, corner);
}

int TdxBarPainter::GetSysPanelHeight() const { return DropDownPanelHeight(); }

// ---- colour combos and ellipsis buttons --------------------------------------------------

void TdxBarPainter::CalcColorComboLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (partsHigh < customButtonPart) return;
    CalcColorComboRects(params, rect, parts[customButtonPart]);
    TRect colorMargins, editMargins;
    GetColorComboMargins(params->paintKind, colorMargins);
    GetEditMargins(params->paintKind, editMargins);
    TRect& button = parts[buttonPart];
    bool custom = HasColorComboCustomButton(params);
    button.right = parts[customButtonPart].left;
    if (custom) button.right -= colorMargins.left;
    if (!ShowsColorComboCustomButton() || !custom) button.right -= editMargins.right;
    button.left = button.right - EditPainted(params)->PaintedWindow()->ComboArrowWidth();
    parts[editBoxPart].right = button.left - GetEditBorderWidth();
}

void TdxBarPainter::CalcColorComboRects(P* params, const TRect& rect, TRect& buttonRect) const {
    TRect margins;
    GetColorComboMargins(params->paintKind, margins);
    buttonRect = rect;
    int width = GetColorButtonWidth(params->paintKind, rect) + margins.left + margins.right;
    buttonRect.left = buttonRect.right - width;
    auto* combo = dynamic_cast<TdxBarColorComboControlDrawParams*>(params);
    bool shown = !combo || combo->showsCustomButton;
    // Too narrow a combo keeps its whole edit box and shows no colour button.
    if (!shown || width >= RectWidth(EditPainted(params)->EditRect()) / 2)
        buttonRect.left = buttonRect.right;
    else
        buttonRect = Deflated(buttonRect, margins);
}

int TdxBarPainter::GetColorButtonWidth(int paintKind, const TRect& rect) const {
    TRect margins;
    GetColorComboMargins(paintKind, margins);
    return (RectHeight(rect) - 4) / 7 * 7 + 4 - margins.left - margins.right;
}

bool TdxBarPainter::HasColorComboCustomButton(P* params) const {
    TRect part = EditPainted(params)->Part(customButtonPart);
    return !IsRectEmpty(&part);
}

void TdxBarPainter::CalcColorComboCustomButtonRect(P* params, TRect& rect) const {
    if (!ShowsColorComboCustomButton() || !HasColorComboCustomButton(params)) return;
    TRect margins;
    GetColorComboMargins(params->paintKind, margins);
    rect.right = EditPainted(params)->Part(customButtonPart).right + margins.right;
}

void TdxBarPainter::DrawColorComboCustomButton(P* params, const TRect& rect) const {
    DrawEditButtonFrame(params->GetItemControl(), EditDC(params), rect, params->enabled, params->drawSelected,
                        params->pressed);
    DrawEllipsisDots(params, rect);
}

void TdxBarPainter::DrawColorComboColorBox(P* params, const TRect& rect) const {
    C* control = params->GetItemControl();
    HBRUSH brush = EditPainted(params)->PaintedWindow()->BkBrush();
    TRect r = rect;
    DrawItemFrame(control, EditDC(params), r, brush, false);
    InflateRect(&r, 0, -1);
    DrawItemFrame(control, EditDC(params), r, brush, false);
}

void TdxBarPainter::DrawEllipsisDots(P* params, const TRect& rect) const {
    int d = RectWidth(rect) / 7;
    int left = rect.left + (RectWidth(rect) - 5 * d) / 2;
    int bottom = rect.bottom - GetEllipsisDotOffset(d);
    TRect dot = Rect(left, bottom - d, left + d, bottom);
    OffsetPressedRect(params->pressed, dot);
    for (int i = 0; i < 3; ++i) {
        DrawEllipsisDot(params, dot);
        OffsetRect(&dot, 2 * d, 0);
    }
}

void TdxBarPainter::DrawEllipsisDot(P* params, const TRect& rect) const {
    HDC dc = EditDC(params);
    if (!params->enabled)
        FillDisabledShadow(params->GetItemControl(), dc, rect);
    else
        FillSolid(dc, rect, IsButtonFaceWhite() && params->drawSelected ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

// ---- spin edits --------------------------------------------------------------------------

void TdxBarPainter::CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (partsHigh < 4) return;
    CalcSpinButtonRect(params, rect, 1, parts[3]);
    CalcSpinButtonRect(params, rect, 2, parts[4]);
    TRect partMargins, spinMargins;
    GetPartMargins(params->paintKind, partMargins);
    GetSpinButtonMargins(params->paintKind, spinMargins);
    parts[editBoxPart].right = parts[3].left - partMargins.right - spinMargins.left;
}

void TdxBarPainter::CalcSpinButtonRect(P* params, const TRect& rect, int part, TRect& buttonRect) const {
    TRect margins;
    GetSpinButtonMargins(params->paintKind, margins);
    buttonRect = rect;
    buttonRect.left = rect.right - (CalcSpinButtonsWidth(params->paintKind, rect) + margins.left + margins.right);
    // Spin buttons take no more than half of the edit; narrower edits have none.
    if (buttonRect.left - rect.left < RectWidth(EditPainted(params)->EditRect()) / 2) {
        buttonRect.left = buttonRect.right;
        return;
    }
    buttonRect = Deflated(buttonRect, margins);
    int middle = (buttonRect.top + buttonRect.bottom) / 2;
    if (part == 1)
        buttonRect.bottom = middle;
    else
        buttonRect.top = middle;
}

int TdxBarPainter::CalcSpinButtonsWidth(int paintKind, const TRect& rect) const {
    TSize arrow;
    CalcSpinArrowSize(RectHeight(rect), arrow);
    TRect margins;
    GetSpinButtonMargins(paintKind, margins);
    return arrow.cx + 2 * arrow.cy - margins.left - margins.right + 4;
}

void TdxBarPainter::CalcSpinArrowSize(int height, TSize& size) const {
    int a = (height / 2 - 2) / 2;
    size = TSize{2 * a - 1, a};
}

void TdxBarPainter::CalcSpinEditTextWidth(P* params, TRect& rect) const {
    TRect margins;
    GetSpinButtonMargins(params->paintKind, margins);
    rect.right = EditPainted(params)->Part(3).left - margins.left;
}

int TdxBarPainter::GetSpinButtonState(P* params, int button) const {
    if (!params->enabled) return 4;
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    if (spin && spin->activeButton == button) return 3;
    return params->hotPart == button ? 2 : 1;
}

void TdxBarPainter::DrawSpinButton(P* params, const TRect& rect, int button) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    bool pressed = spin && spin->activeButton == button;
    DrawEditButtonFrame(params->GetItemControl(), EditDC(params), rect, params->enabled,
                        params->hotPart == button, pressed);
    TPoint pos;
    CalcSpinArrowPos(params, rect, button, pos);
    if (pressed) {
        ++pos.x;
        ++pos.y;
    }
    DrawSpinArrow(params, pos, button);
}

void TdxBarPainter::CalcSpinArrowPos(P* params, const TRect& rect, int button, TPoint& pos) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    int h = spin ? spin->arrowSize.cy : 0;
    pos.x = rect.left + h;
    pos.y = (rect.top + rect.bottom - h) / 2 + (button == 3 ? h - 1 : 0);
}

void TdxBarPainter::DrawSpinArrow(P* params, const TPoint& pos, int button) const {
    auto* spin = dynamic_cast<TdxBarSpinEditDrawParams*>(params);
    int w = spin ? spin->arrowSize.cx : 0;
    int apex = button == 3 ? -(w / 2) : w / 2;
    auto triangle = [&](TPoint at, TColor color) {
        TPoint p[3] = {at, Point(at.x + w - 1, at.y), Point(at.x + w / 2, at.y + apex)};
        FillPolygonWithColor(EditDC(params), p, 3, color, color);
    };
    if (params->enabled) {
        triangle(pos, clBtnText);
    } else {
        triangle(Point(pos.x + 1, pos.y + 1), clBtnHighlight);
        triangle(pos, clBtnShadow);
    }
}

void TdxBarPainter::FillSpinEditBk(P* params, const TRect& rect) const {
    DrawItemBk(params->GetItemControl(), EditDC(params), rect, EditPainted(params)->PaintedWindow()->BkBrush(), false);
}

// ---- progress bars -----------------------------------------------------------------------

namespace {
// The filled part of a progress bar, along the bar (downwards on vertical bars).
TRect ProgressFilledRect(TdxBarItemControlDrawParams* params, const TRect& rect) {
    auto* progress = dynamic_cast<TdxBarProgressControlDrawParams*>(params);
    TRect filled = rect;
    if (!progress || progress->max <= progress->min) return Rect(rect.left, rect.top, rect.left, rect.top);
    bool vertical = params->paintKind == 2;
    int extent = vertical ? RectHeight(rect) : RectWidth(rect);
    int length = MulDiv(extent, progress->position - progress->min, progress->max - progress->min);
    length = std::max(0, std::min(length, extent));
    (vertical ? filled.bottom : filled.right) = (vertical ? rect.top : rect.left) + length;
    return filled;
}
}  // namespace

void TdxBarPainter::DrawProgressBar(P* params, const TRect& rect, TColor color) const {
    DrawProgressBk(params, rect);
    TRect content = rect;
    GetProgressContentRect(params, content);
    TRect filled = ProgressFilledRect(params, content);
    auto* progress = dynamic_cast<TdxBarProgressControlDrawParams*>(params);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    if (progress && progress->solid)
        DrawProgressSolid(params, filled, brush);
    else
        DrawProgressBlocks(params, filled, brush);
    DeleteObject(brush);
}

void TdxBarPainter::DrawProgressBk(P* params, const TRect& rect) const {
    DrawItemBk(params->GetItemControl(), EditDC(params), rect, EditPainted(params)->PaintedWindow()->BkBrush(), false);
}

void TdxBarPainter::DrawProgressBlocks(P* params, const TRect& rect, HBRUSH brush) const {
    bool vertical = params->paintKind == 2;
    int start = vertical ? rect.top : rect.left, end = vertical ? rect.bottom : rect.right;
    int block = MulDiv(vertical ? RectWidth(rect) : RectHeight(rect), 2, 3);
    if (block <= 0) return;
    for (int from = start; from < end; from += block + 2) {
        int to = std::min(from + block, end);
        TRect r = vertical ? Rect(rect.left, from, rect.right, to) : Rect(from, rect.top, to, rect.bottom);
        DrawProgressBlock(params, r, brush);
        if (to == end) break;
    }
}

void TdxBarPainter::DrawProgressSolid(P* params, const TRect& rect, HBRUSH brush) const {
    FillRect(EditDC(params), &rect, brush);
}

// ---- static items and separators ---------------------------------------------------------

void TdxBarPainter::DrawStaticControl(P* params, TRect& rect, const TRect& indents) const {
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = EditPainted(params);
    HBRUSH brush = painted->PaintedWindow()->BkBrush();
    HDC dc = EditDC(params);
    if (params->paintKind == 2) {
        DrawItemBk(control, dc, Rect(rect.left, rect.top, rect.right, rect.top + indents.top), brush, false);
        DrawItemBk(control, dc, Rect(rect.left, rect.bottom - indents.bottom, rect.right, rect.bottom), brush, false);
        rect.top += indents.top;
        rect.bottom -= indents.bottom;
    } else {
        DrawItemBk(control, dc, Rect(rect.left, rect.top, rect.left + indents.left, rect.bottom), brush, false);
        DrawItemBk(control, dc, Rect(rect.right - indents.right, rect.top, rect.right, rect.bottom), brush, false);
        rect.left += indents.left;
        rect.right -= indents.right;
    }
    DrawStaticBorder(params, rect);
    painted->DrawStaticInterior(rect);
}

void TdxBarPainter::DrawStaticBorder(P* params, TRect& rect) const {
    auto* s = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    if (!s) return;
    HDC dc = EditDC(params);
    enum { none, lowered, raised, etched, bump };
    switch (s->borderStyle) {
        case none: return;
        case bump:
            DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
            InflateRect(&rect, -1, -1);
            DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
            InflateRect(&rect, -1, -1);
            return;
        default: {
            UINT edge = s->borderStyle == lowered ? BDR_SUNKENOUTER : s->borderStyle == raised ? BDR_RAISEDINNER
                                                                                              : EDGE_ETCHED;
            DrawEdge(dc, &rect, edge, BF_RECT);
            rect = Deflated(rect, s->borderWidths);
        }
    }
}

void TdxBarPainter::GetStaticBorderWidths(C*, int style, TRect& rect) const {
    static const int widths[5] = {0, 1, 1, 2, 2};  // none, lowered, raised, etched, bump
    int w = style >= 0 && style < 5 ? widths[style] : 0;
    rect = Rect(w, w, w, w);
}

void TdxBarPainter::DrawStaticBk(P* params, const TRect& rect) const {
    DrawItemBk(params->GetItemControl(), EditDC(params), rect, EditPainted(params)->BkBrush(),
               StaticHasOwnBrush(params));
}

bool TdxBarPainter::StaticHasOwnBrush(P* params) const { return EditPainted(params)->HasOwnBrush(); }

void TdxBarPainter::DrawStaticContent(P* params, const TRect& rect) const {
    auto* s = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(params);
    C* control = params->GetItemControl();
    IdxBarPaintedControl* painted = EditPainted(params);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    DrawStaticBk(params, rect);
    bool vertical = params->paintKind == 2, menu = params->paintKind == 1;
    bool glyph = params->viewStructure & glyphShown, text = params->viewStructure & textShown;
    int alignment = s ? s->alignment : 0;  // 0 left, 1 right, 2 centre
    bool centeredFlag = s && s->centered;
    if (glyph) {
        TRect g = rect;
        bool centred = centeredFlag && (!menu || !text);
        if (menu) {
            if (!centred) CalcMenuGlyphRect(rect, window->IconAreaWidth(), g);
        } else if (text) {
            (vertical ? g.bottom : g.right) =
                (vertical ? g.top + params->buttonSize.cy : g.left + params->buttonSize.cx);
        }
        DrawGlyphAndText(control, EditDC(params), g, TRect{}, params->paintKind, false, false, false, false, false,
                         centred, false, false);
    }
    if (!text) return;
    TRect t = rect;
    bool centredText = centeredFlag && alignment == 2;
    if (alignment != 0 && !centredText) {
        (vertical ? t.bottom : t.right) -= 2;
    } else {
        int indent;
        if (!glyph)
            indent = centredText ? 0 : window->TextSize() / 4;
        else if (menu)
            indent = alignment == 0 ? GetMenuTextIndent(params) : 0;
        else
            indent = (vertical ? params->buttonSize.cy : params->buttonSize.cx) + 2;
        (vertical ? t.top : t.left) += indent;
    }
    static const int aligns[3] = {0, 2, 1};  // left, right, centre as the text routine's alignment
    DrawItemText(control, EditDC(params), params->caption, t, aligns[alignment < 3 ? alignment : 0], params->enabled,
                 false, vertical, true, false, DT_SINGLELINE);
}

void TdxBarPainter::DrawSeparatorControl(P* params, const TRect& rect) const {
    auto* s = dynamic_cast<TdxBarSeparatorControlDrawParams*>(params);
    IdxBarPaintedWindow* window = EditPainted(params)->PaintedWindow();
    int height = GetSeparatorItemHeight();
    if (params->viewStructure & textShown) {
        DrawSeparatorCaption(params, rect);
        if (!(s && s->noTopLine))
            DrawMenuSeparatorLine(params->canvas, Rect(rect.left, rect.top, rect.right, rect.top + height));
        DrawMenuSeparatorLine(params->canvas, Rect(rect.left, rect.bottom - height, rect.right, rect.bottom));
    } else if (params->paintKind == 1) {
        DrawItemSeparator(window, params->GetItemControl(), params->canvas, rect);
    } else {
        DrawBarSeparator(window, EditDC(params), rect, window->BkBrush(), params->paintKind == 2);
    }
}

// ---- in-place sub items and the date navigator -------------------------------------------

int TdxBarPainter::GetInPlaceSubItemTextSize(P* params) const { return EditPainted(params)->PaintedWindow()->TextSize(); }

bool TdxBarPainter::IsInPlaceSubItemSel(P* params) const { return params->drawSelected; }

void TdxBarPainter::DrawInPlaceSubItemArrow(P* params, int direction, const TRect& rect) const {
    auto* button = dynamic_cast<BP*>(params);
    int width = button ? button->arrowWidth : 0, height = button ? button->arrowHeight : 0;
    TRect arrow = rect;
    arrow.left = rect.right - width + (EditPainted(params)->IsExpanded() ? 0 : height);
    TColor color = button ? GetCaptionColor(button) : clDefault;
    DrawLargeArrow(EditDC(params), arrow, direction, height, InPlaceArrowHighlighted(), params->enabled, IsFlatStyle(),
                   color);
}

void TdxBarPainter::DrawInPlaceSubItemBk(P* params, const TRect& rect) const {
    IdxBarPaintedWindow* window = EditPainted(params)->PaintedWindow();
    HDC dc = EditDC(params);
    TRect bottom = Rect(rect.left, rect.bottom - 1, rect.right, rect.bottom);
    FillRect(dc, &bottom, window->BkBrush());
    TRect rest = Rect(rect.left, rect.top, rect.right, rect.bottom - 1);
    DrawItemBk(params->GetItemControl(), dc, rest, params->drawSelected ? window->SelBrush() : GetShadowBrush(), true);
    if (params->drawSelected) DrawFlatSelectionFrame(dc, rest);
}

void TdxBarPainter::DrawInPlaceSubItem(P* params, const TRect& rect) const {
    DrawInPlaceSubItemBk(params, rect);
    TRect text = rect;
    text.left += GetInPlaceSubItemTextIndent();
    DrawItemText(params->GetItemControl(), EditDC(params), params->caption, text, 0, params->enabled,
                 IsInPlaceSubItemSel(params), false, false, false, DT_SINGLELINE);
    if (params->enabled) DrawInPlaceSubItemArrow(params, EditPainted(params)->IsExpanded() ? 1 : 3, rect);
}

void TdxBarPainter::DrawDateNavigatorButton(TdxBarItem*, HDC dc, const TRect& rect, const String& text,
                                            bool pushed) const {
    TRect r = rect;
    if (pushed) {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    } else {
        auto line = [dc](int l, int t, int rgt, int b, int index) { FillSolid(dc, Rect(l, t, rgt, b), index); };
        line(r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNTEXT);
        line(r.right - 1, r.top, r.right, r.bottom, COLOR_BTNTEXT);
        line(r.left, r.top, r.right - 1, r.top + 1, COLOR_BTNFACE);
        line(r.left, r.top, r.left + 1, r.bottom - 1, COLOR_BTNFACE);
        line(r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
        line(r.right - 2, r.top + 1, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
        line(r.left + 1, r.top + 1, r.right - 2, r.top + 2, COLOR_BTNHIGHLIGHT);
        line(r.left + 1, r.top + 1, r.left + 2, r.bottom - 2, COLOR_BTNHIGHLIGHT);
        line(r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_BTNFACE);
    }
    InflateRect(&r, -2, -2);
    DrawCenteredButtonText(dc, r, pushed ? 1 : 0, text, true);
}
