#include "dxBarMessageHooks.h"

#include "dxBarDesignController.h"

#include <vector>

#include "Application.h"
#include "CallbackBarrier.h"
#include "Form.h"
#include "cxClasses.h"
#include "dxBarAccessibility.h"
#include "dxBarItem.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"
#include "dxBarPopupMenuLink.h"
#include "dxBarWindowHelpers.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarUnit.h"
#include "dxCustomBarControl.h"

// Sections: state · registration · keyboard · mouse · owner-window messages · lookups.

namespace {

HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;
HHOOK callWndProcHook = nullptr;

// A key whose key-down the library handled: its key-up is eaten too.
bool keyConsumed = false;
Word consumedKey = 0;
// Alt (or F10) went down alone and may select the menu when released.
bool altPressed = false;
bool captionButtonPressed = false;
bool editorKeyCall = false;
// Closing menus from the mouse hook sends messages that come back through it.
bool closingMenus = false;
// Looking up a manager can cause messages that must not be handled again.
bool lookingUpManager = false;
bool appActive = true;
bool anotherProcessActivated = false;

IdxBarHookedMenuChain* hookedChain = nullptr;
TdxBarHookedWindowLookup hookedWindowLookup = nullptr;

// Sets a flag for the length of a scope, also when the scope is left by an exception.
class THookFlagScope {
public:
    explicit THookFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~THookFlagScope() { flag_ = false; }
    THookFlagScope(const THookFlagScope&) = delete;
    THookFlagScope& operator=(const THookFlagScope&) = delete;

private:
    bool& flag_;
};

bool IsChildWindowStyle(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

// From the window up through its parents while they are child windows, the first manager.
TdxBarManager* FindManagerUpFrom(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        if (TdxBarManager* manager = FindBarManagerByWindow(w)) return manager;
        if (!IsChildWindowStyle(w)) break;
    }
    return nullptr;
}

// The active bar window when it has a window that takes input.
IdxBarHookedMenuChain* UsableChain() {
    IdxBarHookedMenuChain* chain = hookedChain;
    if (!chain) return nullptr;
    HWND window = chain->ChainWindow();
    if (!window || !IsWindow(window)) return nullptr;
    for (HWND w = window; w; w = GetParent(w))
        if (!IsWindowEnabled(w)) return nullptr;
    return chain;
}

void EndKeyTipWaiting() {
    altPressed = false;
    if (TdxBarNavigationController* navigation = GetNavigationController()) navigation->EndKeyTipDelay(false);
}

// The navigation controller stops its key-tip handling (waiting and shown key tips).
void EndKeyTipHandling() {
    TdxBarNavigationController* navigation = GetNavigationController();
    if (!navigation || !(navigation->IsKeyTipDelayRunning() || navigation->AreKeyTipsShown())) return;
    navigation->EndKeyTipDelay(false);
    navigation->SetKeyTipContainer(nullptr, L"");
}

// The root of keyboard navigation for the manager: the window root helper of its form.
IdxBarAccessibilityHelper* ManagerRootHelper(TdxBarManager* manager) {
    TCustomForm* form = GetBarManagerFormOfKind(manager, dxBarFormFirst);
    return form && form->HandleAllocated() ? GetWindowRootHelper(form->Handle()) : nullptr;
}

bool HasKeyTipWindowsManager(IdxBarAccessibilityHelper* root) {
    IPtr<IdxBarKeyTipWindowsManager> manager;
    return root && root->GetKeyTipWindowsManager(manager);
}

}  // namespace

IdxBarHookedMenuChain* HookedMenuChain() { return hookedChain; }
void SetHookedMenuChain(IdxBarHookedMenuChain* chain) { hookedChain = chain; }
void SetHookedBarWindowLookup(TdxBarHookedWindowLookup lookup) { hookedWindowLookup = lookup; }
IdxBarHookedMenuChain* HookedBarWindowAt(HWND window) {
    return hookedWindowLookup && window ? hookedWindowLookup(window) : nullptr;
}
void SetBarCaptionButtonPressed(bool pressed) { captionButtonPressed = pressed; }
void SetBarEditorKeyCall(bool calling) { editorKeyCall = calling; }
bool IsBarAppActive() { return appActive; }
bool IsBarAltPressed() { return altPressed; }
void SetBarAltPressed(bool value) { altPressed = value; }
bool IsAnotherProcessActivated() { return anotherProcessActivated; }

