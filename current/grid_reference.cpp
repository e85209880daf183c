#include "current/grid_reference.h"

#include "current/world.h"
#include "game/grid_plain.h"

namespace {

int NodeIndex(int row, int column) { return row * gridColumns + column; }

void SmoothVelocities() {
    int nodes = gridRows * gridColumns;
    for (int n = 0; n < nodes; ++n) gridVelScratch[n] = gridVel[n];
    for (int i = 1; i < gridRows - 1; ++i) {
        for (int j = 1; j < gridColumns - 1; ++j) {
            gridVel[NodeIndex(i, j)] =
                (gridVelScratch[NodeIndex(i, j)] * 6 + gridVelScratch[NodeIndex(i - 1, j - 1)] +
                 gridVelScratch[NodeIndex(i - 1, j + 1)] + gridVelScratch[NodeIndex(i + 1, j - 1)] +
                 gridVelScratch[NodeIndex(i + 1, j + 1)]) *
                0.1;
        }
    }
}

}  // namespace

void StepGridReference() {
    SmoothVelocities();
    StepGridNodesPlainly(
        gridForces, gridForceCount, [](const GridForce& f) { return static_cast<double>(f.ringStrength); },
        0.1f, 0.015f, 0.1f);
}
