#include "game/grid.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "game/grid_kernels.h"
#include "game/grid_terms.h"
#include "game/world.h"

namespace {

int NodeIndex(int row, int column) { return row * gridColumns + column; }

bool IsPositiveZero(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits == 0;
}

bool WithinPlanarLimit(double value) { return std::fabs(value) <= GRID_PLANAR_LIMIT; }

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

}  // namespace

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

GridForceTerms MakeGridForceTerms(const Vector3& pos, const Vector3& vel, int32_t ring, double strength,
                                  float push, float drag) {
    GridForceTerms t;
    t.x = pos.x;
    t.y = pos.y;
    t.z = pos.z;
    t.velX = vel.x;
    t.velY = vel.y;
    t.velZ = vel.z;
    t.push = push;
    t.drag = drag;
    t.ring = ring > 0;
    double r = ring * 0.5;
    t.bandLow = r - 3;
    t.bandHigh = r;
    t.strength = std::fmin(strength, 1.0);
    t.still = IsPositiveZero(t.push) && IsPositiveZero(t.drag) && IsPositiveZero(t.velX) &&
              IsPositiveZero(t.velY) && IsPositiveZero(t.velZ);
    return t;
}

void PrepareGridForceTerms(GridForceTerms* terms, int count) {
    for (int k = 0; k < count; ++k) {
        const GridForce& f = gridForces[k];
        terms[k] = MakeGridForceTerms(f.pos, f.vel, f.ring, f.ringStrength, f.push, f.drag);
    }
}

// Why these conditions suffice: with every z at +0, p.z − f.z is +0, its square adds
// nothing to the distance, and each z term is a zero (the x and y differences are
// finite, so w lies in [0, 1] and is not NaN; push, drag and the strength are
// finite), and +0 plus any zero is +0. Spring, damping and the move keep +0 too.
// For a still force the push term is a zero (finite difference × w × +0) and the
// drag term is +0, and v + zero + (+0) is v + (+0) whatever the zero's sign.
bool GridStepIsPlanar(const GridForceTerms* terms, int count) {
    for (int k = 0; k < count; ++k) {
        const GridForceTerms& t = terms[k];
        if (!IsPositiveZero(t.z) || !IsPositiveZero(t.velZ)) return false;
        if (!WithinPlanarLimit(t.x) || !WithinPlanarLimit(t.y) || !std::isfinite(t.push) ||
            !std::isfinite(t.drag) || !std::isfinite(t.strength)) {
            return false;
        }
    }
    bool planar = true;
    for (int n = 0; n < gridNodeCount; ++n) {
        planar &= IsPositiveZero(gridPos[n].z) & IsPositiveZero(gridVel[n].z) &
                  IsPositiveZero(gridRestPos[n].z) & WithinPlanarLimit(gridPos[n].x) &
                  WithinPlanarLimit(gridPos[n].y);
    }
    return planar;
}

void BuildGrid() {
    BuildNodes();
    BuildTriangles();
}

void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength, float push,
                  float drag) {
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
    SmoothGridVelocities();
    int forceCount = gridForceCount < GRID_FORCE_CAPACITY ? gridForceCount : GRID_FORCE_CAPACITY;
    // Static: the step allocates nothing.
    static GridForceTerms terms[GRID_FORCE_CAPACITY];
    PrepareGridForceTerms(terms, forceCount);
    StepGridNodes(terms, forceCount, CURRENT_GRID_RULE);
}
