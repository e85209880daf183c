#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "synth/curve.h"
#include "synth/note_table.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/voices.h"
#include "tests/synth/zonder_bytes.h"

namespace {
std::vector<float> Render(int samples) {
    std::vector<float> out(samples > 0 ? samples : 1);
    RenderAudio(out.data(), samples);
    out.resize(samples);
    return out;
}

// After the first sample of a reset player a control tick has just run; each
// further 44 samples end with the next one.
void RunTicks(int ticks) { Render(CONTROL_TICK_SAMPLES * ticks); }

class Voices : public testing::Test {
protected:
    void SetUp() override {
        ResetPlayerState();
        Render(1);  // the first control tick
    }
};
}  // namespace

TEST(NoteTable, FollowsTheSemitoneRatioFrom27AndAHalfHertz) {
    FillNoteTable();
    EXPECT_NEAR(NoteTable[0] * 44100.0, 27.5, 1e-4);
    EXPECT_NEAR(NoteTable[48] * 44100.0, 440.0, 2e-3);
    EXPECT_NEAR(NoteTable[119], 0.6027, 1e-4);
    for (int n = 1; n < NOTE_COUNT; n++) EXPECT_NEAR(NoteTable[n] / NoteTable[n - 1], 1.0594631, 1e-6);
}

TEST(Curves, EvaluatesSegmentsAndEnds) {
    Curve c = CurveOf(4, {{0.25f, 0}, {0.5f, 1}, {1, 0}});
    EXPECT_EQ(EvaluateCurve(c, 1.0f), 0.0f);  // at the last point
    EXPECT_EQ(EvaluateCurve(c, 1.5f), 0.0f);
    EXPECT_NEAR(EvaluateCurve(c, 0.375f), 0.5 * 0.25 / (0.25 + 1.0 / 128), 1e-6);
    EXPECT_LT(EvaluateCurve(c, 0.0f), 0.0f);  // before the first point: extrapolated
    EXPECT_EQ(EvaluateCurve(CurveOf(4, {{0, 1}}), 0.5f), 0.0f);
    Curve tooMany = c;
    tooMany.count = 5000;  // never from a file; must not read past the arrays
    EXPECT_TRUE(std::isfinite(EvaluateCurve(tooMany, 0.9f)));
}

TEST(Curves, EnvelopeLoopsOrHolds) {
    Curve looping = CurveOf(4, {{0, 0}, {1, 1}}, true, 0);
    float pos = 0;
    std::vector<float> seen;
    for (int i = 0; i < 5; i++) {
        EXPECT_FALSE(AdvanceEnvelope(pos, looping));
        seen.push_back(pos);
    }
    EXPECT_EQ(seen, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.0f, 0.25f}));
    Curve holding = CurveOf(4, {{0, 0}, {1, 1}});
    pos = 0.75f;
    EXPECT_TRUE(AdvanceEnvelope(pos, holding));
    EXPECT_EQ(pos, 0.875f);
    Curve hundred = CurveOf(100, {{0, 0}, {1, 1}});
    pos = 0;
    int ticks = 1;
    while (!AdvanceEnvelope(pos, hundred)) ticks++;
    EXPECT_EQ(ticks, 101);  // single-precision sums of 1/100
}

TEST_F(Voices, SilenceIsExactlyZero) {
    for (float s : Render(5000)) ASSERT_EQ(s, 0.0f);
}

TEST(VoiceSample, TwoPointSawtoothFallsShortOfItsPeak) {
    Voice v{};
    v.wave = CurveOf(1, {{0, 0}, {1, 1}});
    v.level = 1;
    v.oscPhase = 0.25f;
    v.phaseInc = 0.25f;
    EXPECT_NEAR(VoiceSample(v), -0.007752, 1e-6);  // value 0.496124 at phase 0.5
    v.oscPhase = 0.9999f;
    v.phaseInc = 0;
    EXPECT_NEAR(VoiceSample(v), 0.984496, 1e-3);
    v.level = 0.5f;
    v.fadeCount = 15;  // fading out: half gain
    v.oscPhase = 0.25f;
    v.phaseInc = 0.25f;
    EXPECT_NEAR(VoiceSample(v), -0.007752 * 0.5 * 0.5, 1e-6);
    v.fadeCount = 9;  // fading in: 0.1
    v.oscPhase = 0.25f;
    EXPECT_NEAR(VoiceSample(v), -0.007752 * 0.5 * 0.1, 1e-6);
}

