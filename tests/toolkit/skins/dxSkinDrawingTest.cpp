// How a skin element draws itself: which frame of a strip belongs to a state, how a frame is cut
// into nine parts and spread over a rectangle, and the pixels that come out: exact corners,
// stretched and tiled parts, the background with its opacity, borders, the glyph inside the
// content offsets, gradients; the caches of rendered elements; the buffer used on screens of
// 16 bits per pixel.

#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"

namespace {

// A 12 x 12 frame with margins 4: each corner a pattern of its own (exact to the pixel), each
// edge and the centre one colour.
DWORD NinePartPixel(int x, int y) {
    const int column = x < 4 ? 0 : x < 8 ? 1 : 2, row = y < 4 ? 0 : y < 8 ? 1 : 2;
    if (column != 1 && row != 1)
        return 0xFF000000u | DWORD(column * 100 + row * 40) << 16 | DWORD(x * 20) << 8 | DWORD(y * 20);
    static const DWORD plain[3][3] = {{0, 0xFF0000, 0}, {0x00FF00, 0x808080, 0x0000FF}, {0, 0xFFFF00, 0}};
    return 0xFF000000u | plain[column][row];
}

void MakeNinePartElement(TdxSkinElement& element, TdxSkinStretchMode stretch = smStretch) {
    element.Image()->SetStates({esNormal});
    element.Image()->SetStretch(stretch);
    element.Image()->Margins()->AssignRect(TRect{4, 4, 4, 4});
    SetSkinTestPicture(element.Image(), 12, 12, NinePartPixel);
}

DWORD Rgb32(DWORD argb) { return argb & 0xFFFFFF; }

}  // namespace

TEST(dxSkinDrawing, FramesOfAVerticalStripFollowStatesAndImageSets) {
    TdxSkinElement element(nullptr, L"E");
    element.SetImageCount(2);
    TdxSkinImage* image = element.Image();
    image->SetStates({esNormal, esHot, esPressed});
    image->SetImageLayout(ilVertical);
    SetSkinTestPictureColor(image, 20, 120, 0x102030);
    EXPECT_TRUE(PointsEqual(image->FrameSize(), TSize{20, 20}));
    EXPECT_EQ(image->StateCount(), 3);
    const struct {
        int imageIndex;
        TdxSkinElementState state;
        TRect frame;
    } cases[] = {
        {0, esNormal, {0, 0, 20, 20}},  {0, esHot, {0, 20, 20, 40}},       {0, esPressed, {0, 40, 20, 60}},
        {1, esNormal, {0, 60, 20, 80}}, {1, esPressed, {0, 100, 20, 120}}, {0, esDisabled, {0, 0, 20, 20}},
        {3, esHot, {0, 200, 20, 220}},  // image sets beyond the strip are not checked
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SameRect(image->GetStateRect(c.imageIndex, c.state), c.frame)) << c.imageIndex;
    EXPECT_EQ(image->AdjustState(esDisabled), esNormal);
    // the horizontal strip and a new image count
    image->SetImageLayout(ilHorizontal);
    element.SetImageCount(1);
    SetSkinTestPictureColor(image, 60, 10, 0x102030);
    EXPECT_TRUE(SameRect(image->GetStateRect(0, esPressed), TRect{40, 0, 60, 10}));
    element.SetImageCount(0);  // raised to 1
    EXPECT_EQ(element.ImageCount(), 1);
}

TEST(dxSkinDrawing, AStateTheStripLacksFallsBackToItsLowestState) {
    const struct {
        TdxSkinElementStates states;
        TdxSkinElementState asked, drawn;
    } cases[] = {
        {{esHot, esChecked}, esNormal, esHot},
        {{esHot, esChecked}, esChecked, esChecked},
        {{esHot, esChecked}, esCheckPressed, esHot},
        {{}, esPressed, esPressed},
        {{esActive, esActiveDisabled}, esNormal, esActive},
    };
    for (const auto& c : cases) {
        TdxSkinImage image(nullptr);
        image.SetStates(c.states);
        EXPECT_EQ(image.AdjustState(c.asked), c.drawn) << int(c.asked);
    }
}

