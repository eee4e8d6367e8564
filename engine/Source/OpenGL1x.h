#pragma once
// The engine's binding to OpenGL.
//
// Every OpenGL, WGL and GLU call of the engine goes through one process-wide table of entry
// points, `GL`, filled by name: the OpenGL 1.1 and WGL functions from opengl32 and the GLU
// functions from glu32 when the libraries load, everything later with wglGetProcAddress once a
// context is current. A name the driver does not export leaves its pointer empty. Beside the
// pointers the table carries one flag per OpenGL and GLU version and per extension; code tests
// a flag before it uses an extension:
//
//     if (GL.GL_ARB_multitexture) GL.glActiveTextureARB(GL_TEXTURE1);
//
// Tests install a table of their own (a recording one) by assigning `GL`.
//
// Sections: headers and missing prototypes; the table; loading and reading; errors.

#include <windows.h>

#define GL_GLEXT_PROTOTYPES 1
#define WGL_WGLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
#include <GL/wglext.h>

#include "SysExceptions.h"

// Entry points that the headers do not declare; declared only so that the table can take their
// types. Nothing links against them.
extern "C" {
void APIENTRY gluNurbsCallbackDataEXT(GLUnurbs* renderer, GLvoid* userData);
GLUnurbs* APIENTRY gluNewNurbsTessellatorEXT(void);
void APIENTRY gluDeleteNurbsTessellatorEXT(GLUnurbs* renderer);
void APIENTRY glSamplePassARB(GLenum pass);
void APIENTRY glArrayElementArrayEXT(GLenum mode, GLsizei count, const GLvoid* indices);
void APIENTRY glAddSwapHintRectWIN(GLint x, GLint y, GLsizei width, GLsizei height);
// gl.h claims GL_EXT_paletted_texture, so glext.h skips its prototypes.
void APIENTRY glColorTableEXT(GLenum target, GLenum internalFormat, GLsizei width, GLenum format, GLenum type,
                              const void* table);
void APIENTRY glGetColorTableEXT(GLenum target, GLenum format, GLenum type, void* data);
void APIENTRY glGetColorTableParameterivEXT(GLenum target, GLenum pname, GLint* params);
void APIENTRY glGetColorTableParameterfvEXT(GLenum target, GLenum pname, GLfloat* params);
}

// The version flags carry the headers' version macro names.
#undef GL_VERSION_1_0
#undef GL_VERSION_1_1
#undef GL_VERSION_1_2
#undef GL_VERSION_1_3
#undef GL_VERSION_1_4
#undef GL_VERSION_1_5
#undef GL_VERSION_2_0
#undef GL_VERSION_2_1
#undef GL_VERSION_3_0
#undef GLU_VERSION_1_1
#undef GLU_VERSION_1_2
#undef GLU_VERSION_1_3

// ---- The table ----

struct TGLEntryPoints {
#define Z_GL_CORE_ENTRY(name) decltype(&::name) name = nullptr;
#define Z_GLU_ENTRY(name) decltype(&::name) name = nullptr;
#define Z_GL_EXT_ENTRY(name) decltype(&::name) name = nullptr;
#define Z_WGL_EXT_ENTRY(name) decltype(&::name) name = nullptr;
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY

    bool GL_VERSION_1_0 = false, GL_VERSION_1_1 = false, GL_VERSION_1_2 = false, GL_VERSION_1_3 = false,
         GL_VERSION_1_4 = false, GL_VERSION_1_5 = false, GL_VERSION_2_0 = false, GL_VERSION_2_1 = false,
         GL_VERSION_3_0 = false;
    bool GLU_VERSION_1_1 = false, GLU_VERSION_1_2 = false, GLU_VERSION_1_3 = false;

#define Z_GL_EXTENSION(name) bool name = false;
#define Z_GLU_EXTENSION(name) bool name = false;
#define Z_WGL_EXTENSION(name) bool name = false;
#include "OpenGLExtensionNames.inc"
#undef Z_GL_EXTENSION
#undef Z_GLU_EXTENSION
#undef Z_WGL_EXTENSION
};

// The process-wide table, belonging to the context that filled it last.
extern TGLEntryPoints GL;

// ---- Loading and reading ----

// wglGetProcAddress of the name through the table; nullptr when unknown or no context is current.
PROC GetGLProcAddress(const char* name);
// Fills every extension entry point (a context must be current), then the WGL ones.
void ReadGLEntryPoints();
void ReadWGLEntryPoints();
// The version flags, the OpenGL and GLU extension flags, then the WGL flags.
void ReadGLVersionAndExtensions();
void ReadWGLExtensions();

// True when both libraries are loaded, loading them when they are not.
bool EnsureGLLibraries();
// Loads both libraries and fills the OpenGL 1.1, WGL and GLU entry points; false (and nothing
// loaded) when either fails.
bool LoadGLLibraries(const wchar_t* glName, const wchar_t* gluName);
void UnloadGLLibraries();
bool IsMesaDriver();

struct TGLVersion {
    int major = 0, minor = 0;
};
// The "major.minor" at the first point of a version string; (0, 0) when it has no digit on both
// sides of its first point.
TGLVersion ParseVersionString(const char* text);
bool VersionAtLeast(TGLVersion required, TGLVersion actual);
// True when the blank-separated list contains the name as a whole entry.
bool HasGLExtension(const char* extensionList, const char* name);

// ---- Errors ----

Z_EXCEPTION(EOpenGLError, Exception)

// Raises EOpenGLError with the text of the first pending error, after draining the others.
void RaiseGLErrorIfAny();
// Reads pending errors until none is left (at most 7 reads).
void FlushGLErrors();
// The GLU text of an error code; "OpenGL error 0x%04X" for a code GLU does not know.
String GLErrorText(GLenum error);

void InitializeOpenGL1x();
void FinalizeOpenGL1x();
