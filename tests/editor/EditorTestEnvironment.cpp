// The engine's, the controls' and the editor's units start once before the editor tests run. Left
// out of the defaults test: the root object of a scene, which only its scene can make (the engine
// tests check it), and the main window and the open and save form, which read their descriptions
// as they are made.
#include "PublishedDefaults.h"
#include "RzShellOpenSaveForm.h"
#include "Scene.h"
#include "TestSupport.h"
#include "uMain.h"

namespace {

const bool editorUnits = StartUnitsBeforeTests(&InitializeEditorUnits);
const bool editorSceneRootLeftOut = LeaveOutOfDefaultsTest(TGLSceneRootObject::StaticClass());
const bool mainWindowLeftOut = LeaveOutOfDefaultsTest(TfmMain::StaticClass());
const bool openSaveFormLeftOut = LeaveOutOfDefaultsTest(TRzShellOpenSaveForm::StaticClass());

}  // namespace
