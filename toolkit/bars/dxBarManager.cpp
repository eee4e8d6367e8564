#include "dxBarManager.h"

#include "dxBarDragInfo.h"

#include <algorithm>

#include "Application.h"
#include "Filer.h"
#include "Form.h"
#include "SysUtils.h"
#include "dxBarBackgrounds.h"
#include "dxBarCustForm.h"
#include "dxBarDockControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarMessageHooks.h"
#include "dxBarPopupMenuLink.h"
#include "dxBarStrs.h"
#include "dxBarUnit.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"
#include "dxThemeManager.h"

// Sections: construction and destruction · lists · owner and forms · lookups and names · items ·
// categories · update lock · selection and states · designer · docking and events · properties
// · streaming · TdxBarManagerList.

// ---- Construction and destruction ---------------------------------------------------------

TComponent* TdxBarManager::CheckedOwner(TComponent* owner) {
    if (!owner && Application) owner = Application->MainForm();
    if (!Is<TWinControl>(owner)) throw EdxException(BarString(dxSBAR_BARMANAGERBADOWNER));
    TdxBarManagerList* list = BarManagerList();
    for (int i = 0; list && i < list->Count(); ++i)
        if (list->GetManager(i)->Owner() == owner) throw EdxException(BarString(dxSBAR_BARMANAGERMORETHANONE));
    return owner;
}

// The owner is checked before the component exists, so a refused manager leaves nothing behind.
TdxBarManager::TdxBarManager(TComponent* owner) : TComponent(CheckedOwner(owner)) {
    // The first manager installs the message hooks.
    RegisterBarManager(this);
    registered_ = BarManagerList() && BarManagerList()->IndexOf(this) >= 0;
    backgrounds_ = new TdxBarBackgrounds(this);
    lookAndFeel_ = new TcxLookAndFeel(this);
    lookAndFeel_->OnChanged = MakeEvent(this, &TdxBarManager::LookAndFeelChanged);
    CreateDefaultPainter();
    internalItems_ = new TComponentList(true);
    items_ = new TdxBarComponentList;
    categories_ = new TdxBarManagerCategories(this);
    categories_->OnChange = MakeEvent(this, &TdxBarManager::CategoriesChanged);
    popupMenus_ = new TComponentList(false);
    bars_ = new TdxBars(this);
    bars_->CreateDockControls();
    readIniFileHandlers_ = new TcxEventHandlerCollection;
    writeIniFileHandlers_ = new TcxEventHandlerCollection;
    mdiStateChangedHandlers_ = new TcxEventHandlerCollection;
    systemFontChangedHandlers_ = new TcxEventHandlerCollection;
    captionFont_ = new TFont;
    editFont_ = new TFont;
    font_ = new TFont;
    font_->OnChange = MakeEvent(this, &TdxBarManager::FontChanged);
    groups_ = new TdxBarComponentList;
    helpButtonGlyph_ = new TBitmap;
    helpButtonGlyph_->OnChange = MakeEvent(this, &TdxBarManager::HelpButtonGlyphChanged);
    themeChangeNotifier_ = new TdxThemeChangedNotificator;
    themeChangeNotifier_->OnThemeChanged = MakeEvent(this, &TdxBarManager::StyleChanged);
    SetMostRecentItemsPercents(95);
    popupMenuLinks_ = new TdxBarPopupMenuLinks(this);
    UpdateSystemFont();
    CreatePaintResources();
    // Hook (link dragging): the drag state.
    imageOptions_ = new TdxBarImageOptions(this);
    imageOptions_->OnChanged = MakeEvent(this, &TdxBarManager::ImageOptionsChanged);
    imageOptions_->OnGlyphSizeChanged = MakeEvent(this, &TdxBarManager::GlyphSizeChanged);
    imageOptions_->OnSmallImagesChanged = MakeEvent(this, &TdxBarManager::SmallImagesChanged);
    imageOptions_->OnLargeImagesChanged = MakeEvent(this, &TdxBarManager::LargeImagesChanged);
    imageOptions_->OnHotImagesChanged = MakeEvent(this, &TdxBarManager::HotImagesChanged);
    // The start-up snapshot is made when it is first taken (never at design time).
}

TdxBarManager::~TdxBarManager() {
    Destroying();
    // Customizing mode rebuilds every bar window's controls from the objects freed below, and
    // a hint timer may fire into them: both stop before anything is freed.
    // Customizing mode ends first, so no window rebuilds for it while the manager goes.
    if (isCustomizing_) SwitchCustomizing(false);
    StopHints();
    // The bar windows go while what their controls read (images, painter, fonts) is still here.
    // A toolbar's window goes through its toolbar, which forgets it then: the toolbars outlive
    // their windows when the manager goes before them.
    for (int i = 0; bars_ && i < bars_->Count(); ++i) bars_->Items(i)->HideBarControl();
    for (TCustomdxBarControl* bar : LiveBarControls())
        if (IsBarControlAlive(bar) && bar->Owner() == this) FreeObject(bar);
    // The last manager removes the message hooks.
    if (registered_) UnregisterBarManager(this);
    registered_ = false;
    hintObject_ = nullptr;
    FreeAndNil(dragInfo_);
    FreeAndNil(imageOptions_);
    FreeAndNil(lookAndFeel_);
    FreeAndNil(themeChangeNotifier_);
    DeletePaintResources();
    // The popup menus belong to their owners (the form): they outlive the manager and forget it
    // through its free notification.
    FreeAndNil(popupMenus_);
    FreeAndNil(helpButtonGlyph_);
    if (groups_) groups_->SetOwnsObjects(true);
    FreeAndNil(groups_);
    FreeAndNil(font_);
    FreeAndNil(editFont_);
    FreeAndNil(captionFont_);
    FreeAndNil(bars_);
    FreeAndNil(readIniFileHandlers_);
    FreeAndNil(writeIniFileHandlers_);
    FreeAndNil(mdiStateChangedHandlers_);
    FreeAndNil(systemFontChangedHandlers_);
    dockControls_.clear();
    FreeAndNil(internalItems_);
    if (items_) items_->SetOwnsObjects(true);
    FreeAndNil(items_);
    FreeAndNil(categories_);
    // Hook (docks): free the bar-restoring list.
    FreeAndNil(popupMenuLinks_);
    FreeAndNil(backgrounds_);
    FreeAndNil(painter_);  // freed last
}

// ---- Lists --------------------------------------------------------------------------------

int TdxBarManager::GetItemCount() const { return items_ ? items_->Count() : 0; }

TdxBarItem* TdxBarManager::GetItemByIndex(int index) const {
    return index >= 0 && index < GetItemCount() ? static_cast<TdxBarItem*>(items_->Items(index)) : nullptr;
}

int TdxBarManager::GetGroupCount() const { return groups_ ? groups_->Count() : 0; }

TdxBarComponent* TdxBarManager::GetGroup(int index) const {
    return index >= 0 && index < GetGroupCount() ? groups_->ComponentAt(index) : nullptr;
}

TdxDockControl* TdxBarManager::GetDockControl(int index) const {
    return index >= 0 && index < GetDockControlCount() ? dockControls_[size_t(index)] : nullptr;
}

void TdxBarManager::AddDockControl(TdxDockControl* dockControl) {
    if (!dockControl || std::find(dockControls_.begin(), dockControls_.end(), dockControl) != dockControls_.end())
        return;
    dockControls_.push_back(dockControl);
    dockControl->FreeNotification(this);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* dockControl) {
    auto it = std::find(dockControls_.begin(), dockControls_.end(), dockControl);
    if (it == dockControls_.end()) return;
    // Hook (toolbars): bars docked there lose it; bars it showed become invisible.
    dockControls_.erase(it);
    if (bars_ && dockControl->IsStandard() && bars_->DockControls(dockControl->DockingStyle()) == dockControl)
        bars_->SetDockControl(dockControl->DockingStyle(), nullptr);
    if (!dockControl->ComponentState().Contains(csDestroying)) dockControl->SetParentColor(true);
}

// ---- Owner and forms ----------------------------------------------------------------------

TCustomForm* TdxBarManager::GetMainForm() const {
    return GetBarManagerFormOfKind(const_cast<TdxBarManager*>(this), dxBarFormOutermost);
}

TCustomForm* TdxBarManager::GetMDIOrMainForm() const {
    return GetBarManagerFormOfKind(const_cast<TdxBarManager*>(this), dxBarFormMDIChildOrOutermost);
}

TdxBarManager* TdxBarManager::GetParentManager() const {
    auto* owner = As<TWinControl>(Owner());
    if (!owner || !owner->HandleAllocated()) return nullptr;
    for (HWND w = GetParent(owner->Handle()); w; w = GetParent(w))
        if (TWinControl* control = FindControl(w)) return ResolveBarManager(control);
    return nullptr;
}

// ---- Lookups and names --------------------------------------------------------------------

TdxBar* TdxBarManager::FindBarByName(const String& name) const {
    for (int i = 0; bars_ && i < bars_->Count(); ++i)
        if (bars_->Items(i)->Name() == name) return bars_->Items(i);
    return nullptr;
}

TdxBar* TdxBarManager::FindBarByCaption(const String& caption) const {
    for (int i = 0; bars_ && i < bars_->Count(); ++i)
        if (bars_->Items(i)->Caption() == caption) return bars_->Items(i);
    return nullptr;
}

TdxBarItem* TdxBarManager::FindItemByName(const String& name) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (SameText(GetItemByIndex(i)->Name(), name)) return GetItemByIndex(i);
    return nullptr;
}

int TdxBarManager::GetItemsByCategory(int category, TList* list) const {
    list->Clear();
    if (!categories_->HasIndex(category)) return 0;
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItemByIndex(i)->Category() == category) list->Add(GetItemByIndex(i));
    return list->Count();
}

int TdxBarManager::GetVisibleItemsByCategory(int category, TList* list) const {
    GetItemsByCategory(category, list);
    if (IsBarManagerDesigning()) return list->Count();
    for (int i = list->Count() - 1; i >= 0; --i) {
        auto* item = static_cast<TdxBarItem*>(list->Items(i));
        if (!item->IsActuallyVisible() || internalItems_->IndexOf(item) >= 0) list->Delete(i);
    }
    return list->Count();
}

String TdxBarManager::MakeUniqueBarCaption(const String& base) const {
    for (int n = 1;; ++n)
        if (!FindBarByCaption(base + IntToStr(n))) return base + IntToStr(n);
}

String TdxBarManager::MakeUniqueBarName(const String& base) const {
    String name;
    if (IsBarManagerDesigning() && !IsLoadingState() && designer_ && designer_->MakeUniqueName(base, name)) return name;
    for (int n = 1;; ++n)
        if (!FindBarByComponentName(base + IntToStr(n))) return base + IntToStr(n);
}

String TdxBarManager::MakeUniqueItemName(TClass itemClass) const {
    String base = itemClass->ClassName().substr(1);
    String name;
    if (IsBarManagerDesigning() && designer_ && designer_->MakeUniqueName(base, name)) return name;
    for (int n = 1;; ++n)
        if (!FindItemByName(base + IntToStr(n))) return base + IntToStr(n);
}

int TdxBarManager::GetCategoryByVisibleIndex(int visibleIndex) const {
    if (IsBarManagerDesigning()) return visibleIndex;
    for (int i = 0, seen = 0; i < categories_->Count(); ++i)
        if (GetCategoryVisible(i) && seen++ == visibleIndex) return i;
    return -1;
}

// ---- Items --------------------------------------------------------------------------------

TdxBarItem* TdxBarManager::AddItem(TClass itemClass) {
    auto* item = static_cast<TdxBarItem*>(itemClass->Create(Owner()));
    try {
        // The default category by its own text, whatever a translation calls it.
        int category = categories_->IndexOf(BarStringTableText(dxSBAR_DEFAULTCATEGORYNAME));
        item->SetCategory(category >= 0 ? category : 0);
    } catch (...) {
        FreeObject(item);
        throw;
    }
    return item;
}

