#include "ToolkitSkinsUnits.h"

#include "Units.h"
#include "dxBarSkin.h"
#include "dxRibbonColorSchemes.h"

void InitializeToolkitSkinsUnits() {
    InitializeUnits({
        {"dxBarSkin", nullptr, &FinalizeBarSkin},
        {"dxRibbonSkins", &InitializeRibbonColorSchemes, &FinalizeRibbonColorSchemes},
    });
}
