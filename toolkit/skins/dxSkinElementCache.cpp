#include "dxSkinElementCache.h"

#include "Canvas.h"
#include "cxBitmap.h"
#include "cxGeometry.h"
#include "cxImageStates.h"
#include "dxSkinCanvas.h"
#include "dxSkinElement.h"

// ---- TdxSkinElementCache -------------------------------------------------------------------

TdxSkinElementCache::~TdxSkinElementCache() { FreeBitmaps(); }

void TdxSkinElementCache::FreeBitmaps() {
    if (cache_) {
        GdipDisposeImage(cache_);
        cache_ = nullptr;
    }
    delete cacheOpaque_;
    cacheOpaque_ = nullptr;
    delete cachePremultiplied_;
    cachePremultiplied_ = nullptr;
}

void TdxSkinElementCache::Update(TdxSkinElement* element, const TRect& r, TdxSkinElementState state, int imageIndex) {
    if (element == element_ && state == state_ && imageIndex == imageIndex_ && RectWidth(r) == RectWidth(bounds_) &&
        RectHeight(r) == RectHeight(bounds_))
        return;
    element_ = element;
    state_ = state;
    imageIndex_ = imageIndex;
    bounds_ = r;
    FreeBitmaps();
    usesAlpha_ = element && element->IsAlphaUsed();
    RECT area = r;
    if (element && !IsRectEmpty(&area)) Render();
}

void TdxSkinElementCache::Render() {
    const int w = RectWidth(bounds_), h = RectHeight(bounds_);
    const TRect at{0, 0, w, h};
    TdxSkinCanvas canvas;
    ++renderCount_;
    if (usesAlpha_) {
        CheckGdipStatus(GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppPARGB, nullptr, &cache_));
        GpGraphics* graphics = nullptr;
        CheckGdipStatus(GdipGetImageGraphicsContext(cache_, &graphics));
        canvas.BeginPaintOnGraphics(graphics, at);
        try {
            element_->DrawEx(&canvas, at, imageIndex_, state_);
        } catch (...) {
            GdipDeleteGraphics(graphics);
            throw;
        }
        canvas.EndPaint();
        CheckGdipStatus(GdipDeleteGraphics(graphics));
        CopyPremultipliedPixels();
    } else {
        cacheOpaque_ = new TcxBitmap(w, h);
        canvas.BeginPaint(cacheOpaque_->Canvas()->Handle(), at);
        try {
            element_->DrawEx(&canvas, at, imageIndex_, state_);
        } catch (...) {
            canvas.EndPaint();
            throw;
        }
        canvas.EndPaint();
    }
}

// The system blends a premultiplied bitmap many times faster than GDI+ draws one, and the
// result is the same: the copy is what is drawn, the GDI+ bitmap only when the system cannot.
void TdxSkinElementCache::CopyPremultipliedPixels() {
    const int w = RectWidth(bounds_), h = RectHeight(bounds_);
    GpRect area{0, 0, w, h};
    GpBitmapData data{};
    if (GdipBitmapLockBits(cache_, &area, ImageLockModeRead, PixelFormat32bppPARGB, &data) != GpOk) return;
    cachePremultiplied_ = new TcxBitmap(w, h);
    for (int y = 0; y < h; ++y)
        memcpy(cachePremultiplied_->ScanLine(y), static_cast<const Byte*>(data.Scan0) + Int64(y) * data.Stride,
               size_t(w) * 4);
    GdipBitmapUnlockBits(cache_, &data);
}

void TdxSkinElementCache::Draw(HDC dc, const TRect& r) {
    const int w = RectWidth(r), h = RectHeight(r);
    if (cacheOpaque_) {
        BitBlt(dc, r.left, r.top, w, h, cacheOpaque_->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    if (cachePremultiplied_ &&
        SystemAlphaBlend(dc, cachePremultiplied_->Canvas()->Handle(), r, 255, TRect{0, 0, w, h}))
        return;
    if (cache_) {
        GpGraphics* graphics = nullptr;
        CheckGdipStatus(GdipCreateFromHDC(dc, &graphics));
        const GpStatus status = GdipDrawImageRectI(graphics, cache_, r.left, r.top, w, h);
        GdipDeleteGraphics(graphics);
        CheckGdipStatus(status);
    }
}

void TdxSkinElementCache::DrawEx(HDC dc, TdxSkinElement* element, const TRect& r, TdxSkinElementState state,
                                 int imageIndex) {
    Update(element, r, state, imageIndex);
    Draw(dc, r);
}

// ---- TdxSkinElementCacheList ---------------------------------------------------------------

void TdxSkinElementCacheList::DrawElement(HDC dc, TdxSkinElement* element, const TRect& r, TdxSkinElementState state,
                                          int imageIndex) {
    TdxSkinElementCache* entry = nullptr;
    for (int i = 0; i < Count() && !entry; ++i)
        if (Entries(i)->Element() == element && RectsEqual(Entries(i)->Bounds(), r)) entry = Entries(i);
    if (!entry) {
        entry = new TdxSkinElementCache();
        Add(entry);
        if (Count() > capacity_) {
            TObject* oldest = ItemAt(0);
            Delete(0);
            FreeObject(oldest);
        }
    }
    entry->DrawEx(dc, element, r, state, imageIndex);
}