void TdxBarManager::MoveItem(int curIndex, int newIndex) {
    items_->Move(curIndex, newIndex);
    DesignerModified();
}

// ---- Categories ---------------------------------------------------------------------------

void TdxBarManager::SetCategories(TStrings* value) { categories_->Assign(value); }

void TdxBarManager::SetPopupMenuLinks(TdxBarPopupMenuLinks* value) { popupMenuLinks_->Assign(value); }

void TdxBarManager::SetBackgrounds(TdxBarBackgrounds* value) { backgrounds_->Assign(value); }

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int index) const {
    if (!categories_->HasIndex(index)) return ivNever;
    TdxBarCategoryData* data = categories_->Data(index);
    return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManager::GetCategoryVisible(int index) const {
    if (!categories_->HasIndex(index)) return false;
    TdxBarCategoryData* data = categories_->Data(index);
    return data ? data->Visible : true;
}

void TdxBarManager::SetCategoryVisible(int index, bool value) {
    if (!categories_->HasIndex(index) || GetCategoryVisible(index) == value) return;
    categories_->NeedData(index)->Visible = value;
    DesignerModified();
}

void TdxBarManager::SetCategoryItemsVisible(int index, TdxBarItemVisible value) {
    TdxBarCategoryData* data = categories_->NeedData(index);
    if (!data) return;
    if (ComponentState().Contains(csLoading)) {
        data->LoadedItemsVisible = value;
        return;
    }
    TdxBarItemVisible old = data->ItemsVisible;
    data->ItemsVisible = value;
    if (!IsBarManagerDesigning()) {
        // Hook (toolbars): with AutoHideEmptyBars, the bars without usable links are noted
        // first and hidden or shown again afterwards.
        LockUpdate();
        try {
            TList list;
            GetItemsByCategory(index, &list);
            auto apply = [&](int i) {
                auto* item = static_cast<TdxBarItem*>(list.Items(i));
                if (item->Visible() == old) item->SetVisible(value);
            };
            if (value == ivAlways)
                for (int i = list.Count() - 1; i >= 0; --i) apply(i);
            else
                for (int i = 0; i < list.Count(); ++i) apply(i);
        } catch (...) {
            UnlockUpdate();
            throw;
        }
        UnlockUpdate();
    }
    if (old != value) DesignerModified();
}

// ---- Update lock --------------------------------------------------------------------------

void TdxBarManager::LockUpdate() {
    if (lockUpdate_++ == 0) UpdateBarsRedraw(false, false);
}

void TdxBarManager::UnlockUpdate(bool refresh) {
    if (lockUpdate_ == 0) return;
    if (--lockUpdate_ == 0 && !IsDestroying()) UpdateBarsRedraw(true, refresh);
}

void TdxBarManager::UpdateBarsRedraw(bool redraw, bool refresh) {
    auto showing = [](TdxDockControl* dock) { return dock->Visible() && dock->HandleAllocated(); };
    for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_))
        if (showing(dock)) SendMessageW(dock->Handle(), WM_SETREDRAW, redraw, 0);
    if (!redraw) return;
    (void)refresh;
    // Bar windows whose rebuild the lock held back rebuild now.
    for (TCustomdxBarControl* bar : LiveBarControls())
        if (IsBarControlAlive(bar) && bar->Owner() == this && bar->RebuildPending()) bar->UpdateBar();
    // Hook (sub menus): a sub-menu window marked changed updates itself. Hook (bar windows):
    // windows of floating bars (and, with refresh, of changed bars) recreate their controls
    // and lay out again; other bar windows recalculate their frames and repaint.
    for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) {
        // The rows left empty go and the rows are arranged again.
        dock->RemoveEmptyRows();
        dock->Relayout();
    }
    for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_))
        if (showing(dock)) {
            RedrawWindow(dock->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    // Hook (toolbars): every bar's changed mark is cleared, also when a step fails.
}

void TdxBarManager::ForEachItem(const std::function<void(TdxBarItem*)>& proc) {
    if (IsLoadingState() || IsDestroying()) return;
    LockUpdate();
    try {
        for (int i = 0; i < GetItemCount(); ++i) proc(GetItemByIndex(i));
    } catch (...) {
        UnlockUpdate();
        throw;
    }
    UnlockUpdate();
}

// ---- Selection and states -----------------------------------------------------------------

void TdxBarManager::SetSelectedItemControl(TdxBarItemControl* control) {
    if (selectedItemControl_ == control) return;
    // Hook (bar windows): while customizing or designing, the old control's top-level bar
    // window (or the quick-customization popup's links) drops its selection when the new one
    // lies elsewhere.
    selectedItemControl_ = control;
}

bool TdxBarManager::IsLoadingState() const { return ComponentState().Contains(csLoading) || ownLoading_; }

bool TdxBarManager::IsAnotherManagerCustomizing() const {
    TdxBarManager* customizing = BarManagerList() ? BarManagerList()->GetCustomizingManager() : nullptr;
    return customizing && customizing != this;
}

// ---- Designer -----------------------------------------------------------------------------

void TdxBarManager::DesignerModified() {
    if (IsLoadingState() || IsDestroying()) return;
    if (designerLock_ > 0) {
        designerChangeHeld_ = true;
        return;
    }
    modified_ = true;
    // Hook (design controller): at design time, when not updating, not while the owner is read,
    // the bars load, the dock handles are made or an image list loads, the form designer of the
    // owner's form is told (NotifyFormDesigner).
}

void TdxBarManager::LockDesignerModified(bool lock, bool notify) {
    if (lock) {
        if (designerLock_++ == 0) designerChangeHeld_ = false;
        return;
    }
    if (designerLock_ == 0 || --designerLock_ > 0) return;
    if (notify && std::exchange(designerChangeHeld_, false)) DesignerModified();
}

void TdxBarManager::GetSelectedComponents(TList* list) const {
    list->Clear();
    if (!designer_) return;
    designer_->CollectSelection(list);
    for (int i = list->Count() - 1; i >= 0; --i)
        if (designer_->QuerySelectionState(static_cast<TObject*>(list->Items(i))) != 1) list->Delete(i);
}

// ---- Docking and events -------------------------------------------------------------------

void TdxBarManager::DoClickItem(TdxBarItem* item) {
    if (OnClickItem) OnClickItem(this, item);
}

bool TdxBarManager::IsDockingAllowed(TdxBar* bar, TdxBarDockingStyle style, TdxDockControl* dockControl) {
    bool allowed;
    if (bar && bar->NotDocking().Contains(style))
        allowed = false;
    else if (!dockControl || dockControl->IsStandard())
        allowed = !notDocking_.Contains(style);
    else
        allowed = dockControl->CanDockBar(bar);
    if (OnDocking) OnDocking(bar, style, dockControl, allowed);
    return allowed;
}

void TdxBarManager::FireBarAfterReset(TdxBar* bar) {
    if (OnBarAfterReset) OnBarAfterReset(this, bar);
}

void TdxBarManager::FireBarBeforeReset(TdxBar* bar) {
    if (OnBarBeforeReset) OnBarBeforeReset(this, bar);
}

void TdxBarManager::FireBarClose(TdxBar* bar) {
    if (OnBarClose) OnBarClose(this, bar);
}

void TdxBarManager::FireBarDockingStyleChange(TdxBar* bar) {
    if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, bar);
}

