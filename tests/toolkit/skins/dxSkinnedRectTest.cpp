// Nine-part images: the split of a target into cells, the cache that renders a size once, and
// the drawn pixels (nearest-neighbour copies, stretched edges, per-pixel and constant alpha,
// the Windows 9x blending path), read back from 32-bit DIB sections.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "../ToolkitTestSupport.h"
#include "dxCore.h"
#include "dxSkinnedRect.h"

namespace {

// Opaque, and different at every position.
DWORD PatternPixel(int x, int y) {
    return 0xFF000000u | DWORD(x * 17) << 16 | DWORD(y * 23) << 8 | DWORD(x * y * 5 & 0xFF);
}

TEST(dxSkinnedRect, SplitsATargetIntoNineCells) {
    struct TCase {
        TRect margins;
        int width, height;
        int columns[3], rows[3];
    };
    const TCase cases[] = {
        {{3, 3, 3, 3}, 5, 5, {2, 0, 3}, {2, 0, 3}},  // narrower than both margins: halves
        {{3, 3, 3, 3}, 7, 7, {3, 1, 3}, {3, 1, 3}},
        {{3, 3, 3, 3}, 6, 40, {3, 0, 3}, {3, 34, 3}},  // exactly the margins: still halves
        {{2, 5, 0, 5}, 1, 9, {0, 0, 1}, {4, 0, 5}},
        {{6, 10, 6, 5}, 200, 31, {6, 188, 6}, {10, 16, 5}},
        {{0, 0, 0, 0}, 4, 3, {0, 4, 0}, {0, 3, 0}},
    };
    TTestAtlas atlas(20, 20, PatternPixel);
    for (const TCase& c : cases) {
        TdxSkinnedRect part;
        part.LoadFromImage(atlas.image, TRect{0, 0, 14, 18}, c.margins);
        part.SetSize(c.width, c.height);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(part.CellSize(i).cx, c.columns[i % 3]) << "width " << c.width << " cell " << i;
            EXPECT_EQ(part.CellSize(i).cy, c.rows[i / 3]) << "height " << c.height << " cell " << i;
        }
    }
}

TEST(dxSkinnedRect, KnowsItsSourceCellsAndContentRect) {
    TTestAtlas atlas(20, 20, PatternPixel);
    TdxSkinnedRect part;
    EXPECT_EQ(part.Alpha(), 255);
    EXPECT_EQ(part.PartId(), -1);
    EXPECT_TRUE(SameRect(part.ContentMargins(), TRect{8, 8, 8, 8}));
    part.LoadFromImage(atlas.image, TRect{4, 2, 14, 10}, TRect{2, 1, 3, 4});
    EXPECT_TRUE(SameRect(part.SourceCell(0), TRect{0, 0, 2, 1}));
    EXPECT_TRUE(SameRect(part.SourceCell(4), TRect{2, 1, 7, 4}));
    EXPECT_TRUE(SameRect(part.SourceCell(8), TRect{7, 4, 10, 8}));
    EXPECT_TRUE(SameRect(part.GetContentRect(TRect{10, 10, 50, 30}), TRect{12, 11, 47, 26}));
    EXPECT_EQ(part.MinimumSize().cx, 5);
    EXPECT_EQ(part.MinimumSize().cy, 5);
    EXPECT_EQ(part.CurrentSize().cx, 0);
}

TEST(dxSkinnedRect, RendersTheCacheOnceASize) {
    TTestAtlas atlas(10, 10, PatternPixel);
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 10, 10}, TRect{3, 3, 3, 3});
    TSkinDib dib(60, 40);
    part.Draw(dib.DC(), TRect{0, 0, 30, 20});
    const std::vector<DWORD> first = dib.Pixels();
    part.Draw(dib.DC(), TRect{0, 0, 30, 20});
    EXPECT_EQ(part.CacheRenders(), 1);
    EXPECT_EQ(dib.Pixels(), first);
    part.Draw(dib.DC(), TRect{10, 5, 40, 25});  // same size elsewhere
    EXPECT_EQ(part.CacheRenders(), 1);
    part.Draw(dib.DC(), TRect{0, 0, 31, 20});
    EXPECT_EQ(part.CacheRenders(), 2);
    part.Draw(dib.DC(), TRect{0, 0, 30, 20});
    EXPECT_EQ(part.CacheRenders(), 3);
    part.SetInterpolation(5);  // a new look of the same size
    part.Draw(dib.DC(), TRect{0, 0, 30, 20});
    EXPECT_EQ(part.CacheRenders(), 4);
}

