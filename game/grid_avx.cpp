// The grid's node pass four nodes at a time with AVX. Only this file is built for
// AVX, and only after every header is in, so no inline function shared with other
// files is compiled with AVX instructions; StepGrid calls in here only when the
// processor has AVX. The target leaves out FMA on purpose.
#include <immintrin.h>

#include "game/grid_terms.h"
#include "game/vector3.h"

#pragma GCC push_options
#pragma GCC target("avx")

namespace {

struct AvxLanes {
    static constexpr int WIDTH = 4;
    using V = __m256d;
    using M = __m256d;
    static V Load(const double* p) { return _mm256_loadu_pd(p); }
    static void Store(double* p, V a) { _mm256_storeu_pd(p, a); }
    static V Set(double a) { return _mm256_set1_pd(a); }
    static V Add(V a, V b) { return _mm256_add_pd(a, b); }
    static V Sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static V Mul(V a, V b) { return _mm256_mul_pd(a, b); }
    static V Div(V a, V b) { return _mm256_div_pd(a, b); }
    static V Sqrt(V a) { return _mm256_sqrt_pd(a); }
    static V RoundToFloat(V a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static M Less(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }  // false for NaN, like <
    static M And(M a, M b) { return _mm256_and_pd(a, b); }
    static bool Any(M m) { return _mm256_movemask_pd(m) != 0; }
    // Lanes of `m` from a, the others from b: a bit-exact choice, not arithmetic.
    static V Select(M m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
};

#include "game/grid_lanes.h"

}  // namespace

void StepGridNodesAvx(int begin, int end, const GridForceTerms* forces, int forceCount) {
    StepGridNodesLanes<AvxLanes>(begin, end, forces, forceCount);
}

#pragma GCC pop_options
