// The skinned painter: the skin contract, bar windows, buttons, glyphs, texts and marks.

#include "dxBarSkinnedPainter.h"

#include <algorithm>
#include <cmath>

#include "ImageList.h"
#include "StringList.h"
#include "cxGraphics.h"
#include "cxTextMeasuring.h"
#include "dxBarCanvas.h"
#include "dxBarDrawing.h"
#include "dxBarImageOptions.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarManager.h"

namespace {

// A skin that draws nothing: what a painter made without a skinned object draws through.
class TSkinnedPainterEmptySkin final : public IdxSkin {
public:
    void DrawSkinPart(HDC, const TRect&, int, int) override {}
    void DrawSkinPartCaption(HDC, const String&, const TRect&, int, int) override {}
    void CalcSkinCaptionRect(const TRect&, int, TRect& captionRect) override { captionRect = TRect{}; }
    void GetSkinPartContentOffsets(int, TRect& offsets) override { offsets = TRect{}; }
    void GetSkinName(String& name) override { name.clear(); }
    TColor GetSkinPartColor(int, int) override { return clNone; }
    int GetSkinPartOffset(int) override { return 0; }
};

HDC SkinnedParamsDC(TdxBarItemControlDrawParams* params) {
    return params && params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

IdxBarPaintedWindow* SkinnedWindowOf(TdxBarItemControl* control) {
    return PaintedControlOf(control)->PaintedWindow();
}

bool IsSkinnedLargeView(TdxBarItemControlDrawParams* params) { return params->DisplaySize() == 2; }

// "Wg" is the tallest line of the font.
int SkinnedRowHeight(HDC dc) { return SingleRowTextSize(dc, L"Wg").cy; }

// A blank and as many dots as make the text at least as wide as the small arrow: the room the
// arrow takes after a large button's caption.
String SkinnedArrowFiller(HDC dc, int arrowWidth) {
    String filler = L" ";
    do filler += L'.';
    while (SingleRowTextSize(dc, filler).cx < arrowWidth && filler.size() < 64);
    return filler;
}

// The large button's caption row with the arrow following the last line.
constexpr int largeTextRows = 2;

}  // namespace

void TdxBarSkinnedPainter::FillColor(HDC dc, const TRect& rect, TColor color) {
    if (color == clNone || IsRectEmpty(&rect)) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

TRect TdxBarSkinnedPainter::Centered(const TRect& area, int width, int height) {
    int x = area.left + (RectWidth(area) - width) / 2, y = area.top + (RectHeight(area) - height) / 2;
    return Rect(x, y, x + width, y + height);
}

void TdxBarSkinnedPainter::DrawSeparatorLines(HDC dc, const TRect& rect, bool horizontal, TColor first,
                                              TColor second) {
    if (horizontal) {
        int y = (rect.top + rect.bottom) / 2;
        FillColor(dc, Rect(rect.left, y, rect.right, y + 1), first);
        FillColor(dc, Rect(rect.left, y + 1, rect.right, y + 2), second);
    } else {
        int x = (rect.left + rect.right) / 2;
        FillColor(dc, Rect(x, rect.top, x + 1, rect.bottom), second);
        FillColor(dc, Rect(x + 1, rect.top, x + 2, rect.bottom), first);
    }
}

TdxBarSkinnedPainter::TdxBarSkinnedPainter(TObject* skinnedObject)
    : TdxBarOffice11Painter(nullptr), skinnedObject_(skinnedObject) {}

TdxBarSkinnedPainter::TdxBarSkinnedPainter(TcxLookAndFeelPainterClass data) : TdxBarOffice11Painter(data) {}

IdxSkin* TdxBarSkinnedPainter::GetSkin() const {
    static TSkinnedPainterEmptySkin empty;
    IdxSkin* skin = dynamic_cast<IdxSkin*>(skinnedObject_);
    return skin ? skin : &empty;
}

bool TdxBarSkinnedPainter::IsNamedSkin() const {
    String name;
    GetSkin()->GetSkinName(name);
    return !name.empty();
}

// ---- skin states ---------------------------------------------------------------------------

int TdxBarSkinnedPainter::GetBarSkinState(W* window) { return window && window->IsHotViewState() ? ssHot : ssNormal; }

int TdxBarSkinnedPainter::GetItemSkinState(P* params, int part) {
    if (params->hotPart == part && params->canSelect) return ssHot;
    if ((params->canSelect && params->drawSelected) || params->hotPart >= 0)
        return params->enabled ? ssActive : ssDisabledActive;
    return params->enabled ? ssNormal : ssDisabled;
}

int TdxBarSkinnedPainter::GetButtonPartSkinState(BP* params, int part) {
    if (params->customizing) return params->down ? ssChecked : params->droppedDown ? ssDroppedDown : ssNormal;
    bool split = params->isDropDown && params->isButton;
    if (part == 0) {
        if (params->pressed) return ssPressed;
        if (params->down) {
            if (params->droppedDown) return ssActive;
            return params->hotPart == 0 || (params->selectedByKey && !params->isDropDown) ? ssHotChecked : ssChecked;
        }
        if (params->droppedDown) return split ? ssActive : ssDroppedDown;
        return GetItemSkinState(params, 0);
    }
    if (part == 1) {
        if (params->droppedDown) return ssDroppedDown;
        if (params->down && params->hotPart < 0 && !params->selectedByKey) return ssChecked;
        return GetItemSkinState(params, 1);
    }
    return ssNormal;
}

// ---- IdxBarSkinPainter ---------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawBarPartState(W*, HDC dc, const TRect& rect, int state) const {
    if (state == 0) return;
    GetSkin()->DrawSkinPart(dc, rect, spButton, state == 1 ? ssActive : ssPressed);
}

void TdxBarSkinnedPainter::DrawSkinButtonFace(BP* params) const { DrawButtonFaceParts(params, SkinnedParamsDC(params)); }

void TdxBarSkinnedPainter::DrawButtonFaceParts(BP* params, HDC dc) const {
    IdxSkin* skin = GetSkin();
    IdxBarPaintedControl* painted = PaintedControlOf(params->GetItemControl());
    const bool split = params->isDropDown && params->isButton, large = IsSkinnedLargeView(params);
    const auto position = TGroupPosition(params->buttonGroupPosition);
    const int count = split ? 2 : 1;
    for (int index = 0; index < count; ++index) {
        int part = large ? (split ? (index == 0 ? spLargeSplitButtonMain : spLargeSplitButtonDropDown) : spLargeButton)
                         : (split ? (index == 0 ? spSplitButtonMain : spSplitButtonDropDown) : spButton);
        if (position != gpNone) part = spGroupButton;
        int state = GetButtonPartSkinState(params, index);
        TRect r = split ? painted->Part(index) : painted->Bounds();
        if (IsRectEmpty(&r)) r = painted->Bounds();
        // A split button's halves meet inside the group: the main half never ends it, the
        // drop-down half never starts it.
        TGroupPosition at = position;
        if (split && index == 0) at = at == gpLast ? gpMiddle : at == gpAlone ? gpFirst : at;
        if (split && index == 1) at = at == gpFirst ? gpMiddle : at == gpAlone ? gpLast : at;
        TRect left = Rect(r.left, r.top, r.left + 2, r.bottom), straddle = Rect(r.left - 1, r.top, r.left + 1, r.bottom);
        TRect right = Rect(r.right - 2, r.top, r.right, r.bottom), line = Rect(r.right - 1, r.top, r.right, r.bottom);
        bool hasLeft = false, hasStraddle = false, hasRight = false, hasLine = false;
        switch (at) {
            case gpFirst: hasLeft = hasStraddle = hasLine = true; r.left += 1; break;
            case gpMiddle: hasStraddle = hasLine = true; break;
            case gpLast: hasRight = hasStraddle = true; r.right -= 1; break;
            case gpAlone: hasLeft = hasRight = hasStraddle = true; r.left += 1; r.right -= 1; break;
            default: break;
        }
        skin->DrawSkinPart(dc, r, part, state);
        if (hasLeft) skin->DrawSkinPart(dc, left, spGroupLeftEdge, ssNormal);
        if (hasRight) skin->DrawSkinPart(dc, right, spGroupRightEdge, ssNormal);
        if (!split && hasLine) skin->DrawSkinPart(dc, line, spGroupSeparator, state);
        if (split && index == 1) {
            if (hasStraddle) skin->DrawSkinPart(dc, straddle, spGroupSplitSeparator, state);
            if (hasLine) skin->DrawSkinPart(dc, line, spGroupSeparator, state);
        }
    }
}

// ---- bars and captions ---------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawSkinCaption(W* window, HDC dc) const {
    IdxSkin* skin = GetSkin();
    TRect caption;
    skin->CalcSkinCaptionRect(window->WindowBounds(), spBar, caption);
    TRect buttons = window->CaptionButtonsRect();
    if (!IsRectEmpty(&buttons)) {
        TRect offsets;
        skin->GetSkinPartContentOffsets(spBar, offsets);
        caption.right -= RectWidth(buttons) + offsets.right;
    }
    skin->DrawSkinPartCaption(dc, window->Caption(), caption, spBar, GetBarSkinState(window));
}

