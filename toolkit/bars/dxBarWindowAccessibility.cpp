// The accessibility helpers of toolbar windows, docks and menu windows.

#include "dxBarAccessibility.h"

#include "cxPopupWindowRelations.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarNavigationController.h"
#include "dxBarPainter.h"
#include "dxBarSubMenuControl.h"
#include "dxCore.h"

namespace {

constexpr Integer StateInvisible = 0x8000;  // STATE_SYSTEM_INVISIBLE

TdxBarAccessibilityHelper* HelperOfControl(TdxBarItemControl* control) {
    return control ? GetHelperObject(control->ObtainAccessibilityHelper()) : nullptr;
}

HWND WindowOf(TWinControl* control) { return control && control->HandleAllocated() ? control->Handle() : nullptr; }

}  // namespace

// ---- Toolbar windows ----------------------------------------------------------------------

TdxBarControl* TdxBarControlAccessibilityHelper::GetToolbarControl() const {
    return static_cast<TdxBarControl*>(OwnerObject());
}

TdxBar* TdxBarControlAccessibilityHelper::GetBar() const {
    return IsOwnerObjectLive() ? GetToolbarControl()->Bar() : nullptr;
}

TdxBarManager* TdxBarControlAccessibilityHelper::GetBarManager() {
    if (!IsOwnerObjectLive()) return nullptr;
    TdxBar* bar = GetBar();
    return bar ? bar->BarManager() : GetToolbarControl()->GetManager();
}

bool TdxBarControlAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(key)) return true;
    if (!IsOwnerObjectLive()) return false;
    // The selected control takes the arrows across its bar: a sub item opens with Up and Down
    // on a horizontal bar and, the arrows turned with the bar, with Left and Right on a vertical
    // one.
    Word turned = key;
    if (GetToolbarControl()->IsDockedVertically()) switch (key) {
        case VK_LEFT: turned = VK_UP; break;
        case VK_UP: turned = VK_LEFT; break;
        case VK_RIGHT: turned = VK_DOWN; break;
        case VK_DOWN: turned = VK_RIGHT; break;
        default: break;
    }
    return GetToolbarControl()->HandleSelectedKey(turned, CurrentShiftState());
}

void TdxBarControlAccessibilityHelper::MakeSelected(bool /*byTab*/) {
    if (IsOwnerObjectLive()) GetToolbarControl()->SelectAndActivate(nullptr);
}

void TdxBarControlAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    TCustomdxBarControlAccessibilityHelper::DropSelection(newSelection);
    if (IsOwnerObjectLive()) GetToolbarControl()->HideMenuChain();
}

TCustomdxBarControl* TdxBarControlAccessibilityHelper::GetBarControl() {
    TdxBar* bar = GetBar();
    return bar ? bar->BarControl() : nullptr;
}

void TdxBarControlAccessibilityHelper::GetCaptionButtonKeyTipPosition(int /*button*/, int& /*y*/,
                                                                      Byte& /*verticalAlignment*/) {
    throw EdxException(L"");
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::FindItemNeighbour(TdxBarItemControl* control,
                                                                                int direction) {
    if (!IsOwnerObjectLive() || !control) return nullptr;
    TdxBarControl* window = GetToolbarControl();
    int along = direction;
    if (window->IsDockedVertically()) {
        static const int turned[4] = {1, 0, 3, 2};
        if (direction >= 0 && direction < 4) along = turned[direction];
    }
    if (along != 0 && along != 2)
        return TCustomdxBarControlAccessibilityHelper::FindItemNeighbour(control, direction);
    // Along the bar: the link order, round the bar.
    TdxBarItemLinks* links = window->ItemLinks();
    TdxBarItemLink* link = control->Link();
    if (!links || !link) return nullptr;
    TdxBarItemLink* next = along == 0 ? links->GetPrevNavigableLink(link) : links->GetNextNavigableLink(link);
    return next ? HelperOfControl(next->Control()) : nullptr;
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::DoGetParentHelper() {
    TdxBarControl* window = GetToolbarControl();
    TdxDockControl* dock = window->DockingStyle() != dsNone ? window->DockControl() : nullptr;
    return dock ? GetHelperObject(dock->ObtainAccessibilityHelper()) : nullptr;
}

// ---- Docks --------------------------------------------------------------------------------

TdxDockControl* TdxDockControlAccessibilityHelper::GetDockControl() const {
    return static_cast<TdxDockControl*>(OwnerObject());
}

TdxBarManager* TdxDockControlAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? GetDockControl()->BarManager() : nullptr;
}

TcxAccessibilityHelper* TdxDockControlAccessibilityHelper::DoGetChild(Integer index) {
    if (index < 0) return nullptr;
    TdxDockControl* dock = GetDockControl();
    for (int r = 0; r < dock->RowCount(); ++r) {
        TdxDockRow* row = dock->Rows(r);
        if (index < row->ColCount()) {
            TdxBarControl* window = row->GetCol(index)->BarControl();
            return window ? GetHelperObject(window->ObtainAccessibilityHelper()) : nullptr;
        }
        index -= row->ColCount();
    }
    return nullptr;
}

Integer TdxDockControlAccessibilityHelper::DoGetChildCount() {
    TdxDockControl* dock = GetDockControl();
    int count = 0;
    for (int r = 0; r < dock->RowCount(); ++r) count += dock->Rows(r)->ColCount();
    return count;
}

Integer TdxDockControlAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    if (!child) return -1;
    for (Integer i = 0, count = DoGetChildCount(); i < count; ++i)
        if (DoGetChild(i) == child) return i;
    return -1;
}

