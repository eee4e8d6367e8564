#include "dxBar.h"

#include "dxBarRunTimeSelectionController.h"

#include <algorithm>
#include <utility>

#include "Form.h"
#include "dxBarCaptionButtons.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

// Sections: creation · published values · docking · rows · visibility and the window ·
// merging · the collection.

// ---- Creation -----------------------------------------------------------------------------

void TdxBar::DeclarePublished(TPublisher<TdxBar>& p) {
        p.Property(L"AllowClose", &TdxBar::AllowClose, &TdxBar::SetAllowClose).Default(true);
        p.Property(L"AllowCustomizing", &TdxBar::AllowCustomizing, &TdxBar::SetAllowCustomizing).Default(true);
        p.Property(L"AllowQuickCustomizing", &TdxBar::AllowQuickCustomizing, &TdxBar::SetAllowQuickCustomizing)
            .Default(true);
        p.Property(L"AllowReset", &TdxBar::AllowReset, &TdxBar::SetAllowReset).Default(true);
        p.Property(L"BorderStyle", &TdxBar::BorderStyle, &TdxBar::SetBorderStyle).Default(bbsSingle);
        p.Property(L"Caption", &TdxBar::Caption, &TdxBar::SetCaption);
        p.Property(L"CaptionButtons", &TdxBar::CaptionButtons, &TdxBar::SetCaptionButtons);
        p.Property(L"Color", &TdxBar::Color, &TdxBar::SetColor).Default(clDefault);
        p.Property(L"DockControl", &TdxBar::DockControl, &TdxBar::SetDockControl).Stored(&TdxBar::StoresDockControl);
        p.Property(L"DockedDockControl", &TdxBar::DockedDockControl, &TdxBar::SetDockedDockControl);
        p.Property(L"DockedDockingStyle", &TdxBar::DockedDockingStyle, &TdxBar::SetDockedDockingStyle)
            .Default(dsTop)
            .Stored(&TdxBar::StoresDockedDockingStyle);
        p.Property(L"DockedLeft", &TdxBar::DockedLeft, &TdxBar::SetDockedLeft);
        p.Property(L"DockedTop", &TdxBar::DockedTop, &TdxBar::SetDockedTop);
        p.Property(L"DockingStyle", &TdxBar::DockingStyle, &TdxBar::SetDockingStyle)
            .Stored(&TdxBar::StoresDockingStyle);
        p.Property(L"FloatLeft", &TdxBar::FloatLeft, &TdxBar::SetFloatLeft);
        p.Property(L"FloatTop", &TdxBar::FloatTop, &TdxBar::SetFloatTop);
        p.Property(L"FloatClientWidth", &TdxBar::FloatClientWidth, &TdxBar::SetFloatClientWidth);
        p.Property(L"FloatClientHeight", &TdxBar::FloatClientHeight, &TdxBar::SetFloatClientHeight);
        p.Property(L"Hidden", &TdxBar::Hidden, &TdxBar::SetHidden).Default(false);
        p.Property(L"IsMainMenu", &TdxBar::IsMainMenu, &TdxBar::SetIsMainMenu).Default(false);
        p.Property(L"ItemLinks", &TdxBar::ItemLinks, &TdxBar::SetItemLinks);
        p.Property(L"KeyTip", &TdxBar::KeyTip, &TdxBar::SetKeyTip);
        p.Property(L"MultiLine", &TdxBar::MultiLine, &TdxBar::SetMultiLine).Default(false);
        p.Property(L"NotDocking", &TdxBar::NotDocking, &TdxBar::SetNotDocking);
        p.Property(L"OneOnRow", &TdxBar::OneOnRow, &TdxBar::SetOneOnRow);
        p.Property(L"RotateWhenVertical", &TdxBar::RotateWhenVertical, &TdxBar::SetRotateWhenVertical)
            .Default(true);
        p.Property(L"Row", &TdxBar::Row, &TdxBar::SetRow);
        p.Property(L"ShowMark", &TdxBar::ShowMark, &TdxBar::SetShowMark).Default(true);
        p.Property(L"SizeGrip", &TdxBar::SizeGrip, &TdxBar::SetSizeGrip).Default(true);
        p.Property(L"UseRestSpace", &TdxBar::UseRestSpace, &TdxBar::SetUseRestSpace).Default(false);
        p.Property(L"Visible", &TdxBar::Visible, &TdxBar::SetVisible);
        p.Property(L"WholeRow", &TdxBar::WholeRow, &TdxBar::SetWholeRow);
}

