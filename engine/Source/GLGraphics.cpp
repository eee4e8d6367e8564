#include "GLGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "Bitmap.h"
#include "GLUtils.h"
#include "ScalarArithmetic.h"

namespace {

Integer RoundUpTo4(Integer v) { return Integer((Int64(v) + 3) & ~Int64(3)); }

// Round to nearest, ties to even, as the FPU does under the program's control word.
Integer RoundNearest(double v) { return Integer(std::nearbyint(v)); }

}  // namespace

// --- size

// Sizes also come from files (blank-image descriptions, pictures): one whose data size does not
// fit the 32-bit data size, or whose pixels cannot be had, is refused and nothing changes.
void TGLBitmap32::Resize(Int64 width, Int64 height) {
    if (width * height * 4 > 0x7FFFFFFF) throw EOutOfResources(L"Image too large");
    try {
        if (blank_)
            data_.clear();
        else
            data_.resize(size_t(width) * size_t(height));
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(L"Out of memory for the image");
    }
    width_ = Integer(width);
    height_ = Integer(height);
}

void TGLBitmap32::Resize() { Resize(width_, height_); }

void TGLBitmap32::SetWidth(Integer value) {
    Assert(value >= 0, kAssertionFailure);
    const Int64 rounded = (Int64(value) + 3) & ~Int64(3);
    if (rounded == width_) return;
    Resize(rounded, height_);
}

void TGLBitmap32::SetHeight(Integer value) {
    Assert(value >= 0, kAssertionFailure);
    if (value == height_) return;
    Resize(width_, value);
}

void TGLBitmap32::SetBlank(bool value) {
    if (value == blank_) return;
    blank_ = value;
    try {
        Resize();
    } catch (...) {
        blank_ = !value;
        throw;
    }
}

// --- reading pictures

void TGLBitmap32::Assign(TPersistent* source) {
    if (!source) {
        width_ = height_ = 0;
        data_.clear();
        data_.shrink_to_fit();
        return;
    }
    if (auto* other = dynamic_cast<TGLBitmap32*>(source)) {
        if (other == this) return;
        blank_ = other->blank_;
        width_ = other->width_;
        height_ = other->height_;
        data_ = other->blank_ ? std::vector<TGLPixel32>{} : other->data_;
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        auto* bitmap = dynamic_cast<TBitmap*>(graphic);
        if (bitmap && (bitmap->PixelFormat() == pf24bit || bitmap->PixelFormat() == pf32bit) &&
            bitmap->Width() % 4 == 0) {
            ReadBitmap(bitmap);
            return;
        }
        if (graphic->Empty()) {
            Assign(nullptr);
            blank_ = false;
            return;
        }
        TBitmap temporary;
        temporary.SetPixelFormat(pf24bit);
        const Integer w = graphic->Width(), h = graphic->Height();
        if (w % 4 == 0) {
            temporary.SetSize(w, h);
            temporary.Canvas()->Draw(0, 0, graphic);
        } else {
            temporary.SetSize(RoundUpTo4(w), h);
            temporary.Canvas()->StretchDraw(Rect(0, 0, temporary.Width(), h), graphic);
        }
        ReadBitmap(&temporary);
        return;
    }
    TPersistent::Assign(source);
}

void TGLBitmap32::ReadBitmap(TBitmap* bitmap) {
    const bool is32 = bitmap->PixelFormat() == pf32bit;
    Assert((is32 || bitmap->PixelFormat() == pf24bit) && bitmap->Width() % 4 == 0, kAssertionFailure);
    blank_ = false;
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    data_.assign(size_t(width_) * size_t(height_), TGLPixel32{});
    for (Integer i = 0; i < height_; ++i) {
        const Byte* in = static_cast<const Byte*>(bitmap->ScanLine(i));
        TGLPixel32* out = RowAddress(rowFlip_ ? i : height_ - 1 - i);
        for (Integer x = 0; x < width_; ++x, ++out) {
            out->r = in[2];
            out->g = in[1];
            out->b = in[0];
            out->a = is32 ? in[3] : 255;
            in += is32 ? 4 : 3;
        }
    }
}

TBitmap* TGLBitmap32::ToPlatformBitmap() const {
    if (blank_) return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(width_, height_);
    if (data_.empty()) return bitmap.release();
    for (Integer y = 0; y < height_; ++y) {
        Byte* out = static_cast<Byte*>(bitmap->ScanLine(height_ - 1 - y));
        const TGLPixel32* in = data_.data() + size_t(y) * width_;
        for (Integer x = 0; x < width_; ++x, ++in, out += 4) {
            out[0] = in->b;
            out[1] = in->g;
            out[2] = in->r;
            out[3] = in->a;
        }
    }
    return bitmap.release();
}

// --- pixel operations

template <class F>
void TGLBitmap32::ForEachPixel(F f) {
    for (TGLPixel32& p : data_) f(p);
}

void TGLBitmap32::AlphaFromLuminance() {
    ForEachPixel([](TGLPixel32& p) { p.a = Byte((p.r + p.g + p.b) / 3); });
}

void TGLBitmap32::AlphaFromLuminanceSqrt() {
    const Byte* table = SquareRootRampTable();
    ForEachPixel([table](TGLPixel32& p) { p.a = table[(p.r + p.g + p.b) / 3]; });
}

void TGLBitmap32::NegateAlpha() {
    ForEachPixel([](TGLPixel32& p) { p.a = Byte(255 - p.a); });
}

void TGLBitmap32::FillAlpha(Byte value) {
    ForEachPixel([value](TGLPixel32& p) { p.a = value; });
}

void TGLBitmap32::KeyAlphaRGB(TGLPixel32 key) {
    ForEachPixel([key](TGLPixel32& p) { p.a = p.r == key.r && p.g == key.g && p.b == key.b ? 0 : 255; });
}

