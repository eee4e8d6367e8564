#pragma once
// The parts of the ribbon's context menu: which commands a menu filled by FillRibbonPopupMenu
// gets. rpmiItems keeps the links already in the menu.

#include "Sets.h"
#include "TypInfo.h"

Z_ENUM(TdxRibbonPopupMenuItem, Byte, rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
       rpmiMinimizeRibbon)
using TdxRibbonPopupMenuItems = TSet<TdxRibbonPopupMenuItem>;

inline constexpr TdxRibbonPopupMenuItems dxRibbonAllPopupMenuItems{
    rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem, rpmiMinimizeRibbon};
