#include "dxRibbonAccessibility.h"

#include <algorithm>
#include <vector>

#include "Font.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"
#include "dxBarNavigationSearch.h"
#include "dxCore.h"
#include "dxCustomBarControlViewInfo.h"
#include "dxRibbon.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonKeyTips.h"
#include "dxRibbonOptions.h"
#include "dxRibbonTabs.h"
#include "dxRibbonViewInfo.h"

namespace {

constexpr Integer StateInvisible = 0x8000;

RECT ToScreen(TControl* control, const TRect& r) {
    const TPoint topLeft = control->ClientToScreen(TPoint{r.left, r.top});
    return RECT{topLeft.x, topLeft.y, topLeft.x + (r.right - r.left), topLeft.y + (r.bottom - r.top)};
}

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

TdxBarAccessibilityHelper* HelperOf(IdxBarAccessibilityHelper* helper) { return GetHelperObject(helper); }

// The group windows docked in a tab's dock control, left to right as they were docked.
std::vector<TdxRibbonGroupBarControl*> GroupWindowsOf(TdxRibbonGroupsDockControl* dock) {
    std::vector<TdxRibbonGroupBarControl*> windows;
    if (!dock) return windows;
    for (int i = 0; i < dock->ControlCount(); ++i)
        if (auto* window = As<TdxRibbonGroupBarControl>(dock->Controls(i))) windows.push_back(window);
    return windows;
}

TdxBarAccessibilityHelper* TabHelperOf(TdxRibbonTab* tab) {
    return tab ? HelperOf(tab->ObtainAccessibilityHelper()) : nullptr;
}

void ChangeSelection(bool byTab, TdxBarAccessibilityHelper* next, TdxBarAccessibilityHelper* old) {
    if (TdxBarNavigationController* controller = GetNavigationController())
        controller->ChangeSelectedObject(byTab, next, old);
}

}  // namespace

// ---- ribbon --------------------------------------------------------------------------------

TdxCustomRibbon* TdxRibbonAccessibilityHelper::Ribbon() const { return static_cast<TdxCustomRibbon*>(OwnerObject()); }

bool TdxRibbonAccessibilityHelper::GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) {
    if (!keyTipManagerRef_) keyTipManagerRef_ = IPtr<IdxBarKeyTipWindowsManager>(new TdxRibbonKeyTipWindows(
        IsOwnerObjectLive() ? Ribbon() : nullptr));
    manager = keyTipManagerRef_;
    return true;
}

TdxBarManager* TdxRibbonAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? Ribbon()->BarManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxRibbonAccessibilityHelper::GetEntryObject() {
    if (!IsOwnerObjectLive()) return nullptr;
    IdxBarAccessibilityHelper* entry = nullptr;
    if (Ribbon()->AreGroupsVisible())
        if (TdxBarAccessibilityHelper* tabs = TabCollectionHelper()) entry = tabs->GetEntryObject();
    if (!entry)
        if (TdxBarAccessibilityHelper* button = ApplicationButtonHelper(); button && button->IsVisibleByState())
            entry = button;
    return entry;
}

TdxBarAccessibilityHelper* TdxRibbonAccessibilityHelper::ApplicationButtonHelper() {
    return IsOwnerObjectLive() ? HelperOf(Ribbon()->ApplicationButton()->ObtainAccessibilityHelper()) : nullptr;
}

TdxBarAccessibilityHelper* TdxRibbonAccessibilityHelper::TabCollectionHelper() {
    return IsOwnerObjectLive() ? HelperOf(Ribbon()->Tabs()->ObtainAccessibilityHelper()) : nullptr;
}

TdxBarAccessibilityHelper* TdxRibbonAccessibilityHelper::QuickAccessToolbarHelper() {
    if (!IsOwnerObjectLive()) return nullptr;
    TdxBar* bar = Ribbon()->QuickAccessToolbar()->Toolbar();
    TdxBarControl* control = bar ? bar->BarControl() : nullptr;
    return control ? HelperOf(control->ObtainAccessibilityHelper()) : nullptr;
}

TcxAccessibilityHelper* TdxRibbonAccessibilityHelper::DoGetChild(Integer index) {
    switch (index) {
        case 0: return ApplicationButtonHelper();
        case 1: return TabCollectionHelper();
        case 2: return QuickAccessToolbarHelper();
        default: return nullptr;
    }
}

Integer TdxRibbonAccessibilityHelper::DoGetChildCount() { return QuickAccessToolbarHelper() ? 3 : 2; }

Integer TdxRibbonAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    if (!child) return -1;
    for (Integer i = 0; i < DoGetChildCount(); ++i)
        if (DoGetChild(i) == child) return i;
    return -1;
}

