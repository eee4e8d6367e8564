#include "GLNonVisualViewer.h"

#include <algorithm>

#include "GLTexture.h"
#include "GLTextureImage.h"

namespace {

// The read buffers of the colour-buffer copy, by index.
constexpr GLenum kColorBuffers[] = {GL_FRONT_LEFT, GL_AUX0, GL_AUX1, GL_AUX2};

}  // namespace

TGLNonVisualViewer::TGLNonVisualViewer(TComponent* owner) : TComponent(owner), buffer_(new TGLSceneBuffer(this)) {
    // Pixel-format changes take effect with the next context.
    buffer_->OnStructuralChange = MakeEvent(this, &TGLNonVisualViewer::DropContext);
}

TGLNonVisualViewer::~TGLNonVisualViewer() {
    SetCamera(nullptr);
    delete buffer_;
}

void TGLNonVisualViewer::SetCamera(TGLCamera* value) {
    if (Camera() == value) return;
    if (Camera()) Camera()->RemoveFreeNotification(this);
    buffer_->SetCamera(value);
    if (value) value->FreeNotification(this);
}

void TGLNonVisualViewer::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && buffer_ && component == Camera()) buffer_->SetCamera(nullptr);
    TComponent::Notification(component, operation);
}

void TGLNonVisualViewer::SetWidth(Integer value) {
    value = std::max(value, 1);
    if (value == width_) return;
    width_ = value;
    buffer_->DestroyRC();
}

void TGLNonVisualViewer::SetHeight(Integer value) {
    value = std::max(value, 1);
    if (value == height_) return;
    height_ = value;
    buffer_->DestroyRC();
}

void TGLNonVisualViewer::CopyToTexture(TGLTexture* texture) {
    buffer_->CopyToTexture(texture, 0, 0, width_, height_, 0, 0);
}

void TGLNonVisualViewer::CopyToTexture(TGLTexture* texture, Integer bufferIndex, Integer xSrc, Integer ySrc,
                                       Integer xDest, Integer yDest, Integer width, Integer height) {
    TGLContext* context = buffer_->RenderingContext();
    if (!context || !texture || bufferIndex < 0 || bufferIndex > 3) return;
    context->Activate();
    GLint readBuffer = GL_BACK;
    GL.glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    try {
        GLenum target = texture->Image()->ClassType()->TextureTarget();
        const bool cubeFace = target == GL_TEXTURE_CUBE_MAP && cubeMapFaceIndex_ >= 0 && cubeMapFaceIndex_ < 6;
        if (cubeFace) target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + GLenum(cubeMapFaceIndex_);
        GL.glReadBuffer(kColorBuffers[bufferIndex]);
        buffer_->CopyToTexture(texture, xSrc, ySrc, width, height, xDest, yDest, target, cubeFace);
    } catch (...) {
        GL.glReadBuffer(GLenum(readBuffer));
        context->Deactivate();
        throw;
    }
    GL.glReadBuffer(GLenum(readBuffer));
    context->Deactivate();
}

void TGLMemoryViewer::SetBufferCount(Integer value) {
    value = std::clamp(value, 1, 4);
    if (value == bufferCount_) return;
    bufferCount_ = value;
    Buffer()->DestroyRC();
}

void TGLMemoryViewer::Render(TGLBaseSceneObject* baseObject) {
    if (!Buffer()->RCInstantiated()) {
        Buffer()->SetViewport(0, 0, Width(), Height());
        Buffer()->CreateRC(nullptr, true, bufferCount_);
    }
    Buffer()->Render(baseObject);
}
