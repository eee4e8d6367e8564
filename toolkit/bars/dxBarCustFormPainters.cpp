#include "dxBarCustFormPainters.h"

#include <algorithm>

#include "Canvas.h"
#include "ImageList.h"
#include "dxBarButton.h"
#include "dxBarDrawing.h"
#include "dxBarEdit.h"
#include "dxBarFlatPainter.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarOffice11Colors.h"
#include "dxBarOffice11Painter.h"
#include "dxBarSubItem.h"
#include "dxBarTextHelpers.h"
#include "dxBarXPPainter.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

bool ButtonFaceIsWhite() { return ColorToRGB(clBtnFace) == 0xFFFFFF; }

bool IsDropDownButton(TdxBarItem* item) {
    auto* button = As<TdxBarButton>(item);
    return button && button->ButtonStyle() == bsDropDown;
}

// A container that shows its contents in place of its own link (a list of entries).
bool ExpandsInPlace(TdxBarItem* item) {
    auto* container = As<TCustomdxBarContainerItem>(item);
    return container && container->HidesOwnLink();
}

void FillSolid(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

void FrameSolid(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FrameRect(rect);
}

void EdgeRect(TCanvas* canvas, const TRect& rect, UINT edge, UINT flags) {
    RECT r = rect;
    DrawEdge(canvas->Handle(), &r, edge, flags);
}

// The text on one line, vertically centred, no prefix processing, on a clear background.
void DrawLineText(TCanvas* canvas, const TRect& rect, const String& text, TColor color, bool clip) {
    canvas->Font()->SetColor(color);
    canvas->Brush()->SetStyle(bsClear);
    TRect r = rect;
    canvas->TextRect(r, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (clip ? 0 : DT_NOCLIP));
    canvas->Brush()->SetStyle(bsSolid);
}

// The item's glyph centred in the strip; background nil keeps what is under it.
void DrawItemGlyph(TCanvas* canvas, const TRect& strip, TdxBarItem* item, HBRUSH background) {
    TSize size = TdxBarCustomizationFormPainter::GetGlyphSize(item);
    TRect glyph(strip.left + (RectWidth(strip) - size.cx) / 2, strip.top + (RectHeight(strip) - size.cy) / 2, 0, 0);
    glyph.right = glyph.left + size.cx;
    glyph.bottom = glyph.top + size.cy;
    TdxBarManager* manager = item->BarManager();
    TdxBarGlyphFlags flags;
    flags.Selected = true;
    DrawBarGlyph(canvas->Handle(), background, glyph, strip, item->Glyph(), item->GetImages(),
                 item->GetDisplayImageIndex(), manager ? manager->ImageListBkColor() : clNone, flags);
}

void DrawGlyphOnColor(TCanvas* canvas, const TRect& strip, TdxBarItem* item, TColor color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    DrawItemGlyph(canvas, strip, item, brush);
    DeleteObject(brush);
}

TColor FlatLightColor(TdxBarItem* item) {
    TdxBarManager* manager = item ? item->BarManager() : nullptr;
    return manager ? manager->GetFlatLightColor() : clHighlight;
}

// A themed part; false (nothing drawn) without visual styles.
bool DrawThemed(TCanvas* canvas, TdxThemedObjectType type, int part, int state, const TRect& rect) {
    if (!AreThemesAvailable()) return false;
    HTHEME theme = GetThemeHandle(type);
    if (!theme) return false;
    RECT r = rect;
    DrawThemeBackground(theme, canvas->Handle(), part, state, &r, nullptr);
    return true;
}

}  // namespace

// ---- base ---------------------------------------------------------------------------------

TSize TdxBarCustomizationFormPainter::GetGlyphSize(TdxBarItem* item) {
    TBitmap* glyph = item->Glyph();
    if (glyph && !glyph->Empty()) return TSize(glyph->Width(), glyph->Height());
    TCustomImageList* images = item->GetImages();
    return images ? TSize(images->Width(), images->Height()) : TSize(0, 0);
}

bool TdxBarCustomizationFormPainter::HasGlyph(TdxBarItem* item) {
    return (item->Glyph() && !item->Glyph()->Empty()) || item->HasImage();
}

bool TdxBarCustomizationFormPainter::HasArrow(TdxBarItem* item) {
    if (IsDropDownButton(item)) return true;
    if (As<TCustomdxBarContainerItem>(item)) return !ExpandsInPlace(item);
    return As<TCustomdxBarSubItem>(item) != nullptr;
}

TColor TdxBarCustomizationFormPainter::GetBkColor(bool selected, TdxBarItem*) const {
    return selected ? clHighlight : clBtnFace;
}

