#include "synth/curve.h"

namespace {
int32_t PlayableLength(const Curve& curve) { return curve.length < 1 ? 1 : curve.length; }
}  // namespace

void DeriveSlopes(Curve& curve) {
    int count = CurvePoints(curve);
    for (int i = 0; i + 1 < count; i++) {
        curve.slope[i] = 1.0f / (curve.x[i + 1] - curve.x[i] + CURVE_SEGMENT_PAD);
    }
}

float EvaluateCurve(const Curve& curve, float position) {
    int count = CurvePoints(curve);
    if (count < 2) return 0.0f;
    int i = 1;
    while (i < count && !(position < curve.x[i])) i++;
    if (i == count) return 0.0f;  // at or past the last point
    i -= 1;
    float a = (position - curve.x[i]) * curve.slope[i];
    return (1 - a) * curve.y[i] + a * curve.y[i + 1];
}

float HoldPosition(const Curve& curve) { return static_cast<float>(1 - 0.5 / PlayableLength(curve)); }

bool AdvanceEnvelope(float& position, const Curve& curve) {
    position += 1.0f / PlayableLength(curve);
    if (position < 1) return false;
    if (curve.loop) {
        position = position - (1 - curve.loopPoint);
        return false;
    }
    position = HoldPosition(curve);
    return true;
}
