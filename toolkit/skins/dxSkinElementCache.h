#pragma once
// Rendered skin elements for painters that draw the same element in the same place again and
// again: an element is rendered once into a bitmap and copied from there until its state, image
// index or size changes.

#include "cxComponent.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinsTypes.h"

class TcxBitmap;

class TdxSkinElementCache : public TObject {
    Z_CLASS(TdxSkinElementCache, TObject)
public:
    TdxSkinElementCache() = default;
    ~TdxSkinElementCache() override;

    // Renders the element when it, the state, the image index or r's size changed since the
    // last rendering; an element with transparent pixels is kept with its alpha.
    void Update(TdxSkinElement* element, const TRect& r, TdxSkinElementState state, int imageIndex);
    // Copies the rendering into r.
    void Draw(HDC dc, const TRect& r);
    // Update, then Draw.
    void DrawEx(HDC dc, TdxSkinElement* element, const TRect& r, TdxSkinElementState state, int imageIndex);

    TdxSkinElement* Element() const { return element_; }
    const TRect& Bounds() const { return bounds_; }
    TdxSkinElementState State() const { return state_; }
    int ImageIndex() const { return imageIndex_; }
    bool UsesAlpha() const { return usesAlpha_; }
    // How many times the element has been rendered.
    int RenderCount() const { return renderCount_; }

private:
    void FreeBitmaps();
    void Render();
    void CopyPremultipliedPixels();

    GpBitmap* cache_ = nullptr;              // with alpha: 32-bit premultiplied GDI+ bitmap
    TcxBitmap* cachePremultiplied_ = nullptr;  // and its pixels in a bitmap the system blends
    TcxBitmap* cacheOpaque_ = nullptr;  // without
    TdxSkinElement* element_ = nullptr;
    int imageIndex_ = 0;
    bool usesAlpha_ = false;
    TRect bounds_{};
    TdxSkinElementState state_ = esNormal;
    int renderCount_ = 0;
};

// Up to Capacity renderings, oldest first; an element drawn in a new rectangle takes a new
// entry, and the oldest goes when there are too many.
class TdxSkinElementCacheList : public TcxObjectList {
    Z_CLASS(TdxSkinElementCacheList, TcxObjectList)
public:
    TdxSkinElementCacheList() = default;
    int Capacity() const { return capacity_; }
    TdxSkinElementCache* Entries(int index) const { return static_cast<TdxSkinElementCache*>(Items(index)); }
    void DrawElement(HDC dc, TdxSkinElement* element, const TRect& r, TdxSkinElementState state, int imageIndex);

private:
    int capacity_ = 8;
};
