#pragma once
// Horizontal alignment and vertical placement of text and content, shared by the platform's
// controls, the toolkit's painters, the control library and the engine's text objects.

#include <windows.h>
#include "TypInfo.h"

Z_ENUM(TAlignment, Byte, taLeftJustify, taRightJustify, taCenter)
Z_ENUM(TTextLayout, Byte, tlTop, tlCenter, tlBottom)

// The DrawText flag that places text as the alignment says.
inline UINT DrawTextAlignment(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify:
            return DT_RIGHT;
        case taCenter:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}
