// The hand-over of triggers and releases from the game to the audio thread: what
// a drain runs is what the requests mean, however many piled up before it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/voices.h"
#include "tests/synth/zonder_bytes.h"

namespace {

constexpr int VOICE = 1;

Instrument Sustained() {
    Instrument i{};
    i.shapeA = i.shapeB = CurveOf(1, {{0, 0}, {1, 1}});
    i.amp = CurveOf(100, {{0, 1}, {1, 1}});
    i.release = CurveOf(4, {{0, 1}, {1, 0}});
    i.pitch = CurveOf(100, {{0, 0.5f}, {1, 0.5f}});
    i.morph = CurveOf(100, {{0, 0}, {1, 0}});
    return i;
}
const Instrument lead = Sustained();

// A voice that has played note 40 for three control ticks, so a new trigger fades.
void PlayingVoice() {
    ResetPlayerState();
    std::vector<float> out(CONTROL_TICK_SAMPLES * 3 + 1);
    TriggerNote(&lead, 40, VOICE);
    RenderAudio(out.data(), static_cast<int>(out.size()));
}

// Runs words of a script: "T<note>" requests a trigger, "R" a release, "D" drains
// (queued), or starts and stops the note directly (direct), as the audio thread
// would; "T<note>x<count>" repeats a trigger with notes note, note+1, ... mod 120.
void RunScript(const std::string& script, bool queued) {
    std::istringstream words(script);
    std::string word;
    while (words >> word) {
        if (word == "D") {
            if (queued) DrainVoiceRequests();
        } else if (word == "R") {
            queued ? ReleaseNote(VOICE) : StopNote(VOICE);
        } else {
            size_t times = word.find('x');
            int note = std::stoi(word.substr(1, times));
            int count = times == std::string::npos ? 1 : std::stoi(word.substr(times + 1));
            for (int i = 0; i < count; ++i) {
                int n = (note + i) % 120;
                queued ? TriggerNote(&lead, n, VOICE) : StartNote(&lead, n, VOICE);
            }
        }
    }
    if (queued) DrainVoiceRequests();
}

struct Handover {
    const char* name;
    const char* requests;  // made through TriggerNote and ReleaseNote, drained at D and the end
    const char* runs;      // what the audio thread must have run, in order
};

void PrintTo(const Handover& h, std::ostream* out) { *out << h.name; }

class VoiceRequests : public testing::TestWithParam<Handover> {};

TEST_P(VoiceRequests, DrainRunsWhatTheRequestsMean) {
    const Handover& h = GetParam();
    PlayingVoice();
    RunScript(h.requests, true);
    Voice live = liveVoices[VOICE], staged = stagedVoices[VOICE];

    PlayingVoice();
    RunScript(h.runs, false);
    EXPECT_EQ(std::memcmp(&live, &liveVoices[VOICE], sizeof(Voice)), 0) << "live voice";
    EXPECT_EQ(std::memcmp(&staged, &stagedVoices[VOICE], sizeof(Voice)), 0) << "staged voice";
}

INSTANTIATE_TEST_SUITE_P(
    Handovers, VoiceRequests,
    testing::Values(Handover{"OneTriggerRunsOnce", "T50 D D", "T50"},
                    Handover{"LaterTriggerSupersedesAnEarlierUnrunOne", "T50 T55", "T55"},
                    Handover{"ReleaseBetweenTriggersStaysBeforeTheLast", "T50 R T55", "R T55"},
                    Handover{"ReleaseAfterTheTriggerStaysAfterIt", "T50 R", "T50 R"},
                    Handover{"ReleasesInARowActAsOne", "R R T55 R R", "R T55 R"},
                    Handover{"RequestsAfterADrainRunOnTheirOwn", "T50 D R T55 D", "T50 R T55"},
                    Handover{"BurstOf300TriggersEndsOnTheLast", "T0x300", "T59"},
                    Handover{"BurstWithAReleaseInsideKeepsTheRelease", "T0x150 R T30x150", "R T59"}),
    [](const testing::TestParamInfo<Handover>& info) { return std::string(info.param.name); });

// The game bursts 300 triggers on one voice while the stream's thread renders, as
// after a stall: the last one is what the voice ends on.
TEST(VoiceRequestBurst, WhileTheCallbackRunsTheLastTriggerWins) {
    ResetPlayerState();
    std::atomic<bool> gameDone{false};
    std::thread audio([&] {
        std::vector<float> buffer(64);
        while (!gameDone.load()) RenderAudio(buffer.data(), static_cast<int>(buffer.size()));
        RenderAudio(buffer.data(), static_cast<int>(buffer.size()));  // whatever came last
    });
    const int TRIGGERS = 300;
    for (int i = 0; i < TRIGGERS; ++i) TriggerNote(&lead, i % 120, VOICE);
    gameDone.store(true);
    audio.join();
    EXPECT_EQ(stagedVoices[VOICE].note, (TRIGGERS - 1) % 120);
    EXPECT_EQ(stagedVoices[VOICE].instrument, &lead);
}

}  // namespace
