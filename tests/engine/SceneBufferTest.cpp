// The scene buffer: frames read back from OpenGL, pixel/world conversions, the frame counter
// and the change road from the scene to the buffer's owner.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GLSceneBuffer.h"
#include "MathExpect.h"
#include "SceneBufferFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"

namespace {

class SceneBufferGL : public testing::Test {
protected:
    TSquareScene scene;
    TSceneFixture& fixture = scene.fixture;
    TGLBaseSceneObject*& target = scene.target;
    TColouredSquare*& square = scene.square;
    TGLCamera*& camera = scene.camera;

    static constexpr int kWidth = 64, kHeight = 48;
    static constexpr TColor kBlue = 0xFF0000;  // $00BBGGRR

    void SetUp() override {
        window_ = CreatePopupHost(kWidth, kHeight, CS_OWNDC);
        ASSERT_NE(window_, nullptr);
        buffer = std::make_unique<TGLSceneBuffer>(nullptr);
        // Frames stay in the back buffer, where glReadPixels finds them.
        buffer->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
        buffer->SetBackgroundColor(kBlue);
        buffer->SetLighting(false);
        buffer->SetCamera(camera);
        buffer->Resize(kWidth, kHeight);
        buffer->CreateRC(GetDC(window_), false);
    }
    void TearDown() override {
        buffer.reset();
        if (window_) DestroyWindow(window_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }

    // The colour at (x, y), y from the bottom, as 0xRRGGBB.
    unsigned Pixel(int x, int y) {
        GLubyte p[4] = {};
        buffer->RenderingContext()->Activate();
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        buffer->RenderingContext()->Deactivate();
        return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
    }

    std::unique_ptr<TGLSceneBuffer> buffer;
    HWND window_ = nullptr;
};

TEST_F(SceneBufferGL, AFrameShowsTheBackgroundAndTheSceneThroughTheCamera) {
    ASSERT_TRUE(buffer->RCInstantiated());
    buffer->Render();
    EXPECT_EQ(square->draws, 1);
    EXPECT_EQ(square->drawState, dsRendering);
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), 0xFF0000u);  // the square, in the middle
    EXPECT_EQ(Pixel(1, 1), 0x0000FFu);                     // the background in a corner
    EXPECT_EQ(Pixel(kWidth - 2, kHeight - 2), 0x0000FFu);
    EXPECT_EQ(fixture.scene->CurrentGLCamera(), camera);
    EXPECT_FLOAT_EQ(buffer->CameraPosition().Z, 20);

    // Moved out of view, the square is gone from the next frame.
    square->Position()->SetPoint(100, 0, 0);
    buffer->Render();
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), 0x0000FFu);
}

TEST_F(SceneBufferGL, PickingFindsTheObjectUnderThePixel) {
    buffer->Render();
    TAffineVector before = buffer->WorldToScreen({1, 1, 0});
    const struct {
        TRectangle rect;
        bool hit;
    } cases[] = {
        {{kWidth / 2 - 1, kHeight / 2 - 1, 3, 3}, true},  // the middle
        {{0, 0, 3, 3}, false},                            // a corner
        {{kWidth / 2 - 1, kHeight - 4, 3, 3}, false},     // below the square
    };
    for (const auto& c : cases) {
        std::vector<GLuint> names = buffer->PickObjects(c.rect);
        if (c.hit) {
            EXPECT_EQ(names, std::vector<GLuint>{square->PickingName()}) << c.rect.Left << "," << c.rect.Top;
            if (!names.empty()) {
                EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(names[0]), square);
            }
        } else
            EXPECT_TRUE(names.empty()) << c.rect.Left << "," << c.rect.Top;
        EXPECT_EQ(square->drawState, dsPicking);
    }
    // The conversions still use the last frame.
    EXPECT_FLOAT_EQ(buffer->WorldToScreen({1, 1, 0}).X, before.X);
}

TEST_F(SceneBufferGL, WithoutACameraOnlyTheBackgroundIsDrawn) {
    buffer->SetCamera(nullptr);
    buffer->Render();
    EXPECT_EQ(square->draws, 0);
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), 0x0000FFu);
    // Conversions return the point unchanged.
    TAffineVector p{3, 4, 0.5f};
    EXPECT_EQ(buffer->ScreenToWorld(p).X, 3);
    EXPECT_EQ(buffer->WorldToScreen(p).Y, 4);
    EXPECT_EQ(buffer->GetPixelDepth(1, 1), 0);
}

