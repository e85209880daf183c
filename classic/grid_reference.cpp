#include "classic/grid_reference.h"

#include <cmath>

#include "classic/world.h"
#include "game/grid_tables.h"

namespace classic {

namespace {

// A ring's strength falls with its radius alone: (100 − ring) / 70, capped at 1.
// The ring number is widened before it meets the float constant: int × float
// would round to float.
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
            double s = std::fmin(static_cast<double>(100 - f.ring) * 0.014285714f, 1.0);
            v += Normalise(p - f.pos) * s * 0.07f;
        }
    }
    return v;
}

}  // namespace

void StepGridReference() {
    for (int n = 0; n < ::gridNodeCount; ++n) {
        Vector3 v = ::gridVel[n];
        Vector3 p = ::gridPos[n];
        for (int k = 0; k < gridForceCount; ++k) v = ApplyForce(gridForces[k], p, v);
        v += (::gridRestPos[n] - p) * 0.02f;
        v = v - v * 0.05f;
        p = p + v;
        ::gridPos[n] = p;
        ::gridVel[n] = v;
    }
}

}  // namespace classic