TdxBarAccessibilityHelper* TdxRibbonAccessibilityHelper::GetNavigationChild(int index) {
    switch (index) {
        case 0: return TabCollectionHelper();
        case 1: return ApplicationButtonHelper();
        case 2: return QuickAccessToolbarHelper();
        default: return nullptr;
    }
}

int TdxRibbonAccessibilityHelper::IndexOfNavigationChild(TdxBarAccessibilityHelper* child) {
    if (!child) return -1;
    for (int i = 0; i < GetNavigationChildCount(); ++i)
        if (GetNavigationChild(i) == child) return i;
    return -1;
}

HWND TdxRibbonAccessibilityHelper::DoGetOwnerWindow() {
    return Ribbon()->HandleAllocated() ? Ribbon()->Handle() : nullptr;
}

RECT TdxRibbonAccessibilityHelper::DoGetScreenBounds() {
    HWND window = DoGetOwnerWindow();
    return window && IsWindowVisible(window) ? RECT(QueryWindowRect(window)) : RECT{};
}

Integer TdxRibbonAccessibilityHelper::DoGetState() {
    HWND window = DoGetOwnerWindow();
    return window && IsWindowVisible(window) ? 0 : StateInvisible;
}

// ---- tab collection ------------------------------------------------------------------------

TdxRibbonTabCollection* TdxRibbonTabCollectionAccessibilityHelper::Tabs() const {
    return static_cast<TdxRibbonTabCollection*>(OwnerObject());
}

TdxBarManager* TdxRibbonTabCollectionAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? Tabs()->Ribbon()->BarManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxRibbonTabCollectionAccessibilityHelper::GetEntryObject() {
    return IsOwnerObjectLive() ? TabHelperOf(Tabs()->Ribbon()->ActiveTab()) : nullptr;
}

TdxBarAccessibilityHelper* TdxRibbonTabCollectionAccessibilityHelper::GetNavigationChild(int index) {
    if (!IsOwnerObjectLive()) return nullptr;
    if (Tabs()->Ribbon()->AreGroupsVisible()) return index == 0 ? TabHelperOf(Tabs()->Ribbon()->ActiveTab()) : nullptr;
    return GetChildBarHelper(index);
}

int TdxRibbonTabCollectionAccessibilityHelper::GetNavigationChildCount() {
    if (!IsOwnerObjectLive()) return 0;
    if (Tabs()->Ribbon()->AreGroupsVisible()) return Tabs()->Ribbon()->ActiveTab() ? 1 : 0;
    return GetChildCount();
}

int TdxRibbonTabCollectionAccessibilityHelper::IndexOfNavigationChild(TdxBarAccessibilityHelper* child) {
    if (!IsOwnerObjectLive() || !child) return -1;
    if (Tabs()->Ribbon()->AreGroupsVisible())
        return child == TabHelperOf(Tabs()->Ribbon()->ActiveTab()) ? 0 : -1;
    return GetChildIndex(child);
}

TcxAccessibilityHelper* TdxRibbonTabCollectionAccessibilityHelper::DoGetChild(Integer index) {
    if (index < 0 || index >= Tabs()->Count()) return nullptr;
    return TabHelperOf(Tabs()->Items(index));
}

Integer TdxRibbonTabCollectionAccessibilityHelper::DoGetChildCount() { return Tabs()->Count(); }

Integer TdxRibbonTabCollectionAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    auto* tab = dynamic_cast<TdxRibbonTabAccessibilityHelper*>(child);
    if (!tab || tab->GetParentHelper() != this) return -1;
    for (int i = 0; i < Tabs()->Count(); ++i)
        if (TabHelperOf(Tabs()->Items(i)) == tab) return i;
    return -1;
}

TcxAccessibilityHelper* TdxRibbonTabCollectionAccessibilityHelper::DoGetParentHelper() {
    return HelperOf(Tabs()->Ribbon()->ObtainAccessibilityHelper());
}

HWND TdxRibbonTabCollectionAccessibilityHelper::DoGetOwnerWindow() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    return parent ? parent->GetOwnerObjectWindow() : nullptr;
}

RECT TdxRibbonTabCollectionAccessibilityHelper::DoGetScreenBounds() {
    TdxCustomRibbon* ribbon = Tabs()->Ribbon();
    if (!ribbon->HandleAllocated()) return RECT{};
    return ToScreen(ribbon, ribbon->ViewInfo()->TabsViewInfo()->Bounds());
}

Integer TdxRibbonTabCollectionAccessibilityHelper::DoGetState() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    Integer state = parent ? parent->GetState(0) : StateInvisible;
    if (!Tabs()->Ribbon()->ViewInfo()->AreTabHeadersShown()) state |= StateInvisible;
    return state;
}

// ---- tab -----------------------------------------------------------------------------------

TdxRibbonTab* TdxRibbonTabAccessibilityHelper::Tab() const { return static_cast<TdxRibbonTab*>(OwnerObject()); }

