#include "GLCrossPlatform.h"

#include <windows.h>

#include "Bitmap.h"
#include "SysExceptions.h"

bool HasSubComponentStyle(const TComponent* component) { return component->ComponentStyle().Contains(csSubComponent); }

void* BitmapScanLine(TBitmap* bitmap, Integer row) { return bitmap->ScanLine(row); }

void RaiseLastOSErrorText() {
    DWORD code = GetLastError();
    throw EOSError(L"OS Error : " + SysErrorMessage(code), code);
}

void QueryCounter(Int64& value) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    value = counter.QuadPart;
}

bool QueryCounterFrequency(Int64& frequency) {
    LARGE_INTEGER f;
    bool ok = QueryPerformanceFrequency(&f);
    frequency = ok ? f.QuadPart : 0;
    return ok;
}

Int64 ReadPrecisionCounter() {
    Int64 value;
    QueryCounter(value);
    return value;
}

Double SecondsSinceCounter(Int64 counter) {
    // The frequency is fixed at boot, so its reciprocal is taken once.
    static const Double invFrequency = [] {
        Int64 frequency;
        return QueryCounterFrequency(frequency) && frequency > 0 ? 1.0 / Double(frequency) : 0.0;
    }();
    return Double(ReadPrecisionCounter() - counter) * invFrequency;
}
