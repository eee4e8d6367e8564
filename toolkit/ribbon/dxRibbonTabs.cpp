#include "dxRibbonTabs.h"

#include "Filer.h"
#include "Format.h"
#include "cxClasses.h"
#include "dxBarAccessibility.h"
#include "dxBarManager.h"
#include "dxFading.h"
#include "dxRibbon.h"
#include "dxRibbonAccessibility.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonViewInfo.h"

// ---- docking helpers -----------------------------------------------------------------------

namespace {

// Restores a bar's visibility however the docking ends.
class TBarVisibilityKeeper {
public:
    TBarVisibilityKeeper(TdxBar* bar, bool hide) : bar_(bar), visible_(bar->Visible()), hide_(hide) {
        if (hide_) bar_->SetVisible(false);
    }
    ~TBarVisibilityKeeper() {
        if (hide_) bar_->SetVisible(visible_);
    }

private:
    TdxBar* bar_;
    bool visible_, hide_;
};

bool IsLoadingComponent(const TComponent* c) { return c->ComponentState().Contains(csLoading); }
bool IsDestroyingComponent(const TComponent* c) { return c->ComponentState().Contains(csDestroying); }

}  // namespace

void MoveBarToDockControl(TdxBar* bar, TdxDockControl* dockControl) {
    if (!bar || bar->DockControl() == dockControl) return;
    TBarVisibilityKeeper keeper(bar, !IsLoadingComponent(bar));
    bar->SetDockControl(dockControl);
}

void UndockBar(TdxBar* bar) {
    if (!bar || IsDestroyingComponent(bar)) return;
    TBarVisibilityKeeper keeper(bar, true);
    bar->SetDockControl(nullptr);
    bar->SetDockedDockControl(nullptr);
    bar->SetDockedDockingStyle(dsNone);
    bar->SetDockingStyle(dsNone);
}

// ---- groups --------------------------------------------------------------------------------

TdxRibbonTabGroup::TdxRibbonTabGroup(TCollection* collection) : TCollectionItem(collection) {}

TdxRibbonTabGroup::~TdxRibbonTabGroup() {
    try {
        ReleaseToolbar();
    } catch (...) {
        // a destructor must not throw; the toolbar stays where it was
    }
}

TdxRibbonTab* TdxRibbonTabGroup::Tab() const {
    auto* groups = static_cast<TdxRibbonTabGroups*>(Collection());
    return groups ? groups->Tab() : nullptr;
}

TdxCustomRibbon* TdxRibbonTabGroup::Ribbon() const {
    TdxRibbonTab* tab = Tab();
    return tab ? tab->Ribbon() : nullptr;
}

void TdxRibbonTabGroup::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxRibbonTabGroup*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    SetCanCollapse(other->CanCollapse());
    SetToolBar(other->ToolBar());
}

void TdxRibbonTabGroup::SetCanCollapse(bool value) {
    if (canCollapse_ == value) return;
    canCollapse_ = value;
    Changed(false);
}

bool TdxRibbonTabGroup::AcceptsToolbar(TdxBar* value) const {
    TdxCustomRibbon* ribbon = Ribbon();
    return !value || (ribbon && value->BarManager() == ribbon->BarManager());
}

void TdxRibbonTabGroup::CheckToolbar(TdxBar* value) const {
    TdxCustomRibbon* ribbon = Ribbon();
    if (ribbon && ribbon->QuickAccessToolbar()->Toolbar() == value)
        throw EdxRibbonException(L"This toolbar is already used as the QuickAccessToolbar");
    auto* groups = static_cast<TdxRibbonTabGroups*>(Collection());
    for (int i = 0; groups && i < groups->Count(); ++i)
        if (groups->Items(i) != this && groups->Items(i)->ToolBar() == value)
            throw EdxRibbonException(L"At least one group in this tab already contains this toolbar");
}

