#pragma once
#include <cstdint>

#include "synth/instrument.h"

constexpr int VOICE_COUNT = 6;
constexpr int CONTROL_TICK_SAMPLES = 44;
constexpr int FADE_START = 20;           // a crossfade counts control ticks down from here
constexpr int FADE_HANDOVER = 9;         // the staged note replaces the old one at this count
constexpr float VOICE_GAIN_LOUD = 0.4f;  // voice 0, the explosions
constexpr float VOICE_GAIN = 0.2f;       // voices 1..5

// One oscillator playing one note. `instrument` stands for the references to
// the shapes, envelopes and arpeggio of the instrument the note was started
// with; it is never null once a note was started (a missing instrument plays
// as an empty, silent one) and that instrument must outlive the note.
struct Voice {
    uint8_t active;
    uint8_t pending;  // staged by a trigger; the next control tick promotes it
    uint8_t oneShot;
    int32_t note;
    float oscPhase;  // 0..1 within one waveform cycle
    float phaseInc;  // per sample, set each control tick
    float gain;      // fixed per voice
    float level;     // amp envelope × gain × release, per control tick
    float morphValue;
    const Instrument* instrument;
    uint8_t noise;
    Curve wave;  // the current waveform: only count, x, y and slope are used
    int32_t segment;
    float ampPos;
    float releasePos;  // 0 = not releasing
    float pitchPos;
    float morphPos;
    int32_t fadeCount;  // 20 down to 0; 0 = no crossfade
    int32_t arpIndex;
    int32_t arpTicks;
};

// Audio thread only (and single-threaded tools and tests while no callback
// runs): the renderer plays liveVoices; stagedVoices hold the next note of each.
extern Voice liveVoices[VOICE_COUNT];
extern Voice stagedVoices[VOICE_COUNT];

// Starts note 0..119 of the instrument on voice 0..5. Returns at once and never
// waits for the audio thread: the request is queued and the audio thread runs
// it before the next sample it renders. A null instrument plays as an empty one
// (silent). Callable from any thread but the audio thread's own callback.
void TriggerNote(const Instrument* instrument, int note, int voice);
// Starts the release of the note on that voice; queued like TriggerNote.
void ReleaseNote(int voice);

// The trigger and release steps themselves, run on the audio thread (the
// sequencer calls them directly; queued requests end up here).
void StartNote(const Instrument* instrument, int note, int voice);
void StopNote(int voice);

// Runs the triggers and releases requested since the last drain, in the order
// they were made; of several triggers on one voice only the latest runs, so a
// burst made while nothing drained still ends on its last sound. Audio thread.
void DrainVoiceRequests();
// Live voices to their start values and gains, staged voices zeroed, queue
// emptied. Only while no callback runs.
void ResetVoices();

// One control tick over the six live voices: promotion, envelopes, arpeggio,
// release, waveform blend and crossfade.
void VoiceControlTick();
// The next output sample of an active live voice.
float VoiceSample(Voice& voice);
