#include "synth/voices.h"

#include <atomic>
#include <cmath>
#include <initializer_list>

#include "synth/curve.h"
#include "synth/noise.h"
#include "synth/note_table.h"
#include "synth/voice_requests.h"

Voice liveVoices[VOICE_COUNT];
Voice stagedVoices[VOICE_COUNT];

namespace {
// What a missing instrument plays: no points anywhere, so level and pitch are 0.
const Instrument emptyInstrument{};

// The game side's view of each voice's requests not yet taken, and the sequence
// numbers; guarded by producerBusy, so any thread but the callback may request.
VoiceRequestSet requested[VOICE_COUNT];
uint64_t lastRequest = 0;
std::atomic_flag producerBusy = ATOMIC_FLAG_INIT;
VoiceMailbox mailboxes[VOICE_COUNT];
// Audio thread: the newest request of each voice it has run.
uint64_t lastRun[VOICE_COUNT];

bool ValidVoice(int voice) { return voice >= 0 && voice < VOICE_COUNT; }

// Folds one request into the voice's set and publishes the set. A trigger moves
// any release made so far before it and supersedes the trigger it replaces.
void Request(int voice, bool trigger, const Instrument* instrument, int note) {
    while (producerBusy.test_and_set(std::memory_order_acquire)) {
    }
    VoiceRequestSet& set = requested[voice];
    uint64_t sequence = ++lastRequest;
    if (trigger) {
        set.releaseBefore = set.releaseAfter > set.releaseBefore ? set.releaseAfter : set.releaseBefore;
        set.releaseAfter = 0;
        set.trigger = sequence;
        set.instrument = instrument;
        set.note = note;
    } else if (set.trigger != 0) {
        set.releaseAfter = sequence;
    } else {
        set.releaseBefore = sequence;
    }
    mailboxes[voice].Publish(set);
    producerBusy.clear(std::memory_order_release);
}

// The waveform of a noise voice for its next cycle: 20 random segments that
// continue from where the last cycle ended.
void BuildNoiseWave(Curve& wave) {
    wave.count = 21;
    wave.y[0] = wave.y[20];
    for (int i = 1; i <= 20; i++) {
        wave.x[i] = static_cast<float>(i * 0.05);
        int value = synthNoise.Next() * 256 / SYNTH_NOISE_MAX;
        wave.y[i] = static_cast<float>(value) / 255.0f;
    }
    DeriveSlopes(wave);
}

void BlendWave(Voice& voice) {
    const Curve& a = voice.instrument->shapeA;
    const Curve& b = voice.instrument->shapeB;
    float m = voice.morphValue;
    // shapeB is read at shapeA's count: both are 100-point records, so a shape
    // pair of different counts blends with stale points but stays inside them.
    int count = CurvePoints(a);
    voice.wave.count = count;
    for (int i = 0; i < count; i++) {
        voice.wave.x[i] = (1 - m) * a.x[i] + m * b.x[i];
        voice.wave.y[i] = (1 - m) * a.y[i] + m * b.y[i];
    }
    DeriveSlopes(voice.wave);
}

int ArpeggioOffset(const Voice& voice) {
    int index = voice.arpIndex;
    if (index < 0 || index >= ARPEGGIO_MAX) index = 0;
    return voice.instrument->arpOffsets[index];
}

void ControlTick(int v) {
    Voice& voice = liveVoices[v];
    if (voice.pending) {
        if (!voice.active) voice = stagedVoices[v];
        voice.active = 1;
        voice.pending = 0;
    }
    if (!voice.active) return;
    if (!voice.instrument) voice.instrument = &emptyInstrument;
    const Instrument& instrument = *voice.instrument;

    if (AdvanceEnvelope(voice.ampPos, instrument.amp) && voice.oneShot) {
        voice.active = 0;
        return;
    }
    AdvanceEnvelope(voice.pitchPos, instrument.pitch);
    AdvanceEnvelope(voice.morphPos, instrument.morph);

    // Equality, not >=: a speed of 105 or more never steps.
    voice.arpTicks += 1;
    if (voice.arpTicks == (105 - instrument.arpSpeed) * 2) {
        voice.arpTicks = 0;
        voice.arpIndex += 1;
        if (voice.arpIndex >= instrument.arpCount) voice.arpIndex = 0;
    }

    voice.level = EvaluateCurve(instrument.amp, voice.ampPos) * voice.gain;
    voice.phaseInc =
        2 * EvaluateCurve(instrument.pitch, voice.pitchPos) * NoteStep(voice.note + ArpeggioOffset(voice));
    voice.morphValue = EvaluateCurve(instrument.morph, voice.morphPos);

    if (voice.releasePos > 0) {
        if (voice.fadeCount == 0) {
            voice.releasePos += 1.0f / (instrument.release.length < 1 ? 1 : instrument.release.length);
            if (voice.releasePos >= 1) {
                voice.active = 0;
                return;
            }
        } else if (voice.releasePos >= 1) {
            // A crossfade holds the release where it is.
            voice.releasePos = HoldPosition(instrument.release);
        }
        voice.level = EvaluateCurve(instrument.release, voice.releasePos) * voice.level;
    }

    if (!voice.noise) BlendWave(voice);

    if (voice.fadeCount > 0) {
        voice.fadeCount -= 1;
        if (voice.fadeCount == FADE_HANDOVER) {
            voice = stagedVoices[v];
            voice.fadeCount = FADE_HANDOVER;
        }
    }
}
}  // namespace

