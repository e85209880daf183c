// The per-step terms of the node pass: each force's node-independent parts worked
// out once, and the test that lets the wide kernels leave z out.
#include "game/grid_terms.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "game/grid_tables.h"

namespace {

bool IsPositiveZero(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits == 0;
}

bool WithinPlanarLimit(double value) { return std::fabs(value) <= GRID_PLANAR_LIMIT; }

}  // namespace

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
