// The bar window's input: the mouse (hot tracking, press, release and the click), the keyboard
// (navigation, accelerators, Enter), the selection, activation with the stack of active windows,
// focus, and the menu chain's closing.

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Screen.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBarButtonControl.h"
#include "dxBarDesignController.h"
#include "dxBarDragInfo.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControlHelpers.h"

// Sections: process-wide state · the hooks' view · activation · selection · mouse · keyboard ·
// focus · the menu chain.

namespace {

bool fullMenusShown = false;
// The window whose mouse-leave the tracking watches; one at a time, since the pointer can be
// over one window only.
TCustomdxBarControl* mouseTrackedBar = nullptr;

bool IsBarMouseMessage(UINT message) {
    return (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK + 3) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL);
}

// The long part of a hint: after its "|", or all of it.
String LongHintOf(const String& hint) {
    size_t bar = hint.find(L'|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

IdxBarHookedMenuChain* HookedChainOfWindow(HWND window) {
    auto* bar = As<TCustomdxBarControl>(window ? FindControl(window) : nullptr);
    return bar && IsBarControlAlive(bar) ? bar->HookedChain() : nullptr;
}

}  // namespace

bool IsFullMenusShown() { return fullMenusShown; }
void SetFullMenusShown(bool value) { fullMenusShown = value; }

// ---- The hooks' view ----------------------------------------------------------------------

HWND TCustomdxBarControl::THookedChain::ChainWindow() {
    return window_->HandleAllocated() ? window_->Handle() : nullptr;
}

IdxBarHookedMenuChain* TCustomdxBarControl::THookedChain::ChainParent() {
    TCustomdxBarControl* parent = window_->GetChainParent();
    return parent ? parent->HookedChain() : nullptr;
}

bool TCustomdxBarControl::THookedChain::IsEditingSelectedControl() {
    TdxBarItemControl* selected = window_->GetSelectedControl();
    HWND focus = GetFocus();
    return selected && selected->HasWindow() && focus && selected->ContainsWindow(focus);
}

bool TCustomdxBarControl::THookedChain::IsOwnerWindow(HWND window) {
    TWinControl* owner = window_->GetOwnerControl();
    return owner && owner->HandleAllocated() && owner->Handle() == window;
}

TdxBarItemControl* TCustomdxBarControl::THookedChain::PressedItemControl(HWND window, POINT screenPoint) {
    HWND own = ChainWindow();
    if (!own) return nullptr;
    if (window == own) return window_->GetSelectedControl();
    if (GetCapture() == own && WindowFromPoint(screenPoint) == own) return window_->GetSelectedControl();
    return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::THookedChain::ControlAtScreenPoint(POINT screenPoint) {
    if (!window_->HandleAllocated()) return nullptr;
    return window_->ItemControlAtPoint(window_->ScreenToClient(TPoint{screenPoint.x, screenPoint.y}));
}

IdxBarHookedMenuChain* TCustomdxBarControl::HookedChain() {
    if (!hookedChain_) hookedChain_ = std::make_unique<THookedChain>(this);
    return hookedChain_.get();
}

void TCustomdxBarControl::InstallHookedWindowLookup() { SetHookedBarWindowLookup(&HookedChainOfWindow); }

// ---- Activation ---------------------------------------------------------------------------

void TCustomdxBarControl::SetActive(bool value) {
    GetManager()->HideItemHint();
    // Leaving customizing mode's activation always runs.
    if (!value && IsCustomizing()) {
        DoSetActive(false);
        return;
    }
    if (value == active_ || !CanActivate()) return;
    DoSetActive(value);
}

bool TCustomdxBarControl::CanActivate() const {
    return (HandleAllocated() && IsWindowEnabled(WindowHandle())) || IsCustomizing();
}

void TCustomdxBarControl::DoSetActive(bool value) {
    if (value) {
        active_ = true;
        closedByEscape_ = false;
        TCustomdxBarControl* current = CurrentActiveBarControl();
        // A new menu mode begins.
        if (!current) fullMenusShown = IsCustomizing();
        if (current != this) previousActive_ = current;
        SetCurrentActiveBarControl(this);
        SetHookedMenuChain(HookedChain());
        if (!IsCustomizing() && itemLinks_) itemLinks_->UpdateActions();
        return;
    }
    active_ = false;
    TcxObjectLinkGuard self(this);
    if (IsCustomizing())
        selectedLink_ = nullptr;
    else
        SetSelControl(nullptr);
    if (self.Alive()) LeaveActiveStack();
}

void TCustomdxBarControl::LeaveActiveStack() {
    if (CurrentActiveBarControl() == this) {
        TCustomdxBarControl* previous = previousActive_;
        if (previous && (!IsBarControlAlive(previous) || !previous->IsActive())) previous = nullptr;
        SetCurrentActiveBarControl(previous);
        SetHookedMenuChain(previous ? previous->HookedChain() : nullptr);
    } else if (hookedChain_ && HookedMenuChain() == hookedChain_.get()) {
        SetHookedMenuChain(nullptr);
    }
    previousActive_ = nullptr;
}

void TCustomdxBarControl::SelectAndActivate(TdxBarItemControl* control) {
    TcxObjectLinkGuard self(this);
    SetSelControl(control);
    if (self.Alive()) SetActive(true);
}

void TCustomdxBarControl::DeselectAndDeactivate() {
    TcxObjectLinkGuard self(this);
    SetSelControl(nullptr);
    if (self.Alive()) SetActive(false);
}

void TCustomdxBarControl::DeactivateIfFocusedBar() {
    if (IsFocusedBar()) DeselectAndDeactivate();
}

bool TCustomdxBarControl::ClosesOnWindowActivation(TdxBarManager* manager, HWND /*window*/) const {
    // Hook (Customize dialog): while customizing from the dialog, only other windows close it.
    TdxBarItemControl* selected = GetSelectedControl();
    return !(selected && !selected->AcceptsManager(manager));
}

// ---- Selection ----------------------------------------------------------------------------

void TCustomdxBarControl::SetSelControl(TdxBarItemControl* control) {
    if (!HandleAllocated() || IsDestroying() || control == GetSelectedControl()) return;
    TcxObjectLinkGuard self(this);
    TdxBarItemControl* old = GetSelectedControl();
    if (old && old->IsActive()) old->ControlInactivate(true);
    if (!self.Alive()) return;
    // Hook (sub items): a sub item's animation flag is cleared (keyboard-opened menus do not animate).
    if (control) control->SetMouseSelected(false);
    DoSetSelControl(control);
    if (self.Alive() && control && OwnsItemControl(control)) EnsureItemVisible(control);
}

void TCustomdxBarControl::SelectByMouse(TdxBarItemControl* control) {
    if (!HandleAllocated() || IsDestroying()) return;
    // Hook (keyboard navigation): nothing while the navigation controller works on this window
    // and the keyboard owns the selection.
    TdxBarItemControl* old = GetSelectedControl();
    if (control == old) return;
    // An in-place editor that has the focus keeps the selection.
    HWND focus = GetFocus();
    if (old && old->HasWindow() && focus && old->ContainsWindow(focus)) return;
    TcxObjectLinkGuard self(this);
    if (old && old->IsActive()) old->ControlInactivate(false);
    if (!self.Alive()) return;
    if (control) control->SetMouseSelected(true);
    DoSetSelControl(control);
    if (!self.Alive()) return;
    // Hook (sub items): the animation flag is set unless the dragged item cannot go into the menu.
    if (TdxBarItemControl* selected = GetSelectedControl()) selected->ControlActivate(false);
}

void TCustomdxBarControl::DoSetSelControl(TdxBarItemControl* control) {
    TdxBarItemControl* old = GetSelectedControl();
    if (control == old) return;
    // Hook (quick customization): an inactive quick-customization popup starts hiding.
    selectedLink_ = control ? control->Link() : nullptr;
    if (GetBehaviorOptions() & bcboKeyboardOwnsSelection) downed_ = false;
    TdxBarManager* manager = GetManager();
    if (IsCustomizing()) {
        TcxObjectLinkGuard self(this);
        manager->SetSelectedItemControl(control);
        if (!self.Alive()) return;
    } else {
        manager->AssignSelectedItemControl(control);
    }
    InvalidateItem(old);
    InvalidateItem(control);
    if (!control) SetCursor(crDefault);
    String hint;
    if (control && (control->IsEnabled() || manager->ShowHintForDisabledItems())) hint = LongHintOf(control->GetItemHint());
    SetHint(hint);
    // Hook (hints): the manager shows the selected control's item hint; Hook (popup menus): in
    // a popup menu's own message loop the application's hint follows.
    if (!control) manager->HideItemHint();
}

void TCustomdxBarControl::SelectItemByKey(TdxBarItemControl* control, bool several) {
    TcxObjectLinkGuard self(this);
    SetSelControl(control);
    // A unique accelerator clicks at once.
    if (self.Alive() && !several && HandleAllocated()) SendMessageW(Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

TdxBarItemLink* TCustomdxBarControl::FindEnabledAccelLink(Word key, TShiftState shift, bool& several,
                                                          TdxBarItemLink* after) const {
    several = false;
    if (!itemLinks_) return nullptr;
    // Alt+letter in an open menu works as the letter alone.
    shift -= ssAlt;
    TdxBarItemLink* link = itemLinks_->FindAccelLink(key, shift, after);
    if (!link || !link->Item() || !link->Item()->GetEnabled()) return nullptr;
    TdxBarItemLink* next = itemLinks_->FindAccelLink(key, shift, link);
    several = next && next != link;
    return link;
}

// ---- Mouse --------------------------------------------------------------------------------

void TCustomdxBarControl::WndProc(TMessage& m) {
    if (IsBarMouseMessage(m.Msg)) {
        // While a chain is open, the mouse does nothing on bar windows outside it.
        if (!IsInActiveChain()) return;
        currentMessage_ = m.Msg;
    }
    TCustomControl::WndProc(m);
}

void TCustomdxBarControl::WMLButtonDown(TMessage& m) {
    if (ignoreMouseClick_) return;
    Inherited<TCustomControl>(m);
}

void TCustomdxBarControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TcxObjectLinkGuard self(this);
    TCustomControl::MouseDown(button, shift, x, y);
    if (!self.Alive()) return;
    const TPoint p{x, y};
    TdxBarItemControl* control = ItemControlAtPoint(p);
    // The first message after the pointer came back counts as mouse enter, also a press.
    if (lastMousePos_.x == -1 && lastMousePos_.y == -1 && !IsCustomizing()) {
        HandleMouseEnter(shift, p, control);
        if (!self.Alive()) return;
        control = ItemControlAtPoint(p);
    }
    if (shift.Contains(ssDouble) && control && control == GetSelectedControl() && control->HandlesDblClickInBar()) {
        DblClickItemControl(control);
        return;
    }
    // A windowed control that gets the message forwarded sees a press.
    if (currentMessage_ == WM_LBUTTONDBLCLK) currentMessage_ = WM_LBUTTONDOWN;
    if (currentMessage_ == WM_RBUTTONDBLCLK) currentMessage_ = WM_RBUTTONDOWN;
    if (currentMessage_ == WM_MBUTTONDBLCLK) currentMessage_ = WM_MBUTTONDOWN;
    HandleMouseDown(button, shift, p, control);
}

void TCustomdxBarControl::HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p,
                                          TdxBarItemControl* control) {
    TcxObjectLinkGuard self(this);
    if (control && !IsMouseInputBlocked(false)) {
        TcxObjectLinkGuard controlAlive(control);
        control->MouseDown(button, shift, p.x, p.y);
        if (!self.Alive()) return;
        if (!controlAlive.Alive()) control = nullptr;
    }
    if (IsCustomizing()) {
        SelectForCust(control, button, shift);
        if (!self.Alive()) return;
        if (button == mbRight) {
            if (IsContextPopupTrigger(true)) ShowContextPopup(control);
        } else if (button == mbLeft) {
            BeginItemDrag(p, GetCustSelectedControl());
        }
        return;
    }
    if (button == mbRight) {
        if (control != GetSelectedControl()) DeactivateIfFocusedBar();
        if (IsContextPopupTrigger(true)) ShowContextPopup(control);
        return;
    }
    if (button == mbLeft) PressItemControl(control);
}

// ---- Customizing mode ---------------------------------------------------------------------

TdxBarItemControl* TCustomdxBarControl::GetCustSelectedControl() const {
    TdxBarItemControl* control = GetManager()->SelectedItemControl();
    return control && OwnsItemControl(control) ? control : nullptr;
}

Integer TCustomdxBarControl::GetSelectionOperation(TMouseButton button, TShiftState shift,
                                                   IdxBarSelectableItem* item) const {
    const bool selected = item && item->IsSelected();
    if (button == mbRight) {
        TdxBarDesignController* controller = DesignControllerInstance();
        return selected && controller && !controller->HasMultiLinkSelection(GetManager()) ? dxBarSelectionAdd
                                                                                        : dxBarSelectionExclusive;
    }
    if (button == mbLeft && shift.Contains(ssShift) && !shift.Contains(ssCtrl))
        return selected ? dxBarSelectionRemove : dxBarSelectionAdd;
    return dxBarSelectionExclusive;
}

void TCustomdxBarControl::SelectForCust(TdxBarItemControl* control, TMouseButton button, TShiftState shift) {
    TcxObjectLinkGuard self(this);
    TdxBarManager* manager = GetManager();
    IdxBarSelectableItem* selectable = nullptr;
    if (control) {
        SelectAndActivate(control);
        if (!self.Alive()) return;
        selectable = QuerySelectableItem(control->Link());
        if (button == mbRight) {
            if (TdxBarItemControl* selected = GetSelectedControl()) selected->ControlInactivate(true);
            if (control == GetSelectedControl()) manager->SetSelectedItemControl(control);
            SetSelControl(control);
        } else if (button == mbLeft) {
            if (!viewInfo_ || viewInfo_->GetItemViewInfoCount() == 0) return;
            if (control->Item() && control->Item()->BarManager() == manager) {
                if (control == GetSelectedControl()) {
                    if (control->IsActive())
                        control->ControlInactivate(true);
                    else
                        control->ControlActivate(true);
                    manager->SetSelectedItemControl(control);
                }
                SelectByMouse(control);
            }
        }
        if (!self.Alive()) return;
    } else if (itemLinks_) {
        selectable = QuerySelectableItem(itemLinks_->GetOwnerObject());
    }
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->ApplySelection(selectable, GetSelectionOperation(button, button == mbLeft ? shift : TShiftState(),
                                                                     selectable));
}

bool TCustomdxBarControl::IsContextPopupTrigger(bool press) const {
    const bool onRelease = (GetBehaviorOptions() & bcboCustomizingPopupOnRelease) != 0;
    if (press) return (!onRelease && !IsInternalMenu()) || IsCustomizing();
    return onRelease && !IsCustomizing();
}

void TCustomdxBarControl::ShowContextPopup(TdxBarItemControl*) {
    // Hook (sub menus): outside customizing mode a menu shows its own context commands.
    if (!IsCustomizing()) return;
    TdxBarItemControl* cust = GetCustSelectedControl();
    if (!cust && !GetManager()->IsBarManagerDesigning()) return;
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->ShowLinkCustomizingPopup(this, cust ? cust->Link() : nullptr);
}

void TCustomdxBarControl::HitTestDropPosition(const TPoint& p, TdxBarDropPosition& position) {
    position = TdxBarDropPosition();
    position.vertical = IsVerticalLayout();
    if (!itemLinks_) return;
    for (int i = 0; i < itemLinks_->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = itemLinks_->GetShownLink(i);
        if (!link->Control()) continue;
        const TRect r = link->Control()->GetBounds();
        if (IsRectEmpty(&r) || !PtInRect(&r, p)) continue;
        position.link = link;
        const int along = position.vertical ? p.y - r.top : p.x - r.left;
        const int size = position.vertical ? r.bottom - r.top : r.right - r.left;
        position.firstPart = along < size / 2;
        // The leading edge of a link after another one starts a group there.
        position.beginGroup = i > 0 && along < std::min(4, size / 4);
        return;
    }
}

void TCustomdxBarControl::BeginItemDrag(const TPoint& p, TdxBarItemControl* control) {
    if (!control || !control->Item() || control->Item()->BarManager() != GetManager()) return;
    itemDragPoint_ = p;
    GetManager()->SetDraggingItem(control->Item());
    GetManager()->SetDraggingItemLink(control->Link());
    dragDown_ = true;
    SetCapture(Handle());
}

void TCustomdxBarControl::PressItemControl(TdxBarItemControl* control) {
    if (!control || !control->IsEnabled() || !control->AcceptsMouse()) return;
    TcxObjectLinkGuard self(this);
    SetSelControl(control);
    if (!self.Alive()) return;
    GetManager()->HideItemHint();
    TdxBarItemControl* selected = GetSelectedControl();
    if (auto* buttonLike = As<TdxBarButtonLikeControl>(selected)) buttonLike->SetAnimateDropDown(true);
    // Hook (sub menus): a selected control with a window of its own is scrolled into view.
    if (selected && selected->HasWindow()) EnsureItemVisible(selected);
    control->ControlPress(true, false);
    if (!self.Alive() || !OwnsItemControl(control)) return;
    if (auto* button = As<TdxBarButtonControl>(GetSelectedControl())) button->SetAnimateDropDown(false);
}

void TCustomdxBarControl::WMLButtonUp(TMessage& m) {
    if (ignoreMouseClick_) {
        ignoreMouseClick_ = false;
        return;
    }
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(m);
    if (!self.Alive()) return;
    // With a link drag armed but not started, the release only lets go of the mouse.
    if (dragDown_) {
        ReleaseCapture();
        return;
    }
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TdxBarItemControl* clicked = clickedControl_;
    // The capture's change clears the clicked control.
    if (clicked) ReleaseCapture();
    const TRect client = ClientRect();
    if (self.Alive() && PtInRect(&client, p) && active_) {
        TdxBarItemControl* control = ItemControlAtPoint(p);
        if (!IsCustomizing() && control && control->AcceptsMouse()) {
            if (control->IsEnabled() && control == GetSelectedControl()) {
                // Hook (windowed controls): the release is forwarded to the control's window.
                // This is the click: the control closes the chain before the item's handler runs.
                control->ControlClick(true);
            } else if (GetBarControlKind() == 0) {
                // A release on a toolbar beside its pressed button, or over a disabled one.
                auto* button = As<TdxBarButtonControl>(GetSelectedControl());
                if (!(button && button->IsDroppedDown())) HideMenuChain();
            }
        }
    }
    if (clicked && self.Alive() && IsBarControlAlive(this)) HideMenuChain();
}

void TCustomdxBarControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TcxObjectLinkGuard self(this);
    TCustomControl::MouseUp(button, shift, x, y);
    if (self.Alive()) HandleMouseUp(button, shift, TPoint{x, y}, ItemControlAtPoint(TPoint{x, y}));
}

void TCustomdxBarControl::HandleMouseUp(TMouseButton button, TShiftState shift, const TPoint& p,
                                        TdxBarItemControl* control) {
    if (control && !IsMouseInputBlocked(false)) control->MouseUp(button, shift, p.x, p.y);
    // Hook (customizing): a right release shows the link customizing popup when it is the trigger.
}

void TCustomdxBarControl::DblClickItemControl(TdxBarItemControl* control) {
    // Hook (design controller): at design time the item's default event handler opens.
    // Hook (sub menus): a sub item's personalized menu expands instead.
    if (!GetManager()->IsBarManagerDesigning() && !control->IsSubItem()) control->DblClick();
}

void TCustomdxBarControl::WMMouseActivate(TMessage& m) {
    Inherited<TCustomControl>(m);
    // Clicking a bar window never takes the activation (and the focus) from the form.
    m.Result = MA_NOACTIVATE;
}

void TCustomdxBarControl::WMCaptureChanged(TMessage& m) {
    Inherited<TCustomControl>(m);
    clickedControl_ = nullptr;
    if (dragDown_) {
        // An armed drag lets go of the dragged item and link.
        dragDown_ = false;
        if (auto* manager = As<TdxBarManager>(Owner()); manager && !manager->IsDragging()) {
            manager->SetDraggingItem(nullptr);
            manager->SetDraggingItemLink(nullptr);
        }
    }
}

void TCustomdxBarControl::WMMouseMove(TMessage& m) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(m);
    if (self.Alive()) TrackMousePosition(KeysToShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TCustomdxBarControl::MouseMove(TShiftState shift, int x, int y) {
    TcxObjectLinkGuard self(this);
    TCustomControl::MouseMove(shift, x, y);
    if (!self.Alive() || IsDestroying()) return;
    const TPoint p{x, y};
    if (dragDown_) {
        const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
        if (std::abs(p.x - itemDragPoint_.x) >= dx || std::abs(p.y - itemDragPoint_.y) >= dy) {
            TdxBarManager* manager = GetManager();
            TdxBarItem* item = manager->GetDraggingItem();
            TdxBarItemLink* link = manager->GetDraggingItemLink();
            // The capture's release must not disarm what is about to be dragged.
            dragDown_ = false;
            ReleaseCapture();
            if (!self.Alive()) return;
            if (link && link->Control()) link->Control()->ControlInactivate(true);
            manager->SetDragPressPoint(ClientToScreen(itemDragPoint_));
            if (item) manager->DragItem(item, link);
            return;
        }
    }
    TdxBarItemControl* control = ItemControlAtPoint(p);
    if (lastMousePos_.x == -1 && lastMousePos_.y == -1 && !IsMouseInputBlocked(true)) {
        HandleMouseEnter(shift, p, control);
        if (!self.Alive()) return;
        control = ItemControlAtPoint(p);
    }
    HandleMouseMove(shift, p, control);
}

void TCustomdxBarControl::HandleMouseEnter(TShiftState shift, const TPoint& p, TdxBarItemControl* control) {
    // The window that had the pointer before hears that it left.
    if (mouseTrackedBar && mouseTrackedBar != this && IsBarControlAlive(mouseTrackedBar)) mouseTrackedBar->MouseLeave();
    if (!mouseTracker_) mouseTracker_ = std::make_unique<TMouseTracker>(this);
    mouseTrackedBar = this;
    StartMouseTracking(this, ClientRect(), mouseTracker_.get());
    HotTrackLink(control ? control->Link() : nullptr, p, shift);
}

bool TCustomdxBarControl::IsPointInside(const TPoint& clientPoint) const {
    if (!HandleAllocated()) return false;
    // Hook (keyboard): the manager's focused bar keeps the pointer inside its tracking bounds.
    return WindowFromPoint(ClientToScreen(clientPoint)) == WindowHandle() || ItemControlAtPoint(clientPoint);
}

void TCustomdxBarControl::HotTrackLink(TdxBarItemLink* link, const TPoint& p, TShiftState shift) {
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    if (control != hotControl_) {
        TcxObjectLinkGuard self(this);
        if (TdxBarItemControl* old = std::exchange(hotControl_, control)) old->MouseLeave();
        if (!self.Alive()) return;
        if (control) control->MouseEnter(shift, p.x, p.y);
    }
    if (control && hotControl_ == control) control->MouseMove(shift, p.x, p.y);
}

void TCustomdxBarControl::HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control) {
    if (IsMouseInputBlocked(true)) return;
    TcxObjectLinkGuard self(this);
    HotTrackLink(control ? control->Link() : nullptr, p, shift);
    if (!self.Alive()) return;
    TdxBarItemControl* selectedByManager = GetManager()->SelectedItemControl();
    HWND focus = GetFocus();
    if (selectedByManager && selectedByManager->HasWindow() && focus && selectedByManager->ContainsWindow(focus)) return;
    if (control && !control->CanHotTrack()) control = nullptr;
    // Hovering selects in menus and inactive toolbars; an active toolbar's empty space keeps the
    // selection, and so does empty space while a menu of this window is open or a press holds.
    bool toolbar = GetBarControlKind() == 0;
    if ((!toolbar || !active_ || control) && !clickedControl_ && (control || !childBar_)) SelectByMouse(control);
}

void TCustomdxBarControl::TrackMousePosition(TShiftState /*shift*/, int x, int y) {
    if (IsMouseInputBlocked(true)) {
        if (IsMouseInputBlocked(false)) MouseLeave();
        return;
    }
    lastMousePos_ = ClientToScreen(TPoint{x, y});
}

bool TCustomdxBarControl::IsMouseInputBlocked(bool unmovedCounts) const {
    if (IsCustomizing()) return true;
    const TPoint cursor = QueryCursorPos();
    if (unmovedCounts && cursor.x == lastMousePos_.x && cursor.y == lastMousePos_.y) return true;
    if (!HandleAllocated()) return true;
    TRect window;
    GetWindowRect(WindowHandle(), &window);
    return !PtInRect(&window, cursor);
}

void TCustomdxBarControl::MouseLeave() {
    TCustomControl::MouseLeave();
    lastMousePos_ = TPoint{-1, -1};
    if (mouseTrackedBar != this) return;
    mouseTrackedBar = nullptr;
    if (mouseTracker_) StopMouseTracking(mouseTracker_.get());
    HandleMouseLeave();
}

void TCustomdxBarControl::HandleMouseLeave() {
    TcxObjectLinkGuard self(this);
    HotTrackLink(nullptr, TPoint{-1, -1}, TShiftState{});
    if (!self.Alive()) return;
    // Hook (marks): a hot mark returns to normal.
    TdxBarItemControl* selected = GetSelectedControl();
    if (!clickedControl_ && selected && !selected->IsDroppedDown() && !IsCustomizing()) SelectByMouse(nullptr);
}

void TCustomdxBarControl::StopBarMouseTracking() {
    if (mouseTrackedBar == this) mouseTrackedBar = nullptr;
    mouseTracker_.reset();
}

// ---- Keyboard -----------------------------------------------------------------------------

void TCustomdxBarControl::WMKeyDown(TMessage& m) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(m);
    if (!self.Alive() || !CurrentActiveBarControl()) return;
    Word key = Word(m.WParam);
    const TShiftState shift = KeyDataToShiftState(m.LParam);
    if (key == 0) return;
    HandleNavigationKey(key, shift, m.LParam);
    if (!self.Alive() || !CurrentActiveBarControl() || key == 0) return;
    if (!HandleSelectedKey(key, shift)) HandleKeyDown(key, shift);
    m.WParam = key;
}

