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
        {"GLContext", &InitializeGLContext, &FinalizeGLContext},
        {"GLWin32Context", &InitializeGLWin32Context, &FinalizeGLWin32Context},
        {"PersistentClasses", &RegisterPersistentClasses, nullptr},
        {"VectorLists", &RegisterVectorListClasses, nullptr},
        {"GLCoordinates", &RegisterCoordinatesClasses, nullptr},
        {"PictureRegisteredFormats", &InitializePictureFormats, &FinalizePictureFormats},
        {"GLTextureImage", &InitializeTextureImages, &FinalizeTextureImages},
        {"GLMaterial", &RegisterMaterialClasses, nullptr},
        {"Scene", &RegisterSceneClasses, nullptr},
        {"GLCamera", &RegisterCameraClasses, nullptr},
        {"GLLightSource", &RegisterLightSourceClasses, nullptr},
        {"GLObjects", &RegisterGLObjectsClasses, nullptr},
        {"GLLines", &RegisterLinesClasses, nullptr},
        {"GLGraph", &RegisterGraphClasses, nullptr},
        {"GLMesh", &RegisterGLMeshClasses, nullptr},
        {"GLVectorFileObjects", &InitializeVectorFileObjects, &FinalizeVectorFileObjects},
        {"GLFileSMD", &InitializeFileSMD, nullptr},
        {"GLBitmapFont", &RegisterBitmapFontClasses, nullptr},
        {"GLWindowsFont", &RegisterWindowsFontClasses, nullptr},
        {"GLHUDObjects", &RegisterHUDObjectsClasses, nullptr},
        {"GLLensFlare", &RegisterLensFlareClasses, nullptr},
        {"GLWaterPlane", &RegisterWaterPlaneClasses, nullptr},
        {"GLCustomShader", &RegisterCustomShaderClasses, nullptr},
        {"GLSLShader", &RegisterGLSLShaderClasses, nullptr},
        {"GLSLDiffuseSpecularShader", &RegisterGLSLDiffuseSpecularShaderClasses, nullptr},
        {"GLCadencer", &InitializeCadencer, &FinalizeCadencer},
        {"GLWin32Viewer", &RegisterSceneViewerClasses, nullptr},
    });
}
