#include "ControlsUnits.h"

#include "RzButton.h"
#include "RzCommon.h"
#include "RzPanel.h"
#include "RzShellHelpers.h"
#include "RzShellIntf.h"
#include "RzShellUtils.h"
#include "Units.h"

void InitializeControlsUnits() {
    InitializeUnits({
        {"RzShellIntf", &InitializeShellIntf, &FinalizeShellIntf},
        {"RzShellUtils", &InitializeShellUtils, &FinalizeShellUtils},
        {"RzCommon", &InitializeRzCommon, nullptr},
        {"RzPanel", &InitializeRzPanel, nullptr},
        {"RzShellHelpers", &InitializeShellHelpers, &FinalizeShellHelpers},
        {"RzButton", &InitializeRzButton, &FinalizeRzButton},
    });
}
