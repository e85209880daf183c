#include "synth/audio_stream.h"

#include <portaudio.h>
#ifndef _WIN32
#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "base/program_name.h"
#include "synth/render_audio.h"
#include "synth/zonder_format.h"

namespace {
constexpr int STREAM_FRAMES = 1024;
constexpr double STREAM_LATENCY_BUFFERS = 3;

PaStream* stream = nullptr;
bool libraryStarted = false;
// Main thread only: whether a stream ever ran (so a lost one is worth reopening),
// whether the loss has been said, and when the next reopening is due.
bool streamEverStarted = false;
bool streamLost = false;
std::chrono::steady_clock::time_point nextReopen;

#ifndef _WIN32
// ALSA reports every probe it makes of a missing card on stderr; the player
// says once that it is silent instead.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Points stderr at /dev/null while the audio library probes its devices: the
// JACK client and ALSA plugins print several lines each on a machine without
// sound. Only around initialising the library and opening the stream, before the
// stream's thread (or any other of ours) runs: stderr is process-wide, and what
// another thread printed meanwhile, a sanitizer's report included, would be lost.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved >= 0) {
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved = -1;
};
#else
// Windows' audio interfaces print nothing while PortAudio probes them.
class QuietStderr {
public:
    QuietStderr() {}
};
#endif

int StreamCallback(const void*, void* output, unsigned long frameCount, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void*) {
    RenderAudio(static_cast<float*>(output), frameCount);
    return paContinue;
}

// Opens the default output stream; false (and nothing open) without a device.
bool OpenStream() {
    if (Pa_Initialize() != paNoError) return false;
    libraryStarted = true;
    PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice || !Pa_GetDeviceInfo(device)) return false;
    PaStreamParameters output = {};
    output.device = device;
    output.channelCount = 1;
    output.sampleFormat = paFloat32;
    output.suggestedLatency = STREAM_LATENCY_BUFFERS * STREAM_FRAMES / SAMPLE_RATE;
    output.hostApiSpecificStreamInfo = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &output, SAMPLE_RATE, STREAM_FRAMES, paNoFlag, StreamCallback,
                      nullptr) != paNoError) {
        stream = nullptr;
        return false;
    }
    return true;
}

// Halts the stream (halt: Pa_StopStream lets the last buffers play, Pa_AbortStream
// drops them), closes it and ends the library. The stream's thread has ended (or
// ends in Pa_CloseStream) before its return, so nothing renders while no stream is
// open.
void CloseStream(PaError (*halt)(PaStream*)) {
    if (stream) {
        halt(stream);
        Pa_CloseStream(stream);
        stream = nullptr;
    }
    if (libraryStarted) {
        Pa_Terminate();
        libraryStarted = false;
    }
}

// A new library session and stream on whatever the default device is now; the
// library only sees a restarted server or a new device after starting afresh.
bool ReopenStream() {
    CloseStream(Pa_AbortStream);
    bool opened;
    {
        // The probe of a server that is still gone prints several lines each try.
        // The stream's thread is not running, and only this thread prints while
        // the game runs, so nothing of ours is lost meanwhile.
        QuietStderr quiet;
        opened = OpenStream();
    }
    if (opened && Pa_StartStream(stream) == paNoError) return true;
    CloseStream(Pa_AbortStream);
    return false;
}
}  // namespace

void WatchAudioStream() {
    if (!streamEverStarted) return;
    auto now = std::chrono::steady_clock::now();
    if (!streamLost) {
        // A stream that stopped without StopPlayer lost its device: its thread ended.
        if (stream && Pa_IsStreamActive(stream) == 1) return;
        streamLost = true;
        std::fprintf(stderr, "%s: the audio output was lost; trying to reopen it every %g seconds\n",
                     ProgramName(), AUDIO_REOPEN_SECONDS);
        CloseStream(Pa_AbortStream);
        nextReopen = now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                               std::chrono::duration<double>(AUDIO_REOPEN_SECONDS));
        return;
    }
    if (now < nextReopen) return;
    if (ReopenStream()) {
        streamLost = false;
        std::fprintf(stderr, "%s: the audio output is back\n", ProgramName());
        return;
    }
    nextReopen = now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                           std::chrono::duration<double>(AUDIO_REOPEN_SECONDS));
}

bool OpenAudioStream() {
#ifndef _WIN32
    snd_lib_error_set_handler(IgnoreAlsaError);
    // Never let a probe start a sound server of its own.
    setenv("JACK_NO_START_SERVER", "1", 0);
#endif
    bool opened;
    {
        QuietStderr quiet;
        opened = OpenStream();
    }
    streamEverStarted = false;
    streamLost = false;
    if (!opened) std::fprintf(stderr, "%s: no audio output device; running silently\n", ProgramName());
    return opened;
}

bool StartAudioStream() {
    if (!stream) return false;
    if (Pa_StartStream(stream) != paNoError) {
        std::fprintf(stderr, "%s: the audio output stream did not start; running silently\n", ProgramName());
        return false;
    }
    streamEverStarted = true;
    return true;
}

double AudioStreamLatency() {
    const PaStreamInfo* info = stream ? Pa_GetStreamInfo(stream) : nullptr;
    return info ? info->outputLatency : 0.0;
}

void CloseAudioStream() {
    CloseStream(Pa_StopStream);
    streamEverStarted = false;
}
