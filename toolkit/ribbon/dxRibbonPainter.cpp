#include "dxRibbonPainter.h"

#include "Application.h"
#include "cxImageStates.h"
#include "dxRibbon.h"
#include "dxRibbonFormCaptionHelper.h"
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

// ---- the form's caption and frame ----------------------------------------------------------

void TdxRibbonPainter::DrawRibbonFormCaption(TcxCanvas* canvas, const TRect& r, const FormPaintData& data) {
    TdxRibbonViewInfo* viewInfo = ribbon_->ViewInfo();
    TdxCustomRibbonSkin* scheme = ColorScheme();
    if (!scheme) return;
    if (!viewInfo->UsesCompositionFrame()) scheme->DrawFormCaption(canvas->GetCanvasHandle(), r, data);
    TdxRibbonFormCaptionHelper* helper = ribbon_->FormCaptionHelper();
    const TRect iconRect = helper ? helper->SystemIconRect() : TRect{};
    if (ribbon_->Hidden()) {
        DrawFormIcon(canvas, iconRect);
    } else {
        if (viewInfo->IsQATInCaption())
            scheme->DrawQuickAccessToolbar(canvas->GetCanvasHandle(), viewInfo->QATBounds(), false, true,
                                           viewInfo->IsApplicationButtonShown(), data.IsActive != 0,
                                           !viewInfo->UsesCompositionFrame());
        if (viewInfo->IsApplicationButtonShown())
            DrawApplicationButton(canvas, viewInfo->ApplicationButtonBounds(), viewInfo->GetApplicationButtonState());
        else
            DrawFormIcon(canvas, iconRect);
    }
    DrawCaptionText(canvas, viewInfo->CaptionTextBounds(), data, viewInfo->GetFormCaptionPart(),
                    viewInfo->GetDocumentName());
}

void TdxRibbonPainter::DrawCaptionText(TcxCanvas* canvas, const TRect& r, const FormPaintData& data,
                                       const String& captionPart, const String& documentName) {
    if (IsRectEmpty(&r)) return;
    const bool active = data.IsActive != 0;
    TFont* font = ribbon_->Fonts()->GetFormCaptionFont(active);
    HDC dc = canvas->GetCanvasHandle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, font->Handle());
    SetBkMode(dc, TRANSPARENT);
    TRect rest = r;
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
    if (!documentName.empty()) {
        TColor color = ribbon_->Fonts()->DocumentNameColor();
        if (color == clDefault && ColorScheme()) color = ColorScheme()->PartColor(10131, active ? 0 : 1);
        SetTextColor(dc, COLORREF(ColorToRGB(color)));
        DrawTextW(dc, documentName.c_str(), int(documentName.size()), &rest, flags);
        SIZE size{};
        GetTextExtentPoint32W(dc, documentName.c_str(), int(documentName.size()), &size);
        rest.left += size.cx;
    }
    SetTextColor(dc, COLORREF(ColorToRGB(font->Color())));
    DrawTextW(dc, captionPart.c_str(), int(captionPart.size()), &rest, flags | DT_END_ELLIPSIS);
    RestoreDC(dc, saved);
}

void TdxRibbonPainter::DrawRibbonFormBorders(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data) {
    if (TdxCustomRibbonSkin* scheme = ColorScheme())
        scheme->DrawFormBorders(canvas->GetCanvasHandle(), bordersWidth, ribbon_->FormCaptionHeight(), data);
}

void TdxRibbonPainter::DrawRibbonFormBorderIcon(TcxCanvas* canvas, const TRect& r, TdxRibbonBorderIcon icon,
                                                int state) {
    if (TdxCustomRibbonSkin* scheme = ColorScheme()) scheme->DrawFormBorderIcon(canvas->GetCanvasHandle(), r, icon, state);
}
