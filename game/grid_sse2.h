#pragma once
#include "game/grid_terms.h"

// Forces, spring, damping and move for nodes [begin, end), two at a time with SSE2,
// the rest through StepGridNodeScalar. `planar` as GridStepIsPlanar says.
void StepGridNodesSse2(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                       const GridNodeRule& rule);