TdxBarManager* TdxRibbonTabAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() && Tab()->Ribbon() ? Tab()->Ribbon()->BarManager() : nullptr;
}

TcxAccessibilityHelper* TdxRibbonTabAccessibilityHelper::DoGetChild(Integer index) {
    TdxRibbonGroupsDockControl* dock = Tab()->DockControl();
    return index == 0 && dock ? HelperOf(dock->ObtainAccessibilityHelper()) : nullptr;
}

Integer TdxRibbonTabAccessibilityHelper::DoGetChildCount() { return Tab()->DockControl() ? 1 : 0; }

Integer TdxRibbonTabAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    return child && child == DoGetChild(0) ? 0 : -1;
}

TcxAccessibilityHelper* TdxRibbonTabAccessibilityHelper::DoGetParentHelper() {
    return Tab()->Ribbon() ? HelperOf(Tab()->Ribbon()->Tabs()->ObtainAccessibilityHelper()) : nullptr;
}

HWND TdxRibbonTabAccessibilityHelper::DoGetOwnerWindow() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    return parent ? parent->GetOwnerObjectWindow() : nullptr;
}

RECT TdxRibbonTabAccessibilityHelper::DoGetScreenBounds() {
    TdxCustomRibbon* ribbon = Tab()->Ribbon();
    if (!ribbon || !ribbon->HandleAllocated()) return RECT{};
    TdxRibbonTabViewInfo* info = ribbon->ViewInfo()->TabsViewInfo()->Find(Tab());
    return info ? ToScreen(ribbon, info->Bounds()) : RECT{};
}

Integer TdxRibbonTabAccessibilityHelper::DoGetState() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    Integer state = parent ? parent->GetState(0) : StateInvisible;
    if (!Tab()->Visible()) state |= StateInvisible;
    return state;
}

TdxBarAccessibilityHelper* TdxRibbonTabAccessibilityHelper::FirstGroupsNavigable() {
    TdxBarAccessibilityHelper* dock = GetChildBarHelper(0);
    return dock && dock->IsVisibleByState() ? dock->FindFirstNavigable() : nullptr;
}

TdxBarAccessibilityHelper* TdxRibbonTabAccessibilityHelper::NavigableTabNext(bool forward) {
    TdxCustomRibbon* ribbon = Tab()->Ribbon();
    if (!ribbon) return nullptr;
    TdxRibbonTabCollection* tabs = ribbon->Tabs();
    int index = -1;
    for (int i = 0; i < tabs->Count(); ++i)
        if (tabs->Items(i) == Tab()) index = i;
    for (int i = index + (forward ? 1 : -1); i >= 0 && i < tabs->Count(); i += forward ? 1 : -1)
        if (TdxBarAccessibilityHelper* helper = TabHelperOf(tabs->Items(i)); helper && helper->CanNavigateTo())
            return helper;
    return nullptr;
}

IdxBarAccessibilityHelper* TdxRibbonTabAccessibilityHelper::FindNeighbour(int direction) {
    if (!IsOwnerObjectLive() || !Tab()->Ribbon()) return nullptr;
    auto* root = dynamic_cast<TdxRibbonAccessibilityHelper*>(HelperOf(Tab()->Ribbon()->ObtainAccessibilityHelper()));
    switch (direction) {
        case 1:
            if (!root || !root->QuickAccessToolbarHelper()) return this;
            break;
        case 3:
            if (TdxBarAccessibilityHelper* first = FirstGroupsNavigable()) return first;
            break;
        case 0:
        case 2: {
            if (TdxBarAccessibilityHelper* tab = NavigableTabNext(direction == 2)) return tab;
            TdxBarAccessibilityHelper* button = root ? root->ApplicationButtonHelper() : nullptr;
            if (button && button->CanNavigateTo()) return button;
            break;
        }
        default:
            break;
    }
    return TdxBarAccessibilityHelper::FindNeighbour(direction);
}

void TdxRibbonTabAccessibilityHelper::ShowGroupsPopupAndSelectFirst() {
    TdxCustomRibbon* ribbon = Tab()->Ribbon();
    IPtr<TdxBarAccessibilityHelper> self(this);
    ribbon->SetActiveTab(Tab());
    if (!IsOwnerObjectLive() || ribbon->ActiveTab() != Tab()) return;
    ribbon->ShowGroupsPopup();
    if (!IsOwnerObjectLive()) return;
    if (TdxBarAccessibilityHelper* first = FirstGroupsNavigable()) ChangeSelection(false, first, this);
}

bool TdxRibbonTabAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TdxBarAccessibilityHelper::ProcessNavigationKey(key)) return true;
    if (!IsOwnerObjectLive() || !Tab()->Ribbon() || Tab()->Ribbon()->AreGroupsVisible()) return false;
    if (key != VK_RETURN && key != VK_SPACE) return false;
    ShowGroupsPopupAndSelectFirst();
    return true;
}

