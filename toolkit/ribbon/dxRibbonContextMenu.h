#pragma once
// The ribbon's context menu: one routine fills the menu of the ribbon, of the quick access
// toolbar, of a ribbon group and of the application menu window with the parts each wants (add or
// remove on the quick access toolbar, all commands, the toolbar's position, minimizing). The
// generated buttons carry their command in Tag; the ribbon runs it (RibbonMenuCommand).
//
// What the menu acts on is the link and the bar window that were right-clicked: the window that
// opens a menu names them (SetRibbonMenuTarget) for as long as the menu and its command run.

#include "Events.h"
#include "dxRibbonPopupMenuItems.h"

class TCustomdxBarControl;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxCustomRibbon;

// The command codes in the Tag of the generated buttons.
constexpr int dxRibbonMenuCommandMoreCommands = 1;
constexpr int dxRibbonMenuCommandQATPosition = 2;
constexpr int dxRibbonMenuCommandQATAddRemove = 3;
constexpr int dxRibbonMenuCommandMinimize = 4;

// The right-clicked link (nil when a group or the ribbon was clicked) and bar window (nil for the
// ribbon itself). A bar window that goes is forgotten.
void SetRibbonMenuTarget(TdxBarItemLink* link, TCustomdxBarControl* barControl);
TdxBarItemLink* RibbonMenuTargetLink();
TCustomdxBarControl* RibbonMenuTargetBarControl();

// Fills links with the parts in items (the links already there stay only with rpmiItems); each
// button runs onClick. The buttons of the previous filling are freed first.
void FillRibbonPopupMenu(TdxCustomRibbon* ribbon, TdxBarItemLinks* links, TdxRibbonPopupMenuItems items,
                         const TNotifyEvent& onClick);
