#include "dxBarItemControlDrawParams.h"

#include "dxBarItemControl.h"

void TdxBarItemControlDrawParams::SetDisplaySize(Byte size) {
    if (size == displaySize_) return;
    displaySize_ = size;
    if (control_) control_->ResetCachedSizes(false);
}
