#include "EngineUnits.h"

#include "GLBitmapFont.h"
#include "GLCadencer.h"
#include "GLHUDObjects.h"
#include "GLLensFlare.h"
#include "GLCamera.h"
#include "GLCustomShader.h"
#include "GLFileSMD.h"
#include "GLFogEnvironment.h"
#include "GLGraph.h"
#include "GLLightSource.h"
#include "GLContext.h"
#include "GLCoordinates.h"
#include "GLMaterial.h"
#include "GLMesh.h"
#include "GLObjects.h"
#include "GLSLDiffuseSpecularShader.h"
#include "GLSLShader.h"
#include "GLVectorFileFormats.h"
#include "Scene.h"
#include "GLTextureImage.h"
#include "GLWin32Viewer.h"
#include "GLWin32Context.h"
#include "GLWaterPlane.h"
#include "GLWindowsFont.h"
#include "OpenGL1x.h"
#include "PersistentClasses.h"
#include "PictureRegisteredFormats.h"
#include "Units.h"
#include "VectorLists.h"
#include "XOpenGL.h"

void InitializeEngineUnits() {
    InitializeUnits({
        {"OpenGL1x", &InitializeOpenGL1x, &FinalizeOpenGL1x},
        {"XOpenGL", &InitializeXOpenGL, &FinalizeXOpenGL},
        {"GLContextManager", &InitializeGLContextManager, &FinalizeGLContextManager},
        {"GLWin32Context", &InitializeGLWin32Context, &FinalizeGLWin32Context},
        {"PersistentObjectList", &InitializePersistentObjectList, nullptr},
        {"VectorLists", &InitializeVectorLists, nullptr},
        {"GLCoordinates", &InitializeGLCoordinates, nullptr},
        {"PictureRegisteredFormats", &InitializePictureRegisteredFormats, &FinalizePictureRegisteredFormats},
        {"GLTextureImage", &InitializeGLTextureImage, &FinalizeGLTextureImage},
        {"GLMaterialLibrary", &InitializeGLMaterialLibrary, nullptr},
        {"Scene", &InitializeScene, nullptr},
        {"GLCamera", &InitializeGLCamera, nullptr},
        {"GLLightSource", &InitializeGLLightSource, nullptr},
        {"GLObjects", &InitializeGLObjects, nullptr},
        {"GLLines", &InitializeGLLines, nullptr},
        {"GLGraph", &InitializeGLGraph, nullptr},
        {"GLMesh", &InitializeGLMesh, nullptr},
        {"GLVectorFileFormats", &InitializeGLVectorFileFormats, &FinalizeGLVectorFileFormats},
        {"GLFileSMD", &InitializeGLFileSMD, nullptr},
        {"GLBitmapFont", &InitializeGLBitmapFont, nullptr},
        {"GLWindowsFont", &InitializeGLWindowsFont, nullptr},
        {"GLHUDObjects", &InitializeGLHUDObjects, nullptr},
        {"GLLensFlare", &InitializeGLLensFlare, nullptr},
        {"GLWaterPlane", &InitializeGLWaterPlane, nullptr},
        {"GLCustomShader", &InitializeGLCustomShader, nullptr},
        {"GLSLShader", &InitializeGLSLShader, nullptr},
        {"GLSLDiffuseSpecularShader", &InitializeGLSLDiffuseSpecularShader, nullptr},
        {"GLCadencer", &InitializeGLCadencer, &FinalizeGLCadencer},
        {"GLWin32Viewer", &InitializeGLWin32Viewer, nullptr},
    });
}