bool TdxRibbonTabAccessibilityHelper::AcceptsNavigationKey(Word key) {
    if (TdxBarAccessibilityHelper::AcceptsNavigationKey(key) || key == VK_ESCAPE) return true;
    if (!IsOwnerObjectLive() || !Tab()->Ribbon() || Tab()->Ribbon()->AreGroupsVisible()) return false;
    return key == VK_RETURN || key == VK_SPACE;
}

IdxBarAccessibilityHelper* TdxRibbonTabAccessibilityHelper::FindNextObject(bool forward) {
    if (forward)
        for (int i = 0; i < GetChildCount(); ++i)
            if (TdxBarAccessibilityHelper* child = GetChildBarHelper(i))
                if (TdxBarAccessibilityHelper* found = child->FindFirstNavigable()) return found;
    return TdxBarAccessibilityHelper::FindNextObject(forward);
}

void TdxRibbonTabAccessibilityHelper::MakeSelected(bool byTab) {
    TdxBarAccessibilityHelper::MakeSelected(byTab);
    if (!IsOwnerObjectLive() || !Tab()->Ribbon()) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    if (Tab()->Ribbon()->AreGroupsVisible()) Tab()->Ribbon()->SetActiveTab(Tab());
    if (IsOwnerObjectLive()) Tab()->InvalidateHeader();
}

void TdxRibbonTabAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    TdxBarAccessibilityHelper::DropSelection(newSelection);
    if (IsOwnerObjectLive()) Tab()->InvalidateHeader();
}

String TdxRibbonTabAccessibilityHelper::GetAssignedKeyTip() {
    if (!IsOwnerObjectLive()) return String();
    const String& text = Tab()->KeyTip();
    return !text.empty() && text[0] >= L'0' && text[0] <= L'9' ? String() : text;
}

void TdxRibbonTabAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    TdxBarAccessibilityHelper::FillKeyTipInfo(info);
    info.HorizontalAlignment = 2;
    info.VerticalAlignment = 1;
    info.IsEnabled = true;
    TdxCustomRibbon* ribbon = IsOwnerObjectLive() ? Tab()->Ribbon() : nullptr;
    TdxRibbonTabViewInfo* tabInfo = ribbon ? ribbon->ViewInfo()->TabsViewInfo()->Find(Tab()) : nullptr;
    if (!tabInfo || !ribbon->HandleAllocated()) return;
    // Below the caption's letters: the text's bottom less the font's descent.
    TEXTMETRICW metrics{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ribbon->Fonts()->GetTabHeaderFont(0)->Handle());
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const TRect& text = tabInfo->TextBounds();
    info.Anchor = ribbon->ClientToScreen(TPoint{(text.left + text.right) / 2, text.bottom - int(metrics.tmDescent)});
}

void TdxRibbonTabAccessibilityHelper::ExecuteKeyTip() {
    TdxBarNavigationController* controller = GetNavigationController();
    TdxCustomRibbon* ribbon = IsOwnerObjectLive() ? Tab()->Ribbon() : nullptr;
    if (!controller || !ribbon) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    controller->ChangeSelectedObject(true, this, nullptr);
    if (!IsOwnerObjectLive()) return;
    if (!ribbon->AreGroupsVisible()) {
        ribbon->SetActiveTab(Tab());
        controller->ClearSelection();
        if (!IsOwnerObjectLive() || ribbon->ActiveTab() != Tab()) return;
        ribbon->ShowGroupsPopup();
        if (!IsOwnerObjectLive()) return;
    }
    controller->SetKeyTipContainer(this, L"");
}

void TdxRibbonTabAccessibilityHelper::ReturnToParentKeyTips() {
    IPtr<TdxBarAccessibilityHelper> self(this);
    if (IsOwnerObjectLive() && Tab()->Ribbon() && Tab()->Ribbon()->IsGroupsPopupShown()) Tab()->Ribbon()->CloseGroupsPopup();
    TdxBarAccessibilityHelper::ReturnToParentKeyTips();
}

// ---- application button --------------------------------------------------------------------

TdxRibbonApplicationButton* TdxRibbonApplicationButtonAccessibilityHelper::Button() const {
    return static_cast<TdxRibbonApplicationButton*>(OwnerObject());
}

TdxBarManager* TdxRibbonApplicationButtonAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? Button()->Ribbon()->BarManager() : nullptr;
}

TcxAccessibilityHelper* TdxRibbonApplicationButtonAccessibilityHelper::DoGetParentHelper() {
    return HelperOf(Button()->Ribbon()->ObtainAccessibilityHelper());
}