TEST(dxSkinDrawing, NinePartsShrinkTheirMarginsInProportionWhenTheRectangleIsTooSmall) {
    TdxSkinImage image(nullptr);
    image.Margins()->AssignRect(TRect{4, 3, 6, 5});
    const struct {
        const char* name;
        TRect r;
        bool fit;
        TRect centre;
        bool leftResizable, topResizable, centreVisible;
    } cases[] = {
        {"roomy", {0, 0, 20, 20}, true, {4, 3, 14, 15}, false, false, true},
        {"narrow, fitted", {0, 0, 5, 20}, true, {2, 3, 2, 15}, true, false, false},
        {"narrow, not fitted", {0, 0, 5, 20}, false, {4, 3, 4, 15}, false, false, false},
        // 3 - MulDiv(3, 4, 8) = 1 and 5 - MulDiv(5, 4, 8) = 2: MulDiv rounds halves up
        {"flat, fitted", {10, 10, 30, 14}, true, {14, 11, 24, 12}, false, true, true},
    };
    for (const auto& c : cases) {
        TdxSkinImage::TParts parts;
        TdxSkinImage::TPartFlags visible;
        std::fill(std::begin(visible), std::end(visible), true);
        image.CalculateParts(c.r, parts, visible, c.fit);
        EXPECT_TRUE(SameRect(parts[4], c.centre)) << c.name;
        EXPECT_EQ(visible[4], c.centreVisible) << c.name;
        EXPECT_EQ(image.PartResizable()[1], true) << c.name;  // edges always
        EXPECT_EQ(image.PartResizable()[0], c.leftResizable || c.topResizable) << c.name;
        EXPECT_EQ(image.PartResizable()[2 * 3 + 1], true) << c.name;
    }
    // a part already invisible is left as it was
    TdxSkinImage::TParts parts{};
    TdxSkinImage::TPartFlags visible;
    std::fill(std::begin(visible), std::end(visible), true);
    visible[8] = false;
    parts[8] = TRect{7, 7, 7, 7};
    image.CalculateParts(TRect{0, 0, 20, 20}, parts, visible, false);
    EXPECT_TRUE(SameRect(parts[8], TRect{7, 7, 7, 7}));
    EXPECT_TRUE(SameRect(parts[0], TRect{0, 0, 4, 3}));
}

TEST(dxSkinDrawing, CornersAreExactAndStretchedPartsKeepTheirColours) {
    TdxSkinElement element(nullptr, L"E");
    MakeNinePartElement(element);
    TSkinDib surface(60, 50, 0xFFFFFFFF);
    const TRect r{5, 6, 45, 40};
    element.DrawInRect(surface.DC(), r, 0, esNormal);
    // each corner pixel by pixel
    const struct {
        int sx, sy, dx, dy;
    } corners[] = {{0, 0, r.left, r.top},
                   {8, 0, r.right - 4, r.top},
                   {0, 8, r.left, r.bottom - 4},
                   {8, 8, r.right - 4, r.bottom - 4}};
    for (const auto& c : corners)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(surface.Rgb(c.dx + x, c.dy + y), Rgb32(NinePartPixel(c.sx + x, c.sy + y)))
                    << c.dx + x << "," << c.dy + y;
    // the edges and the centre, away from where they meet
    const struct {
        int x, y;
        DWORD rgb;
    } inside[] = {{25, r.top + 1, 0x00FF00},
                  {25, r.bottom - 2, 0x0000FF},
                  {r.left + 1, 22, 0xFF0000},
                  {r.right - 2, 22, 0xFFFF00},
                  {25, 22, 0x808080}};
    for (const auto& p : inside) EXPECT_PRED3(ColorsNear, surface.Rgb(p.x, p.y), p.rgb, 8) << p.x << "," << p.y;
    // nothing outside the rectangle
    EXPECT_EQ(surface.Rgb(r.left - 1, 20), 0xFFFFFFu);
    EXPECT_EQ(surface.Rgb(r.right, 20), 0xFFFFFFu);
}

