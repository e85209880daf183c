#pragma once
#include "game/grid_terms.h"

// The grid step's node pass comes in several builds that give the same bits: a
// scalar one, and ones that run two (SSE2) or four (AVX) nodes side by side, each
// lane doing exactly the scalar operations in the scalar order. StepGrid picks the
// widest the processor offers; tests and benchmarks may pin one.
enum class GridKernel { Scalar, Sse2, Avx };

// Whether this processor (and its operating system) can run the kernel.
bool GridKernelSupported(GridKernel kernel);

// Makes StepGrid use `kernel`; false, changing nothing, when it is not supported.
bool UseGridKernel(GridKernel kernel);

// The kernel StepGrid uses now.
GridKernel ActiveGridKernel();

// "scalar", "sse2" or "avx".
const char* GridKernelName(GridKernel kernel);

// Forces, spring, damping and move for every node, with the active kernel; with no
// forces, spring, damping and move alone. Allocates nothing.
void StepGridNodes(const GridForceTerms* forces, int forceCount, const GridNodeRule& rule);
