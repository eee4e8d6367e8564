#include "dxBarStatic.h"

#include <algorithm>
#include <vector>

#include "AssignIfChanged.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxCustomBarControl.h"

// ---- TdxBarStatic --------------------------------------------------------------------------

TdxBarStatic::TdxBarStatic(TComponent* owner) : TdxBarItem(owner) {
    alignment_ = taCenter;
    SetShowCaption(true);
}

void TdxBarStatic::SetAlignment(TAlignment value) {
    if (AssignIfChanged(alignment_, value) && !IsLoading()) InvalidateLinkControls();
}

void TdxBarStatic::SetBorderStyle(TdxBarStaticBorderStyle value) {
    if (!AssignIfChanged(borderStyle_, value) || IsLoading()) return;
    // A fixed size keeps its place: only the drawing changes.
    if (HasFixedSize())
        InvalidateLinkControls();
    else
        RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarStatic::SetSize(int index, int value) {
    value = std::max(value, 0);
    if (!AssignIfChanged(sizes_[index], value) || IsLoading()) return;
    RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarStatic::RecalcLinkBars(TdxBarControlKinds kinds) { UpdateBarsShowingItem(this, kinds); }

void UpdateBarsShowingItem(TdxBarItem* item, TdxBarControlKinds kinds) {
    // The windows are gathered first: an update rebuilds the controls the loop walks.
    std::vector<TCustomdxBarControl*> bars;
    for (int i = 0; i < item->GetLinkCount(); ++i) {
        TdxBarItemControl* control = item->GetLink(i)->Control();
        TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
        if (!bar || !kinds.Contains(TdxBarControlKind(bar->GetBarControlKind()))) continue;
        if (bar->IsActive() && bar->GetSelectedControl() == control) continue;
        if (std::find(bars.begin(), bars.end(), bar) == bars.end()) bars.push_back(bar);
    }
    for (TCustomdxBarControl* bar : bars) bar->UpdateBar();
}

// ---- TdxBarStaticControl -------------------------------------------------------------------

TdxBarStatic* TdxBarStaticControl::Static() const { return As<TdxBarStatic>(Item()); }

TAlignment TdxBarStaticControl::GetAlignment() const {
    TdxBarStatic* item = Static();
    return item ? item->Alignment() : taCenter;
}

bool TdxBarStaticControl::IsClickable() const {
    TdxBarStatic* item = Static();
    return item && item->AllowClick();
}

bool TdxBarStaticControl::CanHotTrack() const {
    TdxBarManager* manager = GetManager();
    TdxBarItem* item = Item();
    // While customizing, a link that another manager placed is not tracked.
    if (manager && item && manager->IsCustomizing() && item->BarManager() != manager) return false;
    return true;
}

bool TdxBarStaticControl::InSubMenu() const { return BarControl() && BarControl()->GetBarControlKind() == 2; }

void TdxBarStaticControl::CaptionChanged() {
    TdxBarStatic* item = Static();
    if (item && item->GetWidth() != 0)
        RepaintControl();
    else
        TdxBarCustomStaticControl::CaptionChanged();
}

TdxBarItemControlDrawParams* TdxBarStaticControl::CreateDrawParams() {
    return new TdxBarStaticLikeControlDrawParams(this);
}

TRect TdxBarStaticControl::BorderWidths() const {
    TRect widths{};
    TdxBarPainter* painter = GetPainter();
    TdxBarStatic* item = Static();
    if (painter && item)
        painter->GetStaticBorderWidths(const_cast<TdxBarStaticControl*>(this), int(item->BorderStyle()), widths);
    return widths;
}

void TdxBarStaticControl::CalcDrawParams(bool withItemData) {
    TdxBarCustomStaticControl::CalcDrawParams(withItemData);
    if (!withItemData) return;
    auto* params = static_cast<TdxBarStaticLikeControlDrawParams*>(DrawParams());
    params->alignment = Byte(GetAlignment());
    params->centered = true;  // the mark of a static control
    params->borderWidths = BorderWidths();
    TdxBarStatic* item = Static();
    params->borderStyle = item ? Byte(item->BorderStyle()) : 0;
    params->drawBorder = params->borderStyle != 0;
}

void TdxBarStaticControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    TdxBarPainter* painter = GetPainter();
    TdxBarStatic* item = Static();
    if (!painter || !PaintedWindow() || !item) return;
    const int left = item->LeftIndent(), right = item->RightIndent();
    TRect rect = r;
    painter->DrawStaticControl(DrawParams(), rect, TRect{left, left, right, right});
}

void TdxBarStaticControl::DrawStaticInterior(const TRect& rect) {
    if (TdxBarPainter* painter = GetPainter()) painter->DrawStaticContent(DrawParams(), rect);
}

int TdxBarStaticControl::GlyphHeight() {
    const TSize& button = DrawParams()->buttonSize;
    return IsRotated() ? int(button.cx) : int(button.cy);
}

int TdxBarStaticControl::GlyphWidth() {
    const TSize& button = DrawParams()->buttonSize;
    return IsRotated() ? int(button.cy) : int(button.cx);
}

int TdxBarStaticControl::CalcHeight() { return IsRotated() ? CalcRowWidth() : CalcRowHeight(); }

int TdxBarStaticControl::CalcWidth() { return IsRotated() ? CalcRowHeight() : CalcRowWidth(); }

int TdxBarStaticControl::CalcRowHeight() {
    TdxBarStatic* item = Static();
    if (item && item->Height() != 0) return item->Height();
    return CalcContentHeight(GlyphHeight());
}

int TdxBarStaticControl::CalcRowWidth() {
    TdxBarStatic* item = Static();
    if (item && item->GetWidth() != 0) return item->GetWidth();
    return CalcContentWidth(GlyphWidth());
}

int TdxBarStaticControl::CalcContentHeight(int glyph) {
    const int text = GetActualTextSize();
    const Byte structure = DrawParams()->viewStructure;
    const bool caption = structure & 2, icon = structure & 1;
    int height;
    if (InSubMenu())
        height = text;
    else if (!caption)
        height = !icon && HasOwnContent() ? text - 3 : glyph;
    else if (icon)
        height = std::max(text - 3, glyph);
    else
        height = text - 3;
    const TRect border = BorderWidths();
    return height + border.top + border.bottom;
}

int TdxBarStaticControl::CalcContentWidth(int glyph) {
    const int text = GetActualTextSize();
    const Byte structure = DrawParams()->viewStructure;
    const bool caption = structure & 2, icon = structure & 1;
    int width;
    if (caption) {
        const int captionWidth = int(MeasureText(Link() ? Link()->GetEffectiveCaption() : String()).cx);
        if (!icon) {
            width = captionWidth + text / 2;
        } else if (InSubMenu()) {
            TdxBarPainter* painter = GetPainter();
            width = (painter ? painter->GetMenuTextIndent(DrawParams()) : 0) + captionWidth + 4;
        } else {
            width = glyph + captionWidth + 4;
        }
    } else {
        width = !icon && HasOwnContent() ? 0 : glyph;
    }
    TdxBarStatic* item = Static();
    const TRect border = BorderWidths();
    return width + (item ? item->LeftIndent() + item->RightIndent() : 0) + border.left + border.right;
}
