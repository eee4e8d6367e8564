#include "ControlsUnits.h"

#include "RzButton.h"
#include "RzCommon.h"
#include "RzPanel.h"
#include "RzShellIntf.h"
#include "RzShellUtils.h"
#include "Units.h"

void InitializeControlsUnits() {
    InitializeUnits({
        {"RzShellIntf", &InitializeShellIntf, &FinalizeShellIntf},
        {"RzShellUtils", &InitializeShellUtils, &FinalizeShellUtils},
        {"RzCommon", &InitializeRzCommon, nullptr},
        {"RzPanel", &InitializeRzPanel, nullptr},
        {"RzButton", &InitializeRzButton, &FinalizeRzButton},
    });
}
