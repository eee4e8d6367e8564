#include "dxBarProgressItem.h"

#include <algorithm>

#include "AssignIfChanged.h"
#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxCustomBarControl.h"

namespace {

template <class F>
void ForEachProgressControl(TdxBarItem* item, F action) {
    for (int i = 0; i < item->GetLinkCount(); ++i)
        if (auto* control = dynamic_cast<TdxBarProgressControl*>(item->GetLink(i)->Control())) action(control);
}

}  // namespace

// ---- TdxBarProgressItem --------------------------------------------------------------------

TdxBarProgressItem::TdxBarProgressItem(TComponent* owner) : TdxBarStatic(owner) { SetBorderStyle(sbsLowered); }

void TdxBarProgressItem::SetColor(TColor value) {
    if (AssignIfChanged(color_, value) && !IsLoading())
        ForEachProgressControl(this, [](TdxBarProgressControl* c) { c->InvalidateBar(); });
}

void TdxBarProgressItem::SetSmooth(bool value) {
    if (AssignIfChanged(smooth_, value) && !IsLoading())
        ForEachProgressControl(this, [](TdxBarProgressControl* c) { c->InvalidateBar(); });
}

void TdxBarProgressItem::SetMin(int value) {
    if (value != min_) SetRange(value, std::max(max_, value));
}

void TdxBarProgressItem::SetMax(int value) {
    if (value != max_) SetRange(std::min(value, min_), value);
}

void TdxBarProgressItem::SetRange(int minValue, int maxValue) {
    if (minValue == min_ && maxValue == max_) return;
    min_ = minValue;
    max_ = maxValue;
    if (IsLoading()) return;
    if (position_ < min_)
        SetPosition(min_);
    else if (position_ > max_)
        SetPosition(max_);
    else
        ForEachProgressControl(this, [](TdxBarProgressControl* c) { c->InvalidateBar(); });
}

void TdxBarProgressItem::SetPosition(int value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (AssignIfChanged(position_, value) && !IsLoading())
        ForEachProgressControl(this, [](TdxBarProgressControl* c) { c->UpdateBar(); });
}

// ---- TdxBarProgressControl -----------------------------------------------------------------

TdxBarProgressItem* TdxBarProgressControl::Progress() const { return As<TdxBarProgressItem>(Item()); }

TColor TdxBarProgressControl::GetBarColor() const {
    TdxBarProgressItem* item = Progress();
    if (item && item->Color() != clDefault) return TColor(ColorToRGB(item->Color()));
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->GetProgressBarColor() : clHighlight;
}

TdxBarItemControlDrawParams* TdxBarProgressControl::CreateDrawParams() {
    return new TdxBarProgressControlDrawParams(this);
}

TdxBarItemViewLevels TdxBarProgressControl::GetPossibleViewLevels() const {
    return TdxBarStaticControl::GetPossibleViewLevels() + ivlControlOnly;
}

void TdxBarProgressControl::CalcDrawParams(bool withItemData) {
    TdxBarStaticControl::CalcDrawParams(withItemData);
    if (!withItemData) return;
    auto* params = static_cast<TdxBarProgressControlDrawParams*>(DrawParams());
    // The caption beside the bar is laid out as plain text, not as a centred static.
    params->centered = false;
    if (TdxBarProgressItem* item = Progress()) {
        params->max = item->Max();
        params->min = item->Min();
        params->position = item->Position();
        params->solid = item->Smooth();
    }
    params->barColor = GetBarColor();
}

bool TdxBarProgressControl::BarIsVertical() const { return GetPaintKind() == 2; }

int TdxBarProgressControl::CalcRowHeight() {
    const TRect border = BorderWidths();
    TdxBarPainter* painter = GetPainter();
    const int bar = (painter ? painter->GetProgressBarHeight() : 0) + border.top + border.bottom + 2;
    return std::max(TdxBarStaticControl::CalcRowHeight(), bar);
}

int TdxBarProgressControl::CalcRowWidth() {
    int width = TdxBarStaticControl::CalcRowWidth();
    TdxBarProgressItem* item = Progress();
    if (item && item->GetWidth() == 0) width += DrawParams()->viewStructure & 2 ? 152 : 154;
    if (TdxBarPainter* painter = GetPainter()) width += painter->GetProgressIndent();
    return width;
}

