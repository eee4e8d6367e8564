#include "dxBarItemControl.h"

#include <algorithm>

#include "Actions.h"

#include "dxBarAccessibility.h"
#include "dxBarCachedImage.h"
#include "dxBarItem.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarUnit.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* link)
    : link_(link), cachedImage_(std::make_unique<TdxCachedImageOptions>()) {
    barControl_ = link ? link->GetBarControl() : nullptr;
}

void TdxBarItemControl::AfterCreate() {
    ViewInfo();
    hotPart_ = -1;
    CalcDrawParams(true);
    if (barControl_) ViewInfo()->SetViewLevel(TdxBarItemViewLevel(barControl_->GetItemViewLevel(this)));
}

IdxBarAccessibilityHelper* TdxBarItemControl::ObtainAccessibilityHelper() {
    if (!accessibilityHelper_)
        accessibilityHelper_ = dynamic_cast<TdxBarAccessibilityHelper*>(GetAccessHelperClass()->CreateHelper(this));
    return accessibilityHelper_.get();
}

const TcxAccessibilityHelperMeta* TdxBarItemControl::GetAccessHelperClass() const {
    return TdxBarItemControlAccessibilityHelper::StaticClass();
}

TdxBarItemControl::~TdxBarItemControl() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    // The fader a fade was started with: GetFader no longer reaches a descendant here.
    if (usedFader_) usedFader_->StopFading(this);
    TdxBarManager* manager = GetManager();
    if (manager && manager->SelectedItemControl() == this) manager->AssignSelectedItemControl(nullptr);
    if (link_ && link_->Control() == this) link_->SetControl(nullptr);
    if (barControl_ && IsBarControlAlive(barControl_) && barControl_->SelectedLink() == link_) {
        bool quiet = (manager && (manager->IsDestroying() || manager->IsCustomizingOrDesigning()));
        // The link has already forgotten the control, so the window cannot reach it through
        // its selection any more: the selection is dropped directly.
        if (!quiet) barControl_->SetSelectedLink(nullptr);
    }
    ResetObjectLinks(this);
    if (barControl_ && IsBarControlAlive(barControl_) && !barControl_->IsDestroying())
        barControl_->ForgetItemControl(this);
}

TdxBarItem* TdxBarItemControl::Item() const { return link_ ? link_->Item() : nullptr; }

TdxBarManager* TdxBarItemControl::GetManager() const { return link_ ? link_->BarManager() : nullptr; }

TdxBarPainter* TdxBarItemControl::GetPainter() const { return barControl_ ? barControl_->GetPainter() : nullptr; }

TRect TdxBarItemControl::GetBounds() const { return link_ ? link_->ItemRect() : TRect{}; }

TdxFader* TdxBarItemControl::GetFader() const { return barControl_ ? barControl_->GetFader() : nullptr; }

TdxBarItemViewLevels TdxBarItemControl::GetPossibleViewLevels() const {
    TdxBarItem* item = Item();
    if (item && item->HasImage()) return {ivlSmallIconWithText, ivlSmallIcon};
    return {ivlSmallIconWithText};
}

TdxBarItemViewLevels TdxBarItemControl::GetCheckedPossibleViewLevels() const {
    TdxBarItemViewLevels levels = GetPossibleViewLevels();
    if (levels.Empty()) throw EdxException(ClassName() + L".GetPossibleViewLevels = []");
    return levels;
}

TdxBarItemViewLevels TdxBarItemControl::GetAllowedViewLevels() const {
    TdxBarItemViewLevels possible = GetCheckedPossibleViewLevels();
    TdxBarItemViewLevels allowed = link_ ? possible * link_->ViewLevels() : possible;
    return allowed.Empty() ? possible : allowed;
}

int TdxBarItemControl::CalcWidthForViewLevel(TdxBarItemViewLevel level) {
    TdxBarItemControlViewInfo* info = ViewInfo();
    TdxBarItemViewLevel saved = info->GetViewLevel();
    info->SetViewLevel(level);
    try {
        int width = CalcWidth();
        info->SetViewLevel(saved);
        return width;
    } catch (...) {
        info->SetViewLevel(saved);
        throw;
    }
}

void TdxBarItemControl::ResetCachedSizes(bool widths) {
    cachedImage_->Reset();
    if (widths && viewInfo_) viewInfo_->ResetCachedWidths();
}

