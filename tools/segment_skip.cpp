#include "tools/segment_skip.h"

#include <algorithm>

#include "synth/curve.h"
#include "synth/note_table.h"

namespace {

// Enough ticks for a held note's looping curves and arpeggio to have shown every
// combination they come to.
constexpr int HELD_PASSES = 4;
constexpr int MAX_TICKS = 200000;

int LongestCurve(const Instrument& ins) {
    int longest = 1;
    for (const Curve* c : {&ins.amp, &ins.pitch, &ins.morph})
        longest = std::max(longest, static_cast<int>(c->length));
    return longest;
}

// The first segment narrower than `step` that a step can jump, or -1. Segment j
// (1 .. count − 3) is skipped from just before its start when the step is wider than
// it; after a wrap the phase starts anywhere below `step`, so the first two segments
// together must be wider. The last segment ends the cycle: passing it is the wrap.
int SkippableSegment(const float* x, int count, double step, double& width) {
    if (count >= 3 && step > x[2] - x[0]) {
        width = x[2] - x[0];
        return 0;
    }
    for (int j = 1; j <= count - 3; ++j) {
        if (step > x[j + 1] - x[j]) {
            width = x[j + 1] - x[j];
            return j;
        }
    }
    return -1;
}

}  // namespace

bool FindSegmentSkip(const Instrument& ins, int note, SegmentSkip& skip) {
    // The voice's own envelope positions and arpeggio counters, from a fresh start.
    float ampPos = 0, pitchPos = 0, morphPos = 0;
    int arpIndex = 0, arpTicks = 0;
    const int ticks = ins.oneShot ? MAX_TICKS : std::min(MAX_TICKS, HELD_PASSES * LongestCurve(ins) + 1000);
    float x[CURVE_MAX_POINTS];
    for (int tick = 1; tick <= ticks; ++tick) {
        if (AdvanceEnvelope(ampPos, ins.amp) && ins.oneShot) return false;
        AdvanceEnvelope(pitchPos, ins.pitch);
        AdvanceEnvelope(morphPos, ins.morph);
        arpTicks += 1;
        if (arpTicks == (105 - ins.arpSpeed) * 2) {
            arpTicks = 0;
            arpIndex += 1;
            if (arpIndex >= ins.arpCount) arpIndex = 0;
        }
        const int offset = arpIndex >= 0 && arpIndex < ARPEGGIO_MAX ? ins.arpOffsets[arpIndex] : 0;
        const float step = 2 * EvaluateCurve(ins.pitch, pitchPos) * NoteStep(note + offset);

        int count = 0;
        if (ins.noise) {
            count = 21;  // a noise cycle: 20 equal segments
            for (int i = 0; i < count; ++i) x[i] = static_cast<float>(i * 0.05);
        } else {
            // The wave's points as the voice blends them (single precision, shapeA's count).
            const float m = EvaluateCurve(ins.morph, morphPos);
            count = CurvePoints(ins.shapeA);
            for (int i = 0; i < count; ++i) x[i] = (1 - m) * ins.shapeA.x[i] + m * ins.shapeB.x[i];
        }
        double width = 0;
        int segment = SkippableSegment(x, count, step, width);
        if (segment >= 0) {
            skip = {tick, note + offset, segment, step, width};
            return true;
        }
    }
    return false;
}
