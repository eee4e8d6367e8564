// Starts the bar library's units (after the toolkit core's) before the toolkit tests run.
#include "TestSupport.h"
#include "ToolkitBarsUnits.h"
#include "ToolkitCoreUnits.h"

namespace {

void StartCoreAndBarUnits() {
    InitializeToolkitCoreUnits();  // already run units are skipped
    InitializeToolkitBarsUnits();
}

const bool barUnits = StartUnitsBeforeTests(&StartCoreAndBarUnits);

}  // namespace
