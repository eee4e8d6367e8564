#pragma once
// Helpers of resizable drop-down windows: the strip that holds the size grip, the corner the
// grip goes to and the grip itself, mirrored to point into any corner.

#include <windows.h>

#include "GraphicsTypes.h"

// Corners of a drop-down's size grip.
enum TcxCorner { coTopLeft, coTopRight, coBottomLeft, coBottomRight };

int DropDownPanelHeight();
// The corner for a drop-down placed against its owner (both rectangles in one coordinate space).
TcxCorner CornerFromRectPair(const TRect& ownerRect, const TRect& dropDownRect);
int HitTestForCorner(TcxCorner corner);  // HTTOPLEFT ... HTBOTTOMRIGHT
// Cuts rect to the grip square in its corner and draws the system size grip there.
void DrawCornerSizeGrip(HDC dc, TRect& rect, TcxCorner corner);
