#pragma once
// Viewers without a window: TGLNonVisualViewer owns a scene buffer of a given size and copies
// what it rendered into textures; TGLMemoryViewer renders off-screen into a pbuffer with up to
// four colour buffers, so frames can be drawn and read back with no window at all.

#include "GLSceneBuffer.h"

class TGLNonVisualViewer : public TComponent {
    Z_CLASS(TGLNonVisualViewer, TComponent)
    Z_PUBLISHED {
        p.Property(L"Camera", &TGLNonVisualViewer::Camera, &TGLNonVisualViewer::SetCamera);
        p.Property(L"Width", &TGLNonVisualViewer::Width, &TGLNonVisualViewer::SetWidth).Default(256);
        p.Property(L"Height", &TGLNonVisualViewer::Height, &TGLNonVisualViewer::SetHeight).Default(256);
        p.Property(L"Buffer", &TGLNonVisualViewer::Buffer);
        p.Property(L"BeforeRender", &TGLNonVisualViewer::BeforeRender, &TGLNonVisualViewer::SetBeforeRender);
        p.Property(L"PostRender", &TGLNonVisualViewer::PostRender, &TGLNonVisualViewer::SetPostRender);
        p.Property(L"AfterRender", &TGLNonVisualViewer::AfterRender, &TGLNonVisualViewer::SetAfterRender);
    }

public:
    explicit TGLNonVisualViewer(TComponent* owner);
    ~TGLNonVisualViewer() override;

    // One frame of the base object's subtree, or of the whole scene when null.
    virtual void Render(TGLBaseSceneObject* baseObject = nullptr) = 0;

    TGLSceneBuffer* Buffer() const { return buffer_; }
    TGLCamera* Camera() const { return buffer_->Camera(); }
    // The viewer hears of the camera's destruction and lets go of it.
    void SetCamera(TGLCamera* value);
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // A value of 0 or below becomes 1; a change drops the context (made again by the next
    // render).
    void SetWidth(Integer value);
    void SetHeight(Integer value);
    // The face of a cube-map texture that the colour-buffer copy fills; -1 for none.
    Integer CubeMapFaceIndex() const { return cubeMapFaceIndex_; }
    void SetCubeMapFaceIndex(Integer value) { cubeMapFaceIndex_ = value; }

    // The whole frame (Width x Height) into the texture at (0, 0).
    void CopyToTexture(TGLTexture* texture);
    // A region of colour buffer bufferIndex (0 the front-left buffer, 1 to 3 the auxiliary
    // buffers 0 to 2) into the texture, or into the chosen face of a cube-map texture (which
    // is then uploaded whole). Nothing without a context.
    void CopyToTexture(TGLTexture* texture, Integer bufferIndex, Integer xSrc, Integer ySrc, Integer xDest,
                       Integer yDest, Integer width, Integer height);

    TNotifyEvent BeforeRender() const { return buffer_->BeforeRender; }
    void SetBeforeRender(const TNotifyEvent& value) { buffer_->BeforeRender = value; }
    TNotifyEvent PostRender() const { return buffer_->PostRender; }
    void SetPostRender(const TNotifyEvent& value) { buffer_->PostRender = value; }
    TNotifyEvent AfterRender() const { return buffer_->AfterRender; }
    void SetAfterRender(const TNotifyEvent& value) { buffer_->AfterRender = value; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DropContext(TObject* = nullptr) { buffer_->DestroyRC(); }

    TGLSceneBuffer* buffer_;
    Integer width_ = 256, height_ = 256;
    Integer cubeMapFaceIndex_ = -1;
};

class TGLMemoryViewer : public TGLNonVisualViewer {
    Z_CLASS(TGLMemoryViewer, TGLNonVisualViewer)
    Z_PUBLISHED {
        p.Property(L"BufferCount", &TGLMemoryViewer::BufferCount, &TGLMemoryViewer::SetBufferCount).Default(1);
    }

public:
    explicit TGLMemoryViewer(TComponent* owner) : TGLNonVisualViewer(owner) {}

    // Makes the off-screen context on first use (viewport Width x Height, BufferCount colour
    // buffers), then renders one frame. The context's failures come through unchanged.
    void Render(TGLBaseSceneObject* baseObject = nullptr) override;

    Integer BufferCount() const { return bufferCount_; }
    // Clamped to 1..4; a change drops the context.
    void SetBufferCount(Integer value);

private:
    Integer bufferCount_ = 1;
};
