#include <gtest/gtest.h>

#include "GLRecorder.h"
#include "OpenGL1x.h"
#include "TestSupport.h"

TEST(OpenGL1x, ParsesTheVersionAtTheFirstPoint) {
    struct Case {
        const char* text;
        int major, minor;
    } cases[] = {
        {"2.1.2 NVIDIA 190.38", 2, 1},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5},
        {"1.2.2.0 Microsoft Corporation", 1, 2},
        {"OpenGL ES 3.10", 3, 10},
        {".5", 0, 0},
        {"a.b", 0, 0},
        {"3.", 0, 0},
        {"no version", 0, 0},
        {"", 0, 0},
        {"12345678901.1", 0, 0},  // too long to be a version
    };
    for (const Case& c : cases) {
        TGLVersion v = ParseVersionString(c.text);
        EXPECT_EQ(v.major, c.major) << c.text;
        EXPECT_EQ(v.minor, c.minor) << c.text;
    }
    EXPECT_TRUE(VersionAtLeast({1, 5}, {2, 0}));
    EXPECT_TRUE(VersionAtLeast({2, 1}, {2, 1}));
    EXPECT_FALSE(VersionAtLeast({2, 1}, {2, 0}));
    EXPECT_FALSE(VersionAtLeast({3, 0}, {2, 9}));
}

TEST(OpenGL1x, MatchesWholeExtensionNamesOnly) {
    struct Case {
        const char* list;
        const char* name;
        bool found;
    } cases[] = {
        {"GL_ARB_multisample GL_EXT_abgr", "GL_ARB_multisample", true},  // first of the list
        {"GL_EXT_abgr GL_ARB_multisample", "GL_ARB_multisample", true},  // last of the list
        {"GL_EXT_abgr GL_ARB_multisample ", "GL_ARB_multisample", true},
        {"GL_ARB_multisample_ext GL_ARB_multisample", "GL_ARB_multisample", true},  // longer name first
        {"GL_ARB_multisample_ext", "GL_ARB_multisample", false},
        {"XGL_ARB_multisample", "GL_ARB_multisample", false},
        {"GL_EXT_stencil_two_side", "EXT_stencil_two_side", false},
        {"GL_EXT_stencil_two_side", "GL_EXT_stencil_two_side", true},
        {"", "GL_EXT_abgr", false},
        {"GL_EXT_abgr", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasGLExtension(c.list, c.name), c.found) << c.list << " / " << c.name;
}

namespace {

const char* versionText = "";
const char* extensionText = "";
const char* gluVersionText = "";
const char* wglExtensionText = "";

const GLubyte* APIENTRY FakeGetString(GLenum name) {
    const char* text = name == GL_VERSION ? versionText : name == GL_EXTENSIONS ? extensionText : "";
    return reinterpret_cast<const GLubyte*>(text);
}
const GLubyte* APIENTRY FakeGluGetString(GLenum name) {
    return reinterpret_cast<const GLubyte*>(name == GLU_VERSION ? gluVersionText : "");
}
const char* APIENTRY FakeWglExtensions(HDC) { return wglExtensionText; }

}  // namespace

TEST(OpenGL1x, ReadsVersionAndExtensionFlags) {
    TGLRecorder recorder;
    GL.glGetString = &FakeGetString;
    GL.gluGetString = &FakeGluGetString;
    versionText = "2.1.2 NVIDIA 190.38";
    extensionText = "GL_ARB_multisample GL_ARB_multitexture GL_EXT_stencil_two_side GL_NV_fence_extra";
    gluVersionText = "1.3";
    wglExtensionText = "WGL_ARB_pixel_format WGL_ARB_pbuffer";
    GL.wglGetExtensionsStringARB = &FakeWglExtensions;
    ReadGLVersionAndExtensions();
    EXPECT_TRUE(GL.GL_VERSION_1_0 && GL.GL_VERSION_1_5 && GL.GL_VERSION_2_0 && GL.GL_VERSION_2_1);
    EXPECT_FALSE(GL.GL_VERSION_3_0);
    EXPECT_TRUE(GL.GLU_VERSION_1_1 && GL.GLU_VERSION_1_2 && GL.GLU_VERSION_1_3);
    EXPECT_TRUE(GL.GL_ARB_multisample);
    EXPECT_TRUE(GL.GL_ARB_multitexture);
    EXPECT_TRUE(GL.GL_EXT_stencil_two_side);
    EXPECT_FALSE(GL.GL_NV_fence);
    EXPECT_TRUE(GL.WGL_ARB_pixel_format && GL.WGL_ARB_pbuffer);
    EXPECT_FALSE(GL.WGL_ARB_multisample);

    // Without wglGetExtensionsStringARB the WGL flags are all false; an unreadable version sets
    // only the 1.0 flag.
    GL.wglGetExtensionsStringARB = nullptr;
    versionText = "unknown";
    ReadGLVersionAndExtensions();
    EXPECT_FALSE(GL.WGL_ARB_pixel_format);
    EXPECT_TRUE(GL.GL_VERSION_1_0);
    EXPECT_FALSE(GL.GL_VERSION_1_1);
}

TEST(OpenGL1x, RaisesTheFirstQueuedErrorAndDrainsTheRest) {
    TGLRecorder recorder;
    recorder.Returns("glGetError", {GL_INVALID_ENUM, GL_INVALID_VALUE, GL_OUT_OF_MEMORY});
    try {
        RaiseGLErrorIfAny();
        FAIL() << "no exception";
    } catch (const EOpenGLError& e) {
        // The recording table's GLU knows no text, so the code is spelled out.
        EXPECT_EQ(Utf8(e.Message()), "OpenGL error 0x0500");
    }
    // The first error, the two others, the empty queue, then the text of the first.
    TGLCalls expected(4, Call("glGetError"));
    expected.push_back(Call("gluErrorString", GL_INVALID_ENUM));
    EXPECT_EQ(recorder.Take(), expected);
    RaiseGLErrorIfAny();  // nothing left
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glGetError")});
}

TEST(OpenGL1x, FlushReadsAtMostSevenErrors) {
    TGLRecorder recorder;
    recorder.Returns("glGetError", {1, 1, 1, 1, 1, 1, 1, 1, 1});
    FlushGLErrors();
    EXPECT_EQ(recorder.Take().size(), 7u);
}
