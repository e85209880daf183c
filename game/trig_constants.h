#pragma once
#include <cstdint>

#include "game/double_double.h"

// The constants of the world's trigonometry, written from MPFR by
// make-trig-constants into trig_constants.cpp (committed).

// Enough words of 2/pi for a double up to 2^1024 at the widest exact precision.
const int TWO_OVER_PI_WORD_COUNT = 84;
const int HALF_PI_WORD_COUNT = 50;
const int SIN_TAYLOR_COUNT = 15;  // (-1)^n / (2n+1)!: to z^14, z = r^2 <= (pi/4)^2
const int COS_TAYLOR_COUNT = 16;  // (-1)^n / (2n)!: to z^15

// The fraction of 2/pi in words of 32 bits, most significant first.
extern const uint32_t TWO_OVER_PI_WORDS[TWO_OVER_PI_WORD_COUNT];
// The fraction of pi/2 (its integer part is 1), likewise.
extern const uint32_t HALF_PI_WORDS[HALF_PI_WORD_COUNT];
// pi/2 as the sum of three doubles, each the nearest to what the others leave.
extern const double HALF_PI_PARTS[3];
extern const DoubleDouble HALF_PI_DD;
extern const DoubleDouble PI_DD;
extern const DoubleDouble SIN_TAYLOR[SIN_TAYLOR_COUNT];
extern const DoubleDouble COS_TAYLOR[COS_TAYLOR_COUNT];
