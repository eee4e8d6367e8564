// The scene viewer control: its window and context, the messages it answers, and the change
// road from a scene object to a repaint of the window.
#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "GLWin32Viewer.h"
#include "SceneBufferFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

class SceneViewerWin : public testing::Test {
protected:
    TSquareScene scene;
    TSceneFixture& fixture = scene.fixture;
    TGLBaseSceneObject*& target = scene.target;
    TColouredSquare*& square = scene.square;
    TGLCamera*& camera = scene.camera;

    static constexpr int kWidth = 64, kHeight = 48;

    void SetUp() override {
        host_ = CreatePopupHost(kWidth, kHeight, 0);
        ASSERT_NE(host_, nullptr);
        square->colour = {0, 1, 0, 1};
        viewer = std::make_unique<TGLSceneViewer>(nullptr);
        viewer->SetParentWindow(host_);
        viewer->SetBounds(0, 0, kWidth, kHeight);
        viewer->Buffer()->SetLighting(false);
        viewer->SetCamera(camera);
    }
    void TearDown() override {
        viewer.reset();
        if (host_) DestroyWindow(host_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }

    bool NeedsPaint() {
        RECT r;
        return GetUpdateRect(viewer->WindowHandle(), &r, FALSE);
    }
    void Paint() {
        InvalidateRect(viewer->WindowHandle(), nullptr, FALSE);
        UpdateWindow(viewer->WindowHandle());
    }

    std::unique_ptr<TGLSceneViewer> viewer;
    HWND host_ = nullptr;
};

TEST_F(SceneViewerWin, TheWindowComesWithItsContextOnce) {
    viewer->Loaded();  // makes sure the window exists
    ASSERT_TRUE(viewer->HandleAllocated());
    EXPECT_TRUE(viewer->HasUsableContext());
    EXPECT_EQ(viewer->Buffer()->Width(), kWidth);
    EXPECT_EQ(viewer->Buffer()->Height(), kHeight);
    EXPECT_TRUE(GetClassLongW(viewer->WindowHandle(), GCL_STYLE) & CS_OWNDC);
    EXPECT_TRUE(GetWindowLongW(viewer->WindowHandle(), GWL_STYLE) & WS_CLIPSIBLINGS);
    TGLContext* context = viewer->Buffer()->RenderingContext();
    viewer->Loaded();
    EXPECT_EQ(viewer->Buffer()->RenderingContext(), context);

    // The window going takes the context with it.
    viewer->DestroyHandle();
    EXPECT_FALSE(viewer->Buffer()->RCInstantiated());
}

TEST_F(SceneViewerWin, SizeMessagesResizeTheBufferAndErasingIsLeftToTheFrame) {
    viewer->Loaded();
    SendMessageW(viewer->WindowHandle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 20));
    EXPECT_EQ(viewer->Buffer()->Width(), 30);
    EXPECT_EQ(viewer->Buffer()->Height(), 20);