void TdxBarManager::FireCloseButtonClick() {
    if (OnCloseButtonClick) OnCloseButtonClick(this);
}

void TdxBarManager::FireHelpButtonClick() {
    if (OnHelpButtonClick) OnHelpButtonClick(this);
}

void TdxBarManager::FireShowCustomizingPopup(TdxBarItemLinks* links) {
    if (OnShowCustomizingPopup) OnShowCustomizingPopup(this, links);
}

void TdxBarManager::FireShowToolbarsPopup(TdxBarItemLinks* links) {
    if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, links);
}

void TdxBarManager::FireItemLinkChange(TdxBarItemLink* link) {
    if (OnItemLinkChange && !IsLoadingState()) OnItemLinkChange(this, link);
}

void TdxBarManager::FireMergeItemLink(TdxBarItemLinks* destinationLinks, TdxBarItemLinks* sourceLinks,
                                      TdxBarItemLink* sourceLink, TdxBarItemMergeKind& mergeKind, int& mergeIndex) {
    if (OnMergeItemLink) OnMergeItemLink(this, destinationLinks, sourceLinks, sourceLink, mergeKind, mergeIndex);
}

// ---- Properties ---------------------------------------------------------------------------

void TdxBarManager::SetAutoAlignBars(bool value) {
    if (AssignIfChanged(autoAlignBars_, value)) {
        LockUpdate();  // the docks arrange their rows again on the unlock
        UnlockUpdate();
    }
}

