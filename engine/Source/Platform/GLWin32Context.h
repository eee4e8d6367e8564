#pragma once
// The Windows rendering context: chooses a pixel format for a device context (first through
// WGL_ARB_pixel_format with a bootstrap context on a hidden utility window, then through the
// classic GDI choice), creates and shares WGL contexts, makes off-screen pbuffer contexts, and
// tears a context down when a window that carries it is destroyed. Registered at start-up as
// the class of every context the manager creates.

#include <vector>

#include "GLContext.h"

class TGLWin32Context : public TGLContext {
    Z_CLASS(TGLWin32Context, TGLContext)
public:
    TGLWin32Context();
    ~TGLWin32Context() override;

    bool HasPlatformContext() const override { return rc_ != nullptr; }
    void SwapFrameBuffers() override;
    HDC OutputDeviceHandle() const override { return dc_; }
    HGLRC RenderingContextHandle() const { return rc_; }

    // The WGL attribute list: key/value pairs followed by a single 0.
    const std::vector<int>& IntAttribs() const { return intAttribs_; }
    void ClearIntAttribs();
    void AddIntAttrib(int key, int value);
    void SetIntAttrib(int key, int value);
    void RemoveIntAttrib(int key);
    void ClearFloatAttribs();

    // Asks the driver for up to 32 formats matching the attribute list plus the settings,
    // easing the demands step by step until some format matches; returns how many it found.
    int ChooseARBPixelFormat(HDC dc, int bufferCount, int* formats);
    // The format to use of those the driver offered: the first, or, unless multisampling was
    // asked for, the first without sample buffers.
    int SelectARBPixelFormat(HDC dc, const int* formats, int count) const;

protected:
    void ActivatePlatform() override;
    void DeactivatePlatform() override;
    void CreatePlatformContext(HDC device) override;
    void CreatePlatformMemoryContext(HDC device, int width, int height, int bufferCount) override;
    void SharePlatformLists(TGLContext* other) override;
    void DestroyPlatformContext() override;

private:
    void ChoosePixelFormatThroughARB(HDC dc, PIXELFORMATDESCRIPTOR& descriptor, int& format);
    void CreateBootstrapContext(HDC dc);
    void DropBootstrapContext(bool afterFailure);
    void WindowDestroyed();

    HGLRC rc_ = nullptr;
    HDC dc_ = nullptr;
    HPBUFFERARB pbuffer_ = nullptr;
    HWND watchedWindow_ = nullptr;
    std::vector<int> intAttribs_;
    std::vector<float> floatAttribs_;
    bool bootstrapOnly_ = false;
};

// How many windows the destruction watch holds (each with the context it tears down).
int WatchedWindowCount();

void InitializeGLWin32Context();
void FinalizeGLWin32Context();
