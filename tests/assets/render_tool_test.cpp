// The built sounds through zonder-render, as an author checks them: each effect
// is audible, has fallen to exact silence (its voice idle) by the end of its
// intended length and peaks below 1.0; the song renders a minute without long
// silences or clipping.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {

const std::string RUN = VORTANE_RUN_DIR "/";
constexpr int RATE = 44100;

// Runs zonder-render with the given load options and events, its files named after
// the running test; returns the samples.
std::vector<float> Render(const std::string& load, const std::string& events, long samples) {
    const std::string base = testing::UnitTest::GetInstance()->current_test_info()->name();
    WriteFile(base + ".events", events);
    const std::string command = RUN + "zonder-render " + load + " --events " + base + ".events --samples " +
                                std::to_string(samples) + " --out " + base + ".wav";
    ShellResult run = RunShell(command);
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    std::vector<uint8_t> bytes = ReadBytes(base + ".wav");
    std::vector<float> out;
    // Walk the RIFF chunks to "data"; the samples are 32-bit floats.
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size;
        std::memcpy(&size, &bytes[at + 4], 4);
        if (std::memcmp(&bytes[at], "data", 4) == 0) {
            out.resize(std::min<size_t>(size, bytes.size() - at - 8) / 4);
            std::memcpy(out.data(), &bytes[at + 8], out.size() * 4);
            break;
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(static_cast<long>(out.size()), samples);
    return out;
}

float Peak(const std::vector<float>& s, size_t from, size_t to) {
    float peak = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

struct Effect {
    const char* file;
    int note;
    int voice;
    double seconds;  // intended length
};

}  // namespace

TEST(RenderTool, EffectsAreAudibleEndInTimeAndPeakBelowOne) {
    const Effect effects[] = {
        {"shot.zdi", 37, 1, 0.15},  {"explode.zdi", 50, 0, 1.0}, {"explode.zdi", 30, 0, 1.0},
        {"pickup.zdi", 56, 2, 0.4}, {"die.zdi", 42, 2, 1.6},     {"levelup.zdi", 42, 2, 1.0},
    };
    for (const Effect& e : effects) {
        SCOPED_TRACE(std::string(e.file) + " note " + std::to_string(e.note));
        const long end = static_cast<long>(e.seconds * RATE);
        const std::vector<float> s = Render(
            "--effect 0=" + RUN + "data/" + e.file,
            "0 trigger 0 " + std::to_string(e.note) + " " + std::to_string(e.voice) + "\n", end + RATE / 2);
        ASSERT_FALSE(s.empty());
        EXPECT_GT(Peak(s, 0, end), 0.05f);
        EXPECT_LT(Peak(s, 0, s.size()), 1.0f);
        EXPECT_EQ(Peak(s, end, s.size()), 0.0f) << "still sounding after " << e.seconds << " s";
    }
}

TEST(RenderTool, SongPlaysAMinuteWithoutLongSilenceOrClipping) {
    const long samples = 62L * RATE;
    const std::vector<float> s = Render("--song " + RUN + "data/zazizer.zds", "0 play\n", samples);
    ASSERT_FALSE(s.empty());
    EXPECT_LT(Peak(s, 0, s.size()), 1.0f);
    int quiet = 0, longest = 0;
    for (size_t at = 2940; at + RATE / 4 <= s.size(); at += RATE / 4) {
        quiet = Peak(s, at, at + RATE / 4) < 0.02f ? quiet + 1 : 0;
        longest = std::max(longest, quiet);
    }
    EXPECT_LE(longest, 8) << "silent for " << longest / 4.0 << " s";
}
