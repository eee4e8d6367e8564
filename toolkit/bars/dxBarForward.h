#pragma once
// Forward declarations of the bar manager's classes, for headers that only pass them around.

class TdxBar;
class TdxBarBackgrounds;
class TdxBarComponent;
class TdxBarComponentList;
class TdxBarItem;
class TdxBarItemActionLink;
class TdxBarItemControl;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemList;
class TdxBarItemStylesData;
class TdxBarManager;
class TdxBarManagerCategories;
class TdxBarManagerList;
class TdxBarDragInfo;
class TdxBarPopupMenu;
class TdxBarPopupMenuLinks;
class TdxBars;
class TdxDockControl;
class TCustomdxBarControl;
struct IdxBarDesigner;
class IdxBarSelectableItem;
