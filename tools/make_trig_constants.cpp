// make-trig-constants: writes game/trig_constants.cpp, the constants of the world's
// trigonometry, from MPFR at 4000 bits: the bits of 2/pi and pi/2 for the exact
// reduction, pi/2 split in three doubles for the quick one, and the Taylor
// coefficients as double-doubles. The output is committed; tests/game checks it
// against MPFR again.
//   make-trig-constants > game/trig_constants.cpp
#include <mpfr.h>

#include <cstdint>
#include <cstdio>

#include "game/trig_constants.h"

namespace {

const mpfr_prec_t WORK_BITS = 4000;

struct Number {
    mpfr_t v;
    Number() { mpfr_init2(v, WORK_BITS); }
    ~Number() { mpfr_clear(v); }
};

// The fraction of value in words of 32 bits, most significant first.
void PrintWords(const char* name, const mpfr_t value, int count) {
    Number rest;
    mpfr_frac(rest.v, value, MPFR_RNDN);
    std::printf("const uint32_t %s[%d] = {", name, count);
    for (int i = 0; i < count; ++i) {
        mpfr_mul_2ui(rest.v, rest.v, 32, MPFR_RNDN);
        unsigned long word = mpfr_get_ui(rest.v, MPFR_RNDZ);
        mpfr_sub_ui(rest.v, rest.v, word, MPFR_RNDN);
        std::printf("%s0x%08lx,", i % 6 == 0 ? "\n    " : " ", word);
    }
    std::printf("\n};\n\n");
}

void SplitDoubles(const mpfr_t value, double* parts, int count) {
    Number rest;
    mpfr_set(rest.v, value, MPFR_RNDN);
    for (int i = 0; i < count; ++i) {
        parts[i] = mpfr_get_d(rest.v, MPFR_RNDN);
        mpfr_sub_d(rest.v, rest.v, parts[i], MPFR_RNDN);
    }
}

void PrintDoubleDouble(const mpfr_t value, const char* after) {
    double parts[2];
    SplitDoubles(value, parts, 2);
    std::printf("{%a, %a}%s", parts[0], parts[1], after);
}

// (-1)^n / (2n + first)!, n = 0 .. count - 1.
void PrintTaylor(const char* name, int first, int count) {
    std::printf("const DoubleDouble %s[%d] = {\n", name, count);
    Number factorial, term;
    for (int n = 0; n < count; ++n) {
        mpfr_fac_ui(factorial.v, 2 * n + first, MPFR_RNDN);
        mpfr_ui_div(term.v, 1, factorial.v, MPFR_RNDN);
        if (n % 2) mpfr_neg(term.v, term.v, MPFR_RNDN);
        std::printf("    ");
        PrintDoubleDouble(term.v, ",\n");
    }
    std::printf("};\n\n");
}

}  // namespace

int main() {
    Number pi, halfPi, twoOverPi;
    mpfr_const_pi(pi.v, MPFR_RNDN);
    mpfr_div_2ui(halfPi.v, pi.v, 1, MPFR_RNDN);
    mpfr_ui_div(twoOverPi.v, 2, pi.v, MPFR_RNDN);

    std::printf(
        "// Written by make-trig-constants (tools/make_trig_constants.cpp) from MPFR; do not edit.\n");
    std::printf("#include \"game/trig_constants.h\"\n\n");
    std::printf("// clang-format off\n");
    PrintWords("TWO_OVER_PI_WORDS", twoOverPi.v, TWO_OVER_PI_WORD_COUNT);
    PrintWords("HALF_PI_WORDS", halfPi.v, HALF_PI_WORD_COUNT);
    double parts[3];
    SplitDoubles(halfPi.v, parts, 3);
    std::printf("const double HALF_PI_PARTS[3] = {%a, %a, %a};\n\n", parts[0], parts[1], parts[2]);
    std::printf("const DoubleDouble HALF_PI_DD = ");
    PrintDoubleDouble(halfPi.v, ";\n");
    std::printf("const DoubleDouble PI_DD = ");
    PrintDoubleDouble(pi.v, ";\n\n");
    PrintTaylor("SIN_TAYLOR", 1, SIN_TAYLOR_COUNT);
    PrintTaylor("COS_TAYLOR", 0, COS_TAYLOR_COUNT);
    std::printf("// clang-format on\n");
    return 0;
}
