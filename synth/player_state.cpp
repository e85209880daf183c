#include "synth/player_state.h"

#include <atomic>

#include "synth/noise.h"
#include "synth/note_table.h"
#include "synth/player_clock.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"

void FreeSongInstruments() {
    for (Instrument*& instrument : songInstruments) {
        delete instrument;
        instrument = nullptr;
    }
}

void ResetPlayerState() {
    FreeSongInstruments();
    ResetVoices();
    ResetSequencer();
    FillNoteTable();
    controlCounter = CONTROL_COUNTER_START;
    sequencer.tickSamples = 0;
    renderSeconds.store(0.0f);
    bufferCount.store(0);
    lastFrameCount.store(0);
    SeedSynthNoise(1);
    PlayerClock.Start();
    PlayerClock.Mark(CLOCK_PLAYER_START);
}