TdxBarItemControlViewInfo* TdxBarItemControl::ViewInfo() {
    if (!viewInfo_) viewInfo_ = std::make_unique<TdxBarItemControlViewInfo>(this);
    return viewInfo_.get();
}

TdxBarItemControlDrawParams* TdxBarItemControl::DrawParams() {
    if (!drawParams_) drawParams_.reset(CreateDrawParams());
    return drawParams_.get();
}

TdxBarItemControlDrawParams* TdxBarItemControl::CreateDrawParams() { return new TdxBarItemControlDrawParams(this); }

IdxBarPaintedWindow* TdxBarItemControl::PaintedWindow() const {
    return barControl_ ? barControl_->PaintedWindow() : nullptr;
}

TRect TdxBarItemControl::Part(int index) const {
    return index >= 0 && size_t(index) < partRects_.size() ? partRects_[size_t(index)] : TRect{};
}

TSize TdxBarItemControl::GlyphSize(int viewSize) const {
    return const_cast<TdxBarItemControl*>(this)->CalcGlyphSize(Byte(viewSize));
}

bool TdxBarItemControl::GetImageInfo(int viewSize, TBitmap*& glyph, TCustomImageList*& images, int& index) const {
    auto* self = const_cast<TdxBarItemControl*>(this);
    glyph = nullptr;
    images = nullptr;
    index = -1;
    TdxBarItem* item = Item();
    if (!item) return false;
    if (viewSize == 2 && item->LargeGlyph() && !item->LargeGlyph()->Empty())
        glyph = item->LargeGlyph();
    else if (item->Glyph() && !item->Glyph()->Empty())
        glyph = item->Glyph();
    if (glyph) return true;
    images = self->GetImageListForSize(Byte(viewSize));
    index = self->GetImageIndexForSize(Byte(viewSize));
    return TdxBarItem::IsImageAvailable(images, index);
}

TdxBarGlyphLayout TdxBarItemControl::GlyphLayout() const {
    TdxBarItem* item = Item();
    return item ? item->GlyphLayout() : glLeft;
}

bool TdxBarItemControl::IsEnabled() const {
    TdxBarItem* item = Item();
    return item && item->GetEnabled();
}

int TdxBarItemControl::HitTestPart(const TPoint& p) {
    const TRect bounds = ViewInfo()->GetBounds();
    if (!PtInRect(&bounds, p)) return -1;
    for (size_t i = 0; i < partRects_.size(); ++i)
        if (PtInRect(&partRects_[i], p)) return int(i);
    return 100;
}

void TdxBarItemControl::RepaintControl() {
    if (barControl_ && barControl_->HandleAllocated()) barControl_->InvalidateItem(this);
}

// ---- Layout and sizes ---------------------------------------------------------------------

void TdxBarItemControl::Recalculate() {
    CalcDrawParams(false);
    CalcParts();
}

void TdxBarItemControl::CalcParts() {
    partRects_.assign(1, GetBounds());
}

void TdxBarItemControl::CalcDrawParams(bool withItemData) {
    TdxBarItemControlDrawParams* params = DrawParams();
    if (withItemData) {
        params->caption = link_ ? link_->GetEffectiveCaption() : String();
        TdxBarItem* item = Item();
        params->description = item ? item->Description() : String();
        params->shortCutText.clear();
        params->paintKind = GetPaintKind();
        params->enabled = IsEnabled();
        params->drawSelected = ShowsSelected();
        params->selectedByKey = params->drawSelected && !mouseSelected_;
        params->hotPart = hotPart_;
        params->customizing = barControl_ && barControl_->IsCustomizing();
    }
    params->canvas = GetDrawCanvas();
    params->SetDisplaySize(GetViewSize());
    params->viewStructure = GetViewLevelStyle();
    TdxBarManager* manager = GetManager();
    TdxBarPainter* painter = GetPainter();
    if (painter && manager) painter->CalcButtonSize(manager->GetGlyphSize(), GetActualTextSize(), params->buttonSize);
}

int TdxBarItemControl::GetActualTextSize() const {
    // Hook (item styles): the style font's text height when the item's style sets a font.
    return barControl_ ? barControl_->TextSize() : 0;
}

Byte TdxBarItemControl::GetDisplaySize() const {
    TdxBarItemLinks* links = link_ ? link_->GetLinks() : nullptr;
    if (links && links->GetItemSize() == misLarge) return 2;
    TdxBarManager* manager = GetManager();
    TdxBarPainter* painter = GetPainter();
    return manager && manager->LargeIcons() && painter && painter->AllowsLargeIcons() ? 1 : 0;
}

