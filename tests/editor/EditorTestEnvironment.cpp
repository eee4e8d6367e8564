// The engine's, the controls' and the editor's units start once before the editor tests run. Left
// out of the defaults test: the root object of a scene, which only its scene can make (the engine
// tests check it), and the main window, which reads its description as it is made.
#include "PublishedDefaults.h"
#include "Scene.h"
#include "TestSupport.h"
#include "uMain.h"

namespace {

const bool editorUnits = StartUnitsBeforeTests(&InitializeEditorUnits);
const bool editorSceneRootLeftOut = LeaveOutOfDefaultsTest(TGLSceneRootObject::StaticClass());
const bool mainWindowLeftOut = LeaveOutOfDefaultsTest(TfmMain::StaticClass());

}  // namespace
