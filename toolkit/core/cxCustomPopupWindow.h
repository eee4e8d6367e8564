#pragma once
// TcxCustomPopupWindow: the toolkit's drop-down window. A popup form that belongs to an owner
// control, draws a container frame and background, and closes by itself when the user clicks
// elsewhere, switches to another application, hides or closes the owner. Every shown popup is
// in one process-wide list, in the order shown, which the popup hooks (cxPopupHooks.h) watch.
//
// A popup that captures the focus is a real popup window owned by the owner's form and takes
// the focus; in modal mode ShowPopup runs a message loop until it is closed. A popup that does
// not capture the focus is a child-styled tool window that never takes it.
//
// Sections: TcxCustomPopupWindow · shown-popup list and activation lock.

#include <vector>

#include "cxContainerStyles.h"
#include "cxContainerViewInfo.h"
#include "cxPopupWindow.h"
#include "cxWindowHelpers.h"

class TcxCustomPopupWindow;

using TcxPopupShownEvent = TEvent<void(TObject* sender, int parameter)>;
// Class references of the popup's parts: functions that make one of the chosen class.
using TcxContainerViewInfoClass = TcxContainerViewInfo* (*)();
template <class T>
TcxContainerViewInfo* MakeContainerViewInfo() {
    return new T();
}

// ---- TcxCustomPopupWindow ------------------------------------------------------------------

class TcxCustomPopupWindow : public TcxPopupWindow {
    Z_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ACTIVATEAPP, WMActivateApp), Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
                  Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                  Z_MESSAGE(CM_CLOSEPOPUPFOCUSOWNER, CMClosePopupFocusOwner),
                  Z_MESSAGE(CM_SHOWPOPUPAGAIN, CMShowPopupAgain))
public:
    // The owner control also owns the popup as a component.
    explicit TcxCustomPopupWindow(TWinControl* ownerControl);
    ~TcxCustomPopupWindow() override;

    // Places, shows and focuses the popup beside its owner (focusedControl, when it can take the
    // focus, or the first tab stop of the popup). Nothing when already shown or the owner shows
    // no window. In modal mode a focus-capturing popup returns only once it is closed.
    virtual void ShowPopup(TWinControl* focusedControl);
    // Hides a shown popup and takes it out of the list; nothing for a popup not shown.
    void ClosePopup() override;
    // Closes the shown popups that have lost the activation, from the last one shown.
    void CloseOnDeactivate();
    // Returns the closed-by-owner-click flag and clears it: an owner uses it to tell a click that
    // closed its popup from one that should open it.
    bool ConsumeClosedByOwnerClick();
    bool IsShown() const;

    TWinControl* OwnerControl() const { return ownerControl_; }
    bool CaptureFocus() const { return captureFocus_; }
    void SetCaptureFocus(bool value) { captureFocus_ = value; }
    bool ModalMode() const { return modalMode_; }
    void SetModalMode(bool value) { modalMode_ = value; }
    bool TopMost() const { return topMost_; }
    void SetTopMost(bool value) { topMost_ = value; }
    TcxContainerStyle* Style();
    TcxContainerViewInfo* ViewInfo();
    // While locked, losing the activation closes nothing.
    void LockDeactivate() { ++deactivateLockCount_; }
    void UnlockDeactivate() { --deactivateLockCount_; }
    bool IsDeactivateLocked() const { return deactivateLockCount_ != 0; }

    // Whether a click on window at the screen point should neither close the popup nor reach its
    // target (an owner's drop-down button that toggles the popup itself).
    virtual bool IgnoresMouseMessage(HWND window, UINT message, TPoint point, TShiftState shift);
    // Keys the popup handles itself even with Alt down: page, arrow, home and end keys, and F4.
    virtual bool HandlesNavigationKey(Word key) const;

    TRect OwnerScreenBounds() const override;
    bool Focused() const override;
    bool CanFocus() const override { return Visible(); }
    bool IsShortCut(TMessage& Message) override;
    bool SetFocusedControl(TWinControl* control) override;

    TNotifyEvent OnClosed, OnClosing, OnShowing;
    TcxPopupShownEvent OnShown;

protected:
    virtual bool AdjustsToWorkArea() const { return false; }
    virtual void DoClosed() {
        if (OnClosed) OnClosed(this);
    }
    virtual void DoClosing() {
        if (OnClosing) OnClosing(this);
    }
    virtual void DoShown() {
        if (OnShown) OnShown(this, 0);
    }
    virtual void DoShowing() {
        if (OnShowing) OnShowing(this);
    }
    virtual bool ErasesBackground() const { return false; }
    virtual void ModalClose() { ClosePopup(); }
    virtual void ContainerStyleChanged() {}
    // Keeps the popup inside the work area at the point, shrinking it (when AdjustsToWorkArea).
    virtual void FitIntoWorkArea(TPoint& position);
    virtual TcxContainerStyleClass ContainerStyleClass() const { return &MakeContainerStyle<TcxContainerStyle>; }
    virtual TcxContainerViewInfoClass ViewInfoClass() const { return &MakeContainerViewInfo<TcxContainerViewInfo>; }
    // The mouse entered or left the popup or one of its controls.
    virtual void MouseEnterControl(TControl*) {}
    virtual void MouseLeaveControl(TControl*) {}

    void InitPopup() override {}
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CreateHandle() override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void Deactivate() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void VisibilityChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* OwnerForm() const;
    void ContainerStyleChangeHandler(TObject*) { ContainerStyleChanged(); }
    void RunModalLoop();
    void WMActivateApp(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMClosePopupFocusOwner(TMessage& Message);
    void CMShowPopupAgain(TMessage& Message);

    bool captureFocus_ = true;
    int deactivateLockCount_ = 0;
    bool deactivation_ = false;
    TWinControl* focusedControl_ = nullptr;  // as given to the last ShowPopup
    bool topMost_ = false;
    bool closedByOwnerClick_ = false;
    bool modalMode_ = true;
    TWinControl* ownerControl_;
    TcxContainerStyle* style_ = nullptr;  // made on first use, so that a derived class chooses
    TcxContainerViewInfo* viewInfo_ = nullptr;
    friend bool ProcessPopupClick(HWND window, UINT message, TPoint point);
};

// ---- shown-popup list and activation lock ---------------------------------------------------

int ShownPopupCount();
TcxCustomPopupWindow* ShownPopup(int index);
bool IsActivePopup(TCustomForm* form);
// Adding a popup already in the list, or removing one that is not, fails an assertion.
void AddShownPopup(TcxCustomPopupWindow* popup);
void RemoveShownPopup(TcxCustomPopupWindow* popup);

// While locked, CM_ACTIVATE and CM_DEACTIVATE sent to any window are swallowed.
void ChangeActivationLock(bool lock);
bool IsActivationLocked();
// Never set in this program: a modal activation does not keep the popups.
inline bool IsPopupKeptOnModalActivation() { return false; }

// What the popups and the hooks share while a popup is shown or closed.
struct TcxPopupActivity {
    bool closingInProgress = false;  // the mouse hook is closing popups
    bool showingPopup = false;       // ShowPopup or ClosePopup is under way
    bool showInProgress = false;
    TcxCustomPopupWindow* lastPopup = nullptr;  // the last one shown or closed
};
TcxPopupActivity& PopupActivity();