Byte TdxBarItemControl::GetViewSize() {
    switch (ViewInfo()->GetViewLevel()) {
        case ivlLargeIconWithText: return 2;
        case ivlSmallIconWithText:
        case ivlSmallIcon: return 0;
        default: return GetDisplaySize();
    }
}

Byte TdxBarItemControl::GetViewLevelStyle() {
    switch (Byte(ViewInfo()->GetViewLevel())) {
        case ivlLargeIconWithText: return Byte(2 | (HasImageAt(2) ? 1 : 0));
        case ivlSmallIconWithText: return Byte(2 | (HasImageAt(0) ? 1 : 0));
        case ivlSmallIcon: return HasImageAt(0) ? 1 : 0;
        case ivlControlOnly: return 0;
        default: return GetViewStructure();
    }
}

Byte TdxBarItemControl::GetPaintKind() const {
    if (!barControl_) return 0;
    if (barControl_->GetBarControlKind() == 2) return 1;
    return barControl_->IsRotated() ? 2 : 0;
}

bool TdxBarItemControl::IsRotated() const { return barControl_ && barControl_->IsRotated(); }

bool TdxBarItemControl::UsesLargeImages(Byte displaySize) const {
    TdxBarManager* manager = GetManager();
    TdxBarPainter* painter = GetPainter();
    bool largeIcons = manager && manager->LargeIcons() && painter && painter->AllowsLargeIcons();
    return displaySize == 2 ||
           (GetPaintKind() != 1 && largeIcons && manager && manager->UseLargeImagesForLargeIcons());
}

TCustomImageList* TdxBarItemControl::GetImageListForSize(Byte displaySize) {
    TdxBarItem* item = Item();
    TdxBarManager* manager = item ? item->BarManager() : nullptr;
    if (!manager) return nullptr;
    TCustomImageList* large = manager->GetLargeImages();
    if (UsesLargeImages(displaySize) && large && TdxBarItem::IsImageAvailable(large, GetImageIndexForSize(displaySize)))
        return large;
    return manager->GetImages();
}

int TdxBarItemControl::GetImageIndexForSize(Byte displaySize) {
    TdxBarItem* item = Item();
    if (!item) return -1;
    TdxBarManager* manager = item->BarManager();
    if (UsesLargeImages(displaySize) && manager && manager->GetLargeImages() && item->LargeImageIndex() != -1)
        return item->LargeImageIndex();
    return item->ImageIndex();
}

bool TdxBarItemControl::HasImageAt(Byte displaySize) {
    TdxBarItem* item = Item();
    if (!item) return false;
    if (displaySize == 2 && item->LargeGlyph() && !item->LargeGlyph()->Empty()) return true;
    if (item->Glyph() && !item->Glyph()->Empty()) return true;
    return TdxBarItem::IsImageAvailable(GetImageListForSize(displaySize), GetImageIndexForSize(displaySize));
}

TSize TdxBarItemControl::CalcGlyphSize(Byte displaySize) {
    TdxBarItem* item = Item();
    TBitmap* glyph = nullptr;
    if (item) {
        if (displaySize == 2 && item->LargeGlyph() && !item->LargeGlyph()->Empty())
            glyph = item->LargeGlyph();
        else if (item->Glyph() && !item->Glyph()->Empty())
            glyph = item->Glyph();
    }
    if (glyph) return TSize{glyph->Width(), glyph->Height()};
    TCustomImageList* images = GetImageListForSize(displaySize);
    if (images && TdxBarItem::IsImageAvailable(images, GetImageIndexForSize(displaySize)))
        return TSize{images->Width(), images->Height()};
    if (displaySize == 2) return TSize{20, 20};
    int size = GetManager() ? GetManager()->GetGlyphSize() : 16;
    return TSize{size, size};
}

TSize TdxBarItemControl::MeasureText(const String& text) {
    TcxCanvas* canvas = GetDrawCanvas();
    return canvas ? canvas->MeasureText(text) : TSize{0, 0};
}

int TdxBarItemControl::MeasureHeight() {
    CalcDrawParams(false);
    return CalcHeight();
}

int TdxBarItemControl::CalcLayoutHeight() {
    TdxBarItem* item = Item();
    if (item && item->Align() == iaClient && barControl_ && barControl_->IsDockedVertically())
        return IsRotated() ? CalcMinWidth() : GetMinHeight();
    return MeasureHeight();
}

