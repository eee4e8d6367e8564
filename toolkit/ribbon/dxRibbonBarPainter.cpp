#include "dxRibbonBarPainter.h"

#include <algorithm>

#include "Bitmap.h"
#include "Font.h"
#include "cxTextMeasuring.h"
#include "dxBarDrawing.h"
#include "dxRibbon.h"

TdxRibbonBarPainter::TdxRibbonBarPainter(TdxCustomRibbon* ribbon) : TdxBarPainter(nullptr), ribbon_(ribbon) {
    CalculateGlyphArea();
}

TdxRibbonBarPainter::TdxRibbonBarPainter(TcxLookAndFeelPainterClass data) : TdxBarPainter(data), ribbon_(nullptr) {
    CalculateGlyphArea();
}

void TdxRibbonBarPainter::CalculateGlyphArea() {
    const TRect button = Insets(PartCollapsedGroup), frame = Insets(PartCollapsedGroupGlyphFrame);
    glyphAreaNumerator_ = SmallGlyphSize + frame.top + frame.bottom + 3 + 4;
    glyphAreaDenominator_ = button.top + 3 * CalcButtonHeight(SmallGlyphSize, 16) + 1 + (13 + 1) + 3 -
                            (button.top + button.bottom);
}

TRect TdxRibbonBarPainter::Insets(int part) {
    TRect insets{};
    if (ribbon_) ribbon_->GetSkinPartContentOffsets(part, insets);
    return insets;
}

int TdxRibbonBarPainter::GetGroupCaptionHeight(TFont* font) {
    return FontTextHeight(font, L"Qq", font->Size() < 8 ? 8 : 0) + 1;
}

void TdxRibbonBarPainter::GetCollapsedCaptionRect(const TRect& r, TRect& result) {
    const TRect insets = Insets(PartCollapsedGroup);
    result = TRect{r.left + insets.left + 1, r.top + insets.top, r.right - insets.right - 1, r.bottom - insets.bottom};
    result.top += RectHeight(result) * glyphAreaNumerator_ / glyphAreaDenominator_;
}

int TdxRibbonBarPainter::GetGlyphFrameSize(int windowHeight) {
    const TRect button = Insets(PartCollapsedGroup), frame = Insets(PartCollapsedGroupGlyphFrame);
    return (SmallGlyphSize + frame.top + frame.bottom) * (windowHeight - button.top - button.bottom) /
           glyphAreaDenominator_;
}

int TdxRibbonBarPainter::CalcCollapsedGroupWidth(int captionTextWidth, int windowHeight) {
    TRect caption;
    const TRect probe{0, 0, 100, 100};
    GetCollapsedCaptionRect(probe, caption);
    const int text = captionTextWidth + RectWidth(probe) - RectWidth(caption);
    const TRect button = Insets(PartCollapsedGroup);
    const int glyph = GetGlyphFrameSize(windowHeight) + 3 + 3 + button.left + button.right;
    return std::max(text, glyph);
}

TRect TdxRibbonBarPainter::CalcGlyphFrameRect(const TRect& client, int windowHeight) {
    const TRect insets = Insets(PartCollapsedGroup);
    TRect caption;
    GetCollapsedCaptionRect(client, caption);
    TRect g{client.left + insets.left, client.top + insets.top, client.right - insets.right, caption.top};
    const int a = GetGlyphFrameSize(windowHeight);
    g.left += (RectWidth(g) - a) / 2;
    g.right = g.left + a;
    g.top += 3;
    g.bottom -= 4;
    g.top += (RectHeight(g) - a) / 2;
    g.bottom = g.top + a;
    return g;
}

TSize TdxRibbonBarPainter::FitGroupGlyph(const TSize& glyph) {
    if (glyph.cx <= SmallGlyphSize && glyph.cy <= SmallGlyphSize) return glyph;
    if (glyph.cx >= glyph.cy) return TSize{SmallGlyphSize, glyph.cy * SmallGlyphSize / glyph.cx};
    return TSize{glyph.cx * SmallGlyphSize / glyph.cy, SmallGlyphSize};
}

TRect TdxRibbonBarPainter::CalcGroupGlyphRect(const TRect& frame, const TSize& glyph) {
    const TRect insets = Insets(PartCollapsedGroupGlyphFrame);
    const TRect area{frame.left, frame.top + insets.top, frame.right, frame.bottom - insets.bottom};
    const TSize size = FitGroupGlyph(glyph);
    const int left = area.left + (RectWidth(area) - size.cx) / 2, top = area.top + (RectHeight(area) - size.cy) / 2;
    return Bounds(left, top, size.cx, size.cy);
}

void TdxRibbonBarPainter::DrawCollapsedGroupButton(HDC dc, const TRect& client, int windowHeight, int state,
                                                   TBitmap* glyph) {
    if (!ribbon_) return;
    ribbon_->DrawSkinPart(dc, client, PartCollapsedGroup, state);
    const TRect frame = CalcGlyphFrameRect(client, windowHeight);
    ribbon_->DrawSkinPart(dc, frame, PartCollapsedGroupGlyphFrame, state);
    if (!glyph || glyph->Empty()) return;
    DrawGlyphForEnabled(dc, CalcGroupGlyphRect(frame, TSize{glyph->Width(), glyph->Height()}), glyph, true);
}
