#include "synth/sequencer.h"

#include <atomic>

#include "base/log.h"
#include "synth/player_clock.h"
#include "synth/song.h"
#include "synth/voices.h"

Sequencer sequencer;

namespace {
std::atomic<bool> songRequested{false};

// A pattern of length L plays 8 × L rows; the note arrays end at row 256.
int PatternRows(const Pattern& pattern) {
    if (pattern.length > PATTERN_MAX_LENGTH) return PATTERN_ROWS;
    return 8 * pattern.length;
}

// An order entry starts its pattern; -1, a song of no entries or an entry
// naming no loaded pattern starts nothing.
void TakeOrderEntry() {
    int length = songLength < ORDER_LIST_SIZE ? songLength : ORDER_LIST_SIZE;
    if (sequencer.orderPos < 0 || sequencer.orderPos >= length) return;
    int32_t entry = orderList[sequencer.orderPos];
    if (entry < 0 || entry >= PATTERN_SLOTS || !patterns[entry]) return;
    PatternPlayer& player = sequencer.player;
    player.pattern = patterns[entry];
    player.playing = 1;
    player.row = 0;
}

void PlayRow() {
    PatternPlayer& player = sequencer.player;
    for (int k = 0; k < PATTERN_CHANNELS; k++) {
        int cell = PATTERN_ROWS * k + player.row;
        int32_t note = player.pattern->note[cell];
        int voice = player.voice[k];
        if (note >= 0) {
            int32_t slot = player.pattern->instrument[cell];
            bool loaded = slot >= 0 && slot < SONG_INSTRUMENT_SLOTS;
            StartNote(loaded ? songInstruments[slot] : nullptr, note, voice);
        } else if (note == NOTE_OFF) {
            StopNote(voice);
        }
    }
}
}  // namespace

int TickLength(int tempo) {
    int ticksPerSecond = tempo / 6;
    if (ticksPerSecond < 1) ticksPerSecond = 1;
    return 44100 / ticksPerSecond;
}

void ResetSequencer() {
    songRequested.store(false, std::memory_order_relaxed);
    MarkSongStarted(false);
    sequencer = Sequencer{};
    sequencer.tempo = SEQUENCER_TEMPO;
    sequencer.orderPos = -1;
    for (int k = 0; k < PATTERN_CHANNELS; k++) sequencer.player.voice[k] = SONG_VOICE_FIRST + k;
}

void PlaySong() {
    LogLine("Play song");
    MarkSongStarted(true);
    songRequested.store(true, std::memory_order_release);
}

void TakeSongRequest() {
    if (!songRequested.load(std::memory_order_acquire)) return;
    if (!songRequested.exchange(false, std::memory_order_acq_rel)) return;
    sequencer.songPlaying = 1;
    sequencer.player.playing = 0;
    sequencer.stepTick = TICKS_PER_ORDER_STEP - 1;
    sequencer.orderPos = -1;
    sequencer.tickSamples = 0;
}

void AdvanceSequencer() {
    sequencer.tickSamples += 1;
    if (sequencer.tickSamples >= TickLength(sequencer.tempo)) {
        sequencer.tickSamples = 0;
        SequencerTick();
    }
}

void SequencerTick() {
    PlayerClock.Mark(CLOCK_TICK);
    PatternPlayer& player = sequencer.player;
    if (player.playing) {
        player.row += 1;
        if (player.row >= PatternRows(*player.pattern)) player.playing = 0;
    }
    // After the player step, so a pattern ending on an order step hands over
    // without a gap and the new pattern's row 0 plays in this same tick.
    if (sequencer.songPlaying) {
        sequencer.stepTick += 1;
        if (sequencer.stepTick >= TICKS_PER_ORDER_STEP) {
            sequencer.stepTick = 0;
            sequencer.orderPos += 1;
            if (sequencer.orderPos >= songLength) sequencer.orderPos = 0;
            TakeOrderEntry();
        }
    }
    if (player.playing) PlayRow();
    float seconds = PlayerClock.Since(CLOCK_TICK);
    if (seconds * 1000 > TIMING_WARNING_MS) {
        LogLine("Large pattern time: %.2fms @ %.2fs runtime", seconds * 1000,
                PlayerClock.Since(CLOCK_PLAYER_START));
    }
}
