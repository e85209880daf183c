// The grid's node pass four nodes at a time with AVX. Only this file is built for
// AVX, and only after every header is in, so no inline function shared with other
// files is compiled with AVX instructions; StepGrid calls in here only when the
// processor has AVX. The target leaves out FMA on purpose.
#include "game/grid_avx.h"

#include "game/grid_scalar.h"
#include "game/grid_sse2.h"
#include "game/grid_tables.h"
#include "game/vector3.h"

#if !defined(__x86_64__) && !defined(__i386__)

// No AVX off x86 (the browser's WebAssembly): GridKernelSupported refuses the
// kernel, so StepGrid never comes here.
void StepGridNodesAvx(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                      const GridNodeRule& rule) {
    StepGridNodesSse2(begin, end, forces, forceCount, planar, rule);
}

#else

#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx")
#endif

namespace {

struct AvxLanes {
    static constexpr int WIDTH = 4;
    using V = __m256d;
    using M = __m256d;
    // Four nodes are [x0 y0 z0 x1] [y1 z1 x2 y2] [z2 x3 y3 z3] in memory.
    static void LoadNodes(const Vector3* nodes, V& x, V& y, V& z) {
        const double* p = &nodes[0].x;
        V m0 = _mm256_loadu_pd(p), m1 = _mm256_loadu_pd(p + 4), m2 = _mm256_loadu_pd(p + 8);
        V a = _mm256_blend_pd(m0, m2, 0b1100);       // x0 y0 y3 z3
        V b = _mm256_permute2f128_pd(m0, m2, 0x21);  // z0 x1 z2 x3
        V d = _mm256_blend_pd(a, m1, 0b1100);        // x0 y0 x2 y2
        V e = _mm256_blend_pd(a, m1, 0b0011);        // y1 z1 y3 z3
        x = _mm256_shuffle_pd(d, b, 0b1010);
        y = _mm256_shuffle_pd(d, e, 0b0101);
        z = _mm256_shuffle_pd(b, e, 0b1010);
    }
    static void StoreNodes(Vector3* nodes, V x, V y, V z) {
        double* p = &nodes[0].x;
        V d = _mm256_shuffle_pd(x, y, 0b0000);  // x0 y0 x2 y2
        V e = _mm256_shuffle_pd(y, z, 0b1111);  // y1 z1 y3 z3
        V b = _mm256_shuffle_pd(z, x, 0b1010);  // z0 x1 z2 x3
        _mm256_storeu_pd(p, _mm256_permute2f128_pd(d, b, 0x20));
        _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(e, d, 0x30));
        _mm256_storeu_pd(p + 8, _mm256_permute2f128_pd(b, e, 0x31));
    }
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

// Eight nodes as two independent groups of four, so the divider and square-root
// unit always has a second chain to work on while one waits.
struct AvxPairLanes {
    static constexpr int WIDTH = 8;
    struct V {
        __m256d a, b;
    };
    using M = V;
    static void LoadNodes(const Vector3* nodes, V& x, V& y, V& z) {
        AvxLanes::LoadNodes(nodes, x.a, y.a, z.a);
        AvxLanes::LoadNodes(nodes + 4, x.b, y.b, z.b);
    }
    static void StoreNodes(Vector3* nodes, V x, V y, V z) {
        AvxLanes::StoreNodes(nodes, x.a, y.a, z.a);
        AvxLanes::StoreNodes(nodes + 4, x.b, y.b, z.b);
    }
    static V Set(double a) { return {_mm256_set1_pd(a), _mm256_set1_pd(a)}; }
    static V Add(V x, V y) { return {_mm256_add_pd(x.a, y.a), _mm256_add_pd(x.b, y.b)}; }
    static V Sub(V x, V y) { return {_mm256_sub_pd(x.a, y.a), _mm256_sub_pd(x.b, y.b)}; }
    static V Mul(V x, V y) { return {_mm256_mul_pd(x.a, y.a), _mm256_mul_pd(x.b, y.b)}; }
    static V Div(V x, V y) { return {_mm256_div_pd(x.a, y.a), _mm256_div_pd(x.b, y.b)}; }
    static V Sqrt(V x) { return {_mm256_sqrt_pd(x.a), _mm256_sqrt_pd(x.b)}; }
    static V RoundToFloat(V x) { return {AvxLanes::RoundToFloat(x.a), AvxLanes::RoundToFloat(x.b)}; }
    static M Less(V x, V y) { return {AvxLanes::Less(x.a, y.a), AvxLanes::Less(x.b, y.b)}; }
    static M And(M x, M y) { return {_mm256_and_pd(x.a, y.a), _mm256_and_pd(x.b, y.b)}; }
    static bool Any(M m) { return (_mm256_movemask_pd(m.a) | _mm256_movemask_pd(m.b)) != 0; }
    static V Select(M m, V x, V y) {
        return {_mm256_blendv_pd(y.a, x.a, m.a), _mm256_blendv_pd(y.b, x.b, m.b)};
    }
};

#include "game/grid_lanes.h"

}  // namespace

void StepGridNodesAvx(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                      const GridNodeRule& rule) {
    StepGridNodesLanes<AvxPairLanes>(begin, end, forces, forceCount, planar, rule);
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif
