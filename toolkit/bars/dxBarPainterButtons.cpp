// The base painter: buttons, glyphs, captions and arrows.

#include <cmath>
#include <cstdlib>

#include "Colors.h"
#include "ImageList.h"
#include "cxGraphics.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarImageOptions.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxOffice11.h"

namespace {

IdxBarPaintedWindow* PaintedWindowOf(TdxBarItemControl* control) {
    return PaintedControlOf(control)->PaintedWindow();
}

HDC ParamsDC(TdxBarItemControlDrawParams* params) {
    return params->canvas ? params->canvas->GetCanvasHandle() : nullptr;
}

bool IsLargeView(int viewSize) { return viewSize == 2; }
constexpr Byte glyphPartShown = 1, textPartShown = 2;

// The text without its accelerator ampersands ("&&" stays one "&"), and where the accelerator
// character is in it (-1 without one).
String StripAccelerator(const String& text, int& accelerator) {
    String result;
    accelerator = -1;
    for (int i = 0; i < int(text.length()); ++i) {
        if (text[i] == L'&' && i + 1 < int(text.length())) {
            ++i;
            if (text[i] != L'&' && accelerator < 0) accelerator = int(result.length());
        }
        result += text[i];
    }
    return result;
}

TSize TextExtent(HDC dc, const String& text) {
    TSize size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.length()), &size);
    return size;
}

}  // namespace

// ---- buttons -----------------------------------------------------------------------------

void TdxBarPainter::DrawButtonControl(BP* params, const TRect& rect) const {
    HDC dc = ParamsDC(params);
    C* control = params->GetItemControl();
    TRect r = rect;
    if (params->lowered) DrawLoweredFrame(dc, r);
    bool split = params->isDropDown && params->isButton;
    if (params->paintKind == 1) {
        DrawMenuButtonItem(params, r);
    } else {
        TRect content = r;
        if (split) content.right -= RectWidth(PaintedControlOf(control)->Part(1));
        bool large = IsLargeView(params->DisplaySize());
        TRect largeArea = r;
        if (large) {
            largeArea = content;
            InflateRect(&content, -1, -1);
            CalcPressedShift(params->down, params->pressed, content);
        }
        TRect glyphArea = params->flatOpenLook ? r : large ? largeArea : TRect{};
        TRect glyphRect;
        DrawButtonContent(control, dc, content, glyphArea, glyphRect, params->paintKind, params->viewStructure,
                          params->DisplaySize(), !(params->viewStructure & glyphPartShown), params->drawSelected,
                          params->down, params->pressed, params->droppedDown, false, false, params->grayGlyph, split);
        if (params->viewStructure & textPartShown) {
            int align = 0;
            CalcButtonTextRect(params, content, glyphRect, align);
            DrawItemText(control, dc, params->caption, content, align, params->enabled, params->drawsHot,
                         params->paintKind == 2, false, params->usesItemTextColor, DT_SINGLELINE);
        }
    }
    if (params->isDropDown && !params->inMainMenu) {
        if (split)
            DrawSplitDropDownPart(params, r);
        else
            DrawWholeButtonArrow(params, r);
    }
}

void TdxBarPainter::DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const {
    TRect r = rect;
    if (IsFlatStyle() && params->paintKind != 1) {
        // An open drop-down paints over a flat button itself.
        if (params->droppedDown) return;
        r.left -= 1;
    }
    DrawItemBk(params->GetItemControl(), ParamsDC(params), r, brush, FillsButtonBk(params));
}

bool TdxBarPainter::FillsButtonBk(P* params) const {
    if (PaintedControlOf(params->GetItemControl())->IsNonRecent()) return true;
    return IsFlatStyle() && (params->droppedDown || params->drawSelected);
}

