#include "dxSkinnedRect.h"

#include <cstring>
#include <utility>

#include "cxImageStates.h"
#include "dxCore.h"

// Sections: GDI+ ownership · decoding an atlas · the part.

// ---- GDI+ ownership ------------------------------------------------------------------------

namespace {

// Atlases are small; a larger claim in a damaged file is refused before memory is taken.
constexpr Int64 kMaxAtlasBytes = 64 * 1024 * 1024;
constexpr UINT kMaxAtlasSide = 16384;

struct TGpImageOwner {
    GpImage* image = nullptr;
    ~TGpImageOwner() {
        if (image) GdipDisposeImage(image);
    }
    GpImage* Release() { return std::exchange(image, nullptr); }
};

struct TGpGraphicsOwner {
    GpGraphics* graphics = nullptr;
    ~TGpGraphicsOwner() {
        if (graphics) GdipDeleteGraphics(graphics);
    }
};

// A graphics object drawing onto the image with the interpolation, replacing the pixels it
// draws (no blending with what the image held).
void OpenCopyingGraphics(GpImage* image, INT interpolation, TGpGraphicsOwner& owner) {
    CheckGdipStatus(GdipGetImageGraphicsContext(image, &owner.graphics));
    CheckGdipStatus(GdipSetInterpolationMode(owner.graphics, interpolation));
    CheckGdipStatus(GdipSetCompositingMode(owner.graphics, CompositingModeSourceCopy));
}

GpImage* NewBitmap(int width, int height, GpPixelFormat format) {
    GpImage* image = nullptr;
    CheckGdipStatus(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &image));
    return image;
}

struct TGlobalBlockOwner {
    HGLOBAL block = nullptr;
    ~TGlobalBlockOwner() {
        if (block) GlobalFree(block);
    }
};

struct TComStreamOwner {
    IStream* stream = nullptr;
    ~TComStreamOwner() {
        if (stream) stream->Release();
    }
};

struct TMemoryDCOwner {
    HDC dc;
    HGDIOBJ previous;
    TMemoryDCOwner(HDC like, HBITMAP bitmap) : dc(CreateCompatibleDC(like)) {
        GdipAssert(dc != nullptr);
        previous = SelectObject(dc, bitmap);
    }
    ~TMemoryDCOwner() {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
};

// A copy of the decoded pixels that GDI+ will never read from the stream again: a decoder may
// keep the stream to decode lazily, and the stream's memory is freed right after.
GpImage* IndependentCopy(GpImage* decoded) {
    UINT width = 0, height = 0;
    CheckGdipStatus(GdipGetImageWidth(decoded, &width));
    CheckGdipStatus(GdipGetImageHeight(decoded, &height));
    GdipAssert(width > 0 && height > 0 && width <= kMaxAtlasSide && height <= kMaxAtlasSide);
    TGpImageOwner copy;
    CheckGdipStatus(GdipCreateBitmapFromScan0(INT(width), INT(height), 0, PixelFormat32bppARGB, nullptr, &copy.image));
    const GpRect all{0, 0, INT(width), INT(height)};
    GpBitmapData source{}, target{};
    CheckGdipStatus(GdipBitmapLockBits(decoded, &all, ImageLockModeRead, PixelFormat32bppARGB, &source));
    const GpStatus locked = GdipBitmapLockBits(copy.image, &all, ImageLockModeWrite, PixelFormat32bppARGB, &target);
    if (locked == GpOk) {
        for (UINT y = 0; y < height; ++y)
            std::memcpy(static_cast<Byte*>(target.Scan0) + Int64(y) * target.Stride,
                        static_cast<const Byte*>(source.Scan0) + Int64(y) * source.Stride, size_t(width) * 4);
        GdipBitmapUnlockBits(copy.image, &target);
    }
    GdipBitmapUnlockBits(decoded, &source);
    CheckGdipStatus(locked);
    return copy.Release();
}

}  // namespace

// ---- decoding an atlas ---------------------------------------------------------------------

