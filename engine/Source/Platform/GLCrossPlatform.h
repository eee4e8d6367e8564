#pragma once
// The few platform services the engine needs, in a form of its own: text layout, the
// high-resolution counter, the last system error as an exception, the sub-component test and
// bitmap row access. The engine's component base is in GLComponent.h.

#include "Alignment.h"
#include "Component.h"

class TBitmap;

// Vertical placement of text.
using TGLTextLayout = TTextLayout;

bool HasSubComponentStyle(const TComponent* component);
// The address of a row's pixels, row 0 at the top.
void* BitmapScanLine(TBitmap* bitmap, Integer row);

// Raises EOSError "OS Error : " followed by the system's message for GetLastError.
[[noreturn]] void RaiseLastOSErrorText();

void QueryCounter(Int64& value);
bool QueryCounterFrequency(Int64& frequency);
Int64 ReadPrecisionCounter();
// Seconds elapsed since a value of ReadPrecisionCounter.
Double SecondsSinceCounter(Int64 counter);

// moved: TGLComponent is in GLComponent.h; included here until no file expects it from this
// header.
#include "GLComponent.h"
