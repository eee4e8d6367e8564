#pragma once
// The control classes: TControl and TGraphicControl, TWinControl, TCustomControl.

#include "Control.h"
#include "CustomControl.h"
#include "WinControl.h"
