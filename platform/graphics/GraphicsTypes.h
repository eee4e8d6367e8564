#pragma once
// Geometry and the failure class shared by the graphics classes. Rectangles, points and sizes
// are the Win32 structures themselves, so they pass to GDI without conversion.

#include <windows.h>

#include "SysExceptions.h"

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline int RectWidth(const TRect& r) { return r.right - r.left; }
inline int RectHeight(const TRect& r) { return r.bottom - r.top; }

// Raised for unreadable or unsupported picture data, and by operations a graphic cannot do.
Z_EXCEPTION(EInvalidGraphic, Exception)
Z_EXCEPTION(EInvalidGraphicOperation, Exception)
