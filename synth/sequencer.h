#pragma once
#include <cstdint>

#include "synth/instrument.h"
#include "synth/song.h"

constexpr int SEQUENCER_TEMPO = 95;
constexpr int TICKS_PER_ORDER_STEP = 8;
constexpr int SONG_VOICE_FIRST = 3;  // the song's channels play on voices 3, 4, 5

struct PatternPlayer {
    uint8_t playing;
    int32_t row;
    int32_t voice[PATTERN_CHANNELS];
    const Pattern* pattern;  // an entry of `patterns`, never freed while the song plays
};

// Audio thread state once the stream runs.
struct Sequencer {
    int32_t tempo;
    int32_t tickSamples;  // samples since the last sequencer tick
    uint8_t songPlaying;
    int32_t stepTick;  // ticks into the current order step, 0..7
    int32_t orderPos;  // -1 before the first step
    PatternPlayer player;
};

extern Sequencer sequencer;

// Samples per sequencer tick: 44100 / (tempo / 6), both divisions on integers
// (2940 at tempo 95). A tempo below 6 counts as 6.
int TickLength(int tempo);

// Player idle on voices 3..5, no song playing, tempo 95, tickSamples 0. Only
// while no callback runs.
void ResetSequencer();

// Starts the song from its first order entry, one tick length after the audio
// thread picks the request up (before the next sample it renders). Logs "Play
// song". Any thread; calling it again restarts the song.
void PlaySong();
// Runs a waiting PlaySong request. Audio thread.
void TakeSongRequest();
// Per sample, before the control timing: counts samples and runs a tick when due.
void AdvanceSequencer();
// One row of the song. Audio thread.
void SequencerTick();
