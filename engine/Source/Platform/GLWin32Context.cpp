#include "GLWin32Context.h"

#include <algorithm>
#include <string>

#include "CallbackBarrier.h"
#include "GLCrossPlatform.h"

// Sections: destruction watch; utility window and palette; TGLWin32Context.

namespace {

// ---- Destruction watch ----

using TWindowCallback = TEvent<void()>;

struct TWatchEntry {
    HWND window;
    TWindowCallback callback;
};

std::vector<TWatchEntry> watchList;
HHOOK watchHook = nullptr;

LRESULT CALLBACK WindowDestroyHook(int code, WPARAM wParam, LPARAM lParam) {
    CallbackBarrier([&] {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code != HC_ACTION || !message || message->message != WM_DESTROY) return;
        // A callback tears its context down, which removes its entry: walk from the end and
        // clamp to the shrinking list.
        for (size_t i = watchList.size(); i-- > 0;) {
            if (i >= watchList.size()) continue;
            TWatchEntry entry = watchList[i];
            if (entry.window == message->hwnd || IsChild(message->hwnd, entry.window)) entry.callback();
        }
    });
    return CallNextHookEx(watchHook, code, wParam, lParam);
}

void StopWatchingWindow(HWND window) {
    if (!window || watchList.empty()) return;
    auto found =
        std::find_if(watchList.begin(), watchList.end(), [&](const TWatchEntry& e) { return e.window == window; });
    if (found != watchList.end()) watchList.erase(found);
    if (watchList.empty() && watchHook) {
        UnhookWindowsHookEx(watchHook);
        watchHook = nullptr;
    }
}

void WatchWindowDestruction(HWND window, TWindowCallback callback) {
    if (!IsWindow(window)) return;
    if (!watchHook) {
        watchHook = SetWindowsHookExW(WH_CALLWNDPROC, &WindowDestroyHook, nullptr, GetCurrentThreadId());
        if (!watchHook) RaiseLastOSErrorText();
    }
    watchList.push_back({window, callback});
}

// ---- Utility window and palette ----

const wchar_t kUtilityClass[] = L"DAVUtilWindow";

HWND CreateUtilityWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW info{};
    if (!GetClassInfoW(instance, kUtilityClass, &info)) {
        info = {};
        info.lpfnWndProc = &DefWindowProcW;
        info.hInstance = instance;
        info.lpszClassName = kUtilityClass;
        if (!RegisterClassW(&info)) RaiseLastOSErrorText();
    }
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilityClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) RaiseLastOSErrorText();
    return window;
}

// The hidden window and its DC that a bootstrap context lives on, gone at scope end.
struct TUtilityWindow {
    HWND window = CreateUtilityWindow();
    HDC dc = GetDC(window);
    ~TUtilityWindow() {
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
};

void SetupIndexPalette(HDC dc, const PIXELFORMATDESCRIPTOR& pfd) {
    const int count = 1 << pfd.cColorBits;
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(count));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(count);
    auto channel = [](int i, int shift, int bits) {
        int max = (1 << bits) - 1;
        return BYTE(max > 0 ? ((i >> shift) & max) * 255 / max : 0);
    };
    for (int i = 0; i < count; ++i) {
        palette->palPalEntry[i].peRed = channel(i, pfd.cRedShift, pfd.cRedBits);
        palette->palPalEntry[i].peGreen = channel(i, pfd.cGreenShift, pfd.cGreenBits);
        palette->palPalEntry[i].peBlue = channel(i, pfd.cBlueShift, pfd.cBlueBits);
        palette->palPalEntry[i].peFlags = 0;
    }
    HPALETTE handle = CreatePalette(palette);
    if (!handle) RaiseLastOSErrorText();
    SelectPalette(dc, handle, FALSE);
    RealizePalette(dc);
}

bool IsAcceleratedFormat(HDC dc, int format) {
    if (format == 0) return false;
    PIXELFORMATDESCRIPTOR pfd{};
    DescribePixelFormat(dc, format, sizeof(pfd), &pfd);
    return !(pfd.dwFlags & PFD_GENERIC_FORMAT);
}