Byte GetShiftStateBits() {
    Byte bits = 0;
    if (GetKeyState(VK_SHIFT) < 0) bits |= 1;
    if (GetKeyState(VK_MENU) < 0) bits |= 2;
    if (GetKeyState(VK_CONTROL) < 0) bits |= 4;
    return bits;
}

int GetMouseWheelMode() {
    IdxBarHookedMenuChain* chain = hookedChain;
    if (!chain) return 3;
    if (chain->IsEditingSelectedControl()) return 2;
    return chain->HandlesMouseWheel() ? 1 : 0;
}

// ---- Registration --------------------------------------------------------------------------

void RegisterBarManager(TdxBarManager* manager) {
    TdxBarManagerList* list = BarManagerList();
    if (!list || !manager || list->IndexOf(manager) >= 0) return;
    if (list->Count() == 0) {
        InstallThreadHook(keyboardHook, WH_KEYBOARD, &KeyboardHookProc);
        InstallThreadHook(mouseHook, WH_MOUSE, &MouseHookProc);
        InstallThreadHook(callWndProcHook, WH_CALLWNDPROC, &CallWndProcHookProc);
    }
    list->Add(manager);
    // Hook (hints): the process-wide hint window is made unless the manager is designing.
}

void UnregisterBarManager(TdxBarManager* manager) {
    TdxBarManagerList* list = BarManagerList();
    if (!list || list->IndexOf(manager) < 0) return;
    list->Remove(manager);
    if (list->Count() == 0) RemoveMessageHooks();
}

void RemoveMessageHooks() {
    RemoveThreadHook(callWndProcHook);
    RemoveThreadHook(mouseHook);
    RemoveThreadHook(keyboardHook);
    keyConsumed = false;
    altPressed = false;
    // Hook (hints): the process-wide hint window is freed.
}

bool AreBarMessageHooksInstalled() { return keyboardHook && mouseHook && callWndProcHook; }

// ---- Keyboard ------------------------------------------------------------------------------

