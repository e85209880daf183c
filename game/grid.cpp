#include "game/grid.h"

#include <cmath>

#include "game/world.h"

namespace {

int NodeIndex(int row, int column) { return row * gridColumns + column; }

void BuildNodes() {
    gridNodeCount = 0;
    for (int row = 0; row < gridRows; ++row) {
        for (int column = 0; column < gridColumns; ++column) {
            int n = gridNodeCount;
            gridRestPos[n] = {column - gridColumns * 0.5 + 0.5, row - gridRows * 0.5 + 0.5, 0};
            // The grid texture repeats every two cells.
            gridTexCoord[n] = {static_cast<float>(column * 0.5), static_cast<float>(row * 0.5)};
            gridPos[n] = gridRestPos[n];
            gridNodeCount += 1;
        }
    }
}

// Two triangles per cell, sharing the diagonal from (i, j-1) to (i+1, j).
void BuildTriangles() {
    gridTriangleCount = 0;
    for (int i = 0; i < gridRows - 1; ++i) {
        for (int j = 1; j < gridColumns; ++j) {
            gridTriangles[gridTriangleCount++] = {{NodeIndex(i, j - 1), NodeIndex(i + 1, j - 1),
                                                   NodeIndex(i + 1, j)}};
            gridTriangles[gridTriangleCount++] = {{NodeIndex(i + 1, j), NodeIndex(i, j),
                                                   NodeIndex(i, j - 1)}};
        }
    }
}

// Jacobi pass over the interior: reads only the copy, so the result does not
// depend on the visiting order. The neighbours are the diagonal ones.
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
        // The band test works on the distance rounded to float, so a node on the
        // band's edge lands on the same side on every compiler.
        float df = static_cast<float>(d);
        if (r - 3 < df && df < r) {
            double s = std::fmin(static_cast<double>(f.ringStrength), 1.0);
            v += Normalise(p - f.pos) * s * 0.1f;
        }
    }
    return v;
}

}  // namespace

void BuildGrid() {
    BuildNodes();
    BuildTriangles();
}

void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength,
                  float push, float drag) {
    if (gridForceCount >= GRID_FORCE_CAPACITY) return;
    GridForce& f = gridForces[gridForceCount];
    f.pos = pos;
    f.vel = vel;
    f.ring = ring;
    f.ringStrength = ringStrength;
    f.push = push;
    f.drag = drag;
    gridForceCount += 1;
}

void StepGrid() {
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
