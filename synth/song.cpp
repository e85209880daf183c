#include "synth/song.h"

#include <atomic>

Instrument* songInstruments[SONG_INSTRUMENT_SLOTS];
Pattern* patterns[PATTERN_SLOTS];
int32_t orderList[ORDER_LIST_SIZE];
int32_t songLength;

namespace {
std::atomic<bool> songStarted{false};
}  // namespace

bool SongStarted() { return songStarted.load(std::memory_order_acquire); }

void MarkSongStarted(bool started) {
    // Release on the way up: the song's records are written before it starts.
    songStarted.store(started, started ? std::memory_order_release : std::memory_order_relaxed);
}