namespace {

// Keys for the active bar window in menu or keyboard mode; true when eaten.
bool HandleActiveBarKey(Word key, LPARAM keyData) {
    const bool down = IsKeyDownData(keyData);
    if (keyConsumed && key == consumedKey && !down) {
        keyConsumed = false;
        return true;
    }
    if (TdxBarDesignController* controller = ExistingDesignController();
        controller && controller->HasDesignState(dxBarDesignStateModalLoop))
        return false;
    if (TdxBarNavigationController* navigation = GetNavigationController()) {
        if (navigation->WantsKey(key, GetShiftState())) {
            if (down) {
                keyConsumed = true;
                consumedKey = key;
                navigation->ProcessKey(key, GetShiftState());
            }
            return true;
        }
        if (KeyHasPrintableChar(key)) EndKeyTipHandling();
    }
    IdxBarHookedMenuChain* chain = UsableChain();
    if (!chain || chain->IsCustomizingMode()) {
        switch (key) {
            case VK_MENU:
                // Hook (quick customization): Alt closes an open quick-customization popup.
                return false;
            case VK_ESCAPE:
                if (chain && GetCapture() == chain->ChainWindow()) {
                    ReleaseCapture();
                    return true;
                }
                if (!down) return false;
                {
                    TdxBarDesignController* controller = ExistingDesignController();
                    return controller && controller->SelectParent();
                }
            case VK_DELETE:
                if (!down) return false;
                {
                    TdxBarDesignController* controller = ExistingDesignController();
                    return controller && controller->DeleteSelection(GetKeyState(VK_CONTROL) < 0, true);
                }
            default:
                return false;
        }
    }
    if (chain->IsEditingSelectedControl()) return false;
    keyConsumed = true;
    consumedKey = key;
    SendMessageW(chain->ChainWindow(), down ? WM_KEYDOWN : WM_KEYUP, key, keyData);
    // While a bar window stays active its key-up reaches it the same way; when the key closed
    // the menus, the key-up must not reach the form behind them.
    if (hookedChain || !down) keyConsumed = false;
    return true;
}

// Shortcut, then accelerator of a link; true when eaten.
bool HandleAltKey(TdxBarManager* manager, Word key, LPARAM keyData) {
    if (ExecuteShortCutInForm(manager, ShortCutFromKeyMessage(key, keyData))) return true;
    if (GetKeyState(VK_MENU) >= 0) return false;
    TdxBarItemLink* link = FindLinkByAccelInForm(manager, key, GetShiftState() - ssAlt);
    if (!link || !link->Item() || !link->Item()->GetEnabled()) return false;
    TdxBarItemControl* control = link->Control();
    TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
    if (!bar || !IsBarControlAlive(bar)) return true;
    TdxBarItemLinks* links = link->GetLinks();
    TdxBarItemLink* next = links ? links->FindAccelLinkNoAlt(key, GetShiftState(), link) : nullptr;
    const bool several = next && next != link;
    if (!control->ClosesMenuOnClick() || several) {
        // A sub item, or one of several with the accelerator: menu mode with it selected.
        bar->SelectAndActivate(control);
    } else {
        // The only one: a sub item's window opens its menu, and the control is clicked.
        if (control->IsSubItem()) bar->SetDowned(true);
        control->ClickAt(false, false);
    }
    return true;
}

// A mouse move over a child window of a bar window (an in-place editor) is the bar window's
// too, in its client coordinates and without key flags.
void ForwardMouseMoveToBar(HWND window, POINT screenPoint) {
    if (!window || !IsChildWindowStyle(window)) return;
    for (HWND w = GetParent(window); w; w = GetParent(w)) {
        auto* bar = As<TCustomdxBarControl>(FindControl(w));
        if (bar && IsBarControlAlive(bar)) {
            TPoint p = bar->ScreenToClient(TPoint{screenPoint.x, screenPoint.y});
            bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
            return;
        }
        if (!IsChildWindowStyle(w)) return;
    }
}

// Shortcuts and the menu keys of the manager that takes the keyboard; true when eaten.
bool HandleManagerKey(Word key, LPARAM keyData) {
    const bool menuKey = key == VK_F10 || key == VK_MENU;
    TdxBarManager* manager = FindKeyboardManager(menuKey);
    if (!manager) return false;
    const bool f10IsMenuKey = key == VK_F10 && manager->UseF10ForMenu() && GetShiftStateBits() == 0;
    if (IsKeyDownData(keyData)) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (((key != VK_MENU || ctrl) && !f10IsMenuKey) || (keyConsumed && key == consumedKey)) {
            EndKeyTipWaiting();
            if (!HandleAltKey(manager, key, keyData)) return false;
            // The item ran on the key-down: its key-up is not the form's either.
            keyConsumed = true;
            consumedKey = key;
            return true;
        }
        manager->HideItemHint();
        altPressed = true;
        IdxBarAccessibilityHelper* root = ManagerRootHelper(manager);
        if (TdxBarNavigationController* navigation = GetNavigationController(); navigation && HasKeyTipWindowsManager(root))
            navigation->StartKeyTipDelay(root);
        return false;
    }
    if ((key == VK_MENU && altPressed) || f10IsMenuKey) {
        altPressed = false;
        TdxBarNavigationController* navigation = GetNavigationController();
        IdxBarAccessibilityHelper* root = ManagerRootHelper(manager);
        if (!navigation || !root) return false;
        // Navigation starts on the root's entry object (the main menu, the ribbon), and the
        // release is not the system's menu key any more.
        navigation->EnterNavigation(root);
        return true;
    }
    EndKeyTipWaiting();
    return false;
}

}  // namespace

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM key, LPARAM keyData) {
    const bool byEditor = editorKeyCall;
    bool eaten = false;
    if (code >= 0 && code != HC_NOREMOVE && key != VK_PROCESSKEY)
        eaten = CallbackBarrier(false, [&] {
            if (captionButtonPressed) return true;
            if (HandleActiveBarKey(Word(key), keyData)) return true;
            return !GetCapture() && HandleManagerKey(Word(key), keyData);
        });
    if (byEditor) return 0;
    const LRESULT next = CallNextHookEx(keyboardHook, code, key, keyData);
    return eaten ? 1 : next;
}

// ---- Mouse ---------------------------------------------------------------------------------