void TdxBarPainter::DrawButtonCaption(BP* params, const TRect& rect, const TRect& glyphRect) const {
    if (!(params->viewStructure & textPartShown)) return;
    TRect r = rect;
    int align = 0;
    CalcButtonTextRect(params, r, glyphRect, align);
    DrawItemCaption(params, r, align, DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TdxBarPainter::DrawButtonArrow(BP* params, const TRect& rect) const {
    TRect r = rect;
    if (!IsFlatLook() && params->droppedDown && (RectWidth(r) >= 10 || params->paintKind == 1)) OffsetRect(&r, 1, 1);
    TColor color = GetCaptionColor(params);
    bool enabled = params->enabled && params->dropDownEnabled;
    HDC dc = ParamsDC(params);
    if (params->paintKind == 1)
        DrawLargeArrow(dc, r, 3, params->arrowHeight, DrawsArrowHighlighted(params), enabled, IsFlatLook(), color);
    else
        DrawSmallArrow(dc, r, 1, enabled, DrawsArrowHighlighted(params), IsFlatLook(), color);
}

void TdxBarPainter::DrawSplitDropDownPart(BP* params, const TRect& rect) const {
    TRect r = rect;
    r.left = r.right - params->arrowWidth;
    DrawButtonBk(params, r, GetItemBrush(params));
    DrawButtonArrow(params, r);
}

void TdxBarPainter::DrawWholeButtonArrow(BP* params, const TRect& rect) const {
    TRect r = rect;
    bool menu = params->paintKind == 1;
    if (!menu) CalcPressedShift(false, params->droppedDown, r);
    static const int directions[3] = {1, 3, 3};  // horizontal bar down, menu and vertical bar right
    int direction = directions[params->paintKind < 3 ? params->paintKind : 0];
    IdxBarPaintedWindow* window = PaintedWindowOf(params->GetItemControl());
    int textSize = window->TextSize(), fontHeight = window->FontHeight();
    TRect arrow = r;
    if (menu)
        arrow.left = r.right - textSize + params->arrowHeight;
    else if (params->paintKind == 0)
        arrow.left = r.right - textSize / 2 + fontHeight / 2;
    else
        arrow.top = r.bottom - textSize / 2 + fontHeight / 2;
    int size = params->arrowHeight - (menu ? 0 : 1);
    bool highlighted = menu ? params->drawSelected && !UsesFlatColors() : params->drawsHot;
    DrawLargeArrow(ParamsDC(params), arrow, direction, size, highlighted, params->enabled, IsFlatStyle(),
                   GetCaptionColor(params));
}

bool TdxBarPainter::DrawsArrowHighlighted(BP* params) const {
    bool menu = params->paintKind == 1;
    if (IsFlatStyle())
        return (IsButtonFaceWhite() && params->drawSelected && (menu || !params->droppedDown)) ||
               (menu && params->droppedDown);
    return IsFlatLook() && params->droppedDown;
}

void TdxBarPainter::CalcDropDownArrowRect(BP* params, TRect* parts, int partsHigh, const TRect& rect) const {
    if (!params->isDropDown || partsHigh < 1) return;
    parts[1] = rect;
    parts[1].left = rect.right - params->arrowWidth;
    parts[0] = rect;
    parts[0].right = parts[1].left;
}

void TdxBarPainter::DrawLoweredFrame(HDC dc, TRect& rect) const {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&rect, -1, -1);
}

void TdxBarPainter::CalcPressedShift(bool down, bool pressed, TRect& rect) const {
    if (IsFlatStyle()) return;
    if (down || pressed) OffsetRect(&rect, 1, 1);
    if (down && pressed && !IsFlatLook()) OffsetRect(&rect, 1, 1);
}

void TdxBarPainter::OffsetPressedRect(bool pressed, TRect& rect) const {
    if (pressed && !IsFlatStyle()) OffsetRect(&rect, 1, 1);
}

void TdxBarPainter::CalcButtonSize(int glyphSize, int textSize, TSize& size) const {
    size = TSize{CalcButtonWidth(glyphSize, textSize), CalcButtonHeight(glyphSize, textSize)};
}

int TdxBarPainter::GetDropDownArrowWidth(TdxBarManager* manager) const {
    int width = manager->ButtonArrowWidth();
    if (manager->LargeIcons()) width *= 2;
    if (width % 2 == 0) ++width;
    return width;
}

// No bar asks for it yet; the styles answer relative to the base's 0.
int TdxBarPainter::GetItemSpacing(TObject*) const { return 0; }

int TdxBarPainter::GetArrowIndent(C* control) const { return std::abs(PaintedWindowOf(control)->FontHeight()) / 2; }

void TdxBarPainter::DrawCenteredButtonText(HDC dc, const TRect& rect, int shift, const String& text,
                                           bool opaque) const {
    TSize extent = TextExtent(dc, text);
    COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    int oldMode = GetBkMode(dc);
    UINT options = ETO_CLIPPED;
    if (opaque)
        options |= ETO_OPAQUE;
    else
        SetBkMode(dc, TRANSPARENT);
    int x = (rect.left + rect.right - extent.cx) / 2 + shift;
    int y = (rect.top + rect.bottom - extent.cy) / 2 + shift;
    ExtTextOutW(dc, x, y, options, &rect, text.c_str(), UINT(text.length()), nullptr);
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

// ---- glyphs ------------------------------------------------------------------------------

void TdxBarPainter::DrawButtonContent(C* control, HDC dc, const TRect& rect, const TRect& glyphArea,
                                      TRect& glyphRect, int paintKind, Byte viewStructure, int viewSize,
                                      bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                                      bool centerInArea, bool plainBk, bool grayGlyph, bool split) const {
    TBitmap* glyph = nullptr;
    TCustomImageList* images = nullptr;
    int index = -1;
    CalcGlyphRect(control, rect, paintKind, viewStructure, viewSize, centerInArea, selected, down, pressed, noGlyph,
                  glyph, images, index, glyphRect);
    PaintedControlOf(control)->SetImageBounds(glyphRect);
    TRect area = IsRectEmpty(&glyphArea) ? rect : glyphArea;
    DrawItemGlyph(control, dc, area, glyphRect, paintKind, glyph, images, index, noGlyph, selected, down, pressed,
                  droppedDown, plainBk, grayGlyph, split);
}

void TdxBarPainter::DrawGlyphAndText(C* control, HDC dc, const TRect& rect, const TRect& glyphArea, int paintKind,
                                     bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                                     bool centerInArea, bool plainBk, bool split) const {
    TdxBarItemControlDrawParams* params = control ? control->DrawParams() : nullptr;
    Byte structure = params ? params->viewStructure : glyphPartShown;
    int size = params ? params->DisplaySize() : 0;
    TRect glyphRect;
    DrawButtonContent(control, dc, rect, glyphArea, glyphRect, paintKind, structure, size, noGlyph, selected, down,
                      pressed, droppedDown, centerInArea, plainBk, false, split);
}

void TdxBarPainter::CalcGlyphRect(C* control, const TRect& area, int paintKind, Byte viewStructure, int viewSize,
                                  bool centerInArea, bool, bool down, bool pressed, bool& noGlyph, TBitmap*& glyph,
                                  TCustomImageList*& images, int& imageIndex, TRect& glyphRect) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    TSize size = painted->GlyphSize(viewSize);
    if (!painted->GetImageInfo(viewSize, glyph, images, imageIndex)) noGlyph = true;
    if (IsLargeView(viewSize) && paintKind != 1) {
        CalcLargeGlyphRect(control, size, area, paintKind, viewStructure, painted->GlyphLayout(), glyphRect);
        return;
    }
    // Small glyphs sit in a fixed square at the start of a button; the caption follows.
    TRect centring = area;
    if (paintKind != 1 && !centerInArea && control) {
        TSize square = control->DrawParams()->buttonSize;
        if (paintKind == 0)
            centring.right = centring.left + square.cx;
        else
            centring.bottom = centring.top + square.cy;
    }
    TdxBarManager* manager = window->Manager();
    if (paintKind == 1) {
        if (manager && manager->StretchGlyphs()) {
            size.cx = int(std::lround(size.cx * window->SizeRatio()));
            size.cy = int(std::lround(size.cy * window->SizeRatio()));
            if ((RectWidth(centring) - size.cx) % 2 != 0 && (RectHeight(centring) - size.cy) % 2 != 0) {
                --size.cx;
                --size.cy;
            }
        }
    } else if (window->ShowsLargeIcons()) {
        TCustomImageList* large = manager ? manager->GetLargeImages() : nullptr;
        if (large)
            size = TSize{large->Width(), large->Height()};
        else if (!(manager && manager->UseLargeImagesForLargeIcons() && painted->HasLargeGlyph()))
            size = TSize{size.cx * 2, size.cy * 2};
    }
    int x = centring.left + (RectWidth(centring) - size.cx) / 2;
    int y = centring.top + (RectHeight(centring) - size.cy) / 2;
    glyphRect = Rect(x, y, x + size.cx, y + size.cy);
    if (down) OffsetRect(&glyphRect, GetDownGlyphShift(), GetDownGlyphShift());
    if (pressed) {
        int shift = GetPressedGlyphShift(control, down);
        OffsetRect(&glyphRect, shift, shift);
    }
}

void TdxBarPainter::CalcLargeGlyphRect(C*, const TSize& glyphSize, const TRect& area, int paintKind,
                                       Byte viewStructure, TdxBarGlyphLayout glyphLayout, TRect& rect) const {
    int w = glyphSize.cx, h = glyphSize.cy;
    int left = area.left + (RectWidth(area) - w) / 2, top = area.top + (RectHeight(area) - h) / 2;
    if (viewStructure & textPartShown) {
        bool vertical = paintKind == 2;  // the text runs downwards
        switch (glyphLayout) {
            case glLeft: vertical ? top = area.top + 4 : left = area.left + 4; break;
            case glRight: vertical ? top = area.bottom - h - 4 : left = area.right - w - 4; break;
            case glTop: vertical ? left = area.right - w - 2 : top = area.top + 2; break;
            case glBottom: vertical ? left = area.left + 2 : top = area.bottom - h - 2; break;
        }
    }
    rect = Rect(left, top, left + w, top + h);
}

void TdxBarPainter::DrawItemGlyph(C* control, HDC dc, const TRect& area, const TRect& glyphRect, int paintKind,
                                  TBitmap* glyph, TCustomImageList* images, int imageIndex, bool noGlyph,
                                  bool selected, bool down, bool pressed, bool droppedDown, bool plainBk,
                                  bool grayGlyph, bool split) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    IdxBarPaintedWindow* window = painted->PaintedWindow();
    TdxBarManager* manager = window->Manager();
    HBRUSH brush = GetGlyphBkBrush(control, paintKind, noGlyph, selected, down, pressed, droppedDown, plainBk,
                                   grayGlyph);
    TSize glyphSize{RectWidth(glyphRect), RectHeight(glyphRect)};
    if (noGlyph) {
        int managerSize = manager ? manager->GetGlyphSize() : 16;
        glyphSize = TSize{managerSize, managerSize};
    }
    bool hasRoom = RectWidth(area) >= glyphSize.cx + 2 && RectHeight(area) >= glyphSize.cy + 2;
    bool native = UsesNativeBk(window, area);
    if (native)
        DrawGlyphFrame(control, dc, brush, hasRoom, area, paintKind, noGlyph, selected, down, pressed, droppedDown,
                       split);
    TRect background = area;
    if (hasRoom) InflateRect(&background, -1, -1);
    bool paintsBk = DrawsGlyphBk(control);
    if (!native && (noGlyph || paintsBk))
        DrawItemBk(control, dc, background, brush, IsGlyphBkSolid(control, down, pressed, selected, noGlyph));
    if (noGlyph) {
        DrawMenuCheckMark(control, dc, background, paintKind, down);
    } else {
        TdxBarGlyphFlags flags;
        flags.Enabled = painted->DrawsGlyphNormally(paintKind);
        flags.Grayed = grayGlyph;
        flags.Effects = GlyphDrawOption() != 0;
        flags.Selected = selected;
        flags.Down = down;
        flags.Pressed = pressed;
        flags.Shadow = GlyphShadowOption() != 0;
        flags.Faded = UsesFadedDisabledImages(window);
        flags.Smooth = manager && manager->ImageOptions()->SmoothGlyphs();
        flags.LeftBottomPixelTransparent = manager && manager->ImageOptions()->UseLeftBottomPixelAsTransparent();
        TColor transparent = images ? images->BkColor() : clNone;
        DrawBarGlyph(dc, paintsBk ? nullptr : brush, glyphRect, background, glyph, images, imageIndex, transparent,
                     flags);
    }
    if (!native)
        DrawGlyphFrame(control, dc, brush, hasRoom, area, paintKind, noGlyph, selected, down, pressed, droppedDown,
                       split);
}

void TdxBarPainter::DrawMenuCheckMark(C* control, HDC dc, const TRect& rect, int paintKind, bool down) const {
    if (paintKind != 1 || !down) return;
    int size = PaintedWindowOf(control)->FontSize() < 16 ? 1 : 2;
    int x = (rect.left + rect.right - 9 * size) / 2, y = (rect.top + rect.bottom - 7 * size) / 2;
    DrawCheckMark(control, dc, x, y, size);
}

HBRUSH TdxBarPainter::GetGlyphBkBrush(C* control, int, bool, bool, bool, bool, bool, bool, bool) const {
    return PaintedControlOf(control)->BkBrush();
}

bool TdxBarPainter::DrawsGlyphBk(C* control) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    if (UsesNativeBk(painted->PaintedWindow(), painted->Bounds())) return true;
    if (painted->IsNonRecent()) return false;
    return painted->PaintedWindow()->HasBackgroundImage();
}

bool TdxBarPainter::IsGlyphBkSolid(C* control, bool state1, bool state2, bool state3, bool noGlyph) const {
    IdxBarPaintedControl* painted = PaintedControlOf(control);
    if (painted->IsNonRecent()) return true;
    return noGlyph ? state1 || state2 || state3 : painted->HasOwnBrush();
}

// ---- item backgrounds and frames ---------------------------------------------------------