bool IsMemoryOrMetafile(DWORD objectType) {
    return objectType == OBJ_METADC || objectType == OBJ_MEMDC || objectType == OBJ_ENHMETADC;
}

int lastPixelFormat = 0;
std::string lastVendor;

const int kSamples[] = {0, 0, 2, 2, 4, 4};  // by TGLAntiAliasing
const GLenum kDrawBuffers[] = {GL_FRONT_LEFT, GL_AUX0, GL_AUX1, GL_AUX2};

}  // namespace

int WatchedWindowCount() { return int(watchList.size()); }

// ---- TGLWin32Context ----

TGLWin32Context::TGLWin32Context() {
    ClearIntAttribs();
    ClearFloatAttribs();
}

TGLWin32Context::~TGLWin32Context() {
    if (!HasPlatformContext()) return;
    try {
        Teardown();
    } catch (...) {
        // A destructor cannot report: let the platform objects go regardless.
        try {
            DestroyPlatformContext();
        } catch (...) {}
    }
}

void TGLWin32Context::ClearIntAttribs() { intAttribs_ = {0}; }

void TGLWin32Context::AddIntAttrib(int key, int value) { intAttribs_.insert(intAttribs_.end() - 1, {key, value}); }

void TGLWin32Context::SetIntAttrib(int key, int value) {
    for (size_t i = 0; i + 1 < intAttribs_.size(); i += 2)
        if (intAttribs_[i] == key) {
            intAttribs_[i + 1] = value;
            return;
        }
    AddIntAttrib(key, value);
}

void TGLWin32Context::RemoveIntAttrib(int key) {
    for (size_t i = 0; i + 1 < intAttribs_.size(); i += 2)
        if (intAttribs_[i] == key) {
            intAttribs_.erase(intAttribs_.begin() + std::ptrdiff_t(i), intAttribs_.begin() + std::ptrdiff_t(i) + 2);
            return;
        }
}

void TGLWin32Context::ClearFloatAttribs() { floatAttribs_ = {0}; }

int TGLWin32Context::ChooseARBPixelFormat(HDC dc, int bufferCount, int* formats) {
    AddIntAttrib(WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB);
    if (ColorBitCount() == 64 || ColorBitCount() == 128) {
        if (GL.GL_ATI_texture_float) {
            AddIntAttrib(WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_FLOAT_ATI);
        } else {
            AddIntAttrib(WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB);
            AddIntAttrib(WGL_FLOAT_COMPONENTS_NV, 1);
        }
    }
    if (bufferCount > 1) AddIntAttrib(WGL_AUX_BUFFERS_ARB, bufferCount - 1);
    AddIntAttrib(WGL_COLOR_BITS_ARB, ColorBitCount());
    if (AlphaBitCount() > 0) AddIntAttrib(WGL_ALPHA_BITS_ARB, AlphaBitCount());
    AddIntAttrib(WGL_DEPTH_BITS_ARB, DepthBitCount());
    if (StencilBitCount() > 0) AddIntAttrib(WGL_STENCIL_BITS_ARB, StencilBitCount());
    if (AccumBitCount() > 0) AddIntAttrib(WGL_ACCUM_BITS_ARB, AccumBitCount());
    if (AuxBufferCount() > 0) AddIntAttrib(WGL_AUX_BUFFERS_ARB, AuxBufferCount());
    const bool multisample = GL.WGL_ARB_multisample && GL.GL_ARB_multisample;
    if (AntiAliasing() != aaDefault && multisample) {
        if (AntiAliasing() == aaNone) {
            AddIntAttrib(WGL_SAMPLE_BUFFERS_ARB, 0);
        } else {
            AddIntAttrib(WGL_SAMPLE_BUFFERS_ARB, 1);
            AddIntAttrib(WGL_SAMPLES_ARB, kSamples[AntiAliasing()]);
        }
    }
    ClearFloatAttribs();

    UINT count = 0;
    auto attempt = [&] {
        count = 0;
        if (!GL.wglChoosePixelFormatARB ||
            !GL.wglChoosePixelFormatARB(dc, intAttribs_.data(), floatAttribs_.data(), 32, formats, &count))
            count = 0;
        count = std::min<UINT>(count, 32);
    };
    attempt();
    if (count == 0 && AntiAliasing() != aaDefault) {
        // Without samples, but still at the requested depth first.
        RemoveIntAttrib(WGL_SAMPLE_BUFFERS_ARB);
        RemoveIntAttrib(WGL_SAMPLES_ARB);
        attempt();
    }
    if (count == 0 && DepthBitCount() >= 32) {
        SetIntAttrib(WGL_DEPTH_BITS_ARB, 24);
        attempt();
    }
    if (count == 0 && DepthBitCount() >= 24) {
        SetIntAttrib(WGL_DEPTH_BITS_ARB, 16);
        attempt();
    }
    if (count == 0 && ColorBitCount() >= 24) {
        SetIntAttrib(WGL_COLOR_BITS_ARB, 16);
        attempt();
    }
    if (count == 0) {
        SetIntAttrib(WGL_COLOR_BITS_ARB, ColorBitCount());
        SetIntAttrib(WGL_DEPTH_BITS_ARB, DepthBitCount());
        RemoveIntAttrib(WGL_ACCELERATION_ARB);
        attempt();
    }
    return int(count);
}