TdxBar::TdxBar(TComponent* owner) : TcxComponentCollectionItem(owner) {
    captionButtons_ = new TdxBarCaptionButtons(this);
}

TdxBar::~TdxBar() {
    ForgetInRunTimeSelection(BarManager(), this);
    // No bar of any manager merges this one again.
    if (TdxBarManagerList* managers = BarManagerList())
        for (int m = 0; m < managers->Count(); ++m)
            if (TdxBars* bars = managers->GetManager(m)->Bars())
                for (int i = 0; i < bars->Count(); ++i)
                    if (bars->Items(i) != this) bars->Items(i)->SavedBarDestroyed(this);
    delete itemLinks_;
    itemLinks_ = nullptr;
    delete std::exchange(captionButtons_, nullptr);
}

void TdxBar::BeforeDestruction() {
    TdxBarManager* manager = BarManager();
    if (manager && !manager->IsDestroying() && manager->OnBarDelete) manager->OnBarDelete(manager, this);
    delete std::exchange(captionButtons_, nullptr);
    try {
        if (mergedInto_) mergedInto_->UnmergeBar(this, false);
        if (!mergedBars_.empty()) UnmergeBar(nullptr, false);
    } catch (...) {
        // a bar that goes leaves its merges however they end
    }
    HideBarControl();
    visible_ = false;
    SetDockRow(nullptr);
    for (TdxBarItem* item : std::vector<TdxBarItem*>(detachingSubItems_)) item->BarRemoved(true, this);
    detachingSubItems_.clear();
    if (manager && manager->MainMenuBar() == this) manager->SetMainMenuBar(nullptr);
    if (itemLinks_) itemLinks_->FreeBarControl();
    TcxComponentCollectionItem::BeforeDestruction();
}

TdxBarManager* TdxBar::BarManager() const {
    auto* bars = static_cast<TdxBars*>(Collection());
    return bars ? bars->BarManager() : nullptr;
}

TdxBars* TdxBar::GetBars() const { return static_cast<TdxBars*>(Collection()); }

TcxComponentCollection* TdxBar::CollectionFromParent(TComponent* parent) {
    auto* manager = As<TdxBarManager>(parent);
    return manager ? manager->Bars() : nullptr;
}

void TdxBar::MoveToCollection(TcxComponentCollection* collection) {
    TcxComponentCollectionItem::MoveToCollection(collection);
    TdxBarManager* manager = BarManager();
    if (!itemLinks_ && manager) {
        itemLinks_ = new TdxBarControlItemLinks(manager, this);
        if (!manager->IsLoadingState() && manager->OnBarAdd) manager->OnBarAdd(manager, this);
    } else if (itemLinks_) {
        itemLinks_->SetBarManager(manager);
    }
}

void TdxBar::SetCaptionButtons(TdxBarCaptionButtons* value) {
    if (captionButtons_) captionButtons_->Assign(value);
}

void TdxBar::UpdateCaptionButtons() {
    if (barControl_) barControl_->UpdateCaptionButtonsLayout(false);
}

void TdxBar::SetItemLinks(TdxBarItemLinks* value) {
    if (itemLinks_) itemLinks_->Assign(value);
}

bool TdxBar::IsManagerLoading() const {
    // The manager applies what its bars read once it has loaded (a bar bound by another
    // component later, while it finishes its own loading, takes the value at once).
    TdxBarManager* manager = BarManager();
    return manager ? manager->ComponentState().Contains(csLoading) : ComponentState().Contains(csLoading);
}

void TdxBar::Changed() {
    if (TdxBarManager* manager = BarManager()) manager->DesignerModified();
}

bool TdxBar::CanAddItem(TdxBarItem* item, String& errorText) {
    return item->CanPlaceOn(dxBarPlaceOnToolbar, this, errorText);
}

void TdxBar::AddDetachingSubItem(TdxBarItem* item) {
    if (std::find(detachingSubItems_.begin(), detachingSubItems_.end(), item) == detachingSubItems_.end())
        detachingSubItems_.push_back(item);
}

