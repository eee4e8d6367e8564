// Steps of a frame around the tree: the model-view stack of camera-invariant objects and its
// check, the after-render effects, and texture coordinates starting on the main unit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GLObjects.h"
#include "GLSceneBuffer.h"
#include "MathExpect.h"
#include "SceneBufferFixtures.h"
#include "TestSupport.h"
#include "XOpenGL.h"

namespace {

std::vector<std::string>& FrameStepLog() {
    static std::vector<std::string> log;
    return log;
}

// Remembers the model-view the record and OpenGL hold while it draws.
class TModelViewProbe : public TGLBaseSceneObject {
    Z_CLASS(TModelViewProbe, TGLBaseSceneObject)
public:
    explicit TModelViewProbe(TComponent* owner) : TGLBaseSceneObject(owner) {
        SetObjectStyle(TGLObjectStyle{osDirectDraw});
    }
    void BuildList(TRenderContextInfo& rci) override {
        FrameStepLog().push_back("probe");
        recordView = *rci.modelViewMatrix;
        GL.glGetFloatv(GL_MODELVIEW_MATRIX, &glView[0].X);
        if (pushWithoutPop) rci.buffer->PushModelViewMatrix(IdentityMatrix);
    }
    TMatrix4x4 recordView{}, glView{};
    bool pushWithoutPop = false;
};

class TQueuedEffect : public TGLObjectAfterEffect {
    Z_CLASS(TQueuedEffect, TGLObjectAfterEffect)
public:
    using TGLObjectAfterEffect::TGLObjectAfterEffect;
    void Render(TRenderContextInfo& rci) override { FrameStepLog().push_back("after effect"); }
};

struct TRenderingEvents : TObject {
    void Log(TObject*, TRenderContextInfo&) { FrameStepLog().push_back("rendering event"); }
};

class FrameSteps : public testing::Test {
protected:
    static constexpr int kSize = 32;
    void SetUp() override {
        FrameStepLog().clear();
        window_ = CreatePopupHost(kSize, kSize, CS_OWNDC);
        ASSERT_NE(window_, nullptr);
        buffer = std::make_unique<TGLSceneBuffer>(nullptr);
        buffer->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
        buffer->SetCamera(scene.camera);
        buffer->Resize(kSize, kSize);
        buffer->CreateRC(GetDC(window_), false);
    }
    void TearDown() override {
        buffer.reset();
        if (window_) DestroyWindow(window_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }

    TSquareScene scene;
    std::unique_ptr<TGLSceneBuffer> buffer;
    HWND window_ = nullptr;
};

TEST_F(FrameSteps, CameraInvariantObjectsPushTheirViewForTheirSubtree) {
    auto* invariant = scene.fixture.Add<TGLDummyCube>(nullptr, L"invariant");
    invariant->SetCamInvarianceMode(cimOrientation);
    invariant->Position()->SetPoint(0, 0, -5);
    auto* probe = scene.fixture.Add<TModelViewProbe>(invariant, L"probe");
    buffer->Render();
    // Identity, flipped to look down -Z, then the object's own placement: the camera is ignored.
    TMatrix4x4 expected = IdentityMatrix;
    expected[1].Y = expected[2].Z = -1;
    expected[3] = {0, 0, 5, 1};
    EXPECT_TRUE(ComponentsNear(probe->recordView, expected, 16, 1e-5)) << probe->recordView;
    EXPECT_TRUE(ComponentsNear(probe->glView, expected, 16, 1e-5)) << probe->glView;
    // Popped after the subtree: the frame's model-view is the camera's again.
    EXPECT_FALSE(ComponentsNear(buffer->ModelViewMatrix(), expected, 16, 1e-5));
    EXPECT_NEAR(buffer->ModelViewMatrix()[3].Z, -20, 1e-4);

    // Position mode: from the camera's place, still turned with the view.
    invariant->SetCamInvarianceMode(cimPosition);
    buffer->Render();
    EXPECT_TRUE(ComponentsNear(probe->recordView, probe->glView, 16, 1e-5));
    EXPECT_NEAR(probe->recordView[3].Z, -5, 1e-4);  // 5 in front of the camera
}

TEST_F(FrameSteps, AnUnbalancedModelViewStackFailsTheFrame) {
    auto* probe = scene.fixture.Add<TModelViewProbe>(nullptr, L"probe");
    probe->pushWithoutPop = true;
    EXPECT_EQ(
        ClassAndMessageOf([&] { buffer->Render(); }).rfind("EAssertionFailed: Unbalance Push/PopModelViewMatrix.", 0),
        0u);
    EXPECT_FALSE(buffer->Rendering());
    EXPECT_EQ(ActiveGLContext(), nullptr);
    // Once the object behaves, frames render again: the failed frame left no stale entry.
    probe->pushWithoutPop = false;
    const Integer frames = buffer->FrameCount();
    EXPECT_NO_THROW(buffer->Render());
    EXPECT_EQ(buffer->FrameCount(), frames + 1);
}

TEST_F(FrameSteps, AfterRenderEffectsRunOnceTheTreeIsDrawn) {
    auto* probe = scene.fixture.Add<TModelViewProbe>(nullptr, L"probe");
    new TQueuedEffect(probe->Effects());
    TRenderingEvents events;
    buffer->InitiateRendering = MakeEvent(&events, &TRenderingEvents::Log);
    buffer->WrapUpRendering = MakeEvent(&events, &TRenderingEvents::Log);
    buffer->Render();
    EXPECT_EQ(FrameStepLog(),
              (std::vector<std::string>{"rendering event", "probe", "after effect", "rendering event"}));
    FrameStepLog().clear();
    buffer->Render();  // queued afresh for every frame
    EXPECT_EQ(FrameStepLog(),
              (std::vector<std::string>{"rendering event", "probe", "after effect", "rendering event"}));
}

TEST_F(FrameSteps, TextureCoordinatesStartOnTheMainUnit) {
    TMapTexCoordMode seen = mtcmUndefined;
    scene.square->onDraw = [&] { seen = CurrentTexCoordMapping(); };
    SelectNullTexCoordMapping();  // as some other drawing may have left it
    buffer->Render();
    EXPECT_EQ(seen, mtcmMain);
}

}  // namespace