TColor TdxBarCustomizationFormPainter::GetTextColor(bool selected) const {
    return selected ? clHighlightText : clBtnText;
}

TColor TdxBarCustomizationFormPainter::GetListColor() const { return clBtnFace; }

TColor TdxBarCustomizationFormPainter::GetSideStripColor(bool selected, TdxBarItem* item) const {
    return GetBkColor(selected, item);
}

void TdxBarCustomizationFormPainter::CalcEntryRects(TdxBarItem* item, const TRect& rect, TRect& arrowRect,
                                                    TRect& textRect, TRect& sideStripRect) const {
    arrowRect = textRect = sideStripRect = rect;
    sideStripRect.right = sideStripRect.left + RectHeight(rect);
    textRect.left = sideStripRect.right + 5;
    if (IsDropDownButton(item)) textRect.right -= 13;
    arrowRect.left = textRect.right;
}

void TdxBarCustomizationFormPainter::DrawEntryBackground(TCanvas* canvas, TdxBarItem* item, bool selected,
                                                         const TRect& arrowRect, const TRect& sideStripRect,
                                                         const TRect& rect) const {
    FillSolid(canvas, rect, GetBkColor(selected, item));
    FillSolid(canvas, sideStripRect, GetSideStripColor(selected && !HasGlyph(item), item));
    if (IsDropDownButton(item)) DrawDropDownPart(canvas, arrowRect, selected, item);
}

void TdxBarCustomizationFormPainter::DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected,
                                                      TdxBarItem* item) const {
    TRect inside = rect;
    if (selected) {
        EdgeRect(canvas, rect, BDR_RAISEDINNER, BF_RECT);
        InflateRect(&inside, -1, -1);
    } else {
        TRect line = rect;
        line.left -= 1;
        EdgeRect(canvas, line, EDGE_ETCHED, BF_LEFT);
        inside.left = line.left + 2;
    }
    FillSolid(canvas, inside, GetBkColor(false, item));
}

void TdxBarCustomizationFormPainter::DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected,
                                                    TdxBarItem* item) const {
    if (selected) EdgeRect(canvas, rect, BDR_RAISEDINNER, BF_RECT);
    DrawItemGlyph(canvas, rect, item, nullptr);
}

void TdxBarCustomizationFormPainter::DrawSubMenuArrow(TCanvas* canvas, int x, bool selected, int y) const {
    TColor color = selected && ButtonFaceIsWhite() ? clWhite : canvas->Font()->Color();
    TPoint points[3] = {TPoint(x, y), TPoint(x, y + 6), TPoint(x + 3, y + 3)};
    FillPolygonWithColor(canvas->Handle(), points, 3, color, color);
}

void TdxBarCustomizationFormPainter::DrawEntryCaption(TCanvas* canvas, const TRect& rect, bool selected,
                                                      const String& caption, TdxBarItem* item) const {
    String text = ExpandsInPlace(item) ? L"(" + caption + L")" : caption;
    DrawLineText(canvas, rect, text, GetTextColor(selected), false);
}

void TdxBarCustomizationFormPainter::DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected,
                                                   const String& caption, TdxBarItem* item) const {
    TRect arrowRect, textRect, sideStripRect;
    CalcEntryRects(item, rect, arrowRect, textRect, sideStripRect);
    DrawEntryBackground(canvas, item, selected, arrowRect, sideStripRect, rect);
    if (HasGlyph(item)) DrawEntryGlyph(canvas, sideStripRect, selected, item);
    DrawEntryCaption(canvas, textRect, selected, caption, item);
    if (HasArrow(item)) DrawSubMenuArrow(canvas, rect.right - 9, selected, rect.top + (GetEntryHeight() - 7) / 2);
}

void TdxBarCustomizationFormPainter::DrawCheckBox(TCanvas* canvas, const TRect& rect, bool checked,
                                                  bool enabled) const {
    RECT r = rect;
    InflateRect(&r, -1, -1);
    UINT state = DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE);
    DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, state);
}

void TdxBarCustomizationFormPainter::DrawEditEntry(TCanvas* canvas, const TRect& rect, TdxBarItem* item,
                                                   bool selected, bool hasButton) const {
    TRect r = rect;
    DrawEditCaption(canvas, r, selected, item);
    DrawEditFrame(canvas, r, selected, item);
    DrawEditBody(canvas, r, hasButton, selected, item);
}