void TdxBar::RemoveDetachingSubItem(TdxBarItem* item) {
    detachingSubItems_.erase(std::remove(detachingSubItems_.begin(), detachingSubItems_.end(), item),
                             detachingSubItems_.end());
}

// ---- Published values ---------------------------------------------------------------------

void TdxBar::SetCaption(const String& value) {
    if (caption_ == value) return;
    TdxBars* bars = GetBars();
    for (int i = 0; bars && i < bars->Count(); ++i)
        if (bars->Items(i) != this && bars->Items(i)->Caption() == value) return;
    caption_ = value;
    if (barControl_) barControl_->CaptionChanged();
    // Lists of the bars (the Customize dialog's) show the new caption.
    if (bars) NotifyChanged();
}

void TdxBar::UpdateBarControl() {
    if (barControl_) barControl_->UpdateBar();
}

void TdxBar::SetAllowQuickCustomizing(bool value) {
    if (allowQuickCustomizing_ == value) return;
    allowQuickCustomizing_ = value;
    UpdateBarControl();
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    if (barControl_) barControl_->RebuildWindow();
}

void TdxBar::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    if (barControl_) barControl_->RebuildWindow();
}

void TdxBar::SetIsMainMenu(bool value) {
    if (isMainMenu_ == value) return;
    TdxBarManager* manager = BarManager();
    if (value) {
        if (manager) {
            manager->LockUpdate();
            try {
                if (TdxBar* previous = manager->MainMenuBar(); previous && previous != this) previous->SetIsMainMenu(false);
            } catch (...) {
                manager->UnlockUpdate();
                throw;
            }
            manager->UnlockUpdate();
            manager->SetMainMenuBar(this);
        }
        isMainMenu_ = true;
        SetWholeRow(true);
        multiLine_ = true;
    } else {
        if (manager && manager->MainMenuBar() == this) manager->SetMainMenuBar(nullptr);
        isMainMenu_ = false;
        multiLine_ = false;
        SetWholeRow(false);
    }
    if (!IsManagerLoading() && barControl_) barControl_->RebuildWindow();
    Changed();
}

void TdxBar::SetMultiLine(bool value) {
    if (multiLine_ == value || (!value && isMainMenu_)) return;
    multiLine_ = value;
    UpdateBarControl();
}

void TdxBar::SetNotDocking(TdxBarDockingStyles value) {
    if (notDocking_ == value) return;
    notDocking_ = value;
    UpdateBarControl();
}

void TdxBar::SetRotateWhenVertical(bool value) {
    if (rotateWhenVertical_ == value) return;
    rotateWhenVertical_ = value;
    UpdateBarControl();
}

void TdxBar::SetShowMark(bool value) {
    if (showMark_ == value) return;
    showMark_ = value;
    UpdateBarControl();
}

void TdxBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value) return;
    sizeGrip_ = value;
    if (IsStatusBar() && barControl_) barControl_->RebuildWindow();
}

void TdxBar::SetUseRestSpace(bool value) {
    if (useRestSpace_ == value) return;
    useRestSpace_ = value;
    UpdateBarControl();
}

void TdxBar::SetWholeRow(bool value) {
    if (wholeRow_ == value) return;
    if (barControl_ && DockingStyle() != dsNone && !IsManagerLoading())
        ReshowAround([&] { wholeRow_ = value; });
    else
        wholeRow_ = value;
}

bool TdxBar::CanClose() const {
    return allowClose_ && !isMainMenu_ && (!barControl_ || barControl_->DockingStyle() == dsNone);
}

bool TdxBar::CanMove() const {
    TdxBarManager* manager = BarManager();
    TdxBarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
    TdxBarDockingStyles refused = notDocking_;
    if (manager) refused = refused + manager->NotDocking();
    return !(refused == all);
}

void TdxBar::Reset() {
    if (TdxBarManager* manager = BarManager()) manager->ResetBarFromStartupState(this, manager->UseFullReset());
}

// ---- Docking ------------------------------------------------------------------------------

TdxDockControl* TdxBar::DockControl() const { return IsManagerLoading() ? loadedDockControl_ : dockControl_; }

TdxBarDockingStyle TdxBar::DockingStyle() const { return IsManagerLoading() ? loadedDockingStyle_ : dockingStyle_; }

TdxBarDockingStyle TdxBar::DockedDockingStyle() const {
    return dockedDockControl_ ? dockedDockControl_->DockingStyle() : dockedDockingStyle_;
}