TEST(dxSkinDrawing, StretchedPartsCoverTheirFirstRowAndColumnWhereverTheyAreDrawn) {
    TdxSkinElement element(nullptr, L"E");
    MakeNinePartElement(element);
    TSkinDib surface(3100, 40, 0xFFFFFFFF);
    // the centre's and the top edge's first column, the left edge's and the centre's first row
    for (int x = 0; x < 3000; x += 37) {
        const TRect r{x, 3, x + 55, 30};
        element.DrawInRect(surface.DC(), r, 0, esNormal);
        EXPECT_NE(surface.Rgb(x + 4, 15), 0xFFFFFFu) << x;
        EXPECT_NE(surface.Rgb(x + 4, 3), 0xFFFFFFu) << x;
        EXPECT_NE(surface.Rgb(x, 7), 0xFFFFFFu) << x;
        EXPECT_NE(surface.Rgb(x + 20, 7), 0xFFFFFFu) << x;
    }
}

TEST(dxSkinDrawing, TiledPartsRepeatTheirPixels) {
    TdxSkinElement element(nullptr, L"E");
    element.Image()->SetStates({esNormal});
    element.Image()->SetStretch(smTile);
    element.Image()->Margins()->AssignRect(TRect{2, 2, 2, 2});
    // a 3 x 3 centre of distinct pixels inside a 2-pixel black frame
    SetSkinTestPicture(element.Image(), 7, 7, [](int x, int y) -> DWORD {
        if (x < 2 || y < 2 || x > 4 || y > 4) return 0xFF000000u;
        return 0xFF000000u | DWORD((x - 2) * 100 + 10) << 16 | DWORD((y - 2) * 100 + 10) << 8;
    });
    TSkinDib surface(30, 30, 0xFFFFFFFF);
    element.DrawInRect(surface.DC(), TRect{0, 0, 22, 17}, 0, esNormal);
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 20; ++x) {
            const int sx = (x - 2) % 3, sy = (y - 2) % 3;
            EXPECT_EQ(surface.Rgb(x, y), DWORD(sx * 100 + 10) << 16 | DWORD(sy * 100 + 10) << 8) << x << "," << y;
        }
    EXPECT_EQ(surface.Rgb(21, 16), 0u);  // the frame's bottom-right corner
}

