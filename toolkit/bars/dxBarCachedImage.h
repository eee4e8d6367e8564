#pragma once
// A glyph already drawn in one state, so that a control repainting the same image copies it
// instead of drawing it again. It is keyed on the state, the glyph or else the image list and
// the image index: a new index in the same list is another image.

#include <memory>

#include "Bitmap.h"
#include "GraphicsTypes.h"
#include "cxImageStates.h"

class TcxBitmap;
class TCustomImageList;

class TdxCachedImageOptions {
public:
    TdxCachedImageOptions();
    ~TdxCachedImageOptions();

    // The cache holds this image in this state (the glyph when there is one, else the list's
    // image at the index).
    bool Matches(TcxImageDrawMode state, TBitmap* glyph, TCustomImageList* images, int index) const;
    // Draws the image into a cache bitmap of the rectangle's size and remembers what it is.
    void Store(const TRect& rect, TcxImageDrawMode state, TBitmap* glyph, TCustomImageList* images, int index);
    void Reset() { cached_ = false; }
    bool Cached() const { return cached_; }
    TcxBitmap* Glyph() const { return glyph_.get(); }

private:
    bool cached_ = false;
    std::unique_ptr<TcxBitmap> glyph_;
    TcxImageDrawMode drawState_ = idmNormal;
    TCustomImageList* imageList_ = nullptr;
    int imageIndex_ = -1;
    TBitmap* sourceGlyph_ = nullptr;
};
