#include "OpenGL1x.h"

#include <cstdio>
#include <cstring>

#include "FloatControl.h"

TGLEntryPoints GL;

namespace {

HMODULE glLibrary = nullptr;
HMODULE gluLibrary = nullptr;

template <class F>
void Bind(F& pointer, HMODULE library, const char* name) {
    pointer = library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

template <class F>
void BindExtension(F& pointer, const char* name) {
    pointer = reinterpret_cast<F>(reinterpret_cast<void*>(GetGLProcAddress(name)));
}

void ClearLibraryEntryPoints() {
#define Z_GL_CORE_ENTRY(name) GL.name = nullptr;
#define Z_GLU_ENTRY(name) GL.name = nullptr;
#define Z_GL_EXT_ENTRY(name)
#define Z_WGL_EXT_ENTRY(name)
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
}

const char* GLString(GLenum name) {
    if (!GL.glGetString) return "";
    const GLubyte* text = GL.glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

const char* GLUString(GLenum name) {
    if (!GL.gluGetString) return "";
    const GLubyte* text = GL.gluGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

PROC GetGLProcAddress(const char* name) {
    if (!GL.wglGetProcAddress) return nullptr;
    PROC address = GL.wglGetProcAddress(name);
    // Some drivers answer small numbers or -1 instead of null for names they lack.
    auto value = reinterpret_cast<std::intptr_t>(address);
    if (value >= -1 && value <= 3) return nullptr;
    return address;
}

void ReadGLEntryPoints() {
#define Z_GL_CORE_ENTRY(name)
#define Z_GLU_ENTRY(name)
#define Z_GL_EXT_ENTRY(name) BindExtension(GL.name, #name);
#define Z_WGL_EXT_ENTRY(name)
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
    ReadWGLEntryPoints();
}

void ReadWGLEntryPoints() {
#define Z_GL_CORE_ENTRY(name)
#define Z_GLU_ENTRY(name)
#define Z_GL_EXT_ENTRY(name)
#define Z_WGL_EXT_ENTRY(name) BindExtension(GL.name, #name);
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
}

TGLVersion ParseVersionString(const char* text) {
    if (!text) return {};
    const char* point = std::strchr(text, '.');
    if (!point || point == text || !IsDigit(point[-1]) || !IsDigit(point[1])) return {};
    const char* start = point;
    while (start > text && IsDigit(start[-1])) --start;
    TGLVersion version;
    // Runs longer than any real version number are treated as unreadable.
    if (point - start > 6) return {};
    for (const char* p = start; p < point; ++p) version.major = version.major * 10 + (*p - '0');
    int digits = 0;
    for (const char* p = point + 1; IsDigit(*p); ++p) {
        if (++digits > 6) return {};
        version.minor = version.minor * 10 + (*p - '0');
    }
    return version;
}

bool VersionAtLeast(TGLVersion required, TGLVersion actual) {
    return actual.major > required.major || (actual.major == required.major && actual.minor >= required.minor);
}

bool HasGLExtension(const char* extensionList, const char* name) {
    if (!extensionList || !name || !*name) return false;
    const size_t length = std::strlen(name);
    const char* p = extensionList;
    while (*p) {
        while (*p == ' ') ++p;
        const char* end = p;
        while (*end && *end != ' ') ++end;
        if (size_t(end - p) == length && std::memcmp(p, name, length) == 0) return true;
        p = end;
    }
    return false;
}

void ReadGLVersionAndExtensions() {
    TGLVersion gl = ParseVersionString(GLString(GL_VERSION));
    GL.GL_VERSION_1_0 = true;
    GL.GL_VERSION_1_1 = VersionAtLeast({1, 1}, gl);
    GL.GL_VERSION_1_2 = VersionAtLeast({1, 2}, gl);
    GL.GL_VERSION_1_3 = VersionAtLeast({1, 3}, gl);
    GL.GL_VERSION_1_4 = VersionAtLeast({1, 4}, gl);
    GL.GL_VERSION_1_5 = VersionAtLeast({1, 5}, gl);
    GL.GL_VERSION_2_0 = VersionAtLeast({2, 0}, gl);
    GL.GL_VERSION_2_1 = VersionAtLeast({2, 1}, gl);
    GL.GL_VERSION_3_0 = VersionAtLeast({3, 0}, gl);

    TGLVersion glu = ParseVersionString(GLUString(GLU_VERSION));
    GL.GLU_VERSION_1_1 = true;
    GL.GLU_VERSION_1_2 = VersionAtLeast({1, 2}, glu);
    GL.GLU_VERSION_1_3 = VersionAtLeast({1, 3}, glu);

    const char* extensions = GLString(GL_EXTENSIONS);
    const char* gluExtensions = GLUString(GLU_EXTENSIONS);
#define Z_GL_EXTENSION(name) GL.name = HasGLExtension(extensions, #name);
#define Z_GLU_EXTENSION(name) GL.name = HasGLExtension(gluExtensions, #name);
#define Z_WGL_EXTENSION(name)
#include "OpenGLExtensionNames.inc"
#undef Z_GL_EXTENSION
#undef Z_GLU_EXTENSION
#undef Z_WGL_EXTENSION
    ReadWGLExtensions();
}

void ReadWGLExtensions() {
    const char* extensions = "";
    if (GL.wglGetExtensionsStringARB && GL.wglGetCurrentDC) {
        const char* text = GL.wglGetExtensionsStringARB(GL.wglGetCurrentDC());
        if (text) extensions = text;
    }
#define Z_GL_EXTENSION(name)
#define Z_GLU_EXTENSION(name)
#define Z_WGL_EXTENSION(name) GL.name = HasGLExtension(extensions, #name);
#include "OpenGLExtensionNames.inc"
#undef Z_GL_EXTENSION
#undef Z_GLU_EXTENSION
#undef Z_WGL_EXTENSION
}

bool EnsureGLLibraries() {
    if (glLibrary && gluLibrary) return true;
    return LoadGLLibraries(L"OpenGL32.dll", L"GLU32.dll");
}

bool LoadGLLibraries(const wchar_t* glName, const wchar_t* gluName) {
    UnloadGLLibraries();
    glLibrary = LoadLibraryW(glName);
    gluLibrary = LoadLibraryW(gluName);
    if (!glLibrary || !gluLibrary) {
        DWORD error = GetLastError();
        UnloadGLLibraries();
        SetLastError(error);
        return false;
    }
#define Z_GL_CORE_ENTRY(name) Bind(GL.name, glLibrary, #name);
#define Z_GLU_ENTRY(name) Bind(GL.name, gluLibrary, #name);
#define Z_GL_EXT_ENTRY(name)
#define Z_WGL_EXT_ENTRY(name)
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
    return true;
}

void UnloadGLLibraries() {
    if (glLibrary) FreeLibrary(glLibrary);
    if (gluLibrary) FreeLibrary(gluLibrary);
    glLibrary = nullptr;
    gluLibrary = nullptr;
    ClearLibraryEntryPoints();
}

bool IsMesaDriver() { return GetGLProcAddress("glResizeBuffersMESA") != nullptr; }

String GLErrorText(GLenum error) {
    const GLubyte* text = GL.gluErrorString ? GL.gluErrorString(error) : nullptr;
    if (text && *text) {
        String result;
        for (const GLubyte* p = text; *p; ++p) result += wchar_t(*p);
        return result;
    }
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"OpenGL error 0x%04X", unsigned(error));
    return buffer;
}

void RaiseGLErrorIfAny() {
    GLenum error = GL.glGetError();
    if (error == GL_NO_ERROR) return;
    try {
        FlushGLErrors();
    } catch (...) {
        // Draining is best effort; the first error is what gets reported.
    }
    throw EOpenGLError(GLErrorText(error));
}

void FlushGLErrors() {
    for (int i = 0; i < 7; ++i)
        if (GL.glGetError() == GL_NO_ERROR) break;
}

void InitializeOpenGL1x() { SetDefaultFPUControlWord(); }

void FinalizeOpenGL1x() { UnloadGLLibraries(); }
