#pragma once
#include <cstdint>

#include "game/vector3.h"

// The node pass's per-step terms, shared by the grid step's kernels
// (game/grid_kernels.h) and both editions' grid steps, which run the same node pass
// with their own constants.

// One force with the parts that do not depend on the node worked out once per
// step. Each is computed exactly as the per-node rule would compute it, so hoisting
// changes no bit.
struct GridForceTerms {
    double x, y, z;           // force point
    double velX, velY, velZ;  // force velocity
    double push, drag;        // the floats widened
    bool ring;                // ring > 0
    double bandLow;           // ring × 0.5 − 3
    double bandHigh;          // ring × 0.5
    double strength;          // min(ringStrength, 1)
    bool still;               // push, drag and velocity all +0: a shockwave's ring
};

// The constants of the node rule: the ring's push per unit of strength, the pull
// back towards rest and the damping. Single-precision constants, widened.
struct GridNodeRule {
    double ringGain;
    double spring;
    double damping;
};

// A force's node-independent terms; strength is the ring's strength before the cap at 1.
GridForceTerms MakeGridForceTerms(const Vector3& pos, const Vector3& vel, int32_t ring, double strength,
                                  float push, float drag);

// Largest |x| or |y| of a node or force point for which GridStepIsPlanar holds: the
// difference of two such values is finite.
constexpr double GRID_PLANAR_LIMIT = 1e300;

// True when every z of this step is +0 and stays +0 bit for bit, and no term can
// be NaN: node positions, velocities and rest positions and the forces' points and
// velocities all have z = +0 (not −0), the x and y of node and force points are
// within ±GRID_PLANAR_LIMIT, and push, drag and ring strength are finite. The wide
// kernels then leave z out, and reduce a still force's push and drag (both zeros,
// with w in [0, 1] and a finite difference) to the one thing they do: adding +0.
// Call after the step's velocity smoothing.
bool GridStepIsPlanar(const GridForceTerms* terms, int count);
