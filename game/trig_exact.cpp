#include "game/trig_exact.h"

#include <cstring>

#include "game/trig_constants.h"
#include "game/wide_fixed.h"

namespace {

// The precisions tried in turn, in limbs of 32 bits after the point. The hardest
// doubles to round need far fewer than the last.
const int PRECISIONS[] = {6, 10, 18, 30, WIDE_MAX_FRACTION_LIMBS};
// Extra limbs of the reduction's product below the precision kept.
const int REDUCTION_GUARD_LIMBS = 3;

struct Parts {
    bool negative;
    uint64_t mantissa;
    int exponent;  // the value is mantissa * 2^exponent
};

Parts PartsOf(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    if (biased == 0) return {(bits >> 63) != 0, fraction, -1074};
    return {(bits >> 63) != 0, fraction | (uint64_t{1} << 52), biased - 1075};
}

// An angle r with |r| <= pi/4 and its quadrant: the argument is r + quadrant * pi/2
// modulo 2 pi. errorUlps bounds |r's value - exact| in units of the last limb.
struct Reduced {
    int quadrant;
    bool negative;
    WideFixed r;
    uint64_t errorUlps;
};

// x * 2/pi modulo 4 in n fraction limbs, truncated: x = mantissa * 2^exponent,
// mantissa < 2^54. Only the words of 2/pi that reach bits of weight below 4 and
// above the guard limbs take part; error below 2 ulps.
WideFixed QuarterTurnsOf(uint64_t mantissa, int exponent, int n) {
    int shift = ((exponent % 32) + 32) % 32;
    int q = (exponent - shift) / 32;  // x = m * 2^(32 q), m < 2^86 in three limbs
    uint32_t m[3] = {static_cast<uint32_t>(mantissa << shift),
                     static_cast<uint32_t>(shift ? (mantissa >> (32 - shift)) : (mantissa >> 32)),
                     static_cast<uint32_t>(shift ? (mantissa >> (64 - shift)) : 0)};
    const int top = n + REDUCTION_GUARD_LIMBS;  // index of the units limb
    uint32_t sum[WIDE_MAX_FRACTION_LIMBS + REDUCTION_GUARD_LIMBS + 1] = {};
    int firstWord = q - 1 < 0 ? 0 : q - 1;
    for (int j = firstWord; j <= q - 1 + top && j < TWO_OVER_PI_WORD_COUNT; ++j) {
        int base = top + q - j - 1;  // where the product's lowest limb lands
        for (int k = 0; k < 3; ++k) {
            uint64_t product = static_cast<uint64_t>(m[k]) * TWO_OVER_PI_WORDS[j];
            // Add the 64-bit product at limb base + k, carrying upwards; what passes
            // the units limb is a multiple of 2^32 and leaves the angle unchanged.
            uint64_t carry = 0;
            for (int i = base + k; i <= top && (product || carry); ++i) {
                uint64_t t = static_cast<uint64_t>(sum[i]) + static_cast<uint32_t>(product) + carry;
                sum[i] = static_cast<uint32_t>(t);
                carry = t >> 32;
                product >>= 32;
            }
        }
    }
    WideFixed turns = WideZero(n);
    for (int i = 0; i <= n; ++i) turns.limb[i] = sum[i + REDUCTION_GUARD_LIMBS];
    turns.limb[n] &= 3u;
    return turns;
}

Reduced ReduceExactly(uint64_t mantissa, int exponent, int n) {
    // Below pi/4 the angle is its own reduction (0.78 < pi/4).
    WideFixed direct = WideFromParts(mantissa, exponent, n);
    WideFixed limit = WideFromParts(78, 0, n);
    WideDivideSmall(limit, 100);
    bool small = exponent < 0 && (exponent < -60 || (mantissa >> -exponent) == 0);
    if (small && WideCompare(direct, limit) < 0) return {0, false, direct, 1};

    WideFixed turns = QuarterTurnsOf(mantissa, exponent, n);
    int quadrant = static_cast<int>(turns.limb[n]);
    turns.limb[n] = 0;
    bool negative = false;
    if (WideTopFractionBit(turns)) {  // nearer the next quarter turn
        WideFixed one = WideFromParts(1, 0, n);
        WideSubtract(one, turns);
        turns = one;
        negative = true;
        quadrant = (quadrant + 1) & 3;
    }
    WideFixed halfPi = WideFromWords(1, HALF_PI_WORDS, HALF_PI_WORD_COUNT, n);
    // 2 ulps of the turns times pi/2, under 1 of pi/2's truncation, 1 of the product.
    return {quadrant, negative, WideMultiply(turns, halfPi), 6};
}

// sin r or cos r for 0 <= r <= pi/4 by Taylor's series, alternate terms summed
// apart; the error bound in ulps grows with the square of the number of terms.
WideFixed TaylorSeries(const WideFixed& r, uint64_t errorR, bool cosine, uint64_t& errorUlps) {
    int n = r.fractionLimbs;
    WideFixed z = WideMultiply(r, r);
    WideFixed term = cosine ? WideFromParts(1, 0, n) : r;
    WideFixed plus = term;
    WideFixed minus = WideZero(n);
    uint64_t terms = 1;
    for (uint32_t k = cosine ? 2 : 3; !WideIsZero(term); k += 2) {
        term = WideMultiply(term, z);
        WideDivideSmall(term, (k - 1) * k);
        WideAdd(terms % 2 ? minus : plus, term);
        ++terms;
    }
    WideSubtract(plus, minus);
    errorUlps = (terms + 1) * (terms + 1) * (errorR + 3) + (terms + 1) * errorR;
    return plus;
}

struct Evaluation {
    bool negative;
    WideFixed value;
    uint64_t errorUlps;
};

Evaluation SineOrCosineAt(uint64_t mantissa, int exponent, int n, bool cosine) {
    Reduced red = ReduceExactly(mantissa, exponent, n);
    // cos(x) = sin(x + pi/2): one quadrant further.
    int quadrant = (red.quadrant + (cosine ? 1 : 0)) & 3;
    bool useCosine = quadrant & 1;
    Evaluation e;
    e.value = TaylorSeries(red.r, red.errorUlps, useCosine, e.errorUlps);
    // sin r, cos r, -sin r, -cos r by quadrant; sin is odd in r, cos even.
    e.negative = (quadrant >= 2) != (!useCosine && red.negative);
    return e;
}

// The double nearest every value within the error, or false when two doubles share it.
bool RoundCertainly(const Evaluation& e, double& out) {
    WideFixed low = e.value;
    WideFixed high = e.value;
    WideSubtractUlps(low, e.errorUlps);
    WideAddUlps(high, e.errorUlps);
    double a, b;
    if (!WideToDouble(low, a) || !WideToDouble(high, b) || a != b) return false;
    out = e.negative ? -a : a;
    return true;
}

double SineOrCosineExactly(double x, bool cosine) {
    Parts p = PartsOf(x);
    Evaluation e;
    for (int n : PRECISIONS) {
        e = SineOrCosineAt(p.mantissa, p.exponent, n, cosine);
        if (!cosine && p.negative) e.negative = !e.negative;
        double result;
        if (RoundCertainly(e, result)) return result;
    }
    double nearest = 0;  // never reached for a double: the last precision decides
    WideToDouble(e.value, nearest);
    return e.negative ? -nearest : nearest;
}

// 1 + v for a signed v, stopping at zero.
WideFixed OnePlus(bool negative, const WideFixed& magnitude) {
    WideFixed one = WideFromParts(1, 0, magnitude.fractionLimbs);
    if (!negative) {
        WideAdd(one, magnitude);
    } else if (WideCompare(magnitude, one) >= 0) {
        one = WideZero(magnitude.fractionLimbs);
    } else {
        WideSubtract(one, magnitude);
    }
    return one;
}

}  // namespace

