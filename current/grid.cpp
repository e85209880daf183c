#include "current/grid.h"

#include <cstring>

#include "current/world.h"
#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/grid_tables.h"
#include "game/grid_terms.h"

namespace {

// A ring's push per unit of strength, the pull back towards rest and the damping.
constexpr GridNodeRule CURRENT_GRID_RULE = {0.1f, 0.015f, 0.1f};

// Jacobi pass over the interior: reads only the copy, so the result does not
// depend on the visiting order. The neighbours are the diagonal ones. The three
// components follow the same rule, so a row's interior is one run of doubles and
// its four neighbours are the same run shifted by fixed offsets.
void SmoothGridVelocities() {
    int nodes = gridRows * gridColumns;
    if (nodes <= 0) return;
    std::memcpy(gridVelScratch, gridVel, sizeof(Vector3) * static_cast<size_t>(nodes));
    const double* scratch = &gridVelScratch[0].x;
    double* vel = &gridVel[0].x;
    const int up = 3 * gridColumns;
    const int runLength = 3 * (gridColumns - 2);
    for (int i = 1; i < gridRows - 1; ++i) {
        const int first = 3 * (i * gridColumns + 1);
        for (int k = first; k < first + runLength; ++k) {
            vel[k] = (scratch[k] * 6 + scratch[k - up - 3] + scratch[k - up + 3] + scratch[k + up - 3] +
                      scratch[k + up + 3]) *
                     0.1;
        }
    }
}

}  // namespace

void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength, float push,
                  float drag) {
    AppendGridForce(gridForces, gridForceCount, GRID_FORCE_CAPACITY,
                    {pos, vel, push, drag, ring, ringStrength});
}

void PrepareGridForceTerms(GridForceTerms* terms, int count) {
    for (int k = 0; k < count; ++k) {
        const GridForce& f = gridForces[k];
        terms[k] = MakeGridForceTerms(f.pos, f.vel, f.ring, f.ringStrength, f.push, f.drag);
    }
}

void StepGrid() {
    SmoothGridVelocities();
    int forceCount = gridForceCount < GRID_FORCE_CAPACITY ? gridForceCount : GRID_FORCE_CAPACITY;
    // Static: the step allocates nothing.
    static GridForceTerms terms[GRID_FORCE_CAPACITY];
    PrepareGridForceTerms(terms, forceCount);
    StepGridNodes(terms, forceCount, CURRENT_GRID_RULE);
}