TEST_F(Voices, SumIsWrittenUnclamped) {
    Instrument loud = SustainedSaw(0.0f);  // pitch 0: the oscillator stands still
    loud.shapeA = loud.shapeB = CurveOf(1, {{0, 1}, {1, 1}});
    for (int v = 0; v < VOICE_COUNT; v++) TriggerNote(&loud, 10, v);
    RunTicks(1);
    float sample = Render(1)[0];
    EXPECT_GT(sample, 1.0f);
    EXPECT_NEAR(sample, 0.4 + 5 * 0.2, 0.02);
}

TEST_F(Voices, OneShotOfLengthFourEndsInItsFourthTick) {
    Instrument shot = SustainedSaw();
    shot.oneShot = 1;
    shot.amp = CurveOf(4, {{0, 1}, {1, 1}});
    TriggerNote(&shot, 48, 1);
    Render(43);  // the request lands, no tick yet
    EXPECT_FALSE(liveVoices[1].active);
    EXPECT_TRUE(liveVoices[1].pending);
    for (float expected : {0.25f, 0.5f, 0.75f}) {
        RunTicks(1);
        ASSERT_TRUE(liveVoices[1].active);
        EXPECT_EQ(liveVoices[1].ampPos, expected);
    }
    RunTicks(1);
    EXPECT_FALSE(liveVoices[1].active);
}

TEST_F(Voices, IdleVoiceSoundsFromTheNextTickWithoutFade) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 48, 2);
    RunTicks(1);
    EXPECT_TRUE(liveVoices[2].active);
    EXPECT_EQ(liveVoices[2].fadeCount, 0);
    EXPECT_EQ(liveVoices[2].note, 48);
    EXPECT_FLOAT_EQ(liveVoices[2].level, 0.2f);
}

TEST_F(Voices, LoopingAndHoldingAmpEnvelopes) {
    Instrument looping = SustainedSaw();
    looping.amp = CurveOf(4, {{0, 1}, {1, 1}}, true, 0);
    Instrument holding = SustainedSaw();
    holding.amp = CurveOf(4, {{0, 1}, {1, 1}});
    TriggerNote(&looping, 40, 3);
    TriggerNote(&holding, 40, 4);
    std::vector<float> loopSeen, holdSeen;
    for (int i = 0; i < 6; i++) {
        RunTicks(1);
        loopSeen.push_back(liveVoices[3].ampPos);
        holdSeen.push_back(liveVoices[4].ampPos);
    }
    EXPECT_EQ(loopSeen, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.0f, 0.25f, 0.5f}));
    EXPECT_EQ(holdSeen, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.875f, 0.875f, 0.875f}));
    EXPECT_TRUE(liveVoices[4].active);
}

TEST_F(Voices, ArpeggioStepsByItsSpeed) {
    struct Case {
        int speed;
        int ticksPerStep;  // 0: never steps
    };
    for (Case c : {Case{104, 2}, Case{0, 210}, Case{105, 0}}) {
        ResetPlayerState();
        Render(1);
        Instrument arp = SustainedSaw();
        arp.arpCount = 3;
        arp.arpSpeed = c.speed;
        arp.arpOffsets[1] = 4;
        arp.arpOffsets[2] = 7;
        TriggerNote(&arp, 48, 1);
        int firstStep = 0;
        for (int tick = 1; tick <= 500 && !firstStep; tick++) {
            RunTicks(1);
            if (liveVoices[1].arpIndex == 1) firstStep = tick;
        }
        EXPECT_EQ(firstStep, c.ticksPerStep) << c.speed;
        if (c.ticksPerStep) {
            EXPECT_NEAR(liveVoices[1].phaseInc, NoteTable[52], 1e-6);
            RunTicks(2 * c.ticksPerStep);  // two more steps wrap back to offset 0
            EXPECT_EQ(liveVoices[1].arpIndex, 0);
        }
    }
}

TEST_F(Voices, PitchCurveHalfIsTheTableNoteAndOneIsAnOctaveUp) {
    Instrument base = SustainedSaw(0.5f), octave = SustainedSaw(1.0f), still = SustainedSaw(0.0f);
    TriggerNote(&base, 30, 1);
    TriggerNote(&octave, 30, 2);
    TriggerNote(&still, 30, 3);
    RunTicks(1);
    EXPECT_NEAR(liveVoices[1].phaseInc, NoteTable[30], 1e-7);
    EXPECT_NEAR(liveVoices[2].phaseInc / liveVoices[1].phaseInc, 2.0, 1e-6);
    EXPECT_EQ(liveVoices[3].phaseInc, 0.0f);
}

