#pragma once
#include "game/grid_terms.h"

// Forces, spring, damping and move for node n alone, scalar: the rule every kernel
// gives the same bits as. The wide kernels use it for the nodes left over after the
// last full group of lanes.
void StepGridNodeScalar(int n, const GridForceTerms* forces, int forceCount, const GridNodeRule& rule);
