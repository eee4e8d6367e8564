#pragma once
// The popup menus that a toolkit control shows on a context request and asks about shortcut
// keys: the platform's TPopupMenu, or a component of a higher layer (the bar manager's popup
// menus) that implements IcxToolkitPopupMenu.

#include "Component.h"
#include "Interfaces.h"
#include "Messages.h"

class TControl;

struct IcxToolkitPopupMenu : virtual IInterface {
    // True when the key message (WM_KEYDOWN or WM_SYSKEYDOWN, or their CN_ forms) is the shortcut
    // of one of the menu's items, which then runs.
    virtual bool IsShortCutKey(const TMessage& message) = 0;
    // Shows the menu at a screen point.
    virtual void PopupAt(int x, int y) = 0;
};

// Whether the menu takes the key as a shortcut: a toolkit menu decides itself, a platform popup
// menu only while it has its window; nil and anything else take no key.
bool IsPopupMenuKey(TComponent* menu, const TMessage& message);
// Shows the menu for the control at a screen point; false when nothing was shown (nil, a
// platform menu without AutoPopup, a component that is no menu).
bool ShowToolkitPopupMenu(TControl* control, TComponent* menu, int x, int y);
// Whether the component can serve as a control's popup menu.
bool IsToolkitPopupMenu(TComponent* component);
