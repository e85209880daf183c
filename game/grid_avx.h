#pragma once
#include "game/grid_terms.h"

// Forces, spring, damping and move for nodes [begin, end), eight at a time with AVX,
// the rest through StepGridNodeScalar. `planar` as GridStepIsPlanar says. Call only
// when GridKernelSupported(GridKernel::Avx).
void StepGridNodesAvx(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                      const GridNodeRule& rule);
