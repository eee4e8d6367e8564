// Times a ribbon painted through the skin-driven colour scheme "Lilian": a 1,000 x 160 window
// area with what the schemes' shared element caches serve (the form frame and caption, the tab
// groups area and ten groups, each in its own coordinates as a group's bar control paints it,
// with a small button), painted 1,000 times with the caches and 1,000 times with the caches
// cleared before each paint. The tabs and group captions, drawn without a cache, cost the same
// either way and are left out. Prints both times and their ratio; exits with 1 when painting
// with the caches is not at least three times faster. Run by scripts/bench-skin-schemes.sh.

#include <windows.h>

#include <cstdio>

#include "PlatformUnits.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"
#include "dxBarSkin.h"
#include "dxSkinsCore.h"
#include "dxSkinsdxRibbonPainter.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

const int kWidth = 1000, kHeight = 160;
// The groups' widths: groups of the same width share a rendering of their background.
const int kGroupWidths[10] = {110, 90, 110, 140, 90, 110, 70, 140, 90, 110};

void PaintRibbon(TdxSkinRibbonPainter* scheme, HDC dc) {
    FormPaintData form{};
    form.IsActive = 1;
    form.BorderStyle = 2;
    form.FormBounds = TRect{0, 0, kWidth, kHeight};
    scheme->DrawFormBorders(dc, TRect{4, 4, 4, 4}, 26, form);
    scheme->DrawFormCaption(dc, TRect{4, 4, kWidth - 4, 30}, form);
    scheme->DrawTabGroupsArea(dc, TRect{4, 54, kWidth - 4, kHeight - 4});
    int left = 8;
    for (int width : kGroupWidths) {
        POINT origin;
        SetWindowOrgEx(dc, -left, -58, &origin);
        scheme->DrawTabGroupBackground(dc, TRect{0, 0, width, 94}, 0);
        scheme->DrawButton(dc, TRect{4, 4, 26, 26}, 0);
        SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        left += width + 2;
    }
}

template <class BeforeEach>
double TimePaints(TdxSkinRibbonPainter* scheme, HDC dc, int paints, BeforeEach beforeEach) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < paints; ++i) {
        beforeEach();
        PaintRibbon(scheme, dc);
    }
    GdiFlush();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end, frequency);
}

}  // namespace

int main() {
    InitializePlatformUnits();
    InitializeToolkitCoreUnits();
    InitializeToolkitSkinsUnits();
    auto* scheme = dynamic_cast<TdxSkinRibbonPainter*>(BarSkinManagerInstance()->FindSkin(L"Lilian"));
    if (!scheme || !SkinsRibbonCache()) {
        std::printf("no Lilian scheme: GDI+ is not usable\n");
        return 2;
    }

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);

    const int paints = 1000;
    PaintRibbon(scheme, dc);  // the atlases and the first renderings
    const double cached = TimePaints(scheme, dc, paints, [] {});
    const double cleared = TimePaints(scheme, dc, paints, [] { SkinsRibbonCache()->Clear(); });
    const double ratio = cleared / cached;
    std::printf("%d paints of a %d x %d ribbon with ten groups through \"Lilian\"\n", paints, kWidth, kHeight);
    std::printf("with the shared caches    %9.1f ms  (%.2f ms a paint)\n", cached, cached / paints);
    std::printf("caches cleared each time  %9.1f ms  (%.2f ms a paint)\n", cleared, cleared / paints);
    std::printf("the caches make painting %.1f times faster (at least 3 wanted)\n", ratio);

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ratio >= 3.0 ? 0 : 1;
}
