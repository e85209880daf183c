#include "game/trig_approximation.h"

#include <array>
#include <cmath>

#include "game/trig_constants.h"
#include "game/trig_exact.h"

namespace {

const double TWO_OVER_PI = 0x1.45f306dc9c883p-1;
// Adding and taking away 1.5 * 2^52 rounds a double below 2^51 to an integer.
const double ROUNDER = 0x1.8p52;
// Up to here pi/2 in three doubles reduces well; above, the exact reduction.
const double QUICK_REDUCTION_LIMIT = 0x1p25;
// Taylor terms from this power of z on are summed in plain doubles: they are
// below 2^-54 of the result, so one rounding each stays below 2^-106.
const int DOUBLE_TAIL_FROM = 9;
// The relative error claimed for the series and for asin (measured far below).
const double SERIES_ERROR = 0x1p-94;

struct Angle {
    int quadrant;
    DoubleDouble r;  // |r| <= pi/4 (and a hair)
    double error;    // absolute, on r
};

Angle ReduceAngle(double x) {
    double ax = std::fabs(x);
    if (ax < 0.78) return {0, {x, 0}, 0};
    if (ax < QUICK_REDUCTION_LIMIT) {
        double k = (x * TWO_OVER_PI + ROUNDER) - ROUNDER;
        // x - k pi/2 with every product exact; the sums err by a few 2^-106 of their
        // largest operand, which is |r| or k 2^-52 at most.
        DoubleDouble p1 = TwoProduct(k, HALF_PI_PARTS[0]);
        DoubleDouble p2 = TwoProduct(k, HALF_PI_PARTS[1]);
        double p3 = k * HALF_PI_PARTS[2];
        DoubleDouble r = TwoSum(x, -p1.hi);
        r = AddDouble(r, -p1.lo);
        r = AddDD(r, Negated(p2));
        r = AddDouble(r, -p3);
        double ak = std::fabs(k);
        int quadrant = static_cast<int>(static_cast<long long>(k) & 3);
        return {quadrant, r, ak * 0x1p-128 + (std::fabs(r.hi) + ak * 0x1p-50) * 0x1p-100};
    }
    QuarterTurns turns = ReduceByQuarterTurns(x);
    return {turns.quadrant, {turns.hi, turns.lo}, 0x1p-150 + std::fabs(turns.hi) * 0x1p-100};
}

// sum c[i] z^i over a Taylor table: the small tail in doubles, the rest in
// double-doubles.
DoubleDouble SumSeries(const DoubleDouble* c, int count, DoubleDouble z) {
    double tail = c[count - 1].hi;
    for (int i = count - 2; i >= DOUBLE_TAIL_FROM; --i) tail = tail * z.hi + c[i].hi;
    DoubleDouble sum = MultiplyDouble(z, tail);
    // Each term is at most a twelfth of the one before: no cancellation.
    DoubleDouble zHalves = SplitHalves(z.hi);
    for (int i = DOUBLE_TAIL_FROM - 1; i > 0; --i) sum = MultiplySplitDD(AddSmallerDD(c[i], sum), z, zHalves);
    return AddSmallerDD(c[0], sum);
}

DoubleDouble SineOfReduced(DoubleDouble r) {
    return MultiplyDD(SumSeries(SIN_TAYLOR, SIN_TAYLOR_COUNT, MultiplyDD(r, r)), r);
}

DoubleDouble CosineOfReduced(DoubleDouble r) {
    return SumSeries(COS_TAYLOR, COS_TAYLOR_COUNT, MultiplyDD(r, r));
}

// cos r in plain doubles, within a few 2^-53: enough for a Newton step's slope.
double CosineRoughly(double r) {
    double z = r * r;
    double sum = COS_TAYLOR[COS_TAYLOR_COUNT - 1].hi;
    for (int i = COS_TAYLOR_COUNT - 2; i >= 0; --i) sum = sum * z + COS_TAYLOR[i].hi;
    return sum;
}

// quadrant 0..3 of sin: sin r, cos r, -sin r, -cos r (cos is sin a quadrant on).
Approximation SineAtQuadrant(const Angle& a, int quadrant) {
    DoubleDouble v = quadrant & 1 ? CosineOfReduced(a.r) : SineOfReduced(a.r);
    if (quadrant & 2) v = Negated(v);
    // sin and cos move no faster than their argument.
    return {v, std::fabs(v.hi) * SERIES_ERROR + 2 * a.error};
}

// The Taylor coefficients of asin, (2n)! / (4^n (n!)^2 (2n+1)), enough for a
// start good to 2^-50 on [0, 1/2].
const int ASIN_START_TERMS = 26;
constexpr std::array<double, ASIN_START_TERMS> AsinCoefficients() {
    std::array<double, ASIN_START_TERMS> c{};
    double ratio = 1;  // (2n)! / (4^n (n!)^2)
    for (int n = 0; n < ASIN_START_TERMS; ++n) {
        if (n > 0) ratio = ratio * (2 * n - 1) / (2 * n);
        c[n] = ratio / (2 * n + 1);
    }
    return c;
}
constexpr std::array<double, ASIN_START_TERMS> ASIN_COEFFICIENTS = AsinCoefficients();

double StartArcSine(double s) {
    double w = s * s;
    double sum = ASIN_COEFFICIENTS[ASIN_START_TERMS - 1];
    for (int n = ASIN_START_TERMS - 2; n >= 0; --n) sum = sum * w + ASIN_COEFFICIENTS[n];
    return sum * s;
}

// asin(s) for 0 <= s <= 1/2: a double start, then one Newton step on sin y = s in
// double-doubles, which squares the start's error.
DoubleDouble ArcSine(DoubleDouble s) {
    if (s.hi < 0x1p-26) return FastTwoSum(s.hi, s.lo + s.hi * s.hi * s.hi / 6);
    double y = StartArcSine(s.hi);
    DoubleDouble sine = SineOfReduced({y, 0});
    DoubleDouble miss = AddDD(sine, Negated(s));
    return TwoSum(y, -(miss.hi / CosineRoughly(y)));
}

// sqrt(a) as a double-double: the IEEE root and one correction.
DoubleDouble SquareRoot(double a) {
    double root = std::sqrt(a);
    if (root == 0) return {0, 0};
    DoubleDouble square = TwoProduct(root, root);
    return FastTwoSum(root, ((a - square.hi) - square.lo) / (2 * root));
}

}  // namespace

Approximation ApproximateSine(double x) {
    Angle a = ReduceAngle(x);
    return SineAtQuadrant(a, a.quadrant);
}

Approximation ApproximateCosine(double x) {
    Angle a = ReduceAngle(x);
    return SineAtQuadrant(a, (a.quadrant + 1) & 3);
}

Approximation ApproximateArcCosine(double x) {
    DoubleDouble y;
    if (std::fabs(x) <= 0.5) {
        // acos x = pi/2 - asin x
        DoubleDouble s = ArcSine({std::fabs(x), 0});
        y = AddDD(HALF_PI_DD, x < 0 ? s : Negated(s));
    } else if (x > 0) {
        // acos x = 2 asin sqrt((1 - x) / 2), exact up to the root (1 - x is exact).
        DoubleDouble s = ArcSine(SquareRoot((1 - x) / 2));
        y = {2 * s.hi, 2 * s.lo};
    } else {
        // acos x = pi - 2 asin sqrt((1 + x) / 2)
        DoubleDouble s = ArcSine(SquareRoot((1 + x) / 2));
        y = AddDD(PI_DD, {-2 * s.hi, -2 * s.lo});
    }
    return {y, std::fabs(y.hi) * SERIES_ERROR * 4};
}
