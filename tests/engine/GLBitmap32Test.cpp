#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GLGraphics.h"
#include "GLRecorder.h"
#include "ImageFixtures.h"
#include "TGA.h"
#include "TestSupport.h"

namespace {

using P = TGLPixel32;

// A 4 x 2 buffer with the given pixels, row 0 (the bottom row) first.
std::unique_ptr<TGLBitmap32> Buffer(std::initializer_list<P> pixels) {
    auto buffer = std::make_unique<TGLBitmap32>();
    buffer->SetWidth(4);
    buffer->SetHeight(Integer(pixels.size()) / 4);
    std::copy(pixels.begin(), pixels.end(), buffer->Data());
    return buffer;
}

std::vector<int> Alphas(TGLBitmap32& buffer) {
    std::vector<int> out;
    for (Integer i = 0; i < buffer.Width() * buffer.Height(); ++i) out.push_back(buffer.Data()[i].a);
    return out;
}

TEST(GLBitmap32, SizeRoundsTheWidthAndBlankHoldsNoPixels) {
    TGLBitmap32 buffer;
    EXPECT_TRUE(buffer.IsEmpty());
    buffer.SetWidth(30);
    buffer.SetHeight(2);
    EXPECT_EQ(buffer.Width(), 32);
    EXPECT_EQ(buffer.DataSize(), 32 * 2 * 4);
    EXPECT_NE(buffer.Data(), nullptr);
    EXPECT_THROW(buffer.SetWidth(-1), EAssertionFailed);
    // Sizes from files: too large for the data size is refused, and nothing changes.
    EXPECT_THROW(buffer.SetWidth(0x7FFFFFFF), EOutOfResources);
    EXPECT_THROW(buffer.SetHeight(0x10000000), EOutOfResources);
    EXPECT_EQ(buffer.Width(), 32);
    EXPECT_EQ(buffer.Height(), 2);
    buffer.SetBlank(true);
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.DataSize(), 32 * 2 * 4);
    EXPECT_EQ(buffer.ToPlatformBitmap(), nullptr);
    buffer.FillAlpha(7);  // nothing to do, no crash

