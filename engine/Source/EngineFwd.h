#pragma once
// Forward declarations of the engine's most used classes, for headers that only name them
// (pointers, references, parameters) and need not see their declarations.

class TGLContext;
class TGLContextHandle;
class TGLListHandle;
class TGLTextureHandle;
class TGLStateCache;
struct TRenderContextInfo;

class TGLBaseSceneObject;
class TGLSceneObject;
class TGLScene;
class TGLSceneBuffer;
class TGLCamera;
class TGLLightSource;
class TGLCadencer;

class TGLMaterial;
class TGLLibMaterial;
class TGLMaterialLibrary;
class TGLTexture;
class TGLTextureImage;

class TGLBaseMesh;
class TGLActor;
class TSkeleton;
class TGLBitmapFont;

class TVirtualReader;
class TVirtualWriter;
