// The start-up and shutdown every host runs, over a platform that writes down each
// call: the order the hosts rely on (the context before the pictures, the stream
// before the sounds, the grid before the world starts, the input last; the audio
// thread ended before the input and both before the window).
#include "shell/start_up.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "game/random.h"

namespace {

std::vector<std::string> calls;
uint32_t seedAtWorldStart = 0;

const char* const DATA = "test-data/";
constexpr uint32_t SEED = 20260708;

Platform RecordingPlatform() {
    Platform platform;
    platform.dataDir = [](const Edition&) {
        calls.push_back("dataDir");
        return std::string(DATA);
    };
    platform.startSeed = [](const Edition&) {
        calls.push_back("startSeed");
        return SEED;
    };
    platform.readyWindow = [](const Edition&, const std::string& dataDir) {
        calls.push_back("readyWindow " + dataDir);
    };
    platform.startInput = [] { calls.push_back("startInput"); };
    platform.stopInput = [] { calls.push_back("stopInput"); };
    platform.closeWindow = [](const Edition& edition) {
        calls.push_back(std::string("closeWindow ") + edition.name);
    };
    platform.startAudio = [] {
        calls.push_back("startAudio");
        return false;  // a host without sound: start-up goes on
    };
    platform.stopAudio = [] { calls.push_back("stopAudio"); };
    return platform;
}

Edition RecordingEdition() {
    Edition edition{};
    edition.name = "recorded";
    edition.resetWorld = [] { calls.push_back("resetWorld"); };
    edition.startWorld = [] {
        seedAtWorldStart = gameRandom.state;
        calls.push_back("startWorld");
    };
    edition.loadGraphics = [](const std::string& dataDir) { calls.push_back("loadGraphics " + dataDir); };
    edition.releaseGraphics = [] { calls.push_back("releaseGraphics"); };
    return edition;
}

}  // namespace

TEST(SharedStartUp, CallsThePlatformInTheOrderEveryHostRelies) {
    calls.clear();
    LogEnable();
    Edition edition = RecordingEdition();
    EXPECT_TRUE(StartEdition(edition, RecordingPlatform()));
    const std::vector<std::string> expected = {
        "startSeed",  "resetWorld", "dataDir",    "readyWindow test-data/", "loadGraphics test-data/",
        "startAudio", "startWorld", "startInput",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(LogEnabled());
}

TEST(SharedStartUp, SeedsTheGeneratorWithTheHostsSeedBeforeTheWorldStarts) {
    calls.clear();
    Edition edition = RecordingEdition();
    StartEdition(edition, RecordingPlatform());
    EXPECT_EQ(seedAtWorldStart, SEED);
}

TEST(SharedShutdown, StopsTheAudioBeforeTheInputAndBothBeforeTheWindow) {
    calls.clear();
    LogEnable();  // as the Escape step leaves it
    Edition edition = RecordingEdition();
    StopEdition(edition, RecordingPlatform());
    const std::vector<std::string> expected = {"stopAudio", "stopInput", "closeWindow recorded"};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(LogEnabled());
}
