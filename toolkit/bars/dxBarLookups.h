#pragma once
// Which manager serves a window or a component, the form of a control by kind, and the bar
// window that is active in menu or keyboard mode. Lookups answer nil (or false) when nothing
// matches; none raises.

#include <windows.h>

#include "dxBarForward.h"

class TComponent;
class TControl;
class TCustomForm;
class TWinControl;
class TcxCustomPopupWindow;

// ---- Managers -----------------------------------------------------------------------------

// The component itself when it is a manager, else the registered manager whose owner it is.
TdxBarManager* ResolveBarManager(TComponent* component);
inline TdxBarManager* ResolveBarManagerForOwner(TComponent* component) { return ResolveBarManager(component); }
// The manager of the control that the window belongs to.
TdxBarManager* FindBarManagerByWindow(HWND window);
// The first windowed control among the component and its owners.
TWinControl* FindWinControlOwner(TComponent* component);
// From the component's windowed owner (which must have a window) up its parent windows, the
// first manager met.
TdxBarManager* FindBarManagerOfComponent(TComponent* component);

// ---- Forms --------------------------------------------------------------------------------

// Climbs from the control's window through its parents while they are child windows and
// answers the form of the kind (dxBarFormOutermost, ...MDIChildOrOutermost, ...First); nil when
// the control cannot have a window.
TCustomForm* GetControlFormOfKind(TWinControl* control, int kind);
TCustomForm* GetFormOfComponent(TComponent* component);
TCustomForm* GetBarManagerFormOfKind(TdxBarManager* manager, int kind);
inline TCustomForm* FindManagerForm(TdxBarManager* manager) { return GetBarManagerFormOfKind(manager, 2); }
// Is the window the manager owner's window or one of its parents through child windows?
bool IsOwnerWindowOf(TdxBarManager* manager, HWND window);
// The first windowed control among the control and its parents.
TWinControl* GetWinControlOf(TControl* control);
// Does the control lie inside the windowed control: by windows when both have one, else by
// parents?
bool IsControlInside(TControl* control, TWinControl* container);
bool IsControlInManagerOwner(TdxBarManager* manager, TControl* control);
// The toolkit popup window whose window the control's window lies in (nil when none).
TcxCustomPopupWindow* FindOwningPopupWindow(TControl* control, bool throughBarWindows);
bool IsControlInActiveWindow(TWinControl* control);
// The form of the active window when it is enabled (an MDI frame's active child); nil else.
TCustomForm* GetActiveFormOrMDIChild();

// ---- The active bar window ----------------------------------------------------------------

// The bar or menu window in menu or keyboard mode, kept by the bar windows; nil when none.
TCustomdxBarControl* CurrentActiveBarControl();
void SetCurrentActiveBarControl(TCustomdxBarControl* control);
TdxBarManager* CurrentActiveBarManager();
bool IsActiveBarControlUsable();
bool IsAnyPopupMenuShown();
// Closes the menu chain of the active bar window, when there is one.
void CloseActiveBarControlMenus();
