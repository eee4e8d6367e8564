// Textures and materials drawn for real under Wine: image files generated in a folder load
// through the material library, a quad is drawn with each material, and the frame is read back.
#include <gtest/gtest.h>

#include <memory>

#include "DDS.h"
#include "GLContext.h"
#include "GLMaterial.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "GLWin32Context.h"
#include "HiddenGLWindow.h"
#include "ImageFixtures.h"
#include "JpegImage.h"
#include "TGA.h"
#include "TestSupport.h"
#include "XOpenGL.h"

namespace {

constexpr int kViewSize = 64;

struct TRGB {
    int r, g, b;
    bool operator==(const TRGB&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRGB& c) { return out << c.r << "," << c.g << "," << c.b; }

// The four colours of the 4 x 4 test pictures: each quarter (2 x 2 pixels) one colour.
const TRGB kQuarters[4] = {
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};  // top-left, top-right, bottom-left, bottom-right
const TRGB kBackground = {16, 32, 48};

int QuarterOf(int x, int y) { return (y < 2 ? 0 : 2) + (x < 2 ? 0 : 1); }  // y counted from the top

// A 32-bit bitmap of the picture, rows top-down; key marks the top-left pixel with alpha 0
// and a colour of its own.
void FillQuarters(TBitmap& bitmap, bool alpha) {
    bitmap.SetPixelFormat(alpha ? pf32bit : pf24bit);
    bitmap.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) {
        Byte* row = static_cast<Byte*>(bitmap.ScanLine(y));
        for (int x = 0; x < 4; ++x) {
            const TRGB& c = kQuarters[QuarterOf(x, y)];
            Byte* p = row + x * (alpha ? 4 : 3);
            p[0] = Byte(c.b), p[1] = Byte(c.g), p[2] = Byte(c.r);
            if (alpha) p[3] = 255;
        }
    }
}

class TextureRender : public THiddenGLWindow {
protected:
    TextureRender() : THiddenGLWindow(kViewSize) {}
    void TearDown() override {
        library_.reset();
        THiddenGLWindow::TearDown();
    }

    // Clears to the background and draws a quad over the whole view with the material.
    void DrawQuad(TGLMaterial& material) {
        GL.glClearColor(kBackground.r / 255.0f, kBackground.g / 255.0f, kBackground.b / 255.0f, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        material.Apply(rci_);
        do {
            GL.glBegin(GL_QUADS);
            GL.glTexCoord2f(0, 0), GL.glVertex2f(-1, -1);
            GL.glTexCoord2f(1, 0), GL.glVertex2f(1, -1);
            GL.glTexCoord2f(1, 1), GL.glVertex2f(1, 1);
            GL.glTexCoord2f(0, 1), GL.glVertex2f(-1, 1);
            GL.glEnd();
        } while (material.Unapply(rci_));
        GL.glFinish();
        RaiseGLErrorIfAny();
    }

    // The colour at texel (x, y) of a 4 x 4 picture, y from the top.
    TRGB Texel(int x, int y) {
        GLubyte p[4] = {};
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(x * kViewSize / 4 + kViewSize / 8, kViewSize - 1 - (y * kViewSize / 4 + kViewSize / 8), 1, 1,
                        GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }

    void ExpectQuarters(const char* what, int tolerance = 0, bool keyed = false) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                TRGB expected = keyed && QuarterOf(x, y) == 0 ? kBackground : kQuarters[QuarterOf(x, y)];
                const TRGB got = Texel(x, y);
                EXPECT_NEAR(got.r, expected.r, tolerance) << what << " at " << x << "," << y;
                EXPECT_NEAR(got.g, expected.g, tolerance) << what << " at " << x << "," << y;
                EXPECT_NEAR(got.b, expected.b, tolerance) << what << " at " << x << "," << y;
            }
    }

    TGLMaterial* Prepared(TGLLibMaterial* entry) {
        TGLTexture* texture = entry->Material()->Texture();
        texture->SetMinFilter(miNearest);
        texture->SetMagFilter(maNearest);
        texture->SetTextureMode(tmReplace);
        return entry->Material();
    }

