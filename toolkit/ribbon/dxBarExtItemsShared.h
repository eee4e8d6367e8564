#pragma once
// What the extra bar items share: their 16 x 16 glyphs from the program's resources, and one
// colour dialog and one font dialog for every colour and font-name combo (made on first use,
// freed when the items' unit ends).

#include "SysTypes.h"

class TBitmap;
class TColorDialog;
class TFontDialog;

// Loads the bitmap resource into the glyph; a program without it keeps the glyph empty.
void LoadExtItemGlyph(TBitmap* glyph, const wchar_t* resourceName);
TColorDialog* dxBarColorDialog();
TFontDialog* dxBarFontDialog();
void FreeExtItemsDialogs();

// The first day of the week of the calendars: 0 Sunday .. 6 Saturday; the locale's at start.
int dxBarFirstDayOfWeek();
void SetdxBarFirstDayOfWeek(int value);
// The user locale's abbreviated name of a weekday (1 Sunday .. 7 Saturday) and full name of a
// month (1..12).
String LocaleShortDayName(int dayOfWeek);
String LocaleLongMonthName(int month);
