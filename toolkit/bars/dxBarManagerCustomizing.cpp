// The manager's customizing mode: switching it on and off. The link drag of the mode lives in
// dxBarDragInfo.cpp.

#include "dxBar.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubItem.h"
#include "dxBarUnit.h"
#include "dxCustomBarControl.h"

namespace {

std::vector<TCustomdxBarControl*> OwnBarControls(TdxBarManager* manager) {
    std::vector<TCustomdxBarControl*> result;
    for (TCustomdxBarControl* window : LiveBarControls())
        if (window->Owner() == manager) result.push_back(window);
    return result;
}

}  // namespace

void TdxBarManager::SwitchCustomizing(bool value) {
    if (value == isCustomizing_) return;
    if (value && BarManagerList() && BarManagerList()->GetCustomizingManager()) return;
    // The controls of every window are made for the mode: they go before it changes.
    std::vector<TCustomdxBarControl*> windows = OwnBarControls(this);
    const int barCount = bars_ ? bars_->Count() : 0;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!IsBarControlAlive(*it)) continue;
        (*it)->HideMenuChain();
        if (IsBarControlAlive(*it) && (bars_ ? bars_->Count() : 0) == barCount) (*it)->DestroyControls();
    }
    isCustomizing_ = value;
    for (TCustomdxBarControl* window : OwnBarControls(this)) {
        if (TdxBarItemLinks* links = window->ItemLinks()) links->RebuildLists();
        window->CreateControls();
    }
    for (int i = 0; i < GetItemCount(); ++i)
        if (auto* subItem = As<TCustomdxBarSubItem>(GetItemByIndex(i))) subItem->ItemLinks()->RebuildLists();
    for (int i = 0; i < PopupMenuCount(); ++i) GetPopupMenu(i)->ItemLinks()->RebuildLists();
    // Hook (Customize dialog): opened here (merging suspended, OnShowCustomizingForm, the other
    // managers' bars repainted) and closed here (OnHideCustomizingForm, merging restored).
    for (TCustomdxBarControl* window : OwnBarControls(this))
        if (IsBarControlAlive(window)) {
            window->UpdateBar();
            // The row arrangement keeps a window whose size did not change: its new controls
            // are placed here.
            if (IsBarControlAlive(window) && window->HandleAllocated()) {
                window->CalcLayout();
                window->UpdateViewInfo();
                window->Invalidate();
            }
        }
}

void TdxBarManager::UnmergeForCustomizing(TdxBarManager* otherManager, bool remember) {
    if (!bars_) return;
    std::vector<TdxBar*> ownMerged;
    if (remember) {
        otherManager = nullptr;
        for (int i = 0; i < bars_->Count(); ++i)
            if (TdxBar* into = bars_->Items(i)->MergedInto(); into && into->BarManager() == this)
                ownMerged.push_back(bars_->Items(i));
    }
    for (int i = bars_->Count() - 1; i >= 0; --i) {
        if (i >= bars_->Count()) continue;
        TdxBar* bar = bars_->Items(i);
        if (remember) bar->SaveMergedBars();
        const std::vector<TdxBar*> merged = bar->MergedBars();
        for (TdxBar* other : merged)
            if (!otherManager || other->BarManager() == otherManager) bar->UnmergeBar(other, !remember);
    }
    for (TdxBar* bar : ownMerged) bar->SetVisibleKeepingForm(bar->VisibleBeforeMerging());
}

void TdxBarManager::RestoreMerging() {
    if (!bars_) return;
    for (int i = 0; i < bars_->Count(); ++i) {
        TdxBar* bar = bars_->Items(i);
        const std::vector<TdxBar*> saved = bar->SavedMergedBars();
        bar->ClearSavedBars();
        for (TdxBar* other : saved)
            if (other->MergedInto() != bar) bar->MergeBar(other, other->BarManager() == this);
    }
}
