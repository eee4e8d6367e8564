#pragma once
// A small popup window (off the taskbar, never focused) with a current OpenGL context and a render record set up by hand, for
// the scene tests that draw for real and read OpenGL back.
#include <gtest/gtest.h>

#include <memory>

#include "CallbackBarrier.h"
#include "GLContext.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "TestSupport.h"
#include "VectorGeometry.h"

class THiddenGLWindow : public testing::Test {
protected:
    static constexpr int kSize = 32;

    void SetUp() override {
        static const wchar_t kClass[] = L"ZarnikSceneTestWindow";
        WNDCLASSW wc{};
        if (!GetClassInfoW(GetModuleHandleW(nullptr), kClass, &wc)) {
            wc.style = CS_OWNDC;
            wc.lpfnWndProc = &WindowProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = kClass;
            RegisterClassW(&wc);
        }
        window_ = CreateWindowExW(0, kClass, L"scene", WS_POPUP | WS_VISIBLE, 0, 0, kSize, kSize, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        context_.reset(GLContextManager()->CreateContextInstance());
        context_->SetDepthBitCount(24);
        context_->SetBufferOptions({cboDoubleBuffered});
        context_->CreateForDevice(GetDC(window_));
        context_->Activate();
        rci_.GLStates = &states_;
        rci_.modelViewMatrix = &IdentityMatrix;
        rci_.viewportWidth = rci_.viewportHeight = kSize;
        rci_.renderDPI = 96;
        GL.glViewport(0, 0, kSize, kSize);
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
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallbackBarrier(LRESULT(0), [&] { return DefWindowProcW(window, message, wParam, lParam); });
    }
};
