#include "EngineUnits.h"

#include "GLContext.h"
#include "GLWin32Context.h"
#include "OpenGL1x.h"
#include "Units.h"

void InitializeEngineUnits() {
    InitializeUnits({
        {"OpenGL1x", &InitializeOpenGL1x, &FinalizeOpenGL1x},
        {"GLContext", &InitializeGLContext, &FinalizeGLContext},
        {"GLWin32Context", &InitializeGLWin32Context, &FinalizeGLWin32Context},
    });
}
