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
        {"RzShellIntf", &InitializeRzShellIntf, &FinalizeRzShellIntf},
        {"RzShellUtils", &InitializeRzShellUtils, &FinalizeRzShellUtils},
        {"RzCommon", &InitializeRzCommon, nullptr},
        {"RzPanel", &InitializeRzPanel, nullptr},
        {"RzShellHelpers", &InitializeRzShellHelpers, &FinalizeRzShellHelpers},
        {"RzButton", &InitializeRzButton, &FinalizeRzButton},
    });
}
