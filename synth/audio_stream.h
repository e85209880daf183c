#pragma once

// The platform's side of the player (synth/player.h): the output stream that asks
// RenderAudio for mono 32-bit float buffers at SAMPLE_RATE on its own schedule.
// Every host's build lists exactly one file that defines these calls: the
// desktop's and Windows' synth/audio_stream_portaudio.cpp (PortAudio) and the
// browser's web/web_audio.cpp (Web Audio). Main thread only.

// Opens the stream on the default output, not yet running: no callback comes
// before StartAudioStream. False (after one short line saying the player runs
// silently) when there is no output; nothing is left open then.
bool OpenAudioStream();
// Starts the callbacks of a stream OpenAudioStream opened; the player's state is
// in place by then. False (after one short line) when it does not run.
bool StartAudioStream();
// The stream's output latency in seconds (0 without a stream), for the statistics.
double AudioStreamLatency();
// Stops the callbacks and closes the stream; none runs once this returns.
void CloseAudioStream();
// Notices a stream lost while running and tries every AUDIO_REOPEN_SECONDS to
// bring it back (synth/player.h, WatchPlayer); a host whose stream cannot be lost
// does nothing here.
constexpr double AUDIO_REOPEN_SECONDS = 3.0;
void WatchAudioStream();
