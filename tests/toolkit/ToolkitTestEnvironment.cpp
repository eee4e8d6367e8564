// The toolkit's units start once before the toolkit tests run: the core's, then the skins'.
#include "TestSupport.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"

namespace {

void InitializeToolkitUnits() {
    InitializeToolkitCoreUnits();
    InitializeToolkitSkinsUnits();
}

const bool toolkitUnits = StartUnitsBeforeTests(&InitializeToolkitUnits);

}  // namespace
