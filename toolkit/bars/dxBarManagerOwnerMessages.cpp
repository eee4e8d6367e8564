// The manager's part of the message hooks: shortcuts and accelerators run through its bars and
// popup menus, and the reactions to its owner window's messages (activation, system colours and
// settings, cancel mode, context help).

#include "Application.h"
#include "Form.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxBarPopupMenu.h"
#include "dxBarUnit.h"

// Sections: popup menus · shortcuts · owner messages · activation · context help.

// ---- Popup menus ---------------------------------------------------------------------------

void TdxBarManager::AddPopupMenu(TdxBarPopupMenu* menu) {
    if (popupMenus_ && menu && popupMenus_->IndexOf(menu) < 0) popupMenus_->Add(menu);
}

void TdxBarManager::RemovePopupMenu(TdxBarPopupMenu* menu) {
    // While the manager goes, the list frees its menus itself.
    if (popupMenus_ && !IsDestroying()) popupMenus_->Remove(menu);
}

int TdxBarManager::PopupMenuCount() const { return popupMenus_ ? popupMenus_->Count() : 0; }

TdxBarPopupMenu* TdxBarManager::GetPopupMenu(int index) const {
    return index >= 0 && index < PopupMenuCount() ? static_cast<TdxBarPopupMenu*>(popupMenus_->Items(index))
                                                  : nullptr;
}

// ---- Shortcuts -----------------------------------------------------------------------------

bool TdxBarManager::ExecuteShortCut(TShortCut shortCut, TdxBarManager* searchStarter) {
    (void)searchStarter;
    // Hook (toolbars): the main menu bar's links first, then every other bar that is visible
    // with a showing window, or waits in the search starter's bar-restoring list.
    for (int i = 0; i < PopupMenuCount(); ++i)
        if (GetPopupMenu(i)->ItemLinks()->ExecuteShortCut(shortCut)) return true;
    return false;
}

TdxBarItemLink* TdxBarManager::FindLinkByAccel(Word key, TShiftState shift) {
    (void)key;
    (void)shift;
    // Hook (toolbars): the main menu bar's links first, then every other visible bar's links.
    return nullptr;
}

// ---- Owner messages ------------------------------------------------------------------------

void TdxBarManager::HandleOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)window;
    if (IsDestroying() || ComponentState().Contains(csDestroying) ||
        (Owner() && Owner()->ComponentState().Contains(csDestroying))) {
        // The layout is saved when the owner frees the manager (SaveLayoutOnOwnerDestroy): the
        // owner's components go before its window does.
        return;
    }
    if (!bars_) return;
    switch (message) {
        case WM_ACTIVATE:
            OwnerActivated(LOWORD(wParam), HIWORD(wParam) != 0, HWND(lParam));
            break;
        case WM_SYSCOLORCHANGE:
            ReadScreenColorDepth();
            CreateCheckerBrush();
            SysColorsChanged();
            // Hook (menu shadows): the shadows of floating bar windows are refreshed.
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) UpdateSystemFont();
            if (wParam == SPI_SETWORKAREA) KeepFloatingBarsInWorkArea();
            break;
        case WM_ACTIVATEAPP:
            AppActivated(wParam != 0);
            break;
        case WM_CHILDACTIVATE:
            SetMainFormActive(true);
            break;
        case WM_WINDOWPOSCHANGING:
            if (lParam && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW))
                SetMainFormActive(false, true);
            break;
        case WM_WINDOWPOSCHANGED:
            // Hook (Customize dialog, quick customization): while customizing, the dialog follows
            // the window and the quick-customization popup shows or hides with it.
            if (lParam && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
                TCustomForm* form = GetBarManagerFormOfKind(this, dxBarFormMDIChildOrOutermost);
                if (!form || form->FormStyle() != fsMDIChild) SetFloatingBarsShown(true, true, nullptr);
            }
            break;
        case WM_SYSCOMMAND:
            if (IsBarManagerDesigning() && (wParam & 0xFFF0) == SC_CLOSE) {
                IdxBarHookedMenuChain* chain = HookedMenuChain();
                if (chain && chain->ChainManager() == this) chain->CloseChain();
            }
            // Hook (floating bars): SC_MINIMIZE and SC_CLOSE hide the visible floating bar
            // windows, SC_MAXIMIZE and SC_RESTORE show them without activating them.
            break;
        case WM_MDIACTIVATE:
            // Hook (MDI): the floating bars show when this window is the activated child.
            break;
        case WM_CREATE:
            // Hook (docks): the waiting bars are shown once the dock controls have windows.
            break;
        case WM_CANCELMODE:
            OwnerCancelMode();
            break;
        case WM_HELP:
            if (lParam) ContextHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            break;
        case WM_DISPLAYCHANGE:
            KeepFloatingBarsInWorkArea();
            break;
        default:
            break;
    }
}

void TdxBarManager::OwnerCancelMode() {
    // Hook (key tips): key-tip waiting ends without showing.
    if (!modalActivating_) return;
    // Hook (bar windows): only a popup-like active bar window closes its chain.
    IdxBarHookedMenuChain* chain = HookedMenuChain();
    if (chain && chain->ChainManager() == this) chain->CloseChain();
}

// ---- Activation ----------------------------------------------------------------------------

void TdxBarManager::SetMainFormActive(bool show, bool immediate, HWND window) {
    if (!immediate && show == mainFormActive_) return;
    mainFormActive_ = show;
    SetFloatingBarsShown(show, immediate, window);
}

