#pragma once
// Process-wide window services of the toolkit that belong to no single control.
// Sections: cursors and messages; window, monitor and input routines; captions; unit start-up.

#include <windows.h>

#include "Component.h"
#include "Control.h"
#include "SysTypes.h"

class TWinControl;

// Toolkit cursors, registered in the screen's cursor list at start-up.
constexpr TCursor crcxDragCopy = 2100;
constexpr TCursor crcxFullScroll = 2101;
constexpr TCursor crcxHorScroll = 2102;
constexpr TCursor crcxVerScroll = 2103;
constexpr TCursor crcxUpScroll = 2104;
constexpr TCursor crcxRightScroll = 2105;
constexpr TCursor crcxDownScroll = 2106;
constexpr TCursor crcxLeftScroll = 2107;
constexpr TCursor crcxRemove = 2108;
constexpr TCursor crcxVertSize = 2109;
constexpr TCursor crcxHorzSize = 2110;
constexpr TCursor crcxMultiDrag = 2111;
constexpr TCursor crcxNoDrop = 2112;
constexpr TCursor crcxDrag = 2113;
constexpr TCursor crcxHandPoint = -2099 /* the system hand */;
constexpr TCursor crcxColorPicker = 2114;

// Toolkit window messages.
constexpr Cardinal CM_SCROLLBARMETRICSCHANGED = 0x8065;
constexpr Cardinal CM_RUNSYNCHRONIZE = 0x8066;
// Understood by every TcxCustomPopupWindow: close it and give its owner the focus; show it again
// with the control it focused. No other toolkit window may use these numbers for messages that
// could reach a popup.
constexpr Cardinal CM_CLOSEPOPUPFOCUSOWNER = 0x807D;
constexpr Cardinal CM_SHOWPOPUPAGAIN = 0x807E;
// Registered at start-up; 0 while not registered.
extern Word WM_TOOLKITFORMQUERY;   // answered by the toolkit's forms
extern Word WM_RIBBONSKINCHANGED;  // wParam: the ribbon form now draws with a skin

// Set while the unit is finishing: the shared objects are not created any more.
bool IsToolkitControlsFinalizing();

// Window, monitor and input routines.
bool CanAllocateHandle(TControl* control);
wchar_t VirtualKeyToChar(Word key);
TRect WorkAreaAtPoint(TPoint screenPoint);
TRect MonitorWorkArea(HMONITOR monitor);
TPoint QueryCursorPos();
bool HasChildStyle(HWND window);
bool IsSelfOrChildWindow(HWND parent, HWND window);
bool IsMDIChildForm(TControl* control);
bool IsMDIFrameForm(TControl* control);
bool IsCtrlKeyDown();
// A press or double click of any mouse button, in the client or the non-client area.
bool IsMouseButtonDownMessage(UINT message);
bool IsAncestorWindow(HWND ancestor, HWND window);
bool IsWindowEnabledDeep(HWND window);
inline bool IsNotControlChar(wchar_t c) { return c >= 32; }
TPoint MapPointBetweenWindows(HWND from, HWND to, TPoint point);
TRect MapRectBetweenWindows(HWND from, HWND to, const TRect& rect);
TRect QueryClientRect(HWND window);
TRect QueryWindowRect(HWND window);
TRect ControlWindowRect(TControl* control);
String ComponentNamePath(const TComponent* component);
WPARAM ShiftStateToMouseKeys(TShiftState shift);

// Captions without accelerator marks: "&x" gives "x", "&&" gives "&", a trailing "&" is
// dropped or, with underscoreLast, becomes "_".
AnsiString RemoveAccelChars(const AnsiString& caption, bool underscoreLast = false);
String RemoveAccelCharsWide(const String& caption, bool underscoreLast = false);

// user32's AnimateWindow, looked up at start-up; null where the system lacks it.
using TAnimateWindowProc = BOOL(WINAPI*)(HWND, DWORD, DWORD);
TAnimateWindowProc AnimateWindowProc();

void InitializecxWindowHelpers();
void FinalizecxWindowHelpers();
