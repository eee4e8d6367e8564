#include "dxBarItemControl.h"

#include "dxBarCachedImage.h"
#include "dxBarItem.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxCore.h"

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* link)
    : link_(link), cachedImage_(std::make_unique<TdxCachedImageOptions>()) {}

TdxBarItemControl::~TdxBarItemControl() {
    // The fader a fade was started with: GetFader no longer reaches a descendant here.
    if (usedFader_) usedFader_->StopFading(this);
    if (link_ && link_->Control() == this) link_->SetControl(nullptr);
}

TdxBarItem* TdxBarItemControl::Item() const { return link_ ? link_->Item() : nullptr; }

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
    if (!drawParams_) drawParams_ = std::make_unique<TdxBarItemControlDrawParams>(this);
    return drawParams_.get();
}

bool TdxBarItemControl::IsEnabled() const {
    TdxBarItem* item = Item();
    return item && item->GetEnabled();
}

int TdxBarItemControl::HitTestPart(const TPoint& p) {
    const TRect bounds = ViewInfo()->GetBounds();
    return PtInRect(&bounds, p) ? 100 : -1;
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
