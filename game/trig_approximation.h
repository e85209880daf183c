#pragma once

#include "game/double_double.h"

// The quick side of the world's trigonometry: sin, cos and acos as double-doubles
// with a bound on their error, good to about 2^-100 relative. Trigonometry rounds
// them when the bound allows and asks the exact side when it does not.

struct Approximation {
    DoubleDouble value;
    double error;  // |exact - (hi + lo)| <= error
};

// For finite x with |x| >= 2^-27.
Approximation ApproximateSine(double x);
Approximation ApproximateCosine(double x);
// For -1 <= x < 1.
Approximation ApproximateArcCosine(double x);
