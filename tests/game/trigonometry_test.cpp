// The world's sine, cosine and arc cosine against MPFR's correctly rounded ones, on
// millions of arguments: the angles the rules make, random ones of every size,
// arguments next to multiples of pi/2, tiny and huge ones, and arc cosines next to
// -1 and 1. A failure names the argument in hex. The quick double-double side is
// also held to its stated error bound, and the exact side checked on its own.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game/double_double.h"
#include "game/trig_approximation.h"
#include "game/trig_constants.h"
#include "game/trig_exact.h"
#include "game/trigonometry.h"

namespace {

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// MPFR in the double format, subnormals included: its result is the correctly
// rounded double.
class DoubleFormat {
public:
    DoubleFormat() {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        mpfr_init2(value, 53);
    }
    ~DoubleFormat() {
        mpfr_clear(value);
        mpfr_set_emin(mpfr_get_emin_min());
        mpfr_set_emax(mpfr_get_emax_max());
    }
    double Apply(MpfrFunction f, double x) {
        mpfr_set_d(value, x, MPFR_RNDN);
        int ternary = f(value, value, MPFR_RNDN);
        mpfr_subnormalize(value, ternary, MPFR_RNDN);
        return mpfr_get_d(value, MPFR_RNDN);
    }

private:
    mpfr_t value;
};

std::string Hex(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

bool SameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;  // tells -0 from +0
}

struct Function {
    const char* name;
    double (*ours)(double);
    MpfrFunction reference;
};

const Function SINE{"Sine", Sine, mpfr_sin};
const Function COSINE{"Cosine", Cosine, mpfr_cos};
const Function ARC_COSINE{"ArcCosine", ArcCosine, mpfr_acos};

// Every argument through one function; the first few misses are named.
void ExpectCorrectlyRounded(const Function& f, const std::vector<double>& arguments) {
    DoubleFormat mpfr;
    int misses = 0;
    for (double x : arguments) {
        double want = mpfr.Apply(f.reference, x);
        double got = f.ours(x);
        if (SameDouble(got, want)) continue;
        if (++misses <= 10) {
            ADD_FAILURE() << f.name << "(" << Hex(x) << ") = " << Hex(got) << ", correctly rounded "
                          << Hex(want);
        }
    }
    EXPECT_EQ(misses, 0) << f.name << " missed on " << misses << " of " << arguments.size() << " arguments";
}

double FromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

uint64_t BitsOf(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// The rules' own angles: a single-precision step times a counter (spawn angles,
// orbits, shooters' fans), the dropping's phase and the heading after a turn.
std::vector<double> WorldAngles() {
    std::vector<double> xs;
    for (int a = 0; a <= 629; ++a) xs.push_back(static_cast<float>(a * 0.01f));
    for (int n = 0; n < 250000; ++n) {
        xs.push_back(static_cast<double>(n) * 0.01f);
        xs.push_back(static_cast<double>(n) * 0.1f);
        double t = static_cast<double>(n) * 0.6f;
        xs.push_back(t);
        xs.push_back(t + 1.7f);
    }
    std::mt19937_64 random(21);
    std::uniform_real_distribution<double> heading(-3.3, 3.3);
    for (int i = 0; i < 200000; ++i) xs.push_back(heading(random));
    return xs;
}

std::vector<double> RandomUniform(double low, double high, int count, uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> pick(low, high);
    std::vector<double> xs;
    for (int i = 0; i < count; ++i) xs.push_back(pick(random));
    return xs;
}

// Any finite double, negative and positive, every exponent alike.
std::vector<double> RandomBits(int count, uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<double> xs;
    while (static_cast<int>(xs.size()) < count) {
        double x = FromBits(random());
        if (std::isfinite(x)) xs.push_back(x);
    }
    return xs;
}

// The doubles within a few steps of k pi/2 for many k, where the reduction
// cancels the most.
std::vector<double> NearQuarterTurns() {
    DoubleFormat mpfr;
    mpfr_t multiple;
    mpfr_init2(multiple, 200);
    std::vector<double> xs;
    std::mt19937_64 random(5);
    auto around = [&xs](double centre) {
        uint64_t bits = BitsOf(centre);
        for (int step = -8; step <= 8; ++step) xs.push_back(FromBits(bits + step));
    };
    std::vector<double> ks;
    for (int k = 1; k <= 20000; ++k) ks.push_back(k);
    for (int i = 0; i < 20000; ++i)
        ks.push_back(std::ldexp(static_cast<double>(random() >> 11), -(int)(random() % 30)));
    for (int i = 0; i < 5000; ++i)
        ks.push_back(std::ldexp(static_cast<double>(random() >> 11), (int)(random() % 960)));
    for (double k : ks) {
        mpfr_const_pi(multiple, MPFR_RNDN);
        mpfr_mul_d(multiple, multiple, k, MPFR_RNDN);
        mpfr_div_2ui(multiple, multiple, 1, MPFR_RNDN);
        double centre = mpfr_get_d(multiple, MPFR_RNDN);
        if (std::isfinite(centre) && centre != 0) around(centre);
    }
    mpfr_clear(multiple);
    return xs;
}

// Every binade from the smallest subnormal up to 2^-10.
std::vector<double> Tiny(int count, uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<double> xs = {0.0, -0.0, 0x1p-1074, -0x1p-1074, 0x1p-27, -0x1p-27, 0x1.fffffffffffffp-28};
    while (static_cast<int>(xs.size()) < count) {
        int exponent = -1074 + static_cast<int>(random() % 1065);
        double x = std::ldexp(1.0 + static_cast<double>(random() >> 12) * 0x1p-52, exponent);
        xs.push_back(random() & 1 ? x : -x);
    }
    return xs;
}

// Arc cosine's hard places: next to 1 and -1, where the slope grows without bound,
// next to 0 and +-1/2, where the method changes.
std::vector<double> ArcCosineEdges() {
    std::vector<double> xs = {1.0, -1.0, 0.0, -0.0, 0.5, -0.5};
    for (double centre : {1.0, -1.0, 0.5, -0.5, 0.0}) {
        uint64_t bits = BitsOf(centre);
        for (int step = 1; step <= 50000; ++step) {
            if (centre != 0) {
                xs.push_back(FromBits(bits - step));  // toward zero
                if (std::fabs(centre) < 1) xs.push_back(FromBits(bits + step));
            } else {
                xs.push_back(FromBits(static_cast<uint64_t>(step) << 30));
                xs.push_back(-FromBits(static_cast<uint64_t>(step) << 30));
            }
        }
    }
    return xs;
}

TEST(Trigonometry, RoundsTheWorldsOwnAnglesCorrectly) {
    std::vector<double> xs = WorldAngles();
    ExpectCorrectlyRounded(SINE, xs);
    ExpectCorrectlyRounded(COSINE, xs);
}

TEST(Trigonometry, RoundsRandomModerateAnglesCorrectly) {
    std::vector<double> xs = RandomUniform(-100, 100, 400000, 1);
    std::vector<double> wide = RandomUniform(-3e7, 3e7, 200000, 2);
    xs.insert(xs.end(), wide.begin(), wide.end());
    ExpectCorrectlyRounded(SINE, xs);
    ExpectCorrectlyRounded(COSINE, xs);
}

TEST(Trigonometry, RoundsEveryMagnitudeCorrectly) {
    std::vector<double> xs = RandomBits(200000, 3);
    ExpectCorrectlyRounded(SINE, xs);
    ExpectCorrectlyRounded(COSINE, xs);
}

TEST(Trigonometry, RoundsAnglesNextToQuarterTurnsCorrectly) {
    std::vector<double> xs = NearQuarterTurns();
    ExpectCorrectlyRounded(SINE, xs);
    ExpectCorrectlyRounded(COSINE, xs);
}

TEST(Trigonometry, RoundsTinyAnglesCorrectly) {
    std::vector<double> xs = Tiny(200000, 4);
    ExpectCorrectlyRounded(SINE, xs);
    ExpectCorrectlyRounded(COSINE, xs);
    ExpectCorrectlyRounded(ARC_COSINE, xs);
}

TEST(Trigonometry, RoundsArcCosinesCorrectly) {
    std::vector<double> xs = RandomUniform(-1, 1, 500000, 6);
    std::vector<double> edges = ArcCosineEdges();
    xs.insert(xs.end(), edges.begin(), edges.end());
    ExpectCorrectlyRounded(ARC_COSINE, xs);
}

TEST(Trigonometry, GivesNotANumberWhereThereIsNoAngle) {
    const double inf = INFINITY;
    for (double x : {inf, -inf, static_cast<double>(NAN), -static_cast<double>(NAN)}) {
        EXPECT_TRUE(std::isnan(Sine(x))) << Hex(x);
        EXPECT_TRUE(std::isnan(Cosine(x))) << Hex(x);
    }
    for (double x :
         {inf, -inf, static_cast<double>(NAN), 1.0000000000000002, -1.0000000000000002, 2.0, -1e300}) {
        EXPECT_TRUE(std::isnan(ArcCosine(x))) << Hex(x);
    }
    EXPECT_TRUE(SameDouble(Sine(-0.0), -0.0));
    EXPECT_TRUE(SameDouble(Sine(0.0), 0.0));
    EXPECT_EQ(Cosine(-0.0), 1.0);
    EXPECT_TRUE(SameDouble(ArcCosine(1.0), 0.0));
}

// The rounding is only as sound as the quick side's bound: measure its real error
// against 200-bit values and require a wide margin under the bound.
TEST(Trigonometry, QuickSideStaysWellWithinItsBound) {
    mpfr_t exact, sum;
    mpfr_init2(exact, 240);
    mpfr_init2(sum, 240);
    struct Case {
        const char* name;
        Approximation (*quick)(double);
        MpfrFunction reference;
        std::vector<double> xs;
    };
    std::vector<double> angles = RandomUniform(-10, 10, 50000, 7);
    std::vector<double> near = NearQuarterTurns();
    angles.insert(angles.end(), near.begin(), near.begin() + 50000);
    std::vector<double> big = RandomBits(30000, 8);
    for (double& x : big) x = std::fabs(x) < 0x1p-27 ? 1 : x;
    angles.insert(angles.end(), big.begin(), big.end());
    std::vector<double> cosines = RandomUniform(-1, 0x1.fffffffffffffp-1, 50000, 9);
    std::vector<double> edges = ArcCosineEdges();
    for (size_t i = 0; i < edges.size(); i += 5) {
        if (edges[i] < 1) cosines.push_back(edges[i]);
    }
    std::vector<Case> cases = {{"ApproximateSine", ApproximateSine, mpfr_sin, angles},
                               {"ApproximateCosine", ApproximateCosine, mpfr_cos, angles},
                               {"ApproximateArcCosine", ApproximateArcCosine, mpfr_acos, cosines}};
    for (const Case& c : cases) {
        double worstRatio = 0;
        double worstAt = 0;
        for (double x : c.xs) {
            Approximation a = c.quick(x);
            mpfr_set_d(exact, x, MPFR_RNDN);
            c.reference(exact, exact, MPFR_RNDN);
            mpfr_set_d(sum, a.value.hi, MPFR_RNDN);
            mpfr_add_d(sum, sum, a.value.lo, MPFR_RNDN);
            mpfr_sub(sum, sum, exact, MPFR_RNDN);
            double ratio = std::fabs(mpfr_get_d(sum, MPFR_RNDN)) / a.error;
            if (ratio > worstRatio) {
                worstRatio = ratio;
                worstAt = x;
            }
        }
        std::printf("%s: worst error %.3g of its bound, at %s\n", c.name, worstRatio, Hex(worstAt).c_str());
        // 2^-4: the bound is honest with room to spare, not just on average.
        EXPECT_LT(worstRatio, 0x1p-4)
            << c.name << " errs " << worstRatio << " of its bound at " << Hex(worstAt);
    }
    mpfr_clear(exact);
    mpfr_clear(sum);
}

// The exact side decides what the quick side cannot; it is rarely reached, so
// it is checked here on its own.
TEST(Trigonometry, ExactSideRoundsCorrectlyOnItsOwn) {
    std::vector<double> xs = RandomBits(20000, 10);
    std::vector<double> near = NearQuarterTurns();
    for (size_t i = 0; i < near.size(); i += 17) xs.push_back(near[i]);
    std::vector<double> moderate = RandomUniform(-10, 10, 20000, 11);
    xs.insert(xs.end(), moderate.begin(), moderate.end());
    std::vector<double> kept;
    for (double x : xs) {
        if (std::fabs(x) >= 0x1p-27) kept.push_back(x);
    }
    ExpectCorrectlyRounded({"SineExactly", SineExactly, mpfr_sin}, kept);
    ExpectCorrectlyRounded({"CosineExactly", CosineExactly, mpfr_cos}, kept);
}

// The arc cosine's last resort: whether cos of an angle lies above a value, for
// values right next to that cosine.
TEST(Trigonometry, ExactSideOrdersCosineAndValue) {
    mpfr_t angle, cosine;
    mpfr_init2(angle, 64);
    mpfr_init2(cosine, 300);
    std::mt19937_64 random(12);
    int wrong = 0;
    for (int i = 0; i < 20000; ++i) {
        uint64_t mantissa = (random() >> 10) | (uint64_t{1} << 53);  // 54 bits, as a midpoint has
        int exponent = -53 - static_cast<int>(random() % 30);        // angles in (0, 3.2)
        if (std::ldexp(static_cast<double>(mantissa), exponent) > 3.14159) continue;
        mpfr_set_ui(angle, static_cast<unsigned long>(mantissa), MPFR_RNDN);  // 64 bits on LP64
        mpfr_mul_2si(angle, angle, exponent, MPFR_RNDN);
        mpfr_cos(cosine, angle, MPFR_RNDN);
        double nearest = mpfr_get_d(cosine, MPFR_RNDN);
        for (double value : {nearest, std::nextafter(nearest, -2.0), std::nextafter(nearest, 2.0)}) {
            bool exceeds = mpfr_cmp_d(cosine, value) > 0;
            if (CosineExceeds(mantissa, exponent, value) != exceeds && ++wrong <= 10) {
                ADD_FAILURE() << "cos(" << mantissa << " * 2^" << exponent << ") against " << Hex(value);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    mpfr_clear(angle);
    mpfr_clear(cosine);
}

// The exact sums and products the quick side rests on, on this toolchain: they hold
// only where every operation rounds once to double (x87's extended precision, say,
// would break them).
TEST(DoubleDouble, ProductsAndSumsAreExact) {
    mpfr_t exact, parts;
    mpfr_init2(exact, 2200);
    mpfr_init2(parts, 2200);
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> pick(-4, 4);
    int wrong = 0;
    for (int i = 0; i < 100000; ++i) {
        double a = pick(random) * std::ldexp(1.0, static_cast<int>(random() % 200) - 100);
        double b = pick(random);
        DoubleDouble product = TwoProduct(a, b);
        mpfr_set_d(exact, a, MPFR_RNDN);
        mpfr_mul_d(exact, exact, b, MPFR_RNDN);
        mpfr_set_d(parts, product.hi, MPFR_RNDN);
        mpfr_add_d(parts, parts, product.lo, MPFR_RNDN);
        DoubleDouble sum = TwoSum(a, b);
        bool productExact = mpfr_equal_p(exact, parts);
        mpfr_set_d(exact, a, MPFR_RNDN);
        mpfr_add_d(exact, exact, b, MPFR_RNDN);
        mpfr_set_d(parts, sum.hi, MPFR_RNDN);
        mpfr_add_d(parts, parts, sum.lo, MPFR_RNDN);
        bool sumExact = mpfr_equal_p(exact, parts);
        if ((!productExact || !sumExact) && ++wrong <= 10) {
            ADD_FAILURE() << Hex(a) << " and " << Hex(b) << ": " << (productExact ? "" : "product ")
                          << (sumExact ? "" : "sum ") << "not exact";
        }
    }
    EXPECT_EQ(wrong, 0);
    mpfr_clear(exact);
    mpfr_clear(parts);
}

// The committed constants are what the generator writes from MPFR.
TEST(Trigonometry, ConstantsMatchMpfr) {
    mpfr_t pi, value;
    mpfr_init2(pi, 4000);
    mpfr_init2(value, 4000);
    mpfr_const_pi(pi, MPFR_RNDN);
    auto expectWords = [&value](const uint32_t* words, int count, const char* name) {
        mpfr_frac(value, value, MPFR_RNDN);
        for (int i = 0; i < count; ++i) {
            mpfr_mul_2ui(value, value, 32, MPFR_RNDN);
            unsigned long word = mpfr_get_ui(value, MPFR_RNDZ);
            mpfr_sub_ui(value, value, word, MPFR_RNDN);
            ASSERT_EQ(words[i], word) << name << " word " << i;
        }
    };
    mpfr_ui_div(value, 2, pi, MPFR_RNDN);
    expectWords(TWO_OVER_PI_WORDS, TWO_OVER_PI_WORD_COUNT, "2/pi");
    mpfr_div_2ui(value, pi, 1, MPFR_RNDN);
    expectWords(HALF_PI_WORDS, HALF_PI_WORD_COUNT, "pi/2");
    // pi/2 in three doubles, to within the last one's rounding.
    mpfr_div_2ui(value, pi, 1, MPFR_RNDN);
    for (double part : HALF_PI_PARTS) mpfr_sub_d(value, value, part, MPFR_RNDN);
    EXPECT_LT(std::fabs(mpfr_get_d(value, MPFR_RNDN)), 0x1p-160);
    mpfr_sub_d(value, pi, PI_DD.hi, MPFR_RNDN);
    mpfr_sub_d(value, value, PI_DD.lo, MPFR_RNDN);
    EXPECT_LT(std::fabs(mpfr_get_d(value, MPFR_RNDN)), 0x1p-105);
    mpfr_clear(pi);
    mpfr_clear(value);
}

}  // namespace
