#include "GLViewer.h"

#include "OpenGL1x.h"
#include "SysExceptions.h"

void SetupVSync(TVSyncMode mode) {
    if (!GL.WGL_EXT_swap_control || !GL.wglSwapIntervalEXT || !GL.wglGetSwapIntervalEXT) return;
    const int interval = GL.wglGetSwapIntervalEXT();
    switch (mode) {
        case vsmSync:
            if (interval != 1) GL.wglSwapIntervalEXT(1);
            break;
        case vsmNoSync:
            if (interval != 0) GL.wglSwapIntervalEXT(0);
            break;
        default:
            Assert(false, L"Unknown vertical sync mode");
    }
}
