#include "dxCustomBarControlViewInfo.h"

#include <algorithm>

void TCustomdxBarControlViewInfo::ClearItems() {
    items_.clear();
    separators_.clear();
}

void TCustomdxBarControlViewInfo::RemoveItemViewInfo(TdxBarItemControlViewInfo* info) {
    items_.erase(std::remove(items_.begin(), items_.end(), info), items_.end());
}

bool TCustomdxBarControlViewInfo::ContainsItemViewInfo(const TdxBarItemControlViewInfo* info) const {
    return std::find(items_.begin(), items_.end(), info) != items_.end();
}
