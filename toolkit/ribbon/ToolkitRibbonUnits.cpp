#include "ToolkitRibbonUnits.h"

#include "Units.h"
#include "dxBarExtItems.h"
#include "dxRibbon.h"
#include "dxRibbonForm.h"
#include "dxRibbonPopupMenu.h"
#include "dxRibbonStatusBar.h"
#include "dxStatusBar.h"
#include "dxStatusBarStrs.h"

void InitializeToolkitRibbonUnits() {
    InitializeUnits({
        {"dxStatusBarStrs", &RegisterStatusBarStrings, &UnregisterStatusBarStrings},
        {"dxStatusBar", &InitializeStatusBar, &FinalizeStatusBar},
        {"dxRibbonForm", &InitializedxRibbonForm, &FinalizedxRibbonForm},
        {"dxRibbon", &InitializedxRibbon, &FinalizedxRibbon},
        {"dxRibbonStatusBar", &InitializedxRibbonStatusBar, &FinalizedxRibbonStatusBar},
        {"dxRibbonPopupMenu", &InitializedxRibbonPopupMenu, &FinalizedxRibbonPopupMenu},
        {"dxBarExtItems", &InitializedxBarExtItems, &FinalizedxBarExtItems},
    });
}
