#include "cxPopupMenus.h"

#include "Control.h"
#include "Menus.h"

bool IsToolkitPopupMenu(TComponent* component) {
    return Is<TPopupMenu>(component) || Supports<IcxToolkitPopupMenu>(component);
}

bool IsPopupMenuKey(TComponent* menu, const TMessage& message) {
    if (!menu) return false;
    IcxToolkitPopupMenu* toolkitMenu;
    if (Supports(menu, toolkitMenu)) return toolkitMenu->IsShortCutKey(message);
    if (auto* popup = As<TPopupMenu>(menu)) return popup->WindowHandle() && popup->IsShortCut(message);
    return false;
}

bool ShowToolkitPopupMenu(TControl* control, TComponent* menu, int x, int y) {
    if (!menu) return false;
    IcxToolkitPopupMenu* toolkitMenu;
    if (Supports(menu, toolkitMenu)) {
        toolkitMenu->PopupAt(x, y);
        return true;
    }
    auto* popup = As<TPopupMenu>(menu);
    if (!popup || !popup->AutoPopup()) return false;
    popup->SetPopupComponent(control);
    popup->Popup(x, y);
    return true;
}
