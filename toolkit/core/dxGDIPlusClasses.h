#pragma once
// GDI+ images and the PNG picture format. TdxGPImage wraps one GDI+ image made from a bitmap,
// from 32-bit premultiplied pixels or from a stream (PNG, BMP or anything GDI+ reads).
// TdxPNGImage is a platform graphic holding one such image, registered for "png": skins and
// ribbon images load through it, draw any source rectangle of it into any destination
// rectangle, convert it to a 32-bit bitmap and save it as PNG.
//
// Sections: images · the PNG graphic · unit start-up.

#include <objidl.h>

#include <vector>

#include "Bitmap.h"
#include "Graphic.h"
#include "dxGDIPlusAPI.h"

// 32-bit pixels, blue, green, red, alpha from the low byte up, top row first.
using TdxRGBColors = std::vector<RGBQUAD>;

// The base of objects that live beside GDI+ objects.
class TdxGPBase : public TObject {
    Z_CLASS(TdxGPBase, TObject)
};

// ---- images --------------------------------------------------------------------------------

class TdxGPImage : public TdxGPBase {
    Z_CLASS(TdxGPImage, TdxGPBase)
public:
    TdxGPImage() = default;
    ~TdxGPImage() override;

    // New images of the image class (GPImageClass). Without GDI+ they stay empty.
    static TdxGPImage* CreateFromBitmap(TBitmap* bitmap);
    // Keeps a copy of the pixels, which GDI+ uses directly; without alpha every pixel is made
    // opaque first.
    static TdxGPImage* CreateFromBits(int width, int height, const TdxRGBColors& pixels, bool hasAlpha);
    // Reads from the stream's position to its end: a BMP file, or any data GDI+ decodes.
    static TdxGPImage* CreateFromStream(TStream* stream);

    GpImage* Handle() const { return handle_; }
    bool Empty() const { return handle_ == nullptr; }
    int Width() const;
    int Height() const;
    const TdxRGBColors& Bits() const { return bits_; }

    // A new image with the same picture (shares nothing with this one).
    TdxGPImage* CreateCopy();
    void SaveAsPng(TMemoryStream* stream);
    // Each byte mixed as (1 - alpha/255) * this + alpha/255 * other; null unless both images
    // were made from pixels of the same size.
    TdxGPImage* BlendWith(TdxGPImage* other, Byte alpha);
    // The whole image stretched into the rectangle of the DC.
    void DrawToDC(HDC dc, const TRect& r);

protected:
    virtual void LoadFromBitmap(TBitmap* bitmap);
    virtual void LoadFromBits(int width, int height, const TdxRGBColors& pixels, bool hasAlpha);
    virtual void LoadFromStream(TStream* stream);
    virtual void LoadFromStreamData(TStream* stream);
    void SetHandle(GpImage* handle) { handle_ = handle; }

private:
    static TdxGPImage* NewOfImageClass();

    GpImage* handle_ = nullptr;
    TdxRGBColors bits_;
    // The data an image loaded from a stream may still read; released after the image.
    IStream* source_ = nullptr;
};

// The image class while GDI+ is missing; its images stay empty then.
class TdxGPNullImage : public TdxGPImage {
    Z_CLASS(TdxGPNullImage, TdxGPImage)
public:
    TdxGPNullImage() = default;
};

// The class every image is created from.
extern TClass GPImageClass;

// A bitmap's pixels as a top-down 32-bit array.
void GetBitmapPixels32(TBitmap* bitmap, TdxRGBColors& pixels);

// ---- the PNG graphic -----------------------------------------------------------------------

class TdxPNGImage : public TGraphic {
    Z_CLASS(TdxPNGImage, TGraphic)
public:
    TdxPNGImage() = default;
    ~TdxPNGImage() override;

    TdxGPImage* Image() const { return image_; }
    // Frees the held image (when it is another one) and holds this one; null empties.
    void ReplaceImage(TdxGPImage* image);

    bool Empty() const override { return Width() < 1 || Height() < 1; }
    Integer Width() const override { return image_ ? image_->Width() : 0; }
    Integer Height() const override { return image_ ? image_->Height() : 0; }
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    bool Transparent() const override { return true; }

    // The data from the stream's position to its end; nothing there empties the picture.
    void LoadFromStream(TStream* stream) override;
    // PNG data; an empty picture writes nothing.
    void SaveToStream(TStream* stream) override;
    void Assign(TPersistent* source) override;
    void Changed(TObject* sender) override;
    void Draw(TCanvas* canvas, const TRect& r) override;

    // A new 32-bit bitmap with the picture (premultiplied); the caller owns it.
    virtual TBitmap* ToBitmap();
    void GetPixels(TdxRGBColors& pixels);
    // Equal sizes and, unless one is empty, equal pixels.
    virtual bool HasSamePixels(TdxPNGImage* other);
    // Some pixel is not fully opaque; kept until the picture changes.
    bool UsesAlphaChannel();
    virtual void AssignFromPersistent(TBitmap* source);
    virtual void PaintWhole(HDC dc, const TRect& dest);
    virtual void PaintToDC(HDC dc, const TRect& dest, const TRect& source);
    // Draws the source rectangle into the destination with the graphics' own settings.
    virtual void PaintToGraphics(GpGraphics* graphics, const TRect& dest, const TRect& source);
    void DrawOnGraphics(GpGraphics* graphics, const TRect& dest, const TRect& source);

protected:
    void AssignTo(TPersistent* dest) override;

private:
    TdxGPImage* image_ = nullptr;
    bool alphaUsed_ = false;
    bool alphaComputed_ = false;
};

// ---- unit start-up -------------------------------------------------------------------------

// Registers the image set-up with the units loader: with GDI+ the image class becomes
// TdxGPImage and "png" a picture format.
void InitializedxGDIPlusClasses();
void FinalizedxGDIPlusClasses();
