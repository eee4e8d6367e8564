#pragma once
// Pixel access for the graphics tests.

#include <windows.h>

#include "Bitmap.h"

// The RGB colour of a pixel of a 24- or 32-bit bitmap, read from its memory.
inline TColor PixelAt(TBitmap& bitmap, int x, int y) {
    const Byte* row = static_cast<const Byte*>(bitmap.ScanLine(y));
    const int step = bitmap.BitsPerPixel() / 8;
    const Byte* p = row + x * step;
    return RGBToColor(p[2], p[1], p[0]);
}

// The GDI objects the process holds.
inline DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

// Bytes in use in every heap of the process, for leak checks around a loop.
inline size_t HeapBytesInUse() {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}
