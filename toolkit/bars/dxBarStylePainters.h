#pragma once
// The painter classes the manager's styles choose (TdxBarManager::GetPainterClass).

#include "dxBarPainter.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarStandardPainter.h"
#include "dxBarXPPainter.h"

// The painter class of the skinned paint style: the standard painter until the skins library
// puts its own in (and back again when it ends).
TdxBarPainterClass SkinBarPainterClass();
void SetSkinBarPainterClass(TdxBarPainterClass value);
