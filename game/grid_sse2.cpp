// The grid's node pass two nodes at a time with SSE2, which every x86-64 has.
#include <emmintrin.h>

#include "game/grid_terms.h"
#include "game/vector3.h"

namespace {

struct Sse2Lanes {
    static constexpr int WIDTH = 2;
    using V = __m128d;
    using M = __m128d;
    static V Load(const double* p) { return _mm_loadu_pd(p); }
    static void Store(double* p, V a) { _mm_storeu_pd(p, a); }
    static V Set(double a) { return _mm_set1_pd(a); }
    static V Add(V a, V b) { return _mm_add_pd(a, b); }
    static V Sub(V a, V b) { return _mm_sub_pd(a, b); }
    static V Mul(V a, V b) { return _mm_mul_pd(a, b); }
    static V Div(V a, V b) { return _mm_div_pd(a, b); }
    static V Sqrt(V a) { return _mm_sqrt_pd(a); }
    static V RoundToFloat(V a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }
    static M Less(V a, V b) { return _mm_cmplt_pd(a, b); }  // false for NaN, like <
    static M And(M a, M b) { return _mm_and_pd(a, b); }
    static bool Any(M m) { return _mm_movemask_pd(m) != 0; }
    // Lanes of `m` from a, the others from b: a bit-exact choice, not arithmetic.
    static V Select(M m, V a, V b) { return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b)); }
};

#include "game/grid_lanes.h"

}  // namespace

void StepGridNodesSse2(int begin, int end, const GridForceTerms* forces, int forceCount) {
    StepGridNodesLanes<Sse2Lanes>(begin, end, forces, forceCount);
}
