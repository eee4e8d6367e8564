// A cube-map texture mapped by the scene's first light takes the light's orientation as its
// texture matrix.
#include <gtest/gtest.h>

#include "GLLightSource.h"
#include "GLTexture.h"
#include "GLTextureImage.h"
#include "HiddenGLWindow.h"
#include "MathExpect.h"
#include "SceneFixtures.h"

namespace {

class CubeMapLightGL : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        texture.SetImageClassName(L"TGLCubeMapImage");
        texture.SetDisabled(false);
        texture.SetMappingMode(tmmCubeMapLight0);
        rci_.scene = scene.scene;
    }
    // The texture matrix after applying the texture, read back.
    TMatrix4x4 AppliedTextureMatrix() {
        GL.glMatrixMode(GL_TEXTURE);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
        texture.Apply(rci_);
        TMatrix4x4 m = ReadMatrix(GL_TEXTURE_MATRIX);
        texture.Unapply(rci_);
        return m;
    }
    // A light at the origin, turned about Y.
    TGLLightSource* Light(const wchar_t* name, Single turn) {
        auto* light = scene.Add<TGLLightSource>(nullptr, name);
        light->SetTurnAngle(turn);
        return light;
    }

    TSceneFixture scene;
    TGLTexture texture{nullptr};
};

TEST_F(CubeMapLightGL, TheFirstLightOrientsTheTexture) {
    ASSERT_TRUE(GL.GL_ARB_texture_cube_map);
    // No light: the texture matrix is left alone.
    EXPECT_TRUE(ComponentsNear(AppliedTextureMatrix(), IdentityMatrix, 16, 1e-6));

    TGLLightSource* first = Light(L"first", 90);
    TGLLightSource* second = Light(L"second", -30);
    // Loaded transposed: the inverse of the light's rotation (the model-view is the identity).
    TMatrix4x4 expected = first->AbsoluteMatrix();
    TransposeMatrixInPlace(expected);
    EXPECT_TRUE(ComponentsNear(AppliedTextureMatrix(), expected, 16, 1e-6));

    // With the first entry of the light table empty, the next light counts as the first.
    FreeObject(first);
    expected = second->AbsoluteMatrix();
    TransposeMatrixInPlace(expected);
    EXPECT_TRUE(ComponentsNear(AppliedTextureMatrix(), expected, 16, 1e-6));
}

}  // namespace
