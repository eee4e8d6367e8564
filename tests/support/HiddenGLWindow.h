#pragma once
// The one OpenGL window of the tests: a small popup window (off the taskbar, never activated)
// with a current OpenGL context and a render record set up by hand, for the tests that draw for
// real and read OpenGL back; and the popup host window itself, for fixtures that give the window
// to a scene buffer or a viewer.
#include <gtest/gtest.h>

#include <memory>

#include "CallbackBarrier.h"
#include "GLContext.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "TestSupport.h"
#include "VectorGeometry.h"

inline LRESULT CALLBACK PopupHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallbackBarrier(LRESULT(0), [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

// A visible popup window (off the taskbar, never activated): quick to destroy under Wine.
inline HWND CreatePopupHost(int width, int height, UINT classStyle) {
    const wchar_t* name = classStyle & CS_OWNDC ? L"ZarnikSceneHostOwnDC" : L"ZarnikSceneHost";
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), name, &wc)) {
        wc.style = classStyle;
        wc.lpfnWndProc = &PopupHostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, name, L"scene", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The window is kSize pixels square unless a fixture derived from it asks for another size.
class THiddenGLWindow : public testing::Test {
protected:
    static constexpr int kSize = 32;

    explicit THiddenGLWindow(int size = kSize) : size_(size) {}

    void SetUp() override {
        window_ = CreatePopupHost(size_, size_, CS_OWNDC);
        ASSERT_NE(window_, nullptr);
        context_.reset(GLContextManager()->CreateContextInstance());
        context_->SetDepthBitCount(24);
        context_->SetBufferOptions({cboDoubleBuffered});
        context_->CreateForDevice(GetDC(window_));
        context_->Activate();
        rci_.GLStates = &states_;
        rci_.modelViewMatrix = &IdentityMatrix;
        rci_.viewportWidth = rci_.viewportHeight = size_;
        rci_.renderDPI = 96;
        GL.glViewport(0, 0, size_, size_);
        GL.glMatrixMode(GL_PROJECTION);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glLoadIdentity();
        GL.glDisable(GL_DITHER);
    }
    void TearDown() override {
        if (context_) context_->Deactivate();
        context_.reset();
        if (window_) DestroyWindow(window_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }

    // The colour drawn at (x, y), y from the bottom.
    TVector4f Pixel(int x, int y) {
        GLubyte p[4] = {};
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
    }

    TMatrix4x4 ReadMatrix(GLenum which) {
        TMatrix4x4 m;
        GL.glGetFloatv(which, &m[0].X);
        return m;
    }

    TRenderContextInfo rci_;
    TGLStateCache states_;
    HWND window_ = nullptr;
    std::unique_ptr<TGLContext> context_;

private:
    int size_;
};
