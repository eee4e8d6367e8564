#pragma once
// The few platform services the engine needs, in a form of its own: text layout, the
// high-resolution counter and the last system error as an exception.

#include "SysTypes.h"

// Vertical placement of text.
enum TGLTextLayout { tlTop, tlCenter, tlBottom };

// Raises EOSError "OS Error : " followed by the system's message for GetLastError.
[[noreturn]] void RaiseLastOSErrorText();

void QueryCounter(Int64& value);
bool QueryCounterFrequency(Int64& frequency);
Int64 ReadPrecisionCounter();
// Seconds elapsed since a value of ReadPrecisionCounter.
Double SecondsSinceCounter(Int64 counter);
