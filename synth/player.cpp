#include "synth/player.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "base/program_name.h"
#include "synth/note_table.h"
#include "synth/output_volume.h"
#include "synth/player_clock.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/statistics.h"
#include "synth/voices.h"

namespace {
constexpr int STREAM_FRAMES = 1024;
constexpr double STREAM_LATENCY_BUFFERS = 3;

PaStream* stream = nullptr;
bool libraryStarted = false;

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

int StreamCallback(const void*, void* output, unsigned long frameCount, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void*) {
    RenderAudio(static_cast<float*>(output), frameCount);
    ApplyOutputVolume(static_cast<float*>(output), frameCount);
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
}  // namespace

bool StartPlayer() {
    snd_lib_error_set_handler(IgnoreAlsaError);
    // Never let a probe start a sound server of its own.
    setenv("JACK_NO_START_SERVER", "1", 0);
    bool opened;
    {
        QuietStderr quiet;
        opened = OpenStream();
    }
    ResetPlayerState();
    bool started = false;
    if (!opened) {
        std::fprintf(stderr, "%s: no audio output device; running silently\n", ProgramName());
    } else if (Pa_StartStream(stream) != paNoError) {
        std::fprintf(stderr, "%s: the audio output stream did not start; running silently\n", ProgramName());
    } else {
        started = true;
    }
    return started;
}

void StopPlayer() {
    const PaStreamInfo* info = stream ? Pa_GetStreamInfo(stream) : nullptr;
    LogPlayerStatistics(info ? info->outputLatency : 0.0);

    // The stream stops before anything a voice may refer to is freed.
    if (stream) {
        Pa_StopStream(stream);
        Pa_CloseStream(stream);
        stream = nullptr;
    }
    if (libraryStarted) {
        Pa_Terminate();
        libraryStarted = false;
    }
    FreeSongInstruments();
}
