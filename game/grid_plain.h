#pragma once
#include <cmath>
#include <cstdint>

#include "game/grid_tables.h"
#include "game/vector3.h"

// The grid's node rule written the plain way, one node and one force at a time,
// exactly as the rules read: the yardstick that both editions' fast grid steps
// are compared against bit for bit and that the benchmarks time them against.

// One force on a node at p moving at v: a push from the force point and a drag
// along its velocity, both falling with distance, and for a ring, inside its band,
// a push outwards of strength (capped at 1) × ringGain.
inline Vector3 ApplyGridForcePlainly(const Vector3& forcePos, const Vector3& forceVel, float push, float drag,
                                     int32_t ring, double strength, double ringGain, const Vector3& p,
                                     Vector3 v) {
    double d = (forcePos - p).Length();
    double w = 1 / (d * d * d + 1);
    v += (p - forcePos) * w * push;
    v += forceVel * w * drag;
    if (ring > 0) {
        double r = ring * 0.5;
        // The band test works on the distance rounded to float, so a node on the
        // band's edge lands on the same side on every compiler.
        float df = static_cast<float>(d);
        if (r - 3 < df && df < r) v += Normalise(p - forcePos) * std::fmin(strength, 1.0) * ringGain;
    }
    return v;
}

// Every node of the shared grid under forces[0, count) (`strength(force)` gives a
// force's ring strength), then pulled back to rest by `spring`, damped and moved.
template <typename Force, typename Strength>
void StepGridNodesPlainly(const Force* forces, int count, Strength strength, double ringGain, double spring,
                          double damping) {
    for (int n = 0; n < gridNodeCount; ++n) {
        Vector3 v = gridVel[n];
        Vector3 p = gridPos[n];
        for (int k = 0; k < count; ++k) {
            const Force& f = forces[k];
            v = ApplyGridForcePlainly(f.pos, f.vel, f.push, f.drag, f.ring, strength(f), ringGain, p, v);
        }
        v += (gridRestPos[n] - p) * spring;
        v = v - v * damping;
        p = p + v;
        gridPos[n] = p;
        gridVel[n] = v;
    }
}
