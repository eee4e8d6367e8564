#pragma once
// Horizontal alignment of text and content, shared by the platform's controls, the toolkit's
// painters and the control library.

#include "TypInfo.h"

Z_ENUM(TAlignment, Byte, taLeftJustify, taRightJustify, taCenter)