GpImage* CreateGpImageFromStream(TStream* stream) {
    if (!GdiPlusUsable()) return nullptr;
    const Int64 size = stream->Size() - stream->Position();
    GdipAssert(size > 0 && size <= kMaxAtlasBytes);
    // Released in reverse order: the decoded image, then the OLE stream, then its memory.
    TGlobalBlockOwner block{GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, SIZE_T(size))};
    GdipAssert(block.block != nullptr);
    void* data = GlobalLock(block.block);
    GdipAssert(data != nullptr);
    try {
        stream->ReadBuffer(data, Integer(size));
    } catch (...) {
        GlobalUnlock(block.block);
        throw;
    }
    GlobalUnlock(block.block);
    TComStreamOwner ole;
    GdipAssert(SUCCEEDED(CreateStreamOnHGlobal(block.block, FALSE, &ole.stream)));
    TGpImageOwner decoded;
    CheckGdipStatus(GdipCreateBitmapFromStream(ole.stream, &decoded.image));
    return IndependentCopy(decoded.image);
}

// ---- the part ------------------------------------------------------------------------------

TdxSkinnedRect::TdxSkinnedRect(bool suppressed) : suppressed_(suppressed) {}

TdxSkinnedRect::~TdxSkinnedRect() {
    DisposeCache();
    if (sourceImage_) GdipDisposeImage(sourceImage_);
}

void TdxSkinnedRect::LoadFromImage(GpImage* atlas, const TRect& r, const TRect& margins) {
    ClearSize();
    DisposeCache();
    if (sourceImage_) GdipDisposeImage(std::exchange(sourceImage_, nullptr));
    const int w = RectWidth(r), h = RectHeight(r);
    GdipAssert(atlas != nullptr && w > 0 && h > 0);
    // The part's copy keeps straight alpha: Wine's GDI+ premultiplies a premultiplied source a
    // second time when it draws it into the premultiplied cache. The cache (and the handle made
    // of it) is premultiplied, as the system's blending wants.
    TGpImageOwner image{NewBitmap(w, h, PixelFormat32bppARGB)};
    {
        TGpGraphicsOwner graphics;
        OpenCopyingGraphics(image.image, InterpolationModeNearestNeighbor, graphics);
        CheckGdipStatus(GdipDrawImageRectRectI(graphics.graphics, atlas, 0, 0, w, h, r.left, r.top, w, h, UnitPixel,
                                               nullptr, nullptr, nullptr));
    }
    sourceImage_ = image.Release();
    sourceSize_ = TSize{w, h};
    margins_ = margins;
    const int columns[4] = {0, margins.left, w - margins.right, w};
    const int rows[4] = {0, margins.top, h - margins.bottom, h};
    for (int i = 0; i < 9; ++i)
        sourceCells_[size_t(i)] = TRect{columns[i % 3], rows[i / 3], columns[i % 3 + 1], rows[i / 3 + 1]};
    contentMargins_ = margins;
    minimumSize_ = TSize{margins.left + margins.right, margins.top + margins.bottom};
}

void TdxSkinnedRect::Draw(HDC dc, const TRect& r, Byte alpha) {
    alpha_ = alpha;
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
    SetSize(RectWidth(r), RectHeight(r));
    if (RectVisible(dc, &r)) Paint(dc, r);
}

void TdxSkinnedRect::SetSize(int width, int height) {
    if (width == currentSize_.cx && height == currentSize_.cy) return;
    CalculateCells(width, height);
    currentSize_ = TSize{width, height};
}

namespace {

// A target narrower than both margins shows each corner at half the target rather than
// letting the corners overlap.
void SplitAxis(int total, int first, int last, int sizes[3]) {
    if (total > first + last) {
        sizes[0] = first;
        sizes[1] = total - first - last;
        sizes[2] = last;
    } else {
        sizes[0] = total / 2;
        sizes[1] = 0;
        sizes[2] = total - sizes[0];
    }
}

}  // namespace

void TdxSkinnedRect::CalculateCells(int width, int height) {
    int columns[3], rows[3];
    SplitAxis(width, margins_.left, margins_.right, columns);
    SplitAxis(height, margins_.top, margins_.bottom, rows);
    for (int i = 0; i < 9; ++i) cellSizes_[size_t(i)] = TSize{columns[i % 3], rows[i / 3]};
}

void TdxSkinnedRect::ClearSize() { currentSize_ = TSize{0, 0}; }

void TdxSkinnedRect::FillDefault(HDC dc, const TRect& r) { FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE)); }

void TdxSkinnedRect::SetInterpolation(int value) {
    if (interpolation_ == value) return;
    interpolation_ = value;
    DisposeCache();
}