void StartNote(const Instrument* instrument, int note, int voice) {
    if (!ValidVoice(voice)) return;
    if (!instrument) instrument = &emptyInstrument;
    Voice& live = liveVoices[voice];
    Voice& staged = stagedVoices[voice];
    bool wasActive = live.active;
    staged = live;
    if (live.active && live.fadeCount == 0) live.fadeCount = FADE_START;
    // Gain, level, wave, morphValue and phaseInc travel unchanged: the new note
    // starts with the old one's waveform and step until its first control tick.
    staged.pending = 1;
    staged.note = note;
    staged.oscPhase = 0;
    staged.segment = 0;
    staged.ampPos = staged.releasePos = staged.pitchPos = staged.morphPos = 0;
    staged.arpIndex = staged.arpTicks = 0;
    staged.oneShot = instrument->oneShot;
    staged.noise = instrument->noise;
    staged.instrument = instrument;
    if (!wasActive) live = staged;
}

void StopNote(int voice) {
    if (!ValidVoice(voice)) return;
    Voice& live = liveVoices[voice];
    // A voice already releasing keeps its release unless a crossfade runs.
    if (!live.oneShot && live.active && (live.releasePos == 0 || live.fadeCount != 0)) {
        live.releasePos = 0.001f;
        live.fadeCount = 0;
    }
}

void TriggerNote(const Instrument* instrument, int note, int voice) {
    if (!ValidVoice(voice)) return;
    Request(voice, true, instrument, note);
}

void ReleaseNote(int voice) {
    if (!ValidVoice(voice)) return;
    Request(voice, false, nullptr, 0);
}

void DrainVoiceRequests() {
    for (int v = 0; v < VOICE_COUNT; v++) {
        VoiceRequestSet set;
        if (!mailboxes[v].Take(set)) continue;
        uint64_t done = lastRun[v];
        if (set.releaseBefore > done) StopNote(v);
        if (set.trigger > done) StartNote(set.instrument, set.note, v);
        if (set.releaseAfter > done) StopNote(v);
        for (uint64_t sequence : {set.releaseBefore, set.trigger, set.releaseAfter}) {
            if (sequence > lastRun[v]) lastRun[v] = sequence;
        }
    }
}

void ResetVoices() {
    for (int v = 0; v < VOICE_COUNT; v++) {
        requested[v] = {};
        mailboxes[v].Clear();
        lastRun[v] = 0;
    }
    lastRequest = 0;
    for (int v = 0; v < VOICE_COUNT; v++) {
        liveVoices[v] = Voice{};
        liveVoices[v].gain = v == 0 ? VOICE_GAIN_LOUD : VOICE_GAIN;
        stagedVoices[v] = Voice{};
    }
}

void VoiceControlTick() {
    for (int v = 0; v < VOICE_COUNT; v++) ControlTick(v);
}

float VoiceSample(Voice& voice) {
    voice.oscPhase += voice.phaseInc;
    if (voice.oscPhase >= 1) {
        voice.oscPhase -= 1;
        voice.segment = 0;
        if (voice.noise) BuildNoiseWave(voice.wave);
        // Only a step of a whole cycle or more (out of the instruments' limits) gets here.
        if (voice.oscPhase >= 1) voice.oscPhase -= std::floor(voice.oscPhase);
    }
    // The segment never passes the wave's last point, even for a shape that does
    // not end at 1, so the reads below stay inside the wave's arrays.
    int lastSegment = CurvePoints(voice.wave) - 2;
    if (voice.segment > lastSegment) voice.segment = lastSegment > 0 ? lastSegment : 0;
    if (voice.segment < lastSegment && voice.oscPhase >= voice.wave.x[voice.segment + 1]) {
        voice.segment += 1;
    }
    const Curve& wave = voice.wave;
    int i = voice.segment;
    float a = (voice.oscPhase - wave.x[i]) * wave.slope[i];
    float s = (1 - a) * wave.y[i] + a * wave.y[i + 1];
    // A waveform value of 0.5 is silence; 0 and 1 are the peaks.
    s = static_cast<float>((s - 0.5) * voice.level * 2);
    if (voice.fadeCount > 0) {
        if (voice.fadeCount >= 10) {
            s = static_cast<float>(s * (voice.fadeCount - 10) * 0.1);
        } else {
            s = static_cast<float>(s * (1 - voice.fadeCount * 0.1));
        }
    }
    return s;
}