namespace {

enum class TChainHit { Outside, Inside, OnOwner };

// Where a press lies relative to the active menu chain.
TChainHit HitMenuChain(HWND window) {
    IdxBarHookedMenuChain* active = hookedChain;
    TdxBarManager* manager = active->ChainManager();
    HWND activeWindow = active->ChainWindow();
    // Under a modal dialog every press counts as inside: the dialog owns the input.
    if (activeWindow && !IsWindowEnabled(activeWindow) && !(manager && manager->IsCustomizingOrDesigning()))
        return TChainHit::Inside;
    for (IdxBarHookedMenuChain* c = active; c; c = c->ChainParent()) {
        if (c->IsInsideChain(window)) return TChainHit::Inside;
        if (c->IsOwnerWindow(window)) return TChainHit::OnOwner;
    }
    return TChainHit::Outside;
}

bool IsButtonReleaseToEat(UINT message) {
    return message == WM_RBUTTONUP || message == WM_NCRBUTTONUP || message == WM_MBUTTONUP ||
           message == WM_NCMBUTTONUP;
}

TdxBarItemControl* PressedItemControl(HWND window, POINT point) {
    for (IdxBarHookedMenuChain* c = hookedChain; c; c = c->ChainParent())
        if (TdxBarItemControl* control = c->PressedItemControl(window, point)) return control;
    return nullptr;
}

// A press outside the open menus closes them; a right or middle release outside is eaten.
bool CloseMenusOnMouseDown(int code, UINT message, const MOUSEHOOKSTRUCT& mouse) {
    if (closingMenus || code < 0 || !hookedChain) return false;
    THookFlagScope scope(closingMenus);
    if (IsButtonReleaseToEat(message))
        return !PressedItemControl(mouse.hwnd, mouse.pt) && HitMenuChain(mouse.hwnd) == TChainHit::Outside;
    // Hook (link dragging): nothing while the active manager drags a link.
    if (!IsMouseButtonDownMessage(message)) return false;
    bool eaten = false;
    while (IdxBarHookedMenuChain* active = hookedChain) {
        const TChainHit hit = HitMenuChain(mouse.hwnd);
        if (hit != TChainHit::Outside) {
            if (hit == TChainHit::OnOwner) active->HandleChainMouseDown(mouse.hwnd, message, mouse.pt);
            break;
        }
        active->CloseChain();
        eaten = !IsWindowVisible(mouse.hwnd);
        if (hookedChain == active) break;  // it did not let go: asking again would not end
    }
    return eaten;
}

}  // namespace

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM hookStruct) {
    const bool eaten = CallbackBarrier(false, [&] {
        const auto& mouse = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(hookStruct);
        const UINT msg = UINT(message);
        const bool press = code == HC_ACTION && IsMouseButtonDownMessage(msg);
        TdxBarNavigationController* navigation = GetNavigationController();
        if (press && navigation) navigation->ClearNavigationMode();
        if (msg == WM_MOUSEWHEEL && code >= 0 && GetMouseWheelMode() == 0) return true;
        if (GetCapture() == mouse.hwnd && msg != WM_RBUTTONUP) return false;
        // Hook (Customize dialog): mouse messages over an embedded owner being customized are
        // retargeted to it, and WM_SETCURSOR forwarded to the bar under the cursor.
        if (CloseMenusOnMouseDown(code, msg, mouse)) return true;
        // Hook (quick customization): a press outside its popup closes it.
        if (press && navigation &&
            (navigation->GetCurrentObject() || navigation->IsKeyTipDelayRunning() || navigation->AreKeyTipsShown()))
            navigation->LeaveKeyboardMode();
        if (msg == WM_MOUSEMOVE && code >= 0) ForwardMouseMoveToBar(mouse.hwnd, mouse.pt);
        return false;
    });
    const LRESULT next = CallNextHookEx(mouseHook, code, message, hookStruct);
    return eaten ? 1 : next;
}

// ---- Owner-window messages -----------------------------------------------------------------