TEST_F(SceneBufferGL, ScreenAndWorldConvertBothWays) {
    buffer->Render();
    // The target projects to the viewport's centre, y counted from the bottom.
    TAffineVector centre = buffer->WorldToScreen({0, 0, 0});
    EXPECT_NEAR(centre.X, kWidth / 2.0, 1e-3);
    EXPECT_NEAR(centre.Y, kHeight / 2.0, 1e-3);
    // A point above the target is higher on the screen.
    EXPECT_GT(buffer->WorldToScreen({0, 1, 0}).Y, centre.Y);

    const TAffineVector worldPoints[] = {{0, 0, 0}, {1, -0.5f, 0}, {-1.5f, 0.75f, 2}, {0.25f, 0.25f, -3}};
    for (const TAffineVector& p : worldPoints) {
        TAffineVector back = buffer->ScreenToWorld(buffer->WorldToScreen(p));
        EXPECT_NEAR(back.X, p.X, 1e-3) << p.X << "," << p.Y << "," << p.Z;
        EXPECT_NEAR(back.Y, p.Y, 1e-3);
        EXPECT_NEAR(back.Z, p.Z, 1e-3);
    }

    // From the top: the same as from the bottom at (x, height - y) on the near plane.
    const int pixels[][2] = {{0, 0}, {10, 5}, {kWidth / 2, kHeight / 2}, {kWidth - 1, kHeight - 1}};
    for (auto [x, y] : pixels) {
        TAffineVector top = buffer->ScreenToWorld(x, y);
        TAffineVector bottom = buffer->ScreenToWorld(TAffineVector{Single(x), Single(kHeight - y), 0});
        EXPECT_FLOAT_EQ(top.X, bottom.X);
        EXPECT_FLOAT_EQ(top.Y, bottom.Y);
        EXPECT_NEAR(top.Z, 20 - camera->NearPlane(), 1e-3);  // on the near plane
        // The ray from a pixel keeps y as given and has W = 0.
        TVector4f ray = buffer->ScreenToVector(x, y);
        TAffineVector unflipped = buffer->ScreenToVector(TAffineVector{Single(x), Single(y), 0});
        EXPECT_FLOAT_EQ(ray.X, unflipped.X);
        EXPECT_FLOAT_EQ(ray.Y, unflipped.Y);
        EXPECT_EQ(ray.W, 0);
    }
    // The ray through the centre points from the camera straight at the target.
    TVector4f ray = buffer->ScreenToVector(kWidth / 2, kHeight / 2);
    EXPECT_NEAR(ray.X, 0, 1e-4);
    EXPECT_NEAR(ray.Y, 0, 1e-4);
    EXPECT_LT(ray.Z, 0);
}

TEST_F(SceneBufferGL, PixelDepthGivesTheDistanceToTheSquare) {
    buffer->Render();
    EXPECT_GT(buffer->GetPixelDepth(kWidth / 2, kHeight / 2), 0);
    EXPECT_LT(buffer->GetPixelDepth(kWidth / 2, kHeight / 2), 1);
    EXPECT_NEAR(buffer->PixelDepthToDistance(kWidth / 2, kHeight / 2), 20, 0.05);
    EXPECT_EQ(buffer->GetPixelDepth(1, 1), 1);  // cleared depth: nothing drawn there
}

TEST_F(SceneBufferGL, FramesAreCountedAndTheMonitorResets) {
    for (int i = 0; i < 3; ++i) buffer->Render();
    EXPECT_EQ(buffer->FrameCount(), 3);
    EXPECT_GT(buffer->FramesPerSecond(), 0);
    EXPECT_GE(buffer->LastFrameTime(), 0);
    buffer->ResetPerformanceMonitor();
    EXPECT_EQ(buffer->FrameCount(), 0);
    EXPECT_EQ(buffer->FramesPerSecond(), 0);
}

TEST(SceneBufferFrameRate, FramesOverElapsedTime) {
    const struct {
        Integer frames;
        Int64 ticks, frequency;
        Single expected;
    } cases[] = {
        {10, 500, 1000, 20},
        {1, 3579545, 3579545, 1},
        {60, 10000000, 10000000, 60},
        {5, 0, 1000, 0},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(FrameRate(c.frames, c.ticks, c.frequency), c.expected) << c.frames;
}

TEST_F(SceneBufferGL, SceneChangesReachTheOwnerButNotWhileAFrameRenders) {
    int changes = 0;
    struct TCounter : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter;
    counter.n = &changes;
    buffer->OnChange = MakeEvent(&counter, &TCounter::Changed);
    buffer->Render();  // registers the buffer with the camera's scene
    EXPECT_EQ(fixture.scene->BufferCount(), 2);

    square->Position()->SetPoint(0.5f, 0, 0);
    EXPECT_GE(changes, 1);

    // A change made during the frame is shown by that frame: no second repaint.
    changes = 0;
    square->onDraw = [&] { target->Position()->SetPoint(0, 0, 0.001f); };
    buffer->Render();
    EXPECT_EQ(changes, 0);

    // A repainting property notifies; a pixel-format one asks for a new context instead.
    int structural = 0;
    struct TStructural : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } structuralCounter;
    structuralCounter.n = &structural;
    buffer->OnStructuralChange = MakeEvent(&structuralCounter, &TStructural::Changed);
    changes = 0;
    buffer->SetBackgroundColor(0x00FF00);
    buffer->SetBackgroundColor(0x00FF00);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(structural, 0);
    buffer->SetDepthPrecision(dp16bits);
    buffer->SetContextOptions({roDoubleBuffer, roStencilBuffer});
    EXPECT_EQ(structural, 2);
    EXPECT_EQ(changes, 1);

    // Destroying the context takes the buffer off the scene.
    buffer->DestroyRC();
    EXPECT_EQ(fixture.scene->BufferCount(), 1);
    EXPECT_FALSE(buffer->RCInstantiated());
    buffer->Render();  // no context: nothing happens
}

TEST_F(SceneBufferGL, ResizingToNothingKeepsOnePixel) {
    buffer->Resize(0, -3);
    EXPECT_EQ(buffer->Width(), 1);
    EXPECT_EQ(buffer->Height(), 1);
    buffer->Resize(kWidth, kHeight);
    EXPECT_EQ(buffer->Width(), kWidth);
}

TEST_F(SceneBufferGL, ModelViewPushesMustBalance) {
    buffer->PushModelViewMatrix(IdentityMatrix);
    buffer->PopModelViewMatrix();
    EXPECT_THROW(buffer->PopModelViewMatrix(), Exception);
}

}  // namespace