TEST(dxSkinDrawing, BackgroundBordersAndGlyphEachInTheirPlace) {
    // without a picture the colour fills the rectangle at its opacity
    TdxSkinElement half(nullptr, L"Half");
    half.SetColor(TColor(0x0000FF));  // red
    half.SetAlpha(128);
    TSkinDib surface(40, 30, 0xFFFFFFFF);
    half.DrawInRect(surface.DC(), TRect{0, 0, 10, 10}, 0, esNormal);
    EXPECT_PRED3(ColorsNear, surface.Rgb(5, 5), 0xFF7F7Fu, 2);
    EXPECT_EQ(surface.Rgb(10, 5), 0xFFFFFFu);

    // clDefault and clNone fill nothing
    for (TColor none : {clDefault, clNone}) {
        TdxSkinElement element(nullptr, L"None");
        element.SetColor(none);
        EXPECT_FALSE(element.HasColor());
        element.DrawInRect(surface.DC(), TRect{20, 0, 30, 10}, 0, esNormal);
        EXPECT_EQ(surface.Rgb(25, 5), 0xFFFFFFu);
    }

    // borders: left, top, right, bottom bands of their thickness over the background
    TdxSkinElement framed(nullptr, L"Framed");
    framed.SetColor(TColor(0xEEEEEE));
    framed.Borders()->Left()->SetColor(TColor(0x0000FF));
    framed.Borders()->Left()->SetThin(2);
    framed.Borders()->Top()->SetColor(TColor(0x00FF00));
    framed.Borders()->Right()->SetColor(TColor(0xFF0000));
    framed.Borders()->Right()->SetThin(3);
    // a glyph drawn at its own size in the middle of the content area
    framed.ContentOffset()->AssignRect(TRect{10, 2, 2, 2});
    framed.Glyph()->SetStates({esNormal});
    framed.Glyph()->SetStretch(smNoResize);
    SetSkinTestPictureColor(framed.Glyph(), 4, 4, 0x112233);
    TSkinDib board(50, 30, 0xFFFFFFFF);
    framed.DrawInRect(board.DC(), TRect{0, 0, 40, 20}, 0, esNormal);
    EXPECT_EQ(board.Rgb(1, 10), 0xFF0000u);  // left, 2 wide (red)
    EXPECT_EQ(board.Rgb(2, 10), 0xEEEEEEu);
    EXPECT_EQ(board.Rgb(20, 0), 0x00FF00u);  // top, 1 high
    EXPECT_EQ(board.Rgb(20, 1), 0xEEEEEEu);
    EXPECT_EQ(board.Rgb(37, 10), 0x0000FFu);  // right, 3 wide (blue)
    EXPECT_EQ(board.Rgb(36, 10), 0xEEEEEEu);
    EXPECT_EQ(board.Rgb(20, 19), 0xEEEEEEu);  // no bottom border
    // content (10, 2, 38, 18): the 4 x 4 glyph at (22, 8)
    EXPECT_EQ(board.Rgb(22, 8), 0x112233u);
    EXPECT_EQ(board.Rgb(25, 11), 0x112233u);
    EXPECT_EQ(board.Rgb(21, 8), 0xEEEEEEu);
    EXPECT_EQ(board.Rgb(26, 11), 0xEEEEEEu);
}

TEST(dxSkinDrawing, AGlyphLargerThanItsRectangleIsCentredAtItsOwnSize) {
    TdxSkinImage image(nullptr);
    image.SetStates({esNormal});
    image.SetStretch(smNoResize);
    SetSkinTestPicture(&image, 9, 9,
                       [](int x, int y) -> DWORD { return x == 0 && y == 0 ? 0xFFFF0000u : 0xFF00FF00u; });
    TSkinDib surface(30, 30, 0xFFFFFFFF);
    image.Draw(surface.DC(), TRect{10, 10, 14, 14}, 0, esNormal);
    // left and top (10 + 14 - 9) div 2 = 7: the glyph covers 7..15 both ways
    EXPECT_EQ(surface.Rgb(7, 7), 0xFF0000u);
    EXPECT_EQ(surface.Rgb(15, 15), 0x00FF00u);
    EXPECT_EQ(surface.Rgb(6, 7), 0xFFFFFFu);
    EXPECT_EQ(surface.Rgb(16, 15), 0xFFFFFFu);
}

