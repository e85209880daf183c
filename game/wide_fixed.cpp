#include "game/wide_fixed.h"

#include <cstring>

namespace {

int LimbCount(const WideFixed& a) { return a.fractionLimbs + 1; }

// 2^exponent for a normal double's exponent, built from its bits (no libm).
double PowerOfTwo(int exponent) {
    uint64_t bits = static_cast<uint64_t>(exponent + 1023) << 52;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// mantissa * 2^exponent exactly, for an exact result in the normal range.
double Scaled(uint64_t mantissa, int exponent) {
    int first = exponent / 2;
    return static_cast<double>(mantissa) * PowerOfTwo(first) * PowerOfTwo(exponent - first);
}

// Index of the highest set bit counted from the least significant, or -1.
int TopBit(const WideFixed& a) {
    for (int i = LimbCount(a) - 1; i >= 0; --i) {
        if (a.limb[i] == 0) continue;
        int bit = 31;
        while (!(a.limb[i] >> bit)) --bit;
        return i * 32 + bit;
    }
    return -1;
}

// count <= 64 bits from bit position low upwards (bits below 0 read as zero).
uint64_t BitsAt(const WideFixed& a, int low, int count) {
    uint64_t result = 0;
    for (int k = count - 1; k >= 0; --k) {
        int pos = low + k;
        uint64_t bit = pos < 0 ? 0 : (a.limb[pos / 32] >> (pos % 32)) & 1u;
        result = (result << 1) | bit;
    }
    return result;
}

bool AnyBitBelow(const WideFixed& a, int position) {
    for (int pos = 0; pos < position; ++pos) {
        if ((a.limb[pos / 32] >> (pos % 32)) & 1u) return true;
    }
    return false;
}

}  // namespace

WideFixed WideZero(int fractionLimbs) {
    WideFixed a;
    a.fractionLimbs = fractionLimbs;
    return a;
}

WideFixed WideFromParts(uint64_t mantissa, int exponent, int fractionLimbs) {
    WideFixed a = WideZero(fractionLimbs);
    int shift = exponent + 32 * fractionLimbs;  // position of the mantissa's bit 0
    for (int bit = 0; bit < 64; ++bit) {
        if (!((mantissa >> bit) & 1u)) continue;
        int pos = shift + bit;
        if (pos < 0 || pos >= 32 * LimbCount(a)) continue;
        a.limb[pos / 32] |= 1u << (pos % 32);
    }
    return a;
}

WideFixed WideFromWords(uint32_t integer, const uint32_t* words, int wordCount, int fractionLimbs) {
    WideFixed a = WideZero(fractionLimbs);
    a.limb[fractionLimbs] = integer;
    for (int i = 0; i < fractionLimbs && i < wordCount; ++i) a.limb[fractionLimbs - 1 - i] = words[i];
    return a;
}

bool WideIsZero(const WideFixed& a) { return TopBit(a) < 0; }

int WideCompare(const WideFixed& a, const WideFixed& b) {
    for (int i = LimbCount(a) - 1; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
    }
    return 0;
}

bool WideTopFractionBit(const WideFixed& a) { return (a.limb[a.fractionLimbs - 1] >> 31) != 0; }

void WideAdd(WideFixed& a, const WideFixed& b) {
    uint64_t carry = 0;
    for (int i = 0; i < LimbCount(a); ++i) {
        uint64_t sum = static_cast<uint64_t>(a.limb[i]) + b.limb[i] + carry;
        a.limb[i] = static_cast<uint32_t>(sum);
        carry = sum >> 32;
    }
}

void WideSubtract(WideFixed& a, const WideFixed& b) {
    uint64_t borrow = 0;
    for (int i = 0; i < LimbCount(a); ++i) {
        uint64_t take = static_cast<uint64_t>(b.limb[i]) + borrow;
        borrow = a.limb[i] < take ? 1 : 0;
        a.limb[i] = static_cast<uint32_t>((static_cast<uint64_t>(a.limb[i]) + (borrow << 32)) - take);
    }
}

void WideAddUlps(WideFixed& a, uint64_t ulps) {
    WideFixed b = WideZero(a.fractionLimbs);
    b.limb[0] = static_cast<uint32_t>(ulps);
    if (LimbCount(a) > 1) b.limb[1] = static_cast<uint32_t>(ulps >> 32);
    WideAdd(a, b);
}

void WideSubtractUlps(WideFixed& a, uint64_t ulps) {
    WideFixed b = WideZero(a.fractionLimbs);
    b.limb[0] = static_cast<uint32_t>(ulps);
    if (LimbCount(a) > 1) b.limb[1] = static_cast<uint32_t>(ulps >> 32);
    if (WideCompare(a, b) <= 0) {
        a = WideZero(a.fractionLimbs);
    } else {
        WideSubtract(a, b);
    }
}

WideFixed WideMultiply(const WideFixed& a, const WideFixed& b) {
    const int count = LimbCount(a);
    uint32_t product[2 * (WIDE_MAX_FRACTION_LIMBS + 1)] = {};
    for (int i = 0; i < count; ++i) {
        uint64_t carry = 0;
        for (int j = 0; j < count; ++j) {
            uint64_t t = static_cast<uint64_t>(a.limb[i]) * b.limb[j] + product[i + j] + carry;
            product[i + j] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        product[i + count] = static_cast<uint32_t>(carry);
    }
    WideFixed result = WideZero(a.fractionLimbs);
    for (int i = 0; i < count; ++i) result.limb[i] = product[i + a.fractionLimbs];
    return result;
}

void WideDivideSmall(WideFixed& a, uint32_t divisor) {
    uint64_t remainder = 0;
    for (int i = LimbCount(a) - 1; i >= 0; --i) {
        uint64_t current = (remainder << 32) | a.limb[i];
        a.limb[i] = static_cast<uint32_t>(current / divisor);
        remainder = current % divisor;
    }
}

bool WideToDouble(const WideFixed& a, double& out) {
    int top = TopBit(a);
    int unitShift = -32 * a.fractionLimbs;
    if (top < 0 || top + unitShift < -1000) return false;
    int low = top - 52;
    uint64_t mantissa = BitsAt(a, low, 53);
    if (low > 0) {
        bool half = BitsAt(a, low - 1, 1) != 0;
        bool sticky = AnyBitBelow(a, low - 1);
        if (half && (sticky || (mantissa & 1u))) ++mantissa;  // 2^53 is still exact
    }
    out = Scaled(mantissa, low + unitShift);
    return true;
}

DoubleDouble WideToDoubleDouble(const WideFixed& a) {
    int top = TopBit(a);
    if (top < 0) return {0, 0};
    int unitShift = -32 * a.fractionLimbs;
    int low = top - 52;
    double hi = Scaled(BitsAt(a, low, 53), low + unitShift);
    double lo = Scaled(BitsAt(a, low - 53, 53), low - 53 + unitShift);
    return {hi, lo};
}
