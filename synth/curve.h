#pragma once
#include "synth/instrument.h"

// Breakpoint-curve arithmetic shared by the file loader (slopes) and the voices
// (envelopes, waveforms). All of it single precision, as the records are.

// Width added to every segment so coincident points never divide by zero.
constexpr float CURVE_SEGMENT_PAD = 0.0078125f;  // 1/128

// slope[i] = 1 / (x[i+1] - x[i] + 1/128) for i = 0 .. count-2; later entries are
// left as they are. A count beyond the arrays is treated as full.
void DeriveSlopes(Curve& curve);

// Value of the curve at position p: linear along the segment p falls in, 0 at or
// past the last point and for curves of fewer than two points. A position before
// the first point extrapolates along the first segment.
float EvaluateCurve(const Curve& curve, float position);

// One control tick along an envelope: pos += 1/length; at the end of a pass a
// looping curve returns towards its loop point, any other holds just short of
// its end. Returns true when the pass ended without looping (the hold case).
// A length below 1 (never in a valid file) counts as 1 so the position stays finite.
bool AdvanceEnvelope(float& position, const Curve& curve);

// The hold position of a curve: 1 - 0.5/length.
float HoldPosition(const Curve& curve);

// Number of points that fit the arrays: count clamped to 0..100.
inline int CurvePoints(const Curve& curve) {
    if (curve.count < 0) return 0;
    return curve.count > CURVE_MAX_POINTS ? CURVE_MAX_POINTS : curve.count;
}
