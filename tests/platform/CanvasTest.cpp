#include <gtest/gtest.h>

#include <functional>

#include "Bitmap.h"
#include "Canvas.h"
#include "PixelSurface.h"
#include "TestSupport.h"

namespace {

// A white 24-bit bitmap to draw on.
struct CanvasFixture : testing::Test {
    TBitmap bitmap{40, 30, pf24bit};
    TCanvas* canvas = bitmap.Canvas();

    // Every pixel for which inside(x, y) holds has colour `in`, every other one `out`.
    void ExpectRegion(const std::function<bool(int, int)>& inside, TColor in, TColor out) {
        int wrong = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) {
                TColor expected = inside(x, y) ? in : out;
                if (ColorAt(bitmap, x, y) != expected && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << ColorAt(bitmap, x, y)
                                  << ", expected " << expected;
            }
    }
};

TEST_F(CanvasFixture, NewBitmapIsWhite) {
    ExpectRegion([](int, int) { return false; }, clBlack, clWhite);
}

TEST_F(CanvasFixture, FillRectCoversRectangleWithoutRightAndBottomEdge) {
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(4, 5, 12, 9));
    ExpectRegion([](int x, int y) { return x >= 4 && x < 12 && y >= 5 && y < 9; }, clRed, clWhite);
}

TEST_F(CanvasFixture, ClearBrushFillsNothing) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->FillRect(Rect(0, 0, 40, 30));
    ExpectRegion([](int, int) { return false; }, clBlack, clWhite);
}

TEST_F(CanvasFixture, FrameRectDrawsOnePixelBorder) {
    canvas->Brush()->SetColor(clBlue);
    canvas->FrameRect(Rect(2, 3, 10, 8));
    ExpectRegion(
        [](int x, int y) {
            bool inBox = x >= 2 && x < 10 && y >= 3 && y < 8;
            bool edge = x == 2 || x == 9 || y == 3 || y == 7;
            return inBox && edge;
        },
        clBlue, clWhite);
}

TEST_F(CanvasFixture, LineExcludesEndPointAndUpdatesPenPos) {
    canvas->Pen()->SetColor(clGreen);
    canvas->MoveTo(3, 6);
    canvas->LineTo(15, 6);
    ExpectRegion([](int x, int y) { return y == 6 && x >= 3 && x < 15; }, clGreen, clWhite);
    EXPECT_EQ(canvas->PenPos().x, 15);
    EXPECT_EQ(canvas->PenPos().y, 6);
}

TEST_F(CanvasFixture, PolylineFollowsPoints) {
    canvas->Pen()->SetColor(clBlack);
    canvas->Polyline({Point(1, 1), Point(1, 10), Point(8, 10)});
    ExpectRegion([](int x, int y) { return (x == 1 && y >= 1 && y <= 10) || (y == 10 && x >= 1 && x < 8); }, clBlack,
                 clWhite);
}

TEST_F(CanvasFixture, PolygonIsFilledWithBrushAndOutlinedWithPen) {
    canvas->Brush()->SetColor(clYellow);
    canvas->Pen()->SetColor(clNavy);
    canvas->Polygon({Point(0, 0), Point(20, 0), Point(0, 20)});
    EXPECT_EQ(ColorAt(bitmap, 0, 0), clNavy);
    EXPECT_EQ(ColorAt(bitmap, 10, 0), clNavy);
    EXPECT_EQ(ColorAt(bitmap, 4, 4), clYellow);
    EXPECT_EQ(ColorAt(bitmap, 15, 15), clWhite);
    EXPECT_EQ(ColorAt(bitmap, 25, 2), clWhite);
}

TEST_F(CanvasFixture, RectangleAndEllipse) {
    canvas->Brush()->SetColor(clLime);
    canvas->Pen()->SetColor(clRed);
    canvas->Rectangle(2, 2, 12, 12);
    EXPECT_EQ(ColorAt(bitmap, 2, 2), clRed);
    EXPECT_EQ(ColorAt(bitmap, 11, 11), clRed);
    EXPECT_EQ(ColorAt(bitmap, 6, 6), clLime);
    EXPECT_EQ(ColorAt(bitmap, 12, 12), clWhite);

    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetColor(clBlue);
    canvas->Ellipse(20, 0, 40, 20);
    EXPECT_EQ(ColorAt(bitmap, 30, 10), clBlue);
    EXPECT_EQ(ColorAt(bitmap, 21, 1), clWhite);  // the corner of the bounding box stays free
    EXPECT_EQ(ColorAt(bitmap, 38, 18), clWhite);
}

