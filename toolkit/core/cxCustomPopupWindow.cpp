// Sections: shown-popup list · construction · showing · closing · window · focus and keys ·
// messages.

#include "cxCustomPopupWindow.h"

#include <algorithm>
#include <utility>

#include "Application.h"
#include "cxClasses.h"
#include "cxMessageWindow.h"
#include "cxPopupWindowRelations.h"

// ---- shown-popup list ----------------------------------------------------------------------

namespace {

std::vector<TcxCustomPopupWindow*>& ShownPopupList() {
    static std::vector<TcxCustomPopupWindow*> list;
    return list;
}

int activationLockCount = 0;

bool IsShownPopup(const TcxCustomPopupWindow* popup) {
    const auto& list = ShownPopupList();
    return std::find(list.begin(), list.end(), popup) != list.end();
}

// Restores a flag whatever happens.
class TFlagScope {
public:
    TFlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~TFlagScope() { flag_ = saved_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

}  // namespace

TcxPopupActivity& PopupActivity() {
    static TcxPopupActivity activity;
    return activity;
}

int ShownPopupCount() { return int(ShownPopupList().size()); }
TcxCustomPopupWindow* ShownPopup(int index) { return ShownPopupList().at(size_t(index)); }

bool IsActivePopup(TCustomForm* form) {
    auto* popup = dynamic_cast<TcxCustomPopupWindow*>(form);
    return popup && IsShownPopup(popup);
}

void AddShownPopup(TcxCustomPopupWindow* popup) {
    Assert(popup && !IsShownPopup(popup), kAssertionFailure);
    ShownPopupList().push_back(popup);
}

void RemoveShownPopup(TcxCustomPopupWindow* popup) {
    Assert(popup && IsShownPopup(popup), kAssertionFailure);
    auto& list = ShownPopupList();
    list.erase(std::find(list.begin(), list.end(), popup));
}

void ChangeActivationLock(bool lock) { activationLockCount += lock ? 1 : -1; }
bool IsActivationLocked() { return activationLockCount != 0; }

// ---- construction --------------------------------------------------------------------------

TcxCustomPopupWindow::TcxCustomPopupWindow(TWinControl* ownerControl)
    : TcxPopupWindow(ownerControl), ownerControl_(ownerControl) {
    SetFormStyle(fsNormal);
    SetVisible(false);
    SetKeyPreview(true);
    if (ownerControl_) ownerControl_->FreeNotification(this);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
    ResetObjectLinks(this);
    SetPopupMode(pmNone);
    if (IsShown()) RemoveShownPopup(this);
    if (PopupActivity().lastPopup == this) PopupActivity().lastPopup = nullptr;
    delete viewInfo_;
    if (style_) {
        style_->OnChanged = {};
        delete style_;
    }
}

TcxContainerStyle* TcxCustomPopupWindow::Style() {
    if (!style_) {
        style_ = ContainerStyleClass()(this, false, nullptr, cxContainerStateNormal);
        style_->OnChanged = MakeEvent(this, &TcxCustomPopupWindow::ContainerStyleChangeHandler);
    }
    return style_;
}

TcxContainerViewInfo* TcxCustomPopupWindow::ViewInfo() {
    if (!viewInfo_) viewInfo_ = ViewInfoClass()();
    return viewInfo_;
}

void TcxCustomPopupWindow::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == ownerControl_) ownerControl_ = nullptr;
    if (component == focusedControl_) focusedControl_ = nullptr;
}

TCustomForm* TcxCustomPopupWindow::OwnerForm() const {
    return ownerControl_ ? ::GetParentForm(ownerControl_) : nullptr;
}

bool TcxCustomPopupWindow::IsShown() const { return IsShownPopup(this); }

bool TcxCustomPopupWindow::ConsumeClosedByOwnerClick() { return std::exchange(closedByOwnerClick_, false); }

bool TcxCustomPopupWindow::IgnoresMouseMessage(HWND, UINT, TPoint, TShiftState) { return false; }

bool TcxCustomPopupWindow::HandlesNavigationKey(Word key) const {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_F4;
}

// ---- showing -------------------------------------------------------------------------------

