#pragma once
// TGLSceneViewer: the windowed control that shows a scene. It owns a scene buffer, gives it the
// device context of its own window, creates the rendering context as soon as the window exists,
// renders a frame on every paint, follows size changes and repaints when the scene changes.

#include "GLSceneBuffer.h"
#include "GLViewer.h"
#include "WinControl.h"

class TGLSceneViewer : public TWinControl {
    Z_CLASS(TGLSceneViewer, TWinControl)
    Z_PUBLISHED {
        p.Property(L"Camera", &TGLSceneViewer::Camera, &TGLSceneViewer::SetCamera);
        p.Property(L"VSync", &TGLSceneViewer::VSync, &TGLSceneViewer::SetVSync).Default(vsmNoSync);
        p.Property(L"BeforeRender", &TGLSceneViewer::BeforeRender, &TGLSceneViewer::SetBeforeRender);
        p.Property(L"PostRender", &TGLSceneViewer::PostRender, &TGLSceneViewer::SetPostRender);
        p.Property(L"AfterRender", &TGLSceneViewer::AfterRender, &TGLSceneViewer::SetAfterRender);
        p.Property(L"Buffer", &TGLSceneViewer::Buffer);
        p.Property(L"FieldOfView", &TGLSceneViewer::FieldOfView, &TGLSceneViewer::SetFieldOfView);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_SIZE, WMSize), Z_MESSAGE(WM_PAINT, WMPaint),
                  Z_MESSAGE(WM_DESTROY, WMDestroy))

public:
    explicit TGLSceneViewer(TComponent* AOwner);
    ~TGLSceneViewer() override;

    TGLSceneBuffer* Buffer() const { return buffer_; }
    TGLCamera* Camera() const { return buffer_->Camera(); }
    // The viewer hears of the camera's destruction and lets go of it.
    void SetCamera(TGLCamera* value);
    TVSyncMode VSync() const { return vsync_; }
    void SetVSync(TVSyncMode value) { vsync_ = value; }
    // The camera's field of view across the smaller side; 0 without a camera.
    Single FieldOfView() const;
    void SetFieldOfView(Single value);
    // The buffer's render events, published by the viewer.
    TNotifyEvent BeforeRender() const { return buffer_->BeforeRender; }
    void SetBeforeRender(const TNotifyEvent& value) { buffer_->BeforeRender = value; }
    TNotifyEvent PostRender() const { return buffer_->PostRender; }
    void SetPostRender(const TNotifyEvent& value) { buffer_->PostRender = value; }
    TNotifyEvent AfterRender() const { return buffer_->AfterRender; }
    void SetAfterRender(const TNotifyEvent& value) { buffer_->AfterRender = value; }
    // Between the mouse entering the control and leaving it.
    bool IsMouseInControl() const { return mouseInControl_; }
    // The buffer has a context with a platform context behind it.
    bool HasUsableContext() const;

    void Loaded() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The mouse entered or left the viewer itself (not one of its children): tracked, then the
    // published OnMouseEnter/OnMouseLeave.
    void MouseEnter() override;
    void MouseLeave() override;
    void DestroyWnd() override;
    virtual void DoBufferChange(TObject* Sender);
    void DoBufferStructuralChange(TObject* Sender);
    void DoBeforeRender(TObject* Sender);

private:
    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void ReleaseContext();

    TGLSceneBuffer* buffer_;
    TVSyncMode vsync_ = vsmNoSync;
    HDC ownDC_ = nullptr;
    bool mouseInControl_ = false;
    POINT lastOrigin_ = {LONG_MIN, LONG_MIN};
};

void InitializeGLWin32Viewer();