int TGLWin32Context::SelectARBPixelFormat(HDC dc, const int* formats, int count) const {
    if (count <= 0) return 0;
    if (!GL.WGL_ARB_multisample || AntiAliasing() >= aa2x || !GL.wglGetPixelFormatAttribivARB) return formats[0];
    const int attribute = WGL_SAMPLE_BUFFERS_ARB;
    for (int i = 0; i < count; ++i) {
        int sampleBuffers = 0;
        if (GL.wglGetPixelFormatAttribivARB(dc, formats[i], 0, 1, &attribute, &sampleBuffers) && sampleBuffers == 0)
            return formats[i];
    }
    return formats[count - 1];
}

void TGLWin32Context::CreateBootstrapContext(HDC dc) {
    bootstrapOnly_ = true;
    try {
        CreatePlatformContext(dc);
    } catch (const Exception& e) {
        bootstrapOnly_ = false;
        throw Exception(L"Unable to create legacy context\r\n" + e.ClassName() + L": " + e.Message());
    }
    bootstrapOnly_ = false;
}

void TGLWin32Context::DropBootstrapContext(bool afterFailure) {
    std::exception_ptr error;
    try {
        DeactivatePlatform();
    } catch (...) {
        error = std::current_exception();
    }
    DestroyPlatformContext();
    // After a failure the first error is the one that matters.
    if (error && !afterFailure) std::rethrow_exception(error);
}

void TGLWin32Context::ChoosePixelFormatThroughARB(HDC dc, PIXELFORMATDESCRIPTOR& descriptor, int& format) {
    TUtilityWindow utility;
    if (!utility.dc) RaiseLastOSErrorText();
    CreateBootstrapContext(utility.dc);
    try {
        ActivatePlatform();
        FlushGLErrors();
        if (GL.WGL_ARB_pixel_format) {
            ClearIntAttribs();
            AddIntAttrib(WGL_DRAW_TO_WINDOW_ARB, 1);
            AddIntAttrib(WGL_STEREO_ARB, BufferOptions().Contains(cboStereo) ? 1 : 0);
            AddIntAttrib(WGL_DOUBLE_BUFFER_ARB, BufferOptions().Contains(cboDoubleBuffered) ? 1 : 0);
            int formats[32] = {};
            int count = ChooseARBPixelFormat(dc, 1, formats);
            if (count > 0) {
                format = SelectARBPixelFormat(dc, formats, count);
                if (GetPixelFormat(dc) != format && !SetPixelFormat(dc, format, &descriptor)) RaiseLastOSErrorText();
            }
        }
    } catch (...) {
        DropBootstrapContext(true);
        throw;
    }
    DropBootstrapContext(false);
}

