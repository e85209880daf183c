#include "game/trigonometry.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "game/trig_approximation.h"
#include "game/trig_exact.h"

namespace {

// Below this, sin x rounds to x and cos x to 1 (x^2 / 2 < 2^-55).
const double TINY_ANGLE = 0x1p-27;

// The rounding of every value within the error when they all round alike (Ziv's
// test). The error is widened by a quarter so that rounding the bounds themselves
// cannot narrow the interval.
bool RoundsCertainly(const Approximation& a, double& out) {
    double error = a.error * 1.25;
    double low = a.value.hi + (a.value.lo - error);
    double high = a.value.hi + (a.value.lo + error);
    if (low != high) return false;
    out = low;
    return true;
}

}  // namespace

double Sine(double x) {
    if (!std::isfinite(x)) return x - x;  // NaN for infinities and NaN
    if (std::fabs(x) < TINY_ANGLE) return x;
    double result;
    if (RoundsCertainly(ApproximateSine(x), result)) return result;
    return SineExactly(x);
}

double Cosine(double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) < TINY_ANGLE) return 1.0;
    double result;
    if (RoundsCertainly(ApproximateCosine(x), result)) return result;
    return CosineExactly(x);
}

double ArcCosine(double x) {
    if (std::isnan(x)) return x;
    if (!(std::fabs(x) <= 1)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1) return 0.0;
    Approximation a = ApproximateArcCosine(x);
    double result;
    if (RoundsCertainly(a, result)) return result;
    // The result is one of two neighbours; acos falls, so it is the lower one
    // exactly when x lies below the cosine of the midpoint between them.
    double error = a.error * 1.25;
    double low = a.value.hi + (a.value.lo - error);
    uint64_t bits;
    std::memcpy(&bits, &low, sizeof bits);
    uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    int exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1075;
    double high;  // the next double up: low is positive
    bits += 1;
    std::memcpy(&high, &bits, sizeof high);
    return CosineExceeds(2 * mantissa + 1, exponent - 1, x) ? low : high;
}