void TdxBarSkinnedPainter::DrawBarBk(W* window) const {
    HWND handle = window->WindowHandle();
    HDC dc = handle ? GetDC(handle) : nullptr;
    if (!dc) return;
    TRect offsets;
    GetSkin()->GetSkinPartContentOffsets(spBar, offsets);
    POINT old{};
    SetWindowOrgEx(dc, offsets.left, offsets.top, &old);
    GetSkin()->DrawSkinPart(dc, window->WindowBounds(), spBar, GetBarSkinState(window));
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
    ReleaseDC(handle, dc);
}

void TdxBarSkinnedPainter::DrawBarNonClientArea(W* window) const {
    HWND handle = window->WindowHandle();
    HDC dc = handle ? GetWindowDC(handle) : nullptr;
    if (!dc) return;
    TRect offsets;
    GetSkin()->GetSkinPartContentOffsets(spBar, offsets);
    TRect client = window->ClientRect();
    OffsetRect(&client, offsets.left, offsets.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    GetSkin()->DrawSkinPart(dc, window->WindowBounds(), spBar, GetBarSkinState(window));
    DrawSkinCaption(window, dc);
    ReleaseDC(handle, dc);
}

void TdxBarSkinnedPainter::CalcFloatCaptionRect(const TRect& windowRect, TRect& captionRect) const {
    GetSkin()->CalcSkinCaptionRect(windowRect, spBar, captionRect);
}

void TdxBarSkinnedPainter::CalcBarNonClientOffsets(IdxBarPaintedBar*, TdxBarDockingStyle, bool, TRect& rect) const {
    GetSkin()->GetSkinPartContentOffsets(spBar, rect);
}

int TdxBarSkinnedPainter::GetBarGap() const { return GetSkin()->GetSkinPartOffset(spBar); }

int TdxBarSkinnedPainter::CalcBarItemHeight(W* window) const {
    int height = TdxBarOffice11Painter::CalcBarItemHeight(window);
    if (window->BarControlKind() == 2 && !window->UsesLargeMenuItems()) height += 2;
    return height;
}

void TdxBarSkinnedPainter::FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH,
                                           TColor) const {
    int saved = SaveDC(dc);
    IntersectClipRect(dc, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    GetSkin()->DrawSkinPart(dc, rect, spBar, GetBarSkinState(window));
    RestoreDC(dc, saved);
}

void TdxBarSkinnedPainter::SetBarWindowRegion(W* window) const {
    HWND handle = window->WindowHandle();
    if (!handle) return;
    TRect bounds = window->WindowBounds();
    HRGN region = CreateRoundRectRgn(0, 0, RectWidth(bounds) + 1, RectHeight(bounds) + 1, 2, 2);
    if (!SetWindowRgn(handle, region, TRUE)) DeleteObject(region);
}

void TdxBarSkinnedPainter::FillBarBk(W* window, HDC dc, const TRect& paintRect, const TRect&, HBRUSH, TColor) const {
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginDraw(dc);
    HDC target = canvas->GetCanvasHandle();
    IntersectClipRect(target, paintRect.left, paintRect.top, paintRect.right, paintRect.bottom);
    // The bar's part covers the whole window, non-client area included: the client area shows
    // its own piece of it.
    TRect offsets;
    GetSkin()->GetSkinPartContentOffsets(spBar, offsets);
    TRect bounds = window->WindowBounds();
    OffsetRect(&bounds, -offsets.left, -offsets.top);
    GetSkin()->DrawSkinPart(target, bounds, spBar, GetBarSkinState(window));
    canvas->EndDraw();
}

void TdxBarSkinnedPainter::DrawBarSeparator(W*, HDC dc, const TRect& rect, HBRUSH, bool horizontal) const {
    DrawSeparatorLines(dc, rect, horizontal, TColor(RGB(162, 166, 170)), TColor(RGB(230, 232, 235)));
}

void TdxBarSkinnedPainter::DrawMarkContent(W* window, HDC dc, const TRect& rect) const {
    int markState = window->MarkState();
    int state = markState == 1 ? ssHot : markState == 2 ? ssPressed : ssNormal;
    GetSkin()->DrawSkinPart(dc, rect, window->IsTruncated() ? spTruncatedMarkContent : spMarkContent, state);
}

// ---- buttons, glyphs and texts ---------------------------------------------------------------

void TdxBarSkinnedPainter::CalcButtonTextRect(BP* params, TRect& rect, const TRect& glyphRect, int& align) const {
    HDC dc = SkinnedParamsDC(params);
    IdxBarPaintedControl* painted = PaintedControlOf(params->GetItemControl());
    TRect button = rect;
    if (IsSkinnedLargeView(params)) {
        TRect text = Rect(0, 0, RectWidth(button), 0);
        CalcCaptionTextRect(params, text);
        int left = button.left + (RectWidth(button) - RectWidth(text)) / 2;
        rect = Rect(left, button.bottom - 1 - RectHeight(text), left + RectWidth(text), button.bottom - 1);
        align = 1;
        return;
    }
    rect.left = params->viewStructure & 1 ? glyphRect.right + 3 : rect.left + painted->CaptionIndent();
    int height = SkinnedRowHeight(dc);
    rect.top = button.top + (RectHeight(button) - height) / 2;
    rect.bottom = rect.top + height;
    align = 0;
}

TColor TdxBarSkinnedPainter::GetItemTextColor(C* control, bool, bool) const {
    P* params = control ? control->DrawParams() : nullptr;
    int state = params ? GetItemSkinState(params, 0) : ssNormal;
    bool menu = params && params->paintKind == 1;
    return GetSkin()->GetSkinPartColor(menu ? spMenuItemText : spItemText, state);
}

void TdxBarSkinnedPainter::GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                                     TColor& main) const {
    highlight = main = GetItemTextColor(control, selected, flat);
}

