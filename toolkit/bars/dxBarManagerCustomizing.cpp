// The manager's customizing mode: switching it on and off. The link drag of the mode lives in
// dxBarDragInfo.cpp.

#include "dxBar.h"
#include "dxBarCustForm.h"
#include "dxBarDesignController.h"
#include "dxBarDockControl.h"
#include "dxBarNameEd.h"
#include "dxBarStrs.h"
#include "dxBarWindowHelpers.h"
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
    if (value && IsCustomizationFormShown()) return;
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
    // The Customize dialog opens with the mode (merging suspended, OnShowCustomizingForm) and
    // goes with it (OnHideCustomizingForm, merging restored).
    ShowCustomizationForm(this, value);
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

TdxBar* TdxBarManager::AddToolbar(bool mainMenu, bool askName) {
    String caption = MakeUniqueBarCaption(BarString(dxSBAR_TOOLBARNEWNAME));
    if (askName && !ShowNameDialog(caption, dxBarNameKindToolbar, 0, nullptr, this)) return nullptr;
    TdxBar* bar = nullptr;
    LockUpdate();
    try {
        bars_->LockUpdates();
        try {
            bar = bars_->Add();
            bar->SetCaption(caption);
            TRect owner;
            if (auto* control = As<TWinControl>(GetManagerOwner()); control && control->HandleAllocated()) {
                RECT r;
                GetWindowRect(control->Handle(), &r);
                owner = TRect(r.left, r.top, r.right, r.bottom);
            }
            const TRect workArea = GetWorkAreaAt(TPoint(owner.left, owner.top));
            int left = owner.left - 50, top = owner.top;
            if (left < workArea.left) left = owner.left + RectWidth(owner) + 10;
            if (top < workArea.top) top = workArea.top + 10;
            bar->SetFloatLeft(left);
            bar->SetFloatTop(top);
            bar->SetDockingStyle(dsTop);
            if (mainMenu) {
                bar->SetRow(0);
                bar->SetIsMainMenu(true);
                bar->SetVisible(true);
            } else {
                TdxDockControl* dock = bar->GetEffectiveDockControl();
                bar->SetRow(dock ? dock->RowCount() : 0);
                bar->SetOneOnRow(true);
                bar->SetVisible(true);
                bar->SetOneOnRow(false);
            }
        } catch (...) {
            bars_->UnlockUpdates();
            throw;
        }
        bars_->UnlockUpdates();
    } catch (...) {
        UnlockUpdate();
        throw;
    }
    UnlockUpdate();
    if (IdxBarDesigner* designer = Designer()) designer->ApplyComponentSelection(bar, dxBarSelectionExclusive);
    return bar;
}

bool TdxBarManager::RenameToolbar(TdxBar* bar) {
    if (!bar) return false;
    String caption = bar->Caption();
    if (!ShowNameDialog(caption, dxBarNameKindToolbar, 1, bar, this)) return false;
    bar->SetCaption(caption);
    return true;
}

HWND TdxBarManager::GetPopupOwnerWindow() const {
    if (isCustomizing_ && IsCustomizationFormOf(this))
        if (TdxBarCustomCustomizationForm* dialog = CustomizationFormInstance(); dialog->HandleAllocated())
            return dialog->Handle();
    if (auto* owner = As<TWinControl>(GetManagerOwner()); owner && owner->HandleAllocated()) return owner->Handle();
    return nullptr;
}
