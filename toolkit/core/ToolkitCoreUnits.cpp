#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "cxBitmap.h"
#include "cxGraphics.h"
#include "dxGDIPlusAPI.h"

namespace {

// Bitmaps are re-created by class name from pictures in form descriptions.
void InitializeCxGraphics() { RegisterClasses({TcxCustomBitmap::StaticClass(), TcxBitmap::StaticClass()}); }

}  // namespace

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"cxGraphics", &InitializeCxGraphics, &FinalizeSharedScreenCanvas},
        {"dxGDIPlusAPI", &InitializeGDIPlusAPI, &FinalizeGDIPlusAPI},
    });
}
