// Times a colour scheme's nine-part drawing: the large button's hot image drawn 10,000 times at
// one size, where the stretched picture is rendered once and every draw is a blend, against
// 10,000 draws at a size that changes every time, where each draw renders it anew. Prints both
// times and their ratio; exits with 1 when drawing at one size is not at least three times
// faster. Run by scripts/bench-ribbon-skins.sh.

#include <windows.h>

#include <cstdio>

#include "PlatformUnits.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"
#include "Units.h"
#include "dxRibbonSkins.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The time of `draws` draws of the part, the size given by the draw's number.
template <class Size>
double TimeDraws(TdxSkinnedRect* part, HDC dc, int draws, Size size) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < draws; ++i) part->Draw(dc, size(i));
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end, frequency);
}

}  // namespace

int main() {
    InitializePlatformUnits();
    InitializeToolkitCoreUnits();
    InitializeToolkitSkinsUnits();
    auto* scheme = static_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(L"Blue"));
    if (!scheme) {
        std::printf("no Blue scheme: GDI+ is not usable\n");
        return 2;
    }
    TdxSkinnedRect* part = scheme->Parts(scheme->PartIndex(rpgLargeButton, resHot));

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 120, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);

    const int draws = 10000;
    const int rendersBefore = part->CacheRenders();
    const double oneSize = TimeDraws(part, dc, draws, [](int) { return TRect{4, 4, 64, 84}; });
    const int oneSizeRenders = part->CacheRenders() - rendersBefore;
    const double changing = TimeDraws(part, dc, draws, [](int i) { return TRect{4, 4, 64 + i % 2, 84 + i % 3}; });
    const int changingRenders = part->CacheRenders() - rendersBefore - oneSizeRenders;

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);

    const double ratio = changing / oneSize;
    std::printf("large button, %d draws at one size:      %8.1f ms (%d renders of the stretched picture)\n", draws,
                oneSize, oneSizeRenders);
    std::printf("large button, %d draws, size changing:   %8.1f ms (%d renders)\n", draws, changing, changingRenders);
    std::printf("one size is %.1f times faster\n", ratio);
    FinalizeUnits();
    return ratio >= 3.0 ? 0 : 1;
}
