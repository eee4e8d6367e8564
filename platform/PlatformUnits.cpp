#include "PlatformUnits.h"

#include "FloatControl.h"
#include "Forms.h"
#include "GraphicsUnit.h"
#include "StandardControls.h"
#include "SysUtils.h"
#include "Threads.h"
#include "Units.h"

void InitializePlatformUnits() {
    InitializeUnits({
        {"FloatControl", &InitializeFloatControl, nullptr},
        {"SysUtils", &InitializeSysUtils, nullptr},
        {"Threads", &InitializeThreads, &FinalizeThreads},
        {"GraphicsUnit", &InitializeGraphicsUnit, &FinalizeGraphicsUnit},
        {"Forms", &InitializeForms, &FinalizeForms},
        {"StandardControls", &InitializeStandardControls, &FinalizeStandardControls},
    });
}
