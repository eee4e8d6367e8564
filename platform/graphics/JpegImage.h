#pragma once
// A JPEG picture over the IJG library. Loading decodes at once into a 24-bit bitmap (so a bad
// file fails where it is read) and keeps the compressed data, which saving writes back
// unchanged; a picture assigned from a bitmap is compressed with CompressionQuality when saved.
// Every failure of the library raises EJPEG "JPEG error #<the library's message code>".

#include "Bitmap.h"
#include "Graphic.h"
#include "Streams.h"

Z_EXCEPTION(EJPEG, EInvalidGraphic)

class TJPEGImage : public TGraphic {
    Z_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage() = default;
    ~TJPEGImage() override;

    // From another JPEG picture a copy; from a bitmap its picture (compressed when saved).
    void Assign(TPersistent* source) override;

    bool Empty() const override { return !bitmap_; }
    Integer Width() const override { return bitmap_ ? bitmap_->Width() : 0; }
    Integer Height() const override { return bitmap_ ? bitmap_->Height() : 0; }
    // The size comes from the picture; setting it raises EInvalidGraphicOperation.
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;

    // 1 (smallest) to 100 (best); 90 unless set.
    Integer CompressionQuality() const { return quality_; }
    void SetCompressionQuality(Integer value);

    // The decoded picture (24 bits per pixel), owned by the JPEG image; nullptr when empty.
    // Drawing on it makes the picture compress afresh when saved.
    TBitmap* Bitmap() const { return bitmap_; }
    // Compresses the picture now (it is otherwise compressed when first saved).
    void Compress();

    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // Form descriptions hold a 32-bit length followed by the JPEG file.
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;

    void Draw(TCanvas* canvas, const TRect& r) override;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void LoadFromBytes(TBytes data);
    void Adopt(TBitmap* bitmap, TBytes data);
    void BitmapChanged(TObject* sender);

    TBitmap* bitmap_ = nullptr;
    TBytes data_;  // empty when the picture has changed since it was last compressed
    Integer quality_ = 90;
};

// The codec, for callers that work on streams directly. DecodeJpeg reads a JPEG file from the
// stream's position into the bitmap (made 24-bit); EncodeJpeg writes the bitmap (any format) as
// a JPEG file of the given quality.
void DecodeJpeg(TStream* source, TBitmap* target);
void EncodeJpeg(TBitmap* source, TStream* target, Integer quality);
