// The control library's units start once before the controls tests run.
#include "ControlsUnits.h"
#include "PublishedDefaults.h"
#include "RzShellOpenSaveForm.h"
#include "TestSupport.h"

namespace {

const bool controlsUnits = StartUnitsBeforeTests(&InitializeControlsUnits);
// The open and save form reads its description and browses the shell when it is made: its own
// tests check it (ShellDialogTest.cpp).
const bool openSaveFormLeftOut = LeaveOutOfDefaultsTest(TRzShellOpenSaveForm::StaticClass());

}  // namespace
