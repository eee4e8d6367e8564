#include "ToolkitSkinsUnits.h"

#include "Units.h"
#include "dxSkinsCore.h"

void InitializeToolkitSkinsUnits() {
    InitializeUnits({
        {"dxSkinsCore", &InitializeSkinsCore, &FinalizeSkinsCore},
        {"dxSkinInfo", nullptr, nullptr},
    });
}
