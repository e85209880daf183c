#pragma once
#include <cstdint>

#include "game/double_double.h"

// Unsigned fixed-point numbers of many 32-bit limbs: the exact arithmetic behind
// the world's trigonometry when double-doubles cannot decide a rounding. Integer
// operations only, so every platform computes the same bits. Results are
// truncated (each operation errs by less than one unit of the last limb, an "ulp").

const int WIDE_MAX_FRACTION_LIMBS = 46;

struct WideFixed {
    int fractionLimbs = 0;  // n: the value is limb / 2^(32 n)
    // Least significant first; limb[n] is the integer part (kept modulo 2^32).
    uint32_t limb[WIDE_MAX_FRACTION_LIMBS + 1] = {};
};

WideFixed WideZero(int fractionLimbs);
// mantissa * 2^exponent, truncated to the limbs; the integer part modulo 2^32.
WideFixed WideFromParts(uint64_t mantissa, int exponent, int fractionLimbs);
// 1 + fraction, the fraction's words most significant first (as in the tables).
WideFixed WideFromWords(uint32_t integer, const uint32_t* words, int wordCount, int fractionLimbs);

bool WideIsZero(const WideFixed& a);
int WideCompare(const WideFixed& a, const WideFixed& b);
bool WideTopFractionBit(const WideFixed& a);

void WideAdd(WideFixed& a, const WideFixed& b);
void WideSubtract(WideFixed& a, const WideFixed& b);  // wraps below zero: callers keep a >= b
void WideAddUlps(WideFixed& a, uint64_t ulps);
void WideSubtractUlps(WideFixed& a, uint64_t ulps);  // stops at zero
WideFixed WideMultiply(const WideFixed& a, const WideFixed& b);
void WideDivideSmall(WideFixed& a, uint32_t divisor);

// The nearest double (ties to even); false when the value is zero or too small
// for a normal double.
bool WideToDouble(const WideFixed& a, double& out);
// The first 106 significant bits, truncated, as a double-double (0 for zero).
DoubleDouble WideToDoubleDouble(const WideFixed& a);
