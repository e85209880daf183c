#pragma once

// Exact sums and products of doubles, and double-double arithmetic over them.
// No fused multiply-add is assumed: a product is made exact by Veltkamp's split,
// so every step is one IEEE rounding and gives the same bits on every target.
// Only finite values whose products neither overflow nor underflow.

struct DoubleDouble {
    double hi;
    double lo;  // |lo| <= half an ulp of hi once normalised
};

// a + b exactly, for any a and b.
inline DoubleDouble TwoSum(double a, double b) {
    double s = a + b;
    double bPart = s - a;
    double aPart = s - bPart;
    return {s, (a - aPart) + (b - bPart)};
}

// a + b exactly, when |a| >= |b| or a is zero.
inline DoubleDouble FastTwoSum(double a, double b) {
    double s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with hi and lo of 26 significant bits or fewer.
inline DoubleDouble SplitHalves(double a) {
    const double SPLITTER = 134217729.0;  // 2^27 + 1
    double c = SPLITTER * a;
    double hi = c - (c - a);
    return {hi, a - hi};
}

// a * b exactly (Dekker).
inline DoubleDouble TwoProduct(double a, double b) {
    double p = a * b;
    DoubleDouble x = SplitHalves(a);
    DoubleDouble y = SplitHalves(b);
    double e = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, e};
}

inline DoubleDouble Negated(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble AddDD(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = TwoSum(a.hi, b.hi);
    DoubleDouble t = TwoSum(a.lo, b.lo);
    s = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(s.hi, s.lo + t.lo);
}

inline DoubleDouble AddDouble(DoubleDouble a, double b) {
    DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble MultiplyDD(DoubleDouble a, DoubleDouble b) {
    DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble MultiplyDouble(DoubleDouble a, double b) {
    DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

// a + b when |b| stays well below |a| (a series' next term on its tail): one exact
// sum fewer than AddDD, an error within a few 2^-106 of |a|.
inline DoubleDouble AddSmallerDD(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = FastTwoSum(a.hi, b.hi);
    return FastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

// MultiplyDD with b.hi split beforehand (bHalves = SplitHalves(b.hi)), for a
// factor used over and over.
inline DoubleDouble MultiplySplitDD(DoubleDouble a, DoubleDouble b, DoubleDouble bHalves) {
    double p = a.hi * b.hi;
    DoubleDouble x = SplitHalves(a.hi);
    double e = ((x.hi * bHalves.hi - p) + x.hi * bHalves.lo + x.lo * bHalves.hi) + x.lo * bHalves.lo;
    return FastTwoSum(p, e + (a.hi * b.lo + a.lo * b.hi));
}
