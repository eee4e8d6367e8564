#pragma once
// The reading order of a control's text and the side its content is aligned to. Controls keep
// and pass it on; nothing draws right to left yet.

#include "TypInfo.h"

Z_ENUM(TBiDiMode, Byte, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
