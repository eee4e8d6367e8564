#pragma once
// Forward declarations of the controls layer's classes, for headers that only name them
// (pointers, references, parameters) and need not see their declarations.

class TRzCustomButton;
class TRzButton;
class TRzBitBtn;
class TRzCustomPanel;
class TRzFrameController;
class TRzRegIniFile;

class TRzCustomListView;
class TRzCustomTreeView;
class TRzShellDataObject;
class TRzShellContextMenu;
