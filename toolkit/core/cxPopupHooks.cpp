// Sections: swallowing · call-window-procedure hook · get-message hook · mouse hook · unit.

#include "cxPopupHooks.h"

#include <vector>

#include "CallbackBarrier.h"
#include "Form.h"
#include "cxClasses.h"
#include "cxCustomPopupWindow.h"
#include "cxGeometry.h"
#include "cxPopupWindowRelations.h"
#include "cxWindowHelpers.h"

namespace {

HHOOK callWndProcHook = nullptr;
HHOOK getMessageHook = nullptr;
HHOOK mouseHook = nullptr;

// ---- swallowing ----------------------------------------------------------------------------

// The procedure of the window whose message is being swallowed.
WNDPROC swallowedWindowProc = nullptr;

LRESULT CALLBACK SwallowingWindowProc(HWND window, UINT, WPARAM, LPARAM) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swallowedWindowProc));
    swallowedWindowProc = nullptr;
    return 1;
}

// The message on its way to the window never reaches its procedure: a stub takes its place for
// that one message and puts the procedure back.
void SwallowMessage(HWND window) {
    if (swallowedWindowProc) return;
    swallowedWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowingWindowProc)));
}

bool IsBeingDestroyed(TControl* control) { return control && control->ComponentState().Contains(csDestroying); }

bool HasWindow(TWinControl* control, HWND window) {
    return control && control->HandleAllocated() && control->WindowHandle() == window;
}

TCustomForm* OwnerFormOf(TcxCustomPopupWindow* popup) {
    return popup->OwnerControl() ? GetParentForm(popup->OwnerControl()) : nullptr;
}

std::vector<TcxCustomPopupWindow*> ShownPopupsNow() {
    std::vector<TcxCustomPopupWindow*> popups;
    for (int i = 0; i < ShownPopupCount(); ++i) popups.push_back(ShownPopup(i));
    return popups;
}

// ---- call-window-procedure hook ------------------------------------------------------------

void PopupWindowDestroyed(HWND window) {
    for (TcxCustomPopupWindow* popup : ShownPopupsNow())
        if (!IsBeingDestroyed(popup) && HasWindow(popup, window)) return popup->Close();
}

void PopupWindowClosing(HWND window) {
    for (TcxCustomPopupWindow* popup : ShownPopupsNow()) {
        if (IsBeingDestroyed(popup)) continue;
        TWinControl* owner = popup->OwnerControl();
        if (HasWindow(popup, window)) {
            if (!popup->CloseQuery()) return;
            popup->ClosePopup();
            // Closing a focus popup closes the window it was opened from as well.
            if (!popup->IsShown() && popup->CaptureFocus() && owner && !IsBeingDestroyed(owner) &&
                owner->HandleAllocated())
                SendMessageW(FirstNonChildAncestor(owner->WindowHandle()), WM_CLOSE, 0, 0);
            return;
        }
        if (popup->CaptureFocus()) continue;
        if (owner && !IsBeingDestroyed(owner)) {
            TCustomForm* form = OwnerFormOf(popup);
            if (!form || !form->HandleAllocated() || form->WindowHandle() == window) popup->ClosePopup();
        }
        return;
    }
}

void OwnerWindowHidden(HWND window) {
    for (int i = ShownPopupCount() - 1; i >= 0; --i) {
        TcxCustomPopupWindow* popup = ShownPopup(i);
        if (IsBeingDestroyed(popup) || !HasWindow(popup->OwnerControl(), window)) continue;
        // The popup and every popup shown after it (opened from it), the last one first.
        for (int j = ShownPopupCount() - 1; j >= i; --j)
            if (j < ShownPopupCount()) ShownPopup(j)->ClosePopup();
        return;
    }
}

