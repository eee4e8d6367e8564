#include "dxSkinsStrs.h"

#include "dxSkinsStrsIds.h"

const TResStringRec sdxSkinInvalidStreamFormat{nullptr, DXSKINS_SINVALIDSTREAMFORMAT};
const TResStringRec sdxSkinVersionMismatch{nullptr, DXSKINS_SVERSIONMISMATCH};
