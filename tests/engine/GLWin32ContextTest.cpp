#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "CallbackBarrier.h"
#include "GLRecorder.h"
#include "GLWin32Context.h"
#include "TestSupport.h"

// ---- The pixel-format ladder against simulated drivers ----

namespace {

struct TSimFormat {
    int id, colorBits, depthBits, samples;
    bool accelerated;
};

const std::vector<TSimFormat>* driver = nullptr;
std::vector<std::string> attempts;

int Attribute(const int* list, int key, int fallback) {
    for (; *list; list += 2)
        if (list[0] == key) return list[1];
    return fallback;
}

// Answers like a driver with the formats in `driver`, writing each request into `attempts`
// as "c<colour> d<depth> s<samples>" plus " acc" when it asks for acceleration.
BOOL WINAPI SimChoose(HDC, const int* attribs, const FLOAT*, UINT max, int* formats, UINT* count) {
    int color = Attribute(attribs, WGL_COLOR_BITS_ARB, 0), depth = Attribute(attribs, WGL_DEPTH_BITS_ARB, 0);
    int sampleBuffers = Attribute(attribs, WGL_SAMPLE_BUFFERS_ARB, -1),
        samples = Attribute(attribs, WGL_SAMPLES_ARB, 0);
    bool accel = Attribute(attribs, WGL_ACCELERATION_ARB, 0) == WGL_FULL_ACCELERATION_ARB;
    attempts.push_back("c" + std::to_string(color) + " d" + std::to_string(depth) + " s" + std::to_string(samples) +
                       (accel ? " acc" : ""));
    *count = 0;
    for (const TSimFormat& f : *driver) {
        if (f.colorBits < color || f.depthBits < depth || f.samples < samples) continue;
        if (sampleBuffers == 0 && f.samples > 0) continue;
        if (sampleBuffers == 1 && f.samples == 0) continue;
        if (accel && !f.accelerated) continue;
        if (*count < max) formats[(*count)++] = f.id;
    }
    return TRUE;
}

BOOL WINAPI SimAttribute(HDC, int format, int, UINT n, const int* keys, int* values) {
    for (UINT i = 0; i < n; ++i) {
        values[i] = 0;
        for (const TSimFormat& f : *driver)
            if (f.id == format && keys[i] == WGL_SAMPLE_BUFFERS_ARB) values[i] = f.samples > 0;
    }
    return TRUE;
}

class PixelFormatLadder : public testing::Test {
protected:
    void SetUp() override {
        GL.wglChoosePixelFormatARB = &SimChoose;
        GL.wglGetPixelFormatAttribivARB = &SimAttribute;
        GL.WGL_ARB_multisample = GL.GL_ARB_multisample = true;
        attempts.clear();
    }
    // The formats chosen for the context's settings on the driver.
    std::vector<int> Choose(const std::vector<TSimFormat>& formats) {
        driver = &formats;
        context.ClearIntAttribs();
        int found[32];
        int count = context.ChooseARBPixelFormat(nullptr, 1, found);
        return std::vector<int>(found, found + count);
    }
    TGLRecorder recorder;
    TGLWin32Context context;
};

}  // namespace