void ApplicationDeactivated() {
    for (bool closed = true; closed;) {
        closed = false;
        for (TcxCustomPopupWindow* popup : ShownPopupsNow()) {
            if (TCustomForm* form = OwnerFormOf(popup); form && form->HandleAllocated())
                PostMessageW(form->WindowHandle(), WM_NCACTIVATE, FALSE, 0);
            const bool activeFocusPopup = popup->CaptureFocus() && popup->Active();
            if (!activeFocusPopup && popup->HandleAllocated() && IsWindowEnabled(popup->WindowHandle())) {
                popup->ClosePopup();
                closed = true;
                break;
            }
        }
    }
}

void OwnerWindowMoved(HWND window) {
    for (bool closed = true; closed;) {
        closed = false;
        for (TcxCustomPopupWindow* popup : ShownPopupsNow()) {
            TWinControl* owner = popup->OwnerControl();
            if (IsBeingDestroyed(popup) || !popup->HandleAllocated() || IsBeingDestroyed(owner) ||
                !HasWindow(owner, window) || IsControlShowing(owner))
                continue;
            popup->ClosePopup();
            closed = true;
            break;
        }
    }
}

// The owner's form keeps its active caption while its popup has the activation.
bool KeepsActiveCaption(HWND window) {
    const TcxPopupActivity& activity = PopupActivity();
    if (activity.showingPopup || activity.closingInProgress) return true;
    for (TcxCustomPopupWindow* popup : ShownPopupsNow())
        if (HasWindow(OwnerFormOf(popup), window)) return true;
    return false;
}

void HandleSentMessage(const CWPSTRUCT& message) {
    if ((message.message == CM_ACTIVATE || message.message == CM_DEACTIVATE) && IsActivationLocked())
        return SwallowMessage(message.hwnd);
    if (ShownPopupCount() == 0) return;
    switch (message.message) {
        case WM_DESTROY:
            return PopupWindowDestroyed(message.hwnd);
        case WM_CLOSE:
            return PopupWindowClosing(message.hwnd);
        case WM_SHOWWINDOW:
            if (!message.wParam) OwnerWindowHidden(message.hwnd);
            return;
        case WM_ACTIVATEAPP:
            if (!message.wParam) ApplicationDeactivated();
            return;
        case WM_WINDOWPOSCHANGED:
            return OwnerWindowMoved(message.hwnd);
        case WM_NCACTIVATE:
            if (!message.wParam && KeepsActiveCaption(message.hwnd)) SwallowMessage(message.hwnd);
            return;
        default:
            return;
    }
}

// ---- mouse hook ----------------------------------------------------------------------------

bool BelongsToControl(TWinControl* control, HWND window) {
    return HasWindow(control, window) || IsChildOfControl(control, window);
}

// A click elsewhere in the frame window of the popup's MDI child form: on the client area, the
// frame or another child.
bool IsElsewhereInMDIFrame(TcxCustomPopupWindow* popup, HWND window) {
    TCustomForm* form = OwnerFormOf(popup);
    if (!form || form->FormStyle() != fsMDIChild || !form->HandleAllocated()) return false;
    HWND client = GetParent(form->WindowHandle());
    HWND frame = client ? GetParent(client) : nullptr;
    return window == client || window == frame || (frame && IsChild(frame, window));
}

// Restores a flag whatever happens.
class TClosingScope {
public:
    explicit TClosingScope(TcxCustomPopupWindow* popup) : popup_(popup) {
        PopupActivity().closingInProgress = true;
        popup_->LockDeactivate();
    }
    ~TClosingScope() {
        popup_->UnlockDeactivate();
        PopupActivity().closingInProgress = false;
    }
    TClosingScope(const TClosingScope&) = delete;
    TClosingScope& operator=(const TClosingScope&) = delete;

private:
    TcxCustomPopupWindow* popup_;
};

}  // namespace

