#include "dxBarItemControlViewInfo.h"

#include "dxBarItemControl.h"
#include "dxCore.h"

namespace {

// The highest-numbered level of a set that is not empty.
TdxBarItemViewLevel MostReducedLevel(TdxBarItemViewLevels levels) {
    for (int level = ivlControlOnly; level > ivlLargeIconWithText; --level)
        if (levels.Contains(static_cast<TdxBarItemViewLevel>(level))) return static_cast<TdxBarItemViewLevel>(level);
    return ivlLargeIconWithText;
}

}  // namespace

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* control) : control_(control) {
    allowedViewLevels_ = control->GetAllowedViewLevels();
    mostReducedPossible_ = MostReducedLevel(control->GetCheckedPossibleViewLevels());
    mostReducedAllowed_ = MostReducedLevel(allowedViewLevels_);
    if (mostReducedAllowed_ == ivlLargeIconWithText) mostReducedAllowed_ = mostReducedPossible_;
    ResetCachedWidths();
}

void TdxBarItemControlViewInfo::ResetCachedWidths() {
    for (TWidthEntry& entry : widths_) entry = {};
}

int TdxBarItemControlViewInfo::GetWidthForLevel(TdxBarItemViewLevel level) {
    if (!allowedViewLevels_.Contains(level)) throw EdxException(L"Testing! The level is not allowed");
    TWidthEntry& entry = widths_[level];
    if (!entry.valid) {
        entry.width = control_->CalcWidthForViewLevel(level);
        entry.valid = true;
    }
    return entry.width;
}

bool TdxBarItemControlViewInfo::BeginsNewGroup() const { return control_->Link() && control_->Link()->BeginGroup(); }

bool TdxBarItemControlViewInfo::IsDistributed() const { return control_->Link() && control_->Link()->Distributed(); }

TdxBarItemPosition TdxBarItemControlViewInfo::GetLinkPosition() const {
    return control_->Link() ? control_->Link()->Position() : ipBeginsNewRow;
}

TdxBarButtonGroupPosition TdxBarItemControlViewInfo::GetButtonGroupPosition() const {
    if (!control_->SupportsButtonGroups() || !control_->Link()) return bgpNone;
    return control_->Link()->ButtonGroup();
}