TdxDockControl* TdxBar::GetEffectiveDockControl() const {
    if (dockControl_) return dockControl_;
    TdxBars* bars = GetBars();
    return bars && dockingStyle_ != dsNone ? bars->DockControls(dockingStyle_) : nullptr;
}

void TdxBar::ReshowAround(const std::function<void()>& change) {
    bool shown = barControl_ != nullptr;
    if (shown) HideBarControl();
    try {
        change();
    } catch (...) {
        if (shown) ShowBarControl();
        throw;
    }
    if (shown) ShowBarControl();
}

void TdxBar::SetDockControl(TdxDockControl* value) {
    if (value && value->BarManager() != BarManager()) return;
    if (IsManagerLoading()) {
        loadedDockControl_ = value;
        if (value) value->FreeNotification(this);
        return;
    }
    if (dockControl_ == value) return;
    TdxDockControl* oldEffective = GetEffectiveDockControl();
    bool moves = value ? value != oldEffective : (dockControl_ && !dockControl_->IsStandard());
    auto change = [&] {
        TdxDockControl* old = dockControl_;
        dockControl_ = value;
        if (old && old != dockedDockControl_) old->RemoveFreeNotification(this);
        if (value) value->FreeNotification(this);
        if (!changingDockingStyle_) dockingStyle_ = value ? value->DockingStyle() : dockingStyle_;
        // The bar leaves the row of the dock it leaves.
        if (dockRow_ && GetEffectiveDockControl() != oldEffective) SetDockRow(nullptr);
    };
    if (barControl_ && !changingDockingStyle_ && moves)
        ReshowAround(change);
    else
        change();
    if (!changingDockingStyle_) {
        ShowIfPlaced();
        if (TdxBarManager* manager = BarManager()) manager->FireBarDockingStyleChange(this);
        Changed();
    }
}

bool TdxBar::StoresDockControl() const { return dockControl_ && !dockControl_->Name().empty(); }

void TdxBar::ShowIfPlaced() {
    if (visible_ && !barControl_ && !IsManagerLoading() && GetEffectiveDockControl()) ShowBarControl();
}

void TdxBar::SetDockedDockControl(TdxDockControl* value) {
    if (value && value->BarManager() != BarManager()) return;
    if (dockedDockControl_ == value) return;
    if (dockedDockControl_ && dockedDockControl_ != dockControl_) dockedDockControl_->RemoveFreeNotification(this);
    dockedDockControl_ = value;
    if (value) value->FreeNotification(this);
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle value) {
    if (IsManagerLoading()) {
        loadedDockingStyle_ = value;
        return;
    }
    if (dockingStyle_ == value) return;
    auto change = [&] {
        TdxDockControl* oldEffective = GetEffectiveDockControl();
        changingDockingStyle_ = true;
        try {
            SetDockControl(nullptr);
        } catch (...) {
            changingDockingStyle_ = false;
            throw;
        }
        changingDockingStyle_ = false;
        dockingStyle_ = value;
        if (dockRow_ && GetEffectiveDockControl() != oldEffective) SetDockRow(nullptr);
    };
    if (barControl_ && barControl_->DockingStyle() != value)
        ReshowAround(change);
    else
        change();
    ShowIfPlaced();
    if (TdxBarManager* manager = BarManager()) manager->FireBarDockingStyleChange(this);
    Changed();
}

void TdxBar::SetDockState(TdxBarDockingStyle style, TdxDockControl* dock) {
    if (dock && dock->IsStandard()) dock = nullptr;
    if (style == DockingStyle() || (dock && dock != DockControl()))
        SetDockControl(dock);
    else
        SetDockingStyle(style);
}

void TdxBar::SetDockedLeft(int value) {
    dockedLeft_ = std::max(0, value);
    UpdateControlPosition();
}

void TdxBar::SetDockedTop(int value) {
    dockedTop_ = std::max(0, value);
    UpdateControlPosition();
}

void TdxBar::SetFloatLeft(int value) {
    floatLeft_ = value;
    UpdateControlPosition();
}

void TdxBar::SetFloatTop(int value) {
    floatTop_ = value;
    UpdateControlPosition();
}

void TdxBar::SetFloatClientWidth(int value) {
    floatClientWidth_ = value;
    UpdateControlPosition();
}