TEST(dxSkinDrawing, GradientsFillTheCentreOfAnImageWithoutPicture) {
    const struct {
        const char* name;
        TdxSkinGradientMode mode;
        TColor end;
        DWORD first, last;  // top-left and bottom-right pixel
    } cases[] = {
        {"vertical", gmVertical, clBlack, 0xFFFFFF, 0x000000},
        {"horizontal", gmHorizontal, clBlack, 0xFFFFFF, 0x000000},
        {"forward diagonal", gmForwardDiagonal, clBlack, 0xFFFFFF, 0x000000},
        {"backward diagonal", gmBackwardDiagonal, clBlack, 0x808080, 0x808080},
        {"to none: plain", gmVertical, clNone, 0xFFFFFF, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        TdxSkinElement element(nullptr, L"E");
        element.Image()->SetGradientBeginColor(clWhite);
        element.Image()->SetGradientEndColor(c.end);
        element.Image()->SetGradient(c.mode);
        TSkinDib surface(70, 70, 0xFF0000FF);
        element.DrawInRect(surface.DC(), TRect{0, 0, 64, 64}, 0, esNormal);
        EXPECT_PRED3(ColorsNear, surface.Rgb(0, 0), c.first, 24) << c.name;
        EXPECT_PRED3(ColorsNear, surface.Rgb(63, 63), c.last, 24) << c.name;
        EXPECT_EQ(surface.Rgb(64, 64), 0x0000FFu) << c.name;
    }
    // TdxSkinImage.Draw draws nothing without a picture, gradient or not
    TdxSkinImage image(nullptr);
    image.SetGradientBeginColor(clWhite);
    TSkinDib surface(10, 10, 0xFF0000FF);
    image.Draw(surface.DC(), TRect{0, 0, 10, 10}, 0, esNormal);
    EXPECT_EQ(surface.Rgb(5, 5), 0x0000FFu);
}

TEST(dxSkinDrawing, EmptyRectanglesAndClearBordersDrawNothing) {
    TdxSkinElement element(nullptr, L"E");
    MakeNinePartElement(element);
    element.SetColor(clRed);
    TSkinDib surface(20, 20, 0xFFFFFFFF);
    element.DrawInRect(surface.DC(), TRect{5, 5, 5, 15}, 0, esNormal);
    element.DrawInRect(surface.DC(), TRect{5, 5, 15, 5}, 0, esNormal);
    element.Image()->Draw(surface.DC(), TRect{5, 5, 5, 15}, 0, esNormal);
    TdxSkinBorder border(nullptr, L"Left");
    border.Draw(surface.DC(), TRect{0, 0, 20, 20});
    for (int y = 0; y < 20; y += 3)
        for (int x = 0; x < 20; x += 3) EXPECT_EQ(surface.Rgb(x, y), 0xFFFFFFu);
    border.SetColor(clBlue);
    border.Draw(surface.DC(), TRect{0, 0, 20, 20});
    EXPECT_EQ(surface.Rgb(0, 10), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(1, 10), 0xFFFFFFu);
}

TEST(dxSkinDrawing, ColoursBecomeGdiPlusColoursWithTheirOpacity) {
    EXPECT_EQ(ColorToARGB(TColor(0x563412), 255), 0xFF123456u);
    EXPECT_EQ(ColorToARGB(TColor(0x0000FF), 128), 0x80FF0000u);
    const DWORD window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(ColorToARGB(clWindow, 255),
              0xFF000000u | DWORD(GetRValue(window)) << 16 | DWORD(GetGValue(window)) << 8 | GetBValue(window));
}

TEST(dxSkinDrawing, TheCacheRendersOnlyWhenStateImageOrSizeChange) {
    TdxSkinElement element(nullptr, L"E");
    MakeNinePartElement(element);
    TdxSkinElementCache cache;
    TSkinDib surface(60, 60, 0xFFFFFFFF);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 30, 20}, esNormal, 0);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 30, 20}, esNormal, 0);
    cache.DrawEx(surface.DC(), &element, TRect{10, 30, 40, 50}, esNormal, 0);  // moved, same size
    EXPECT_EQ(cache.RenderCount(), 1);
    EXPECT_FALSE(cache.UsesAlpha());
    EXPECT_EQ(surface.Rgb(10, 30), Rgb32(NinePartPixel(0, 0)));
    EXPECT_EQ(surface.Rgb(39, 49), Rgb32(NinePartPixel(11, 11)));
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 30, 20}, esHot, 0);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 30, 20}, esHot, 1);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 31, 20}, esHot, 1);
    EXPECT_EQ(cache.RenderCount(), 4);
}

