#include "ScalarArithmetic.h"

#include <cmath>

Extended ReciprocalSqrt(Extended x) { return 1.0L / std::sqrt(x); }

Extended PowerSingle(Single base, Single exponent) {
    if (exponent == 0) return 1;
    if (base == 0 && exponent > 0) return 0;
    // Whole exponents beyond the integer range are left to exp and ln.
    if (RoundToWholeSingle(exponent) == exponent && std::fabs(exponent) < 2147483648.0f)
        return IntegerPower(base, RoundSingle(exponent));
    return std::exp(exponent * std::log(Extended(base)));
}

Extended IntegerPower(Extended base, Integer n) {
    // Widened so that the magnitude of the smallest integer does not overflow.
    Int64 k = n < 0 ? -Int64(n) : Int64(n);
    Extended result = 1;
    while (k > 0) {
        if (k & 1) result *= base;
        base *= base;
        k >>= 1;
    }
    return n < 0 ? 1.0L / result : result;
}

Single RoundToWholeSingle(Single x) { return Single(std::nearbyint(Extended(x))); }

Integer RoundSingle(Single x) { return Integer(std::lrint(Extended(x))); }

Integer TruncSingle(Single x) { return Integer(x); }

Extended IntPartExtended(Extended x) { return std::trunc(x); }

Single FracSingle(Single x) { return Single(x - std::trunc(Extended(x))); }

Extended MaxExtended(Extended a, Extended b) { return a > b ? a : b; }

Integer MaxOfTwoIntegers(Integer a, Integer b) { return a > b ? a : b; }

Integer MaxOfThreeIntegers(Integer a, Integer b, Integer c) { return MaxOfTwoIntegers(MaxOfTwoIntegers(a, b), c); }

Single ClampSingle(Single x, Single lo, Single hi) {
    if (x < lo) return lo;
    if (x > hi) return hi;
    return x;
}

void ScaleSingleArray(std::span<Single> values, const Single& factor) {
    for (Single& v : values) v = Single(Extended(v) * factor);
}
