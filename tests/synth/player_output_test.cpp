// The player's start and stop against a stand-in for the audio library, linked in
// its place: what the player says on stderr, and which of the library's own output
// it hides. Only the probing (initialising, opening the stream) is silenced; what
// is printed while the stream starts or the library ends, a sanitizer's report
// from another thread say, reaches the terminal.
#include <gtest/gtest.h>
#include <portaudio.h>

#include <cstdio>
#include <string>

#include "synth/player.h"

namespace {

struct Library {
    bool device = true;
    PaError openResult = paNoError;
    PaError startResult = paNoError;
};
Library library;
int streamObject;
PaDeviceInfo deviceInfo{};

const char* const INITIALISE_CHATTER = "chatter while the library initialises";
const char* const OPEN_CHATTER = "chatter while the stream opens";
const char* const START_REPORT = "report while the stream starts";
const char* const TERMINATE_REPORT = "report while the library ends";

}  // namespace

extern "C" {
PaError Pa_Initialize(void) {
    std::fprintf(stderr, "%s\n", INITIALISE_CHATTER);
    return paNoError;
}
PaDeviceIndex Pa_GetDefaultOutputDevice(void) { return library.device ? 0 : paNoDevice; }
const PaDeviceInfo* Pa_GetDeviceInfo(PaDeviceIndex) { return &deviceInfo; }
PaError Pa_OpenStream(PaStream** stream, const PaStreamParameters*, const PaStreamParameters*, double,
                      unsigned long, PaStreamFlags, PaStreamCallback*, void*) {
    std::fprintf(stderr, "%s\n", OPEN_CHATTER);
    if (library.openResult == paNoError) *stream = &streamObject;
    return library.openResult;
}
PaError Pa_StartStream(PaStream*) {
    std::fprintf(stderr, "%s\n", START_REPORT);
    return library.startResult;
}
const PaStreamInfo* Pa_GetStreamInfo(PaStream*) { return nullptr; }
PaError Pa_StopStream(PaStream*) { return paNoError; }
PaError Pa_CloseStream(PaStream*) { return paNoError; }
PaError Pa_Terminate(void) {
    std::fprintf(stderr, "%s\n", TERMINATE_REPORT);
    return paNoError;
}
}

namespace {

struct Outcome {
    const char* name;
    Library library;
    const char* says;  // the player's line, or "" for none
};

void PrintTo(const Outcome& o, std::ostream* out) { *out << o.name; }

class PlayerOutput : public testing::TestWithParam<Outcome> {};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char* const NO_DEVICE = "vortane: no audio output device; running silently\n";
const char* const NOT_STARTED = "vortane: the audio output stream did not start; running silently\n";

TEST_P(PlayerOutput, SaysWhatHappenedAndHidesOnlyTheProbing) {
    const Outcome& o = GetParam();
    library = o.library;
    testing::internal::CaptureStderr();
    StartPlayer();
    StopPlayer();
    std::string err = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(Has(err, INITIALISE_CHATTER)) << err;
    EXPECT_FALSE(Has(err, OPEN_CHATTER)) << err;
    EXPECT_TRUE(Has(err, TERMINATE_REPORT)) << err;
    bool opened = o.library.device && o.library.openResult == paNoError;
    EXPECT_EQ(Has(err, START_REPORT), opened) << err;
    EXPECT_EQ(Has(err, NO_DEVICE), std::string(o.says) == NO_DEVICE) << err;
    EXPECT_EQ(Has(err, NOT_STARTED), std::string(o.says) == NOT_STARTED) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PlayerOutput,
    testing::Values(Outcome{"StreamRuns", {true, paNoError, paNoError}, ""},
                    Outcome{"NoDevice", {false, paNoError, paNoError}, NO_DEVICE},
                    Outcome{"StreamWillNotOpen", {true, paInvalidDevice, paNoError}, NO_DEVICE},
                    Outcome{"StreamWillNotStart", {true, paNoError, paUnanticipatedHostError}, NOT_STARTED}),
    [](const testing::TestParamInfo<Outcome>& info) { return std::string(info.param.name); });

}  // namespace
