#pragma once
// The bar manager's user-visible texts: 181 named strings of the program's string table
// (dxBarStrs.rc, part of ToolkitBars.rc), registered by name with the toolkit's resource-string
// repository under the product "Vantrel", so that a translation can list them and replace any of
// them. Code fetches a text at the moment it needs it: BarString(dxSBAR_CUSTOMIZE) answers the
// replacement when one is registered; BarStringTableText answers the string table alone, for the
// few texts that must not follow replacements (the captions of new items, the separator refusal,
// the design-time add commands, the default-category search).

#include "dxCore.h"

// The product key of the strings in the repository.
extern const wchar_t* const dxBarProductName;

#define DXBAR_STRING(name) extern const TResStringRec name;
#include "dxBarStrsList.inc"
#undef DXBAR_STRING

// The number of named strings (181).
int BarStringCount();

inline String BarString(const TResStringRec& reference) { return ResolveResourceString(&reference); }
inline String BarStringTableText(const TResStringRec& reference) { return LoadResourceStringText(&reference); }

// Unit start-up: adds the product with every name to the repository; shut-down removes it.
void InitializedxBarStrs();
void FinalizedxBarStrs();
