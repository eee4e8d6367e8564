// The control library's units start once before the controls tests run.
#include "ControlsUnits.h"
#include "TestSupport.h"

namespace {

const bool controlsUnits = StartUnitsBeforeTests(&InitializeControlsUnits);

}  // namespace
