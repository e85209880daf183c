#include "current/grid_reference.h"

#include <cmath>

#include "current/world.h"

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

Vector3 ApplyForce(const GridForce& f, const Vector3& p, Vector3 v) {
    double d = (f.pos - p).Length();
    double w = 1 / (d * d * d + 1);
    v += (p - f.pos) * w * f.push;
    v += f.vel * w * f.drag;
    if (f.ring > 0) {
        double r = f.ring * 0.5;
        float df = static_cast<float>(d);
        if (r - 3 < df && df < r) {
            double s = std::fmin(static_cast<double>(f.ringStrength), 1.0);
            v += Normalise(p - f.pos) * s * 0.1f;
        }
    }
    return v;
}

}  // namespace

void StepGridReference() {
    SmoothVelocities();
    for (int n = 0; n < gridNodeCount; ++n) {
        Vector3 v = gridVel[n];
        Vector3 p = gridPos[n];
        for (int k = 0; k < gridForceCount; ++k) v = ApplyForce(gridForces[k], p, v);
        v += (gridRestPos[n] - p) * 0.015f;
        v = v - v * 0.1f;
        p = p + v;
        gridPos[n] = p;
        gridVel[n] = v;
    }
}
