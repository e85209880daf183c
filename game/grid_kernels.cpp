// The node pass: the spring-only pass of a step without forces, the choice of
// kernel and the dispatch to it. Only this file knows the kernels.
#include "game/grid_kernels.h"

#include "game/grid_avx.h"
#include "game/grid_scalar.h"
#include "game/grid_sse2.h"
#include "game/grid_tables.h"
#include "game/grid_terms.h"

namespace {

bool ProcessorHasAvx() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    // libgcc also checks that the operating system saves the AVX registers.
    return __builtin_cpu_supports("avx");
#else
    // WebAssembly has no AVX; its SIMD runs the SSE2 build.
    return false;
#endif
}

GridKernel WidestKernel() { return ProcessorHasAvx() ? GridKernel::Avx : GridKernel::Sse2; }

GridKernel activeKernel = WidestKernel();

// Spring, damping and move alone, for a step without forces. The three components
// follow the same rule, so the node tables are walked as one run of doubles.
void SpringNodes(const GridNodeRule& rule) {
    const double* rest = &gridRestPos[0].x;
    double* pos = &gridPos[0].x;
    double* vel = &gridVel[0].x;
    const int values = 3 * gridNodeCount;
    for (int k = 0; k < values; ++k) {
        double v = vel[k] + (rest[k] - pos[k]) * rule.spring;
        v = v - v * rule.damping;
        pos[k] = pos[k] + v;
        vel[k] = v;
    }
}

}  // namespace

bool GridKernelSupported(GridKernel kernel) { return kernel != GridKernel::Avx || ProcessorHasAvx(); }

bool UseGridKernel(GridKernel kernel) {
    if (!GridKernelSupported(kernel)) return false;
    activeKernel = kernel;
    return true;
}

GridKernel ActiveGridKernel() { return activeKernel; }

const char* GridKernelName(GridKernel kernel) {
    switch (kernel) {
        case GridKernel::Scalar:
            return "scalar";
        case GridKernel::Sse2:
            return "sse2";
        case GridKernel::Avx:
            return "avx";
    }
    return "?";
}

void StepGridNodes(const GridForceTerms* forces, int forceCount, const GridNodeRule& rule) {
    if (forceCount <= 0) {
        SpringNodes(rule);
        return;
    }
    switch (ActiveGridKernel()) {
        case GridKernel::Avx:
            StepGridNodesAvx(0, gridNodeCount, forces, forceCount, GridStepIsPlanar(forces, forceCount),
                             rule);
            break;
        case GridKernel::Sse2:
            StepGridNodesSse2(0, gridNodeCount, forces, forceCount, GridStepIsPlanar(forces, forceCount),
                              rule);
            break;
        case GridKernel::Scalar:
            for (int n = 0; n < gridNodeCount; ++n) StepGridNodeScalar(n, forces, forceCount, rule);
            break;
    }
}