int TdxBarItemControl::CalcHeight() {
    if (barControl_ && barControl_->GetBarControlKind() == 2) return CalcMenuItemHeight();
    // Hook (toolbars): a rotated bar measures the row width (CalcRowWidth).
    return CalcRowHeight();
}

int TdxBarItemControl::CalcMenuItemHeight() {
    int height = barControl_ ? barControl_->CalcDefaultItemHeight() : 0;
    if (TdxBarPainter* painter = GetPainter()) painter->AdjustMenuItemSize(height);
    return height;
}

int TdxBarItemControl::CalcRowHeight() { return GetViewSize() == 2 ? CalcLargeHeight() : CalcSmallHeight(); }

int TdxBarItemControl::CalcSmallHeight() {
    Byte structure = DrawParams()->viewStructure;
    int height = 0;
    if (structure & 2) height = std::max(0, GetActualTextSize());
    if (structure & 1) {
        const TSize& button = DrawParams()->buttonSize;
        height = std::max(height, IsRotated() ? int(button.cx) : int(button.cy));
    }
    return height;
}

int TdxBarItemControl::CalcLargeHeight() {
    TSize glyph = CalcGlyphSize(2);
    int g = IsRotated() ? glyph.cx : glyph.cy;
    if (!(DrawParams()->viewStructure & 2)) return g + 6;
    int t = MeasureText(L"Qq").cy;
    TdxBarItem* item = Item();
    TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
    if (layout == glTop || layout == glBottom) return g + t + 7;
    return std::max(g, t) + 6;
}

// ---- Change reactions ---------------------------------------------------------------------

void TdxBarItemControl::RequestBarUpdate() {
    if (barControl_) barControl_->UpdateBar();
}

void TdxBarItemControl::CaptionChanged() {
    TdxBarItem* item = Item();
    bool stretched = item && item->Align() == iaClient && barControl_ &&
                     (barControl_->GetBehaviorOptions() & bcboClientAlignFullWidth);
    if (stretched)
        RepaintControl();
    else
        RequestBarUpdate();
}

void TdxBarItemControl::EnabledChanged() {
    if (barControl_) barControl_->ReplayMousePosition();
    if (!IsEnabled() && barControl_ && barControl_->GetSelectedControl() == this) barControl_->SetSelectedLink(nullptr);
    RepaintControl();
}

void TdxBarItemControl::GlyphOrImageChanged() {
    TdxBarItemControlViewInfo* info = ViewInfo();
    bool levelsChanged = GetAllowedViewLevels() != info->GetAllowedViewLevels();
    bool iconChanged = ((GetViewLevelStyle() ^ DrawParams()->viewStructure) & 1) != 0;
    if (levelsChanged || iconChanged)
        RequestBarUpdate();
    else
        RepaintControl();
}

void TdxBarItemControl::LargeGlyphChanged() {
    if (GetViewSize() == 0) return;
    if (GetPaintKind() == 1)
        RepaintControl();
    else
        RequestBarUpdate();
}

void TdxBarItemControl::ImagesChanged() {
    Recalculate();
    RepaintControl();
}

// ---- Drawing ------------------------------------------------------------------------------

TcxCanvas* TdxBarItemControl::GetDrawCanvas() const {
    if (paintCanvas_) return paintCanvas_;
    return barControl_ ? barControl_->GetDrawCanvas() : nullptr;
}

void TdxBarItemControl::PaintOn(TcxCanvas* canvas, const TRect& r, Byte paintKind) {
    if (IsRectEmpty(&r)) return;
    canvas->PushState();
    struct TCleanUp {
        TdxBarItemControl* self;
        TcxCanvas* canvas;
        ~TCleanUp() {
            self->paintCanvas_ = nullptr;
            self->CalcDrawParams(false);
            canvas->PopState();
        }
    } cleanUp{this, canvas};
    TcxCanvas* own = barControl_ ? barControl_->GetDrawCanvas() : nullptr;
    if (own && canvas != own) canvas->GetCanvasFont()->Assign(own->GetCanvasFont());
    paintCanvas_ = canvas;
    // Hook (item styles): the style font is applied around the drawing.
    CalcDrawParams(true);
    DrawContent(r, paintKind);
}

// ---- Hints --------------------------------------------------------------------------------

String TdxBarItemControl::GetItemHint() const {
    TdxBarItem* item = Item();
    return item ? item->Hint() : String();
}

