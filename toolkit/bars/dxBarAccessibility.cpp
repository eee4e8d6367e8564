#include "dxBarAccessibility.h"

#include <algorithm>
#include <utility>

#include "SysUtils.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarEditControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"
#include "dxBarNavigationSearch.h"
#include "dxBarTextHelpers.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"

namespace {

constexpr Integer StateInvisible = 0x8000;  // STATE_SYSTEM_INVISIBLE

[[noreturn]] void RaiseAbstract() { throw EdxException(L""); }

}  // namespace

// ---- Key-tip records ----------------------------------------------------------------------

void TdxBarKeyTipHandler::Run() const {
    if (*this && object->IsOwnerObjectLive()) (object.get()->*method)();
}

String TdxBarKeyTipData::GetUpperKeyTip() const { return AnsiUpperCase(Info.Text); }

void TdxBarKeyTipData::ShowWindow(IdxBarKeyTipWindowsManager* manager) {
    if (KeyTipWindow || !manager) return;
    manager->AddWindow(GetUpperKeyTip(), Info.Anchor, Info.HorizontalAlignment, Info.VerticalAlignment, Info.IsEnabled,
                       KeyTipWindow);
}

void TdxBarKeyTipData::HideWindow(IdxBarKeyTipWindowsManager* manager) {
    if (!KeyTipWindow) return;
    if (manager) manager->RemoveWindow(KeyTipWindow);
    KeyTipWindow = nullptr;
}

// ---- Base helper --------------------------------------------------------------------------

void TdxBarAccessibilityHelper::MarkOwnerDestroyed() {
    TcxAccessibilityHelper::MarkOwnerDestroyed();
    if (TdxBarNavigationController* controller = GetNavigationController()) controller->ForgetObject(this);
}

bool TdxBarAccessibilityHelper::GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) {
    manager.reset();
    TdxBarAccessibilityHelper* parent = GetKeyTipParent();
    return parent && parent->GetKeyTipWindowsManager(manager);
}

TdxBarManager* TdxBarAccessibilityHelper::GetBarManager() { RaiseAbstract(); }

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetEntryObject() { RaiseAbstract(); }

String TdxBarAccessibilityHelper::GetAssignedKeyTip() { RaiseAbstract(); }