void TdxBar::SetFloatClientHeight(int value) {
    floatClientHeight_ = value;
    UpdateControlPosition();
}

// ---- Rows ---------------------------------------------------------------------------------

int TdxBar::Row() const {
    if (dockRow_) return dockRow_->DockControl()->IndexOfRow(dockRow_);
    return row_;
}

void TdxBar::SetRow(int value) {
    value = std::max(0, value);
    if (dockRow_ && value == Row()) return;
    row_ = value;
    TdxDockControl* dock = GetEffectiveDockControl();
    TdxBarManager* manager = BarManager();
    if (!dock || !manager || IsManagerLoading()) return;
    TdxDockRow* target;
    if (value >= dock->RowCount()) {
        target = dock->AddRow();
        if (manager->UpdateLockCount() > 0 || manager->IsBarsLoading())
            while (dock->RowCount() <= value) target = dock->AddRow();
    } else {
        target = dock->Rows(value);
    }
    // A row emptied by the move goes; the target is kept because it still gets this bar.
    SetDockRow(target);
    Changed();
    dock->Relayout();
}

void TdxBar::SetDockRow(TdxDockRow* row) {
    if (dockRow_ == row) return;
    TdxDockRow* old = std::exchange(dockRow_, nullptr);
    if (row) {
        dockRow_ = row;
        row->AddBar(this);
    }
    if (old) {
        row_ = old->DockControl()->IndexOfRow(old);
        old->RemoveBar(this, true);
    }
}

// ---- Visibility and the window ------------------------------------------------------------

bool TdxBar::Visible() const { return IsManagerLoading() ? loadedVisible_ : visible_; }

void TdxBar::SetVisible(bool value) {
    TdxBarManager* manager = BarManager();
    if (value && manager && manager->IsDestroying()) return;
    if (IsManagerLoading()) {
        loadedVisible_ = value;
        return;
    }
    if (visible_ == value) return;
    if (value) {
        visible_ = true;
        ShowBarControl();
    } else {
        HideBarControl();
        visible_ = false;
    }
    Changed();
    if (manager && !manager->IsDestroying() && manager->OnBarVisibleChange) manager->OnBarVisibleChange(manager, this);
}

void TdxBar::ApplyLoadedState() {
    dockControl_ = nullptr;
    dockingStyle_ = dsNone;
    if (loadedDockControl_)
        SetDockControl(loadedDockControl_);
    else
        SetDockingStyle(loadedDockingStyle_);
    predefined_ = true;
    // The window comes with the visibility: the bar counts as hidden until then.
    visible_ = false;
    SetVisible(loadedVisible_);
}

TCustomdxBarControl* TdxBar::CreateBarControl() {
    TdxBarManager* manager = BarManager();
    if (!manager || !visible_) return nullptr;
    TdxDockControl* dock = GetEffectiveDockControl();
    TClass cls = dock ? dock->GetDockedBarControlClass() : TdxBarControl::StaticClass();
    if (!cls) return nullptr;
    barControl_ = TdxBarControl::CreateForBar(cls, manager, this);
    return barControl_;
}

void TdxBar::ShowBarControl() {
    if (barControl_ || !itemLinks_ || !visible_) return;
    TdxBarManager* manager = BarManager();
    if (!manager || manager->IsDestroying()) return;
    itemLinks_->CreateBarControl();
    if (!barControl_) return;
    barControl_->AssignItemLinks(itemLinks_);
    PlaceBarControl();
}

void TdxBar::HideBarControl() {
    if (!barControl_) return;
    barControl_->ReclaimItemLinks();
    StoreBarControlPosition();
    barControl_ = nullptr;
    if (itemLinks_) itemLinks_->FreeBarControl();
}

void TdxBar::StoreBarControlPosition() {
    if (!barControl_) return;
    storingPosition_ = true;
    barControl_->StorePosition();
    storingPosition_ = false;
}

void TdxBar::PlaceBarControl() {
    if (barControl_) barControl_->PlaceFromBar();
}