TShortCut TdxBarItemControl::GetShortCut() const {
    TdxBarItem* item = Item();
    return item ? item->ShortCut() : 0;
}

bool TdxBarItemControl::GetHintTexts(bool& noHint, String& hint, String& shortCutText) {
    noHint = false;
    hint.clear();
    shortCutText.clear();
    if (!barControl_ || !barControl_->LooksInactive() || barControl_->GetControlAtCursor() != this) return false;
    hint = GetItemHint();
    size_t bar = hint.find(L'|');
    if (bar != String::npos) hint.resize(bar);
    String keys = ShortCutToText(GetShortCut());
    if (!keys.empty()) shortCutText = L" (" + keys + L")";
    if (TdxBarItem* item = Item())
        if (auto* action = As<TCustomAction>(item->Action()))
            if (!action->DoHint(hint)) {
                noHint = true;
                return false;
            }
    return true;
}

// ---- Clicks -------------------------------------------------------------------------------

void TdxBarItemControl::ClickAt(bool byMouse, bool extra) {
    if (!IsEnabled()) return;
    TcxObjectLinkGuard self(this);
    TCustomdxBarControl* barControl = barControl_;
    ControlPress(byMouse, extra);
    if (!self.Alive() || !IsBarControlAlive(barControl)) return;
    TdxBarItemLinks* links = barControl->ItemLinks();
    if (links && links->HasControl(this)) ControlClick(byMouse);
}

bool TdxBarItemControl::HandlesDblClickInBar() const {
    TdxBarManager* manager = GetManager();
    return IsSubItem() || (manager && manager->IsBarManagerDesigning());
}

bool TdxBarItemControl::ContainsWindow(HWND window) const {
    if (!window || !barControl_ || !barControl_->HandleAllocated()) return false;
    HWND own = barControl_->Handle();
    return window == own || IsChild(own, window);
}

void TdxBarItemControl::SelectInParent() {
    if (!barControl_) return;
    barControl_->SetDowned(false);
    barControl_->SetSelControl(this);
}

bool TdxBarItemControl::IsSelected() const {
    return barControl_ && barControl_->GetSelectedControl() == this && (IsEnabled() || !mouseSelected_);
}

void TdxBarItemControl::SetPressed(bool value) {
    if (heldPressed_ == value) return;
    heldPressed_ = value;
    DataChanged();
}

void TdxBarItemControl::DataChanged() {
    if (!heldPressed_) RepaintControl();
}

void TdxBarItemControl::ControlClick(bool /*byMouse*/) {
    // Hook (menu sounds): a button control in a sub menu plays the menu-command sound here.
    TdxBarItemLink* source = link_ ? link_->GetSourceLink() : nullptr;
    TdxBarItem* item = Item();
    bool fire = IsClickable();
    bool close = ClosesMenuOnClick();
    if (close) {
        try {
            if (source) source->MarkUsed(true);
            if (link_ && source != link_) link_->MarkUsed(true);
        } catch (...) {
            // A failed use count must not stop the click.
        }
    }
    TcxObjectLinkGuard self(this);
    bool unclicks = true;
    if (auto* button = As<TdxBarButton>(item)) unclicks = button->UnclickAfterDoing();
    bool held = unclicks && (!close || (barControl_ && !barControl_->IsPopupLike()));
    if (held) SetPressed(true);
    try {
        // The open menus close before the item's handler runs (it may show a dialog).
        if (close && barControl_ && IsBarControlAlive(barControl_)) barControl_->HideMenuChain();
        if (!close && !source) source = link_;
        if (fire && item) {
            TcxObjectLinkGuard itemAlive(item);
            item->ClickedLink = source;
            item->DirectClick();
            if (itemAlive.Alive()) item->ClickedLink = nullptr;
        }
    } catch (...) {
        if (held && self.Alive()) SetPressed(false);
        throw;
    }
    if (held && self.Alive()) SetPressed(false);
}

void TdxBarItemControl::UpdateHotPart(const TPoint& p) {
    if (!IsEnabled()) {
        hotPart_ = -1;
        return;
    }
    int part = HitTestPart(p);
    if (part == hotPart_) return;
    int old = hotPart_;
    hotPart_ = part;
    if (CanFade()) {
        if (TdxFader* fader = GetFader()) {
            usedFader_ = fader;
            if (old == -1) fader->FadeIn(this);
            if (part == -1) fader->FadeOut(this);
        }
    }
    RepaintControl();
}
