// The canvas wrapper, drawn on 32-bit offscreen bitmaps and checked by its pixels.

#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "cxGraphics.h"

namespace {

// A white 32-bit bitmap with a wrapper over its canvas.
class CanvasFixture : public testing::Test {
protected:
    void SetUp() override { Make(40, 30); }
    void Make(int w, int h) {
        canvas.reset();
        bitmap = std::make_unique<TBitmap>(w, h, pf32bit);
        bitmap->Canvas()->Brush()->SetColor(clWhite);
        bitmap->Canvas()->FillRect(Rect(0, 0, w, h));
        canvas = std::make_unique<TcxCanvas>(bitmap->Canvas());
    }
    // The RGB of a pixel as a TColor ($00BBGGRR).
    TColor At(int x, int y) {
        GdiFlush();
        auto* row = static_cast<DWORD*>(bitmap->ScanLine(y));
        DWORD p = row[x];
        return TColor(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    }
    int CountOf(TColor color, const TRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
        return n;
    }
    TRect ClipBox() {
        TRect box;
        GetClipBox(canvas->GetCanvasHandle(), &box);
        return box;
    }
    std::unique_ptr<TBitmap> bitmap;
    std::unique_ptr<TcxCanvas> canvas;
};

constexpr TColor red = 0x0000FF, blue = 0xFF0000, green = 0x00FF00;

}  // namespace

TEST(cxTextFlags, ConvertTextFlags) {
    struct Case {
        Word flags;
        UINT expected;
    } cases[] = {
        {0, DT_NOPREFIX},
        {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
        {cxAlignRight | cxAlignBottom | cxSingleLine, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX},
        {cxAlignHCenter | cxAlignVCenter, DT_CENTER | DT_VCENTER | DT_NOPREFIX},
        {cxShowPrefix, 0},
        {cxWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
        {cxWordBreak | cxDontBreakChars, DT_WORDBREAK | DT_NOPREFIX},
        {cxDontBreakChars, DT_NOPREFIX},
        {cxDontClip | cxExpandTabs | cxShowEndEllipsis | cxDontPrint | cxShowPathEllipsis,
         DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertTextFlags(c.flags), c.expected) << std::hex << c.flags;
}

TEST(cxRegion, CombineOffsetAndEmptiness) {
    std::unique_ptr<TcxRegion> region(TcxRegion::CreateFromBounds(0, 0, 10, 10));
    EXPECT_FALSE(region->IsEmpty());
    region->CombineWith(TcxRegion::CreateFromBounds(5, 0, 10, 10), roSubtract);
    TRect box;
    GetRgnBox(region->Handle(), &box);
    EXPECT_EQ(box.right, 5);
    region->CombineWith(TcxRegion::CreateFromBounds(20, 20, 30, 30), roAdd);
    GetRgnBox(region->Handle(), &box);
    EXPECT_EQ(box.bottom, 30);
    region->CombineWith(TcxRegion::CreateFromBounds(100, 100, 101, 101), roIntersect);
    EXPECT_TRUE(region->IsEmpty());
    std::unique_ptr<TcxRegion> kept(TcxRegion::CreateFromRect(Rect(1, 2, 3, 4)));
    region->CombineWith(kept.get(), roSet, false);
    region->OffsetBy(10, 10);
    GetRgnBox(region->Handle(), &box);
    EXPECT_EQ(box.left, 11);
    EXPECT_EQ(box.top, 12);
    std::unique_ptr<TcxRegion> empty(TcxRegion::CreateEmpty());
    EXPECT_TRUE(empty->IsEmpty());
    empty->ReleaseHandle();
    EXPECT_EQ(empty->Handle(), nullptr);
    EXPECT_TRUE(empty->IsEmpty());
}

TEST_F(CanvasFixture, CopyClipRegionWithoutClipIsTheNoClipRectShiftedToLogical) {
    canvas->SetWindowOrigin(Point(5, 7));
    std::unique_ptr<TcxRegion> device(canvas->CopyClipRegion(false));
    std::unique_ptr<TcxRegion> logical(canvas->CopyClipRegion(true));
    TRect box;
    GetRgnBox(device->Handle(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 30000);
    GetRgnBox(logical->Handle(), &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 7);
    EXPECT_EQ(box.bottom, 30007);
    EXPECT_EQ(canvas->DeviceOrigin().x, -5);
}

TEST_F(CanvasFixture, PushIntersectPopRestoresTheClipAlsoWithAShiftedOrigin) {
    canvas->SetWindowOrigin(Point(3, 4));
    canvas->IntersectClipWithRect(Rect(5, 6, 30, 25));
    TRect before = ClipBox();
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(Rect(10, 10, 12, 12));
    EXPECT_EQ(ClipBox().right, 12);
    canvas->PopClipRegion();
    TRect after = ClipBox();
    EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top << "," << after.right;
    canvas->PopClipRegion();  // empty stack: nothing
    after = ClipBox();
    EXPECT_TRUE(EqualRect(&before, &after));
    // Drawing honours the restored clip.
    canvas->FillRectWithColor(Rect(0, 0, 100, 100), red);
    EXPECT_EQ(At(5 - 3, 6 - 4), red);
    EXPECT_EQ(At(4 - 3, 6 - 4), clWhite);
}

TEST_F(CanvasFixture, ApplyClipRegionOperationsAndTheKeptRegion) {
    std::unique_ptr<TcxRegion> region(TcxRegion::CreateFromBounds(0, 0, 10, 10));
    canvas->SetWindowOrigin(Point(-2, 0));
    canvas->ApplyClipRegion(region.get(), roSet, true, false);
    TRect box;
    GetRgnBox(region->Handle(), &box);
    EXPECT_EQ(box.left, 0) << "a region that is kept is shifted back";
    canvas->ApplyClipRegion(TcxRegion::CreateFromBounds(0, 0, 5, 10), roSubtract);
    canvas->FillRectWithColor(Rect(-10, -10, 50, 50), blue);
    EXPECT_EQ(At(2 + 4, 5), clWhite);
    EXPECT_EQ(At(2 + 5, 5), blue);
    EXPECT_EQ(At(2 + 9, 5), blue);
    EXPECT_EQ(At(2 + 10, 5), clWhite);
}

TEST_F(CanvasFixture, PopStateRestoresToolsAndTheDCAndAnEmptyPopTouchesNothing) {
    canvas->GetCanvasBrush()->SetColor(red);
    canvas->GetCanvasFont()->SetColor(green);
    canvas->PushDC();
    canvas->SetWindowOrigin(Point(1, 1));
    canvas->PopState();  // no state saved: the DC stack stays as it is
    EXPECT_EQ(canvas->GetWindowOrigin().x, 1);
    canvas->PopDC();
    EXPECT_EQ(canvas->GetWindowOrigin().x, 0);
    canvas->PushState();
    canvas->GetCanvasBrush()->SetColor(blue);
    canvas->GetCanvasFont()->SetColor(blue);
    canvas->SetWindowOrigin(Point(9, 9));
    canvas->FillRectWithColor(Rect(9, 9, 11, 11), clDefault);
    canvas->PopState();
    EXPECT_EQ(canvas->GetCanvasBrush()->Color(), red);
    EXPECT_EQ(canvas->GetCanvasFont()->Color(), green);
    EXPECT_EQ(canvas->GetWindowOrigin().x, 0);
    EXPECT_EQ(At(0, 0), blue);
    canvas->FillRectWithColor(Rect(0, 0, 1, 1), clDefault);
    EXPECT_EQ(At(0, 0), red) << "the restored brush is selected again";
}

TEST_F(CanvasFixture, FillRectWithColorNoneAndDefault) {
    canvas->GetCanvasBrush()->SetColor(green);
    canvas->FillRectWithColor(Rect(0, 0, 10, 10), clNone);
    EXPECT_EQ(At(5, 5), clWhite);
    canvas->FillRectWithColor(Rect(0, 0, 10, 10), clDefault);
    EXPECT_EQ(At(5, 5), green);
    canvas->FillRectWithColor(Rect(0, 0, 10, 10), red);
    EXPECT_EQ(At(5, 5), red);
    EXPECT_EQ(At(10, 5), clWhite);
}

TEST_F(CanvasFixture, FillRectWithTileAlignsToTheOriginAlsoForNegativeCoordinates) {
    // A 4 x 4 tile: red left column, blue elsewhere.
    TBitmap tile(4, 4, pf32bit);
    tile.Canvas()->Brush()->SetColor(blue);
    tile.Canvas()->FillRect(Rect(0, 0, 4, 4));
    tile.Canvas()->Brush()->SetColor(red);
    tile.Canvas()->FillRect(Rect(0, 0, 1, 4));
    canvas->SetWindowOrigin(Point(-20, -10));  // logical -20 is device 0
    canvas->FillRectWithTile(Rect(-7, -5, 9, 3), &tile, true);
    // Logical x = -8, -4, 0, 4, 8 are red columns; device x = logical + 20.
    for (int lx = -7; lx < 9; ++lx) {
        bool redColumn = ((lx % 4) + 4) % 4 == 0;
        EXPECT_EQ(At(lx + 20, -5 + 10), redColumn ? red : blue) << lx;
        EXPECT_EQ(At(lx + 20, 2 + 10), redColumn ? red : blue) << lx;
    }
    EXPECT_EQ(At(-8 + 20, 0 + 10), clWhite);
    EXPECT_EQ(At(9 + 20, 0 + 10), clWhite);
    EXPECT_EQ(At(0 + 20, 3 + 10), clWhite);
    // The filled area is excluded from later drawing.
    canvas->FillRectWithColor(Rect(-20, -10, 20, 20), green);
    EXPECT_EQ(At(-6 + 20, 0 + 10), blue);
    EXPECT_EQ(At(-8 + 20, 0 + 10), green);
}

TEST_F(CanvasFixture, FillRectWithTileWithoutBitmapUsesTheBrushAndEmptyDrawsNothing) {
    canvas->GetCanvasBrush()->SetColor(green);
    canvas->FillRectWithTile(Rect(5, 5, 5, 20), nullptr, true);
    canvas->FillRectWithTile(Rect(0, 0, 3, 3), nullptr);
    EXPECT_EQ(CountOf(green, Rect(0, 0, 40, 30)), 9);
}

TEST_F(CanvasFixture, FrameRectBordersStaysInsideAndExcludes) {
    canvas->FrameRectBorders(Rect(2, 2, 8, 6), red, 10, TcxBorders{bLeft, bBottom}, false);
    EXPECT_EQ(CountOf(red, Rect(0, 0, 40, 30)), 6 * 4);
    canvas->FrameRectBorders(Rect(10, 10, 20, 20), blue, 2, cxBordersAll, true);
    EXPECT_EQ(CountOf(blue, Rect(10, 10, 20, 20)), 100 - 36);
    EXPECT_EQ(At(12, 12), clWhite);
    canvas->FillRectWithColor(Rect(0, 0, 40, 30), green);
    EXPECT_EQ(CountOf(blue, Rect(10, 10, 20, 20)), 64);
    EXPECT_EQ(At(12, 12), green);
    canvas->FrameRectBorders(Rect(30, 5, 30, 10), red, 1);  // empty: nothing
    EXPECT_EQ(At(30, 6), green);
}

TEST_F(CanvasFixture, FillFramedRectAndTwoToneAndBevel) {
    TcxViewParams background{nullptr, green};
    canvas->FillFramedRect(Rect(0, 0, 10, 10), background, TcxBorders{bLeft, bTop}, red, 2);
    EXPECT_EQ(At(1, 5), red);
    EXPECT_EQ(At(5, 1), red);
    EXPECT_EQ(At(2, 2), green);
    EXPECT_EQ(At(9, 9), green);
    canvas->DrawTwoToneBorders(Rect(20, 0, 30, 10), red, blue, cxBordersAll, 1);
    EXPECT_EQ(At(20, 5), red);
    EXPECT_EQ(At(25, 0), red);
    EXPECT_EQ(At(29, 5), blue);
    EXPECT_EQ(At(25, 9), blue);
    EXPECT_EQ(At(25, 5), clWhite);
    canvas->DrawBevelBorders(Rect(0, 15, 10, 25), true, true);
    EXPECT_EQ(At(0, 20), TColor(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(At(9, 20), TColor(ColorToRGB(clBtnHighlight)));
    canvas->DrawBevelBorders(Rect(20, 15, 30, 25), false, true);
    EXPECT_EQ(At(20, 20), TColor(ColorToRGB(cl3DLight)));
    EXPECT_EQ(At(29, 20), TColor(ColorToRGB(cl3DDkShadow)));
}

TEST_F(CanvasFixture, InvertAndFocusFrames) {
    canvas->InvertRectArea(Rect(0, 0, 2, 2));
    EXPECT_EQ(At(1, 1), clBlack);
    EXPECT_EQ(At(2, 2), clWhite);
    EXPECT_EQ(bitmap->Canvas()->CopyMode(), cmSrcCopy);
    canvas->DrawThickFocusRect(Rect(10, 10, 20, 20), 2);
    // Two nested dotted frames: pixels change on both the outer and the inner ring.
    EXPECT_GT(10 - CountOf(clWhite, Rect(10, 10, 20, 11)), 0);
    EXPECT_GT(8 - CountOf(clWhite, Rect(11, 11, 19, 12)), 0);
    EXPECT_EQ(CountOf(clWhite, Rect(12, 12, 18, 18)), 36);
}

TEST_F(CanvasFixture, CopyObjectsFromDCTakesFontBrushAndPen) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -20;
    wcscpy(lf.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&lf);
    HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_DOT, 1, RGB(4, 5, 6));
    HGDIOBJ oldFont = SelectObject(dc, font), oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    SetTextColor(dc, RGB(7, 8, 9));
    SetROP2(dc, R2_XORPEN);
    canvas->CopyObjectsFromDC(dc);
    EXPECT_EQ(canvas->GetCanvasFont()->Height(), -20);
    EXPECT_EQ(canvas->GetCanvasFont()->Color(), TColor(RGB(7, 8, 9)));
    EXPECT_EQ(canvas->GetCanvasBrush()->Style(), bsCross);
    EXPECT_EQ(canvas->GetCanvasBrush()->Color(), TColor(RGB(1, 2, 3)));
    EXPECT_EQ(canvas->GetCanvasPen()->Style(), psDot);
    EXPECT_EQ(canvas->GetCanvasPen()->Color(), TColor(RGB(4, 5, 6)));
    EXPECT_EQ(canvas->GetCanvasPen()->Mode(), pmXor);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_COPYPEN);
    canvas->CopyObjectsFromDC(dc);
    EXPECT_EQ(canvas->GetCanvasBrush()->Style(), bsClear);
    EXPECT_EQ(canvas->GetCanvasPen()->Mode(), pmCopy);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(font);
    DeleteObject(brush);
    DeleteObject(pen);
    DeleteDC(dc);
}

TEST_F(CanvasFixture, MeasureAndCalcTextRect) {
    EXPECT_EQ(canvas->MeasureText(L"").cx, 0);
    EXPECT_EQ(canvas->MeasureText(L"").cy, 0);
    TSize size = canvas->MeasureText(L"Hello");
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    EXPECT_EQ(canvas->WidthOfText(L"Hello"), size.cx);
    // Aligned inside the given rectangle.
    TRect r = Rect(0, 0, 200, 100);
    canvas->CalcTextRect(L"Hello", r, cxSingleLine | cxAlignRight | cxAlignBottom);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.bottom, 100);
    EXPECT_EQ(RectWidth(r), size.cx);
    r = Rect(0, 0, 200, 100);
    canvas->CalcTextRect(L"Hello", r, cxSingleLine | cxAlignHCenter | cxAlignVCenter);
    EXPECT_EQ(r.left, (200 - size.cx) / 2);
    EXPECT_EQ(r.top, (100 - size.cy) / 2);
    // A zero-width rectangle measures with a width of 1: each word on its own row.
    r = Rect(10, 10, 10, 10);
    canvas->CalcTextRect(L"aa bb cc", r, cxWordBreak | cxDontBreakChars);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(RectHeight(r), 3 * size.cy);
}

TEST_F(CanvasFixture, PlaceTextVertically) {
    int h = canvas->HeightOfText(L"W");
    TRect r = Rect(0, 0, 200, 100);
    canvas->PlaceTextVertically(r, L"W", vtpNone, false, false, true, false);
    EXPECT_EQ(r.top, 0);
    canvas->PlaceTextVertically(r, L"W", vtpBottom, false, false, false, false);
    EXPECT_EQ(r.top, 100 - (h + 1));
    r = Rect(0, 0, 200, 100);
    canvas->PlaceTextVertically(r, L"W", vtpCenter, false, false, true, false);
    EXPECT_EQ(r.top, (100 - h) / 2);
}

TEST_F(CanvasFixture, DrawTextInRectAlignsAndEmbossesDisabledText) {
    Make(120, 40);
    canvas->GetCanvasFont()->SetColor(clBlack);
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    TSize size = canvas->MeasureText(L"MMM");
    canvas->DrawTextInRect(L"MMM", Rect(0, 0, 120, 40), cxSingleLine | cxAlignRight | cxAlignBottom, true);
    // Right and bottom aligned: nothing drawn left of the text.
    EXPECT_EQ(CountOf(clBlack, Rect(0, 0, 120 - size.cx, 40)), 0);
    EXPECT_GT(CountOf(clBlack, Rect(120 - size.cx, 40 - size.cy, 120, 40)), 0);

    Make(120, 40);
    TColor shadow = TColor(ColorToRGB(clBtnShadow)), highlight = TColor(ColorToRGB(clBtnHighlight));
    // A grey background so that a white highlight shows.
    bitmap->Canvas()->Brush()->SetColor(0x808000);
    bitmap->Canvas()->FillRect(Rect(0, 0, 120, 40));
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
    canvas->GetCanvasBrush()->SetColor(0x808000);
    canvas->GetCanvasFont()->SetColor(clBlack);
    canvas->DrawTextInRect(L"MMM", Rect(5, 5, 115, 35), cxSingleLine, false);
    int shadows = CountOf(shadow, Rect(0, 0, 120, 40));
    int highlights = CountOf(highlight, Rect(0, 0, 120, 40));
    EXPECT_GT(shadows, 0);
    EXPECT_GT(highlights, 0);
    // The highlight copy sits one pixel right and down of the shadow copy.
    int firstShadowX = 200, firstHighlightX = 200;
    for (int x = 0; x < 120 && (firstShadowX == 200 || firstHighlightX == 200); ++x)
        for (int y = 0; y < 40; ++y) {
            if (At(x, y) == shadow && firstShadowX == 200) firstShadowX = x;
            if (At(x, y) == highlight && firstHighlightX == 200) firstHighlightX = x;
        }
    EXPECT_EQ(firstHighlightX, firstShadowX + 1);
    EXPECT_EQ(canvas->GetCanvasBrush()->Style(), bsSolid);
    EXPECT_EQ(canvas->GetCanvasFont()->Color(), clBlack);
}

TEST(cxScreenCanvas, SharedScreenCanvasMeasuresText) {
    TcxScreenCanvas* screen = SharedScreenCanvas();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(SharedScreenCanvas(), screen);
    EXPECT_NE(screen->GetCanvasHandle(), nullptr);
    EXPECT_GT(screen->WidthOfText(L"Hello"), 0);
    std::unique_ptr<TcxScreenCanvas> own(TcxScreenCanvas::CreateForScreen());
    own->SetCanvasFont(screen->GetCanvasFont());
    EXPECT_EQ(own->WidthOfText(L"Hello"), screen->WidthOfText(L"Hello"));
}
