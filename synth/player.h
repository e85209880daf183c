#pragma once
#include "synth/player_state.h"

// The player over the platform's audio stream (synth/audio_stream.h: PortAudio on
// the desktop, Web Audio in the browser, each host's build listing its own).

// Starts the player: the output stream opened (on the desktop the audio library
// and the default device, mono, 32-bit float, 44100 Hz, 1024-frame buffers, about
// three buffers of latency), then the player state of ResetPlayerState, then the
// stream started. Without an audio device the player runs silently after one
// short line on stderr (and returns false; true when the stream runs). Main thread.
bool StartPlayer();
// Called by the game's main loop (at least a few times a second, paused or not):
// notices an output stream that stopped on its own (the sound server went away,
// the device was pulled out) and says once that the audio output was lost, then
// tries every AUDIO_REOPEN_SECONDS (synth/audio_stream.h) to open and start a new
// stream on the default device. The player's state is kept, so song and effects
// carry on from where the synthesizer is. Nothing happens for a player that never
// had a stream. Main thread; the browser's stream is never lost so, and nothing
// happens there.
void WatchPlayer();
// Logs the statistics, stops and closes the stream, ends the library, then
// frees the song instruments (no voice can play them any more). Main thread.
void StopPlayer();