void TCustomdxBarControl::HandleNavigationKey(Word& key, TShiftState shift, LPARAM /*keyData*/) {
    if (IsDockedVertically()) {
        switch (key) {
            case VK_LEFT: key = VK_UP; break;
            case VK_UP: key = VK_LEFT; break;
            case VK_RIGHT: key = VK_DOWN; break;
            case VK_DOWN: key = VK_RIGHT; break;
            default: break;
        }
    }
    // In menus Up and Down move as Left and Right do on a toolbar; Left and Right go on to the
    // menu's own handling.
    Word step = key;
    if (GetBarControlKind() == 2) {
        if (step == VK_LEFT || step == VK_RIGHT)
            step = 0;
        else if (step == VK_UP)
            step = VK_LEFT;
        else if (step == VK_DOWN)
            step = VK_RIGHT;
    }
    bool fromTab = false;
    if (step == VK_TAB) {
        // Hook (toolbars): Ctrl+Tab moves to the next toolbar (SelectNextToolbar).
        if (shift.Contains(ssCtrl)) return;
        step = shift.Contains(ssShift) ? VK_LEFT : VK_RIGHT;
        fromTab = true;
    }
    TdxBarItemLinks* links = itemLinks_;
    switch (step) {
        case VK_HOME:
            if (links) SelectNavigableLink(links->GetFirstNavigableLink(), false);
            return;
        case VK_END:
            if (links) SelectNavigableLink(links->GetLastNavigableLink(), false);
            return;
        case VK_LEFT:
            if (links)
                SelectNavigableLink(selectedLink_ ? links->GetPrevNavigableLink(selectedLink_) : links->GetFirstNavigableLink(),
                                    fromTab);
            return;
        case VK_RIGHT:
            if (links)
                SelectNavigableLink(selectedLink_ ? links->GetNextNavigableLink(selectedLink_) : links->GetFirstNavigableLink(),
                                    fromTab);
            return;
        default:
            break;
    }
    if (key == VK_MENU || (key == VK_F10 && GetManager()->UseF10ForMenu())) {
        key = 0;
        HideMenuChain();
        return;
    }
    if (key != VK_SPACE && KeyHasPrintableChar(key)) {
        bool several = false;
        if (TdxBarItemLink* link = FindEnabledAccelLink(key, shift, several, selectedLink_))
            if (TdxBarItemControl* control = link->Control()) SelectItemByKey(control, several);
    }
}