    TTempFolder folder_;
    std::unique_ptr<TGLMaterialLibrary> library_ = std::make_unique<TGLMaterialLibrary>(nullptr);
};

TEST_F(TextureRender, FilesOfEveryFormatLoadThroughTheLibraryAndShowTheirTexels) {
    TBitmap rgb;
    FillQuarters(rgb, false);
    // TGA, 24-bit.
    TTGAImage tga;
    tga.Assign(&rgb);
    tga.SaveToFile(folder_.File(L"plain.tga"));
    // DDS, uncompressed with alpha.
    TDDSImage dds;
    FillQuarters(dds, true);
    dds.SetTransparent(true);
    dds.SaveToFile(folder_.File(L"plain.dds"));
    // BMP and JPEG (flat quarters survive the compression within a small tolerance).
    rgb.SaveToFile(folder_.File(L"plain.bmp"));
    TJPEGImage jpeg;
    jpeg.Assign(&rgb);
    jpeg.SetCompressionQuality(100);
    jpeg.SaveToFile(folder_.File(L"plain.jpg"));

    struct Case {
        const wchar_t* file;
        int tolerance;
    } cases[] = {{L"plain.tga", 0}, {L"plain.dds", 0}, {L"plain.bmp", 0}, {L"plain.jpg", 40}};
    for (const Case& c : cases) {
        TGLLibMaterial* entry = library_->NewTextureMaterial(c.file, folder_.File(c.file), true);
        DrawQuad(*Prepared(entry));
        ExpectQuarters(Utf8(c.file).c_str(), c.tolerance);
    }
}

TEST_F(TextureRender, AKeyColourMakesItsTexelsTransparent) {
    // The buffer's first pixel is the bottom-left one of the picture: key the bottom-left
    // quarter by drawing the picture flipped, so that the red quarter is the keyed one.
    TBitmap flipped;
    FillQuarters(flipped, false);
    TTGAImage tga;
    tga.SetPixelFormat(pf24bit);
    tga.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) memcpy(tga.ScanLine(y), flipped.ScanLine(3 - y), 12);
    tga.SaveToFile(folder_.File(L"keyed.tga"));
    TGLLibMaterial* entry = library_->NewTextureMaterial(L"keyed", folder_.File(L"keyed.tga"), true);
    TGLMaterial* material = Prepared(entry);
    material->Texture()->SetImageAlpha(tiaTopLeftPointColorTransparent);
    material->SetBlendingMode(bmTransparency);
    DrawQuad(*material);
    // On screen the picture stands as stored: the keyed red quarter is at the bottom left.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int q = QuarterOf(x, 3 - y);
            const TRGB expected = q == 0 ? kBackground : kQuarters[q];
            EXPECT_EQ(Texel(x, y), expected) << x << "," << y;
        }
}

TEST_F(TextureRender, APictureFileTextureUploadsAgainAfterAParameterChange) {
    TBitmap rgb;
    FillQuarters(rgb, false);
    rgb.SaveToFile(folder_.File(L"later.bmp"));
    TGLLibMaterial* entry = library_->NewTextureMaterial(L"later", folder_.File(L"later.bmp"), false);
    TGLMaterial* material = Prepared(entry);
    DrawQuad(*material);
    ExpectQuarters("first upload");
    // Only a parameter changes: the texture is made and filled again from the file.
    material->Texture()->SetMagFilter(maLinear);
    material->Texture()->SetMagFilter(maNearest);
    EXPECT_TRUE(material->Texture()->ParamsChangedPending());
    DrawQuad(*material);
    ExpectQuarters("second upload");
}

TEST_F(TextureRender, ACubeMapOfUnequalFacesUploadsNothing) {
    TGLTexture texture(nullptr);
    texture.SetImageClassName(L"TGLCubeMapImage");
    auto* cube = static_cast<TGLCubeMapImage*>(texture.Image());
    for (int i = 0; i < 6; ++i) {
        TBitmap face;
        face.SetPixelFormat(pf24bit);
        face.SetSize(4, i == 5 ? 2 : 4);
        cube->Picture(i)->SetGraphic(&face);
    }
    const GLuint name = texture.EnsureUploaded();
    EXPECT_NE(name, 0u);
    GLint width = -1;
    GL.glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    GL.glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
    // Square faces of one size upload all six.
    TBitmap face;
    face.SetPixelFormat(pf24bit);
    face.SetSize(4, 4);
    cube->Picture(5)->SetGraphic(&face);
    texture.EnsureUploaded();
    GL.glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 4);
    RaiseGLErrorIfAny();
}

// Counts its set-ups and releases; renders in two passes.
class TTwoPassShader : public TGLShader {
public:
    using TGLShader::TGLShader;
    int prepared = 0, released = 0, applied = 0, pass = 0;

protected:
    void PrepareHook() override { ++prepared; }
    void ReleaseHook() override { ++released; }
    void DoApply(TRenderContextInfo&, TObject*) override { ++applied; }
    bool DoUnapply(TRenderContextInfo&) override { return ++pass % 2 == 1; }
};

TEST_F(TextureRender, ShadersAreSetUpOnceAndAgainAfterAChange) {
    TTwoPassShader shader(nullptr);
    TGLLibMaterial* entry = library_->Materials()->Add();
    entry->SetShader(&shader);
    TGLMaterial material(nullptr);
    material.SetMaterialLibrary(library_.get());
    material.SetLibMaterialName(entry->Name());
    DrawQuad(material);  // two passes
    EXPECT_EQ(shader.applied, 1);
    EXPECT_EQ(shader.pass, 2);
    DrawQuad(material);
    EXPECT_EQ(shader.prepared, 1);
    shader.ReportChange(&shader);  // a setting changed: set up again on the next use
    EXPECT_EQ(shader.released, 1);
    DrawQuad(material);
    EXPECT_EQ(shader.prepared, 2);
    entry->SetShader(nullptr);
    EXPECT_TRUE(shader.Users().empty());
}

TEST_F(TextureRender, AnUnlitDiffuseMaterialRendersItsExactColour) {
    TGLMaterial material(nullptr);
    material.SetMaterialOptions(TMaterialOptions{} + moNoLighting);
    material.FrontProperties()->Diffuse()->AssignRGBA(51 / 255.0f, 102 / 255.0f, 204 / 255.0f, 1);
    states_.EnableState(stLighting);
    DrawQuad(material);
    EXPECT_EQ(Texel(1, 1), (TRGB{51, 102, 204}));
    EXPECT_TRUE(states_.IsEnabled(stLighting));
}

}  // namespace