TEST_F(PixelFormatLadder, DefaultAntiAliasingPrefersAFormatWithoutSampleBuffers) {
    std::vector<TSimFormat> formats = {{1, 32, 24, 4, true}, {2, 32, 24, 2, true}, {3, 32, 24, 0, true}};
    context.SetDepthBitCount(24);
    std::vector<int> found = Choose(formats);
    EXPECT_EQ(found, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(context.SelectARBPixelFormat(nullptr, found.data(), int(found.size())), 3);
    context.SetAntiAliasing(aa4x);  // asked for: the first one is fine
    EXPECT_EQ(context.SelectARBPixelFormat(nullptr, found.data(), int(found.size())), 1);
    context.SetAntiAliasing(aaNone);
    std::vector<int> onlyMultisampled = {1, 2};
    EXPECT_EQ(context.SelectARBPixelFormat(nullptr, onlyMultisampled.data(), 2), 2);  // the last one
}

TEST_F(PixelFormatLadder, EasesDemandsOneStepAtATime) {
    struct Case {
        const char* what;
        int color, depth;
        TGLAntiAliasing aa;
        std::vector<TSimFormat> formats;
        std::vector<std::string> attempts;
        int first;
    } cases[] = {
        {"no multisampling keeps the requested depth",
         32,
         24,
         aa4x,
         {{1, 32, 16, 0, true}, {2, 32, 24, 0, true}},
         {"c32 d24 s4 acc", "c32 d24 s0 acc"},
         2},
        {"only a 16-bit depth buffer",
         32,
         24,
         aaDefault,
         {{5, 32, 16, 0, true}},
         {"c32 d24 s0 acc", "c32 d16 s0 acc"},
         5},
        {"depth 32 falls to 24 first",
         32,
         32,
         aaDefault,
         {{6, 32, 24, 0, true}},
         {"c32 d32 s0 acc", "c32 d24 s0 acc"},
         6},
        {"then 16-bit colour",
         32,
         24,
         aaDefault,
         {{7, 16, 16, 0, true}},
         {"c32 d24 s0 acc", "c32 d16 s0 acc", "c16 d16 s0 acc"},
         7},
        {"only unaccelerated formats",
         32,
         24,
         aaDefault,
         {{8, 32, 24, 0, false}},
         {"c32 d24 s0 acc", "c32 d16 s0 acc", "c16 d16 s0 acc", "c32 d24 s0"},
         8},
        {"nothing at all",
         32,
         24,
         aaDefault,
         {},
         {"c32 d24 s0 acc", "c32 d16 s0 acc", "c16 d16 s0 acc", "c32 d24 s0"},
         0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        attempts.clear();
        context.SetColorBitCount(c.color);
        context.SetDepthBitCount(c.depth);
        context.SetAntiAliasing(c.aa);
        std::vector<int> found = Choose(c.formats);
        EXPECT_EQ(attempts, c.attempts);
        EXPECT_EQ(found.empty() ? 0 : found[0], c.first);
    }
}

TEST_F(PixelFormatLadder, AttributeListKeepsItsTerminator) {
    context.ClearIntAttribs();
    context.AddIntAttrib(1, 10);
    context.AddIntAttrib(2, 20);
    context.AddIntAttrib(1, 11);  // a key may appear twice
    EXPECT_EQ(context.IntAttribs(), (std::vector<int>{1, 10, 2, 20, 1, 11, 0}));
    context.SetIntAttrib(1, 12);  // the first pair
    context.SetIntAttrib(3, 30);  // appended
    EXPECT_EQ(context.IntAttribs(), (std::vector<int>{1, 12, 2, 20, 1, 11, 3, 30, 0}));
    context.RemoveIntAttrib(1);
    context.RemoveIntAttrib(9);
    EXPECT_EQ(context.IntAttribs(), (std::vector<int>{2, 20, 1, 11, 3, 30, 0}));
}

// ---- Real contexts under Wine ----

namespace {

const wchar_t kTestClass[] = L"ZarnikGLTestWindow";

// What the view window saw of its context when it was destroyed itself.
TGLContext* viewContext = nullptr;
int viewDestroyedWithContext = -1;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallbackBarrier(LRESULT(0), [&] {
        if (message == WM_DESTROY && viewContext) viewDestroyedWithContext = viewContext->HasPlatformContext();
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

void RegisterTestClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kTestClass, &wc)) return;
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = &TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTestClass;
    RegisterClassW(&wc);
}

struct TRGBA {
    int r, g, b;
    friend bool operator==(const TRGBA&, const TRGBA&) = default;
    friend std::ostream& operator<<(std::ostream& out, const TRGBA& c) {
        return out << '(' << c.r << ',' << c.g << ',' << c.b << ')';
    }
};

// Clears to blue and draws a red triangle over the lower-left half of a 64x64 viewport.
void DrawScene() {
    GL.glViewport(0, 0, 64, 64);
    GL.glClearColor(0, 0, 1, 1);
    GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GL.glColor3f(1, 0, 0);
    GL.glBegin(GL_TRIANGLES);
    GL.glVertex2f(-1, -1);
    GL.glVertex2f(1, -1);
    GL.glVertex2f(-1, 1);
    GL.glEnd();
    GL.glFinish();
}

TRGBA ReadPixel(int x, int y) {
    GLubyte p[4] = {};
    GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

HGLRC WINAPI FailCreateContext(HDC) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return nullptr;
}
BOOL WINAPI FailMakeCurrent(HDC, HGLRC) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

class Win32ContextTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterTestClass();
        form = CreateWindowExW(0, kTestClass, L"form", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        view = CreateWindowExW(0, kTestClass, L"view", WS_CHILD | WS_VISIBLE, 0, 0, 64, 64, form, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(form && view);
        context.reset(GLContextManager()->CreateContextInstance());
        ASSERT_TRUE(Is<TGLWin32Context>(context.get()));
        context->SetBufferOptions({cboDoubleBuffered});
        context->SetDepthBitCount(24);
    }
    void TearDown() override {
        context.reset();
        if (IsWindow(form)) DestroyWindow(form);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }
    HWND form = nullptr, view = nullptr;
    std::unique_ptr<TGLContext> context;
};

}  // namespace

TEST_F(Win32ContextTest, DrawsIntoAWindow) {
    context->CreateForDevice(GetDC(view));
    EXPECT_EQ(context->AccelerationKind(), caHardware);
    context->Activate();
    DrawScene();
    GL.glReadBuffer(GL_BACK);
    EXPECT_EQ(ReadPixel(8, 8), (TRGBA{255, 0, 0}));
    EXPECT_EQ(ReadPixel(56, 56), (TRGBA{0, 0, 255}));
    EXPECT_EQ(ReadPixel(20, 50), (TRGBA{0, 0, 255}));
    RaiseGLErrorIfAny();
    context->SwapFrameBuffers();
    context->Deactivate();
}

TEST_F(Win32ContextTest, ReadsVersionAndExtensionsWhenFirstCurrent) {
    context->CreateForDevice(GetDC(view));
    context->Activate();
    EXPECT_TRUE(GL.GL_VERSION_1_0 && GL.GL_VERSION_1_1 && GL.GL_VERSION_1_2 && GL.GL_VERSION_1_3 && GL.GL_VERSION_1_4 &&
                GL.GL_VERSION_1_5 && GL.GL_VERSION_2_0 && GL.GL_VERSION_2_1 && GL.GL_VERSION_3_0);
    EXPECT_TRUE(GL.GLU_VERSION_1_1);
    EXPECT_TRUE(GL.GL_ARB_multisample);  // first in Mesa's list
    EXPECT_TRUE(GL.GL_ARB_multitexture && GL.GL_ARB_texture_cube_map && GL.GL_ARB_texture_non_power_of_two &&
                GL.GL_SGIS_generate_mipmap && GL.GL_ARB_shader_objects && GL.GL_ARB_vertex_buffer_object);
    EXPECT_TRUE(GL.WGL_ARB_pixel_format && GL.WGL_ARB_pbuffer && GL.WGL_ARB_extensions_string);
    EXPECT_FALSE(GL.GL_NV_occlusion_query);
    EXPECT_NE(GL.glActiveTextureARB, nullptr);
    EXPECT_NE(GL.wglChoosePixelFormatARB, nullptr);

    GL.glEnable(0xFFFF);
    EXPECT_EQ(ClassAndMessageOf([] { RaiseGLErrorIfAny(); }), "EOpenGLError: invalid enumerant");
    RaiseGLErrorIfAny();  // nothing left behind
    context->Deactivate();
}

TEST_F(Win32ContextTest, DrawsIntoAPbuffer) {
    // Mesa under Xvfb cannot present a pbuffer with alpha bits.
    context->SetBufferOptions({});
    context->SetColorBitCount(24);
    context->CreateOffscreen(nullptr, 64, 64);
    EXPECT_TRUE(context->HasPlatformContext());
    context->Activate();
    DrawScene();
    EXPECT_EQ(ReadPixel(8, 8), (TRGBA{255, 0, 0}));
    EXPECT_EQ(ReadPixel(56, 56), (TRGBA{0, 0, 255}));
    context->Deactivate();
}

TEST_F(Win32ContextTest, DestroyingTheFormTearsTheContextDown) {
    context->CreateForDevice(GetDC(view));
    EXPECT_EQ(WatchedWindowCount(), 1);
    context->Activate();
    TGLListHandle list;
    list.Allocate();
    context->Deactivate();
    viewContext = context.get();
    viewDestroyedWithContext = -1;
    DestroyWindow(form);
    viewContext = nullptr;
    EXPECT_EQ(viewDestroyedWithContext, 0);  // gone before the view's own window went
    EXPECT_FALSE(context->HasPlatformContext());
    EXPECT_EQ(list.Handle(), 0u);
    EXPECT_EQ(WatchedWindowCount(), 0);
    EXPECT_EQ(ActiveGLContext(), nullptr);
}

TEST_F(Win32ContextTest, AFailedCreationLeavesNoWatchBehind) {
    EnsureGLLibraries();
    auto realCreate = GL.wglCreateContext;
    GL.wglCreateContext = &FailCreateContext;
    std::string message = ClassAndMessageOf([&] { context->CreateForDevice(GetDC(view)); });
    GL.wglCreateContext = realCreate;
    // A failed system step raises the system's own text for the last error (here inside the
    // failure of the bootstrap context that looks for a pixel format).
    EXPECT_NE(message.find("EOSError: OS Error : "), std::string::npos) << message;
    EXPECT_FALSE(context->HasPlatformContext());
    EXPECT_EQ(WatchedWindowCount(), 0);
    // Not a device context at all: the object type cannot be read.
    message = ClassAndMessageOf([&] { context->CreateForDevice(reinterpret_cast<HDC>(0x7654)); });
    EXPECT_EQ(message.rfind("EOSError: OS Error : ", 0), 0u) << message;
    EXPECT_FALSE(context->HasPlatformContext());
    context.reset();
    DestroyWindow(form);  // nothing left to call back into
}

TEST_F(Win32ContextTest, AFailedActivationRaises) {
    context->CreateForDevice(GetDC(view));
    auto realMakeCurrent = GL.wglMakeCurrent;
    GL.wglMakeCurrent = &FailMakeCurrent;
    std::string message = ClassAndMessageOf([&] { context->Activate(); });
    GL.wglMakeCurrent = realMakeCurrent;
    EXPECT_THAT(message, testing::StartsWith("EGLContext: Context activation failed"));
    EXPECT_FALSE(context->IsActive());
    EXPECT_EQ(ActiveGLContext(), nullptr);
    context->Activate();  // and works again once the driver does
    context->Deactivate();
}

TEST_F(Win32ContextTest, CompilesAndLinksAShaderProgram) {
    context->CreateForDevice(GetDC(view));
    context->Activate();
    {
        TGLProgramHandle program;
        program.Allocate();
        program.CompileAndAttach(TGLVertexShaderHandle::StaticClass(), "void main() { gl_Position = ftransform(); }");
        program.CompileAndAttach(TGLFragmentShaderHandle::StaticClass(),
                                 "uniform vec4 tint; void main() { gl_FragColor = tint; }");
        ASSERT_TRUE(program.LinkObjects());
        program.UseProgram();
        EXPECT_GE(program.LocateUniform("tint"), 0);
        EXPECT_THAT(ClassAndMessageOf([&] { program.LocateUniform("shade"); }),
                    testing::HasSubstr("Unknown uniform \"shade\" or program not in use"));
        program.EndUseProgram();
        EXPECT_THAT(ClassAndMessageOf([&] {
                        program.CompileAndAttach(TGLFragmentShaderHandle::StaticClass(), "void main() { oops }");
                    }),
                    testing::StartsWith("EGLShader: DefaultShaderName (TGLFragmentShaderHandle): \r\n"));
        RaiseGLErrorIfAny();
    }
    EXPECT_TRUE(context->OwnedHandles().empty());
    context->Deactivate();
}
