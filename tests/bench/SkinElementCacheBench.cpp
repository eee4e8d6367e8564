// Times drawing one skin element 10,000 times through a TdxSkinElementCache against drawing it
// directly into a 32-bit surface: the ribbon's form caption of the stored "Lilian" skin, which
// the ribbon draws through a cache, and for comparison an element with transparent pixels,
// whose cached copy GDI+ still has to blend at every draw. Prints the times and their ratios;
// exits with 1 when the cached caption is less than three times faster. Run by
// scripts/bench-skins.sh.

#include <windows.h>

#include <cstdio>
#include <memory>

#include "PlatformUnits.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"
#include "dxSkinsCore.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <class Draw>
double TimeDraws(int count, Draw draw) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i) draw();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end, frequency);
}

// Prints one line and answers the ratio of the direct time to the cached one.
double Compare(const char* what, TdxSkinElement* element, HDC dc, const TRect& r, int count) {
    TdxSkinElementCache cache;
    const double direct = TimeDraws(count, [&] { element->DrawInRect(dc, r, 0, esNormal); });
    const double cached = TimeDraws(count, [&] { cache.DrawEx(dc, element, r, esNormal, 0); });
    const double ratio = direct / cached;
    std::printf("%-34s direct %8.1f ms  cached %8.1f ms  (%d renderings)  %.1f times faster\n", what, direct, cached,
                cache.RenderCount(), ratio);
    return ratio;
}

}  // namespace

int main() {
    InitializePlatformUnits();
    InitializeToolkitCoreUnits();
    InitializeToolkitSkinsUnits();
    auto skin = std::make_unique<TdxSkin>(L"Lilian", true, GetModuleHandleW(nullptr));

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 400;
    info.bmiHeader.biHeight = -200;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, surface);

    const int count = 10000;
    TdxSkinControlGroup* ribbon = skin->GetGroupByName(L"Ribbon");
    TdxSkinElement* opaque = ribbon->GetElementByName(L"FormCaption");
    TdxSkinElement* transparent = ribbon->GetElementByName(L"TabGroup");
    std::printf("%d draws of one element, 160 x 90 pixels\n", count);
    const double ratio = Compare("Ribbon FormCaption (opaque)", opaque, dc, TRect{10, 10, 170, 100}, count);
    Compare("Ribbon TabGroup (with alpha)", transparent, dc, TRect{10, 10, 170, 100}, count);

    DeleteDC(dc);
    DeleteObject(surface);
    return ratio >= 3.0 ? 0 : 1;
}
