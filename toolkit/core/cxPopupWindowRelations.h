#pragma once
// How a window relates to a control and to the popups shown for it, as the popup hooks decide
// which popups a click or a focus change closes; and small window utilities of the popups and
// the bar manager.

#include <vector>

#include "WinControl.h"

class TcxCustomPopupWindow;

// The control's own window (only that one).
bool IsControlWindow(TWinControl* control, HWND window);
// The control's own window, or, with popups, a window inside it or inside a popup shown for it
// or for one of its controls.
bool IsRelatedWindow(TWinControl* control, HWND window, bool withPopups);
bool IsWindowInsidePopup(TWinControl* control, HWND window);
bool IsWindowInPopupTree(TWinControl* control, HWND window);
bool IsChildOfControl(TWinControl* control, HWND window);
bool IsControlShowing(TWinControl* control);
// Whether the window belongs to the form of the control (or, for a form placed in a foreign
// window, to the topmost window that holds it).
bool IsInsideOwnerForm(TWinControl* control, HWND window);
// The window itself or the first of its parents that is not a child window; nil for none.
HWND FirstNonChildAncestor(HWND window);
TRect ControlSizeRect(TControl* control);
TShiftState CurrentShiftState();

// Removes the pending messages of the window in the range (one, or all of them); a removed
// WM_QUIT is posted again and ends the removal. True when something was removed.
bool DropWindowMessages(HWND window, UINT firstMessage, UINT lastMessage, bool all);
// Disables the window when it is enabled, remembering it in the list.
void DisableWindowRemembering(std::vector<HWND>& list, HWND window);
// Enables again every window of the list that still exists.
void ReenableWindows(const std::vector<HWND>* list);
// Equal texts: by the user's locale with useLocale, else letter case ignored.
bool SameTextByLocale(const String& a, const String& b, bool useLocale);