void TCustomdxBarControl::SelectNavigableLink(TdxBarItemLink* link, bool fromTab) {
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    if (!control) return;
    TcxObjectLinkGuard self(this);
    SetSelControl(control);
    // Tab onto a control with a window of its own starts editing it.
    if (self.Alive() && fromTab && GetSelectedControl() == control && control->HasWindow()) control->ClickAt(false, false);
}

bool TCustomdxBarControl::HandleSelectedKey(Word& key, TShiftState shift) {
    TdxBarItemControl* selected = GetSelectedControl();
    if (!selected || !selected->IsEnabled() || !selected->MatchesAccelerator(key)) return false;
    selected->KeyDown(key, shift);
    return true;
}

void TCustomdxBarControl::HandleKeyDown(Word& key, TShiftState /*shift*/) {
    if (key != VK_RETURN) return;
    if (TdxBarItemControl* selected = GetSelectedControl()) ClickSelectedByKeyboard(selected);
}

void TCustomdxBarControl::ClickSelectedByKeyboard(TdxBarItemControl* control) {
    // Hook (keyboard navigation): nothing while key tips are awaited or a container is active.
    control->ClickAt(false, false);
}

// ---- Focus --------------------------------------------------------------------------------

void TCustomdxBarControl::WMGetDlgCode(TMessage& m) {
    Inherited<TCustomControl>(m);
    // Keys typed into an item's in-place editor (a child window of the bar) are the editor's:
    // arrows, Tab, Enter and Escape must not move the form's focus or press its buttons.
    HWND focus = GetFocus();
    if (HandleAllocated() && focus && focus != WindowHandle() && IsChild(WindowHandle(), focus))
        m.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
}

