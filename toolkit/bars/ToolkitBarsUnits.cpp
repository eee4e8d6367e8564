#include "ToolkitBarsUnits.h"

#include "Units.h"
#include "dxBarCustForm.h"
#include "dxBarStrs.h"
#include "dxBarUnit.h"
#include "dxFading.h"

// The Customize dialog comes between the strings and the bar unit, as its part joins.
void InitializeToolkitBarsUnits() {
    InitializeUnits({
        {"dxFading", &InitializedxFading, &FinalizedxFading},
        {"dxBarStrs", &InitializedxBarStrs, &FinalizedxBarStrs},
        {"dxBarCustForm", &InitializedxBarCustForm, &FinalizedxBarCustForm},
        {"dxBarUnit", &InitializeBarUnit, &FinalizeBarUnit},
    });
}
