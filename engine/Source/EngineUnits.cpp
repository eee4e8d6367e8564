#include "EngineUnits.h"

#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLFogEnvironment.h"
#include "GLLightSource.h"
#include "GLContext.h"
#include "GLCoordinates.h"
#include "GLMaterial.h"
#include "GLMesh.h"
#include "GLObjects.h"
#include "GLVectorFileFormats.h"
#include "Scene.h"
#include "GLTextureImage.h"
#include "GLWin32Viewer.h"
#include "GLWin32Context.h"
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
        {"GLMesh", &RegisterGLMeshClasses, nullptr},
        {"GLVectorFileObjects", &InitializeVectorFileObjects, &FinalizeVectorFileObjects},
        {"GLCadencer", &InitializeCadencer, &FinalizeCadencer},
        {"GLWin32Viewer", &RegisterSceneViewerClasses, nullptr},
    });
}