namespace {
// Ticks until the live voice plays `note`, at most `limit`; 0 if it never does.
int TicksUntilNote(int voice, int note, int limit) {
    for (int tick = 1; tick <= limit; tick++) {
        RunTicks(1);
        if (liveVoices[voice].note == note) return tick;
    }
    return 0;
}
}  // namespace

TEST_F(Voices, CrossfadeHandsOverAtNineThenFadesIn) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(3);
    TriggerNote(&lead, 50, 1);
    EXPECT_EQ(TicksUntilNote(1, 50, 30), 11);  // ten ticks of fade-out, then the hand-over
    EXPECT_EQ(liveVoices[1].fadeCount, FADE_HANDOVER);
    RunTicks(8);
    EXPECT_EQ(liveVoices[1].fadeCount, 1);
    RunTicks(1);
    EXPECT_EQ(liveVoices[1].fadeCount, 0);
    EXPECT_TRUE(liveVoices[1].active);
}

TEST_F(Voices, TriggerDuringFadeOutReplacesTheStagedNote) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(3);
    TriggerNote(&lead, 50, 1);
    RunTicks(4);
    TriggerNote(&lead, 55, 1);
    EXPECT_EQ(TicksUntilNote(1, 55, 30), 7);  // still 11 ticks after the first trigger
}

TEST_F(Voices, TriggerDuringFadeInIsNeverHeard) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(3);
    TriggerNote(&lead, 50, 1);
    ASSERT_EQ(TicksUntilNote(1, 50, 30), 11);
    RunTicks(2);
    TriggerNote(&lead, 55, 1);
    EXPECT_EQ(TicksUntilNote(1, 55, 40), 0);
    EXPECT_EQ(liveVoices[1].fadeCount, 0);
    EXPECT_TRUE(liveVoices[1].active);
}

TEST_F(Voices, ReleaseRunsTheReleaseCurveToItsEnd) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(2);
    ReleaseNote(1);
    RunTicks(1);
    EXPECT_FLOAT_EQ(liveVoices[1].releasePos, 0.251f);
    ReleaseNote(1);  // already releasing: kept
    RunTicks(2);
    EXPECT_FLOAT_EQ(liveVoices[1].releasePos, 0.751f);
    EXPECT_TRUE(liveVoices[1].active);
    RunTicks(1);
    EXPECT_FALSE(liveVoices[1].active);
}

TEST_F(Voices, ReleaseOfOneShotOrIdleVoiceChangesNothing) {
    Instrument shot = SustainedSaw();
    shot.oneShot = 1;
    TriggerNote(&shot, 40, 1);
    RunTicks(2);
    Voice before = liveVoices[1];
    Voice idleBefore = liveVoices[2];
    ReleaseNote(1);
    ReleaseNote(2);
    Render(1);
    EXPECT_EQ(std::memcmp(&liveVoices[2], &idleBefore, sizeof(Voice)), 0);
    EXPECT_EQ(liveVoices[1].releasePos, 0.0f);
    EXPECT_EQ(liveVoices[1].ampPos, before.ampPos);
}

TEST_F(Voices, ReleaseDuringFadeOutDropsTheStagedNote) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(2);
    TriggerNote(&lead, 50, 1);
    RunTicks(2);
    ReleaseNote(1);
    Render(1);
    EXPECT_EQ(liveVoices[1].fadeCount, 0);
    EXPECT_GT(liveVoices[1].releasePos, 0.0f);
    EXPECT_EQ(TicksUntilNote(1, 50, 20), 0);
}

TEST_F(Voices, ReleaseDuringFadeInReleasesTheNewNoteAtFullGain) {
    Instrument lead = SustainedSaw();
    TriggerNote(&lead, 40, 1);
    RunTicks(2);
    TriggerNote(&lead, 50, 1);
    ASSERT_EQ(TicksUntilNote(1, 50, 30), 11);
    ReleaseNote(1);
    Render(1);
    EXPECT_EQ(liveVoices[1].fadeCount, 0);
    EXPECT_FLOAT_EQ(liveVoices[1].releasePos, 0.001f);
    EXPECT_EQ(liveVoices[1].note, 50);
}

