#pragma once
// The system menu of a maximized MDI child, shown at the front of the frame's main menu bar as
// the child's small icon (TSystemMenuSubItem with its control TSystemMenuSubItemControl). Its
// menu is rebuilt from the child's system menu each time it opens, as buttons whose clicks send
// the child the menu's commands; a double click on the icon runs the menu's default command.
//
// The items are the manager's internal items: no list of the application shows them.

#include <windows.h>

#include "dxBarSubItem.h"
#include "dxBarSubItemControl.h"

class TSystemMenuSubItem : public TCustomdxBarSubItem {
    Z_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem)
public:
    explicit TSystemMenuSubItem(TComponent* owner) : TCustomdxBarSubItem(owner) {}
    ~TSystemMenuSubItem() override;

    HWND ChildWindow() const { return child_; }
    void SetChildWindow(HWND value) { child_ = value; }

    // The links again from the child's current system menu, then the click.
    void DirectClick() override;
    // The items of the present links go; then one link per entry of the menu, recursively.
    void RebuildLinks();
    static void BuildLinksFromMenu(TCustomdxBarSubItem* subItem, HMENU menu);
    // A button's click: the child runs the command of the button's Tag.
    void CommandClick(TObject* sender);

private:
    void FreeLinkItems(TdxBarItemLinks* links);
    HWND child_ = nullptr;
};

// A sub item's control that shows the child's icon: a press opens the menu rebuilt from the
// child's system menu.
class TSystemMenuSubItemControl : public TdxBarSubItemControl {
    Z_CLASS(TSystemMenuSubItemControl, TdxBarSubItemControl)
public:
    explicit TSystemMenuSubItemControl(TdxBarItemLink* link) : TdxBarSubItemControl(link) {}

    HWND ChildWindow() const;
    void DblClick() override;
    bool HandlesDblClickInBar() const override { return true; }
    bool IsNavigable() const override;

protected:
    int CalcWidth() override { return GetSystemMetrics(SM_CXSMICON); }
    int CalcHeight() override { return GetSystemMetrics(SM_CYSMICON); }
    void DrawContent(const TRect& r, Byte paintKind) override;
};
