#pragma once
#include <cstdint>

#include "app/game_options.h"
#include "game/edition.h"

// What the games do with --record and --replay around the shared main loop: the
// world step is wrapped so a recording sees every step's controls, or so a
// recording's controls stand in for the devices. Main thread only.

// The seed start-up gives the world's generator: the time at start (seconds),
// unless a replay set the recording's. The first call fixes it.
uint32_t StartSeed();
void SetStartSeed(uint32_t seed);

// Before the window opens: loads and checks a replay (seeding start-up with its
// seed) or creates the recording (with the seed start-up will use). Returns -1
// to go on; otherwise the exit status after a message on stderr: 2 for a
// recording that cannot be replayed (malformed, cut short, another edition), 1
// when the recording cannot be written.
int StartSession(const Edition& edition, const GameOptions& options);

// The edition as the main loop runs it: its world step is the session's (the
// plain step, or with recording or replay). A replay ends after its last step,
// or when Escape is held on the keyboard.
Edition SessionEdition(const Edition& edition);

// After a start-up failure (no window, no start-up): a recording that holds no
// step is removed, so no header-only file is left behind. Standard output keeps
// what it was given.
void AbandonSession();

// After the main loop: finishes the recording with its end line. Returns the
// exit status: 0, or 1 when the recording could not be written (said on stderr
// when the write failed, which may have been long before).
int FinishSession();