TEST(dxSkinnedRect, DrawsItsRectangleOneToOneWithNearestNeighbour) {
    TTestAtlas atlas(12, 10, PatternPixel);
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{2, 1, 9, 8}, TRect{2, 2, 2, 2});
    part.SetInterpolation(5);
    TSkinDib dib(20, 20);
    part.Draw(dib.DC(), TRect{3, 4, 10, 11});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(dib.Rgb(3 + x, 4 + y), PatternPixel(2 + x, 1 + y) & 0xFFFFFF) << x << ", " << y;
    EXPECT_EQ(dib.Rgb(2, 4), 0x808080u);  // nothing outside
    EXPECT_EQ(dib.Rgb(10, 10), 0x808080u);
}

TEST(dxSkinnedRect, StretchesTheMiddleAndKeepsTheCorners) {
    TTestAtlas atlas(7, 7, PatternPixel);
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 7, 7}, TRect{2, 2, 2, 2});
    part.SetInterpolation(5);
    TSkinDib dib(40, 30);
    part.Draw(dib.DC(), TRect{0, 0, 40, 30});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(dib.Rgb(x, y), PatternPixel(x, y) & 0xFFFFFF);
            EXPECT_EQ(dib.Rgb(38 + x, 28 + y), PatternPixel(5 + x, 5 + y) & 0xFFFFFF);
            EXPECT_EQ(dib.Rgb(38 + x, y), PatternPixel(5 + x, y) & 0xFFFFFF);
        }
    // The edges take their colours from the middle column and row of the source only.
    for (int x = 2; x < 38; ++x) {
        const DWORD top = dib.Rgb(x, 0);
        EXPECT_TRUE(top == (PatternPixel(2, 0) & 0xFFFFFF) || top == (PatternPixel(3, 0) & 0xFFFFFF) ||
                    top == (PatternPixel(4, 0) & 0xFFFFFF))
            << x;
    }
}

TEST(dxSkinnedRect, StretchedCellsLeaveNoSeam) {
    // A part of one colour shows that colour everywhere, at every size and in every mode: no
    // row or column of a stretched cell is left out or mixed with what lies outside it.
    for (const DWORD color : {0xFF3060A0u, 0x80FF0000u}) {
        TTestAtlas atlas(12, 12, [=](int, int) { return color; });
        TdxSkinnedRect part;
        part.LoadFromImage(atlas.image, TRect{1, 1, 11, 11}, TRect{3, 3, 3, 3});
        for (int mode : {0, 5, 7}) {
            part.SetInterpolation(mode);
            for (const TSize size : {TSize{40, 30}, TSize{10, 10}, TSize{7, 25}, TSize{5, 5}}) {
                TSkinDib dib(size.cx, size.cy, 0xFFFFFFFF);
                part.Draw(dib.DC(), TRect{0, 0, size.cx, size.cy});
                for (int y = 0; y < size.cy; ++y)
                    for (int x = 0; x < size.cx; ++x)
                        ASSERT_TRUE(ColorsNear(dib.Rgb(x, y), BlendOver(color, 0xFFFFFF), 2))
                            << std::hex << color << std::dec << " mode " << mode << " " << size.cx << " x " << size.cy
                            << " at " << x << ", " << y << ": " << std::hex << dib.Rgb(x, y);
            }
        }
    }
}

TEST(dxSkinnedRect, BlendsWithPerPixelAndConstantAlpha) {
    // Half-transparent red above, opaque blue below.
    TTestAtlas atlas(4, 4, [](int, int y) { return y < 2 ? 0x80FF0000u : 0xFF0000FFu; });
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 4, 4}, TRect{0, 0, 0, 0});
    TSkinDib dib(4, 4, 0xFFFFFFFF);
    part.Draw(dib.DC(), TRect{0, 0, 4, 4});
    EXPECT_TRUE(ColorsNear(dib.Rgb(1, 0), 0xFF7F7F, 2)) << std::hex << dib.Rgb(1, 0);
    EXPECT_EQ(dib.Rgb(1, 3), 0x0000FFu);
    dib.Fill(0xFFFFFFFF);
    part.Draw(dib.DC(), TRect{0, 0, 4, 4}, 128);
    EXPECT_EQ(part.Alpha(), 128);
    EXPECT_TRUE(ColorsNear(dib.Rgb(1, 3), 0x7F7FFF, 2)) << std::hex << dib.Rgb(1, 3);
    EXPECT_TRUE(ColorsNear(dib.Rgb(1, 0), 0xFFBFBF, 2)) << std::hex << dib.Rgb(1, 0);
}

