#include "dxBarLookups.h"

#include "dxCustomBarControl.h"

#include "Application.h"
#include "Form.h"
#include "cxCustomPopupWindow.h"
#include "cxPopupWindowRelations.h"
#include "cxWindowHelpers.h"
#include "dxBarManager.h"
#include "dxBarUnit.h"

// Sections: managers · forms · the active bar window.

namespace {

bool IsChildWindow(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

TCustomdxBarControl* activeBarControl = nullptr;

}  // namespace

// ---- Managers -----------------------------------------------------------------------------

TdxBarManager* ResolveBarManager(TComponent* component) {
    if (!component) return nullptr;
    if (auto* manager = As<TdxBarManager>(component)) return manager;
    TdxBarManagerList* list = BarManagerList();
    if (!list) return nullptr;
    for (int i = 0; i < list->Count(); ++i)
        if (list->GetManager(i)->Owner() == component) return list->GetManager(i);
    return nullptr;
}

TdxBarManager* FindBarManagerByWindow(HWND window) { return window ? ResolveBarManager(FindControl(window)) : nullptr; }

TWinControl* FindWinControlOwner(TComponent* component) {
    for (TComponent* c = component; c; c = c->Owner())
        if (auto* control = As<TWinControl>(c)) return control;
    return nullptr;
}

TdxBarManager* FindBarManagerOfComponent(TComponent* component) {
    TWinControl* owner = FindWinControlOwner(component);
    if (!owner || !owner->HandleAllocated()) return nullptr;
    if (TdxBarManager* manager = ResolveBarManager(owner)) return manager;
    for (HWND w = GetParent(owner->Handle()); w; w = GetParent(w))
        if (TWinControl* control = FindControl(w))
            if (TdxBarManager* manager = ResolveBarManager(control)) return manager;
    return nullptr;
}

// ---- Forms --------------------------------------------------------------------------------

TCustomForm* GetControlFormOfKind(TWinControl* control, int kind) {
    if (!control || !CanAllocateHandle(control)) return nullptr;
    TCustomForm* result = nullptr;
    for (HWND w = control->Handle(); w; w = GetParent(w)) {
        if (auto* form = As<TCustomForm>(FindControl(w))) {
            result = form;
            if (kind == dxBarFormFirst) break;
            if (kind == dxBarFormMDIChildOrOutermost && form->FormStyle() == fsMDIChild) break;
        }
        if (!IsChildWindow(w)) break;
    }
    return result;
}

TCustomForm* GetFormOfComponent(TComponent* component) {
    return GetControlFormOfKind(FindWinControlOwner(component), dxBarFormFirst);
}

TCustomForm* GetBarManagerFormOfKind(TdxBarManager* manager, int kind) {
    return manager ? GetControlFormOfKind(As<TWinControl>(manager->Owner()), kind) : nullptr;
}

bool IsOwnerWindowOf(TdxBarManager* manager, HWND window) {
    auto* owner = manager ? As<TWinControl>(manager->Owner()) : nullptr;
    if (!owner || !owner->HandleAllocated() || !window) return false;
    for (HWND w = owner->Handle(); w; w = GetParent(w)) {
        if (w == window) return true;
        if (!IsChildWindow(w)) break;
    }
    return false;
}

TWinControl* GetWinControlOf(TControl* control) {
    if (!control) return nullptr;
    if (auto* windowed = As<TWinControl>(control)) return windowed;
    return control->Parent();
}

bool IsControlInside(TControl* control, TWinControl* container) {
    if (!control || !container) return false;
    TWinControl* windowed = GetWinControlOf(control);
    if (windowed && windowed->HandleAllocated() && container->HandleAllocated())
        return windowed->Handle() == container->Handle() || IsChild(container->Handle(), windowed->Handle());
    for (TControl* c = control; c; c = c->Parent())
        if (c == container) return true;
    return false;
}

bool IsControlInManagerOwner(TdxBarManager* manager, TControl* control) {
    return manager && IsControlInside(control, As<TWinControl>(manager->Owner()));
}

TcxCustomPopupWindow* FindOwningPopupWindow(TControl* control, bool throughBarWindows) {
    (void)throughBarWindows;  // Hook (bar windows): with it, a bar window leads to its owner control's window.
    TWinControl* windowed = GetWinControlOf(control);
    if (!windowed || !windowed->HandleAllocated() || windowed->ComponentState().Contains(csDestroying)) return nullptr;
    HWND top = windowed->Handle();
    while (IsChildWindow(top) && GetParent(top)) top = GetParent(top);
    if (top == windowed->Handle()) return nullptr;
    return As<TcxCustomPopupWindow>(FindControl(top));
}

bool IsControlInActiveWindow(TWinControl* control) {
    if (!control || !control->HandleAllocated()) return false;
    HWND active = GetActiveWindow();
    if (control->Handle() == active) return true;
    if (IsMDIChildForm(control)) {
        auto* mainForm = Application ? Application->MainForm() : nullptr;
        return mainForm && mainForm->ActiveMDIChild() == control && mainForm->HandleAllocated() &&
               mainForm->Handle() == active;
    }
    return FirstNonChildAncestor(control->Handle()) == active;
}

TCustomForm* GetActiveFormOrMDIChild() {
    HWND active = GetActiveWindow();
    auto* form = active ? As<TCustomForm>(FindControl(active)) : nullptr;
    if (!form || !IsWindowEnabled(active)) return nullptr;
    if (form->FormStyle() == fsMDIForm)
        if (TCustomForm* child = form->ActiveMDIChild()) return child;
    return form;
}

// ---- The active bar window ----------------------------------------------------------------

TCustomdxBarControl* CurrentActiveBarControl() { return activeBarControl; }

void SetCurrentActiveBarControl(TCustomdxBarControl* control) { activeBarControl = control; }

TdxBarManager* CurrentActiveBarManager() {
    return activeBarControl ? activeBarControl->GetManager() : nullptr;
}

bool IsActiveBarControlUsable() {
    if (!activeBarControl || !activeBarControl->HandleAllocated()) return false;
    for (HWND w = activeBarControl->Handle(); w; w = GetParent(w))
        if (!IsWindowEnabled(w)) return false;
    return true;
}

bool IsAnyPopupMenuShown() {
    // Hook (popup menus): some manager not being destroyed shows a popup menu.
    return false;
}

void CloseActiveBarControlMenus() {
    if (activeBarControl) activeBarControl->HideMenuChain();
}
