#pragma once
// The render record: the state of one frame (or one picking pass) handed down every render call.
// The scene buffer fills a zeroed record at the start of each frame; scene objects adjust it
// for their children and materials count their fog and lighting switches in it. The record
// never owns what it points to.

#include "Events.h"
#include "TypInfo.h"
#include "VectorTypes.h"

class TGLScene;
class TGLSceneBuffer;
class TGLMaterialLibrary;
class TGLLibMaterial;
class TGLStateCache;
class TPersistentObjectList;

Z_ENUM(TGLObjectsSorting, int, osInherited, osNone, osRenderFarthestFirst, osRenderBlendedLast, osRenderNearestFirst)
Z_ENUM(TGLVisibilityCulling, int, vcInherited, vcNone, vcObjectBased, vcHierarchical)

// drawState values.
constexpr Byte dsRendering = 0;
constexpr Byte dsPicking = 1;  // object names are loaded, materials are ignored

struct TRenderContextInfo {
    TGLScene* scene = nullptr;
    TGLSceneBuffer* buffer = nullptr;
    TVector4f cameraPosition = {};
    TVector4f cameraDirection = {};               // normalized, W = 0
    TVector4f cameraUp = {};                      // perpendicular to the direction, normalized
    const TMatrix4x4* modelViewMatrix = nullptr;  // the buffer's, camera applied
    Integer viewportWidth = 0, viewportHeight = 0;
    Integer renderDPI = 0;
    Integer fogDisabledCounter = 0;       // nested materials that switched fog off
    Integer lightingDisabledCounter = 0;  // nested materials that switched lighting off
    Byte drawState = dsRendering;
    TGLObjectsSorting objectsSorting = osInherited;
    TGLVisibilityCulling visibilityCulling = vcInherited;
    TGLStateCache* GLStates = nullptr;  // the cache of the buffer's context
    TVector4f clippingOrigin = {};      // the camera position
    TVector4f clippingDirection = {};   // the camera direction
    Single viewportRadius = 0;
    Single nearClippingDistance = 0, farClippingDistance = 0;
    TFrustumPlanes frustum = {};
    TVector4f ambientColor = {};
    bool bufferFaceCull = false;
    bool insideProxy = false;
    bool ignoreMaterials = false;
    bool ignoreBlendingRequests = false;
    bool amalgamating = false;
    // A library material left applied by the last child drawn, for its next siblings that draw
    // with the same one; the loop over the children unapplies it (see RenderChildren).
    TGLLibMaterial* heldMaterial = nullptr;
    // Set by that loop just before a child that may keep its material applied.
    TGLLibMaterial* materialToHold = nullptr;
    TPersistentObjectList* afterRenderEffects = nullptr;  // the buffer's own list
    // Set by a mesh while its mesh objects draw: the library their face groups name materials
    // of, and the one their lightmap indices point into.
    TGLMaterialLibrary* materialLibrary = nullptr;
    TGLMaterialLibrary* lightmapLibrary = nullptr;
};

using TDirectRenderEvent = TEvent<void(TObject* Sender, TRenderContextInfo& rci)>;
