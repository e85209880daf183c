#include "classic/grid_reference.h"

#include "classic/world.h"
#include "game/grid_plain.h"

namespace classic {

// A ring's strength falls with its radius alone: (100 − ring) / 70. The ring
// number is widened before it meets the float constant: int × float would round
// to float.
void StepGridReference() {
    StepGridNodesPlainly(
        gridForces, gridForceCount,
        [](const GridForce& f) { return static_cast<double>(100 - f.ring) * 0.014285714f; }, 0.07f, 0.02f,
        0.05f);
}

}  // namespace classic
