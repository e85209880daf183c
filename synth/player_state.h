#pragma once

// The player's state without any audio stream: what StartPlayer sets up before
// the stream runs, shared by every platform's stream and by offline rendering.

// StartPlayer's state steps without any audio device, for offline rendering
// and tests: song instrument slots emptied (and freed), voices at their start
// values, voice request queue emptied, sequencer idle at tempo 95, note table
// filled, control counter 43, statistics zeroed, noise seed 1, clock started
// and its player-start mark set. Only while no callback runs.
void ResetPlayerState();

// Deletes the instrument in every occupied song slot. Only while no callback runs.
void FreeSongInstruments();