void TdxRibbonTabGroup::SetToolBar(TdxBar* value) {
    if (value == toolBar_ || !AcceptsToolbar(value)) return;
    // Checked before the old toolbar is released: a refused toolbar leaves the group as it was.
    if (value) CheckToolbar(value);
    ReleaseToolbar();
    if (!value) {
        toolBar_ = nullptr;
        delete this;  // the group leaves its tab
        return;
    }
    toolBar_ = value;
    if (TdxRibbonTab* tab = Tab()) tab->WatchToolbar(value);
    DockToolbar(value);
}

void TdxRibbonTabGroup::DockToolbar(TdxBar* bar) {
    TdxRibbonTab* tab = Tab();
    if (!tab) return;
    auto* current = As<TdxRibbonGroupsDockControl>(bar->DockControl());
    if (!tab->Active() && current && current->Tab() && current->Ribbon() == tab->Ribbon() && current->Tab()->Active())
        return;  // the active tab shows it
    MoveBarToDockControl(bar, tab->DockControl());
}

void TdxRibbonTabGroup::ReleaseToolbar() {
    TdxBar* bar = toolBar_;
    if (!bar) return;
    TdxRibbonTab* tab = Tab();
    TdxCustomRibbon* ribbon = Ribbon();
    if (ribbon && !IsDestroyingComponent(ribbon)) {
        for (int i = 0; i < ribbon->Tabs()->Count(); ++i) {
            TdxRibbonTab* other = ribbon->Tabs()->Items(i);
            if (other != tab && other->Groups()->FindByToolbar(bar)) {
                MoveBarToDockControl(bar, other->DockControl());
                return;
            }
        }
    }
    UndockBar(bar);
}

void TdxRibbonTabGroup::ResolveToolbar() {
    if (pendingToolbarName_.empty()) return;
    TdxCustomRibbon* ribbon = Ribbon();
    if (!ribbon || !ribbon->HasBarManager()) return;
    String name = pendingToolbarName_;
    pendingToolbarName_.clear();
    if (TdxBar* bar = ribbon->BarManager()->FindBarByName(name)) SetToolBar(bar);
}

void TdxRibbonTabGroup::DefineProperties(TFiler* filer) {
    TCollectionItem::DefineProperties(filer);
    filer->DefineProperty(
        L"ToolbarName", [this](TReader* reader) { pendingToolbarName_ = reader->ReadString(); },
        [this](TWriter* writer) { writer->WriteString(toolBar_ ? toolBar_->Name() : String()); }, toolBar_ != nullptr);
}

// ---- the groups of a tab -------------------------------------------------------------------

TdxRibbonTabGroups::TdxRibbonTabGroups(TdxRibbonTab* tab)
    : TOwnedCollection(tab, TdxRibbonTabGroup::StaticClass()), tab_(tab) {}

TdxRibbonTabGroup* TdxRibbonTabGroups::FindByToolbar(const TdxBar* bar) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ToolBar() == bar) return Items(i);
    return nullptr;
}

void TdxRibbonTabGroups::Notify(TCollectionItem* item, TCollectionNotification action) {
    TOwnedCollection::Notify(item, action);
    if (TdxCustomRibbon* ribbon = tab_->Ribbon()) ribbon->Changed();
}

void TdxRibbonTabGroups::Update(TCollectionItem* item) {
    TOwnedCollection::Update(item);
    TdxCustomRibbon* ribbon = tab_->Ribbon();
    if (!ribbon) return;
    ribbon->Changed();
    if (tab_->Active()) tab_->DockControl()->Recalculate();
}

// ---- tabs ----------------------------------------------------------------------------------

TdxRibbonTab::TdxRibbonTab(TComponent* owner) : TcxComponentCollectionItem(owner) {
    dockControl_ = new TdxRibbonGroupsDockControl(this);
    groups_ = new TdxRibbonTabGroups(this);
}

void TdxRibbonTab::BeforeDestruction() {
    indexBeforeDestroy_ = IndexInCollection();
    ReleaseAccessibilityHelper(accessibilityHelper_);
    TcxComponentCollectionItem::BeforeDestruction();
}