HWND TdxRibbonApplicationButtonAccessibilityHelper::DoGetOwnerWindow() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    return parent ? parent->GetOwnerObjectWindow() : nullptr;
}

RECT TdxRibbonApplicationButtonAccessibilityHelper::DoGetScreenBounds() {
    TdxCustomRibbon* ribbon = Button()->Ribbon();
    return ribbon->HandleAllocated() ? ToScreen(ribbon, ribbon->ViewInfo()->ApplicationButtonBounds()) : RECT{};
}

Integer TdxRibbonApplicationButtonAccessibilityHelper::DoGetState() {
    TcxAccessibilityHelper* parent = DoGetParentHelper();
    Integer state = parent ? parent->GetState(0) : StateInvisible;
    if (!Button()->Ribbon()->ViewInfo()->IsApplicationButtonShown()) state |= StateInvisible;
    return state;
}

IdxBarAccessibilityHelper* TdxRibbonApplicationButtonAccessibilityHelper::FindNeighbour(int direction) {
    if (!IsOwnerObjectLive()) return nullptr;
    TdxRibbonTabCollection* tabs = Button()->Ribbon()->Tabs();
    switch (direction) {
        case 0:
            for (int i = tabs->Count() - 1; i >= 0; --i)
                if (TdxBarAccessibilityHelper* tab = TabHelperOf(tabs->Items(i)); tab && tab->CanNavigateTo()) return tab;
            break;
        case 2:
            for (int i = 0; i < tabs->Count(); ++i)
                if (TdxBarAccessibilityHelper* tab = TabHelperOf(tabs->Items(i)); tab && tab->CanNavigateTo()) return tab;
            break;
        case 1:
            return this;
        default:
            break;
    }
    return TdxBarAccessibilityHelper::FindNeighbour(direction);
}

bool TdxRibbonApplicationButtonAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TdxBarAccessibilityHelper::ProcessNavigationKey(key)) return true;
    if (key != VK_RETURN && key != VK_SPACE && key != VK_DOWN) return false;
    OpenApplicationMenu();
    return true;
}

bool TdxRibbonApplicationButtonAccessibilityHelper::AcceptsNavigationKey(Word key) {
    return TdxBarAccessibilityHelper::AcceptsNavigationKey(key) || key == VK_RETURN || key == VK_ESCAPE ||
           key == VK_SPACE;
}

void TdxRibbonApplicationButtonAccessibilityHelper::InvalidateButton() {
    if (!IsOwnerObjectLive()) return;
    TdxCustomRibbon* ribbon = Button()->Ribbon();
    if (!ribbon->HandleAllocated()) return;
    const RECT r = ribbon->ViewInfo()->ApplicationButtonBounds();
    InvalidateRect(ribbon->Handle(), &r, FALSE);
}

void TdxRibbonApplicationButtonAccessibilityHelper::MakeSelected(bool byTab) {
    TdxBarAccessibilityHelper::MakeSelected(byTab);
    InvalidateButton();
}

void TdxRibbonApplicationButtonAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    TdxBarAccessibilityHelper::DropSelection(newSelection);
    InvalidateButton();
}

String TdxRibbonApplicationButtonAccessibilityHelper::GetAssignedKeyTip() {
    return IsOwnerObjectLive() ? Button()->KeyTip() : String();
}

void TdxRibbonApplicationButtonAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    TdxBarAccessibilityHelper::FillKeyTipInfo(info);
    info.HorizontalAlignment = 2;
    info.VerticalAlignment = 2;
    info.IsEnabled = true;
    const RECT r = GetScreenBounds(0);
    info.Anchor = TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void TdxRibbonApplicationButtonAccessibilityHelper::ExecuteKeyTip() { OpenApplicationMenu(); }

void TdxRibbonApplicationButtonAccessibilityHelper::OpenApplicationMenu() {
    TdxBarNavigationController* controller = GetNavigationController();
    if (!controller || !IsOwnerObjectLive()) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    TdxCustomRibbon* ribbon = Button()->Ribbon();
    controller->ClearSelection();
    // The ribbon has no menu of its own to show: its handler answers the button, and keyboard
    // mode ends as it does for a click.
    bool handled = false;
    if (ribbon->OnApplicationMenuClick) ribbon->OnApplicationMenuClick(ribbon, handled);
    controller->LeaveKeyboardMode();
}

// ---- groups dock control -------------------------------------------------------------------

TdxRibbonGroupsDockControl* TdxRibbonGroupsDockControlAccessibilityHelper::DockControl() const {
    return static_cast<TdxRibbonGroupsDockControl*>(OwnerObject());
}

bool TdxRibbonGroupsDockControlAccessibilityHelper::IsInGroupsPopup() {
    if (!IsOwnerObjectLive()) return false;
    TdxCustomRibbon* ribbon = DockControl()->Ribbon();
    return ribbon && ribbon->IsGroupsPopupShown() && DockControl()->Tab() == ribbon->ActiveTab();
}

