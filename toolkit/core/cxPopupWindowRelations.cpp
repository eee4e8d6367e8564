#include "cxPopupWindowRelations.h"

#include "Form.h"
#include "cxCustomPopupWindow.h"
#include "cxWindowHelpers.h"

namespace {

bool IsOwnWindow(TWinControl* control, HWND window) {
    return control && window && control->HandleAllocated() && control->WindowHandle() == window;
}

// Related to the popup, or in its tree.
bool IsInPopupOrItsTree(TcxCustomPopupWindow* popup, HWND window) {
    return IsRelatedWindow(popup, window, true) || IsWindowInPopupTree(popup, window);
}

}  // namespace

bool IsControlWindow(TWinControl* control, HWND window) { return IsRelatedWindow(control, window, false); }

bool IsRelatedWindow(TWinControl* control, HWND window, bool withPopups) {
    return IsOwnWindow(control, window) || (withPopups && IsWindowInsidePopup(control, window));
}

bool IsWindowInsidePopup(TWinControl* control, HWND window) {
    if (!control || !window || IsOwnWindow(control, window)) return false;
    return IsChildOfControl(control, window) || IsWindowInPopupTree(control, window);
}

bool IsWindowInPopupTree(TWinControl* control, HWND window) {
    for (int i = 0; i < control->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
        if (!child) continue;
        if (IsOwnWindow(child, window) || IsWindowInPopupTree(child, window) || IsChildOfControl(child, window))
            return true;
    }
    const bool isPopup = dynamic_cast<TcxCustomPopupWindow*>(control) != nullptr;
    for (int i = 0; i < ShownPopupCount(); ++i) {
        TcxCustomPopupWindow* popup = ShownPopup(i);
        if (popup == control || !popup->OwnerControl()) continue;
        // A popup opened from a control that sits on this popup, or opened for this control.
        const bool ownedHere =
            popup->OwnerControl() == control || (isPopup && GetParentForm(popup->OwnerControl()) == control);
        if (ownedHere && IsInPopupOrItsTree(popup, window)) return true;
    }
    return false;
}

bool IsChildOfControl(TWinControl* control, HWND window) {
    return control && control->HandleAllocated() && window && IsChild(control->WindowHandle(), window);
}

bool IsControlShowing(TWinControl* control) {
    return control->HandleAllocated() && IsWindowVisible(control->WindowHandle());
}

bool IsInsideOwnerForm(TWinControl* control, HWND window) {
    TCustomForm* form = control ? GetParentForm(control) : nullptr;
    if (!form) return false;
    if (IsRelatedWindow(form, window, true)) return true;
    if (form->Parent() || !form->HandleAllocated() || !HasChildStyle(form->WindowHandle())) return false;
    // A form placed inside a foreign window: the outermost window that still holds it as a child.
    HWND holder = form->WindowHandle();
    for (HWND parent = GetParent(holder); parent && IsChild(parent, form->WindowHandle()); parent = GetParent(parent))
        holder = parent;
    return window == holder || IsChild(holder, window);
}

HWND FirstNonChildAncestor(HWND window) {
    while (window && HasChildStyle(window)) window = GetParent(window);
    return window;
}

TRect ControlSizeRect(TControl* control) { return TRect{0, 0, control->Width(), control->Height()}; }

TShiftState CurrentShiftState() {
    BYTE keys[256];
    TShiftState shift;
    if (!GetKeyboardState(keys)) return shift;
    if (keys[VK_SHIFT] & 0x80) shift += ssShift;
    if (keys[VK_CONTROL] & 0x80) shift += ssCtrl;
    if (keys[VK_MENU] & 0x80) shift += ssAlt;
    if (keys[VK_LBUTTON] & 0x80) shift += ssLeft;
    if (keys[VK_RBUTTON] & 0x80) shift += ssRight;
    if (keys[VK_MBUTTON] & 0x80) shift += ssMiddle;
    return shift;
}

bool DropWindowMessages(HWND window, UINT firstMessage, UINT lastMessage, bool all) {
    bool removed = false;
    MSG message;
    while (PeekMessageW(&message, window, firstMessage, lastMessage, PM_REMOVE)) {
        removed = true;
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            break;
        }
        if (!all) break;
    }
    return removed;
}

void DisableWindowRemembering(std::vector<HWND>& list, HWND window) {
    if (!IsWindowEnabled(window)) return;
    list.push_back(window);
    EnableWindow(window, FALSE);
}

void ReenableWindows(const std::vector<HWND>* list) {
    if (!list) return;
    for (HWND window : *list)
        if (IsWindow(window)) EnableWindow(window, TRUE);
}

bool SameTextByLocale(const String& a, const String& b, bool useLocale) {
    if (useLocale)
        return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), int(a.size()), b.c_str(), int(b.size())) == CSTR_EQUAL;
    String upperA = a, upperB = b;
    CharUpperBuffW(upperA.data(), DWORD(upperA.size()));
    CharUpperBuffW(upperB.data(), DWORD(upperB.size()));
    return upperA == upperB;
}