HBRUSH TdxBarPainter::GetItemBrush(P* params) const { return PaintedControlOf(params->GetItemControl())->BkBrush(); }

void TdxBarPainter::DrawItemBk(C* control, HDC dc, const TRect& rect, HBRUSH brush, bool solid) const {
    if (solid)
        FillRect(dc, &rect, brush);
    else
        PaintedWindowOf(control)->FillBk(dc, rect, brush, clNone, true);
}

void TdxBarPainter::DrawItemFrame(C* control, HDC dc, const TRect& rect, HBRUSH brush, bool simple) const {
    if (simple) {
        FrameRectWithBrush(dc, rect, brush);
        return;
    }
    HRGN saved = SaveDCClipRegion(dc);
    ExcludeClipRect(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    DrawItemBk(control, dc, rect, brush, false);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarPainter::FillDisabledShadow(C*, HDC dc, const TRect& rect) const {
    FillRect(dc, &rect, HBRUSH(INT_PTR(COLOR_BTNSHADOW + 1)));
}

void TdxBarPainter::FillBkUnderItem(P* params, TcxCanvas* canvas, const TRect& rect, HBRUSH brush) const {
    PaintedWindowOf(params->GetItemControl())->FillBk(canvas->GetCanvasHandle(), rect, brush, clNone, true);
}

bool TdxBarPainter::IsItemDrawSel(P* params) const { return params->drawSelected; }

// ---- captions and text -------------------------------------------------------------------

void TdxBarPainter::DrawItemCaption(BP* params, const TRect& rect, int align, UINT flags) const {
    DrawItemText(params->GetItemControl(), ParamsDC(params), params->caption, rect, align, params->enabled,
                 params->drawsHot, params->paintKind == 2, false, params->usesItemTextColor, flags);
}

void TdxBarPainter::DrawItemText(C* control, HDC dc, const String& text, const TRect& rect, int align,
                                 bool enabled, bool selected, bool rotated, bool clip, bool flat, UINT flags) const {
    if (text.empty()) return;
    int saved = SaveDC(dc);
    UINT format = flags | DT_NOCLIP;
    TRect r = rect;
    String shown = text;
    int accelerator = -1;
    TSize extent{};
    if (rotated) {
        // The font runs downwards already: the text is placed and its accelerator underlined by
        // hand, as the system draws neither turned.
        if (clip) IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        shown = StripAccelerator(text, accelerator);
        extent = TextExtent(dc, shown);
        r.left += (RectWidth(rect) + extent.cy) / 2;
        int free = RectHeight(rect) - extent.cx;
        r.top += align == 0 ? 0 : align == 1 ? free / 2 : free;
        if (accelerator >= 0) format |= DT_NOPREFIX;
    } else {
        if (clip) format &= ~UINT(DT_NOCLIP);
        static const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        format |= alignments[align >= 0 && align < 3 ? align : 0] | DT_VCENTER;
    }
    TColor highlight = clNone, main = clNone;
    GetItemStyleTextColors(control, enabled, selected, IsFlatStyle() && flat, highlight, main);
    SetBkMode(dc, TRANSPARENT);
    auto draw = [&](TColor color, int shift) {
        SetTextColor(dc, ColorToRGB(color));
        if (rotated) {
            TRect moved = r;
            OffsetRect(&moved, shift, shift);
            ExtTextOutW(dc, moved.left, moved.top, 0, nullptr, shown.c_str(), UINT(shown.length()), nullptr);
            if (accelerator >= 0) {
                TEXTMETRICW metrics{};
                GetTextMetricsW(dc, &metrics);
                int x = (rect.left + rect.right - extent.cy) / 2 + metrics.tmDescent - 2 + shift;
                int from = moved.top + TextExtent(dc, shown.substr(0, accelerator)).cx;
                int to = from + TextExtent(dc, shown.substr(accelerator, 1)).cx;
                HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
                HGDIOBJ old = SelectObject(dc, pen);
                MoveToEx(dc, x, from, nullptr);
                LineTo(dc, x, to);
                SelectObject(dc, old);
                DeleteObject(pen);
            }
        } else {
            TRect moved = r;
            OffsetRect(&moved, shift, shift);
            DrawTextW(dc, shown.c_str(), int(shown.length()), &moved, format);
        }
    };
    // Disabled text of a raised look is engraved: the highlight one pixel down and right, under.
    if (highlight != main) draw(highlight, 1);
    draw(main, 0);
    RestoreDC(dc, saved);
}

void TdxBarPainter::CalcButtonTextRect(BP* params, TRect& rect, const TRect& glyphRect, int& align) const {
    bool vertical = params->paintKind == 2;
    C* control = params->GetItemControl();
    if (IsLargeView(params->DisplaySize())) {
        align = 1;
        switch (PaintedControlOf(control)->GlyphLayout()) {
            case glLeft:
                align = 0;
                vertical ? rect.top = glyphRect.bottom + 3 : rect.left = glyphRect.right + 3;
                break;
            case glRight:
                align = 2;
                vertical ? rect.bottom = glyphRect.top - 3 : rect.right = glyphRect.left - 3;
                break;
            case glTop: vertical ? rect.right = glyphRect.left : rect.top = glyphRect.bottom; break;
            case glBottom: vertical ? rect.left = glyphRect.right : rect.bottom = glyphRect.top; break;
        }
        return;
    }
    align = 0;
    int indent = params->viewStructure & glyphPartShown
                     ? (vertical ? params->buttonSize.cy : params->buttonSize.cx)
                     : PaintedControlOf(control)->CaptionIndent();
    (vertical ? rect.top : rect.left) += indent;
    if (!ShowsSubItemSel(control)) CalcPressedShift(params->down, params->pressed, rect);
}

void TdxBarPainter::CalcCaptionTextRect(P* params, TRect& rect) const {
    HDC dc = ParamsDC(params);
    DrawTextW(dc, params->caption.c_str(), int(params->caption.length()), &rect, DT_CALCRECT | DT_SINGLELINE);
}

void TdxBarPainter::AddCaptionIndent(BP* params, int& x) const {
    if (params->isButton) {
        if (params->paintKind == 1 || !params->isDropDown) return;
        TRect margins;
        GetGlyphMargins(margins);
        x += margins.right + params->arrowWidth;
    } else if (!params->inMainMenu) {
        x += PaintedWindowOf(params->GetItemControl())->TextSize() / 2;
    }
}

int TdxBarPainter::GetItemTextIndent(P* params) const {
    return PaintedWindowOf(params->GetItemControl())->IconAreaWidth();
}

int TdxBarPainter::CalcTextItemHeight(TcxCanvas* canvas) const { return canvas->HeightOfText(L"Wg") + 6; }

TColor TdxBarPainter::GetItemTextColor(C*, bool selected, bool flat) const {
    return selected && !flat ? clHighlightText : clBtnText;
}

void TdxBarPainter::GetDisabledItemTextColors(C*, bool selected, bool flat, TColor& highlight, TColor& main) const {
    if (selected || flat) {
        highlight = main = TColor(GetSysColor(COLOR_GRAYTEXT));
    } else {
        highlight = TColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        main = TColor(GetSysColor(COLOR_BTNSHADOW));
    }
}

void TdxBarPainter::GetItemStyleTextColors(C* control, bool enabled, bool selected, bool flat, TColor& highlight,
                                           TColor& main) const {
    if (!enabled) {
        GetDisabledItemTextColors(control, selected, flat, highlight, main);
        return;
    }
    TColor color = PaintedControlOf(control)->StyleTextColor();
    if (color == clDefault) color = GetBarItemTextColor(control, selected, flat);
    highlight = main = color;
}

TColor TdxBarPainter::GetCaptionColor(BP* params) const {
    if (!UsesItemTextColor(params)) return clDefault;
    TColor highlight, main;
    GetItemStyleTextColors(params->GetItemControl(), params->enabled, params->drawsHot, params->usesItemTextColor,
                           highlight, main);
    return main;
}

// ---- arrows ------------------------------------------------------------------------------

void TdxBarPainter::DrawSmallArrow(HDC dc, const TRect& rect, int direction, bool enabled, bool highlighted,
                                   bool flat, TColor color) const {
    DrawArrowFittedToRect(dc, rect, direction, enabled, highlighted, flat, color);
}

void TdxBarPainter::DrawLargeArrow(HDC dc, const TRect& rect, int direction, int size, bool highlighted,
                                   bool enabled, bool flat, TColor color) const {
    PaintLargeArrow(dc, rect, direction, size, highlighted, enabled, flat, color);
}

void TdxBarPainter::DrawLargeDropDownArrow(P* params, const TRect& rect, int size, TColor color) const {
    if (!IsFlatStyle() && !params->enabled) color = clDefault;
    DrawLargeArrow(ParamsDC(params), rect, 1, size, false, params->enabled, IsFlatStyle(), color);
}