void TdxBarCustomizationFormPainter::DrawEditCaption(TCanvas* canvas, TRect& rect, bool selected,
                                                     TdxBarItem* item) const {
    String text = StripCaptionAmpersands(item->GetCaption());
    TRect box = rect;
    box.right = box.left + canvas->TextWidth(text);
    DrawCaptionBox(canvas, box, selected, item, text);
    rect.left = box.right;
}

void TdxBarCustomizationFormPainter::DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item,
                                                    const String& text) const {
    TRect box = rect;
    box.right += 7;
    FillSolid(canvas, box, GetBkColor(selected, item));
    TRect textRect = box;
    textRect.left += 2;
    DrawLineText(canvas, textRect, text, GetTextColor(selected), true);
    rect.right = box.right;
}

void TdxBarCustomizationFormPainter::DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected,
                                                   TdxBarItem*) const {
    if (selected)
        EdgeRect(canvas, rect, BDR_SUNKENOUTER, BF_RECT);
    else
        canvas->FrameRect(rect);
    TRect inner = rect;
    InflateRect(&inner, -1, -1);
    canvas->FrameRect(inner);
    InflateRect(&rect, -2, -2);
}

void TdxBarCustomizationFormPainter::DrawEditBody(TCanvas* canvas, TRect rect, bool hasButton, bool selected,
                                                  TdxBarItem* item) const {
    if (hasButton) {
        TRect button = rect;
        button.left = rect.right - GetComboButtonWidth();
        rect.right = button.left;
        DrawComboButton(canvas, item, selected, button);
    }
    DrawEditInterior(canvas, rect, selected, item);
}

void TdxBarCustomizationFormPainter::DrawEditInterior(TCanvas* canvas, const TRect& rect, bool,
                                                      TdxBarItem* item) const {
    canvas->Font()->SetColor(GetTextColor(false));
    item->FillCommandListBk(canvas, rect);
}

void TdxBarCustomizationFormPainter::DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected,
                                                     const TRect& rect) const {
    TRect r = rect;
    r.left += 1;
    TColor lineColor;
    if (selected) {
        EdgeRect(canvas, r, BDR_RAISEDINNER, BF_RECT);
        lineColor = GetBkColor(false, item);
    } else {
        FrameSolid(canvas, r, clBtnHighlight);
        lineColor = clBtnHighlight;
    }
    FillSolid(canvas, TRect(r.left - 1, r.top, r.left, r.bottom), lineColor);
    TRect inside = r;
    InflateRect(&inside, -1, -1);
    FillSolid(canvas, inside, GetBkColor(false, item));
    TRect arrow = inside;
    InflateRect(&arrow, 2, 2);
    DrawArrowFittedToRect(canvas->Handle(), arrow, adDown, true, false, false, clBtnText);
}

void TdxBarCustomizationFormPainter::DrawFocusFrame(TCanvas* canvas, const TRect& rect, TdxBarItem* item) const {
    HDC dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(GetTextColor(true)));
    SetBkColor(dc, ColorToRGB(GetBkColor(true, item)));
    RECT r = rect;
    DrawFocusRect(dc, &r);
}

void TdxBarCustomizationFormStandardPainter::DrawFocusFrame(TCanvas* canvas, const TRect& rect,
                                                            TdxBarItem* item) const {
    TRect r = rect;
    InflateRect(&r, -2, -2);
    TdxBarCustomizationFormPainter::DrawFocusFrame(canvas, r, item);
}

// ---- flat ---------------------------------------------------------------------------------

TColor TdxBarCustomizationFormFlatPainter::GetBkColor(bool selected, TdxBarItem* item) const {
    return selected ? FlatLightColor(item) : clWindow;
}

TColor TdxBarCustomizationFormFlatPainter::GetTextColor(bool selected) const {
    return selected && ButtonFaceIsWhite() ? clBtnFace : clBtnText;
}

TColor TdxBarCustomizationFormFlatPainter::GetSideStripColor(bool, TdxBarItem* item) const {
    return GetBkColor(true, item);
}

void TdxBarCustomizationFormFlatPainter::DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected,
                                                       const String& caption, TdxBarItem* item) const {
    TdxBarCustomizationFormPainter::DrawMenuEntry(canvas, rect, selected, caption, item);
    if (selected) FrameHighlightRect(canvas->Handle(), rect);
}

void TdxBarCustomizationFormFlatPainter::DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected,
                                                          TdxBarItem* item) const {
    FillSolid(canvas, rect, GetBkColor(selected, item));
    if (selected)
        FrameHighlightRect(canvas->Handle(), rect);
    else
        FrameSolid(canvas, rect, clBtnShadow);
}

void TdxBarCustomizationFormFlatPainter::DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected,
                                                        TdxBarItem* item) const {
    DrawGlyphOnColor(canvas, rect, item, GetSideStripColor(selected, item));
}

