#pragma once
// The types that buttons and check boxes share: where a glyph stands, the state of a latching
// button, the standard button kinds and the side a check box's caption takes.

#include "Alignment.h"
#include "TypInfo.h"

Z_ENUM(TButtonLayout, Byte, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
// bsDown: held down by the mouse; bsExclusive: latched down in a group.
Z_ENUM(TButtonState, Byte, bsUp, bsDisabled, bsDown, bsExclusive)
Z_ENUM(TBitBtnKind, Byte, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)
// The alignments that make sense for a caption beside a glyph.
using TLeftRight = TAlignment;
