#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "cxGraphics.h"
#include "dxCore.h"

namespace {

void InitializeCxGraphics() {}

}  // namespace

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"dxCore", &InitializePlatformFlags, &FinalizeResourceStringsRepository},
        {"cxGraphics", &InitializeCxGraphics, &FinalizeSharedScreenCanvas},
    });
}
