#pragma once
// Hidden message windows whose window procedure is a method of an object: timers, the cadencer's
// tick window and the toolkit's shared windows receive their messages through one of these.
// The method handles every message and calls DefWindowProc itself for those it leaves alone.

#include "Messages.h"

// Creates a hidden top-level window of the library's utility class that hands every message to
// method (through the callback barrier). Raises EOutOfResources when no window can be made.
HWND AllocateHWnd(const TWndMethod& method);
// Destroys a window made by AllocateHWnd; a null handle is ignored.
void DeallocateHWnd(HWND window);
