#include "dxRibbonPainter.h"

#include "Application.h"
#include "cxImageStates.h"
#include "dxRibbon.h"
#include "dxRibbonViewInfo.h"

namespace {

// The colour scheme's state of a scroll button: 4 pressed, 2 hot, 0 normal.
int ScrollButtonState(bool hot, bool pressed) { return pressed ? 4 : hot ? 2 : 0; }

TRect Deflated(const TRect& r, int dx, int dy) { return TRect{r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}; }

}  // namespace

TdxCustomRibbonSkin* TdxRibbonPainter::ColorScheme() const { return ribbon_->ColorScheme(); }

void TdxRibbonPainter::DrawApplicationButton(TcxCanvas* canvas, const TRect& r, int state) {
    if (!ribbon_->ViewInfo()->IsApplicationButtonShown() || IsRectEmpty(&r) || !ColorScheme()) return;
    ColorScheme()->DrawApplicationButton(canvas->GetCanvasHandle(), r, state);
    TdxRibbonApplicationButton* button = ribbon_->ApplicationButton();
    if (button->Glyph()->Empty())
        DrawFormIcon(canvas, Deflated(r, 9, 9));
    else
        DrawApplicationButtonGlyph(canvas, r, button->StretchGlyph(), button->Glyph());
}

void TdxRibbonPainter::DrawApplicationButtonGlyph(TcxCanvas* canvas, const TRect& r, bool stretch, TBitmap* glyph) {
    TRect target;
    if (stretch) {
        target = Deflated(r, 9, 9);
    } else {
        const int left = r.left + (RectWidth(r) - glyph->Width()) / 2;
        const int top = r.top + (RectHeight(r) - glyph->Height()) / 2;
        target = TRect{left, top, left + glyph->Width(), top + glyph->Height()};
    }
    ColorScheme()->AdjustApplicationButtonGlyphRect(target);
    const TRect source{0, 0, glyph->Width(), glyph->Height()};
    if (glyph->PixelFormat() == pf32bit) {
        AlphaBlendFromBitmap(canvas->GetCanvasHandle(), glyph, target, 255, true, source);
        return;
    }
    // Any other glyph is copied without its transparent colour.
    TBrush* brush = canvas->GetCanvasBrush();
    const TBrushStyle style = brush->Style();
    brush->SetStyle(bsClear);
    canvas->Canvas()->BrushCopy(target, glyph, source, glyph->TransparentColor());
    brush->SetStyle(style);
}

void TdxRibbonPainter::DrawBackground(TcxCanvas* canvas, const TRect& r) {
    ColorScheme()->DrawRibbonBackground(canvas->GetCanvasHandle(), r);
}

void TdxRibbonPainter::DrawTabGroupsBackground(TcxCanvas* canvas, const TRect& r) {
    ColorScheme()->DrawTabGroupsArea(canvas->GetCanvasHandle(), r);
}

void TdxRibbonPainter::DrawQuickAccessToolbar(TcxCanvas* canvas, const TRect& r, bool isActive) {
    TdxRibbonViewInfo* viewInfo = ribbon_->ViewInfo();
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(r);
    DrawBackground(canvas, viewInfo->Bounds());
    canvas->PopClipRegion();
    ColorScheme()->DrawQuickAccessToolbar(canvas->GetCanvasHandle(), r, viewInfo->IsQATBelow(),
                                          viewInfo->DrawsFormCaption(), viewInfo->IsApplicationButtonShown(), isActive,
                                          true);
}

void TdxRibbonPainter::DrawTabScrollButton(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed, bool isLeft) {
    ColorScheme()->DrawTabScrollButton(canvas->GetCanvasHandle(), r, isLeft, ScrollButtonState(hot, pressed));
}

void TdxRibbonPainter::DrawTabScrollArrow(TcxCanvas* canvas, const TRect& r, bool isLeft) {
    ribbon_->CurrentPainter()->DrawArrowGlyph(canvas, TRect{r.left + 2, r.top, r.right - 2, r.bottom - 4}, clBlack,
                                              isLeft ? adLeft : adRight);
}

void TdxRibbonPainter::DrawHelpButton(TcxCanvas* canvas, const TRect& r, int state) {
    ColorScheme()->DrawHelpButton(canvas->GetCanvasHandle(), r, state);
    ColorScheme()->DrawHelpButtonGlyph(canvas->GetCanvasHandle(), r);
    canvas->ExcludeRectFromClip(r);
}

void TdxRibbonPainter::DrawBottomEdge(TcxCanvas* canvas) {
    const TRect& bounds = ribbon_->ViewInfo()->Bounds();
    const TRect edge{bounds.left, bounds.bottom - 2, bounds.right, bounds.bottom};
    ColorScheme()->DrawRibbonBottomBorder(canvas->GetCanvasHandle(), edge);
    canvas->ExcludeRectFromClip(edge);
}

void TdxRibbonPainter::DrawDesignPlaceholder(TcxCanvas* canvas) {
    HDC dc = canvas->GetCanvasHandle();
    const TRect& bounds = ribbon_->ViewInfo()->Bounds();
    HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc, ColorToRGB(clSilver));
    FillRect(dc, &bounds, hatch);
    SetBkColor(dc, oldBk);
    DeleteObject(hatch);
}

void TdxRibbonPainter::DrawFormIcon(TcxCanvas* canvas, const TRect& r) {
    if (IsRectEmpty(&r)) return;
    HICON icon = Application ? Application->Icon() : nullptr;
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(canvas->GetCanvasHandle(), r.left, r.top, icon, RectWidth(r), RectHeight(r), 0, nullptr, DI_NORMAL);
}
