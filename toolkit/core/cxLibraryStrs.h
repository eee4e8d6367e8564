#pragma once
// The toolkit library's own strings: four messages and the twenty smart words with which date
// editors accept typed dates. They live in the string table of cxLibraryStrs.rc (part of the
// toolkit's resources, ToolkitCore.rc) and are registered with the resource-string
// repository as one product so that they can be looked up and replaced by name.

#include "dxCore.h"

// The product key under which the strings are registered.
extern const wchar_t* const cxLibraryProductName;

extern const TResStringRec scxCantCreateRegistryKey;  // "\%s": a backslash before the key path
extern const TResStringRec scxCantOpenRegistryKey;
extern const TResStringRec scxErrorStoreObject;
extern const TResStringRec scxConverterCantCreateStyleRepository;

// Smart words, in the order of their indexes 0..19.
extern const TResStringRec cxSDateToday;
extern const TResStringRec cxSDateYesterday;
extern const TResStringRec cxSDateTomorrow;
extern const TResStringRec cxSDateSunday;
extern const TResStringRec cxSDateMonday;
extern const TResStringRec cxSDateTuesday;
extern const TResStringRec cxSDateWednesday;
extern const TResStringRec cxSDateThursday;
extern const TResStringRec cxSDateFriday;
extern const TResStringRec cxSDateSaturday;
extern const TResStringRec cxSDateFirst;
extern const TResStringRec cxSDateSecond;
extern const TResStringRec cxSDateThird;
extern const TResStringRec cxSDateFourth;
extern const TResStringRec cxSDateFifth;
extern const TResStringRec cxSDateSixth;
extern const TResStringRec cxSDateSeventh;
extern const TResStringRec cxSDateBOM;
extern const TResStringRec cxSDateEOM;
extern const TResStringRec cxSDateNow;

void InitializecxLibraryStrs();  // at start-up
void FinalizecxLibraryStrs();    // at shut-down
