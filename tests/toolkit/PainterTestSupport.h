#pragma once
// A drawing surface for the painter tests: a 32-bit offscreen bitmap with a toolkit canvas over
// it, read back pixel by pixel, and small helpers to compare what two drawings left.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "Bitmap.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxGraphics.h"

class TPaintSurface {
public:
    explicit TPaintSurface(int width, int height, TColor background = clWhite)
        : bitmap_(std::make_unique<TBitmap>(width, height, pf32bit)),
          canvas_(std::make_unique<TcxCanvas>(bitmap_->Canvas())) {
        Fill(background);
    }
    TcxCanvas* Canvas() const { return canvas_.get(); }
    TBitmap* Bitmap() const { return bitmap_.get(); }
    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    TRect Bounds() const { return TRect{0, 0, Width(), Height()}; }

    void Fill(TColor color) {
        bitmap_->Canvas()->Brush()->SetStyle(bsSolid);
        bitmap_->Canvas()->Brush()->SetColor(color);
        bitmap_->Canvas()->FillRect(Bounds());
    }
    // The colour of a pixel as $00BBGGRR.
    TColor At(int x, int y) const {
        GdiFlush();
        DWORD p = static_cast<DWORD*>(bitmap_->ScanLine(y))[x];
        return TColor(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    }
    // The pixels of a colour (system colours resolved) inside r, or the whole surface.
    std::set<std::pair<int, int>> PixelsOf(TColor color) const { return PixelsOf(color, Bounds()); }
    std::set<std::pair<int, int>> PixelsOf(TColor color, const TRect& r) const {
        TColor rgb = ColorToRGB(color);
        std::set<std::pair<int, int>> found;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == rgb) found.insert({x, y});
        return found;
    }
    int Count(TColor color, const TRect& r) const { return int(PixelsOf(color, r).size()); }
    int Count(TColor color) const { return Count(color, Bounds()); }
    // The first pixel, row by row, where two surfaces of one size differ; (-1, -1) when none.
    std::pair<int, int> FirstDifference(const TPaintSurface& other) const {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != other.At(x, y)) return {x, y};
        return {-1, -1};
    }
    bool SameAs(const TPaintSurface& other) const { return FirstDifference(other) == std::pair<int, int>{-1, -1}; }
    // True when no pixel differs from the colour: nothing was drawn.
    bool IsBlank(TColor background = clWhite) const { return Count(background) == Width() * Height(); }

private:
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<TcxCanvas> canvas_;
};

inline TColor RgbColor(TColor color) { return TColor(ColorToRGB(color)); }

using TPainterPixels = std::set<std::pair<int, int>>;

// One answer of a painter's colour and metric operations, asked of a painter and compared with
// the expected value; rectangles and sizes are packed into one number to share the table.
struct TPainterAnswer {
    const char* name;
    std::function<Int64(TcxLookAndFeelPainterClass)> ask;
    Int64 expected;
};
inline Int64 RectCode(const TRect& r) {
    return (Int64(r.left) << 48) | (Int64(r.top & 0xFFFF) << 32) | (Int64(r.right & 0xFFFF) << 16) |
           (r.bottom & 0xFFFF);
}
inline Int64 SizeCode(const TSize& s) { return (Int64(s.cx) << 32) | s.cy; }
inline void CheckPainterAnswers(TcxLookAndFeelPainterClass painter, const std::vector<TPainterAnswer>& answers) {
    for (const TPainterAnswer& a : answers) EXPECT_EQ(a.ask(painter), a.expected) << a.name;
}
