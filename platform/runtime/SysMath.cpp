#include "SysMath.h"

#include <windows.h>

#include <cmath>

Int64 Round(Extended value) {
    Int64 result;
    __asm__("fistpll %0" : "=m"(result) : "t"(value) : "st");
    return result;
}

Int64 Trunc(Extended value) { return static_cast<Int64>(value); }
Extended Int(Extended value) { return std::trunc(value); }
Extended Frac(Extended value) { return value - std::trunc(value); }

Integer RandSeed = 0;

namespace {

Cardinal NextSeed() {
    RandSeed = Integer(Cardinal(RandSeed) * 134775813u + 1u);
    return Cardinal(RandSeed);
}

}  // namespace

void Randomize() {
    LARGE_INTEGER counter;
    if (QueryPerformanceCounter(&counter))
        RandSeed = Integer(Cardinal(counter.QuadPart));
    else
        RandSeed = Integer(GetTickCount());
}

Extended Random() { return Extended(NextSeed()) * (1.0L / 4294967296.0L); }

Integer Random(Integer range) {
    Cardinal seed = NextSeed();
    if (range <= 0) return 0;
    return Integer((UInt64(seed) * UInt64(Cardinal(range))) >> 32);
}

Int64 PerformanceCounter() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

Int64 PerformanceFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
