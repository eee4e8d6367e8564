// The engine's, the controls' and the editor's units start once before the editor tests run. Left
// out of the defaults test: the root object of a scene, which only its scene can make (the engine
// tests check it), the main window and the open and save form, which read their descriptions
// as they are made, and the bar manager, the ribbon and its status bar, which only a form can own
// (the toolkit tests check them on one).
#include "PublishedDefaults.h"
#include "RzShellOpenSaveForm.h"
#include "Scene.h"
#include "TestSupport.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonStatusBar.h"
#include "uMain.h"

namespace {

const bool editorUnits = StartUnitsBeforeTests(&InitializeEditorUnits);
const bool editorSceneRootLeftOut = LeaveOutOfDefaultsTest(TGLSceneRootObject::StaticClass());
const bool mainWindowLeftOut = LeaveOutOfDefaultsTest(TfmMain::StaticClass());
const bool openSaveFormLeftOut = LeaveOutOfDefaultsTest(TRzShellOpenSaveForm::StaticClass());
const bool barManagerLeftOut = LeaveOutOfDefaultsTest(TdxBarManager::StaticClass());
const bool ribbonLeftOut = LeaveOutOfDefaultsTest(TdxRibbon::StaticClass());
const bool ribbonStatusBarLeftOut = LeaveOutOfDefaultsTest(TdxRibbonStatusBar::StaticClass());

}  // namespace
