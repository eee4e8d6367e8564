#include "dxBarViewLevels.h"

#include "Screen.h"
#include "SysMath.h"

Byte GetFirstViewLevel(TdxBarItemViewLevels levels) {
    for (Byte level = 0; level <= ivlControlOnly; ++level)
        if (levels.Contains(TdxBarItemViewLevel(level))) return level;
    return ivlDefault;
}

Byte GetLastViewLevel(TdxBarItemViewLevels levels) {
    for (int level = ivlControlOnly; level >= 0; --level)
        if (levels.Contains(TdxBarItemViewLevel(level))) return Byte(level);
    return 255;
}

Byte GetNextViewLevel(TdxBarItemViewLevels levels, Byte level) {
    if (level >= ivlControlOnly) return Byte(level + 1);
    for (Byte next = level + 1; next <= ivlControlOnly; ++next)
        if (levels.Contains(TdxBarItemViewLevel(next))) return next;
    return ivlDefault;
}

int ScaleToScreenDPI(int value, int baseDpi) { return int(Round(Extended(value) * Screen->PixelsPerInch() / baseDpi)); }
