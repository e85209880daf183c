#pragma once

// Starts the player: audio library and output stream (default device, mono,
// 32-bit float, 44100 Hz, 1024-frame buffers, about three buffers of latency),
// then the player state of ResetPlayerState, then the stream. Without an audio
// device the player runs silently after one short line on stderr (and returns
// false; true when the stream runs). Main thread.
bool StartPlayer();
// Logs the statistics, stops and closes the stream, ends the library, then
// frees the song instruments (no voice can play them any more). Main thread.
void StopPlayer();
// StartPlayer's state steps without any audio device, for offline rendering
// and tests: song instrument slots emptied (and freed), voices at their start
// values, voice request queue emptied, sequencer idle at tempo 95, note table
// filled, control counter 43, statistics zeroed, noise seed 1, clock started
// and its player-start mark set. Only while no callback runs.
void ResetPlayerState();