void TGLWin32Context::CreatePlatformContext(HDC dc) {
    if (!EnsureGLLibraries()) RaiseLastOSErrorText();

    DWORD objectType = GetObjectType(dc);
    if (objectType == 0) RaiseLastOSErrorText();
    const bool memoryDC = IsMemoryOrMetafile(objectType);

    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_SUPPORT_OPENGL | (memoryDC ? PFD_DRAW_TO_BITMAP : PFD_DRAW_TO_WINDOW);
    if (BufferOptions().Contains(cboDoubleBuffered)) pfd.dwFlags |= PFD_DOUBLEBUFFER;
    if (BufferOptions().Contains(cboStereo)) pfd.dwFlags |= PFD_STEREO;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(ColorBitCount());
    pfd.cAlphaBits = BYTE(AlphaBitCount());
    pfd.cAccumBits = BYTE(AccumBitCount());
    pfd.cDepthBits = BYTE(DepthBitCount());
    pfd.cStencilBits = BYTE(StencilBitCount());
    pfd.cAuxBuffers = BYTE(AuxBufferCount());
    pfd.iLayerType = PFD_MAIN_PLANE;

    int format = 0;
    if (!IsMesaDriver() && !bootstrapOnly_ && !memoryDC) ChoosePixelFormatThroughARB(dc, pfd, format);

    if (format == 0) {
        format = ChoosePixelFormat(dc, &pfd);
        int fallback = 0;
        if (!memoryDC && !IsAcceleratedFormat(dc, format)) {
            fallback = format;
            format = 0;
        }
        if (format == 0) {
            pfd.cDepthBits = 16;
            format = ChoosePixelFormat(dc, &pfd);
            if (!memoryDC && !IsAcceleratedFormat(dc, format)) format = 0;
        }
        if (format == 0) {
            pfd.cColorBits = 16;
            format = ChoosePixelFormat(dc, &pfd);
            if (!memoryDC && !IsAcceleratedFormat(dc, format)) format = fallback;
        }
        if (format == 0) RaiseLastOSErrorText();
        if (GL.glGetError) FlushGLErrors();
    }

    if (GetPixelFormat(dc) != format && !SetPixelFormat(dc, format, &pfd)) RaiseLastOSErrorText();
    DescribePixelFormat(dc, format, sizeof(pfd), &pfd);
    if (pfd.dwFlags & PFD_NEED_PALETTE) SetupIndexPalette(dc, pfd);
    SetAccelerationKind(pfd.dwFlags & PFD_GENERIC_FORMAT ? caGeneric : caHardware);

    HGLRC rc = GL.wglCreateContext(dc);
    if (!rc) RaiseLastOSErrorText();
    // Watch the window only now that there is a context to tear down.
    if (!bootstrapOnly_) {
        HWND window = WindowFromDC(dc);
        try {
            WatchWindowDestruction(window, TWindowCallback(this, &TGLWin32Context::WindowDestroyed));
        } catch (...) {
            GL.wglDeleteContext(rc);
            throw;
        }
        if (IsWindow(window)) watchedWindow_ = window;
    }
    rc_ = rc;
    dc_ = dc;
    lastPixelFormat = 0;  // the next activation reads the extensions again
}

void TGLWin32Context::CreatePlatformMemoryContext(HDC, int width, int height, int bufferCount) {
    if (!EnsureGLLibraries()) RaiseLastOSErrorText();
    TUtilityWindow utility;
    if (!utility.dc) RaiseLastOSErrorText();
    CreateBootstrapContext(utility.dc);

    HPBUFFERARB pbuffer = nullptr;
    HDC pbufferDC = nullptr;
    HGLRC pbufferRC = nullptr;
    auto dropPbuffer = [&] {
        if (pbufferRC) GL.wglDeleteContext(pbufferRC);
        if (pbufferDC) GL.wglReleasePbufferDCARB(pbuffer, pbufferDC);
        if (pbuffer) GL.wglDestroyPbufferARB(pbuffer);
        pbuffer = nullptr;
        pbufferDC = nullptr;
        pbufferRC = nullptr;
    };
    try {
        ActivatePlatform();
        FlushGLErrors();
        if (!GL.WGL_ARB_pixel_format || !GL.WGL_ARB_pbuffer) throw Exception(L"WGL_ARB_pbuffer support required.");
        ClearIntAttribs();
        AddIntAttrib(WGL_DRAW_TO_PBUFFER_ARB, 1);
        int formats[32] = {};
        if (ChooseARBPixelFormat(utility.dc, bufferCount, formats) == 0)
            throw Exception(L"Format not supported for pbuffer operation.");
        const int noAttributes[] = {0};
        pbuffer = GL.wglCreatePbufferARB(utility.dc, formats[0], width, height, noAttributes);
        if (!pbuffer) throw Exception(L"Unabled to create pbuffer.");
        pbufferDC = GL.wglGetPbufferDCARB(pbuffer);
        if (!pbufferDC) throw Exception(L"Unabled to create pbuffer's DC.");
        pbufferRC = GL.wglCreateContext(pbufferDC);
        if (!pbufferRC) throw Exception(L"Unabled to create pbuffer's RC.");
        RaiseGLErrorIfAny();
    } catch (...) {
        dropPbuffer();
        DropBootstrapContext(true);
        throw;
    }
    DropBootstrapContext(false);

    rc_ = pbufferRC;
    dc_ = pbufferDC;
    pbuffer_ = pbuffer;
    lastPixelFormat = 0;
    SetAccelerationKind(caHardware);
    try {
        ActivatePlatform();
        if (bufferCount > 1 && GL.glDrawBuffersATI) GL.glDrawBuffersATI(std::min(bufferCount, 4), kDrawBuffers);
        DeactivatePlatform();
    } catch (...) {
        DestroyPlatformContext();
        throw;
    }
}

