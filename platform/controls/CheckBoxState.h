#pragma once
// The three states of a check box, shared by the platform's check box and the control library's
// check glyphs.

#include "TypInfo.h"

Z_ENUM(TCheckBoxState, Byte, cbUnchecked, cbChecked, cbGrayed)
