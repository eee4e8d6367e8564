#pragma once
// The bar library's three thread hooks on the GUI thread, installed while at least one manager
// exists: the keyboard hook (item shortcuts, keys for the open menus), the mouse hook (outside
// clicks close the menu chain, the wheel policy) and the call-window-procedure hook (activation
// of forms and of the application, and the owner-window messages each manager reacts to).
//
// Every hook procedure runs its body behind the callback barrier and always calls the next
// hook; a key or mouse message the library handled is eaten (the procedure answers 1).
//
// The active bar window (the bar or menu window in menu or keyboard mode) is seen here through
// IdxBarHookedMenuChain: the window registers itself with SetHookedMenuChain while it is the
// active one and leaves when it stops.

#include <windows.h>

#include "Actions.h"
#include "ShortCuts.h"
#include "SysTypes.h"
#include "dxBarForward.h"

class TdxBarItemControl;

// The active bar window and its chain of parent menus, as the hooks ask about them.
class IdxBarHookedMenuChain {
public:
    virtual ~IdxBarHookedMenuChain() = default;
    virtual HWND ChainWindow() = 0;
    virtual TdxBarManager* ChainManager() = 0;
    // The next window up the chain (the menu this one opened from); nil at the top.
    virtual IdxBarHookedMenuChain* ChainParent() = 0;
    virtual bool IsCustomizingMode() = 0;
    // The selected control is an in-place edit that is editing (it takes keys and the wheel).
    virtual bool IsEditingSelectedControl() = 0;
    virtual bool HandlesMouseWheel() = 0;
    // The window is this bar window, one of its children or a window of its selected control.
    virtual bool IsInsideChain(HWND window) = 0;
    // The window is the owner window this bar window opened from.
    virtual bool IsOwnerWindow(HWND window) = 0;
    // A press on the owner window of a chain window.
    virtual void HandleChainMouseDown(HWND window, UINT message, POINT screenPoint) = 0;
    // Closes this window and every menu of its chain.
    virtual void CloseChain() = 0;
    // The control a right or middle button release belongs to: the selected control when the
    // message's window is this bar window, or while it holds the capture and the point is over it.
    virtual TdxBarItemControl* PressedItemControl(HWND window, POINT screenPoint) = 0;
    virtual TdxBarItemControl* SelectedControl() = 0;
    // The help context of the window itself (its bar's or menu's); 0 when none.
    virtual THelpContext ChainHelpContext() = 0;
    // The control at a point of the screen, for context help without an open menu; nil.
    virtual TdxBarItemControl* ControlAtScreenPoint(POINT /*screenPoint*/) { return nullptr; }
};

// The active bar window's view for the hooks; nil when none is active.
IdxBarHookedMenuChain* HookedMenuChain();
void SetHookedMenuChain(IdxBarHookedMenuChain* chain);
// A bar window that is not active but answers context help for its window (see
// ControlAtScreenPoint); nil for any other window.
using TdxBarHookedWindowLookup = IdxBarHookedMenuChain* (*)(HWND window);
void SetHookedBarWindowLookup(TdxBarHookedWindowLookup lookup);
IdxBarHookedMenuChain* HookedBarWindowAt(HWND window);

// ---- Registration --------------------------------------------------------------------------

// Called by the manager's constructor and destructor: the first registered manager installs
// the hooks, the last one leaving removes them.
void RegisterBarManager(TdxBarManager* manager);
void UnregisterBarManager(TdxBarManager* manager);
// Also called when the manager list itself goes.
void RemoveMessageHooks();
bool AreBarMessageHooksInstalled();

// ---- The hook procedures -------------------------------------------------------------------

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM key, LPARAM keyData);
LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM hookStruct);
LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM message);

// ---- Helpers and state others read ---------------------------------------------------------

// Bit 0 Shift, bit 1 Alt, bit 2 Ctrl, as GetKeyState reports them now.
Byte GetShiftStateBits();
// The key goes down (bit 31 of the key data clear).
inline bool IsKeyDownData(LPARAM keyData) { return (DWORD(keyData) & 0x80000000u) == 0; }
// 3 without an active bar window; 2 while its selected in-place edit is editing; 1 when it
// takes the wheel; 0 otherwise (the wheel is eaten).
int GetMouseWheelMode();
// Set by the main menu bar while one of its caption buttons is held pressed: every key is eaten.
void SetBarCaptionButtonPressed(bool pressed);
// Set while an in-place editor hands a key to the keyboard hook procedure itself.
void SetBarEditorKeyCall(bool calling);
// The menu key (Alt alone, or F10 as the menu key) went down and may select the menu when released.
bool IsBarAltPressed();
void SetBarAltPressed(bool value);
// From WM_ACTIVATEAPP and WM_ACTIVATE.
bool IsBarAppActive();
bool IsAnotherProcessActivated();

// The manager that takes the keyboard now (see the lookup order in the .cpp); nil when none.
TdxBarManager* FindKeyboardManager(bool menuKey);
// Offers the shortcut to the focused control's popup menus, then to the managers from the
// manager's owner window up, then to the other managers of the same form.
bool ExecuteShortCutInForm(TdxBarManager* manager, TShortCut shortCut);
TdxBarItemLink* FindLinkByAccelInForm(TdxBarManager* manager, Word key, TShiftState shift);
// Passes an owner message to every other manager whose owner lies inside the window.
void BroadcastOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