void TGLWin32Context::ActivatePlatform() {
    if (!GL.wglMakeCurrent(dc_, rc_)) {
        DWORD error = GetLastError();
        throw EGLContext(L"Context activation failed" + (error ? L": " + SysErrorMessage(error) : String()));
    }
    int format = GetPixelFormat(dc_);
    if (format != lastPixelFormat) {
        const GLubyte* vendorText = GL.glGetString(GL_VENDOR);
        std::string vendor = vendorText ? reinterpret_cast<const char*>(vendorText) : "";
        if (vendor != lastVendor) {
            ReadGLEntryPoints();
            ReadGLVersionAndExtensions();
            lastVendor = vendor;
        } else {
            ReadWGLEntryPoints();
            ReadWGLExtensions();
        }
        lastPixelFormat = format;
    }
    if ((AntiAliasing() == aa2xHQ || AntiAliasing() == aa4xHQ) && GL.GL_ARB_multisample &&
        GL.GL_NV_multisample_filter_hint)
        GL.glHint(GL_MULTISAMPLE_FILTER_HINT_NV, GL_NICEST);
}

void TGLWin32Context::DeactivatePlatform() {
    if (!GL.wglMakeCurrent(nullptr, nullptr)) throw Exception(L"Context deactivation failed");
}

void TGLWin32Context::SharePlatformLists(TGLContext* other) {
    auto* win32 = As<TGLWin32Context>(other);
    if (!win32) throw Exception(L"Incompatible contexts");
    if (win32->rc_ != rc_) GL.wglShareLists(rc_, win32->rc_);
}

void TGLWin32Context::DestroyPlatformContext() {
    StopWatchingWindow(watchedWindow_);
    watchedWindow_ = nullptr;
    bool deleted = !rc_ || GL.wglDeleteContext(rc_);
    if (pbuffer_) {
        GL.wglReleasePbufferDCARB(pbuffer_, dc_);
        GL.wglDestroyPbufferARB(pbuffer_);
        pbuffer_ = nullptr;
    }
    rc_ = nullptr;
    dc_ = nullptr;
    if (!deleted) throw EGLContext(L"Delete context failed");
}

void TGLWin32Context::SwapFrameBuffers() {
    if (!pbuffer_ && dc_ && BufferOptions().Contains(cboDoubleBuffered)) ::SwapBuffers(dc_);
}

void TGLWin32Context::WindowDestroyed() {
    if (HasPlatformContext()) Teardown();
}

void InitializeGLWin32Context() { AddContextClass(TGLWin32Context::StaticClass()); }

void FinalizeGLWin32Context() {
    watchList.clear();
    if (watchHook) UnhookWindowsHookEx(watchHook);
    watchHook = nullptr;
    lastVendor.clear();
    lastPixelFormat = 0;
    RemoveContextClass(TGLWin32Context::StaticClass());
}