TdxRibbonTab::~TdxRibbonTab() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    delete groups_;
    groups_ = nullptr;
    delete dockControl_;  // clears dockControl_ as it goes
}

IdxBarAccessibilityHelper* TdxRibbonTab::ObtainAccessibilityHelper() {
    if (ComponentState().Contains(csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxRibbonTabAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

void TdxRibbonTab::DockControlDestroyed(TdxRibbonGroupsDockControl* dockControl) {
    if (dockControl_ == dockControl) dockControl_ = nullptr;
}

String TdxRibbonTab::GetDisplayText() const { return Format(L"%s - '%s'", {Name(), caption_}); }

TcxComponentCollection* TdxRibbonTab::CollectionFromParent(TComponent* parent) {
    auto* ribbon = As<TdxCustomRibbon>(parent);
    return ribbon ? ribbon->Tabs() : nullptr;
}

void TdxRibbonTab::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxRibbonTab*>(source);
    if (!other) {
        TcxComponentCollectionItem::Assign(source);
        return;
    }
    if (ribbon_) ribbon_->BeginUpdate();
    try {
        SetActive(other->Active());
        SetCaption(other->Caption());
        SetGroups(other->Groups());
        SetKeyTip(other->KeyTip());
        SetVisible(other->Visible());
    } catch (...) {
        if (ribbon_) ribbon_->EndUpdate();
        throw;
    }
    if (ribbon_) ribbon_->EndUpdate();
}

bool TdxRibbonTab::Active() const { return ribbon_ && ribbon_->ActiveTab() == this; }

void TdxRibbonTab::SetActive(bool value) {
    if (value && ribbon_) ribbon_->SetActiveTab(this);
}

void TdxRibbonTab::SetCaption(const String& value) {
    if (caption_ == value) return;
    caption_ = value;
    if (ribbon_) ribbon_->Changed();
}

void TdxRibbonTab::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    if (!value && Active()) ribbon_->ActivateNearestTab(this);
    if (ribbon_) ribbon_->Changed();
}

int TdxRibbonTab::VisibleIndex() const {
    if (!visible_ || !ribbon_) return -1;
    for (int i = 0; i < ribbon_->VisibleTabCount(); ++i)
        if (ribbon_->GetVisibleTab(i) == this) return i;
    return -1;
}

void TdxRibbonTab::SetName(const String& value) {
    const bool follow = !IsLoadingComponent(this) && caption_ == Name() && !(Owner() && IsLoadingComponent(Owner()));
    TcxComponentCollectionItem::SetName(value);
    if (follow) SetCaption(value);
}

void TdxRibbonTab::Loaded() {
    TcxComponentCollectionItem::Loaded();
    for (int i = groups_->Count() - 1; i >= 0; --i)
        if (i < groups_->Count()) groups_->Items(i)->ResolveToolbar();
}

void TdxRibbonTab::Notification(TComponent* component, TOperation operation) {
    TcxComponentCollectionItem::Notification(component, operation);
    if (operation != opRemove || !groups_) return;
    // While the tab or its ribbon goes, a freed toolbar is only forgotten: the group must not
    // reach it when the group goes after it (the form frees a bar manager named after the ribbon
    // first).
    if (IsDestroyingComponent(this) || (ribbon_ && IsDestroyingComponent(ribbon_))) {
        for (int i = 0; i < groups_->Count(); ++i)
            if (groups_->Items(i)->ToolBar() == component) groups_->Items(i)->ForgetToolbar();
        return;
    }
    for (int i = groups_->Count() - 1; i >= 0; --i)
        if (groups_->Items(i)->ToolBar() == component) groups_->Items(i)->SetToolBar(nullptr);
}

void TdxRibbonTab::ActivateGroups() {
    MakeVisible();
    if (ribbon_ && ribbon_->ShowTabGroups()) {
        CalculateDockControl();
        DockGroupToolbars();
        dockControl_->SetVisible(true);
    } else {
        DockGroupToolbars();
    }
}

void TdxRibbonTab::DeactivateGroups() {
    if (!IsDestroyingComponent(this)) dockControl_->SetVisible(false);
}

TRect TdxRibbonTab::GetDockControlBounds() const {
    if (!ribbon_) return TRect{};
    TRect r = ribbon_->GroupsSite()->ClientRect();
    const TRect margins = ribbon_->ViewInfo()->GetTabGroupsMargins();
    return TRect{r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
}

void TdxRibbonTab::RecalculateGroups() { dockControl_->Recalculate(); }

void TdxRibbonTab::DockGroupToolbars() {
    for (int i = 0; i < groups_->Count(); ++i) {
        TdxBar* bar = groups_->Items(i)->ToolBar();
        if (bar && bar->DockControl() != dockControl_) MoveBarToDockControl(bar, dockControl_);
    }
}

void TdxRibbonTab::CalculateDockControl() {
    if (!ribbon_ || ribbon_->IsLocked() || !dockControl_) return;
    // A minimized ribbon shows the active tab's groups in its popup.
    const bool groupsShown = ribbon_->ShowTabGroups() || ribbon_->IsGroupsPopupShown();
    const bool show = visible_ && !ribbon_->Hidden() && groupsShown && Active();
    if (show && ribbon_->HasBarManager()) {
        // The groups are laid out for the groups area first, then the dock takes its place.
        const TRect area = GetDockControlBounds();
        dockControl_->GroupsViewInfo()->CalculateGroups(TRect{0, 0, RectWidth(area), RectHeight(area)});
        PlaceDockControl();
        dockControl_->ArrangeGroups();
    }
    dockControl_->SetVisible(show);
}

void TdxRibbonTab::PlaceDockControl() {
    if (ribbon_ && !ribbon_->IsLocked()) dockControl_->SetBoundsRect(GetDockControlBounds());
}

void TdxRibbonTab::InvalidateHeader() {
    if (!ribbon_) return;
    if (TdxRibbonTabViewInfo* header = ribbon_->ViewInfo()->TabsViewInfo()->Find(this))
        ribbon_->InvalidateArea(header->Bounds(), false);
}

void TdxRibbonTab::MakeVisible() {
    SetVisible(true);
    if (ribbon_) ribbon_->ViewInfo()->TabsViewInfo()->MakeTabVisible(this);
}

void TdxRibbonTab::SetRibbon(TdxCustomRibbon* ribbon) {
    ribbon_ = ribbon;
    if (!ribbon) return;
    dockControl_->SetBarManager(ribbon->BarManager());
    dockControl_->SetParent(ribbon->GroupsSite());
}

void TdxRibbonTab::SetBarManager(TdxBarManager* manager) {
    dockControl_->SetBarManager(manager);
    for (int i = 0; i < groups_->Count(); ++i)
        if (TdxBar* bar = groups_->Items(i)->ToolBar()) bar->SetDockControl(dockControl_);
}

// ---- the tab collection --------------------------------------------------------------------

TdxRibbonTabCollection::TdxRibbonTabCollection(TdxCustomRibbon* ribbon)
    : TcxComponentCollection(ribbon, TdxRibbonTab::StaticClass()), ribbon_(ribbon) {}

TdxRibbonTabCollection::~TdxRibbonTabCollection() {
    // The base frees the tabs from last to first.
    ReleaseAccessibilityHelper(accessibilityHelper_);
}

IdxBarAccessibilityHelper* TdxRibbonTabCollection::ObtainAccessibilityHelper() {
    if (ribbon_->ComponentState().Contains(csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxRibbonTabCollectionAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

void TdxRibbonTabCollection::ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
    auto* tab = static_cast<TdxRibbonTab*>(item);
    if (action == itemAdded) ribbon_->TabAdded(tab);
    if (action == itemRemoving) ribbon_->TabRemoving(tab);
}

void TdxRibbonTabCollection::AssignItemName(TcxComponentCollectionItem* item) {
    item->SetName(MakeUniqueComponentName(ribbon_->Owner(), ribbon_, item, String(), L"TdxRibbon"));
}
