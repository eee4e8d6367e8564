// An actor drawn for real and read back: a skeletal model with a two-frame animation, posed by a
// cadencer's ticks, and its bones drawn over it.
#include <gtest/gtest.h>

#include <memory>

#include "GLCadencer.h"
#include "GLSceneBuffer.h"
#include "SceneBufferFixtures.h"
#include "SkeletonFixtures.h"
#include "TestSupport.h"

namespace {

class ActorFrame : public testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 64;

    void SetUp() override {
        scene.square->SetVisible(false);
        scene.camera->Position()->SetPoint(1, 1.5f, 20);
        scene.target->Position()->SetPoint(1, 1.5f, 0);
        actor = scene.fixture.Add<TGLActor>(nullptr, L"Bot");
        actor->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
        actor->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 0, 0, 1});
        LoadSmd(actor, L"robot.smd", TwoBoneModel());     // a unit square around bone 1, at (1, 0, 0)
        AddSmd(actor, L"lift.smd", TwoFrameAnimation());  // bone 1 at (1, 0, 0), then (1, 3, 0)
        actor->SetAnimationMode(aamLoop);
        actor->SelectAnimationByName(L"LIFT");

        cadencer = std::make_unique<TGLCadencer>(nullptr);
        cadencer->SetMode(cmManual);
        cadencer->SetTimeReference(cmExternal);
        cadencer->SetScene(scene.fixture.scene);

        window_ = CreatePopupHost(kWidth, kHeight, CS_OWNDC);
        ASSERT_NE(window_, nullptr);
        buffer = std::make_unique<TGLSceneBuffer>(nullptr);
        buffer->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
        buffer->SetBackgroundColor(0xFF0000);  // blue
        buffer->SetLighting(false);
        buffer->SetCamera(scene.camera);
        buffer->Resize(kWidth, kHeight);
        buffer->CreateRC(GetDC(window_), false);
    }
    void TearDown() override {
        buffer.reset();
        if (window_) DestroyWindow(window_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }

    void AdvanceTo(Double seconds) {
        cadencer->SetCurrentTime(seconds);
        cadencer->Progress();
    }

    // The colour where the camera puts a world point, or a few pixels up from there, as
    // 0xRRGGBB.
    unsigned ColourAt(const TAffineVector& world, int pixelsUp = 0) {
        TAffineVector screen = buffer->WorldToScreen(world);
        screen.Y += Single(pixelsUp);
        if (screen.X < 0 || screen.Y < 0 || screen.X >= kWidth || screen.Y >= kHeight) {
            ADD_FAILURE() << Text(world) << " is outside the view at " << Text(screen);
            return 0xFFFFFFFF;
        }
        GLubyte p[4] = {};
        buffer->RenderingContext()->Activate();
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(int(screen.X), int(screen.Y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        buffer->RenderingContext()->Deactivate();
        return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
    }

    TSquareScene scene;
    TGLActor* actor = nullptr;
    std::unique_ptr<TGLCadencer> cadencer;
    std::unique_ptr<TGLSceneBuffer> buffer;
    HWND window_ = nullptr;
};

}  // namespace

TEST_F(ActorFrame, TheCadencerMovesThePoseThatIsDrawn) {
    AdvanceTo(0);
    buffer->Render();
    EXPECT_EQ(ColourAt({1, 0, 0}), 0xFF0000u);  // the square where bone 1 starts
    EXPECT_EQ(ColourAt({1, 1.5f, 0}), 0x0000FFu);
    EXPECT_EQ(ColourAt({1, 3, 0}), 0x0000FFu);

    // Half a frame later the square is half way up: the pose between the two frames.
    AdvanceTo(0.05);
    EXPECT_EQ(actor->CurrentFrame(), 1);
    EXPECT_EQ(actor->CurrentFrameDelta(), 0.5f);
    buffer->Render();
    EXPECT_EQ(ColourAt({1, 0, 0}), 0x0000FFu);
    EXPECT_EQ(ColourAt({1, 1.5f, 0}), 0xFF0000u);
    EXPECT_EQ(ColourAt({1, 3, 0}), 0x0000FFu);

    // Past the second frame, on the way back to the first.
    AdvanceTo(0.11);
    EXPECT_EQ(actor->CurrentFrame(), 2);
    buffer->Render();
    EXPECT_EQ(ColourAt({1, 3, 0}), 0xFF0000u);
    EXPECT_EQ(ColourAt({1, 1.5f, 0}), 0x0000FFu);
    EXPECT_EQ(ColourAt({1, 0, 0}), 0x0000FFu);
}

TEST_F(ActorFrame, TheSkeletonIsDrawnOverTheModel) {
    actor->SetAnimationMode(aamNone);
    actor->SetOverlaySkeleton(true);
    actor->Skeleton()->RootBones()->BoneByID(1)->SetColor(0xFF00FF00);  // opaque green
    buffer->Render();
    // Bone 1's point lies on the square's centre; bone 0's point (white) and the line to it (in
    // bone 1's colour) on the background.
    EXPECT_EQ(ColourAt({1, 0, 0}), 0x00FF00u);
    EXPECT_EQ(ColourAt({0, 0, 0}, 2), 0xFFFFFFu);
    EXPECT_EQ(ColourAt({0.25f, 0, 0}), 0x00FF00u);
    EXPECT_EQ(ColourAt({1.4f, 0.4f, 0}), 0xFF0000u);
    // The pushed states came back.
    buffer->RenderingContext()->Activate();
    EXPECT_FALSE(GL.glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    buffer->RenderingContext()->Deactivate();
}
