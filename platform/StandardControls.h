#pragma once
// The standard controls: the wrappers of the system's window classes and the simple painted
// controls that forms are made of. InitializeStandardControls registers them for form
// descriptions.

#include "ComboBox.h"
#include "CustomEdit.h"
#include "ListBox.h"
#include "MaskEdit.h"

void InitializeStandardControls();
void FinalizeStandardControls();