String TdxBarAccessibilityHelper::GetDefaultKeyTip() { RaiseAbstract(); }

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNeighbour(int direction) {
    const RECT bounds = GetScreenBounds(0);
    std::vector<TcxAccessibilityHelper*> candidates;
    TdxBarAccessibilityHelper* root = GetHelperObject(GetRootHelperInterface());
    CollectCandidates(this, root, candidates, direction, bounds);
    TdxBarNavigationController* controller = GetNavigationController();
    TcxAccessibilityHelper* from = controller ? GetHelperObject(controller->GetCurrentObject()) : nullptr;
    return dynamic_cast<TdxBarAccessibilityHelper*>(
        FindNearestInDirection(from ? from : this, candidates, direction, true));
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetRootHelperInterface() {
    return dynamic_cast<IdxBarAccessibilityHelper*>(FindRootHelper());
}

bool TdxBarAccessibilityHelper::IsNavigationSelected() {
    TdxBarNavigationController* controller = GetNavigationController();
    return controller && GetHelperObject(controller->GetCurrentObject()) == this;
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNextObject(bool forward) {
    if (TdxBarAccessibilityHelper* parent = GetParentBarHelper())
        return parent->FindNavigableSibling(parent->IndexOfNavigationChild(this), forward);
    return FindNavigableDescendant(this, forward);
}

void TdxBarAccessibilityHelper::MakeSelected(bool /*byTab*/) {
    if (!IsOwnerObjectLive()) return;
    if (TdxBarNavigationController* controller = GetNavigationController())
        controller->SetCurrent(this, GetParentBarHelper());
}

void TdxBarAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* /*newSelection*/) {
    if (TdxBarNavigationController* controller = GetNavigationController()) controller->SetCurrent(nullptr, nullptr);
}

TcxAccessibilityHelper* TdxBarAccessibilityHelper::GetChild(Integer index) {
    return IsOwnerObjectLive() ? DoGetChild(index) : nullptr;
}

Integer TdxBarAccessibilityHelper::GetChildCount() { return IsOwnerObjectLive() ? DoGetChildCount() : 0; }

Integer TdxBarAccessibilityHelper::GetChildIndex(TcxAccessibilityHelper* child) {
    return IsOwnerObjectLive() ? DoGetChildIndex(child) : -1;
}

TcxAccessibilityHelper* TdxBarAccessibilityHelper::GetParentHelper() {
    return IsOwnerObjectLive() ? DoGetParentHelper() : nullptr;
}

HWND TdxBarAccessibilityHelper::GetOwnerObjectWindow() { return IsOwnerObjectLive() ? DoGetOwnerWindow() : nullptr; }

RECT TdxBarAccessibilityHelper::GetScreenBounds(Integer /*elementId*/) {
    return IsOwnerObjectLive() && IsVisibleByState() ? DoGetScreenBounds() : RECT{};
}

Integer TdxBarAccessibilityHelper::GetState(Integer /*elementId*/) {
    return IsOwnerObjectLive() ? DoGetState() : StateInvisible;
}

bool TdxBarAccessibilityHelper::CanNavigateTo() { return IsOwnerObjectLive() && DoCanNavigateTo(); }

String TdxBarAccessibilityHelper::GetKeyTipText() {
    String text = GetAssignedKeyTip();
    if (text.empty()) text = GetDefaultKeyTip();
    return text.substr(0, 3);
}

std::unique_ptr<TdxBarKeyTipData> TdxBarAccessibilityHelper::CreateKeyTipData() {
    TdxBarKeyTipInfo info;
    FillKeyTipInfo(info);
    return std::make_unique<TdxBarKeyTipData>(info);
}

void TdxBarAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    info = TdxBarKeyTipInfo();
    info.Text = GetKeyTipText();
    info.IsVisible = IsVisibleByState();
    info.ExecuteHandler.object = this;
    info.ExecuteHandler.method = &TdxBarAccessibilityHelper::ExecuteKeyTip;
}

void TdxBarAccessibilityHelper::AddKeyTipData(TdxBarKeyTipDataList& list) { list.push_back(CreateKeyTipData()); }

void TdxBarAccessibilityHelper::CollectChildKeyTips(TdxBarKeyTipDataList& list) {
    if (!IsVisibleByState()) return;
    for (int i = 0; i < GetChildCount(); ++i) {
        TdxBarAccessibilityHelper* child = GetChildBarHelper(i);
        if (!child) continue;
        if (child->CanNavigateTo())
            child->AddKeyTipData(list);
        else
            child->CollectChildKeyTips(list);
    }
}

