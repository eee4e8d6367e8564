#pragma once
// Reading what was drawn: the pixels of a memory bitmap, and the GDI objects the process holds,
// so that a drawing test can check both its picture and that it gave back what it took.

#include <windows.h>

#include <vector>

#include "Bitmap.h"
#include "Colors.h"

// A pixel's colour without its alpha byte, 0xRRGGBB.
inline DWORD Rgb(DWORD pixel) { return pixel & 0xFFFFFF; }

// The whole 32-bit pixel at (x, y), 0xAARRGGBB, counted from the top-left corner.
inline DWORD PixelAt(TBitmap* b, int x, int y) {
    const int w = b->Width(), h = b->Height();
    std::vector<DWORD> pixels(size_t(w) * size_t(h));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, b->Handle(), 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels[size_t(y) * size_t(w) + size_t(x)];
}
// The same without its alpha byte.
inline DWORD At(TBitmap* b, int x, int y) { return Rgb(PixelAt(b, x, y)); }

// The colour of a pixel of a 24- or 32-bit bitmap as a TColor, read from its memory.
inline TColor ColorAt(TBitmap& bitmap, int x, int y) {
    const Byte* row = static_cast<const Byte*>(bitmap.ScanLine(y));
    const int step = bitmap.BitsPerPixel() / 8;
    const Byte* p = row + x * step;
    return RGBToColor(p[2], p[1], p[0]);
}

// The GDI objects the process holds.
inline DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
