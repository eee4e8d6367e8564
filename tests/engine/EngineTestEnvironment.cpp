// The engine's units start once before the engine tests run; the root object of a scene is made
// by its scene only, so the defaults test reaches it through one (PublishedDefaultsTest.cpp).
#include "EngineUnits.h"
#include "PublishedDefaults.h"
#include "Scene.h"
#include "TestSupport.h"

namespace {

const bool engineUnits = StartUnitsBeforeTests(&InitializeEngineUnits);
const bool sceneRootLeftOut = LeaveOutOfDefaultsTest(TGLSceneRootObject::StaticClass());

}  // namespace
