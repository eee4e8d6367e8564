#include "ControlsUnits.h"

#include "RzButton.h"
#include "RzCheckBox.h"
#include "RzComboBox.h"
#include "RzCommon.h"
#include "RzEdit.h"
#include "RzPanel.h"
#include "RzShellCombo.h"
#include "RzShellDialogs.h"
#include "RzShellHelpers.h"
#include "RzShellList.h"
#include "RzShellOpenSaveForm.h"
#include "RzShellTree.h"
#include "RzShellIntf.h"
#include "RzShellUtils.h"
#include "RzSplit.h"
#include "RzToolButton.h"
#include "Units.h"

void InitializeControlsUnits() {
    InitializeUnits({
        {"RzShellIntf", &InitializeRzShellIntf, &FinalizeRzShellIntf},
        {"RzShellUtils", &InitializeRzShellUtils, &FinalizeRzShellUtils},
        {"RzCommon", &InitializeRzCommon, &FinalizeRzCommon},
        {"RzPanel", &InitializeRzPanel, nullptr},
        {"RzShellHelpers", &InitializeRzShellHelpers, &FinalizeRzShellHelpers},
        {"RzButton", &InitializeRzButton, &FinalizeRzButton},
        {"RzCheckBox", &InitializeRzCheckBox, nullptr},
        {"RzToolButton", &InitializeRzToolButton, nullptr},
        {"RzSplit", &InitializeRzSplit, nullptr},
        {"RzEdit", &InitializeRzEdit, nullptr},
        {"RzComboBox", &InitializeRzComboBox, nullptr},
        {"RzShellCombo", &InitializeRzShellCombo, nullptr},
        {"RzShellList", &InitializeRzShellList, nullptr},
        {"RzShellTree", &InitializeRzShellTree, nullptr},
        {"RzShellOpenSaveForm", &InitializeRzShellOpenSaveForm, nullptr},
        {"RzShellDialogs", &InitializeRzShellDialogs, nullptr},
    });
}
