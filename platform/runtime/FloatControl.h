#pragma once
// The x87 control word the whole program runs with: every exception masked, 64-bit precision,
// round to nearest (half to even). Divisions by zero give infinities instead of raising.

#include "SysTypes.h"

constexpr Word kDefaultFPUControlWord = 0x133F;

Word Get8087CW();
void Set8087CW(Word controlWord);
inline void SetDefaultFPUControlWord() { Set8087CW(kDefaultFPUControlWord); }

// Unit start-up: the program's control word, before any other unit computes.
void InitializeFloatControl();
