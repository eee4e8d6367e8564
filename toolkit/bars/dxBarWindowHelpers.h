#pragma once
// Window and message helpers of the bar library: z-order, the control of a window, the window
// under a point, mouse buttons, shortcuts from key messages, draining pending messages, and
// alpha blending of a whole window.

#include <windows.h>

#include "Messages.h"
#include "ShortCuts.h"
#include "SysTypes.h"
#include "cxWindowHelpers.h"  // IsMouseButtonDownMessage

class TControl;
class TWinControl;

// SetWindowPos without moving or sizing (and without activating unless asked), plus flags.
void SetWindowZOrder(HWND window, HWND insertAfter, bool activate, UINT flags = 0);
// The control of the window or of the first of its parents (through child windows) that has one.
TWinControl* FindWindowedParentControl(HWND window);
// The control of the window or of the first of its parents that has one.
TWinControl* FindControlUpChain(HWND window);
bool IsWindowOwnedBy(HWND window, HWND parent);
bool IsActiveWindowHandle(HWND window);
// Has the window, or one of its parents through child windows, the focus?
bool IsWindowOrParentFocused(HWND window);
void ActivateTopWindowOf(HWND window);
void SendCancelModeToActiveForm();
// The deepest visible window under a screen point.
HWND FindWindowAtScreenPoint(POINT screenPoint);
// The deepest visible child of the window under a point of its client area (the window itself
// when no child is there).
HWND FindDeepestChildAt(HWND window, POINT clientPoint);
bool IsForeignProcessWindow(HWND window);
// The logical buttons (swapped buttons respected), read from the hardware state now.
bool IsLeftButtonDown();
bool IsRightButtonDown();
bool IsMouseButtonDown();

// The shortcut of a key message: the key with scShift and scCtrl for the keys held now and
// scAlt for the context bit of the key data; 0 for key 0.
TShortCut ShortCutFromKeyMessage(Word key, LPARAM keyData);
// Does the key make a character that shows (not a blank, not a control character)?
bool KeyHasPrintableChar(Word key);
// Removes the window's pending WM_CHAR messages.
void DropPendingCharMessages(HWND window);
// Dispatches the pending paint messages of the thread, each window's once: a window whose
// painting leaves it invalid cannot keep the caller here. A WM_QUIT met on the way is posted
// again, so that the main loop still ends.
void DispatchPendingPaintMessages();
// Dispatches the pending mouse messages (WM_MOUSEMOVE to WM_MOUSEWHEEL) of the thread; a WM_QUIT
// met on the way is posted again.
void DispatchPendingMouseMessages();
// Alpha below 255 makes the window layered with that alpha; 255 ends the layering and redraws
// the window. Nothing without the layered-window function.
void SetWindowAlphaBlend(HWND window, Byte alpha);
// The application's message box, captioned with the application's title; the button pressed.
int BarMessageBox(const String& text, UINT flags);
// The work area of the monitor at a screen point.
TRect GetWorkAreaAt(TPoint screenPoint);
