#pragma once
#include <cstdint>

// The player's stream in the browser: a Web Audio context at 44100 Hz (the
// browser resamples to its device) with a script processor node that asks
// RenderAudio for 1024 mono frames at a time: the browser's side of the
// player's stream (synth/audio_stream.h), listed in the browser's build instead
// of the desktop's synth/audio_stream_portaudio.cpp. The browser lets a context run only after
// a user gesture, so the page resumes it on the first key press or click; until
// then no buffer is rendered, and the song (if started) waits with it.

// Rendered buffers so far (the player's own count).
int32_t WebAudioBufferCount();