    TGLBitmap32 copy;
    copy.Assign(&buffer);
    EXPECT_TRUE(copy.Blank());
    EXPECT_EQ(copy.Width(), 32);
    EXPECT_EQ(copy.Data(), nullptr);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(GLBitmap32, AlphaOperations) {
    const P a{30, 60, 90, 7}, b{255, 255, 255, 0}, c{0, 0, 0, 200}, d{30, 60, 90, 0};
    struct Case {
        const char* what;
        void (*op)(TGLBitmap32&);
        std::vector<int> alphas;
    } cases[] = {
        {"luminance", [](TGLBitmap32& x) { x.AlphaFromLuminance(); }, {60, 255, 0, 60}},
        {"luminance sqrt", [](TGLBitmap32& x) { x.AlphaFromLuminanceSqrt(); }, {123, 255, 0, 123}},
        {"negate", [](TGLBitmap32& x) { x.NegateAlpha(); }, {248, 255, 55, 255}},
        {"fill", [](TGLBitmap32& x) { x.FillAlpha(9); }, {9, 9, 9, 9}},
        // the key of pixel 0: also where the source alpha was 0
        {"pixel key", [](TGLBitmap32& x) { x.PixelKeyAlpha(x.Data()[0]); }, {0, 255, 255, 0}},
        {"colour key", [](TGLBitmap32& x) { x.ColorKeyAlpha(0x00FFFFFF); }, {255, 0, 255, 255}},
    };
    for (const Case& k : cases) {
        auto buffer = Buffer({a, b, c, d});
        k.op(*buffer);
        EXPECT_EQ(Alphas(*buffer), k.alphas) << k.what;
        EXPECT_EQ(buffer->Data()[0].r, 30) << k.what;
    }
}

TEST(GLBitmap32, BrightnessAndGammaTables) {
    auto bright = Buffer({{200, 100, 0, 5}, {1, 2, 3, 4}, {127, 128, 255, 0}, {0, 0, 0, 0}});
    bright->ScaleBrightness(2);
    EXPECT_EQ(bright->Data()[0], (P{255, 200, 0, 5}));
    EXPECT_EQ(bright->Data()[1], (P{2, 4, 6, 4}));
    EXPECT_THROW(bright->ScaleBrightness(-1), EAssertionFailed);
    auto half = Buffer({{1, 3, 5, 0}, {}, {}, {}});
    half->ScaleBrightness(0.5);
    EXPECT_EQ(half->Data()[0], (P{0, 2, 2, 0}));  // 0.5, 1.5, 2.5 round half to even

    auto same = Buffer({{10, 128, 250, 3}, {}, {}, {}});
    same->ApplyGamma(1.0);
    EXPECT_EQ(same->Data()[0], (P{10, 128, 250, 3}));
    auto low = Buffer({{128, 255, 0, 3}, {}, {}, {}});
    low->ApplyGamma(0.05f);  // below 0.1: the exponent is 10
    EXPECT_EQ(low->Data()[0], (P{Byte(std::nearbyint(255 * std::pow(128 / 255.0, 10))), 255, 0, 3}));
    auto two = Buffer({{64, 128, 192, 3}, {}, {}, {}});
    two->ApplyGamma(2.0);
    EXPECT_EQ(two->Data()[0].r, Byte(std::nearbyint(255 * std::sqrt(64 / 255.0))));
    EXPECT_THROW(two->ApplyGamma(0), EAssertionFailed);
}

TEST(GLBitmap32, NormalMapOfAFlatPictureAndOfASlope) {
    auto flat = Buffer({{9, 80, 9, 0},
                        {1, 80, 1, 0},
                        {2, 80, 2, 0},
                        {3, 80, 3, 0},
                        {9, 80, 9, 0},
                        {1, 80, 1, 0},
                        {2, 80, 2, 0},
                        {3, 80, 3, 0}});
    flat->HeightToNormalMap(0.125f, true, true);
    for (Integer i = 0; i < 8; ++i) EXPECT_EQ(flat->Data()[i], (P{128, 128, 255, 255})) << i;

    // Heights 0, 8, 16, 24 along a row, clamped at the ends: the inner pixels see dx = -16 * s.
    auto slope = Buffer({{0, 0, 0, 0}, {0, 8, 0, 0}, {0, 16, 0, 0}, {0, 24, 0, 0}});
    slope->HeightToNormalMap(0.25f, false, false);
    const double len = 127 / std::sqrt(16.0 + 1.0);
    EXPECT_EQ(slope->Data()[1].r, Byte(std::nearbyint(-4 * len + 128)));
    EXPECT_EQ(slope->Data()[1].g, 128);
    EXPECT_EQ(slope->Data()[1].b, Byte(std::nearbyint(len + 128)));
}

TEST(GLBitmap32, ReadsBitmapsBottomRowFirstAndKeepsAlpha) {
    // 4 x 2, 32-bit, bottom-left red with alpha 0x40, top-left green.
    TTGAImage tga;
    tga.SetPixelFormat(pf32bit);
    tga.SetSize(4, 2);
    Byte* top = static_cast<Byte*>(tga.ScanLine(0));
    Byte* bottom = static_cast<Byte*>(tga.ScanLine(1));
    for (int i = 0; i < 16; ++i) top[i] = bottom[i] = 0;
    top[1] = 255, top[3] = 255;
    bottom[2] = 255, bottom[3] = 0x40;
    TGLBitmap32 buffer;
    buffer.Assign(&tga);
    EXPECT_EQ(buffer.Data()[0], (P{255, 0, 0, 0x40}));
    EXPECT_EQ(buffer.RowAddress(1)[0], (P{0, 255, 0, 255}));

    TGLBitmap32 flipped;
    flipped.SetRowFlip(true);
    flipped.Assign(&tga);
    EXPECT_EQ(flipped.Data()[0], (P{0, 255, 0, 255}));

    // Back to a platform bitmap: rows top-down again, B, G, R, A.
    std::unique_ptr<TBitmap> back(buffer.ToPlatformBitmap());
    ASSERT_EQ(back->PixelFormat(), pf32bit);
    EXPECT_EQ(Bgra(*back, 0, 1), (std::vector<int>{0, 0, 255, 0x40}));
    EXPECT_EQ(Bgra(*back, 0, 0), (std::vector<int>{0, 255, 0, 255}));

    // 24-bit: alpha 255.
    TBitmap rgb;
    rgb.SetPixelFormat(pf24bit);
    rgb.SetSize(4, 1);
    rgb.Canvas()->SetPixels(0, 0, 0x0000FF);
    TGLBitmap32 opaque;
    opaque.Assign(&rgb);
    EXPECT_EQ(opaque.Data()[0], (P{255, 0, 0, 255}));
}

TEST(GLBitmap32, OtherWidthsAndFormatsAreDrawnThroughA24BitBitmap) {
    TBitmap narrow;
    narrow.SetPixelFormat(pf24bit);
    narrow.SetSize(30, 10);
    narrow.Canvas()->Brush()->SetColor(0x0000FF);
    narrow.Canvas()->FillRect(Rect(0, 0, 30, 10));
    TGLBitmap32 buffer;
    buffer.Assign(&narrow);
    EXPECT_EQ(buffer.Width(), 32);
    EXPECT_EQ(buffer.Height(), 10);
    EXPECT_EQ(buffer.Data()[0], (P{255, 0, 0, 255}));

    TBitmap paletted;
    paletted.SetPixelFormat(pf8bit);
    paletted.SetSize(4, 2);
    paletted.Canvas()->SetPixels(0, 1, 0xFFFFFF);
    TGLBitmap32 fromPalette;
    fromPalette.Assign(&paletted);
    EXPECT_EQ(fromPalette.Width(), 4);
    EXPECT_EQ(fromPalette.Data()[0], (P{255, 255, 255, 255}));
}

}  // namespace

