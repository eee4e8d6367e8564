#include "ToolkitBarsUnits.h"

#include "Units.h"
#include "dxBarStrs.h"
#include "dxBarUnit.h"

// The fading engine comes before the strings, the Customize dialog between the strings and the
// bar unit, as their parts join.
void InitializeToolkitBarsUnits() {
    InitializeUnits({
        {"dxBarStrs", &InitializedxBarStrs, &FinalizedxBarStrs},
        {"dxBarUnit", &InitializeBarUnit, &FinalizeBarUnit},
    });
}