void TdxBarSkinnedPainter::DrawItemCaption(BP* params, const TRect& rect, int align, UINT flags) const {
    HDC dc = SkinnedParamsDC(params);
    C* control = params->GetItemControl();
    int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    TColor color;
    if (control) {
        TColor highlight;
        GetItemStyleTextColors(control, params->enabled, params->drawsHot, params->usesItemTextColor, highlight, color);
    } else {
        color = GetSkin()->GetSkinPartColor(spItemText, GetItemSkinState(params, 0));
    }
    SetTextColor(dc, ColorToRGB(color));
    if (IsSkinnedLargeView(params) && params->paintKind != 1 && params->canvas) {
        TStringList lines;
        WrapTextToLines(params->caption, params->canvas, rect, &lines);
        while (lines.Count() < largeTextRows) lines.Add(String());
        int rowHeight = SkinnedRowHeight(dc);
        for (int i = 0; i < lines.Count(); ++i) {
            TRect row = Rect(rect.left, rect.top + i * rowHeight, rect.right, rect.top + (i + 1) * rowHeight);
            String line = lines[i];
            if (i == lines.Count() - 1 && params->isDropDown) {
                // The arrow follows the last line; both are centred together.
                TSize arrowSize;
                GetSmallArrowSize(arrowSize);
                String filler = SkinnedArrowFiller(dc, arrowSize.cx);
                int lineWidth = SingleRowTextSize(dc, line).cx, fillerWidth = SingleRowTextSize(dc, filler).cx;
                int x = row.left + (RectWidth(row) - lineWidth - fillerWidth) / 2;
                TRect text = Rect(x, row.top, x + lineWidth, row.bottom);
                DrawTextW(dc, line.c_str(), int(line.length()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
                TRect fillerRect = Rect(text.right, row.top, text.right + fillerWidth, row.bottom);
                TRect arrow = Centered(fillerRect, arrowSize.cx, arrowSize.cy);
                arrow.left = fillerRect.right - arrowSize.cx;
                arrow.right = fillerRect.right;
                GetSkin()->DrawSkinPart(dc, arrow, spDropDownArrow, GetButtonPartSkinState(params, 1));
            } else {
                DrawTextW(dc, line.c_str(), int(line.length()), &row, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOCLIP);
            }
        }
    } else {
        static const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        TRect r = rect;
        UINT format = flags | alignments[align >= 0 && align < 3 ? align : 0];
        DrawTextW(dc, params->caption.c_str(), int(params->caption.length()), &r, format);
    }
    RestoreDC(dc, saved);
}

void TdxBarSkinnedPainter::CalcCaptionTextRect(P* params, TRect& rect) const {
    if (!IsSkinnedLargeView(params) || params->paintKind == 1) {
        TdxBarOffice11Painter::CalcCaptionTextRect(params, rect);
        return;
    }
    HDC dc = SkinnedParamsDC(params);
    String text = params->caption;
    if (params->isDropDown) {
        TSize arrow;
        GetSmallArrowSize(arrow);
        text += SkinnedArrowFiller(dc, arrow.cx);
    }
    TRect laidOut = CalcTextRectForRows(dc, text, largeTextRows, true);
    rect = Rect(rect.left, rect.top, rect.left + RectWidth(laidOut), rect.top + RectHeight(laidOut));
}

void TdxBarSkinnedPainter::AddCaptionIndent(BP* params, int& x) const {
    if (params->paintKind == 1 || IsSkinnedLargeView(params) || !params->isDropDown) return;
    x += params->arrowWidth;
    if (params->isButton) x += 2;
}

int TdxBarSkinnedPainter::GetColorButtonWidth(int paintKind, const TRect& rect) const {
    return IsNamedSkin() ? 19 : TdxBarOffice11Painter::GetColorButtonWidth(paintKind, rect);
}

void TdxBarSkinnedPainter::CalcDropDownArrowRect(BP* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (!params->isDropDown || partsHigh < 1) return;
    if (!IsSkinnedLargeView(params) || params->paintKind == 1) {
        TdxBarOffice11Painter::CalcDropDownArrowRect(params, parts, partsHigh, rect);
        return;
    }
    TRect text = CalcTextRectForRows(SkinnedParamsDC(params), params->caption, largeTextRows, true);
    int top = rect.bottom - RectHeight(text) - 2;
    parts[0] = Rect(rect.left, rect.top, rect.right, top);
    parts[1] = Rect(rect.left, top, rect.right, rect.bottom);
}

void TdxBarSkinnedPainter::CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const {
    TdxBarOffice11Painter::CalcSpinEditLayout(params, parts, partsHigh, rect);
    if (partsHigh < 4) return;
    if (!IsRectEmpty(&parts[3])) --parts[3].bottom;
    parts[0].right = parts[3].left;
}

int TdxBarSkinnedPainter::CalcTextItemHeight(TcxCanvas* canvas) const { return canvas->HeightOfText(L"Wg") + 3; }

void TdxBarSkinnedPainter::CalcLargeGlyphRect(C* control, const TSize& glyphSize, const TRect& area, int,
                                              Byte, TdxBarGlyphLayout, TRect& rect) const {
    int textHeight = 0;
    if (P* params = control ? control->DrawParams() : nullptr) {
        TRect text = Rect(0, 0, RectWidth(area), 0);
        CalcCaptionTextRect(params, text);
        textHeight = RectHeight(text);
    }
    TRect space = area;
    space.bottom -= textHeight;
    int left = area.left + (RectWidth(area) - glyphSize.cx) / 2;
    int top = space.top + (RectHeight(space) - glyphSize.cy) / 2;
    rect = Rect(left, top, left + glyphSize.cx, top + glyphSize.cy);
}

void TdxBarSkinnedPainter::DrawItemGlyph(C* control, HDC dc, const TRect& area, const TRect& glyphRect,
                                         int paintKind, TBitmap* glyph, TCustomImageList* images, int imageIndex,
                                         bool noGlyph, bool selected, bool down, bool pressed, bool, bool, bool grayGlyph,
                                         bool) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    P* params = control ? control->DrawParams() : nullptr;
    bool enabled = !params || params->enabled;
    if (paintKind == 1 && down) {
        int side = std::min(RectWidth(area), RectHeight(area));
        TRect check = Centered(area, side, side);
        InflateRect(&check, -1, -1);
        GetSkin()->DrawSkinPart(dc, check, noGlyph ? spMenuCheckMark : spMenuGlyphCheck,
                                enabled ? ssNormal : ssDisabled);
    }
    if (noGlyph) return;
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    TdxBarManager* manager = window->Manager();
    TdxBarGlyphFlags flags;
    flags.Enabled = painted->DrawsGlyphNormally(paintKind);
    flags.Grayed = grayGlyph;
    flags.Selected = selected;
    flags.Down = down;
    flags.Pressed = pressed;
    flags.Faded = UsesFadedDisabledImages(window);
    flags.Smooth = manager && manager->ImageOptions()->SmoothGlyphs();
    flags.LeftBottomPixelTransparent = manager && manager->ImageOptions()->UseLeftBottomPixelAsTransparent();
    TColor transparent = images ? images->BkColor() : clNone;
    DrawBarGlyph(dc, nullptr, glyphRect, area, glyph, images, imageIndex, transparent, flags);
}

int TdxBarSkinnedPainter::CalcComboArrowWidth(int size) const { return IsNamedSkin() ? 19 : size + 8; }

int TdxBarSkinnedPainter::GetItemTextIndent(P* params) const {
    if (IsSkinnedLargeView(params)) return SkinnedWindowOf(params->GetItemControl())->TextSize();
    return TdxBarOffice11Painter::GetItemTextIndent(params);
}

int TdxBarSkinnedPainter::GetButtonExtraHeight() const {
    TRect offsets;
    GetSkin()->GetSkinPartContentOffsets(spButton, offsets);
    return offsets.top + offsets.bottom;
}

int TdxBarSkinnedPainter::GetButtonExtraWidth() const {
    TRect offsets;
    GetSkin()->GetSkinPartContentOffsets(spButton, offsets);
    return offsets.left + offsets.right;
}

namespace {
// The glyph (at least 16) and the part's extra size, made even.
int SkinnedEvenButtonSize(int glyphSize, int extra) {
    int s = std::max(glyphSize, 16);
    return s + extra + ((s % 2 != 0) != (extra % 2 != 0) ? 1 : 0);
}
}  // namespace

int TdxBarSkinnedPainter::CalcButtonHeight(int glyphSize, int) const {
    return SkinnedEvenButtonSize(glyphSize, GetButtonExtraHeight());
}

int TdxBarSkinnedPainter::CalcButtonWidth(int glyphSize, int) const {
    return SkinnedEvenButtonSize(glyphSize, GetButtonExtraWidth());
}

void TdxBarSkinnedPainter::DrawButtonControl(BP* params, const TRect& rect) const {
    HDC dc = SkinnedParamsDC(params);
    C* control = params->GetItemControl();
    const bool split = params->isDropDown && params->isButton;
    if (params->paintKind == 1) {
        DrawMenuButtonItem(params, rect);
    } else {
        IdxFadingElementData* fading = control ? control->FadingData() : nullptr;
        if (!fading || !fading->DrawImage(dc, rect)) DrawButtonFaceParts(params, dc);
        TRect glyphRect;
        DrawButtonContent(control, dc, rect, rect, glyphRect, params->paintKind, params->viewStructure,
                          params->DisplaySize(), !(params->viewStructure & 1), params->drawSelected, params->down,
                          params->pressed, params->droppedDown, false, false, params->grayGlyph, split);
        DrawButtonCaption(params, rect, glyphRect);
    }
    if (params->isDropDown && !params->inMainMenu) {
        if (split)
            DrawSplitDropDownPart(params, rect);
        else
            DrawWholeButtonArrow(params, rect);
    }
}

void TdxBarSkinnedPainter::DrawButtonArrow(BP* params, const TRect& rect) const {
    HDC dc = SkinnedParamsDC(params);
    bool menu = params->paintKind == 1;
    IdxBarPaintedWindow* window = SkinnedWindowOf(params->GetItemControl());
    int width = params->arrowWidth > 0 ? params->arrowWidth : menu ? window->TextSize() : GetDropDownArrowWidth(nullptr);
    int right = rect.right - (menu ? 0 : GetBarEdgeKind());
    TRect arrow = Rect(right - width, rect.top, right, rect.bottom);
    if (menu) {
        DrawScaledArrow(window, dc, arrow, 3);
    } else if (!IsSkinnedLargeView(params)) {
        TSize size;
        GetSmallArrowSize(size);
        GetSkin()->DrawSkinPart(dc, Centered(arrow, size.cx, size.cy), spDropDownArrow,
                                GetButtonPartSkinState(params, 1));
    }
}

void TdxBarSkinnedPainter::DrawSplitDropDownPart(BP* params, const TRect& rect) const {
    DrawButtonArrow(params, rect);
    if (params->paintKind != 1 || IsSkinnedLargeView(params) || params->drawSelected) return;
    int height = RectHeight(rect);
    double r = std::max(1.0, double(height) / GetMinMenuItemHeight());
    int inset = int(std::nearbyint((height - 14 * r) / 2));
    int width = params->arrowWidth > 0 ? params->arrowWidth : SkinnedWindowOf(params->GetItemControl())->TextSize();
    TRect line = Rect(rect.right - width, rect.top + inset, rect.right - width + 1, rect.bottom - inset);
    FillColor(SkinnedParamsDC(params), line, GetSkin()->GetSkinPartColor(spMenuSplitLine, GetItemSkinState(params, 1)));
}

void TdxBarSkinnedPainter::DrawScaledArrow(W* window, HDC dc, const TRect& area, int direction) const {
    double r = window ? window->SizeRatio() : 1.0;
    int longSide = int(7 * r), shortSide = int(std::lround(4 * r));
    bool right = direction == 3;
    TRect arrow = Centered(area, right ? shortSide : longSide, right ? longSide : shortSide);
    GetSkin()->DrawSkinPart(dc, arrow, right ? spScaledArrowRight : spScaledArrow, ssNormal);
}