void TdxBar::FollowWindow() {
    TdxBarControl* window = barControl_;
    if (!window) return;
    TdxDockControl* dock = window->DockControl();
    const TdxBarDockingStyle oldStyle = dockingStyle_;
    TdxDockControl* const oldDock = dockControl_;
    TdxDockControl* own = dock && !dock->IsStandard() ? dock : nullptr;
    if (own != dockControl_) {
        if (dockControl_ && dockControl_ != dockedDockControl_) dockControl_->RemoveFreeNotification(this);
        dockControl_ = own;
        if (own) own->FreeNotification(this);
    }
    dockingStyle_ = window->DockingStyle();
    if (dock) {
        dockedDockingStyle_ = dockingStyle_;
        SetDockedDockControl(own);
        dockedLeft_ = std::max(0, window->Left());
        dockedTop_ = std::max(0, window->Top());
        if (dockRow_) oneOnRow_ = dockRow_->ColCount() == 1;
    } else {
        if (dockRow_) {
            oneOnRow_ = dockRow_->ColCount() <= 1 && dockRow_->BarCount() == 1;
            SetDockRow(nullptr);
        }
        if (window->HandleAllocated()) {
            RECT w, c;
            GetWindowRect(window->Handle(), &w);
            GetClientRect(window->Handle(), &c);
            floatLeft_ = w.left;
            floatTop_ = w.top;
            floatClientWidth_ = c.right;
            floatClientHeight_ = c.bottom;
        }
    }
    if (oldStyle != dockingStyle_ || oldDock != dockControl_)
        if (TdxBarManager* manager = BarManager()) manager->FireBarDockingStyleChange(this);
    Changed();
}

void TdxBar::UpdateControlPosition() {
    if (!barControl_ || storingPosition_ || barControl_->IsDragging()) return;
    if (barControl_->DockingStyle() != dsNone) {
        if (TdxDockControl* dock = GetEffectiveDockControl()) dock->RemoveBar(barControl_, nullptr, false);
    }
    PlaceBarControl();
}

// ---- Merging ------------------------------------------------------------------------------

namespace {
String BarFormat(const TResStringRec& text, std::initializer_list<String> args) {
    String result = BarString(text);
    for (const String& arg : args) {
        size_t at = result.find(L"%s");
        if (at == String::npos) break;
        result.replace(at, 2, arg);
    }
    return result;
}
}  // namespace

void TdxBar::MergeBar(TdxBar* bar, bool rememberVisibility) {
    if (mergedInto_) throw EdxException(BarString(dxSBAR_CANTMERGEWITHMERGEDTOOLBAR));
    if (!bar || bar == this) throw EdxException(BarString(dxSBAR_CANTMERGETOOLBAR));
    if (bar->mergedInto_ == this)
        throw EdxException(BarFormat(dxSBAR_TOOLBARSALREADYMERGED, {bar->Caption(), Caption()}));
    if (!bar->mergedBars_.empty()) throw EdxException(BarFormat(dxSBAR_TOOLBARHASMERGEDTOOLBARS, {bar->Caption()}));
    bool wasMerged = bar->mergedInto_ != nullptr;
    if (wasMerged) bar->mergedInto_->UnmergeBar(bar, false);
    bar->mergedInto_ = this;
    mergedBars_.push_back(bar);
    TdxBarManager* manager = BarManager();
    if (manager) manager->LockUpdate();
    try {
        if (itemLinks_ && bar->itemLinks_) itemLinks_->Merge(bar->itemLinks_, bar);
    } catch (...) {
        if (manager) manager->UnlockUpdate();
        throw;
    }
    if (manager) manager->UnlockUpdate();
    if (!wasMerged && rememberVisibility) bar->visibleBeforeMerging_ = bar->Visible();
    bar->SetVisibleKeepingForm(false);
}

void TdxBar::SavedBarDestroyed(TdxBar* bar) {
    savedMergedBars_.erase(std::remove(savedMergedBars_.begin(), savedMergedBars_.end(), bar), savedMergedBars_.end());
}

void TdxBar::RecordMergedBar(TdxBar* bar) {
    if (!bar || bar == this || bar->mergedInto_ || mergedInto_) return;
    bar->mergedInto_ = this;
    mergedBars_.push_back(bar);
    bar->visibleBeforeMerging_ = bar->Visible();
    bar->SetVisibleKeepingForm(false);
}

