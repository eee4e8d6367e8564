#include "PlatformUnits.h"

#include "FloatControl.h"
#include "Forms.h"
#include "GraphicsUnit.h"
#include "StandardControls.h"
#include "SysUtils.h"
#include "Threads.h"
#include "Units.h"

namespace {

void InitializeSystem() { SetDefaultFPUControlWord(); }

}  // namespace

void InitializePlatformUnits() {
    InitializeUnits({
        {"System", &InitializeSystem, nullptr},
        {"SysUtils", &InitializeSysUtils, nullptr},
        {"Threads", &InitializeThreads, &FinalizeThreads},
        {"Graphics", &InitializeGraphics, &FinalizeGraphics},
        {"Forms", &InitializeForms, &FinalizeForms},
        {"StandardControls", &InitializeStandardControls, &FinalizeStandardControls},
    });
}
