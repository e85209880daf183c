#include "classic/grid.h"

#include "classic/world.h"
#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/grid_terms.h"

namespace classic {

namespace {

// No smoothing pass; a ring whose strength falls with its radius alone, a softer
// ring push, a stiffer spring and lighter damping than the current edition's.
constexpr GridNodeRule CLASSIC_GRID_RULE = {0.07f, 0.02f, 0.05f};

// (100 − ring) / 70, written as the product with the float 1/70. The ring number
// is widened before it meets the float constant: int × float would round to float.
double RingStrength(int32_t ring) { return static_cast<double>(100 - ring) * 0.014285714f; }

}  // namespace

void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float push, float drag) {
    AppendGridForce(gridForces, gridForceCount, GRID_FORCE_CAPACITY, {pos, vel, push, drag, ring});
}

// The shared node pass (two or eight nodes at a time where the processor allows)
// gives the same bits as the plain step in classic/grid_reference.cpp.
void StepGrid() {
    int forceCount = gridForceCount < GRID_FORCE_CAPACITY ? gridForceCount : GRID_FORCE_CAPACITY;
    // Static: the step allocates nothing.
    static GridForceTerms terms[GRID_FORCE_CAPACITY];
    for (int k = 0; k < forceCount; ++k) {
        const GridForce& f = gridForces[k];
        terms[k] = MakeGridForceTerms(f.pos, f.vel, f.ring, RingStrength(f.ring), f.push, f.drag);
    }
    StepGridNodes(terms, forceCount, CLASSIC_GRID_RULE);
}

}  // namespace classic