    // With a context, erasing the background touches nothing.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetPixel(memory, 1, 1, RGB(12, 34, 56));
    EXPECT_EQ(SendMessageW(viewer->WindowHandle(), WM_ERASEBKGND, WPARAM(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 1, 1), RGB(12, 34, 56));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(SceneViewerWin, PaintRendersAFrameAndValidates) {
    viewer->Loaded();
    viewer->Buffer()->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
    ASSERT_TRUE(viewer->HasUsableContext());  // recreated with the new options
    Paint();
    EXPECT_EQ(viewer->Buffer()->FrameCount(), 1);
    EXPECT_FALSE(NeedsPaint());
    TGLContext* context = viewer->Buffer()->RenderingContext();
    context->Activate();
    GLubyte p[4] = {};
    GL.glReadBuffer(GL_BACK);
    GL.glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    context->Deactivate();
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 255);
    EXPECT_EQ(p[2], 0);
}

TEST_F(SceneViewerWin, SceneChangesInvalidateTheWindow) {
    viewer->Loaded();
    Paint();  // the buffer joins the camera's scene
    ASSERT_FALSE(NeedsPaint());
    square->Position()->SetPoint(0.5f, 0, 0);
    EXPECT_TRUE(NeedsPaint());
    UpdateWindow(viewer->WindowHandle());
    EXPECT_EQ(viewer->Buffer()->FrameCount(), 2);

    // A repainting property keeps the context; a pixel-format one replaces the window.
    TGLContext* context = viewer->Buffer()->RenderingContext();
    HWND window = viewer->WindowHandle();
    viewer->Buffer()->SetBackgroundColor(0x123456);
    EXPECT_TRUE(NeedsPaint());
    EXPECT_EQ(viewer->Buffer()->RenderingContext(), context);
    EXPECT_EQ(viewer->WindowHandle(), window);
    viewer->Buffer()->SetContextOptions({roDoubleBuffer, roStencilBuffer});
    EXPECT_TRUE(viewer->HasUsableContext());
    EXPECT_NE(viewer->WindowHandle(), window);
}

TEST_F(SceneViewerWin, AViewerWithoutWidthPaintsNothingButValidates) {
    viewer->Loaded();
    viewer->SetBounds(0, 0, 0, kHeight);
    Paint();
    EXPECT_EQ(viewer->Buffer()->FrameCount(), 0);
    EXPECT_FALSE(NeedsPaint());
}

TEST_F(SceneViewerWin, MovingTheWindowPostsOneSizeMessageAtTheNextPaint) {
    viewer->Loaded();
    MSG msg;
    Paint();  // the first paint learns the origin
    while (PeekMessageW(&msg, viewer->WindowHandle(), WM_SIZE, WM_SIZE, PM_REMOVE)) {}
    SetWindowPos(host_, nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Paint();
    Paint();
    int sizes = 0;
    while (PeekMessageW(&msg, viewer->WindowHandle(), WM_SIZE, WM_SIZE, PM_REMOVE)) ++sizes;
    EXPECT_EQ(sizes, 1);
}

TEST_F(SceneViewerWin, FieldOfViewFollowsTheCameraAndForgetsAFreedOne) {
    viewer->SetFieldOfView(60);
    EXPECT_NEAR(viewer->FieldOfView(), 60, 0.01);
    delete camera;
    EXPECT_EQ(viewer->Camera(), nullptr);
    EXPECT_EQ(viewer->FieldOfView(), 0);
    viewer->SetFieldOfView(45);  // nothing to set
    EXPECT_NE(GetClass(L"TGLSceneViewer"), nullptr);
}

// A form whose handlers a description binds to a viewer's mouse events by name.
class TViewerEventsForm : public TForm {
    Z_CLASS(TViewerEventsForm, TForm)
    Z_PUBLISHED {
        p.Method(L"ViewerEnter", &TViewerEventsForm::ViewerEnter);
        p.Method(L"ViewerLeave", &TViewerEventsForm::ViewerLeave);
    }

public:
    using TForm::TForm;
    void ViewerEnter(TObject*) { log.push_back("enter"); }
    void ViewerLeave(TObject*) { log.push_back("leave"); }
    std::vector<std::string> log;
};

// A windowless child of the viewer, so that the mouse can enter a child of it.
class TViewerSpot : public TGraphicControl {
    Z_CLASS(TViewerSpot, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
};

TEST_F(WindowTest, TheViewersMouseEventsAreThePublishedOnesAndFireOnlyForTheViewerItself) {
    auto* form = CreateNewForm<TViewerEventsForm>(nullptr);
    ReadComponentFromText(R"(object ViewerEventsForm: TViewerEventsForm
  object Viewer: TGLSceneViewer
    Left = 0
    Top = 0
    Width = 120
    Height = 90
    OnMouseEnter = ViewerEnter
    OnMouseLeave = ViewerLeave
  end
end
)",
                          form);
    auto* viewer = As<TGLSceneViewer>(form->FindComponent(L"Viewer"));
    ASSERT_NE(viewer, nullptr);
    // Code sees the slot that the description bound.
    EXPECT_TRUE(viewer->OnMouseEnter.Assigned());
    EXPECT_TRUE(viewer->OnMouseLeave.Assigned());
    auto* spot = new TViewerSpot(form);
    spot->SetBounds(80, 50, 30, 30);
    spot->SetParent(viewer);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    MoveMouseTo(form->ClientToScreen(TPoint{200, 150}));
    ASSERT_TRUE(PumpUntil([&] { return form->Visible() && viewer->HandleAllocated(); }));
    form->log.clear();

    MoveMouseTo(viewer->ClientToScreen(TPoint{20, 20}));
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() == 1; }));
    EXPECT_TRUE(viewer->IsMouseInControl());
    // Into the child and back: the viewer is left and entered once each, the child's own
    // enter and leave do not reach the viewer's handlers.
    MoveMouseTo(viewer->ClientToScreen(TPoint{90, 60}));
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() == 2; }));
    EXPECT_FALSE(viewer->IsMouseInControl());
    MoveMouseTo(viewer->ClientToScreen(TPoint{20, 20}));
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() == 3; }));
    MoveMouseTo(form->ClientToScreen(TPoint{200, 150}));
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() == 4; }));
    EXPECT_EQ(form->log, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
    EXPECT_FALSE(viewer->IsMouseInControl());
    FreeObject(form);
}

}  // namespace