TRect TdxBarProgressControl::GetBarRect() {
    TdxBarProgressItem* item = Progress();
    if (!item || !BarControl()) return TRect{};
    const TRect bounds = GetBounds();
    const TRect border = BorderWidths();
    const bool rotated = IsRotated();
    const int across = rotated ? RectWidth(bounds) : RectHeight(bounds);
    int thickness = MulDiv(across - border.top - border.bottom, 2, 3);
    if ((thickness & 1) != (across & 1)) ++thickness;
    const bool client = item->Align() == iaClient;
    const bool caption = DrawParams()->viewStructure & 2;
    int length;
    if (item->GetWidth() == 0 && !client) {
        length = 150;
    } else {
        length = rotated ? RectHeight(bounds) : RectWidth(bounds);
        if (!InSubMenu() && !client) length = item->GetWidth();
        length -= CalcContentWidth(GlyphWidth());
        length -= caption ? 2 : 4;
    }
    length = std::max(length, 0);
    const int fromEnd = border.right + length + item->RightIndent() + 2;
    if (!rotated) {
        const int left = bounds.right - fromEnd;
        const int top = bounds.top + (RectHeight(bounds) - thickness) / 2;
        return TRect{left, top, left + length, top + thickness};
    }
    const int left = bounds.left + (RectWidth(bounds) - thickness) / 2;
    const int top = bounds.bottom - fromEnd;
    return TRect{left, top, left + thickness, top + length};
}

int TdxBarProgressControl::PositionLength(const TRect& barRect) const {
    TdxBarProgressItem* item = Progress();
    // An empty range has no filled part (the division by zero drew an inverted bar).
    if (!item || item->Max() <= item->Min()) return 0;
    const int extent = BarIsVertical() ? RectHeight(barRect) : RectWidth(barRect);
    return MulDiv(extent, item->Position() - item->Min(), item->Max() - item->Min());
}

void TdxBarProgressControl::DrawStaticInterior(const TRect& rect) {
    TdxBarPainter* painter = GetPainter();
    TcxCanvas* canvas = GetDrawCanvas();
    if (!painter || !canvas) return;
    HDC dc = canvas->GetCanvasHandle();
    const TRect bar = GetBarRect();
    const int saved = SaveDC(dc);
    try {
        ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
        TRect content = rect;
        const int indent = painter->GetProgressIndent();
        if (indent > 0) {
            TRect gap = content;
            if (BarIsVertical())
                gap.bottom = content.top = content.top + indent;
            else
                gap.right = content.left = content.left + indent;
            painter->DrawItemBk(this, dc, gap, PaintedWindow()->BkBrush(), false);
        }
        painter->DrawStaticContent(DrawParams(), content);
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
    if (!IsRectEmpty(&bar)) painter->DrawProgressBar(DrawParams(), bar, GetBarColor());
    if (painter->AllowsPartialProgressUpdate()) prevPos_ = PositionLength(bar);
}

void TdxBarProgressControl::InvalidateBarWindowRect(const TRect& r) {
    TCustomdxBarControl* bar = BarControl();
    if (bar && bar->HandleAllocated() && !IsRectEmpty(&r)) InvalidateRect(bar->Handle(), &r, FALSE);
}

void TdxBarProgressControl::InvalidateBar() { InvalidateBarWindowRect(GetBarRect()); }

void TdxBarProgressControl::UpdateBar() {
    TdxBarPainter* painter = GetPainter();
    const TRect bar = GetBarRect();
    if (!painter || !painter->AllowsPartialProgressUpdate()) {
        InvalidateBarWindowRect(bar);
        return;
    }
    const int length = PositionLength(bar);
    if (length == prevPos_) return;
    const int from = std::min(length, prevPos_), to = std::max(length, prevPos_);
    TRect band = bar;
    if (BarIsVertical()) {
        band.top = bar.top + from;
        band.bottom = bar.top + to;
    } else {
        band.left = bar.left + from;
        band.right = bar.left + to;
    }
    InvalidateBarWindowRect(band);
}
