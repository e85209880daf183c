// The Windows edition's tools under wine: vortane-sim.exe against the golden
// traces of both editions, byte for byte; zonder-render.exe against the native
// zonder-render on every built sound and the song; arguments naming files in
// folders with spaces and non-ASCII letters, read as the native build reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/windows/wine_run.h"

namespace fs = std::filesystem;

namespace {

struct GoldenCase {
    std::string name;
    std::string options;
};

std::vector<GoldenCase> ReadCases(const std::string& folder) {
    std::vector<GoldenCase> cases;
    for (const std::string& line : Lines(ReadFile(folder + "/cases.txt"))) {
        if (line.empty() || line[0] == '#') continue;
        size_t space = line.find(' ');
        cases.push_back({line.substr(0, space), line.substr(space + 1)});
    }
    return cases;
}

// The first differing line, shortened, or "" when equal.
std::string FirstDifference(const std::string& got, const std::string& want) {
    if (got == want) return "";
    std::vector<std::string> a = Lines(got), b = Lines(want);
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return "first difference in line " + std::to_string(i + 1) + " of " + std::to_string(b.size()) +
           "\n  got:  " + (i < a.size() ? a[i].substr(0, 300) : "(end)") +
           "\n  want: " + (i < b.size() ? b[i].substr(0, 300) : "(end)");
}

class WindowsSimulator : public ::testing::TestWithParam<const char*> {};

// The synthesizer's cases: each built sound effect on a note and voice of its own,
// and the song, rendered by both programs from the same events.
struct RenderCase {
    std::string name;
    std::string load;
    std::string events;
    long samples;
};

std::vector<RenderCase> RenderCases(const std::string& data) {
    return {
        {"shot", "--effect 0=" + Quoted(data + "shot.zdi"), "0 trigger 0 37 1\n", 20000},
        {"explode", "--effect 0=" + Quoted(data + "explode.zdi"), "0 trigger 0 50 0\n", 50000},
        {"pickup", "--effect 0=" + Quoted(data + "pickup.zdi"), "0 trigger 0 56 2\n", 20000},
        {"die", "--effect 0=" + Quoted(data + "die.zdi"), "0 trigger 0 42 2\n", 75000},
        {"levelup", "--effect 0=" + Quoted(data + "levelup.zdi"), "0 trigger 0 42 2\n", 50000},
        {"song", "--song " + Quoted(data + "zazizer.zds"), "0 play\n", 20L * 44100},
    };
}

}  // namespace

TEST_P(WindowsSimulator, ReproducesEveryGoldenTraceByteForByte) {
    const std::string folder = std::string(VORTANE_SOURCE_DIR "/tests/golden/") + GetParam();
    std::vector<GoldenCase> cases = ReadCases(folder);
    ASSERT_GE(cases.size(), 4u);
    for (const GoldenCase& c : cases) {
        ShellResult run = RunShell(WineCommand(WINDOWS_RUN + "vortane-sim.exe", c.options), folder);
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(FirstDifference(run.out, ReadFile(folder + "/" + c.name + ".jsonl")), "") << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, WindowsSimulator, ::testing::Values("sim", "classic"));

TEST(WindowsTools, SynthesizerRendersEverySoundAsTheNativeBuildDoes) {
    for (const RenderCase& c : RenderCases(VORTANE_RUN_DIR "/data/")) {
        SCOPED_TRACE(c.name);
        WriteFile(c.name + ".events", c.events);
        std::string common =
            c.load + " --events " + c.name + ".events --samples " + std::to_string(c.samples);
        ShellResult native = RunShell(Quoted(VORTANE_RUN_DIR "/zonder-render") + " " + common + " --out " +
                                      c.name + "-native.wav");
        ASSERT_EQ(native.status, 0) << native.err;
        ShellResult windows = RunShell(
            WineCommand(WINDOWS_RUN + "zonder-render.exe", common + " --out " + c.name + "-windows.wav"));
        ASSERT_EQ(windows.status, 0) << windows.err;
        std::vector<uint8_t> expected = ReadBytes(c.name + "-native.wav");
        ASSERT_GT(expected.size(), size_t(c.samples) * 4);
        EXPECT_TRUE(ReadBytes(c.name + "-windows.wav") == expected) << "the renders differ";
    }
}

TEST(WindowsTools, FilesInFoldersWithSpacesAndNonAsciiLettersAreRead) {
    const std::string golden = VORTANE_SOURCE_DIR "/tests/golden/sim/";
    fs::create_directories("Eingabe mit Leerzeichen ä ß 中文");
    fs::copy_file(golden + "modes.txt", "Eingabe mit Leerzeichen ä ß 中文/Tastendrücke.txt");
    ShellResult run = RunShell(WineCommand(WINDOWS_RUN + "vortane-sim.exe",
                                           "--seed 1 --steps 1200 --every 100 --input " +
                                               Quoted("Eingabe mit Leerzeichen ä ß 中文/Tastendrücke.txt")));
    ASSERT_EQ(run.status, 0) << run.err;
    ShellResult native =
        RunShell(Quoted(VORTANE_RUN_DIR "/vortane-sim") + " --seed 1 --steps 1200 --every 100 --input " +
                 Quoted(golden + "modes.txt"));
    ASSERT_EQ(native.status, 0) << native.err;
    EXPECT_EQ(FirstDifference(run.out, native.out), "") << "the input script was not read as on Linux";
}