void TdxBarManager::SetAutoDockColor(bool value) {
    if (AssignIfChanged(autoDockColor_, value)) UpdateDockControlColors();
}

void TdxBarManager::SetAutoHideEmptyBars(bool value) {
    if (AssignIfChanged(autoHideEmptyBars_, value) && !value) {
        // Hook (toolbars): every bar's hidden-because-empty flag is cleared.
    }
}

void TdxBarManager::SetButtonArrowWidth(int value) {
    if (value > 1 && AssignIfChanged(buttonArrowWidth_, value)) {
        // Hook (bar windows): the bars refresh.
    }
}

TColor TdxBarManager::DockColor() const {
    auto* owner = As<TControl>(Owner());
    return autoDockColor_ && owner ? owner->Color() : dockColor_;
}

void TdxBarManager::SetDockColor(TColor value) {
    autoDockColor_ = false;
    dockColor_ = value;
    UpdateDockControlColors();
}

void TdxBarManager::UpdateDockControlColors() {
    // Hook (docks): each dock control takes the manager's colour.
}

void TdxBarManager::SetFlatCloseButton(bool value) {
    if (AssignIfChanged(flatCloseButton_, value)) {
        // Hook (toolbars): the main menu bar's window drops a selection on it and redraws.
    }
}

void TdxBarManager::SetFont(TFont* value) { font_->Assign(value); }

void TdxBarManager::SetHelpButtonGlyph(TBitmap* value) { helpButtonGlyph_->Assign(value); }

void TdxBarManager::HelpButtonGlyphChanged(TObject* sender) {
    if (IsCustomizationFormOf(this)) RefreshCustomizationFormHelpButton();
}

void TdxBarManager::SetLargeButtonArrowWidth(int value) {
    if (value >= 2 && AssignIfChanged(largeButtonArrowWidth_, value)) {
        // Hook (bar windows): every bar window updates.
    }
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool value) {
    // Hook (sub menus): the open menus follow.
    if (AssignIfChanged(menusShowRecentItemsFirst_, value)) MenuOptionChanged();
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations value) {
    if (AssignIfChanged(menuAnimations_, value)) MenuOptionChanged();
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool value) {
    if (AssignIfChanged(showFullMenusAfterDelay_, value)) MenuOptionChanged();
}

void TdxBarManager::SetShowHint(bool value) {
    if (AssignIfChanged(showHint_, value)) MenuOptionChanged();
}

void TdxBarManager::SetShowShortCutInHint(bool value) {
    if (AssignIfChanged(showShortCutInHint_, value)) MenuOptionChanged();
}

void TdxBarManager::MenuOptionChanged() {
    DesignerModified();
    if (IsCustomizationFormOf(this)) RefreshCustomizationFormOptions();
}

void TdxBarManager::SetMostRecentItemsPercents(Byte value) {
    mostRecentItemsPercents_ = std::min<Byte>(value, 100);
    // The use count a link needs to count as recently used: 0 for 100 %; else the smallest n
    // with n * (100 - percents) / 100 above 0.
    int rest = 100 - mostRecentItemsPercents_;
    mostRecentlyUsedUseCount_ = rest == 0 ? 0 : (100 + rest - 1) / rest;
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles value) {
    if (AssignIfChanged(notDocking_, value)) {
        StyleChanged();
        // Hook (toolbars): the bars refresh.
    }
}