void TCustomdxBarControl::WMSetFocus(TMessage& m) {
    TdxBarItemControl* selected = GetSelectedControl();
    if (selected && selected->HasWindow()) {
        Inherited<TCustomControl>(m);
        return;
    }
    // A bar window never keeps the focus.
    RestoreFocus();
}

void TCustomdxBarControl::RestoreFocus() {
    // Hook (Customize dialog): while customizing with the dialog, the dialog gets the focus.
    auto* owner = As<TWinControl>(GetManager()->Owner());
    if (owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle()))
        ::SetFocus(owner->Handle());
    else if (HandleAllocated())
        ::SetFocus(GetWindow(WindowHandle(), GW_HWNDNEXT));
}

void TCustomdxBarControl::WMKillFocus(TMessage& m) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(m);
    // The focus left the application.
    if (self.Alive() && m.WParam == 0) HideMenuChain();
}

void TCustomdxBarControl::WMNCActivate(TMessage& m) {
    TdxBarManager* manager = GetManager();
    if (m.WParam == 1 && !manager->IsCustomizingOrDesigning() && HandleAllocated())
        if (HWND parent = ::GetParent(WindowHandle())) SendMessageW(parent, WM_NCACTIVATE, 1, 0);
    // Bar windows always draw active frames.
    m.WParam = 1;
    Inherited<TCustomControl>(m);
}