TEST_F(CanvasFixture, PixelsReadAndWrite) {
    canvas->SetPixels(7, 8, clFuchsia);
    EXPECT_EQ(canvas->Pixels(7, 8), clFuchsia);
    EXPECT_EQ(ColorAt(bitmap, 7, 8), clFuchsia);
    EXPECT_EQ(canvas->Pixels(8, 8), clWhite);
}

TEST_F(CanvasFixture, SystemColoursGoThroughGetSysColor) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(ColorAt(bitmap, 0, 0), TColor(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(CanvasFixture, OpaqueTextFillsExactlyItsExtent) {
    canvas->Brush()->SetColor(clYellow);
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetHeight(-12);
    const String text = L"Hello";
    TSize extent = canvas->TextExtent(text);
    ASSERT_GT(extent.cx, 10);
    ASSERT_GT(extent.cy, 8);
    ASSERT_LT(5 + extent.cx, 40);
    canvas->TextOut(5, 6, text);
    int inkPixels = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            bool inside = x >= 5 && x < 5 + extent.cx && y >= 6 && y < 6 + extent.cy;
            TColor c = ColorAt(bitmap, x, y);
            if (!inside) {
                EXPECT_EQ(c, clWhite) << x << "," << y;
            } else {
                EXPECT_NE(c, clWhite) << x << "," << y;
                if (c != clYellow) ++inkPixels;
            }
        }
    EXPECT_GT(inkPixels, 10);
    EXPECT_EQ(canvas->TextWidth(text), extent.cx);
}

TEST_F(CanvasFixture, TransparentTextKeepsBackgroundAndTextRectClips) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetHeight(-16);
    canvas->TextRect(Rect(0, 0, 10, 30), 0, 0, L"WWWWWW");
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            TColor c = ColorAt(bitmap, x, y);
            if (x >= 10) {
                EXPECT_EQ(c, clWhite) << x << "," << y;
            } else if (c != clWhite) {
                ++ink;
            }
        }
    EXPECT_GT(ink, 5);
}

TEST_F(CanvasFixture, CopyRectStretchesWithCopyMode) {
    TBitmap source(2, 2, pf24bit);
    source.Canvas()->SetPixels(0, 0, clRed);
    source.Canvas()->SetPixels(1, 0, clGreen);
    source.Canvas()->SetPixels(0, 1, clBlue);
    source.Canvas()->SetPixels(1, 1, clBlack);
    canvas->CopyRect(Rect(10, 10, 14, 14), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(ColorAt(bitmap, 10, 10), clRed);
    EXPECT_EQ(ColorAt(bitmap, 13, 11), clGreen);
    EXPECT_EQ(ColorAt(bitmap, 11, 13), clBlue);
    EXPECT_EQ(ColorAt(bitmap, 13, 13), clBlack);
    EXPECT_EQ(ColorAt(bitmap, 14, 14), clWhite);

    canvas->SetCopyMode(cmNotSrcCopy);
    canvas->CopyRect(Rect(0, 0, 2, 2), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(ColorAt(bitmap, 0, 0), TColor(0xFFFF00));  // not red
}

TEST_F(CanvasFixture, BrushCopyPaintsBrushOverKeyColour) {
    TBitmap glyph(3, 1, pf24bit);
    glyph.Canvas()->SetPixels(0, 0, clRed);
    glyph.Canvas()->SetPixels(1, 0, clFuchsia);
    glyph.Canvas()->SetPixels(2, 0, clBlue);
    canvas->Brush()->SetColor(clLime);
    canvas->BrushCopy(Rect(0, 0, 3, 1), &glyph, Rect(0, 0, 3, 1), clFuchsia);
    EXPECT_EQ(ColorAt(bitmap, 0, 0), clRed);
    EXPECT_EQ(ColorAt(bitmap, 1, 0), clLime);
    EXPECT_EQ(ColorAt(bitmap, 2, 0), clBlue);
}

TEST_F(CanvasFixture, DrawAndStretchDrawGraphic) {
    TBitmap picture(2, 1, pf32bit);
    picture.Canvas()->SetPixels(0, 0, clRed);
    picture.Canvas()->SetPixels(1, 0, clBlue);
    canvas->Draw(5, 5, &picture);
    EXPECT_EQ(ColorAt(bitmap, 5, 5), clRed);
    EXPECT_EQ(ColorAt(bitmap, 6, 5), clBlue);
    EXPECT_EQ(ColorAt(bitmap, 7, 5), clWhite);
    canvas->StretchDraw(Rect(20, 20, 24, 22), &picture);
    EXPECT_EQ(ColorAt(bitmap, 21, 21), clRed);
    EXPECT_EQ(ColorAt(bitmap, 22, 20), clBlue);
}

TEST_F(CanvasFixture, ChangingToolsLeaksNoGdiObjects) {
    canvas->TextOut(0, 0, L"warm up");
    canvas->LineTo(5, 5);
    canvas->FillRect(Rect(0, 0, 2, 2));
    DWORD before = GdiObjectCount();
    for (int i = 0; i < 300; ++i) {
        canvas->Font()->SetHeight(-10 - i % 7);
        canvas->Pen()->SetWidth(1 + i % 3);
        canvas->Brush()->SetColor(TColor(i * 4099));
        canvas->TextOut(0, 0, L"x");
        canvas->LineTo(i % 40, 3);
        canvas->FillRect(Rect(0, 0, 2, 2));
    }
    EXPECT_LE(GdiObjectCount(), before + 2);
}

TEST_F(CanvasFixture, PatternBrushTilesItsBitmap) {
    TBitmap pattern(2, 2, pf24bit);
    pattern.Canvas()->SetPixels(0, 0, clRed);
    pattern.Canvas()->SetPixels(1, 1, clRed);
    canvas->Brush()->SetBitmap(&pattern);
    canvas->FillRect(Rect(0, 0, 8, 8));
    canvas->Brush()->SetBitmap(nullptr);
    int red = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) red += ColorAt(bitmap, x, y) == clRed;
    EXPECT_EQ(red, 32);  // a checkerboard: half the pixels
    EXPECT_NE(ColorAt(bitmap, 0, 0), ColorAt(bitmap, 1, 0));
    EXPECT_EQ(ColorAt(bitmap, 9, 9), clWhite);
}

TEST(Canvas, OwnedHandleIsDeletedWhenReplaced) {
    TCanvas canvas;
    HDC owned = CreateCompatibleDC(nullptr);
    canvas.SetHandle(owned, true);
    canvas.TextOut(0, 0, L"x");
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetObjectType(owned), 0u);
}

