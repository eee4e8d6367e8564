#include "ToolkitRibbonUnits.h"

#include "Units.h"
#include "dxStatusBar.h"
#include "dxStatusBarStrs.h"

void InitializeToolkitRibbonUnits() {
    InitializeUnits({
        {"dxStatusBarStrs", &RegisterStatusBarStrings, &UnregisterStatusBarStrings},
        {"dxStatusBar", &InitializeStatusBar, &FinalizeStatusBar},
    });
}
