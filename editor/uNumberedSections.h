#pragma once
// Numbered sections of the editor's INI files (TEXTURE1, ANIMATION2...): a count in the file says
// how many to read, and sections beyond the last one present would all read as empty. Loops go to
// the last present one, so that a count of two billion in a damaged file costs nothing.

#include "SysTypes.h"

class TCustomIniFile;

// The largest n for which the file has a section named prefix + n (n in decimal without leading
// zeros, letter case ignored); 0 when none.
Integer LastNumberedSection(TCustomIniFile& file, const String& prefix);
