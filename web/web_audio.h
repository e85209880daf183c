#pragma once
#include <cstdint>

// The player's stream in the browser: a Web Audio context at 44100 Hz (the
// browser resamples to its device) whose AudioWorklet (or, where worklets are
// missing, script processor) asks RenderAudio for 1024 mono frames at a time:
// the browser's side of the player's stream (synth/audio_stream.h), listed in the
// browser's build instead of the desktop's synth/audio_stream_portaudio.cpp. The
// context is made on the player's first gesture (web/web_page.h), and suspended
// while the game is paused; until then no buffer is rendered, and the song (if
// started) waits with it.

// Rendered buffers so far (the player's own count).
int32_t WebAudioBufferCount();