namespace {

bool IsOwnerMessage(UINT message) {
    switch (message) {
        case WM_ACTIVATE:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_ACTIVATEAPP:
        case WM_CHILDACTIVATE:
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
        case WM_SYSCOMMAND:
        case WM_MDIACTIVATE:
            return true;
        default:
            return false;
    }
}

bool IsManagerMessage(UINT message) {
    return IsOwnerMessage(message) || message == WM_CREATE || message == WM_CANCELMODE || message == WM_HELP ||
           message == WM_DISPLAYCHANGE || message == WM_DESTROY;
}

TdxBarManager* FindManagerByWindowInHook(HWND window) {
    THookFlagScope scope(lookingUpManager);
    return FindBarManagerByWindow(window);
}

// Context help asked while a menu is open belongs to the manager whose menu it is, unless the
// window asking lies in that manager's owner.
HWND HelpTarget(HWND window) {
    TdxBarManager* active = hookedChain ? hookedChain->ChainManager() : nullptr;
    if (!active) return window;
    TCustomForm* form = GetFormOfComponent(FindControlUpChain(window));
    if (form && form->HandleAllocated() && IsOwnerWindowOf(active, form->Handle())) return window;
    TCustomForm* activeForm = GetBarManagerFormOfKind(active, dxBarFormFirst);
    return activeForm && activeForm->HandleAllocated() ? activeForm->Handle() : window;
}

void DispatchOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, HWND window) {
    if (message == WM_ACTIVATE) {
        HWND other = HWND(lParam);
        // Activation moving between a window and its own parent or child changes nothing.
        if (other && !IsForeignProcessWindow(other) && (GetParent(window) == other || GetParent(other) == window))
            return;
    }
    HWND target = message == WM_HELP ? HelpTarget(window) : window;
    TdxBarManager* manager = FindManagerByWindowInHook(target);
    if (!manager && message == WM_ACTIVATE) {
        HWND parent = GetParent(window);
        if (parent && IsWindowVisible(parent)) manager = FindManagerByWindowInHook(parent);
    }
    if (manager) manager->HandleOwnerMessage(target, message, wParam, lParam);
    if (IsOwnerMessage(message)) BroadcastOwnerMessage(window, message, wParam, lParam);
}

void BeforeWindowMessage(const CWPSTRUCT& m) {
    if (m.message == WM_ACTIVATE && LOWORD(m.wParam) == WA_INACTIVE && m.lParam &&
        IsForeignProcessWindow(HWND(m.lParam)))
        anotherProcessActivated = true;
    if (m.message == WM_ACTIVATEAPP) {
        anotherProcessActivated = false;
        appActive = m.wParam != 0;
        if (TdxBarDesignController* controller = ExistingDesignController()) controller->RecheckLastSelected();
    }
    if (lookingUpManager || !IsManagerMessage(m.message)) return;
    DispatchOwnerMessage(m.message, m.wParam, m.lParam, m.hwnd);
    // Hook (MDI): with an MDI frame as the main form, its WM_ACTIVATE updates the bars of the
    // managers on its active child, and its WM_WINDOWPOSCHANGED moves the Customize dialog.
}

// WM_DESTROY, WM_CHILDACTIVATE and WM_MDIACTIVATE of an MDI child (or WM_MDIACTIVATE asked of
// the client window): the manager of the main form
// whose client window holds it checks its active child.
void CheckMDIChildMessage(const CWPSTRUCT& m) {
    if (m.message != WM_DESTROY && m.message != WM_CHILDACTIVATE && m.message != WM_MDIACTIVATE) return;
    if (!Application) return;
    TCustomForm* mainForm = Application->MainForm();
    if (!mainForm || mainForm->FormStyle() != fsMDIForm || !mainForm->ClientHandle()) return;
    // A child shown asks its client window to activate it (already active: nothing else comes).
    HWND client = mainForm->ClientHandle();
    if (GetParent(m.hwnd) != client && !(m.message == WM_MDIACTIVATE && m.hwnd == client)) return;
    TdxBarManagerList* list = BarManagerList();
    for (int i = 0; list && i < list->Count(); ++i)
        if (list->GetManager(i)->Owner() == mainForm && !list->GetManager(i)->IsDestroying()) {
            list->GetManager(i)->CheckActiveMDIChild();
            break;
        }
}

}  // namespace

LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM message) {
    if (code >= 0)
        CallbackBarrier([&] {
            const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(message);
            BeforeWindowMessage(m);
            CheckMDIChildMessage(m);
        });
    return CallNextHookEx(callWndProcHook, code, wParam, message);
}

void BroadcastOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TdxBarManagerList* list = BarManagerList();
    if (!list) return;
    // A handler may free managers: each is looked up again before it is asked.
    std::vector<TdxBarManager*> managers;
    for (int i = 0; i < list->Count(); ++i) managers.push_back(list->GetManager(i));
    for (TdxBarManager* manager : managers) {
        if (list->IndexOf(manager) < 0) continue;
        auto* owner = As<TWinControl>(manager->Owner());
        if (!owner || !owner->HandleAllocated() || owner->Handle() == window) continue;
        if (!IsOwnerWindowOf(manager, window) || !GetBarManagerFormOfKind(manager, dxBarFormOutermost)) continue;
        manager->HandleOwnerMessage(window, message, wParam, lParam);
    }
}

// ---- Lookups -------------------------------------------------------------------------------

TdxBarManager* FindKeyboardManager(bool menuKey) {
    // Hook (key tips): menu keys ask the root accessibility helper of each window.
    TdxBarManager* manager = FindManagerUpFrom(GetFocus());
    if (!manager)
        if (TCustomForm* form = GetActiveFormOrMDIChild(); form && form->HandleAllocated())
            manager = FindManagerUpFrom(form->Handle());
    if (!manager && Application)
        if (TCustomForm* mainForm = Application->MainForm();
            mainForm && mainForm->HandleAllocated() && IsWindowEnabled(mainForm->Handle()))
            if (TdxBarManager* candidate = FindManagerUpFrom(mainForm->Handle());
                candidate && candidate->AllowCallFromAnotherForm())
                manager = candidate;
    if (!manager && !menuKey) {
        HWND active = GetActiveWindow();
        auto* form = active && IsWindowEnabled(active) ? As<TCustomForm>(FindControl(active)) : nullptr;
        TdxBarManagerList* list = BarManagerList();
        for (int i = 0; form && list && i < list->Count() && !manager; ++i)
            if (GetBarManagerFormOfKind(list->GetManager(i), dxBarFormOutermost) == form)
                manager = list->GetManager(i);
    }
    // Hook (bar windows): also dropped when a manager of its form has a keyboard-focused bar.
    if (manager && manager->IsCustomizingOrDesigning()) return nullptr;
    return manager;
}

bool ExecuteShortCutInForm(TdxBarManager* manager, TShortCut shortCut) {
    if (!manager || shortCut == 0) return false;
    if (TWinControl* focused = FindControlUpChain(GetFocus()))
        if (TdxBarManager* focusedManager = FindBarManagerOfComponent(focused))
            if (focusedManager->PopupMenuLinks()->ExecuteShortCut(focused, shortCut)) return true;
    if (auto* owner = As<TWinControl>(manager->Owner()); owner && owner->HandleAllocated())
        for (HWND w = owner->Handle(); w; w = GetParent(w)) {
            if (TdxBarManager* windowManager = FindBarManagerByWindow(w))
                if (windowManager->ExecuteShortCut(shortCut, manager)) return true;
            if (!IsChildWindowStyle(w)) break;
        }
    TdxBarManagerList* list = BarManagerList();
    if (!list) return false;
    // NextManager may never come back to a manager that is not its form's (an inactive MDI
    // child's): the walk is bounded by the list.
    TdxBarManager* other = list->NextManager(manager, true);
    for (int step = 0; other != manager && step < list->Count(); ++step) {
        if (other->ExecuteShortCut(shortCut, manager)) return true;
        other = list->NextManager(other, true);
    }
    return false;
}

TdxBarItemLink* FindLinkByAccelInForm(TdxBarManager* manager, Word key, TShiftState shift) {
    if (!manager) return nullptr;
    if (auto* owner = As<TWinControl>(manager->Owner()); owner && owner->HandleAllocated())
        for (HWND w = owner->Handle(); w; w = GetParent(w)) {
            if (TdxBarManager* windowManager = FindBarManagerByWindow(w))
                if (TdxBarItemLink* link = windowManager->FindLinkByAccel(key, shift)) return link;
            if (!IsChildWindowStyle(w)) break;
        }
    TdxBarManagerList* list = BarManagerList();
    if (!list) return nullptr;
    TdxBarManager* other = list->NextManager(manager, true);
    for (int step = 0; other != manager && step < list->Count(); ++step) {
        if (TdxBarItemLink* link = other->FindLinkByAccel(key, shift)) return link;
        other = list->NextManager(other, true);
    }
    return nullptr;
}
