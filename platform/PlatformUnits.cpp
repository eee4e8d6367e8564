#include "PlatformUnits.h"

#include "FloatControl.h"
#include "Units.h"

namespace {

void InitializeSystem() { SetDefaultFPUControlWord(); }

}  // namespace

void InitializePlatformUnits() {
    InitializeUnits({
        {"System", &InitializeSystem, nullptr},
    });
}