void TdxBarManager::SetFloatingBarsShown(bool show, bool immediate, HWND window) {
    if (floatingBarsChanging_) return;
    floatingBarsChanging_ = true;
    try {
        // Hook (floating bars): without HideFloatingBarsWhenInactive or Immediate, every shown
        // floating bar window recalculates its frame (active or inactive caption).
        if (show) {
            // Hook (floating bars): shown without activation while the owner shows.
        } else {
            TCustomForm* mainForm = GetBarManagerFormOfKind(this, dxBarFormOutermost);
            const bool childOfMainForm =
                window && mainForm && mainForm->HandleAllocated() && GetParent(window) == mainForm->Handle();
            if (!childOfMainForm) {
                IdxBarHookedMenuChain* chain = HookedMenuChain();
                // A menu that the newly active window belongs to stays open.
                if (chain && !(window && (window == chain->ChainWindow() || chain->IsInsideChain(window))))
                    chain->CloseChain();
                // Hook (keyboard navigation): keyboard handling stops.
                // Hook (quick customization, floating bars): the quick-customization popup
                // closes; unless the newly active window is a window of this process that is not
                // a form, the floating bars whose controls allow it hide and the form gets
                // WM_NCACTIVATE False.
            }
        }
    } catch (...) {
        floatingBarsChanging_ = false;
        throw;
    }
    floatingBarsChanging_ = false;
}

void TdxBarManager::OwnerActivated(Word state, bool minimized, HWND otherWindow) {
    (void)minimized;
    TCustomForm* form = GetBarManagerFormOfKind(this, dxBarFormMDIChildOrOutermost);
    if (form && form->FormStyle() == fsMDIChild) {
        TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
        if (!mainForm || mainForm->ActiveMDIChild() != form) return;
    }
    if (formActivating_) return;
    formActivating_ = true;
    try {
        // Hook (bar windows): a deactivation in favour of a bar window of a manager of the same
        // main form is ignored.
        IdxBarHookedMenuChain* chain = HookedMenuChain();
        TdxBarItemControl* selected = chain ? chain->SelectedControl() : nullptr;
        // Hook (item controls): a drop-down of the selected control being activated is also
        // "inside" (the control's windows).
        const bool toOwnDropDown = selected && otherWindow && chain->IsInsideChain(otherWindow);
        if (!toOwnDropDown) {
            TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
            const HWND mainWindow = mainForm && mainForm->HandleAllocated() ? mainForm->Handle() : nullptr;
            const bool show = state != WA_INACTIVE || (otherWindow && otherWindow == mainWindow) ||
                              (mainFormActive_ && mainWindow && !IsWindowEnabled(mainWindow) &&
                               !IsBarManagerDesigning());
            SetMainFormActive(show, false, otherWindow);
        }
        // Hook (Customize dialog): on activation while customizing with the main form disabled,
        // the dialog hears of it. Hook (bar windows): on deactivation the bar window under mouse
        // tracking gets its mouse-leave handling.
    } catch (...) {
        formActivating_ = false;
        throw;
    }
    formActivating_ = false;
}

void TdxBarManager::AppActivated(bool active) {
    if (modalActivating_) return;
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    const bool mainFormDisabled = mainForm && mainForm->HandleAllocated() && !IsWindowEnabled(mainForm->Handle());
    if (!active) {
        if (mainFormActive_ && mainFormDisabled) wasActive_ = true;
        SetMainFormActive(false);
        IdxBarHookedMenuChain* chain = HookedMenuChain();
        if (chain && chain->ChainManager() == this) chain->CloseChain();
        // Hook (bar windows): the selected control's bar window gets WM_MOUSELEAVE.
    } else if (wasActive_) {
        SetMainFormActive(true);
        wasActive_ = false;
    }
}

// ---- Context help --------------------------------------------------------------------------

void TdxBarManager::ContextHelp(const HELPINFO& info) {
    if (IsBarManagerDesigning() || info.iContextType != HELPINFO_WINDOW || !Application) return;
    IdxBarHookedMenuChain* active = HookedMenuChain();
    IdxBarHookedMenuChain* place = nullptr;  // the bar window of the control found
    TdxBarItemControl* control = nullptr;
    if (active) {
        IdxBarHookedMenuChain* top = active;
        for (IdxBarHookedMenuChain* c = active; c && !control; c = c->ChainParent()) {
            top = c;
            TdxBarItemControl* selected = c->SelectedControl();
            if (selected && selected->Item() && selected->Item()->HelpContext() != 0) {
                control = selected;
                place = c;
            }
        }
        if (!control) {
            const THelpContext context = top->ChainHelpContext();
            active->CloseChain();
            if (context != 0) Application->HelpContext(context);
            return;
        }
    } else if (IdxBarHookedMenuChain* window = HookedBarWindowAt(HWND(info.hItemHandle))) {
        control = window->ControlAtScreenPoint(info.MousePos);
        place = window;
    }
    if (!control || !control->Item()) return;
    // Read before the menus close: closing frees the controls of the menus.
    const THelpContext context = control->Item()->HelpContext();
    const TRect bounds = control->ViewInfo()->GetBounds();
    POINT position{(bounds.left + bounds.right) / 2, bounds.bottom};
    if (HWND window = place->ChainWindow()) ClientToScreen(window, &position);
    if (active) active->CloseChain();
    if (context == 0) return;
    TCustomForm* form = GetBarManagerFormOfKind(this, dxBarFormFirst);
    if (form && form->BorderIcons().Contains(biHelp)) {
        Application->HelpCommand(HELP_SETPOPUP_POS, NativeInt(MAKELONG(Word(position.x), Word(position.y))));
        Application->HelpCommand(HELP_CONTEXTPOPUP, context);
    } else {
        Application->HelpContext(context);
    }
}