void TdxBar::UnmergeBar(TdxBar* bar, bool restoreVisibility) {
    if (bar == this) throw EdxException(BarString(dxSBAR_CANTUNMERGETOOLBAR));
    if (bar && bar->mergedInto_ && bar->mergedInto_ != this)
        throw EdxException(BarFormat(dxSBAR_TOOLBARSARENOTMERGED, {bar->Caption(), Caption()}));
    if (bar && !bar->mergedInto_) return;
    if (mergedBars_.empty()) return;
    std::vector<TdxBar*> going = bar ? std::vector<TdxBar*>{bar} : mergedBars_;
    TdxBarManager* manager = BarManager();
    if (manager) manager->LockUpdate();
    try {
        for (TdxBar* b : going)
            if (itemLinks_) itemLinks_->Unmerge(b);
    } catch (...) {
        if (manager) manager->UnlockUpdate();
        throw;
    }
    if (manager) manager->UnlockUpdate();
    for (TdxBar* b : going) {
        b->mergedInto_ = nullptr;
        mergedBars_.erase(std::remove(mergedBars_.begin(), mergedBars_.end(), b), mergedBars_.end());
        if (restoreVisibility) b->SetVisibleKeepingForm(b->visibleBeforeMerging_);
    }
}

void TdxBar::SetVisibleKeepingForm(bool value) {
    if (Visible() == value) return;
    TdxBarManager* manager = BarManager();
    auto* form = manager ? As<TCustomForm>(manager->Owner()) : nullptr;
    if (form && form->FormStyle() == fsMDIChild && form->HandleAllocated()) {
        // Showing or hiding a merged bar must not resize the child form.
        TRect bounds = form->BoundsRect();
        SetVisible(value);
        SetWindowPos(form->Handle(), nullptr, bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetVisible(value);
    }
}

void TdxBar::Notification(TComponent* component, TOperation operation) {
    TcxComponentCollectionItem::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dockControl_) {
        SetDockRow(nullptr);
        HideBarControl();
        dockControl_ = nullptr;
    }
    if (component == dockedDockControl_) dockedDockControl_ = nullptr;
    if (component == loadedDockControl_) loadedDockControl_ = nullptr;
    if (auto* item = As<TdxBarItem>(component)) RemoveDetachingSubItem(item);
}

// ---- The collection -----------------------------------------------------------------------

TdxBars::TdxBars(TdxBarManager* manager) : TcxComponentCollection(manager, TdxBar::StaticClass()) {}

TdxBars::~TdxBars() {
    DeleteAll();
    for (TdxDockControl*& dock : dockControls_)
        if (TdxDockControl* d = std::exchange(dock, nullptr)) FreeObject(d);
}

TdxBarManager* TdxBars::BarManager() const { return static_cast<TdxBarManager*>(ParentComponent()); }

void TdxBars::CreateDockControls() {
    TdxBarManager* manager = BarManager();
    auto* parent = manager ? As<TWinControl>(manager->Owner()) : nullptr;
    if (!parent) return;
    static const struct {
        TdxBarDockingStyle style;
        TAlign align;
    } sides[] = {{dsLeft, alLeft}, {dsTop, alTop}, {dsRight, alRight}, {dsBottom, alBottom}};
    for (const auto& side : sides) {
        if (dockControls_[side.style]) continue;
        auto* dock = new TdxDockControl(nullptr);
        dock->SetDockingStyle(side.style);
        if (side.style == dsLeft || side.style == dsRight)
            dock->SetWidth(0);
        else
            dock->SetHeight(0);
        dock->SetAlign(side.align);
        TControlStyle style = dock->ControlStyle();
        style.Include(csDoubleClicks);
        style.Include(csNoDesignVisible);
        if (side.style == dsTop) style.Include(csActionClient);
        dock->SetControlStyle(style);
        dockControls_[side.style] = dock;
        dock->SetBarManager(manager);
        dock->SetParent(parent);
        // The docks come first in the tab order, whenever the manager is made: the form's own
        // controls keep their written tab order when the form is read back.
        dock->SetTabOrder(int(side.style) - 1);
    }
}

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle style) const { return dockControls_[style]; }

void TdxBars::SetDockControl(TdxBarDockingStyle style, TdxDockControl* dockControl) {
    if (style != dsNone) dockControls_[style] = dockControl;
}

void TdxBars::UpdateAllBars() {
    for (int i = 0; i < Count(); ++i)
        if (TdxBarControl* control = Items(i)->BarControl()) control->UpdateBar();
}