TEST(Canvas, BorrowedHandleIsSwitchedAndNotDeleted) {
    TBitmap a(4, 4, pf24bit), b(4, 4, pf24bit);
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    canvas.Brush()->SetColor(clRed);
    canvas.SetHandle(a.Canvas()->Handle());
    canvas.FillRect(Rect(0, 0, 4, 4));
    HDC bHandle = b.Canvas()->Handle();
    canvas.SetHandle(bHandle);
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(Rect(0, 0, 4, 4));
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetObjectType(bHandle), DWORD(OBJ_MEMDC));  // the borrowed context is still alive
    EXPECT_EQ(ColorAt(a, 1, 1), clRed);
    EXPECT_EQ(ColorAt(b, 1, 1), clBlue);
}

// A canvas that acquires its context when first drawn on, as windowed controls do.
class TScreenLikeCanvas : public TCanvas {
public:
    explicit TScreenLikeCanvas(TBitmap* target) : target_(target) {}
    ~TScreenLikeCanvas() override { FreeHandle(); }
    int acquired = 0, released = 0;
    void FreeHandle() override {
        if (!HandleAllocated()) return;
        HDC dc = Handle();
        SetHandle(nullptr);
        SelectObject(dc, old_);
        DeleteDC(dc);
        ++released;
    }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, target_->Handle());
        ++acquired;
        SetHandle(dc);
    }

private:
    TBitmap* target_;
    HGDIOBJ old_ = nullptr;
};

TEST(Canvas, SubclassAcquiresContextOnDemand) {
    TBitmap target(3, 3, pf24bit);
    DWORD before = GdiObjectCount();
    {
        TScreenLikeCanvas canvas(&target);
        EXPECT_FALSE(canvas.HandleAllocated());
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 3, 3));
        canvas.FillRect(Rect(0, 0, 1, 1));
        EXPECT_EQ(canvas.acquired, 1);
        canvas.FreeHandle();
        EXPECT_EQ(canvas.released, 1);
    }
    EXPECT_EQ(ColorAt(target, 2, 2), clRed);
    EXPECT_LE(GdiObjectCount(), before);
}

TEST(Canvas, LockCounts) {
    TCanvas canvas;
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 1);
    EXPECT_TRUE(canvas.TryLock());
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

}  // namespace
