#pragma once
// Targa images as platform bitmaps: true-colour 24- and 32-bit files, raw or run-length
// encoded, are read; raw files are written. Registered for the extension "tga".

#include "Bitmap.h"

Z_EXCEPTION(ETGAException, Exception)

class TTGAImage : public TBitmap {
    Z_CLASS(TTGAImage, TBitmap)
public:
    TTGAImage() = default;

    // Reads the file from the stream's position. Dimensions are checked against the bytes the
    // stream still holds before any pixel memory is taken; a stream that is too short raises
    // EReadError as a short platform read would.
    void LoadFromStream(TStream* stream) override;
    // Raw, bottom-up, descriptor 0; only 24- and 32-bit bitmaps.
    void SaveToStream(TStream* stream) override;
};
