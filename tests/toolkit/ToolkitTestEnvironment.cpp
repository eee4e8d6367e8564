// The toolkit core's units start once before the toolkit tests run.
#include "TestSupport.h"
#include "ToolkitCoreUnits.h"

namespace {

const bool toolkitUnits = StartUnitsBeforeTests(&InitializeToolkitCoreUnits);

}  // namespace
