#pragma once
// The view levels at which a link may show on a ribbon-style bar, from the richest to the
// smallest, and DPI scaling of sizes designed at a base density.

#include "Sets.h"
#include "TypInfo.h"

Z_ENUM(TdxBarItemViewLevel, Byte, ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly)
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;
// The level "as the bar decides", past the four real ones.
constexpr Byte ivlDefault = 4;

// The first level of the set; ivlDefault when it is empty.
Byte GetFirstViewLevel(TdxBarItemViewLevels levels);
// The last level of the set; 255 when it is empty.
Byte GetLastViewLevel(TdxBarItemViewLevels levels);
// The first level of the set after the level; ivlDefault when none (level + 1 from the last).
Byte GetNextViewLevel(TdxBarItemViewLevels levels, Byte level);

// value * Screen's pixels per inch / baseDpi, rounded half to even.
int ScaleToScreenDPI(int value, int baseDpi = 96);
