// Times the toolkit's text engine against the platform's DrawText on the same paragraph in the
// same run: 20,000 characters of words laid out 300 pixels wide in calculate-rectangle mode.
// Prints both times and their ratio; exits with 1 when the engine is more than three times
// slower. Run by scripts/bench-text.sh.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cxTextLayout.h"

namespace {

std::wstring Paragraph(size_t length) {
    std::wstring text;
    unsigned seed = 1;
    while (text.size() < length) {
        seed = seed * 134775813u + 1u;
        const size_t word = 1 + (seed >> 16) % 10;
        for (size_t i = 0; i < word; ++i) text += wchar_t(L'a' + (seed >> (i + 3)) % 26);
        text += L' ';
    }
    text.resize(length);
    return text;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The best of several runs, in milliseconds, and the height the last one measured.
template <class Layout>
double BestMilliseconds(int runs, Layout layout, int& height) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QueryPerformanceCounter(&start);
        height = layout();
        QueryPerformanceCounter(&end);
        best = std::min(best, 1000.0 * Seconds(start, end, frequency));
    }
    return best;
}

}  // namespace

int main() {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 400, 400);
    SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    SelectObject(dc, font);
    const std::wstring text = Paragraph(20000);
    const int runs = 5;

    int engineHeight = 0, platformHeight = 0;
    const double engine = BestMilliseconds(
        runs,
        [&] {
            TRect r{0, 0, 300, 0};
            RenderWideText(dc, text, r, CXTO_WORDBREAK | CXTO_CALCRECT);
            return int(r.bottom - r.top);
        },
        engineHeight);
    const double platform = BestMilliseconds(
        runs,
        [&] {
            RECT r{0, 0, 300, 0};
            DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_WORDBREAK | DT_CALCRECT);
            return int(r.bottom - r.top);
        },
        platformHeight);

    const double ratio = engine / std::max(platform, 1e-6);
    std::printf("paragraph: %zu characters, 300 pixels wide, best of %d runs\n", text.size(), runs);
    std::printf("RenderWideText (CXTO_WORDBREAK | CXTO_CALCRECT): %8.2f ms, height %d\n", engine, engineHeight);
    std::printf("DrawText (DT_WORDBREAK | DT_CALCRECT):           %8.2f ms, height %d\n", platform, platformHeight);
    std::printf("ratio: %.2f (limit 3.00)\n", ratio);

    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
    return ratio <= 3.0 ? 0 : 1;
}
