#include "dxSkinElementCache.h"

#include "Canvas.h"
#include "cxBitmap.h"
#include "cxGeometry.h"
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

void TdxSkinElementCache::Draw(HDC dc, const TRect& r) {
    if (cacheOpaque_) {
        BitBlt(dc, r.left, r.top, RectWidth(r), RectHeight(r), cacheOpaque_->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else if (cache_) {
        GpGraphics* graphics = nullptr;
        CheckGdipStatus(GdipCreateFromHDC(dc, &graphics));
        const GpStatus status = GdipDrawImageRectI(graphics, cache_, r.left, r.top, RectWidth(r), RectHeight(r));
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