HWND TdxDockControlAccessibilityHelper::DoGetOwnerWindow() { return WindowOf(GetDockControl()); }

RECT TdxDockControlAccessibilityHelper::DoGetScreenBounds() { return QueryWindowRect(DoGetOwnerWindow()); }

Integer TdxDockControlAccessibilityHelper::DoGetState() {
    HWND window = DoGetOwnerWindow();
    return window && IsWindowVisible(window) ? 0 : StateInvisible;
}

// ---- Menu windows -------------------------------------------------------------------------

TdxBarSubMenuControl* TdxBarSubMenuControlAccessibilityHelper::GetSubMenuControl() const {
    return static_cast<TdxBarSubMenuControl*>(OwnerObject());
}

TdxBarManager* TdxBarSubMenuControlAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? GetSubMenuControl()->GetManager() : nullptr;
}

bool TdxBarSubMenuControlAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(key)) return true;
    HWND window = GetOwnerObjectWindow();
    if (!window) return false;
    GetSubMenuControl()->StopAnimation();
    // The menu's own keys move within it and across the chain (Left and Right to the menu bar);
    // a menu swallows every key offered to it.
    SendMessageW(window, WM_KEYDOWN, key, 0);
    return true;
}

TCustomdxBarControl* TdxBarSubMenuControlAccessibilityHelper::GetBarControl() {
    return IsOwnerObjectLive() ? GetSubMenuControl() : nullptr;
}

void TdxBarSubMenuControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor,
                                                                    Byte& horizontalAlignment,
                                                                    Byte& verticalAlignment) {
    TdxBarSubMenuControl* menu = GetSubMenuControl();
    const TPoint origin = menu->ClientToScreen(TPoint{0, 0});
    TdxBarPainter* painter = menu->GetPainter();
    const int iconArea = painter ? painter->GetIconAreaWidth(menu->MenuPainted()) : menu->IconAreaSize();
    const RECT r = HelperOfControl(control)->GetScreenBounds(0);
    anchor = TPoint{origin.x + menu->GetBarSize() + iconArea / 2, (r.top + r.bottom) / 2};
    horizontalAlignment = 1;
    verticalAlignment = 1;
}

TdxBarItemLink* TdxBarSubMenuControlAccessibilityHelper::GetAdjacentLink(TdxBarItemLink* link, bool forward) {
    TdxBarItemLinks* links = IsOwnerObjectLive() ? GetSubMenuControl()->ItemLinks() : nullptr;
    if (!links) return nullptr;
    if (!link) return links->GetFirstNavigableLink();
    return forward ? links->GetNextNavigableLink(link) : links->GetPrevNavigableLink(link);
}

TdxBarAccessibilityHelper* TdxBarSubMenuControlAccessibilityHelper::GetKeyTipParent() {
    TCustomdxBarControl* parent = IsOwnerObjectLive() ? GetSubMenuControl()->ParentBar() : nullptr;
    return parent ? HelperOfControl(parent->GetSelectedControl()) : nullptr;
}

void TdxBarSubMenuControlAccessibilityHelper::ReturnToParentKeyTips() {
    TdxBarNavigationController* controller = GetNavigationController();
    if (!controller) return;
    IPtr<TdxBarAccessibilityHelper> self(this);
    IPtr<TdxBarAccessibilityHelper> opener(GetKeyTipParent());
    IPtr<TdxBarAccessibilityHelper> container;
    if (opener) container = opener->GetKeyTipParent() ? FindKeyTipContainer(opener.get()) : opener.get();
    if (HWND window = GetOwnerObjectWindow()) SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    controller->SetKeyTipContainer(container.get(), L"");
}

void TdxBarSubMenuControlAccessibilityHelper::ItemUnselected() {
    if (IsOwnerObjectLive()) GetSubMenuControl()->SetSelControl(nullptr);
}