void TdxBarAccessibilityHelper::ReturnToParentKeyTips() {
    TdxBarNavigationController* controller = GetNavigationController();
    if (!controller) return;
    if (TdxBarAccessibilityHelper* container = FindKeyTipContainer(this)) {
        // The element just left becomes the selected one.
        IPtr<TdxBarAccessibilityHelper> self(this);
        controller->SetKeyTipContainer(container, L"");
        controller->ChangeSelectedObject(true, this, nullptr);
    } else {
        controller->LeaveKeyboardMode();
    }
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindFirstNavigable() {
    if (!IsVisibleByState()) return nullptr;
    if (CanNavigateTo()) return this;
    for (int i = 0; i < GetChildCount(); ++i)
        if (TdxBarAccessibilityHelper* child = GetChildBarHelper(i))
            if (TdxBarAccessibilityHelper* found = child->FindFirstNavigable()) return found;
    return nullptr;
}

bool TdxBarAccessibilityHelper::IsInDirectionBand(TdxBarAccessibilityHelper* node, int direction, const RECT& b) {
    if (!node->CanNavigateTo()) return false;
    const RECT r = node->GetScreenBounds(0);
    switch (direction) {
        case 1:
            return b.left < r.right && r.left < b.right && b.top >= r.bottom;
        case 3:
            return b.left < r.right && r.left < b.right && r.top >= b.bottom;
        case 0:
        case 2:
            return b.top < r.bottom && r.top < b.bottom && !(r.left == b.left && r.right == b.right);
        default:
            return false;
    }
}

void TdxBarAccessibilityHelper::CollectCandidates(TdxBarAccessibilityHelper* exclude, TdxBarAccessibilityHelper* start,
                                                  std::vector<TcxAccessibilityHelper*>& list, int direction,
                                                  const RECT& bounds) {
    if (!start || start == exclude || !start->IsVisibleByState()) return;
    if (IsInDirectionBand(start, direction, bounds)) list.push_back(start);
    for (int i = 0; i < start->GetChildCount(); ++i)
        CollectCandidates(exclude, start->GetChildBarHelper(i), list, direction, bounds);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNavigableSibling(int index, bool forward) {
    const int step = forward ? 1 : -1;
    const int count = GetNavigationChildCount();
    for (int i = index + step; i >= 0 && i < count; i += step) {
        TdxBarAccessibilityHelper* child = GetNavigationChild(i);
        if (!child) continue;
        if (child->CanNavigateTo()) return child;
        if (TdxBarAccessibilityHelper* found = FindNavigableDescendant(child, forward)) return found;
    }
    if (TdxBarAccessibilityHelper* parent = GetParentBarHelper())
        return parent->FindNavigableSibling(parent->IndexOfNavigationChild(this), forward);
    return FindNavigableDescendant(this, forward);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNavigableDescendant(TdxBarAccessibilityHelper* helper,
                                                                              bool forward) {
    const int count = helper->GetNavigationChildCount();
    for (int k = 0; k < count; ++k) {
        TdxBarAccessibilityHelper* child = helper->GetNavigationChild(forward ? k : count - 1 - k);
        if (child && child->CanNavigateTo()) return child;
    }
    for (int k = 0; k < count; ++k) {
        TdxBarAccessibilityHelper* child = helper->GetNavigationChild(forward ? k : count - 1 - k);
        if (!child) continue;
        if (TdxBarAccessibilityHelper* found = FindNavigableDescendant(child, forward)) return found;
    }
    return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetChildBarHelper(int index) {
    return dynamic_cast<TdxBarAccessibilityHelper*>(GetChild(index));
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetParentBarHelper() {
    return dynamic_cast<TdxBarAccessibilityHelper*>(GetParentHelper());
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetLinkHelper(TdxBarItemLink* link) {
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    return control ? GetHelperObject(control->ObtainAccessibilityHelper()) : nullptr;
}

// ---- Bar window helper --------------------------------------------------------------------

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::OwnerBarControl() const {
    return static_cast<TCustomdxBarControl*>(OwnerObject());
}

bool TCustomdxBarControlAccessibilityHelper::AllowsChildNavigation(Word /*key*/) {
    if (!IsOwnerObjectLive()) return true;
    auto* edit = As<TdxBarWinControl>(OwnerBarControl()->GetSelectedControl());
    return !(edit && edit->Focused());
}

TCustomdxBarControlAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::ExpandAndGetHelper() {
    RaiseAbstract();
}

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::GetBarControl() { RaiseAbstract(); }

void TCustomdxBarControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor,
                                                                   Byte& horizontalAlignment, Byte& verticalAlignment) {
    const RECT r = GetHelperObject(control->ObtainAccessibilityHelper())->GetScreenBounds(0);
    anchor = TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    horizontalAlignment = 2;
    verticalAlignment = 2;
}

TdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::FindItemNeighbour(TdxBarItemControl* control,
                                                                                     int direction) {
    TdxBarAccessibilityHelper* from = GetHelperObject(control->ObtainAccessibilityHelper());
    std::vector<TcxAccessibilityHelper*> candidates;
    CollectCandidates(from, this, candidates, direction, from->GetScreenBounds(0));
    return dynamic_cast<TdxBarAccessibilityHelper*>(FindNearestInDirection(from, candidates, direction, false));
}

void TCustomdxBarControlAccessibilityHelper::ItemUnselected() {
    if (!IsOwnerObjectLive()) return;
    TCustomdxBarControl* bar = OwnerBarControl();
    if (bar->IsFocusedBar())
        bar->DeactivateIfFocusedBar();
    else
        bar->SetSelControl(nullptr);
}

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::DoGetChild(Integer index) {
    TCustomdxBarControlViewInfo* info = OwnerBarControl()->ViewInfo();
    if (index < 0 || index >= info->GetItemViewInfoCount()) return nullptr;
    TdxBarItemControl* control = info->GetItemViewInfo(index)->Control();
    return control ? GetHelperObject(control->ObtainAccessibilityHelper()) : nullptr;
}

Integer TCustomdxBarControlAccessibilityHelper::DoGetChildCount() {
    return OwnerBarControl()->ViewInfo()->GetItemViewInfoCount();
}

Integer TCustomdxBarControlAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    auto* item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(child);
    if (!item || !item->IsOwnerObjectLive()) return -1;
    TCustomdxBarControlViewInfo* info = OwnerBarControl()->ViewInfo();
    for (int i = 0; i < info->GetItemViewInfoCount(); ++i)
        if (info->GetItemViewInfo(i)->Control() == item->GetItemControl()) return i;
    return -1;
}

HWND TCustomdxBarControlAccessibilityHelper::DoGetOwnerWindow() {
    return OwnerBarControl()->HandleAllocated() ? OwnerBarControl()->Handle() : nullptr;
}

RECT TCustomdxBarControlAccessibilityHelper::DoGetScreenBounds() { return QueryWindowRect(DoGetOwnerWindow()); }

Integer TCustomdxBarControlAccessibilityHelper::DoGetState() {
    HWND window = DoGetOwnerWindow();
    return window && IsWindowVisible(window) ? 0 : StateInvisible;
}

TdxBarManager* TdxBarPlainControlAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? OwnerBarControl()->GetManager() : nullptr;
}

TCustomdxBarControl* TdxBarPlainControlAccessibilityHelper::GetBarControl() {
    return IsOwnerObjectLive() ? OwnerBarControl() : nullptr;
}

bool TdxBarPlainControlAccessibilityHelper::ProcessNavigationKey(Word& key) {
    HWND window = GetOwnerObjectWindow();
    if (!window) return false;
    SendMessageW(window, WM_KEYDOWN, key, 0);
    return true;
}

// ---- Item control helpers -----------------------------------------------------------------

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::GetItemControl() const {
    return static_cast<TdxBarItemControl*>(OwnerObject());
}

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::GetBarControlHelper() {
    return dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(GetParentHelper());
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? GetItemControl()->GetManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::FindNeighbour(int direction) {
    TCustomdxBarControlAccessibilityHelper* parent = GetBarControlHelper();
    return parent ? parent->FindItemNeighbour(GetItemControl(), direction) : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TdxBarAccessibilityHelper::ProcessNavigationKey(key)) return true;
    TdxBarAccessibilityHelper* parent = GetParentBarHelper();
    return parent && parent->ProcessNavigationKey(key);
}

bool TdxBarItemControlAccessibilityHelper::AcceptsNavigationKey(Word key) {
    if (TdxBarAccessibilityHelper::AcceptsNavigationKey(key)) return true;
    TdxBarAccessibilityHelper* parent = GetParentBarHelper();
    return parent && parent->AcceptsNavigationKey(key);
}

void TdxBarItemControlAccessibilityHelper::MakeSelected(bool byTab) {
    if (!IsOwnerObjectLive()) return;
    TdxBarItemControl* control = GetItemControl();
    TCustomdxBarControl* bar = control->BarControl();
    if (!bar) return;
    TcxObjectLinkGuard controlLink(control);
    if (bar->IsActive())
        bar->SetSelControl(control);
    else
        bar->SelectAndActivate(control);
    if (!controlLink.Alive() || !IsOwnerObjectLive()) return;
    if (control->HasWindow() && (byTab || !(bar->GetBehaviorOptions() & bcboKeepSelectionOnEditEscape)))
        control->ClickAt(false, false);
}

void TdxBarItemControlAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    TdxBarAccessibilityHelper::DropSelection(newSelection);
    TCustomdxBarControlAccessibilityHelper* parent = GetBarControlHelper();
    if (!parent) return;
    auto* next = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(GetHelperObject(newSelection));
    if (next && next->GetParentHelper() == parent) return;
    parent->ItemUnselected();
}

String TdxBarItemControlAccessibilityHelper::GetAssignedKeyTip() {
    TdxBarItem* item = IsOwnerObjectLive() ? GetItemControl()->Item() : nullptr;
    return item ? item->KeyTip() : String();
}

String TdxBarItemControlAccessibilityHelper::GetDefaultKeyTip() {
    if (!IsOwnerObjectLive()) return L"Y";
    TdxBarItemControl* control = GetItemControl();
    const TShortCut shortCut = control->GetShortCut();
    if (shortCut >= 0x4041 && shortCut <= 0x405A) {
        const String text = ShortCutToText(shortCut);
        if (!text.empty()) return text.substr(text.size() - 1);
    }
    if (TdxBarItem* item = control->Item()) {
        String caption = item->GetCaption();
        const int pos = FindAccelCharPos(caption, false);
        if (pos > 0 && pos <= int(caption.size())) return AnsiUpperCase(caption.substr(size_t(pos - 1), 1));
    }
    return L"Y";
}

void TdxBarItemControlAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    TdxBarAccessibilityHelper::FillKeyTipInfo(info);
    if (!IsOwnerObjectLive()) return;
    if (info.IsVisible) {
        if (TCustomdxBarControlAccessibilityHelper* parent = GetBarControlHelper())
            parent->GetItemKeyTipPosition(GetItemControl(), info.Anchor, info.HorizontalAlignment,
                                          info.VerticalAlignment);
    } else {
        info.ExecuteHandler.method =
            static_cast<void (TdxBarAccessibilityHelper::*)()>(&TdxBarItemControlAccessibilityHelper::ExecuteViaExpandedParent);
    }
    info.IsEnabled = GetItemControl()->IsEnabled();
}

void TdxBarItemControlAccessibilityHelper::ExecuteViaExpandedParent() {
    TCustomdxBarControlAccessibilityHelper* parent = GetBarControlHelper();
    if (!NeedsExpandedParent() || !parent) {
        ExecuteKeyTip();
        return;
    }
    const int index = parent->GetChildIndex(this);
    TCustomdxBarControlAccessibilityHelper* expanded = parent->ExpandAndGetHelper();
    TdxBarAccessibilityHelper* target = expanded ? expanded->GetChildBarHelper(index) : nullptr;
    if (target) target->ExecuteKeyTip();
}

HWND TdxBarItemControlAccessibilityHelper::DoGetOwnerWindow() {
    TCustomdxBarControl* bar = GetItemControl()->BarControl();
    return bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::DoGetParentHelper() {
    TCustomdxBarControl* bar = GetItemControl()->BarControl();
    return bar ? GetHelperObject(bar->ObtainAccessibilityHelper()) : nullptr;
}

RECT TdxBarItemControlAccessibilityHelper::DoGetScreenBounds() {
    TdxBarItemControl* control = GetItemControl();
    TCustomdxBarControl* bar = control->BarControl();
    if (!bar || !bar->HandleAllocated()) return RECT{};
    const TRect r = control->GetBounds();
    const TPoint topLeft = bar->ClientToScreen(TPoint{r.left, r.top});
    const TPoint bottomRight = bar->ClientToScreen(TPoint{r.right, r.bottom});
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

Integer TdxBarItemControlAccessibilityHelper::DoGetState() {
    HWND window = DoGetOwnerWindow();
    if (!window || !IsWindowVisible(window)) return StateInvisible;
    TCustomdxBarControlAccessibilityHelper* parent = GetBarControlHelper();
    return parent && parent->IsCollapsed() ? StateInvisible : 0;
}

bool TdxBarItemControlAccessibilityHelper::DoCanNavigateTo() {
    return IsVisibleByState() && GetItemControl()->IsNavigable();
}

void TdxBarButtonLikeControlAccessibilityHelper::ExecuteKeyTip() {
    if (HasDropDownPart())
        DropDownByKeyTip();
    else
        ExecuteClick();
}

void TdxBarButtonLikeControlAccessibilityHelper::ExecuteClick() {
    if (TdxBarNavigationController* controller = GetNavigationController()) controller->LeaveKeyboardMode();
    if (!IsOwnerObjectLive()) return;
    TdxBarItemControl* control = GetItemControl();
    TdxBarItem* item = control->Item();
    if (!item) return;
    // The item stays clicked while its click runs; the handler may free the item.
    TcxObjectLinkGuard itemLink(item);
    const bool unclick = item->UnclickAfterDoing();
    item->SetUnclickAfterDoing(false);
    struct TRestore {
        TcxObjectLinkGuard& link;
        TdxBarItem* item;
        bool value;
        ~TRestore() {
            if (link.Alive()) item->SetUnclickAfterDoing(value);
        }
    } restore{itemLink, item, unclick};
    control->ControlClick(false);
}

void TdxBarButtonLikeControlAccessibilityHelper::DropDownByKeyTip() {
    TdxBarNavigationController* controller = GetNavigationController();
    if (!controller) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    controller->ChangeSelectedObject(true, this, nullptr);
    if (!IsOwnerObjectLive() || !OpenDropDown()) return;
    controller->SetKeyTipContainer(nullptr, L"");
    if (TCustomdxBarControl* active = CurrentActiveBarControl())
        controller->SetKeyTipContainer(active->ObtainAccessibilityHelper(), L"");
}

bool TdxBarButtonLikeControlAccessibilityHelper::OpenDropDown() { RaiseAbstract(); }

bool TdxBarButtonControlAccessibilityHelper::HasDropDownPart() {
    if (!IsOwnerObjectLive()) return false;
    TdxBarButton* button = static_cast<TdxBarButtonControl*>(GetItemControl())->GetButtonItem();
    return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControlAccessibilityHelper::OpenDropDown() {
    auto* control = static_cast<TdxBarButtonControl*>(GetItemControl());
    control->DropDown(false);
    return IsOwnerObjectLive() && control->IsDroppedDown();
}

bool TdxBarSubItemControlAccessibilityHelper::OpenDropDown() {
    auto* control = static_cast<TdxBarButtonLikeControl*>(GetItemControl());
    control->MarkBarDowned(true);
    return IsOwnerObjectLive() && control->IsDroppedDown();
}

void TdxBarWinControlAccessibilityHelper::ExecuteKeyTip() {
    TdxBarNavigationController* controller = GetNavigationController();
    if (!controller) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    controller->LeaveKeyboardMode();
    controller->ChangeSelectedObject(true, this, nullptr);
}

// ---- Routines -----------------------------------------------------------------------------

void ReleaseAccessibilityHelper(IPtr<TdxBarAccessibilityHelper>& helper) {
    if (!helper) return;
    IPtr<TdxBarAccessibilityHelper> held = std::move(helper);
    held->MarkOwnerDestroyed();
}

TdxBarAccessibilityHelper* GetHelperObject(IdxBarAccessibilityHelper* helper) {
    return helper ? helper->GetBarHelper() : nullptr;
}

TdxBarAccessibilityHelper* FindKeyTipContainer(TdxBarAccessibilityHelper* helper) {
    TdxBarAccessibilityHelper* parent = helper ? helper->GetKeyTipParent() : nullptr;
    while (parent && !parent->IsKeyTipContainer()) {
        TdxBarAccessibilityHelper* above = parent->GetKeyTipParent();
        if (!above) break;
        parent = above;
    }
    return parent;
}

void EscapeToParentKeyTips(IdxBarAccessibilityHelper* container) {
    if (TdxBarAccessibilityHelper* helper = GetHelperObject(container)) helper->ReturnToParentKeyTips();
}

namespace {
TdxBarRootHelperLookup rootHelperLookup = nullptr;
}

TdxBarRootHelperLookup SetWindowRootHelperLookup(TdxBarRootHelperLookup lookup) {
    return std::exchange(rootHelperLookup, lookup);
}

IdxBarAccessibilityHelper* GetWindowRootHelper(HWND window) {
    if (rootHelperLookup)
        if (IdxBarAccessibilityHelper* root = rootHelperLookup(window)) return root;
    // Without one, navigation starts on the main menu bar of the window's manager.
    TdxBarManager* manager = window ? FindBarManagerByWindow(window) : nullptr;
    TdxBar* mainMenu = manager ? manager->MainMenuBar() : nullptr;
    TdxBarControl* control = mainMenu ? mainMenu->BarControl() : nullptr;
    return control ? control->ObtainAccessibilityHelper() : nullptr;
}