TdxBarManager* TdxRibbonGroupsDockControlAccessibilityHelper::GetBarManager() {
    TdxCustomRibbon* ribbon = IsOwnerObjectLive() ? DockControl()->Ribbon() : nullptr;
    return ribbon ? ribbon->BarManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxRibbonGroupsDockControlAccessibilityHelper::GetEntryObject() {
    return FindFirstNavigable();
}

TdxBarAccessibilityHelper* TdxRibbonGroupsDockControlAccessibilityHelper::GetKeyTipParent() {
    if (IsInGroupsPopup()) return TabHelperOf(DockControl()->Tab());
    return TdxBarAccessibilityHelper::GetKeyTipParent();
}

TcxAccessibilityHelper* TdxRibbonGroupsDockControlAccessibilityHelper::DoGetChild(Integer index) {
    const auto windows = GroupWindowsOf(DockControl());
    if (index < 0 || index >= Integer(windows.size())) return nullptr;
    return HelperOf(windows[size_t(index)]->ObtainAccessibilityHelper());
}

Integer TdxRibbonGroupsDockControlAccessibilityHelper::DoGetChildCount() {
    return Integer(GroupWindowsOf(DockControl()).size());
}

Integer TdxRibbonGroupsDockControlAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    const auto windows = GroupWindowsOf(DockControl());
    for (size_t i = 0; i < windows.size(); ++i)
        if (child && HelperOf(windows[i]->ObtainAccessibilityHelper()) == child) return Integer(i);
    return -1;
}

TcxAccessibilityHelper* TdxRibbonGroupsDockControlAccessibilityHelper::DoGetParentHelper() {
    // In the popup the groups are a navigation of their own, under no tab.
    if (IsInGroupsPopup()) return nullptr;
    return TabHelperOf(DockControl()->Tab());
}

HWND TdxRibbonGroupsDockControlAccessibilityHelper::DoGetOwnerWindow() {
    return DockControl()->HandleAllocated() ? DockControl()->Handle() : nullptr;
}

RECT TdxRibbonGroupsDockControlAccessibilityHelper::DoGetScreenBounds() {
    HWND window = DoGetOwnerWindow();
    return window && IsWindowVisible(window) ? RECT(QueryWindowRect(window)) : RECT{};
}

Integer TdxRibbonGroupsDockControlAccessibilityHelper::DoGetState() {
    HWND window = DoGetOwnerWindow();
    Integer state = window && IsWindowVisible(window) ? 0 : StateInvisible;
    TdxCustomRibbon* ribbon = DockControl()->Ribbon();
    if (!ribbon || !ribbon->AreGroupsVisible()) state |= StateInvisible;
    return state;
}

// ---- group window --------------------------------------------------------------------------

TdxRibbonGroupBarControl* TdxRibbonGroupBarControlAccessibilityHelper::GroupWindow() const {
    return static_cast<TdxRibbonGroupBarControl*>(OwnerObject());
}

TdxRibbonGroupsDockControlAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::DockHelper() {
    return dynamic_cast<TdxRibbonGroupsDockControlAccessibilityHelper*>(GetParentHelper());
}

TcxAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::DoGetParentHelper() {
    auto* dock = As<TdxRibbonGroupsDockControl>(GroupWindow()->Parent());
    return dock ? HelperOf(dock->ObtainAccessibilityHelper()) : nullptr;
}

TcxAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::DoGetChild(Integer index) {
    TdxBarItemLinks* links = GroupWindow()->ItemLinks();
    if (!links || index < 0 || index >= links->GetShownLinkCount()) return nullptr;
    return TdxBarAccessibilityHelper::GetLinkHelper(links->GetShownLink(index));
}

Integer TdxRibbonGroupBarControlAccessibilityHelper::DoGetChildCount() {
    TdxBarItemLinks* links = GroupWindow()->ItemLinks();
    return links ? links->GetShownLinkCount() : 0;
}

Integer TdxRibbonGroupBarControlAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    for (Integer i = 0; child && i < DoGetChildCount(); ++i)
        if (DoGetChild(i) == child) return i;
    return -1;
}

TdxBarManager* TdxRibbonGroupBarControlAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? GroupWindow()->GetManager() : nullptr;
}

TCustomdxBarControl* TdxRibbonGroupBarControlAccessibilityHelper::GetBarControl() {
    return IsOwnerObjectLive() ? GroupWindow() : nullptr;
}

bool TdxRibbonGroupBarControlAccessibilityHelper::IsCollapsed() {
    return IsOwnerObjectLive() && GroupWindow()->GroupViewInfo()->IsCollapsed();
}

bool TdxRibbonGroupBarControlAccessibilityHelper::DoCanNavigateTo() {
    // An expanded group is no stop: its controls are.
    return IsCollapsed() && IsVisibleByState();
}

IdxBarAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::FindNeighbour(int direction) {
    if (IsCollapsed()) return FindFrom(GetScreenBounds(0), this, direction);
    return TCustomdxBarControlAccessibilityHelper::FindNeighbour(direction);
}

bool TdxRibbonGroupBarControlAccessibilityHelper::AcceptsNavigationKey(Word key) {
    if (TCustomdxBarControlAccessibilityHelper::AcceptsNavigationKey(key)) return true;
    TdxRibbonGroupsDockControlAccessibilityHelper* dock = DockHelper();
    return key == VK_ESCAPE && dock && dock->IsInGroupsPopup();
}

bool TdxRibbonGroupBarControlAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(key)) return true;
    TdxRibbonGroupsDockControlAccessibilityHelper* dock = DockHelper();
    if (key != VK_ESCAPE || !dock || !dock->IsInGroupsPopup()) return false;
    // Out of the minimized ribbon's popup, back to the tab it shows.
    TdxRibbonTab* tab = dock->DockControl()->Tab();
    TdxBarAccessibilityHelper* tabHelper = TabHelperOf(tab);
    IPtr<TdxBarAccessibilityHelper> held(tabHelper);
    TdxBarNavigationController* controller = GetNavigationController();
    if (controller) controller->ClearSelection();
    if (tab && tab->Ribbon()) tab->Ribbon()->CloseGroupsPopup();
    if (tabHelper && tabHelper->IsOwnerObjectLive()) ChangeSelection(false, tabHelper, nullptr);
    return true;
}

void TdxRibbonGroupBarControlAccessibilityHelper::MakeSelected(bool byTab) {
    if (!IsCollapsed()) {
        TCustomdxBarControlAccessibilityHelper::MakeSelected(byTab);
        return;
    }
    if (TdxBarNavigationController* controller = GetNavigationController())
        controller->SetCurrent(this, GetParentBarHelper());
    TdxRibbonGroupBarControl* window = GroupWindow();
    window->Invalidate();
    if (auto* dock = As<TdxRibbonGroupsDockControl>(window->Parent()))
        dock->MakeRectVisible(TRect{window->Left(), window->Top(), window->Left() + window->Width(),
                                    window->Top() + window->Height()});
}

void TdxRibbonGroupBarControlAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    if (!IsCollapsed()) {
        TCustomdxBarControlAccessibilityHelper::DropSelection(newSelection);
        return;
    }
    if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetCurrent(nullptr, nullptr);
    GroupWindow()->Invalidate();
}

String TdxRibbonGroupBarControlAccessibilityHelper::GetGroupCaption() {
    if (!IsOwnerObjectLive()) return String();
    TdxRibbonGroupBarControl* window = GroupWindow();
    TdxBarManager* manager = window->GetManager();
    if (!manager || !window->ItemLinks()) return String();
    for (int i = 0; i < manager->Bars()->Count(); ++i)
        if (TdxBar* bar = manager->Bars()->Items(i); bar->ItemLinks() == window->ItemLinks()) return bar->Caption();
    return String();
}

String TdxRibbonGroupBarControlAccessibilityHelper::GetAssignedKeyTip() {
    if (!IsOwnerObjectLive()) return String();
    TdxRibbonGroupBarControl* window = GroupWindow();
    TdxBarManager* manager = window->GetManager();
    if (!manager || !window->ItemLinks()) return String();
    for (int i = 0; i < manager->Bars()->Count(); ++i)
        if (TdxBar* bar = manager->Bars()->Items(i); bar->ItemLinks() == window->ItemLinks()) return bar->KeyTip();
    return String();
}

String TdxRibbonGroupBarControlAccessibilityHelper::GetDefaultKeyTip() {
    const String caption = GetGroupCaption();
    return caption.empty() ? String(L"Z") : String(L"Z") + caption[0];
}

int TdxRibbonGroupBarControlAccessibilityHelper::GetBottomBaseLine() {
    if (!GetOwnerObjectWindow()) throw EdxException(L"");
    return GroupWindow()->GetKeyTipBottomLine();
}

int TdxRibbonGroupBarControlAccessibilityHelper::GetRowBaseLine(int row) {
    if (!GetOwnerObjectWindow()) throw EdxException(L"");
    return GroupWindow()->GetKeyTipRowLine(row);
}

void TdxRibbonGroupBarControlAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    TCustomdxBarControlAccessibilityHelper::FillKeyTipInfo(info);
    info.HorizontalAlignment = 2;
    info.VerticalAlignment = 1;
    info.IsEnabled = true;
    HWND window = GetOwnerObjectWindow();
    if (!window || !IsWindowVisible(window)) return;
    const RECT r = QueryWindowRect(window);
    info.Anchor = TPoint{(r.left + r.right) / 2, GetBottomBaseLine()};
}

TCustomdxBarControlAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::ExpandAndGetHelper() {
    // The collapsed group's popup is the group's own window's business; a group that is not
    // collapsed has nothing to expand.
    throw EdxException(L"");
}

void TdxRibbonGroupBarControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor,
                                                                        Byte& horizontalAlignment,
                                                                        Byte& verticalAlignment) {
    TCustomdxBarControlAccessibilityHelper::GetItemKeyTipPosition(control, anchor, horizontalAlignment,
                                                                  verticalAlignment);
    TCustomdxBarControlViewInfo* viewInfo = GroupWindow()->ViewInfo();
    TdxBarItemControlViewInfo* item = nullptr;
    for (int i = 0; i < viewInfo->GetItemViewInfoCount(); ++i)
        if (viewInfo->GetItemViewInfo(i)->Control() == control) item = viewInfo->GetItemViewInfo(i);
    if (!item) return;
    const RECT bounds = HelperOf(control->ObtainAccessibilityHelper())->GetScreenBounds(0);
    horizontalAlignment = 2;
    if (item->GetViewLevel() == ivlLargeIconWithText) {
        anchor = TPoint{(bounds.left + bounds.right) / 2, GetRowBaseLine(2)};
        verticalAlignment = 2;
        return;
    }
    const int row = std::clamp(item->GetRowIndex(), 0, 2);
    const bool showsIcon = item->GetViewLevel() == ivlSmallIconWithText || item->GetViewLevel() == ivlSmallIcon;
    // A small control's image is the square at its left edge.
    const int height = bounds.bottom - bounds.top;
    const int x = showsIcon ? bounds.left + height / 2 : (bounds.left + bounds.right) / 2;
    anchor = TPoint{x, GetRowBaseLine(row)};
    verticalAlignment = showsIcon ? 1 : 2;
}

TdxBarAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::FindFrom(const RECT& bounds,
                                                                                 TdxBarAccessibilityHelper* from,
                                                                                 int direction) {
    std::vector<TcxAccessibilityHelper*> candidates;
    TdxRibbonGroupsDockControlAccessibilityHelper* dock = DockHelper();
    if (dock) {
        for (int i = 0; i < dock->GetChildCount(); ++i) {
            auto* group = dynamic_cast<TdxRibbonGroupBarControlAccessibilityHelper*>(dock->GetChildBarHelper(i));
            if (!group || !group->IsVisibleByState()) continue;
            if (group->IsCollapsed()) {
                if (group != from && group->CanNavigateTo()) candidates.push_back(group);
                continue;
            }
            // Up and down stay inside the group they start from.
            if ((direction == 1 || direction == 3) && group != this) continue;
            group->CollectCandidates(from, group, candidates, direction, bounds);
        }
    }
    auto* found = dynamic_cast<TdxBarAccessibilityHelper*>(FindNearestInDirection(from, candidates, direction, false));
    if (found) return found;
    const bool inPopup = dock && dock->IsInGroupsPopup();
    if (direction == 1 && !inPopup) {
        TdxRibbonTab* tab = dock ? dock->DockControl()->Tab() : nullptr;
        TdxCustomRibbon* ribbon = tab ? tab->Ribbon() : nullptr;
        return ribbon ? TabHelperOf(ribbon->ActiveTab()) : nullptr;
    }
    return nullptr;
}

TdxBarAccessibilityHelper* TdxRibbonGroupBarControlAccessibilityHelper::FindItemNeighbour(TdxBarItemControl* control,
                                                                                         int direction) {
    TdxBarAccessibilityHelper* from = HelperOf(control->ObtainAccessibilityHelper());
    return from ? FindFrom(from->GetScreenBounds(0), from, direction) : nullptr;
}

// ---- routines ------------------------------------------------------------------------------

namespace {

TdxBarRootHelperLookup previousLookup = nullptr;
bool lookupRegistered = false;

IdxBarAccessibilityHelper* RibbonRootLookup(HWND window) {
    if (window)
        for (TdxCustomRibbon* ribbon : GetLiveRibbons()) {
            TCustomForm* form = TopLevelFormOf(ribbon);
            if (form && form->HandleAllocated() && form->Handle() == window) return ribbon->ObtainAccessibilityHelper();
        }
    return previousLookup ? previousLookup(window) : nullptr;
}

}  // namespace

void RegisterRibbonRootHelperLookup() {
    if (lookupRegistered) return;
    previousLookup = SetWindowRootHelperLookup(&RibbonRootLookup);
    lookupRegistered = true;
}

void UnregisterRibbonRootHelperLookup() {
    if (!lookupRegistered) return;
    SetWindowRootHelperLookup(previousLookup);
    previousLookup = nullptr;
    lookupRegistered = false;
}
