#pragma once
// The three thread hooks of the GUI thread that close the shown popups (cxCustomPopupWindow.h)
// or swallow messages for them:
// - call-window-procedure: a popup's window destroyed or closed, its owner hidden, moved out of
//   sight or its form closed, the application deactivated; the owner form's caption kept active;
//   CM_ACTIVATE and CM_DEACTIVATE swallowed under the activation lock;
// - get-message: Alt+key dropped while a popup is up, unless the popup handles the key;
// - mouse: a click outside a popup closes it and, unless the popup claims it, goes on.
// Installed when the container unit starts and removed when it ends; every hook procedure
// runs behind the callback barrier.

#include <windows.h>

#include "GraphicsTypes.h"

// Runs the click rules for a mouse message aimed at window; false when the click must be
// discarded.
bool ProcessPopupClick(HWND window, UINT message, TPoint point);

// The hook procedures, open so that tests can give them messages that the test display cannot
// produce.
LRESULT CALLBACK PopupCallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PopupGetMessageHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PopupMouseHook(int code, WPARAM wParam, LPARAM lParam);

// The unit's start and end: the class group of the style controller, the hooks.
void InitializecxPopupHooks();
void FinalizecxPopupHooks();
void InstallPopupHooks();
void RemovePopupHooks();
