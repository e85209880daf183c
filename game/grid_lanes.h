#pragma once
// The grid's node pass written once for any lane width. Included only by the
// per-instruction-set files, after their target pragma, with a lane type L giving
// V (WIDTH doubles), M (a lane mask) and the operations used below. Every lane runs
// exactly the scalar rule of game/grid_scalar.cpp in its order: no fused
// multiply-add, no reassociation; sqrt, division and the rounding to float are
// correctly rounded per lane, so each lane's bits equal the scalar bits.

// L::LoadNodes(nodes, x, y, z) turns WIDTH consecutive Vector3 into one vector per
// component, and L::StoreNodes(nodes, x, y, z) writes them back; both only move bits.
//
// PLANAR: the caller has checked the conditions of GridStepIsPlanar (game/grid_terms.h),
// under which every z the rule computes is +0 and no term is NaN; then z is left
// out and written back as the +0 it would be.

template <class L, bool PLANAR>
void StepGridNodeLanes(int n, const GridForceTerms* forces, int forceCount, const GridNodeRule& rule) {
    using V = typename L::V;
    using M = typename L::M;
    V px, py, pz, vx, vy, vz;
    L::LoadNodes(gridPos + n, px, py, pz);
    L::LoadNodes(gridVel + n, vx, vy, vz);
    const V one = L::Set(1.0);
    const V gain = L::Set(rule.ringGain);
    for (int k = 0; k < forceCount; ++k) {
        const GridForceTerms& f = forces[k];
        // p − f.pos is the negation of f.pos − p bit for bit, so its squares give
        // the same distance, and one difference serves the push and the ring.
        V ex = L::Sub(px, L::Set(f.x));
        V ey = L::Sub(py, L::Set(f.y));
        V ez = PLANAR ? pz : L::Sub(pz, L::Set(f.z));
        V d;
        if (PLANAR && f.still) {
            // A ring's push and drag only turn a −0 velocity into +0.
            vx = L::Add(vx, L::Set(0.0));
            vy = L::Add(vy, L::Set(0.0));
            if (!f.ring) continue;
            d = L::Sqrt(L::Add(L::Mul(ex, ex), L::Mul(ey, ey)));
        } else {
            d = PLANAR ? L::Sqrt(L::Add(L::Mul(ex, ex), L::Mul(ey, ey)))
                       : L::Sqrt(L::Add(L::Add(L::Mul(ex, ex), L::Mul(ey, ey)), L::Mul(ez, ez)));
            V w = L::Div(one, L::Add(L::Mul(L::Mul(d, d), d), one));
            V push = L::Set(f.push);
            vx = L::Add(vx, L::Mul(L::Mul(ex, w), push));
            vy = L::Add(vy, L::Mul(L::Mul(ey, w), push));
            if (!PLANAR) vz = L::Add(vz, L::Mul(L::Mul(ez, w), push));
            V drag = L::Set(f.drag);
            vx = L::Add(vx, L::Mul(L::Mul(L::Set(f.velX), w), drag));
            vy = L::Add(vy, L::Mul(L::Mul(L::Set(f.velY), w), drag));
            if (!PLANAR) vz = L::Add(vz, L::Mul(L::Mul(L::Set(f.velZ), w), drag));
            if (!f.ring) continue;
        }
        V df = L::RoundToFloat(d);
        M band = L::And(L::Less(L::Set(f.bandLow), df), L::Less(df, L::Set(f.bandHigh)));
        if (!L::Any(band)) continue;
        // Normalise: (1, 0, 0) below its minimum length, else the difference over d.
        M tiny = L::Less(d, L::Set(NORMALISE_MIN_LENGTH));
        V nx = L::Select(tiny, one, L::Div(ex, d));
        V ny = L::Select(tiny, L::Set(0.0), L::Div(ey, d));
        V nz = PLANAR ? pz : L::Select(tiny, L::Set(0.0), L::Div(ez, d));
        V s = L::Set(f.strength);
        vx = L::Select(band, L::Add(vx, L::Mul(L::Mul(nx, s), gain)), vx);
        vy = L::Select(band, L::Add(vy, L::Mul(L::Mul(ny, s), gain)), vy);
        if (!PLANAR) vz = L::Select(band, L::Add(vz, L::Mul(L::Mul(nz, s), gain)), vz);
    }
    const V spring = L::Set(rule.spring);
    const V damping = L::Set(rule.damping);
    V rx, ry, rz;
    L::LoadNodes(gridRestPos + n, rx, ry, rz);
    vx = L::Add(vx, L::Mul(L::Sub(rx, px), spring));
    vy = L::Add(vy, L::Mul(L::Sub(ry, py), spring));
    vz = L::Add(vz, L::Mul(L::Sub(rz, pz), spring));
    vx = L::Sub(vx, L::Mul(vx, damping));
    vy = L::Sub(vy, L::Mul(vy, damping));
    vz = L::Sub(vz, L::Mul(vz, damping));
    L::StoreNodes(gridPos + n, L::Add(px, vx), L::Add(py, vy), L::Add(pz, vz));
    L::StoreNodes(gridVel + n, vx, vy, vz);
}

template <class L>
void StepGridNodesLanes(int begin, int end, const GridForceTerms* forces, int forceCount, bool planar,
                        const GridNodeRule& rule) {
    int n = begin;
    if (planar) {
        for (; n + L::WIDTH <= end; n += L::WIDTH) StepGridNodeLanes<L, true>(n, forces, forceCount, rule);
    } else {
        for (; n + L::WIDTH <= end; n += L::WIDTH) StepGridNodeLanes<L, false>(n, forces, forceCount, rule);
    }
    for (; n < end; ++n) StepGridNodeScalar(n, forces, forceCount, rule);
}
