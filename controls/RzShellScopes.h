#pragma once
// Small helpers the shell views share around long shell work: the hourglass, quiet critical
// errors, and the end of an item enumeration.

#include <windows.h>

#include "Screen.h"

// Shows the hourglass while it lives.
class THourglass {
public:
    THourglass() : saved_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~THourglass() { Screen->SetCursor(saved_); }

private:
    TCursor saved_;
};

// Critical-error boxes stay away while it lives.
class TQuietErrors {
public:
    TQuietErrors() : saved_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~TQuietErrors() { SetErrorMode(saved_); }

private:
    UINT saved_;
};

// Whether an enumerator's Next result is the end of the items.
inline bool EnumerationFinished(HRESULT result) {
    return result == S_FALSE || result == HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS);
}