void TdxBarManager::SetRegistryPath(const String& value) {
    String path = value;
    if (!path.empty()) {
        if (path.front() != L'\\') path.insert(path.begin(), L'\\');
        if (path.back() != L'\\') path += L'\\';
    }
    registryPath_ = path;
}

void TdxBarManager::SetShowCloseButton(bool value) {
    if (AssignIfChanged(showCloseButton_, value)) {
        // Hook (toolbars): the main menu bar's window drops a selection on it and redraws.
    }
}

void TdxBarManager::SetShowHelpButton(bool value) {
    if (AssignIfChanged(showHelpButton_, value)) {
        if (IsCustomizationFormOf(this)) RefreshCustomizationFormHelpButton();
    }
}

void TdxBarManager::SetStyle(TdxBarManagerStyle value) {
    if (AssignIfChanged(style_, value)) StyleChanged();
}

void TdxBarManager::SetSunkenBorder(bool value) {
    if (AssignIfChanged(sunkenBorder_, value)) {
        // Hook (docks): every dock control updates its border.
    }
}

void TdxBarManager::SetWaitForDockingTime(int value) {
    if (value >= 0) waitForDockingTime_ = value;
}

// ---- Streaming ----------------------------------------------------------------------------

void TdxBarManager::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    // Hook (toolbars): "Bars", read only: each entry's properties go into the bar of its index.
    filer->DefineProperty(
        L"DockControlHeights", [this](TReader* reader) { ReadDockControlHeights(reader); },
        [this](TWriter* writer) { WriteDockControlHeights(writer); }, true);
}

namespace {
// The side docks in the order the stream lists their sizes: left and right widths, top and
// bottom heights.
constexpr TdxBarDockingStyle kStreamedDockSides[4] = {dsLeft, dsRight, dsTop, dsBottom};
}  // namespace

void TdxBarManager::ReadDockControlHeights(TReader* reader) {
    reader->ReadListBegin();
    for (TdxBarDockingStyle side : kStreamedDockSides) {
        int size = reader->ReadInteger();
        TdxDockControl* dock = bars_->DockControls(side);
        if (!dock) continue;
        if (side == dsLeft || side == dsRight)
            dock->SetWidth(size);
        else
            dock->SetHeight(size);
    }
    reader->ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter* writer) {
    writer->WriteListBegin();
    for (TdxBarDockingStyle side : kStreamedDockSides) {
        TdxDockControl* dock = bars_->DockControls(side);
        writer->WriteInteger(!dock ? 0 : (side == dsLeft || side == dsRight) ? dock->Width() : dock->Height());
    }
    writer->WriteListEnd();
}

void TdxBarManager::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (int i = 0; i < bars_->Count(); ++i)
        if (bars_->Items(i)->Owner() == root) proc(bars_->Items(i));
    for (int i = 0; i < GetItemCount(); ++i) {
        TdxBarItem* item = GetItemByIndex(i);
        if (item->Owner() == root && item->Category() >= 0) proc(item);
    }
    for (int i = 0; i < GetGroupCount(); ++i)
        if (GetGroup(i)->Owner() == root) proc(GetGroup(i));
}

void TdxBarManager::SetChildOrder(TComponent* child, int order) {
    TComponent::SetChildOrder(child, order);
    if (auto* item = As<TdxBarItem>(child))
        item->SetIndexInManager(order - bars_->Count());
    else if (groups_->IndexOf(child) >= 0) {
        int index = order - bars_->Count() - GetItemCount();
        int own = groups_->IndexOf(child);
        if (index >= 0 && index < GetGroupCount() && index != own) groups_->Move(own, index);
    }
}

void TdxBarManager::ReadState(TReader* reader) {
    TComponent::ReadState(reader);
    ++readStateCount_;
}

