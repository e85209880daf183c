#include "game/grid.h"

#include <cstdint>
#include <cstring>

#include "game/grid_kernels.h"
#include "game/grid_terms.h"
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
            gridTriangles[gridTriangleCount++] = {
                {NodeIndex(i, j - 1), NodeIndex(i + 1, j - 1), NodeIndex(i + 1, j)}};
            gridTriangles[gridTriangleCount++] = {
                {NodeIndex(i + 1, j), NodeIndex(i, j), NodeIndex(i, j - 1)}};
        }
    }
}

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
        const int first = 3 * NodeIndex(i, 1);
        for (int k = first; k < first + runLength; ++k) {
            vel[k] = (scratch[k] * 6 + scratch[k - up - 3] + scratch[k - up + 3] + scratch[k + up - 3] +
                      scratch[k + up + 3]) *
                     0.1;
        }
    }
}

}  // namespace

void BuildGrid() {
    BuildNodes();
    BuildTriangles();
}

void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength, float push,
                  float drag) {
    AppendGridForce(gridForces, gridForceCount, GRID_FORCE_CAPACITY,
                    {pos, vel, push, drag, ring, ringStrength});
}

void StepGrid() {
    SmoothGridVelocities();
    int forceCount = gridForceCount < GRID_FORCE_CAPACITY ? gridForceCount : GRID_FORCE_CAPACITY;
    // Static: the step allocates nothing.
    static GridForceTerms terms[GRID_FORCE_CAPACITY];
    PrepareGridForceTerms(terms, forceCount);
    StepGridNodes(terms, forceCount, CURRENT_GRID_RULE);
}