bool ProcessPopupClick(HWND window, UINT message, TPoint point) {
    bool passes = true;
    for (bool closed = true; closed;) {
        closed = false;
        for (TcxCustomPopupWindow* popup : ShownPopupsNow()) {
            if (!popup->IsShown()) continue;
            if ((popup->CaptureFocus() && !popup->Active()) || IsRelatedWindow(popup, window, true)) continue;
            TWinControl* owner = popup->OwnerControl();
            TCustomForm* form = OwnerFormOf(popup);
            auto* formPopup = dynamic_cast<TcxCustomPopupWindow*>(form);
            const TShiftState shift = CurrentShiftState();
            if (IsInsideOwnerForm(owner, window) || (formPopup && !formPopup->IsShown())) {
                bool onOwner = false, asked = false;
                if (BelongsToControl(owner, window) && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
                    IsPointInRect(popup->OwnerScreenBounds(), point.x, point.y)) {
                    // A click on the owner that the popup claims toggles it: the owner must
                    // not open it again.
                    onOwner = true;
                    asked = true;
                    if (popup->IgnoresMouseMessage(window, message, point, shift)) {
                        popup->closedByOwnerClick_ = true;
                        passes = false;
                    }
                }
                {
                    TClosingScope closing(popup);
                    if (passes && !asked) passes = !popup->IgnoresMouseMessage(window, message, point, shift);
                    popup->ClosePopup();
                }
                closed = true;
                if (onOwner && (IsBeingDestroyed(owner) || !owner->Visible())) passes = false;
                break;
            }
            if (IsElsewhereInMDIFrame(popup, window)) {
                passes = passes && !popup->IgnoresMouseMessage(window, message, point, shift);
                popup->ClosePopup();
                closed = true;
                break;
            }
        }
    }
    return passes;
}

LRESULT CALLBACK PopupCallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) CallbackBarrier([&] { HandleSentMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam)); });
    return CallNextHookEx(callWndProcHook, code, wParam, lParam);
}

// ---- get-message hook ----------------------------------------------------------------------

LRESULT CALLBACK PopupGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE)
        CallbackBarrier([&] {
            auto* message = reinterpret_cast<MSG*>(lParam);
            if (message->message != WM_SYSKEYDOWN || ShownPopupCount() == 0) return;
            // Alt+key would reach the menu of the form behind a popup.
            TcxCustomPopupWindow* last = ShownPopup(ShownPopupCount() - 1);
            if ((!last->CaptureFocus() || !last->ModalMode()) && !last->HandlesNavigationKey(Word(message->wParam)))
                message->message = WM_NULL;
        });
    return CallNextHookEx(getMessageHook, code, wParam, lParam);
}

// ---- mouse hook ----------------------------------------------------------------------------

LRESULT CALLBACK PopupMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const bool discard = CallbackBarrier(false, [&] {
        if (code < 0 || ShownPopupCount() == 0 || !IsMouseButtonDownMessage(UINT(wParam))) return false;
        const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        return !ProcessPopupClick(mouse->hwnd, UINT(wParam), TPoint{mouse->pt.x, mouse->pt.y});
    });
    if (discard) return 1;
    return CallNextHookEx(mouseHook, code, wParam, lParam);
}

// ---- unit ----------------------------------------------------------------------------------

void InstallPopupHooks() {
    Assert(mouseHook == nullptr, kAssertionFailure);
    InstallThreadHook(callWndProcHook, WH_CALLWNDPROC, &PopupCallWndProcHook);
    InstallThreadHook(getMessageHook, WH_GETMESSAGE, &PopupGetMessageHook);
    InstallThreadHook(mouseHook, WH_MOUSE, &PopupMouseHook);
}

void RemovePopupHooks() {
    RemoveThreadHook(mouseHook);
    RemoveThreadHook(getMessageHook);
    RemoveThreadHook(callWndProcHook);
}

void InitializecxPopupHooks() {
    // The style controller's designer grouping has no meaning at run time.
    InstallPopupHooks();
}

void FinalizecxPopupHooks() { RemovePopupHooks(); }
