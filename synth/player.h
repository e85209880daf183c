#pragma once
#include "synth/player_state.h"

// The player over the platform's audio stream. This file opens it through
// PortAudio; the browser's shell gives the same two calls over Web Audio.

// Starts the player: audio library and output stream (default device, mono,
// 32-bit float, 44100 Hz, 1024-frame buffers, about three buffers of latency),
// then the player state of ResetPlayerState, then the stream. Without an audio
// device the player runs silently after one short line on stderr (and returns
// false; true when the stream runs). Main thread.
bool StartPlayer();
// Logs the statistics, stops and closes the stream, ends the library, then
// frees the song instruments (no voice can play them any more). Main thread.
void StopPlayer();
