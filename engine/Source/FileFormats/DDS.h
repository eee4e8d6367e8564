#pragma once
// DirectDraw Surface images as 32-bit platform bitmaps: uncompressed surfaces described by
// their channel masks and the DXT1, DXT3 and DXT5 block formats are read (the top-level image
// only); 24- and 32-bit bitmaps are written uncompressed. Registered for the extension "dds".

#include "Bitmap.h"

Z_EXCEPTION(EDDSException, Exception)

class TDDSImage : public TBitmap {
    Z_CLASS(TDDSImage, TBitmap)
public:
    TDDSImage() = default;

    // The size of the pixel data is computed from the width, height and format, and the stream
    // must hold it: a shorter stream raises EReadError before any pixel memory is taken.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
};

// The index of the lowest set bit of a mask; 0 for a zero mask.
Integer LowestSetBit(Cardinal mask);
