// The memory viewer: frames drawn off-screen and read back, its size and buffer settings, and the
// copies of a frame into textures.
#include <gtest/gtest.h>

#include <vector>

#include "GLTexture.h"
#include "GLTextureImage.h"
#include "OffscreenView.h"
#include "SceneBufferFixtures.h"
#include "TestSupport.h"

namespace {

class MemoryViewerGL : public testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 48;
    void TearDown() override { EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{}); }

    // The texture's level 0 pixels as 0xRRGGBB, bottom row first, read in the view's context.
    std::vector<unsigned> TexturePixels(TGLTexture& texture, int width, int height) {
        std::vector<GLubyte> bytes(size_t(width) * height * 4);
        TGLContext* context = view.viewer.Buffer()->RenderingContext();
        context->Activate();
        GL.glBindTexture(GL_TEXTURE_2D, texture.Handle());
        GL.glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
        context->Deactivate();
        std::vector<unsigned> pixels;
        for (size_t i = 0; i < bytes.size(); i += 4)
            pixels.push_back(unsigned(bytes[i]) << 16 | unsigned(bytes[i + 1]) << 8 | bytes[i + 2]);
        return pixels;
    }

    TSquareScene scene;
    TOffscreenView view{kWidth, kHeight, scene.camera};
};

TEST_F(MemoryViewerGL, RendersOffScreenAndReadsBack) {
    EXPECT_FALSE(view.viewer.Buffer()->RCInstantiated());
    view.Render();
    ASSERT_TRUE(view.viewer.Buffer()->RCInstantiated());  // made by the first frame
    EXPECT_EQ(view.viewer.Buffer()->Width(), kWidth);
    EXPECT_EQ(scene.square->draws, 1);
    EXPECT_EQ(view.Pixel(kWidth / 2, kHeight / 2), 0xFF0000u);  // the square, in the middle
    EXPECT_EQ(view.Pixel(1, 1), 0u);                            // the background in a corner
    EXPECT_EQ(view.Pixel(kWidth - 2, kHeight - 2), 0u);
    // The square spans world -1..1: its edges land where the buffer projects them.
    TPoint right = view.PixelOf({1, 0, 0});
    EXPECT_EQ(view.Pixel(right.x - 1, kHeight / 2), 0xFF0000u);
    EXPECT_EQ(view.Pixel(right.x + 2, kHeight / 2), 0u);

    // The next frame shows the change.
    scene.square->colour = {0, 1, 0, 1};
    view.Render();
    EXPECT_EQ(view.Pixel(kWidth / 2, kHeight / 2), 0x00FF00u);
}

TEST_F(MemoryViewerGL, SizeAndBufferCountChangesDropTheContext) {
    TGLMemoryViewer& viewer = view.viewer;
    EXPECT_EQ(viewer.BufferCount(), 1);
    const struct { Integer value, stored; } counts[] = {{9, 4}, {0, 1}, {-3, 1}, {3, 3}};
    for (const auto& c : counts) {
        viewer.SetBufferCount(c.value);
        EXPECT_EQ(viewer.BufferCount(), c.stored);
    }
    viewer.SetBufferCount(1);
    view.Render();
    ASSERT_TRUE(viewer.Buffer()->RCInstantiated());
    viewer.SetBufferCount(1);  // unchanged: the context stays
    EXPECT_TRUE(viewer.Buffer()->RCInstantiated());
    viewer.SetBufferCount(2);
    EXPECT_FALSE(viewer.Buffer()->RCInstantiated());
    viewer.SetBufferCount(1);  // Mesa offers pbuffers without auxiliary buffers only

    viewer.SetWidth(0);
    EXPECT_EQ(viewer.Width(), 1);
    viewer.SetWidth(32);
    viewer.SetHeight(-4);
    EXPECT_EQ(viewer.Height(), 1);
    viewer.SetHeight(16);
    view.Render();  // a new context of the new size
    EXPECT_EQ(viewer.Buffer()->Width(), 32);
    EXPECT_EQ(viewer.Buffer()->Height(), 16);
    EXPECT_EQ(view.Pixel(16, 8), 0xFF0000u);
}

TEST_F(MemoryViewerGL, CopiesFramesIntoTextures) {
    TGLTexture texture(nullptr);
    texture.SetImageClassName(L"TGLBlankImage");
    texture.SetMinFilter(miLinear);
    view.Render();
    // The first copy uploads the whole frame: the texture had no OpenGL object.
    view.viewer.CopyToTexture(&texture);
    ASSERT_TRUE(texture.HasGLTexture());
    std::vector<unsigned> pixels = TexturePixels(texture, kWidth, kHeight);
    EXPECT_EQ(pixels[size_t(kHeight / 2) * kWidth + kWidth / 2], 0xFF0000u);
    EXPECT_EQ(pixels[0], 0u);

    // Later copies go into the existing texture.
    const GLuint name = texture.Handle();
    scene.square->colour = {0, 0, 1, 1};
    view.Render();
    view.viewer.CopyToTexture(&texture);
    EXPECT_EQ(texture.Handle(), name);
    pixels = TexturePixels(texture, kWidth, kHeight);
    EXPECT_EQ(pixels[size_t(kHeight / 2) * kWidth + kWidth / 2], 0x0000FFu);

    // A region of the colour buffer, moved within the texture.
    scene.square->colour = {0, 1, 0, 1};
    view.Render();
    view.viewer.CopyToTexture(&texture, 0, kWidth / 2 - 2, kHeight / 2 - 2, 0, 0, 4, 4);
    pixels = TexturePixels(texture, kWidth, kHeight);
    EXPECT_EQ(pixels[0], 0x00FF00u);
    EXPECT_EQ(pixels[size_t(kHeight / 2) * kWidth + kWidth / 2], 0x0000FFu);  // the rest as it was
    view.viewer.CopyToTexture(&texture, 4, 0, 0, 0, 0, 4, 4);                 // no such colour buffer: nothing
    EXPECT_EQ(TexturePixels(texture, kWidth, kHeight)[0], 0x00FF00u);
}

TEST_F(MemoryViewerGL, CopiesARegionIntoTheChosenFaceOfACubeMap) {
    if (!GL.GL_ARB_texture_cube_map) GTEST_SKIP() << "no cube-map textures";
    TGLTexture texture(nullptr);
    texture.SetImageClassName(L"TGLCubeMapImage");
    texture.SetMinFilter(miLinear);
    view.viewer.SetCubeMapFaceIndex(2);  // +Y
    view.Render();
    // A square from the middle of the frame, where the red square is, uploaded as that face.
    constexpr int kFace = 4;
    view.viewer.CopyToTexture(&texture, 0, kWidth / 2 - kFace / 2, kHeight / 2 - kFace / 2, 0, 0, kFace, kFace);
    ASSERT_TRUE(texture.HasGLTexture());
    std::vector<GLubyte> bytes(kFace * kFace * 4);
    GLint width = 0;
    TGLContext* context = view.viewer.Buffer()->RenderingContext();
    context->Activate();
    GL.glBindTexture(GL_TEXTURE_CUBE_MAP, texture.Handle());
    GL.glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 0, GL_TEXTURE_WIDTH, &width);
    GL.glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    const GLenum error = GL.glGetError();
    context->Deactivate();
    EXPECT_EQ(error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(width, kFace);
    for (size_t i = 0; i < bytes.size(); i += 4) {
        SCOPED_TRACE(i / 4);
        EXPECT_EQ(bytes[i], 255);
        EXPECT_EQ(bytes[i + 1], 0);
        EXPECT_EQ(bytes[i + 2], 0);
    }
}

}  // namespace
