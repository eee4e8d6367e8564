#include "GLWin32Viewer.h"

#include <algorithm>

TGLSceneViewer::TGLSceneViewer(TComponent* AOwner) : TWinControl(AOwner), buffer_(new TGLSceneBuffer(this)) {
    TControlStyle style = ControlStyle();
    style.Include(csCaptureMouse);
    style.Include(csClickEvents);
    style.Include(csOpaque);
    style.Include(csDoubleClicks);
    if (ComponentState().Contains(csDesigning)) style.Include(csFramed);
    SetControlStyle(style);
    SetWidth(100);
    SetHeight(100);
    buffer_->OnBeforeRenderHook = MakeEvent(this, &TGLSceneViewer::DoBeforeRender);
    buffer_->OnChange = MakeEvent(this, &TGLSceneViewer::DoBufferChange);
    buffer_->OnStructuralChange = MakeEvent(this, &TGLSceneViewer::DoBufferStructuralChange);
}

TGLSceneViewer::~TGLSceneViewer() {
    // The context goes before the window that carries its device context.
    ReleaseContext();
    buffer_->OnChange = nullptr;
    buffer_->OnStructuralChange = nullptr;
    DestroyHandle();
    delete buffer_;
    buffer_ = nullptr;
}

void TGLSceneViewer::SetCamera(TGLCamera* value) {
    if (Camera() == value) return;
    if (Camera()) Camera()->RemoveFreeNotification(this);
    buffer_->SetCamera(value);
    if (value) value->FreeNotification(this);
}

void TGLSceneViewer::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && buffer_ && AComponent == Camera()) buffer_->SetCamera(nullptr);
    TWinControl::Notification(AComponent, Operation);
}

bool TGLSceneViewer::HasUsableContext() const {
    return buffer_->RenderingContext() && buffer_->RenderingContext()->HasPlatformContext();
}

void TGLSceneViewer::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.WindowClass.style |= CS_OWNDC;
}

void TGLSceneViewer::CreateWnd() {
    TWinControl::CreateWnd();
    buffer_->Resize(Width(), Height());
    ownDC_ = GetDC(WindowHandle());
    buffer_->CreateRC(ownDC_, false, 1);
}

void TGLSceneViewer::ReleaseContext() {
    if (buffer_) buffer_->DestroyRC();
    if (ownDC_) {
        if (WindowHandle()) ReleaseDC(WindowHandle(), ownDC_);
        ownDC_ = nullptr;
    }
}

void TGLSceneViewer::DestroyWnd() {
    ReleaseContext();
    TWinControl::DestroyWnd();
}

void TGLSceneViewer::Loaded() {
    TWinControl::Loaded();
    HandleNeeded();
}

void TGLSceneViewer::WMDestroy(TMessage& Message) {
    ReleaseContext();
    Inherited<TWinControl>(Message);
}

void TGLSceneViewer::WMEraseBkgnd(TMessage& Message) {
    // The frame covers the whole window: erasing would only flicker.
    if (HasUsableContext())
        Message.Result = 1;
    else
        Inherited<TWinControl>(Message);
}

void TGLSceneViewer::WMSize(TMessage& Message) {
    Inherited<TWinControl>(Message);
    buffer_->Resize(Message.LParamLo(), Message.LParamHi());
}

void TGLSceneViewer::WMPaint(TMessage& Message) {
    POINT origin{0, 0};
    ::ClientToScreen(WindowHandle(), &origin);
    if (origin.x != lastOrigin_.x || origin.y != lastOrigin_.y) {
        // The context follows a move of the window on the screen through a size message.
        if (buffer_->RCInstantiated())
            PostMessageW(WindowHandle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(Width(), Height()));
        lastOrigin_ = origin;
    }
    PAINTSTRUCT ps;
    BeginPaint(WindowHandle(), &ps);
    try {
        if (HasUsableContext() && Width() > 0 && Height() > 0) buffer_->Render(nullptr);
    } catch (...) {
        EndPaint(WindowHandle(), &ps);
        Message.Result = 0;
        throw;
    }
    EndPaint(WindowHandle(), &ps);
    Message.Result = 0;
}

void TGLSceneViewer::MouseEnter() {
    mouseInControl_ = true;
    inherited::MouseEnter();
}

void TGLSceneViewer::MouseLeave() {
    mouseInControl_ = false;
    inherited::MouseLeave();
}

void TGLSceneViewer::DoBufferChange(TObject*) {
    if (!buffer_->Rendering() && HandleAllocated()) Invalidate();
}

void TGLSceneViewer::DoBufferStructuralChange(TObject*) {
    if (HandleAllocated()) RecreateWnd();
}

void TGLSceneViewer::DoBeforeRender(TObject*) { SetupVSync(vsync_); }

Single TGLSceneViewer::FieldOfView() const {
    if (!Camera()) return 0;
    return Camera()->GetFieldOfView(Single(std::min(Width(), Height())));
}

void TGLSceneViewer::SetFieldOfView(Single value) {
    if (Camera()) Camera()->SetFieldOfView(Single(std::min(Width(), Height())), value);
}

void InitializeGLWin32Viewer() { RegisterClass(TGLSceneViewer::StaticClass()); }
