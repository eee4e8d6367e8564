#pragma once
// The standard controls: the wrappers of the system's window classes and the simple painted
// controls that forms are made of. InitializeStandardControls registers them for form
// descriptions.

#include "Bevel.h"
#include "BitBtn.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "CustomEdit.h"
#include "GroupBox.h"
#include "Label.h"
#include "ListBox.h"
#include "ListView.h"
#include "MaskEdit.h"
#include "PageControl.h"
#include "Panel.h"
#include "SpeedButton.h"
#include "ToolBar.h"
#include "TreeView.h"

void InitializeStandardControls();
void FinalizeStandardControls();