TEST(dxSkinDrawing, ACachedElementWithTransparentPixelsKeepsItsAlpha) {
    TdxSkinElement element(nullptr, L"E");
    element.Image()->SetStates({esNormal});
    element.Image()->Margins()->AssignRect(TRect{2, 2, 2, 2});
    SetSkinTestPicture(element.Image(), 6, 6, [](int x, int y) -> DWORD { return x < 3 ? 0xFF0000FFu : 0x00000000u; });
    TdxSkinElementCache cache;
    TSkinDib surface(20, 20, 0xFF00FF00);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 6, 6}, esNormal, 0);
    EXPECT_TRUE(cache.UsesAlpha());
    EXPECT_EQ(surface.Rgb(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(5, 5), 0x00FF00u);  // the transparent half shows what was there
    // borders and a gradient fill are drawn into the cached bitmap opaque (the glyph, drawn
    // last, is kept off the right border by the content offset)
    element.Borders()->Right()->SetColor(TColor(0x00FFFF));  // yellow
    element.ContentOffset()->AssignRect(TRect{0, 0, 1, 0});
    element.Glyph()->SetGradientBeginColor(clWhite);
    element.Glyph()->SetGradientEndColor(clBlack);
    element.Glyph()->SetGradient(gmVertical);
    cache.DrawEx(surface.DC(), &element, TRect{0, 0, 6, 6}, esHot, 0);
    EXPECT_EQ(surface.Rgb(5, 3), 0xFFFF00u);
    EXPECT_PRED3(ColorsNear, surface.Rgb(3, 0), 0xFFFFFFu, 48);
    EXPECT_PRED3(ColorsNear, surface.Rgb(3, 5), 0x000000u, 48);
}

TEST(dxSkinDrawing, TheNinthDistinctRectangleDropsTheOldestCacheEntry) {
    TdxSkinElement element(nullptr, L"E");
    MakeNinePartElement(element);
    TdxSkinElementCacheList list;
    TSkinDib surface(200, 30, 0xFFFFFFFF);
    EXPECT_EQ(list.Capacity(), 8);
    for (int i = 0; i < 9; ++i)
        list.DrawElement(surface.DC(), &element, TRect{i * 20, 0, i * 20 + 16, 16}, esNormal, 0);
    ASSERT_EQ(list.Count(), 8);
    EXPECT_TRUE(SameRect(list.Entries(0)->Bounds(), TRect{20, 0, 36, 16}));
    EXPECT_TRUE(SameRect(list.Entries(7)->Bounds(), TRect{160, 0, 176, 16}));
    // the same rectangle again is found, a new state re-renders that entry only
    list.DrawElement(surface.DC(), &element, TRect{160, 0, 176, 16}, esHot, 0);
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(list.Entries(7)->RenderCount(), 2);
    EXPECT_EQ(list.Entries(6)->RenderCount(), 1);
}

TEST(dxSkinDrawing, OnA16BitSurfaceDrawingGoesThroughA32BitBuffer) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -20;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_RGB;  // 5-5-5
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, section);
    RECT all{0, 0, 40, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    TdxSkinCanvas canvas;
    canvas.BeginPaint(dc, TRect{10, 5, 30, 15});
    EXPECT_NE(canvas.Buffer(), nullptr);
    canvas.EndPaint();
    EXPECT_EQ(canvas.Buffer(), nullptr);

    TdxSkinElement half(nullptr, L"Half");
    half.SetColor(TColor(0x0000FF));
    half.SetAlpha(128);
    half.DrawInRect(dc, TRect{10, 5, 30, 15}, 0, esNormal);
    GdiFlush();
    auto pixel = [&](int x, int y) {
        const Word p = static_cast<const Word*>(bits)[y * 40 + x];
        return DWORD(((p >> 10) & 31) * 255 / 31) << 16 | DWORD(((p >> 5) & 31) * 255 / 31) << 8 |
               DWORD((p & 31) * 255 / 31);
    };
    EXPECT_PRED3(ColorsNear, pixel(20, 10), 0xFF7F7Fu, 10);  // blended, not plain red
    EXPECT_EQ(pixel(9, 10), 0xFFFFFFu);                      // the rest untouched
    EXPECT_EQ(pixel(30, 10), 0xFFFFFFu);

    // on a 32-bit surface there is no buffer
    TSkinDib surface(10, 10, 0xFFFFFFFF);
    canvas.BeginPaint(surface.DC(), TRect{0, 0, 10, 10});
    EXPECT_EQ(canvas.Buffer(), nullptr);
    canvas.EndPaint();

    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
}
