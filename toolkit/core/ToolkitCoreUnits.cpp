#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "cxGraphics.h"

namespace {

void InitializeCxGraphics() {}

}  // namespace

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"cxGraphics", &InitializeCxGraphics, &FinalizeSharedScreenCanvas},
    });
}
