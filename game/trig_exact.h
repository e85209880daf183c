#pragma once
#include <cstdint>

// The slow, exact side of the world's trigonometry: sine and cosine evaluated in
// wide fixed point (Payne-Hanek reduction with the bits of 2/pi, then Taylor
// series) at growing precision until the rounding is certain. Called only when
// the double-double evaluation cannot decide.

// Correctly rounded sin(x) or cos(x) for finite x with |x| >= 2^-27.
double SineExactly(double x);
double CosineExactly(double x);

// Whether cos(mantissa * 2^exponent) > value, for an angle in (0, pi] (never
// equal: the cosine of a non-zero rational is transcendental).
bool CosineExceeds(uint64_t mantissa, int exponent, double value);

// The angle reduced by multiples of pi/2, for the quick evaluation of large
// arguments: x - quadrant * pi/2 as a double-double, |r| <= pi/4, with an error
// below 2^-150 + 2^-104 |r|.
struct QuarterTurns {
    int quadrant;  // 0..3
    double hi;
    double lo;
};
QuarterTurns ReduceByQuarterTurns(double x);
