// The grid's node pass two nodes at a time with SSE2, which every x86-64 has.
#include <emmintrin.h>

#include "game/grid_sse2.h"

#include "game/grid_scalar.h"
#include "game/grid_tables.h"
#include "game/vector3.h"

namespace {

struct Sse2Lanes {
    static constexpr int WIDTH = 2;
    using V = __m128d;
    using M = __m128d;
    // Two nodes are [x0 y0] [z0 x1] [y1 z1] in memory.
    static void LoadNodes(const Vector3* nodes, V& x, V& y, V& z) {
        const double* p = &nodes[0].x;
        V m0 = _mm_loadu_pd(p), m1 = _mm_loadu_pd(p + 2), m2 = _mm_loadu_pd(p + 4);
        x = _mm_shuffle_pd(m0, m1, 0b10);
        y = _mm_shuffle_pd(m0, m2, 0b01);
        z = _mm_shuffle_pd(m1, m2, 0b10);
    }
    static void StoreNodes(Vector3* nodes, V x, V y, V z) {
        double* p = &nodes[0].x;
        _mm_storeu_pd(p, _mm_shuffle_pd(x, y, 0b00));
        _mm_storeu_pd(p + 2, _mm_shuffle_pd(z, x, 0b10));
        _mm_storeu_pd(p + 4, _mm_shuffle_pd(y, z, 0b11));
    }
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

void StepGridNodesSse2(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                       const GridNodeRule& rule) {
    StepGridNodesLanes<Sse2Lanes>(begin, end, forces, forceCount, planar, rule);
}
