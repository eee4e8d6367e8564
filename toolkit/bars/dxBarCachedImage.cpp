#include "dxBarCachedImage.h"

#include "cxBitmap.h"

TdxCachedImageOptions::TdxCachedImageOptions() : glyph_(std::make_unique<TcxBitmap>()) {}

TdxCachedImageOptions::~TdxCachedImageOptions() = default;

bool TdxCachedImageOptions::Matches(TcxImageDrawMode state, TBitmap* glyph, TCustomImageList* images, int index) const {
    if (!cached_ || state != drawState_ || glyph_->Empty()) return false;
    if (glyph) return glyph == sourceGlyph_;
    return sourceGlyph_ == nullptr && images == imageList_ && index == imageIndex_;
}

void TdxCachedImageOptions::Store(const TRect& rect, TcxImageDrawMode state, TBitmap* glyph, TCustomImageList* images,
                                  int index) {
    glyph_->SetSize(RectWidth(rect), RectHeight(rect));
    TRect local(0, 0, RectWidth(rect), RectHeight(rect));
    PaintImageWithState(glyph_->Canvas()->Handle(), local, local, glyph, images, index, state);
    drawState_ = state;
    imageList_ = images;
    imageIndex_ = index;
    sourceGlyph_ = glyph;
    cached_ = true;
}