void TdxBarCustomizationFormFlatPainter::DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected,
                                                        TdxBarItem* item, const String& text) const {
    TRect box = rect;
    box.right += 11;
    FillSolid(canvas, box, GetBkColor(selected, item));
    if (selected) FrameHighlightRect(canvas->Handle(), TRect(box.left, box.top, box.right + 1, box.bottom));
    TRect textRect = box;
    textRect.left += 5;
    DrawLineText(canvas, textRect, text, GetTextColor(selected), true);
    rect.right = box.right;
}

void TdxBarCustomizationFormFlatPainter::DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected,
                                                       TdxBarItem* item) const {
    canvas->Brush()->SetColor(GetBkColor(false, item));
    if (selected)
        FrameHighlightRect(canvas->Handle(), rect);
    else
        FrameSolid(canvas, rect, clBtnShadow);
    InflateRect(&rect, -1, -1);
}

void TdxBarCustomizationFormFlatPainter::DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected,
                                                         const TRect& rect) const {
    TRect inside = rect;
    if (selected) {
        TRect r = rect;
        InflateRect(&r, 1, 1);
        FrameHighlightRect(canvas->Handle(), r);
        inside = r;
        InflateRect(&inside, -1, -1);
        FillSolid(canvas, inside, FlatLightColor(item));
        InflateRect(&inside, -1, -1);
    } else {
        TRect r = rect;
        r.left += 1;
        FrameSolid(canvas, r, clBtnHighlight);
        FillSolid(canvas, TRect(r.left - 1, r.top, r.left, r.bottom), clBtnHighlight);
        inside = r;
        InflateRect(&inside, -1, -1);
        FillSolid(canvas, inside, GetBkColor(false, item));
    }
    DrawArrowFittedToRect(canvas->Handle(), inside, adDown, true, selected && ButtonFaceIsWhite(), true);
}

// ---- Office style -------------------------------------------------------------------------

TColor TdxBarCustomizationFormOffice11Painter::GetBkColor(bool selected, TdxBarItem*) const {
    return selected ? BarOffice11Colors().HotColor : BarOffice11Colors().MenuColor;
}

TColor TdxBarCustomizationFormOffice11Painter::GetTextColor(bool selected) const {
    return selected && ButtonFaceIsWhite() ? clBtnFace : BarOffice11Colors().TextColor;
}

TColor TdxBarCustomizationFormOffice11Painter::GetListColor() const { return Office11Colors().FaceColor; }

void TdxBarCustomizationFormOffice11Painter::DrawEntryBackground(TCanvas* canvas, TdxBarItem* item, bool selected,
                                                                 const TRect& arrowRect, const TRect& sideStripRect,
                                                                 const TRect& rect) const {
    FillSolid(canvas, rect, GetBkColor(selected, item));
    if (!selected)
        FillRectWithMidpointGradient(canvas->Handle(), sideStripRect, BarOffice11Colors().MenuBandColor1,
                                     BarOffice11Colors().MenuBandColor2, true);
    if (IsDropDownButton(item)) DrawDropDownPart(canvas, arrowRect, selected, item);
}

void TdxBarCustomizationFormOffice11Painter::DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected,
                                                           const String& caption, TdxBarItem* item) const {
    TdxBarCustomizationFormFlatPainter::DrawMenuEntry(canvas, rect, selected, caption, item);
    if (selected) Office11FrameRect(canvas->Handle(), rect);
}

void TdxBarCustomizationFormOffice11Painter::DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected,
                                                              TdxBarItem* item) const {
    if (selected)
        Office11FrameRect(canvas->Handle(), rect);
    else
        FrameSolid(canvas, rect, BarOffice11Colors().BorderColor);
    TRect inside = rect;
    InflateRect(&inside, -1, -1);
    FillSolid(canvas, inside, GetBkColor(selected, item));
}

void TdxBarCustomizationFormOffice11Painter::DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool,
                                                            TdxBarItem* item) const {
    DrawItemGlyph(canvas, rect, item, nullptr);
}

void TdxBarCustomizationFormOffice11Painter::DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected,
                                                            TdxBarItem* item, const String& text) const {
    TRect box = rect;
    box.right += RectHeight(rect) + 11;
    FillSolid(canvas, box, GetBkColor(selected, item));
    TRect square(box.left, box.top, box.left + RectHeight(box), box.bottom);
    if (selected)
        Office11FrameRect(canvas->Handle(), TRect(box.left, box.top, box.right + 1, box.bottom));
    else
        FillRectWithMidpointGradient(canvas->Handle(), square, BarOffice11Colors().MenuBandColor1,
                                     BarOffice11Colors().MenuBandColor2, true);
    TRect textRect = box;
    textRect.left = square.right + 5;
    DrawLineText(canvas, textRect, text, GetTextColor(selected), true);
    rect.right = box.right;
}