void TdxBarManager::Loaded() {
    TComponent::Loaded();
    if (lockUpdate_ > 0) return;
    ownLoading_ = true;
    try {
        // The menus of the items and the bars resolve the item names their links read.
        for (int i = 0; i < GetItemCount(); ++i)
            if (TdxBarItemLinks* links = GetItemByIndex(i)->GetItemLinks()) links->ResolveLoadedItems();
        for (int i = 0; i < bars_->Count(); ++i)
            if (TdxBarItemLinks* links = bars_->Items(i)->ItemLinks()) links->ResolveLoadedItems();
        if (IsBarManagerDesigning()) {
            // A stable sort of the items by category.
            for (bool swapped = true; swapped;) {
                swapped = false;
                for (int i = 0; i + 1 < GetItemCount(); ++i)
                    if (GetItemByIndex(i)->Category() > GetItemByIndex(i + 1)->Category()) {
                        items_->Exchange(i, i + 1);
                        swapped = true;
                    }
            }
        }
        barsLoading_ = true;
        for (int i = 0; i < GetItemCount(); ++i) GetItemByIndex(i)->ApplyLoadedVisible();
        // Every bar is marked predefined and takes its read dock control, docking style and
        // visibility.
        for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ApplyLoadedState();
        barsLoading_ = false;
        // The snapshot holds the designed layout; the stored one replaces it on screen.
        if (!IsBarManagerDesigning()) {
            SaveStartupState();
            if (storeInRegistry_) LoadFromRegistry(registryPath_);
            if (storeInIniFile_) LoadFromIniFile(iniFileName_);
        }
        LockUpdate();
        try {
            for (int i = 0; i < categories_->Count(); ++i)
                if (TdxBarCategoryData* data = categories_->Data(i))
                    SetCategoryItemsVisible(i, data->LoadedItemsVisible);
        } catch (...) {
            UnlockUpdate();
            throw;
        }
        UnlockUpdate();
        for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) dock->Relayout();
    } catch (...) {
        barsLoading_ = false;
        ownLoading_ = false;
        throw;
    }
    ownLoading_ = false;
    // Hook (item links): at design time, broken links are reported.
}

void TdxBarManager::SetName(const String& name) {
    String old = Name();
    TComponent::SetName(name);
    if (!IsBarManagerDesigning() || old == name || old.empty() || !Owner()) return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* item = As<TdxBarItem>(Owner()->Components(i));
        if (!item || item->Name().size() <= old.size() || !SameText(item->Name().substr(0, old.size()), old)) continue;
        try {
            item->SetName(name + item->Name().substr(old.size()));
        } catch (const EComponentError&) {
            // A name already taken leaves that item's name as it was.
        }
    }
}

void TdxBarManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase(dockControls_, component);
    if (popupMenuLinks_) popupMenuLinks_->ComponentRemoved(component);
}

// ---- TdxBarManagerList --------------------------------------------------------------------

TdxBarManagerList::~TdxBarManagerList() { RemoveMessageHooks(); }

TdxBarManager* TdxBarManagerList::GetCustomizingManager() const {
    for (int i = 0; i < Count(); ++i)
        if (GetManager(i)->IsCustomizing()) return GetManager(i);
    return nullptr;
}

bool TdxBarManagerList::BelongsToForm(TdxBarManager* candidate, TCustomForm* form) {
    if (!candidate || !form || !form->HandleAllocated()) return false;
    if (!IsOwnerWindowOf(candidate, form->Handle())) return false;
    TCustomForm* child = GetBarManagerFormOfKind(candidate, dxBarFormMDIChildOrOutermost);
    if (child && child->FormStyle() == fsMDIChild) {
        TCustomForm* frame = GetBarManagerFormOfKind(candidate, dxBarFormOutermost);
        return frame && frame->ActiveMDIChild() == child;
    }
    return true;
}

TdxBarManager* TdxBarManagerList::NextManager(TdxBarManager* manager, bool forward) const {
    int count = Count();
    int start = IndexOf(manager);
    if (start < 0 || count == 0) return manager;
    TCustomForm* form = GetBarManagerFormOfKind(manager, dxBarFormOutermost);
    for (int step = 1; step < count; ++step) {
        int index = ((start + (forward ? step : -step)) % count + count) % count;
        if (BelongsToForm(GetManager(index), form)) return GetManager(index);
    }
    return manager;
}
