#pragma once
// Rounding and the runtime's random numbers.
//
// Round rounds half to even through the x87 (the control word's rounding mode), as the whole
// program does; std::round would round half away from zero. The random generator is the
// runtime's own linear congruence, so a saved seed replays the same sequence:
//     RandSeed := RandSeed * 134775813 + 1 (32 bits), Random() = RandSeed / 2^32,
//     Random(n) = (unsigned RandSeed * n) >> 32.
// MulDiv and Sleep are the system's own (windows.h): MulDiv rounds half away from zero and
// answers -1 on overflow or a zero divisor.

#include "SysObject.h"  // and windows.h, for MulDiv and Sleep
#include "SysTypes.h"

Int64 Round(Extended value);    // half to even: Round(2.5) = 2, Round(3.5) = 4
Int64 Trunc(Extended value);    // toward zero
Extended Int(Extended value);   // the integer part, as a float
Extended Frac(Extended value);  // value - Int(value), with value's sign

extern Integer RandSeed;
// Seeds from the high-resolution counter.
void Randomize();
// 0 <= Random() < 1.
Extended Random();
// 0 <= Random(range) < range; 0 when range <= 0.
Integer Random(Integer range);

// The high-resolution counter, in ticks and ticks a second.
Int64 PerformanceCounter();
Int64 PerformanceFrequency();