void TGLBitmap32::ColorKeyAlpha(TColor color) {
    const Cardinal c = Cardinal(color);
    KeyAlphaRGB(TGLPixel32{Byte(c), Byte(c >> 8), Byte(c >> 16), 0});
}

void TGLBitmap32::ScaleBrightness(Single factor) {
    Assert(factor >= 0, kAssertionFailure);
    if (data_.empty()) return;
    Byte table[256];
    for (int i = 0; i < 256; ++i) table[i] = Byte(std::min(255, RoundNearest(double(i) * factor)));
    ForEachPixel([&table](TGLPixel32& p) {
        p.r = table[p.r];
        p.g = table[p.g];
        p.b = table[p.b];
    });
}

void TGLBitmap32::ApplyGamma(Single gamma) {
    Assert(gamma > 0, kAssertionFailure);
    if (data_.empty()) return;
    const Single exponent = gamma < 0.1f ? 10.0f : 1.0f / gamma;
    Byte table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = Byte(std::clamp(RoundNearest(255.0 * PowerSingle(Single(i / 255.0), exponent)), 0, 255));
    ForEachPixel([&table](TGLPixel32& p) {
        p.r = table[p.r];
        p.g = table[p.g];
        p.b = table[p.b];
    });
}

void TGLBitmap32::HeightToNormalMap(Single scale, bool wrapColumns, bool wrapRows) {
    if (data_.empty()) return;
    std::vector<TGLPixel32> result(data_.size());
    auto heightAt = [this](Integer x, Integer y) { return Single(data_[size_t(y) * width_ + x].g); };
    auto neighbours = [](Integer i, Integer count, bool wrap, Integer& before, Integer& after) {
        if (wrap) {
            before = (i - 1) & (count - 1);
            after = (i + 1) & (count - 1);
        } else {
            before = std::max(i - 1, 0);
            after = std::min(i + 1, count - 1);
        }
    };
    auto toByte = [](Single v) { return Byte(RoundNearest(double(std::clamp(v, -128.0f, 127.0f)) + 128.0)); };
    for (Integer y = 0; y < height_; ++y) {
        Integer up, down;
        neighbours(y, height_, wrapRows, up, down);
        for (Integer x = 0; x < width_; ++x) {
            Integer left, right;
            neighbours(x, width_, wrapColumns, left, right);
            const Single dx = scale * (heightAt(left, y) - heightAt(right, y));
            const Single dy = scale * (heightAt(x, up) - heightAt(x, down));
            const Single len = 127.0f / std::sqrt(dx * dx + dy * dy + 1.0f);
            result[size_t(y) * width_ + x] = TGLPixel32{toByte(dx * len), toByte(dy * len), toByte(len), 255};
        }
    }
    data_.swap(result);
}

// --- upload

bool IsFloatInternalFormat(GLenum format) {
    return format == GL_RGBA32F_ARB || format == GL_RGBA16F_ARB || format == GL_FLOAT_RGBA16_NV ||
           format == GL_FLOAT_RGBA32_NV;
}

void TGLBitmap32::UploadAsTexture(GLenum target, TGLMinFilter minFilter, GLenum internalFormat, Integer& textureWidth,
                                  Integer& textureHeight) {
    textureWidth = textureHeight = 0;
    if (DataSize() == 0) return;
    Integer w = width_, h = height_;
    if (!GL.GL_ARB_texture_non_power_of_two) {
        w = Integer(NextPowerOfTwo(w));
        h = Integer(NextPowerOfTwo(h));
    }
    GLint maxSize = 0;
    GL.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize > 0) {
        w = std::min<Integer>(w, maxSize);
        h = std::min<Integer>(h, maxSize);
    }
    textureWidth = w;
    textureHeight = h;

    const bool isFloat = IsFloatInternalFormat(internalFormat);
    std::vector<TGLPixel32> scaled;
    const TGLPixel32* pixels = Data();
    if (!(w == width_ && h == height_) && !isFloat && !blank_) {
        scaled.resize(size_t(w) * size_t(h));
        GL.gluScaleImage(GL_RGBA, width_, height_, GL_UNSIGNED_BYTE, pixels, w, h, GL_UNSIGNED_BYTE, scaled.data());
        pixels = scaled.data();
    }
    if (isFloat) {
        Assert(target == GL_TEXTURE_2D, L"ATI Float-type texture must use GL_TEXTURE_2D");
        GL.glTexImage2D(target, 0, GLint(internalFormat), w, h, 0, GL_RGBA, GL_FLOAT, nullptr);
    } else if (blank_) {
        GL.glTexImage2D(target, 0, GLint(internalFormat), w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    } else {
        UploadRGBAPixels(target, minFilter, internalFormat, w, h, pixels);
    }
}

void UploadRGBAPixels(GLenum target, TGLMinFilter minFilter, GLenum internalFormat, Integer width, Integer height,
                      const void* pixels) {
    if (minFilter == miNearest || minFilter == miLinear) {
        GL.glTexImage2D(target, 0, GLint(internalFormat), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    } else if (GL.GL_SGIS_generate_mipmap && target == GL_TEXTURE_2D) {
        GL.glTexParameteri(target, GL_GENERATE_MIPMAP_SGIS, GL_TRUE);
        GL.glTexImage2D(target, 0, GLint(internalFormat), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    } else {
        GL.gluBuild2DMipmaps(target, GLint(internalFormat), width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
}

void TGLBitmap32::UploadAsTexture(GLenum target, TGLMinFilter minFilter, GLenum internalFormat) {
    Integer w, h;
    UploadAsTexture(target, minFilter, internalFormat, w, h);
}
