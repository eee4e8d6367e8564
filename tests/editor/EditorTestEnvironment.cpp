// The engine's, the controls' and the editor's units start once before the editor tests run; the root object of a scene, which
// only its scene can make, is left out of the defaults test (the engine tests check it).
#include "PublishedDefaults.h"
#include "Scene.h"
#include "TestSupport.h"
#include "uMain.h"

namespace {

const bool editorUnits = StartUnitsBeforeTests(&InitializeEditorUnits);
const bool editorSceneRootLeftOut = LeaveOutOfDefaultsTest(TGLSceneRootObject::StaticClass());

}  // namespace
