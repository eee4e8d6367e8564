#include "ToolkitSkinsUnits.h"

#include "Units.h"
#include "dxBarSkin.h"
#include "dxRibbonColorSchemes.h"
#include "dxSkinLilian.h"
#include "dxSkinsCore.h"
#include "dxSkinsDefaultPainters.h"
#include "dxSkinsdxBarPainter.h"
#include "dxSkinsdxRibbonPainter.h"
#include "dxSkinsLookAndFeelPainter.h"

void InitializeToolkitSkinsUnits() {
    InitializeUnits({
        {"dxSkinsCore", &InitializeSkinsCore, &FinalizeSkinsCore},
        {"dxSkinInfo", nullptr, nullptr},
        {"dxSkinsDefaultPainters", &InitializedxSkinsDefaultPainters, &FinalizedxSkinsDefaultPainters},
        {"dxSkinsLookAndFeelPainter", &InitializedxSkinsLookAndFeelPainter, &FinalizedxSkinsLookAndFeelPainter},
        {"dxSkinsdxBarPainter", &InitializedxSkinsdxBarPainter, &FinalizedxSkinsdxBarPainter},
        {"dxSkinLilian", &InitializedxSkinLilian, &FinalizedxSkinLilian},
        {"dxBarSkin", nullptr, &FinalizeBarSkin},
        {"dxRibbonSkins", &InitializeRibbonColorSchemes, &FinalizeRibbonColorSchemes},
        {"dxSkinsdxRibbonPainter", &InitializedxSkinsdxRibbonPainter, &FinalizedxSkinsdxRibbonPainter},
    });
}