void TdxSkinnedRect::DisposeCache() {
    if (cacheBitmap_) DeleteObject(std::exchange(cacheBitmap_, nullptr));
    cachedSize_ = TSize{0, 0};
}

void TdxSkinnedRect::UpdateCache() {
    if (cacheBitmap_ && currentSize_.cx == cachedSize_.cx && currentSize_.cy == cachedSize_.cy) return;
    DisposeCache();
    TGpImageOwner cache{NewBitmap(currentSize_.cx, currentSize_.cy, PixelFormat32bppPARGB)};
    {
        // The cache only receives copies; the stretching happens in each cell's own bitmap.
        TGpGraphicsOwner graphics;
        OpenCopyingGraphics(cache.image, InterpolationModeNearestNeighbor, graphics);
        int y = 0;
        for (int row = 0; row < 3; ++row) {
            int x = 0;
            for (int column = 0; column < 3; ++column) {
                const int cell = row * 3 + column;
                const TSize size = cellSizes_[size_t(cell)];
                const TRect& source = sourceCells_[size_t(cell)];
                int sw = RectWidth(source), sh = RectHeight(source);
                // A cell whose source is empty (a zero margin on one side, squeezed into a
                // target narrower than the margins) has nothing to show; GDI+ would refuse it.
                if (size.cx > 0 && size.cy > 0 && sw > 0 && sh > 0) {
                    if (sw == size.cx && sh == size.cy) {
                        // A cell shown at its own size is copied pixel for pixel, whatever the mode.
                        CheckGdipStatus(GdipDrawImageRectRectI(graphics.graphics, sourceImage_, x, y, sw, sh,
                                                               source.left, source.top, sw, sh, UnitPixel, nullptr,
                                                               nullptr, nullptr));
                    } else {
                        // Stretching samples past the source's last pixel otherwise.
                        if (sw > 1 && sw < size.cx) --sw;
                        if (sh > 1 && sh < size.cy) --sh;
                        // Stretched into a bitmap of its own at (0, 0), then copied: Wine's GDI+
                        // maps the first row and column of a target anywhere else a rounding error
                        // before the source and leaves them empty.
                        TGpImageOwner piece{NewBitmap(size.cx, size.cy, PixelFormat32bppARGB)};
                        {
                            TGpGraphicsOwner stretching;
                            OpenCopyingGraphics(piece.image, interpolation_, stretching);
                            CheckGdipStatus(GdipDrawImageRectRectI(stretching.graphics, sourceImage_, 0, 0, size.cx,
                                                                   size.cy, source.left, source.top, sw, sh, UnitPixel,
                                                                   nullptr, nullptr, nullptr));
                        }
                        CheckGdipStatus(GdipDrawImageRectRectI(graphics.graphics, piece.image, x, y, size.cx, size.cy,
                                                               0, 0, size.cx, size.cy, UnitPixel, nullptr, nullptr,
                                                               nullptr));
                    }
                }
                x += size.cx;
            }
            y += cellSizes_[size_t(row * 3)].cy;
        }
    }
    // Kept as the premultiplied bitmap handle the blending takes, made once a size: making it
    // on every paint would cost more than the blend itself.
    CheckGdipStatus(GdipCreateHBITMAPFromBitmap(cache.image, &cacheBitmap_, 0));
    cachedSize_ = currentSize_;
    ++cacheRenders_;
}

void TdxSkinnedRect::Paint(HDC dc, const TRect& r) {
    if (!sourceImage_ || currentSize_.cx <= 0 || currentSize_.cy <= 0) return;
    UpdateCache();
    if (suppressed_) return;
    TMemoryDCOwner memory(dc, cacheBitmap_);
    const TRect source{0, 0, currentSize_.cx, currentSize_.cy};
    bool blended;
    if (PlatformFlags.Win9xFamily) {
        AlphaBlendFromDC(dc, memory.dc, r, alpha_, false, source);
        blended = true;
    } else {
        blended = SystemAlphaBlend(dc, memory.dc, r, alpha_, source);
    }
    if (!blended) CopyDCRect(dc, memory.dc, r, SRCCOPY, TPoint{0, 0});
}

TRect TdxSkinnedRect::GetContentRect(const TRect& r) const {
    return TRect{r.left + contentMargins_.left, r.top + contentMargins_.top, r.right - contentMargins_.right,
                 r.bottom - contentMargins_.bottom};
}
