#pragma once
// Small shell helpers that the shell tree, list and open/save form share: new folders, the
// size, date and type texts of the list's columns, owner windows, and the drag-hover settings;
// plus the start-up of the shell controls (OLE, the "Shell IDList Array" format).

#include <windows.h>
#include <shlobj.h>

#include "RzShellUtils.h"

class TControl;

// The window that shell calls made for control should use as their owner: its top-level
// parent when that is a form with a window, else none.
HWND ShellOwnerWindow(TControl* control);

// Creates a folder in path (the current folder when empty) named "New Folder", "New Folder (2)"
// ... "New Folder (50)", or failing that "fldr", "fldr2" ... "fldr50", the first that does not
// exist yet. A failure other than "exists" is shown in a warning box and ends that series.
// Returns false, after a warning, when no folder was made; never raises.
bool CreateNewFolderIn(const String& path, String& newName);

// Shows the hourglass for milliseconds.
void WaitWithHourglass(Cardinal milliseconds);

// The size of a file in whole kilobytes, rounded up, with the locale's digit grouping: "1KB".
String FormatFileSizeKB(Int64 bytes);
// The size (files only) and last-write date texts of an item with a file-system path; both
// empty when the item has none or cannot be found.
void GetFileSizeAndDate(const ITEMIDLIST* pidl, String& sizeText, String& dateText);
// The shell's type name of a file-system item; "System Folder" for any other.
String GetFileTypeName(const ITEMIDLIST* pidl, SFGAOF attributes);
// Whether an item with these attributes is shown as a folder. Files that the shell can open as
// folders (archives) count only when filesCanBeFolders.
bool IsFolderItem(SFGAOF attributes, bool filesCanBeFolders);

// Raises an exception with the system's text for the error code.
[[noreturn]] void RaiseSystemError(DWORD code);
// Sets or clears style bits of a window, writing only when the style changes.
void SetWindowStyleBit(HWND window, LONG_PTR bits, bool on);

// Hovering over a folder while dragging: the system's hover time and rectangle, read at start-up.
extern Cardinal DragHoverTime;
extern Integer DragHoverWidth;
extern Integer DragHoverHeight;
// Dragging near an edge scrolls one step per interval.
constexpr Integer DragScrollZoneX = 26;
constexpr Integer DragScrollZoneY = 20;
constexpr Cardinal DragScrollInterval = 100;

// Unit start-up: the "Shell IDList Array" format, OLE for the GUI thread, the hover settings.
void InitializeRzShellHelpers();
void FinalizeRzShellHelpers();