void TdxBarCustomizationFormOffice11Painter::DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected,
                                                           TdxBarItem*) const {
    if (selected)
        Office11FrameRect(canvas->Handle(), rect);
    else
        FrameSolid(canvas, rect, BarOffice11Colors().BorderColor);
    InflateRect(&rect, -1, -1);
}

void TdxBarCustomizationFormOffice11Painter::DrawComboButton(TCanvas* canvas, TdxBarItem*, bool selected,
                                                             const TRect& rect) const {
    TRect inside = rect;
    if (selected) {
        TRect r = rect;
        InflateRect(&r, 1, 1);
        Office11FrameRect(canvas->Handle(), r);
        inside = r;
        InflateRect(&inside, -1, -1);
        FillSolid(canvas, inside, BarOffice11Colors().HotColor);
        InflateRect(&inside, -1, -1);
    } else {
        TRect r = rect;
        r.left += 1;
        FrameSolid(canvas, r, clWindow);
        FillSolid(canvas, TRect(r.left - 1, r.top, r.left, r.bottom), clWindow);
        inside = r;
        InflateRect(&inside, -1, -1);
        FillSolid(canvas, inside, Office11Colors().FaceColor);
    }
    DrawArrowFittedToRect(canvas->Handle(), inside, adDown, true, selected && ButtonFaceIsWhite(), true);
}

// ---- XP (visual styles) -------------------------------------------------------------------

void TdxBarCustomizationFormXPPainter::DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool,
                                                        TdxBarItem* item) const {
    FillSolid(canvas, rect, GetBkColor(false, item));
    DrawThemed(canvas, totToolBar, 1, 2, rect);
}

void TdxBarCustomizationFormXPPainter::DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected,
                                                      TdxBarItem* item) const {
    if (selected && As<TdxBarButton>(item)) DrawThemed(canvas, totToolBar, 1, 2, rect);
    DrawItemGlyph(canvas, rect, item, nullptr);
}

void TdxBarCustomizationFormXPPainter::DrawComboButton(TCanvas* canvas, TdxBarItem*, bool,
                                                       const TRect& rect) const {
    DrawThemed(canvas, totComboBox, 1, 1, rect);
}

void TdxBarCustomizationFormXPPainter::DrawEditFrame(TCanvas* canvas, TRect& rect, bool, TdxBarItem*) const {
    canvas->FrameRect(rect);
    InflateRect(&rect, -1, -1);
}

void TdxBarCustomizationFormXPPainter::DrawEditInterior(TCanvas* canvas, const TRect& rect, bool selected,
                                                        TdxBarItem* item) const {
    TRect interior = rect;
    InflateRect(&interior, -1, -1);
    TdxBarCustomizationFormPainter::DrawEditInterior(canvas, interior, selected, item);
    HDC dc = canvas->Handle();
    HRGN saved = SaveDCClipRegion(dc);
    ExcludeClipRect(dc, interior.left, interior.top, interior.right, interior.bottom);
    DrawThemed(canvas, totEdit, 1, 1, rect);
    RestoreDCClipRegion(dc, saved);
}

void TdxBarCustomizationFormXPPainter::DrawFocusFrame(TCanvas* canvas, const TRect& rect, TdxBarItem* item) const {
    TRect r = rect;
    if (item && HasGlyph(item) && !As<TdxBarEdit>(item)) r.left += RectHeight(rect) + 1;
    TdxBarCustomizationFormPainter::DrawFocusFrame(canvas, r, item);
}

// ---- choice -------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass CustomizationFormPainterFor(const TdxBarManager* manager) {
    TdxBarPainterClass painter = manager ? manager->GetPainterClassInUse() : nullptr;
    if (painter == TdxBarFlatPainter::StaticClass())
        return CustomizationFormPainterClassOf<TdxBarCustomizationFormFlatPainter>();
    if (painter == TdxBarOffice11Painter::StaticClass())
        return CustomizationFormPainterClassOf<TdxBarCustomizationFormOffice11Painter>();
    if (painter == TdxBarXPPainter::StaticClass())
        return CustomizationFormPainterClassOf<TdxBarCustomizationFormXPPainter>();
    return CustomizationFormPainterClassOf<TdxBarCustomizationFormStandardPainter>();
}
