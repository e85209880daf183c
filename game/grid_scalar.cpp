// The node rule for one node, scalar, with its per-force terms hoisted.
#include "game/grid_scalar.h"

#include "game/grid_tables.h"

void StepGridNodeScalar(int n, const GridForceTerms* forces, int forceCount, const GridNodeRule& rule) {
    Vector3 v = gridVel[n];
    Vector3 p = gridPos[n];
    for (int k = 0; k < forceCount; ++k) {
        const GridForceTerms& f = forces[k];
        Vector3 e = {p.x - f.x, p.y - f.y, p.z - f.z};
        double d = e.Length();
        double w = 1 / (d * d * d + 1);
        v += e * w * f.push;
        v += Vector3(f.velX, f.velY, f.velZ) * w * f.drag;
        if (!f.ring) continue;
        float df = static_cast<float>(d);
        if (f.bandLow < df && df < f.bandHigh) {
            Vector3 unit = d < NORMALISE_MIN_LENGTH ? Vector3(1, 0, 0) : Vector3(e.x / d, e.y / d, e.z / d);
            v += unit * f.strength * rule.ringGain;
        }
    }
    v += (gridRestPos[n] - p) * rule.spring;
    v = v - v * rule.damping;
    gridPos[n] = p + v;
    gridVel[n] = v;
}
