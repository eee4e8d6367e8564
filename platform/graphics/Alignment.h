#pragma once
// Horizontal alignment and vertical placement of text and content, shared by the platform's
// controls, the toolkit's painters, the control library and the engine's text objects.

#include "TypInfo.h"

Z_ENUM(TAlignment, Byte, taLeftJustify, taRightJustify, taCenter)
Z_ENUM(TTextLayout, Byte, tlTop, tlCenter, tlBottom)
