#pragma once
// Vertical sync of the viewers: the swap interval of the current context.

#include "TypInfo.h"

Z_ENUM(TVSyncMode, int, vsmSync, vsmNoSync)

// Sets the swap interval for the mode when the swap-control extension is there; sends it only
// when it differs. Needs the viewer's context current.
void SetupVSync(TVSyncMode mode);
