#pragma once
// A scene buffer drawing a test scene into a popup window through a camera, with the whole frame
// read back: for the tests of objects that draw in window space (HUD, lens flare) or need a real
// frame (shaders).

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GLCamera.h"
#include "GLSceneBuffer.h"
#include "SceneBufferFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"

struct TRGB8 {
    int r, g, b;
    bool operator==(const TRGB8&) const = default;
    bool Lit() const { return r > 96 || g > 96 || b > 96; }
};
inline std::ostream& operator<<(std::ostream& out, const TRGB8& c) { return out << c.r << "," << c.g << "," << c.b; }

// The smallest rectangle holding every lit pixel, window pixels, y from the top; right and
// bottom exclusive. Empty (0, 0, 0, 0) when nothing is lit.
struct TPixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left; }
    bool operator==(const TPixelBox&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const TPixelBox& b) {
    return out << "[" << b.left << "," << b.top << " - " << b.right << "," << b.bottom << ")";
}

class TSceneView {
public:
    TSceneView(TSceneFixture& fixture, int width, int height) : width_(width), height_(height) {
        window_ = CreatePopupHost(width, height, CS_OWNDC);
        camera = fixture.Add<TGLCamera>(nullptr, L"viewCamera");
        camera->Position()->SetPoint(0, 0, 20);
        target = fixture.Add<TGLBaseSceneObject>(nullptr, L"viewTarget");
        camera->SetTargetObject(target);
        buffer = std::make_unique<TGLSceneBuffer>(nullptr);
        // Frames stay in the back buffer, where glReadPixels finds them.
        buffer->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
        buffer->SetBackgroundColor(clBlack);
        buffer->SetLighting(false);
        buffer->SetCamera(camera);
        buffer->Resize(width, height);
        if (window_) buffer->CreateRC(GetDC(window_), false);
    }
    ~TSceneView() {
        buffer.reset();
        if (window_) DestroyWindow(window_);
    }
    TSceneView(const TSceneView&) = delete;
    TSceneView& operator=(const TSceneView&) = delete;

    bool Ready() const { return window_ && buffer->RCInstantiated(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Renders a frame and keeps its pixels.
    void Render() {
        buffer->Render();
        std::vector<Byte> rgba(size_t(width_) * height_ * 4);
        buffer->RenderingContext()->Activate();
        GL.glReadBuffer(GL_BACK);
        GL.glPixelStorei(GL_PACK_ALIGNMENT, 1);
        GL.glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        buffer->RenderingContext()->Deactivate();
        frame_.assign(size_t(width_) * height_, TRGB8{});
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const Byte* p = &rgba[(size_t(height_ - 1 - y) * width_ + x) * 4];
                frame_[size_t(y) * width_ + x] = {p[0], p[1], p[2]};
            }
    }
    // The last frame's pixel, y from the top.
    TRGB8 At(int x, int y) const { return frame_[size_t(y) * width_ + x]; }
    TPixelBox LitBox() const {
        TPixelBox box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y).Lit()) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box.right == 0 ? TPixelBox{} : box;
    }
    int LitCount() const {
        int count = 0;
        for (const TRGB8& p : frame_) count += p.Lit();
        return count;
    }

    TGLCamera* camera = nullptr;
    TGLBaseSceneObject* target = nullptr;
    std::unique_ptr<TGLSceneBuffer> buffer;

private:
    int width_, height_;
    HWND window_ = nullptr;
    std::vector<TRGB8> frame_;
};
