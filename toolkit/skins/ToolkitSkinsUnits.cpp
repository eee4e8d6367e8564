#include "ToolkitSkinsUnits.h"

#include "Units.h"
#include "dxBarSkin.h"
#include "dxRibbonColorSchemes.h"
#include "dxSkinsCore.h"

void InitializeToolkitSkinsUnits() {
    InitializeUnits({
        {"dxSkinsCore", &InitializeSkinsCore, &FinalizeSkinsCore},
        {"dxSkinInfo", nullptr, nullptr},
        {"dxBarSkin", nullptr, &FinalizeBarSkin},
        {"dxRibbonSkins", &InitializeRibbonColorSchemes, &FinalizeRibbonColorSchemes},
    });
}