// --- upload, against the recording table

namespace {

GLint fakeMaxTextureSize = 0;
void APIENTRY GetIntegerv(GLenum pname, GLint* value) {
    if (pname == GL_MAX_TEXTURE_SIZE) *value = fakeMaxTextureSize;
}

struct TUpload {
    Integer width = 0, height = 0;
    TGLCalls calls;
};

TUpload Upload(Integer w, Integer h, TGLMinFilter filter, GLenum target = GL_TEXTURE_2D, GLenum format = GL_RGBA8,
               bool npot = false, bool sgis = false, GLint maxSize = 4096, bool blank = false) {
    TGLRecorder recorder;
    GL.glGetIntegerv = &GetIntegerv;
    GL.GL_ARB_texture_non_power_of_two = npot;
    GL.GL_SGIS_generate_mipmap = sgis;
    fakeMaxTextureSize = maxSize;
    TGLBitmap32 buffer;
    buffer.SetBlank(blank);
    buffer.SetWidth(w);
    buffer.SetHeight(h);
    TUpload result;
    buffer.UploadAsTexture(target, filter, format, result.width, result.height);
    result.calls = recorder.Take();
    return result;
}

TEST(GLBitmap32Upload, SizesFollowThePowerOfTwoRuleAndTheLimit) {
    TUpload rescaled = Upload(100, 60, miLinear);
    EXPECT_EQ(rescaled.width, 128);
    EXPECT_EQ(rescaled.height, 64);
    EXPECT_EQ(rescaled.calls, (TGLCalls{"gluScaleImage(6408,100,60,5121,ptr,128,64,5121,ptr)",
                                        "glTexImage2D(3553,0,32856,128,64,0,6408,5121,ptr)"}));
    TUpload npot = Upload(100, 60, miLinear, GL_TEXTURE_2D, GL_RGBA8, true);
    EXPECT_EQ(npot.width, 100);
    EXPECT_EQ(npot.calls, (TGLCalls{"glTexImage2D(3553,0,32856,100,60,0,6408,5121,ptr)"}));
    TUpload limited = Upload(256, 256, miNearest, GL_TEXTURE_2D, GL_RGBA8, false, false, 64);
    EXPECT_EQ(limited.width, 64);
    EXPECT_EQ(limited.height, 64);
    EXPECT_EQ(Upload(0, 0, miLinear).calls, TGLCalls{});
}

TEST(GLBitmap32Upload, MipmapsFloatAndBlankStorage) {
    EXPECT_EQ(Upload(4, 4, miLinearMipmapLinear, GL_TEXTURE_2D, GL_RGBA8, false, true).calls,
              (TGLCalls{"glTexParameteri(3553,33169,1)", "glTexImage2D(3553,0,32856,4,4,0,6408,5121,ptr)"}));
    EXPECT_EQ(Upload(4, 4, miNearestMipmapNearest, GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_RGBA8, false, true).calls,
              (TGLCalls{"gluBuild2DMipmaps(34069,32856,4,4,6408,5121,ptr)"}));
    // Float formats and blank buffers send storage only, at the rounded size, without rescaling.
    EXPECT_EQ(Upload(6, 4, miLinear, GL_TEXTURE_2D, GL_RGBA16F_ARB).calls,
              (TGLCalls{"glTexImage2D(3553,0,34842,8,4,0,6408,5126,null)"}));
    EXPECT_EQ(Upload(8, 3, miLinearMipmapLinear, GL_TEXTURE_2D, GL_RGBA8, false, false, 4096, true).calls,
              (TGLCalls{"glTexImage2D(3553,0,32856,8,4,0,6408,5121,null)"}));
    EXPECT_THROW(Upload(4, 4, miLinear, GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_RGBA32F_ARB), EAssertionFailed);
    EXPECT_TRUE(IsFloatInternalFormat(GL_FLOAT_RGBA32_NV));
    EXPECT_FALSE(IsFloatInternalFormat(GL_RGBA8));
}

}  // namespace
