#pragma once
// The bar library's start-up and shut-down, and the process-wide state they make: the manager
// list, the live bar windows, the item class registry, the layered-window functions, the screen
// colour depth and checker brush, and the drag cursors.
//
// Start-up (InitializeBarUnit) runs once, after the bar strings' unit; FinalizeBarUnit undoes it
// and first marks the library as finalizing, after which the lazily made singletons are not
// made again (a late request gets nil). Later parts add their singletons and start-up steps to
// both, in the places the comments in dxBarUnit.cpp give.

#include <windows.h>

#include <vector>

#include "Control.h"
#include "dxBarForward.h"

class TdxBarItemList;

// The cursors the bar library loads into the screen's table.
constexpr TCursor crdxBarDrag = 1041;
constexpr TCursor crdxBarDragCopy = 1042;
constexpr TCursor crdxBarDragNoDrop = 1043;
constexpr TCursor crdxBarEditSizing = 1044;

// True from the start of the shut-down on.
bool IsBarUnitFinalizing();

// Bar windows that exist now (nil is never alive).
void RegisterBarControl(TCustomdxBarControl* control);
void UnregisterBarControl(TCustomdxBarControl* control);
bool IsBarControlAlive(TCustomdxBarControl* control);
// A copy of the list, in creation order.
std::vector<TCustomdxBarControl*> LiveBarControls();

// The item class registry, made on first request; nil once the shut-down has begun.
TdxBarItemList* ItemRegistryInstance();
void RegisterItemControlClass(TClass itemClass, TClass itemControlClass, bool offered);
void UnregisterItemControlClass(TClass itemClass);

// user32's layered-window functions, looked up at start-up; nil where the system lacks them.
using TUpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
TUpdateLayeredWindowProc UpdateLayeredWindowProc();
TSetLayeredWindowAttributesProc SetLayeredWindowAttributesProc();
// Replaces the bound function (tests of the missing-function case); returns the previous one.
TSetLayeredWindowAttributesProc SetSetLayeredWindowAttributesProc(TSetLayeredWindowAttributesProc proc);

// Bits per pixel of the screen, read at start-up and on system colour changes.
int ScreenColorDepth();
void ReadScreenColorDepth();
// The 8 x 8 checker brush: pixels with equal row and column parity in the button face colour,
// the others in the button highlight colour. Remade on system colour changes (not once the
// shut-down has begun).
HBRUSH CheckerBrush();
void CreateCheckerBrush();

void InitializeBarUnit();
void FinalizeBarUnit();
