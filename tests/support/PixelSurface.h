#pragma once
// Reading what was drawn: the pixels of a memory bitmap, and the GDI objects the process holds,
// so that a drawing test can check both its picture and that it gave back what it took.

#include <windows.h>

#include <algorithm>
#include <string>
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

// The bounds of the pixels of a DC in the colour; empty when there are none.
inline RECT BoundsOfColor(HDC dc, int width, int height, COLORREF color) {
    RECT r{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) == color) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right == 0) r = RECT{};
    return r;
}

// A white 32-bit memory surface that painters draw into directly, read back by its pixels.
struct TPainterTestSurface {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ old;
    int width, height;
    TPainterTestSurface(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT r{0, 0, w, h};
        FillRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
    }
    ~TPainterTestSurface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    TPainterTestSurface(const TPainterTestSurface&) = delete;
    TPainterTestSurface& operator=(const TPainterTestSurface&) = delete;
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    // A row as text: '#' where the pixel has the colour, '.' elsewhere.
    std::string Row(int y, COLORREF color) const {
        std::string s;
        for (int x = 0; x < width; ++x) s += Pixel(x, y) == color ? '#' : '.';
        return s;
    }
    std::string Column(int x, COLORREF color) const {
        std::string s;
        for (int y = 0; y < height; ++y) s += Pixel(x, y) == color ? '#' : '.';
        return s;
    }
    // The pixels that are not white.
    std::vector<POINT> Inked() const {
        std::vector<POINT> points;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Pixel(x, y) != RGB(255, 255, 255)) points.push_back({x, y});
        return points;
    }
    // The bounds of the pixels in the colour; empty when there are none.
    RECT BoundsOf(COLORREF color) const { return BoundsOfColor(dc, width, height, color); }
};