TEST(dxSkinnedRect, GdiPlusHandsOverPremultipliedBitsThatBlendPerPixel) {
    // The handle GDI+ makes of a bitmap holds premultiplied pixels, which is what the system's
    // alpha blending with per-pixel alpha expects.
    TTestAtlas atlas(2, 1, [](int x, int) { return x == 0 ? 0x80FF0000u : 0x00000000u; });
    HBITMAP bitmap = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(atlas.image, &bitmap, 0), GpOk);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), int(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    const DWORD* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
    EXPECT_EQ(bits[0] >> 24, 0x80u);
    EXPECT_NEAR(int((bits[0] >> 16) & 0xFF), 0x80, 1);
    EXPECT_EQ(bits[1], 0u);
    TSkinDib dib(2, 1, 0xFFFFFFFF);
    HDC memory = CreateCompatibleDC(dib.DC());
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_TRUE(SystemAlphaBlend(dib.DC(), memory, TRect{0, 0, 2, 1}, 255, TRect{0, 0, 2, 1}));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    EXPECT_TRUE(ColorsNear(dib.Rgb(0, 0), 0xFF7F7F, 2)) << std::hex << dib.Rgb(0, 0);
    EXPECT_EQ(dib.Rgb(1, 0), 0xFFFFFFu);
}

TEST(dxSkinnedRect, TheWindows9xPathDrawsTheSamePicture) {
    TTestAtlas atlas(6, 6, [](int x, int y) { return (x + y) % 3 == 0 ? 0x60FF8000u : PatternPixel(x, y); });
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 6, 6}, TRect{2, 2, 2, 2});
    part.SetInterpolation(5);
    TSkinDib system(6, 6, 0xFF204060), own(6, 6, 0xFF204060);
    part.Draw(system.DC(), TRect{0, 0, 6, 6}, 200);
    const bool saved = PlatformFlags.Win9xFamily;
    PlatformFlags.Win9xFamily = true;
    part.Draw(own.DC(), TRect{0, 0, 6, 6}, 200);
    PlatformFlags.Win9xFamily = saved;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_TRUE(ColorsNear(own.Rgb(x, y), system.Rgb(x, y), 2))
                << x << ", " << y << ": " << std::hex << own.Rgb(x, y) << " " << system.Rgb(x, y);
}

TEST(dxSkinnedRect, DrawsNothingWhereNothingCanShow) {
    TTestAtlas atlas(6, 6, PatternPixel);
    TSkinDib dib(20, 20);
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 6, 6}, TRect{2, 2, 2, 2});
    part.Draw(dib.DC(), TRect{5, 5, 5, 15});   // no width
    part.Draw(dib.DC(), TRect{5, 15, 15, 5});  // upside down
    ExcludeClipRect(dib.DC(), 0, 0, 10, 10);
    part.Draw(dib.DC(), TRect{2, 2, 8, 8});  // clipped away
    SelectClipRgn(dib.DC(), nullptr);
    EXPECT_FALSE(dib.ChangedFrom(0xFF808080));
    EXPECT_EQ(part.CacheRenders(), 0);

    TdxSkinnedRect suppressed(true);
    suppressed.LoadFromImage(atlas.image, TRect{0, 0, 6, 6}, TRect{2, 2, 2, 2});
    suppressed.Draw(dib.DC(), TRect{0, 0, 10, 10});
    EXPECT_FALSE(dib.ChangedFrom(0xFF808080));
}

TEST(dxSkinnedRect, AnEmptySourceCellIsSkippedNotRefused) {
    // No right margin: squeezed to two pixels, the right cell gets one pixel but its source has
    // none; the left cell still shows.
    TTestAtlas atlas(7, 6, PatternPixel);
    TdxSkinnedRect part;
    part.LoadFromImage(atlas.image, TRect{0, 0, 7, 6}, TRect{2, 0, 0, 0});
    part.SetInterpolation(5);
    TSkinDib dib(4, 6);
    EXPECT_NO_THROW(part.Draw(dib.DC(), TRect{0, 0, 2, 6}));
    EXPECT_EQ(dib.Rgb(0, 3), PatternPixel(0, 3) & 0xFFFFFF);
    EXPECT_EQ(dib.Rgb(1, 3), 0x808080u);
}

TEST(dxSkinnedRect, DecodesAnAtlasStreamIntoAnImageOfItsOwn) {
    TResourceStream resource(GetModuleHandleW(nullptr), L"RIBBONCOMMON", RT_RCDATA);
    TMemoryStream stream;
    stream.WriteBuffer("JUNK", 4);  // read from the current position on
    stream.CopyFrom(&resource, 0);
    stream.SetPosition(4);
    GpImage* image = CreateGpImageFromStream(&stream);
    ASSERT_NE(image, nullptr);
    stream.Clear();  // the image keeps nothing of the stream
    UINT width = 0, height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    EXPECT_EQ(width, 121u);
    EXPECT_EQ(height, 379u);
    int w = 0, h = 0;
    EXPECT_EQ(ImagePixels(image, w, h).size(), size_t(121 * 379));
    GdipDisposeImage(image);

    TMemoryStream empty, junk;
    junk.WriteBuffer("not a picture at all", 20);
    junk.SetPosition(0);
    EXPECT_THROW(CreateGpImageFromStream(&empty), EAssertionFailed);
    EXPECT_THROW(CreateGpImageFromStream(&junk), EAssertionFailed);
}

}  // namespace