// ---- The menu chain -----------------------------------------------------------------------

void TCustomdxBarControl::HideMenuChain() {
    if (state_ & bcsHidingMenuChain) return;
    TcxObjectLinkGuard self(this);
    state_ |= bcsHidingMenuChain;
    try {
        DoHideMenu();
    } catch (...) {
        if (self.Alive()) state_ &= Byte(~bcsHidingMenuChain);
        throw;
    }
    if (self.Alive()) state_ &= Byte(~bcsHidingMenuChain);
}

void TCustomdxBarControl::DoHideMenu() {
    TcxObjectLinkGuard self(this);
    SetActive(false);
    if (!self.Alive()) return;
    // Escape closes one level; anything else closes the chain up to its root.
    if (parentBar_ && !closedByEscape_) parentBar_->HideMenuChain();
}

void TCustomdxBarControl::CloseOnEscape() {
    closedByEscape_ = true;
    HideMenuChain();
}

bool TCustomdxBarControl::IsParentOf(const TCustomdxBarControl* window) const {
    for (const TCustomdxBarControl* w = window ? window->parentBar_ : nullptr; w; w = w->parentBar_)
        if (w == this) return true;
    return false;
}

TCustomdxBarControl* TCustomdxBarControl::GetChainParent() const {
    // The chain ends where an internal menu (customizing popups, toolbar lists) opened from a
    // normal window.
    if (parentBar_ && IsInternalMenu() && !parentBar_->IsInternalMenu()) return nullptr;
    return parentBar_;
}

bool TCustomdxBarControl::IsInActiveChain() const {
    TCustomdxBarControl* current = CurrentActiveBarControl();
    if (!current) return true;
    for (TCustomdxBarControl* w = current; w; w = w->GetChainParent())
        if (w == this) return true;
    return false;
}

bool TCustomdxBarControl::IsInsideChain(HWND window) const {
    if (!window) return false;
    if (HandleAllocated() && (window == WindowHandle() || IsChild(WindowHandle(), window))) return true;
    TdxBarItemControl* selected = GetSelectedControl();
    return selected && selected->ContainsWindow(window);
}
