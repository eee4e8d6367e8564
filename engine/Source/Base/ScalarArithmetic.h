#pragma once
// Scalar helpers. Rounding to whole numbers goes to the nearest, ties to even, as the FPU does.

#include <span>

#include "SysTypes.h"

Extended ReciprocalSqrt(Extended x);
// base^exponent: whole exponents by repeated squaring, others through exp and ln (so a
// negative base with a fractional exponent gives not-a-number).
Extended PowerSingle(Single base, Single exponent);
Extended IntegerPower(Extended base, Integer n);
Single RoundToWholeSingle(Single x);
Integer RoundSingle(Single x);
Integer TruncSingle(Single x);
Extended IntPartExtended(Extended x);
Single FracSingle(Single x);
Extended MaxExtended(Extended a, Extended b);
Integer MaxOfTwoIntegers(Integer a, Integer b);
Integer MaxOfThreeIntegers(Integer a, Integer b, Integer c);
Single ClampSingle(Single x, Single lo, Single hi);
void ScaleSingleArray(std::span<Single> values, const Single& factor);