void TcxCustomPopupWindow::ShowPopup(TWinControl* focusedControl) {
    if (IsShown() || !ownerControl_ || !IsControlShowing(ownerControl_)) return;
    InitPopup();
    CalculateSize();
    TPoint position{};
    CalculatePosition(position);
    FitIntoWorkArea(position);
    {
        TcxPopupActivity& activity = PopupActivity();
        TFlagScope showing(activity.showingPopup, true), inProgress(activity.showInProgress, true);
        activity.lastPopup = this;
        AddShownPopup(this);
        DoShowing();
        SetBounds(position.x, position.y, Width(), Height());
        Show();
        // Showing may have resized the window to the form's own idea of its size.
        SetBounds(position.x, position.y, Width(), Height());
    }

    focusedControl_ = focusedControl;
    TWinControl* target = focusedControl;
    if (captureFocus_) {
        if (!(target && target->CanFocus() && target->TabStop())) target = FindNextControl(nullptr, true, true, false);
        if (!target) target = this;
    }
    (target ? target : this)->SetFocus();

    TCustomForm* form = OwnerForm();
    const bool topMost =
        !form || !captureFocus_ ||
        (form->HandleAllocated() && (GetWindowLongW(form->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    SetWindowPos(Handle(), topMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetModalResult(mrNone);
    DoShown();
    if (captureFocus_ && modalMode_) RunModalLoop();
}

void TcxCustomPopupWindow::RunModalLoop() {
    TcxObjectLink* link = CreateObjectLink(this);
    try {
        while (link->Ref && Visible() && !Application->Terminated()) {
            // Alt, Alt+Enter and Alt+Space left over from the key that opened the popup.
            MSG message;
            if (PeekMessageW(&message, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
                (message.wParam == VK_RETURN || message.wParam == VK_MENU || message.wParam == VK_SPACE))
                PeekMessageW(&message, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
            if (ModalResult() != mrNone) {
                if (CloseQuery()) {
                    ModalClose();
                    // Closed: ask the loop's condition again instead of waiting for a message
                    // that may never come.
                    continue;
                }
                SetModalResult(mrNone);
            }
            Application->HandleMessage();
        }
    } catch (...) {
        DestroyObjectLink(link);
        throw;
    }
    DestroyObjectLink(link);
}

void TcxCustomPopupWindow::FitIntoWorkArea(TPoint& position) {
    if (!AdjustsToWorkArea()) return;
    const TRect area = WorkAreaAtPoint(position);
    int width = Width(), height = Height();
    const int originalHeight = height;
    if (position.x < area.left) {
        width -= area.left - position.x;
        position.x = area.left;
    }
    if (position.y < area.top) {
        height -= area.top - position.y;
        position.y = area.top;
    }
    height = std::min(height, int(area.bottom - position.y));
    width = std::min(width, int(area.right - position.x));
    SetBounds(Left(), Top(), width, height);
    if (height < originalHeight && position.y == area.top) position.y += originalHeight - height;
}

// ---- closing -------------------------------------------------------------------------------

void TcxCustomPopupWindow::ClosePopup() {
    if (!IsShown()) return;
    {
        TcxPopupActivity& activity = PopupActivity();
        ChangeActivationLock(true);
        TFlagScope showing(activity.showingPopup, true);
        try {
            activity.lastPopup = this;
            RemoveShownPopup(this);
            DoClosing();
            if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
            Hide();
            DoClosed();
            HWND capture = GetCapture();
            if (HandleAllocated() && capture && (capture == WindowHandle() || IsChild(WindowHandle(), capture)))
                ReleaseCapture();
        } catch (...) {
            ChangeActivationLock(false);
            throw;
        }
        ChangeActivationLock(false);
    }
    if (ShownPopupCount() > 0) return;
    // The owner's form kept its active caption while the popup was up.
    TCustomForm* form = OwnerForm();
    if (form && form->HandleAllocated() && form->FormStyle() != fsMDIForm && !form->Active())
        SendMessageW(form->WindowHandle(), WM_NCACTIVATE, FALSE, 0);
}

void TcxCustomPopupWindow::CloseOnDeactivate() {
    deactivation_ = false;
    if (IsDeactivateLocked()) return;
    if (ShownPopupCount() > 0) {
        const HWND active = GetActiveWindow();
        const std::vector<TcxCustomPopupWindow*> shown = ShownPopupList();
        for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
            TcxCustomPopupWindow* popup = *it;
            if (!IsShownPopup(popup)) continue;
            if (popup->HandleAllocated() && popup->WindowHandle() == active) break;
            if (popup->HandleAllocated() && IsWindowEnabled(popup->WindowHandle()) && !popup->IsDeactivateLocked())
                popup->ClosePopup();
        }
    }
    if (ShownPopupCount() > 0) ClosePopup();
}

void TcxCustomPopupWindow::Deactivate() {
    // The form's event, not the base popup's closing: the shown list decides what closes.
    TCustomForm::Deactivate();
    deactivation_ = true;
    CloseOnDeactivate();
}

void TcxCustomPopupWindow::VisibilityChanged() {
    if (!HandleAllocated() || IsWindowVisible(WindowHandle())) return;
    // Hidden by other means than ClosePopup (Close, Visible): it is no longer shown either.
    if (IsShown()) ClosePopup();
    if (!captureFocus_ || !ownerControl_) return;
    TCustomForm* form = OwnerForm();
    const HWND focus = GetFocus();
    const bool focusInForm = form && form->HandleAllocated() && focus &&
                             (focus == form->WindowHandle() || IsChild(form->WindowHandle(), focus));
    if (focusInForm && !form->ComponentState().Contains(csDesigning) && ownerControl_->CanFocus())
        ownerControl_->SetFocus();
}

// ---- window --------------------------------------------------------------------------------

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
    inherited::CreateParams(Params);
    TCustomForm* form = OwnerForm();
    if (captureFocus_) {
        if (form) Params.WndParent = form->Handle();
        Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
        if (topMost_ && (!form || (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
            Params.ExStyle |= WS_EX_TOPMOST;
    } else {
        Params.Style = WS_CHILD;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        // A child window needs a parent while it is made; CreateWnd lets go of it afterwards.
        if (!Parent())
            if (TcxMessageWindow* utility = GetMessageWindow()) Params.WndParent = utility->Handle();
    }
    Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
    SetPopupParent(captureFocus_ ? OwnerForm() : nullptr);
    inherited::CreateWnd();
    if (!captureFocus_) ::SetParent(WindowHandle(), nullptr);
}

void TcxCustomPopupWindow::CreateHandle() {
    // The hooks must take the new window for a popup's while it is being made.
    const bool listed = !IsShown();
    if (listed) AddShownPopup(this);
    try {
        inherited::CreateHandle();
    } catch (...) {
        if (listed) RemoveShownPopup(this);
        throw;
    }
    if (listed) RemoveShownPopup(this);
}

void TcxCustomPopupWindow::AdjustClientRect(TRect& rect) { rect = ViewInfo()->ClientRect; }

void TcxCustomPopupWindow::Paint() { ViewInfo()->PaintOn(cxCanvas()); }

// ---- focus and keys ------------------------------------------------------------------------

TRect TcxCustomPopupWindow::OwnerScreenBounds() const {
    // A top-level owner's bounds are screen coordinates already.
    if (ownerControl_ && ownerControl_->HandleAllocated() && HasChildStyle(ownerControl_->WindowHandle()))
        return inherited::OwnerScreenBounds();
    return OwnerBounds();
}

bool TcxCustomPopupWindow::Focused() const {
    if (!IsShown() || !captureFocus_ || !HandleAllocated()) return false;
    const HWND focus = GetFocus();
    return focus == WindowHandle() || IsRelatedWindow(const_cast<TcxCustomPopupWindow*>(this), focus, true);
}

bool TcxCustomPopupWindow::SetFocusedControl(TWinControl* control) {
    ChangeActivationLock(true);
    try {
        const bool result = inherited::SetFocusedControl(control);
        ChangeActivationLock(false);
        return result;
    } catch (...) {
        ChangeActivationLock(false);
        throw;
    }
}

bool TcxCustomPopupWindow::IsShortCut(TMessage& Message) {
    if (inherited::IsShortCut(Message)) return true;
    TCustomForm* form = OwnerForm();
    return form && form->IsShortCut(Message);
}

void TcxCustomPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE && IsShown() && HandleAllocated()) {
        const HWND capture = GetCapture();
        if (capture && (capture == WindowHandle() || IsChild(WindowHandle(), capture))) {
            ReleaseCapture();
            Key = 0;
            return;
        }
    }
    inherited::KeyDown(Key, Shift);
}

// ---- messages ------------------------------------------------------------------------------

void TcxCustomPopupWindow::WMActivateApp(TMessage& Message) { Message.Result = 0; }

void TcxCustomPopupWindow::WMEraseBkgnd(TMessage& Message) {
    if (ErasesBackground())
        Inherited<TcxPopupWindow>(Message);
    else
        Message.Result = 1;
}

void TcxCustomPopupWindow::CMMouseEnter(TMessage& Message) {
    Inherited<TcxPopupWindow>(Message);
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    MouseEnterControl(control ? control : this);
}

void TcxCustomPopupWindow::CMMouseLeave(TMessage& Message) {
    Inherited<TcxPopupWindow>(Message);
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    MouseLeaveControl(control ? control : this);
}

void TcxCustomPopupWindow::CMClosePopupFocusOwner(TMessage&) {
    LockDeactivate();
    try {
        ClosePopup();
    } catch (...) {
        UnlockDeactivate();
        throw;
    }
    UnlockDeactivate();
    if (ownerControl_ && ownerControl_->HandleAllocated())
        SendMessageW(ownerControl_->WindowHandle(), WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::CMShowPopupAgain(TMessage&) { ShowPopup(focusedControl_); }