namespace {
// Voices 0..2 play what is given, voice 5 a sound note; returns the output
// and leaves the voices as they ended.
std::vector<float> RenderWithNeighbours(const Instrument* a, const Instrument* b, const Instrument* c) {
    static Instrument lead = SustainedSaw();
    ResetPlayerState();
    TriggerNote(&lead, 45, 5);
    if (a) TriggerNote(a, 119, 0);
    if (b) TriggerNote(b, 60, 1);
    if (c) TriggerNote(c, 10, 2);
    return Render(20000);
}
}  // namespace

TEST(VoiceLimits, EmptyInstrumentIsSilentAndLeavesOtherVoicesAlone) {
    static const Instrument empty{};
    std::vector<float> alone = RenderWithNeighbours(nullptr, nullptr, nullptr);
    Voice neighbour = liveVoices[5];
    std::vector<float> withEmpty = RenderWithNeighbours(&empty, nullptr, &empty);
    EXPECT_EQ(alone, withEmpty);
    EXPECT_EQ(std::memcmp(&liveVoices[5], &neighbour, sizeof(Voice)), 0);
    // TriggerNote with a null instrument (a slot never loaded) is the same.
    ResetPlayerState();
    TriggerNote(nullptr, 60, 1);
    for (float s : Render(3000)) ASSERT_EQ(s, 0.0f);
    EXPECT_TRUE(liveVoices[1].active);
}

TEST(VoiceLimits, OutOfLimitInstrumentsStayInsideTheirVoice) {
    Instrument fast = SustainedSaw(1.0f);  // note 119 an octave up: a step of 1.2 per sample
    Instrument shortShape = SustainedSaw();
    shortShape.shapeA = shortShape.shapeB = CurveOf(1, {{0, 0}, {0.5f, 1}});  // ends before 1
    shortShape.amp.length = 0;
    shortShape.pitch.length = -3;
    shortShape.morph.count = 0;
    Instrument odd = SustainedSaw();
    odd.shapeB = CurveOf(1, {{0, 1}});  // a different count from shapeA
    odd.shapeA.count = 300;             // never from a file
    odd.arpCount = 50;
    odd.arpSpeed = 104;
    odd.release.length = 0;
    std::vector<float> alone = RenderWithNeighbours(nullptr, nullptr, nullptr);
    Voice neighbour = liveVoices[5];
    std::vector<float> mixed = RenderWithNeighbours(&fast, &shortShape, &odd);
    ReleaseNote(2);
    Render(5000);
    for (float s : mixed) ASSERT_TRUE(std::isfinite(s));
    RenderWithNeighbours(&fast, &shortShape, &odd);
    EXPECT_EQ(std::memcmp(&liveVoices[5], &neighbour, sizeof(Voice)), 0);
    for (int v = 0; v < 3; v++) {
        EXPECT_GE(liveVoices[v].segment, 0);
        EXPECT_LE(liveVoices[v].segment, CURVE_MAX_POINTS - 2);
        EXPECT_LT(liveVoices[v].oscPhase, 1.0f);
    }
    EXPECT_NE(alone, mixed);
}

TEST_F(Voices, VoiceEndingDuringCrossfadeKeepsItsCountAndDropsTheStagedNote) {
    Instrument shot = SustainedSaw();
    shot.oneShot = 1;
    shot.amp = CurveOf(5, {{0, 1}, {1, 1}});
    TriggerNote(&shot, 40, 1);
    RunTicks(2);
    TriggerNote(&shot, 50, 1);  // fade-out starts at 20
    RunTicks(3);                // the old note ends in its fifth tick, at fadeCount 18
    EXPECT_FALSE(liveVoices[1].active);
    EXPECT_EQ(liveVoices[1].fadeCount, 18);
    RunTicks(10);
    EXPECT_FALSE(liveVoices[1].active);
    EXPECT_EQ(liveVoices[1].fadeCount, 18);
    EXPECT_EQ(liveVoices[1].note, 40);
    // The next trigger sounds at once and finishes the old crossfade's count.
    TriggerNote(&shot, 60, 1);
    RunTicks(1);
    EXPECT_TRUE(liveVoices[1].active);
    EXPECT_EQ(liveVoices[1].note, 60);
    EXPECT_EQ(liveVoices[1].fadeCount, 17);
}
