// TdxBarManager and MDI children: the frame's manager follows the active child of its MDI client
// window, merges the child's main menu into its own and shows a maximized child's system menu.

#include <algorithm>
#include <vector>

#include "Application.h"
#include "Form.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarSystemMenuItem.h"
#include "dxBarWindowHelpers.h"

namespace {

class TMDICheckScope {
public:
    explicit TMDICheckScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TMDICheckScope() { flag_ = false; }
    TMDICheckScope(const TMDICheckScope&) = delete;
    TMDICheckScope& operator=(const TMDICheckScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

HWND GetActiveMDIChildHandle() {
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm || !mainForm->ClientHandle()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(mainForm->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
}

bool TdxBarManager::IsOwnerInMDIChild(bool recursive) const {
    TCustomForm* form = recursive ? GetMDIOrMainForm() : As<TCustomForm>(Owner());
    return form && form->FormStyle() == fsMDIChild;
}

void TdxBarManager::CheckActiveMDIChild() {
    // A child form still being made (not yet shown) counts once it shows: merging its menu while
    // its bars are being placed would act on half-made bars. Nested checks wait for the outer.
    if (checkingMDIChild_) return;
    HWND active = GetActiveMDIChildHandle();
    if (auto* form = active ? As<TCustomForm>(FindControl(active)) : nullptr; form && !form->Visible())
        active = nullptr;
    bool maximized = active && IsZoomed(active);
    TMDICheckScope scope(checkingMDIChild_);
    LockUpdate();
    try {
        if (active != previousMDIChild_) {
            // The new state counts before the handlers run: a handler may check again.
            HWND previous = previousMDIChild_;
            previousMDIChild_ = active;
            previousMDIChildMaximized_ = maximized;
            if (previous) MDIStateChanged(dxBarMDIChildDeactivated, previous);
            if (active) MDIStateChanged(dxBarMDIChildActivated, active);
        } else if (maximized != previousMDIChildMaximized_) {
            previousMDIChildMaximized_ = maximized;
            MDIStateChanged(dxBarMDIChildSizeChanged, active);
        }
    } catch (...) {
        UnlockUpdate();
        throw;
    }
    UnlockUpdate();
}

void TdxBarManager::MDIStateChanged(Byte change, HWND child) {
    bool maximized = child && IsWindow(child) && IsZoomed(child);
    bool activated = change == dxBarMDIChildActivated;
    bool sized = change == dxBarMDIChildSizeChanged;
    TdxBar* mainBar = MainMenuBar();
    if (mainBar) {
        if ((activated || sized) && maximized)
            AddSystemMenuItem(child);
        else if (change == dxBarMDIChildDeactivated || (sized && !maximized))
            ClearSystemMenuItems();
    }

    enum class TMode { None, Merge, Unmerge } mode = TMode::None;
    if (sized && alwaysMerge_)
        mode = TMode::None;
    else if ((activated || sized) && (alwaysMerge_ || maximized))
        mode = TMode::Merge;
    else if (change == dxBarMDIChildDeactivated || (sized && !maximized))
        mode = TMode::Unmerge;

    TdxBarManager* childManager = child ? FindBarManagerByWindow(child) : nullptr;
    if (childManager == this) childManager = nullptr;
    TdxBar* childBar = childManager ? childManager->MainMenuBar() : nullptr;
    if (mainBar && childBar) {
        if (mode == TMode::Merge) {
            if (OnMenuMerge) {
                OnMenuMerge(this, childManager, true);
                mainBar->RecordMergedBar(childBar);
            } else if (!childBar->MergedInto()) {
                mainBar->Merge(childBar);
            }
        } else if (mode == TMode::Unmerge) {
            std::vector<TdxBar*> merged = mainBar->MergedBars();
            mainBar->UnmergeBar(nullptr, false);
            if (OnMenuMerge) OnMenuMerge(this, childManager, false);
            for (TdxBar* bar : merged) bar->SetVisibleKeepingForm(bar->VisibleBeforeMerging());
        }
    }
    if (OnMerge && childManager && mode != TMode::None) OnMerge(this, childManager, mode == TMode::Merge);
    TdxBarMDIStateChangeEventData data{change, child};
    mdiStateChangedHandlers_->CallHandlers(this, &data);
}

void TdxBarManager::AddSystemMenuItem(HWND child) {
    TdxBar* mainBar = MainMenuBar();
    if (!mainBar || !child || !GetSystemMenu(child, FALSE)) return;
    ClearSystemMenuItems();
    auto* item = new TSystemMenuSubItem(Owner());
    items_->Remove(item);
    internalItems_->Add(item);
    item->SetChildWindow(child);
    TdxBarItemLink* link = mainBar->ItemLinks()->Insert(0);
    link->SetItem(item);
}

bool TdxBarManager::HasSystemMenuItems() const {
    for (int i = 0; i < internalItems_->Count(); ++i)
        if (Is<TSystemMenuSubItem>(internalItems_->Items(i))) return true;
    return false;
}

void TdxBarManager::ClearSystemMenuItems() {
    for (int i = internalItems_->Count() - 1; i >= 0; --i)
        if (i < internalItems_->Count() && Is<TSystemMenuSubItem>(internalItems_->Items(i))) internalItems_->Delete(i);
}

void TdxBarManager::KeepFloatingBarsInWorkArea() {
    auto* owner = As<TControl>(Owner());
    if (!owner) return;
    TRect ownerBounds = owner->BoundsRect();
    if (auto* control = As<TWinControl>(owner); control && control->HandleAllocated()) {
        RECT r;
        GetWindowRect(control->Handle(), &r);
        ownerBounds = r;
    }
    TRect area = GetWorkAreaAt(TPoint{(ownerBounds.left + ownerBounds.right) / 2,
                                      (ownerBounds.top + ownerBounds.bottom) / 2});
    for (int i = 0; i < bars_->Count(); ++i) {
        TdxBar* bar = bars_->Items(i);
        if (bar->DockingStyle() != dsNone) continue;
        TdxBarControl* window = bar->BarControl();
        bool windowed = window && window->HandleAllocated();
        TRect r;
        if (windowed) {
            RECT w;
            GetWindowRect(window->Handle(), &w);
            r = w;
        } else {
            r = TRect{bar->FloatLeft(), bar->FloatTop(), bar->FloatLeft() + bar->FloatClientWidth(),
                      bar->FloatTop() + bar->FloatClientHeight()};
        }
        int width = r.right - r.left, height = r.bottom - r.top;
        if (r.bottom > area.bottom) r.top = area.bottom - height;
        if (r.top < area.top) r.top = area.top;
        if (r.right > area.right) r.left = area.right - width;
        if (r.left < area.left) r.left = area.left;
        if (windowed) {
            SetWindowPos(window->Handle(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            LockDesignerModified(true);
            bar->SetFloatLeft(r.left);
            bar->SetFloatTop(r.top);
            LockDesignerModified(false, false);
        }
    }
}
