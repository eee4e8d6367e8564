#include <gtest/gtest.h>

#include "GLRecorder.h"
#include "GLState.h"

namespace {

class GLStateCacheTest : public testing::Test {
protected:
    TGLRecorder recorder;
    TGLStateCache cache;
};

const TVector4f kRed = {1, 0, 0, 1}, kGrey = {0.5f, 0.5f, 0.5f, 1}, kBlack = {0, 0, 0, 1}, kWhite = {1, 1, 1, 1};

}  // namespace

TEST_F(GLStateCacheTest, StartsFromOpenGLsInitialState) {
    // Dithering is on when a context starts: switching it off must reach OpenGL.
    cache.EnableState(stDither);
    EXPECT_EQ(recorder.Take(), TGLCalls{});
    cache.DisableState(stDither);
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glDisable", GL_DITHER)});
    // Everything else starts off.
    cache.DisableState(stBlend);
    EXPECT_EQ(recorder.Take(), TGLCalls{});
    cache.EnableState(stTextureCubeMap);
    cache.EnableState(stLogicOp);
    cache.EnableState(stTexture3D);
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{Call("glEnable", 0x8513), Call("glEnable", 0x0BF1), Call("glEnable", 0x806F)}));
}

TEST_F(GLStateCacheTest, SkipsRedundantEnables) {
    cache.EnableState(stBlend);
    cache.EnableState(stBlend);
    cache.DisableState(stBlend);
    cache.DisableState(stBlend);
    EXPECT_EQ(recorder.Take(), (TGLCalls{Call("glEnable", GL_BLEND), Call("glDisable", GL_BLEND)}));
    EXPECT_FALSE(cache.IsEnabled(stBlend));
}

TEST_F(GLStateCacheTest, PolygonModesPerFace) {
    cache.SetPolygonMode(GL_FRONT, GL_LINE);
    cache.SetPolygonMode(GL_FRONT, GL_LINE);
    cache.SetPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // the back mode differed
    cache.SetPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    cache.SetPolygonMode(GL_BACK, GL_LINE);
    cache.SetPolygonMode(GL_LEFT, GL_FILL);  // not a face
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{Call("glPolygonMode", GL_FRONT, GL_LINE), Call("glPolygonMode", GL_FRONT_AND_BACK, GL_LINE)}));
    cache.ResetPolygonModes();
    cache.SetPolygonMode(GL_BACK, GL_LINE);
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glPolygonMode", GL_BACK, GL_LINE)});
}

TEST_F(GLStateCacheTest, MaterialColoursAfterAReset) {
    cache.ResetAll();
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{Call("glMaterialfv", GL_FRONT_AND_BACK, GL_AMBIENT, Floats{0.2f, 0.2f, 0.2f, 1}),
                        Call("glMaterialfv", GL_FRONT_AND_BACK, GL_DIFFUSE, Floats{0.8f, 0.8f, 0.8f, 1}),
                        Call("glMaterialfv", GL_FRONT_AND_BACK, GL_SPECULAR, Floats{0, 0, 0, 1}),
                        Call("glMaterialfv", GL_FRONT_AND_BACK, GL_EMISSION, Floats{0, 0, 0, 1}),
                        Call("glMateriali", GL_FRONT_AND_BACK, GL_SHININESS, 0), Call("glFrontFace", GL_CCW)}));

    cache.SetMaterialColors(GL_FRONT, kBlack, kGrey, kRed, kWhite, 0);
    EXPECT_EQ(recorder.Take(), (TGLCalls{Call("glMaterialfv", GL_FRONT, GL_EMISSION, Floats{0, 0, 0, 1}),
                                         Call("glMaterialfv", GL_FRONT, GL_AMBIENT, Floats{0.5f, 0.5f, 0.5f, 1}),
                                         Call("glMaterialfv", GL_FRONT, GL_DIFFUSE, Floats{1, 0, 0, 1}),
                                         Call("glMaterialfv", GL_FRONT, GL_SPECULAR, Floats{1, 1, 1, 1})}));
    // The same again sends nothing; a new shininess and diffuse only those.
    cache.SetMaterialColors(GL_FRONT, kBlack, kGrey, kRed, kWhite, 0);
    cache.SetMaterialColors(GL_FRONT, kBlack, kGrey, kWhite, kWhite, 64);
    EXPECT_EQ(recorder.Take(), (TGLCalls{Call("glMateriali", GL_FRONT, GL_SHININESS, 64),
                                         Call("glMaterialfv", GL_FRONT, GL_DIFFUSE, Floats{1, 1, 1, 1})}));
    cache.SetDiffuseAlpha(GL_FRONT, 1);
    cache.SetDiffuseAlpha(GL_FRONT, 0.5f);
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glMaterialfv", GL_FRONT, GL_DIFFUSE, Floats{1, 1, 1, 0.5f})});
    // The back face has its own colours.
    cache.SetMaterialColors(GL_BACK, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0);
    EXPECT_EQ(recorder.Take().size(), 4u);
}

TEST_F(GLStateCacheTest, TextureBindingsAreCachedPerUnit) {
    cache.BindTextureCached(0, GL_TEXTURE_2D, 5);
    cache.BindTextureCached(0, GL_TEXTURE_CUBE_MAP, 5);
    cache.BindTextureCached(1, GL_TEXTURE_2D, 5);
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{Call("glBindTexture", GL_TEXTURE_2D, 5), Call("glBindTexture", GL_TEXTURE_2D, 5)}));
    cache.ResetTextureCache();
    cache.BindTextureCached(0, GL_TEXTURE_2D, 0);  // even name 0 is sent after a reset
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glBindTexture", GL_TEXTURE_2D, 0)});
    EXPECT_THROW(cache.BindTextureCached(8, GL_TEXTURE_2D, 1), EAssertionFailed);
}

TEST_F(GLStateCacheTest, WindingAndTextureMatrix) {
    cache.InvertFrontFace();
    cache.InvertFrontFace();
    EXPECT_EQ(recorder.Take(), (TGLCalls{Call("glFrontFace", GL_CW), Call("glFrontFace", GL_CCW)}));

    cache.ResetTextureMatrix();  // believed identity already
    EXPECT_EQ(recorder.Take(), TGLCalls{});
    TMatrix4x4 m = {{{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0.5f, 0, 0, 1}}};
    cache.SetTextureMatrix(m);
    cache.ResetTextureMatrix();
    cache.ResetTextureMatrix();
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{Call("glMatrixMode", GL_TEXTURE),
                        Call("glLoadMatrixf", Floats{2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1}),
                        Call("glMatrixMode", GL_MODELVIEW), Call("glMatrixMode", GL_TEXTURE), Call("glLoadIdentity"),
                        Call("glMatrixMode", GL_MODELVIEW)}));
}
