#pragma once
// TGLBitmap32: the engine's in-memory RGBA image, through which every texture upload passes.
// Pixels are 4 bytes R, G, B, A, tightly packed, rows in OpenGL order (row 0 is the bottom row
// of the picture) unless the row-flip flag was set when a picture was read. The width is kept a
// multiple of 4. A blank buffer has a size but no pixel memory (for textures OpenGL fills).
//
// Sections: filters; the pixel type; the buffer (size, reading pictures, pixel operations,
// upload).

#include <vector>

#include "Colors.h"
#include "Graphic.h"
#include "OpenGL1x.h"
#include "Persistent.h"
#include "TypInfo.h"

class TBitmap;

// --- filters (the GL values are given where the texture sends them)
Z_ENUM(TGLMinFilter, Byte, miNearest, miLinear, miNearestMipmapNearest, miLinearMipmapNearest, miNearestMipmapLinear, miLinearMipmapLinear)
Z_ENUM(TGLMagFilter, Byte, maNearest, maLinear)

// True for the float internal formats, which upload storage only.
bool IsFloatInternalFormat(GLenum format);

// --- the pixel type
struct TGLPixel32 {
    Byte r, g, b, a;
    bool operator==(const TGLPixel32&) const = default;
};
static_assert(sizeof(TGLPixel32) == 4);

// --- the buffer
class TGLBitmap32 : public TPersistent {
    Z_CLASS(TGLBitmap32, TPersistent)
public:
    TGLBitmap32() = default;

    // nil empties the buffer; another buffer is copied (blank flag included); a graphic is
    // read: 24- and 32-bit bitmaps of a width that is a multiple of 4 directly (alpha kept),
    // anything else through a 24-bit bitmap, stretched to a width rounded up to a multiple of 4.
    void Assign(TPersistent* source) override;

    // A new 32-bit platform bitmap of the same size with the rows in top-down order (owned by
    // the caller); nil for a blank buffer.
    TBitmap* ToPlatformBitmap() const;

    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // Rounded up to a multiple of 4; a negative value fails an assertion. The pixel memory is
    // resized (new pixels are left as they come) unless the buffer is blank. A size whose data
    // would pass 2 GB raises EOutOfResources and changes nothing.
    void SetWidth(Integer value);
    void SetHeight(Integer value);
    Integer DataSize() const { return width_ * height_ * 4; }
    // The pixels; null for a blank or empty buffer.
    TGLPixel32* Data() { return data_.empty() ? nullptr : data_.data(); }
    const TGLPixel32* Data() const { return data_.empty() ? nullptr : data_.data(); }
    TGLPixel32* RowAddress(Integer y) { return Data() + size_t(y) * width_; }

    bool Blank() const { return blank_; }
    void SetBlank(bool value);
    // Row 0 becomes the top row of the pictures read from now on.
    bool RowFlip() const { return rowFlip_; }
    void SetRowFlip(bool value) { rowFlip_ = value; }

    // --- pixel operations; none of them does anything without pixel memory
    void AlphaFromLuminance();
    void AlphaFromLuminanceSqrt();
    void NegateAlpha();
    void FillAlpha(Byte value);
    // A := 0 where R, G, B equal the key's, 255 everywhere else.
    void KeyAlphaRGB(TGLPixel32 key);
    void PixelKeyAlpha(TGLPixel32 pixel) { KeyAlphaRGB(pixel); }
    // The key from a platform colour value (red in the low byte).
    void ColorKeyAlpha(TColor color);
    // R, G, B := min(255, round(v * factor)); factor must not be negative.
    void ScaleBrightness(Single factor);
    // R, G, B := round(255 * (v / 255) ^ (1 / gamma)), the exponent 10 below gamma 0.1;
    // gamma must be above 0.
    void ApplyGamma(Single gamma);
    // The green channel read as height and turned into a tangent-space normal map.
    void HeightToNormalMap(Single scale, bool wrapColumns, bool wrapRows);

    // --- upload
    // Level 0 of the texture bound to target, with mipmaps for a mipmapped min filter. Sizes
    // are rounded up to powers of two without GL_ARB_texture_non_power_of_two (the pixels
    // rescaled by GLU) and limited to GL_MAX_TEXTURE_SIZE; the uploaded size is returned.
    // Nothing happens for an empty buffer. OpenGL errors are left to the caller.
    void UploadAsTexture(GLenum target, TGLMinFilter minFilter, GLenum internalFormat,
                         Integer& textureWidth, Integer& textureHeight);
    void UploadAsTexture(GLenum target, TGLMinFilter minFilter, GLenum internalFormat);

private:
    void ReadBitmap(TBitmap* bitmap);
    void Resize();
    void Resize(Int64 width, Int64 height);
    template <class F>
    void ForEachPixel(F f);

    std::vector<TGLPixel32> data_;
    Integer width_ = 0, height_ = 0;
    bool rowFlip_ = false;
    bool blank_ = false;
};
