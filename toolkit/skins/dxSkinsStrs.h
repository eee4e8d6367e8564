#pragma once
// The skin library's messages; they live in the string table of dxSkinsStrs.rc and are read
// through ResolveResourceString when a skin stream is refused.

#include "dxCore.h"

extern const TResStringRec sdxSkinInvalidStreamFormat;
extern const TResStringRec sdxSkinVersionMismatch;
