#pragma once
// Forward declarations of the ribbon library's most used classes, for headers that only name
// them (pointers, references, parameters) and need not see their declarations.

class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarPanels;
class TdxStatusBarPanelStyle;
class TdxStatusBarPainter;
class TdxStatusBarViewInfo;
