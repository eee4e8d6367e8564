#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "dxCore.h"

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"dxCore", &InitializePlatformFlags, &FinalizeResourceStringsRepository},
    });
}