double SineExactly(double x) { return SineOrCosineExactly(x, false); }

double CosineExactly(double x) { return SineOrCosineExactly(x, true); }

bool CosineExceeds(uint64_t mantissa, int exponent, double value) {
    Parts v = PartsOf(value);
    bool exceeds = false;
    for (int n : PRECISIONS) {
        Evaluation e = SineOrCosineAt(mantissa, exponent, n, true);
        // Compare 1 + cos against 1 + value, both non-negative; value errs by 1 ulp.
        WideFixed cosine = OnePlus(e.negative, e.value);
        WideFixed target = OnePlus(v.negative, WideFromParts(v.mantissa, v.exponent, n));
        WideFixed cosineLow = cosine;
        WideSubtractUlps(cosineLow, e.errorUlps + 1);
        WideFixed cosineHigh = cosine;
        WideAddUlps(cosineHigh, e.errorUlps + 1);
        WideFixed targetLow = target;
        WideSubtractUlps(targetLow, 1);
        WideFixed targetHigh = target;
        WideAddUlps(targetHigh, 1);
        if (WideCompare(cosineLow, targetHigh) > 0) return true;
        if (WideCompare(cosineHigh, targetLow) < 0) return false;
        exceeds = WideCompare(cosine, target) > 0;
    }
    return exceeds;
}

QuarterTurns ReduceByQuarterTurns(double x) {
    Parts p = PartsOf(x);
    Reduced red = ReduceExactly(p.mantissa, p.exponent, 5);
    DoubleDouble r = WideToDoubleDouble(red.r);
    if (red.negative != p.negative) r = Negated(r);
    int quadrant = p.negative ? (4 - red.quadrant) & 3 : red.quadrant;
    return {quadrant, r.hi, r.lo};
}
