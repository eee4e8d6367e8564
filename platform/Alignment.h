#pragma once
// Horizontal text alignment, published by controls and by the engine's text objects.

#include "TypInfo.h"

Z_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
