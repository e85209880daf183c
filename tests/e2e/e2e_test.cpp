// The real programs, end to end: started from a folder of their own on an X
// server of the test's own, driven with synthetic key presses (XTest through
// xdotool), looked at with xwininfo and import, and listened to through a
// PulseAudio null sink recorded with parec.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "assets/current_pictures.h"
#include "tests/e2e/game_keys.h"
#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"
#include "tests/support/sound_server.h"
#include "tests/support/window_tools.h"

namespace fs = std::filesystem;

namespace {
const std::string RUN_DIR = VORTANE_RUN_DIR;

constexpr int KEY_HOLD_MS = 1000;

// The shots are bright orange with no blue at all; the ship's orange carries
// some blue and the score digits sit in the top band, so neither counts.
constexpr int HUD_ROWS = 60;
constexpr int MIN_SHOT_PIXELS = 20;
// The grid's lines are green; at rest they cover about a twelfth of the window.
constexpr int MIN_GRID_PIXELS = 8000;
// A drawn frame, whatever the textures: this many pixels not black.
constexpr int MIN_LIT_PIXELS = 2000;
// Shot sound: 16-bit RMS over the second after the press; silence is 0.
constexpr double HEARD_RMS = 200.0;
constexpr int SAMPLE_RATE = 44100;

struct PixelCounts {
    int shot = 0;
    int grid = 0;
    int lit = 0;
};

PixelCounts CountPixels(const Picture& p) {
    PixelCounts c;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* px = &p.rgb[(size_t(y) * p.width + x) * 3];
            int r = px[0], g = px[1], b = px[2];
            if (r + g + b > 30) c.lit += 1;
            if (y >= HUD_ROWS && r >= 240 && g >= 95 && g <= 170 && b <= 20) c.shot += 1;
            if (g >= 60 && g > r + 30 && g > b + 30) c.grid += 1;
        }
    }
    return c;
}

// Waits (up to 20 s) until a recording holds `count` samples: parec takes a while
// to start delivering on a busy machine.
bool WaitForSamples(const std::string& recording, size_t count) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        if (fs::file_size(recording, error) / 2 >= count && !error) return true;
        Pause(20);
    }
    return false;
}

// One program run in its own folder (its working directory, where log.txt would
// appear), stderr kept in program.err.
class ProgramRun {
public:
    ProgramRun(const std::string& program, const std::string& folder,
               const std::vector<std::string>& env = {})
        : folder_(folder) {
        child_ = StartChild({program}, folder, env, folder + "/program.out", folder + "/program.err");
    }
    ~ProgramRun() {
        if (child_.pid > 0) WaitChild(child_, 0);
    }
    int WaitForExit(int milliseconds) { return WaitChild(child_, milliseconds); }
    int QuitWithEscape() { return HoldEscapeUntilExit(child_); }
    std::string Stderr() const { return ReadFile(folder_ + "/program.err"); }
    bool LogLeft() const { return FileExists(folder_ + "/log.txt"); }

private:
    std::string folder_;
    Child child_;
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x_.Ok()) << "Xvfb did not start";
        folder_ = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(folder_.empty());
    }

    // Escape held as a user holds it (the game reads the keyboard once a frame),
    // then the exit code within the deadline and no log.txt.
    void QuitWithEscape(ProgramRun& run, const std::string& window) {
        ASSERT_TRUE(FocusWindow(window));
        int status = run.QuitWithEscape();
        EXPECT_EQ(status, 0) << "no exit 0 within " << EXIT_DEADLINE_MS << " ms of Escape; stderr:\n"
                             << run.Stderr();
        EXPECT_FALSE(run.LogLeft()) << "a normal run leaves no log.txt";
    }

    // The first frame that `drawn` accepts (start-up loads textures and sounds
    // after the window appears), or the last one seen when none does in 20 s.
    Picture WaitForFrame(const std::string& window, bool (*drawn)(const PixelCounts&)) {
        Picture frame;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (CaptureWindow(window, folder_ + "/frame.rgb", frame) && drawn(CountPixels(frame))) break;
            Pause(100);
        }
        return frame;
    }

    // Starts the program, waits for its window and a drawn frame, then quits with Escape.
    void StartDrawAndQuit(const std::string& program) {
        ProgramRun run(program, folder_);
        std::string window = FocusedGameWindow("vortane");
        ASSERT_FALSE(window.empty()) << run.Stderr();
        Picture frame = WaitForFrame(window, [](const PixelCounts& c) { return c.lit >= MIN_LIT_PIXELS; });
        EXPECT_GE(CountPixels(frame).lit, MIN_LIT_PIXELS) << "nothing drawn; stderr:\n" << run.Stderr();
        QuitWithEscape(run, window);
    }

    // A copy of the program in a folder with `data` as its data folder (or none).
    std::string CopyProgram(const std::string& name) {
        std::string copy = folder_ + "/" + name;
        fs::copy_file(RUN_DIR + "/" + name, copy);
        return copy;
    }

    PrivateX x_;
    std::string folder_;
};
}  // namespace

TEST_F(EndToEnd, FiringShowsGridAndShotsAndEscapeQuits) {
    ProgramRun run(RUN_DIR + "/vortane", folder_);
    std::string window = WaitForWindow("vortane");
    ASSERT_FALSE(window.empty()) << run.Stderr();
    WindowInfo info;
    ASSERT_TRUE(QueryWindow(window, info));
    EXPECT_EQ(info.title, "vortane");
    EXPECT_EQ(info.width, 800);
    EXPECT_EQ(info.height, 600);
    ASSERT_TRUE(FocusWindow(window));

    Picture before = WaitForFrame(window, [](const PixelCounts& c) { return c.grid >= MIN_GRID_PIXELS; });
    PixelCounts idle = CountPixels(before);
    EXPECT_GE(idle.grid, MIN_GRID_PIXELS) << "the grid is not drawn";

    ASSERT_EQ(RunTool({"xdotool", "keydown", "z", "keydown", "Right"}), 0);
    Pause(KEY_HOLD_MS);
    Picture firing;
    bool captured = CaptureWindow(window, folder_ + "/firing.rgb", firing);
    RunTool({"xdotool", "keyup", "z", "keyup", "Right"});
    ASSERT_TRUE(captured);
    PixelCounts shots = CountPixels(firing);
    EXPECT_GE(shots.grid, MIN_GRID_PIXELS) << "the grid is not drawn while firing";
    EXPECT_GE(shots.shot, MIN_SHOT_PIXELS)
        << "no shots on screen after holding Z (" << idle.shot << " before)";

    QuitWithEscape(run, window);
}

TEST_F(EndToEnd, ClosingTheWindowExitsZero) {
    ProgramRun run(RUN_DIR + "/vortane", folder_);
    std::string window = WaitForWindow("vortane");
    ASSERT_FALSE(window.empty()) << run.Stderr();
    WaitForFrame(window, [](const PixelCounts& c) { return c.grid >= MIN_GRID_PIXELS; });
    ASSERT_TRUE(RequestClose(std::strtoul(window.c_str(), nullptr, 10)));
    EXPECT_EQ(run.WaitForExit(EXIT_DEADLINE_MS), 0) << run.Stderr();
    EXPECT_FALSE(run.LogLeft());
}

TEST_F(EndToEnd, StartsDrawsAndQuitsWithoutDataFolder) {
    std::string program = CopyProgram("vortane");  // no data/ beside it or in its working folder
    StartDrawAndQuit(program);
}

TEST_F(EndToEnd, StartsDrawsAndQuitsWithGarbageDataFiles) {
    std::string program = CopyProgram("vortane");
    fs::create_directory(folder_ + "/data");
    // Every data file the build makes, each replaced by noise of its own length
    // class: empty, a few bytes, or a few kilobytes.
    std::mt19937 random(20261207);
    int replaced = 0;
    for (const auto& entry : fs::directory_iterator(RUN_DIR + "/data")) {
        std::ofstream garbage(folder_ + "/data/" + entry.path().filename().string(), std::ios::binary);
        size_t length = replaced % 3 == 0 ? 0 : replaced % 3 == 1 ? 1 + random() % 40 : 1 + random() % 8000;
        for (size_t i = 0; i < length; ++i) garbage.put(static_cast<char>(random()));
        replaced += 1;
    }
    const int loaded = int(std::size(CURRENT_PICTURES)) + SOUND_EFFECT_COUNT + 1;
    ASSERT_GE(replaced, loaded) << "the manifest's pictures, sound effects and song expected";
    StartDrawAndQuit(program);
}

TEST_F(EndToEnd, ShotIsHeardWhenZIsPressed) {
    PrivateSound sound(folder_);
    ASSERT_TRUE(sound.Ok()) << "PulseAudio did not start:\n" << ReadFile(sound.Log());
    std::string recording = folder_ + "/recording.raw";
    Child recorder = sound.StartRecording(recording);
    ProgramRun run(RUN_DIR + "/vortane", folder_, sound.Env());
    std::string window = FocusedGameWindow("vortane");
    ASSERT_FALSE(window.empty()) << run.Stderr();
    WaitForFrame(window, [](const PixelCounts& c) { return c.grid >= MIN_GRID_PIXELS; });
    // Half a second of the running game recorded before the press: nothing played yet.
    ASSERT_TRUE(WaitForSamples(recording, SAMPLE_RATE / 2));

    size_t pressedAt = fs::file_size(recording) / 2;
    ASSERT_EQ(RunTool({"xdotool", "keydown", "z"}), 0);
    Pause(KEY_HOLD_MS);
    RunTool({"xdotool", "keyup", "z"});
    EXPECT_TRUE(WaitForSamples(recording, pressedAt + SAMPLE_RATE + SAMPLE_RATE / 4));
    QuitWithEscape(run, window);
    StopChild(recorder);

    std::vector<int16_t> samples = ReadRecording(recording);
    ASSERT_GT(samples.size(), pressedAt + SAMPLE_RATE) << "the recording stopped early";
    double before =
        RecordingRms(samples, pressedAt > SAMPLE_RATE / 2 ? pressedAt - SAMPLE_RATE / 2 : 0, pressedAt);
    double after = RecordingRms(samples, pressedAt, pressedAt + SAMPLE_RATE + SAMPLE_RATE / 4);
    std::printf("shot sound: RMS %.1f in the half second before Z, %.1f after\n", before, after);
    EXPECT_GE(after, HEARD_RMS) << "no shot sound after pressing Z (RMS " << after << ", before " << before
                                << ")";
    EXPECT_LT(before, HEARD_RMS) << "sound before anything was pressed (RMS " << before << ")";
}

TEST_F(EndToEnd, EarlierEditionPlaysItsMusicFromStartUp) {
    PrivateSound sound(folder_);
    ASSERT_TRUE(sound.Ok()) << "PulseAudio did not start:\n" << ReadFile(sound.Log());
    std::string recording = folder_ + "/recording.raw";
    Child recorder = sound.StartRecording(recording);
    ProgramRun run(RUN_DIR + "/vortane-classic", folder_, sound.Env());
    std::string window = FocusedGameWindow("vortane");
    ASSERT_FALSE(window.empty()) << run.Stderr();
    WaitForFrame(window, [](const PixelCounts& c) { return c.lit >= MIN_LIT_PIXELS; });
    // Nothing pressed: whatever is heard is the music.
    ASSERT_TRUE(WaitForSamples(recording, 3 * SAMPLE_RATE));
    QuitWithEscape(run, window);
    StopChild(recorder);

    std::vector<int16_t> samples = ReadRecording(recording);
    ASSERT_GT(samples.size(), size_t(2 * SAMPLE_RATE)) << "the recording stopped early";
    double music = RecordingRms(samples, samples.size() - 2 * SAMPLE_RATE, samples.size());
    std::printf("earlier edition: RMS %.1f over the two seconds before Escape\n", music);
    EXPECT_GE(music, HEARD_RMS) << "no music in the two seconds before Escape (RMS " << music << ")";
}

// Waits (up to `seconds`) until the program's stderr says `text`.
bool WaitForStderr(const ProgramRun& run, const std::string& text, int seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (run.Stderr().find(text) != std::string::npos) return true;
        Pause(50);
    }
    return false;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) count += 1;
    return count;
}

TEST_F(EndToEnd, SoundComesBackWhenTheSoundServerReturns) {
    PrivateSound sound(folder_);
    ASSERT_TRUE(sound.Ok()) << "PulseAudio did not start:\n" << ReadFile(sound.Log());
    ProgramRun run(RUN_DIR + "/vortane-classic", folder_, sound.Env());
    std::string window = WaitForWindow("vortane");
    ASSERT_FALSE(window.empty()) << run.Stderr();
    WaitForFrame(window, [](const PixelCounts& c) { return c.lit >= MIN_LIT_PIXELS; });

    // The server dies mid-game, as when it crashes: said once, and the game plays on.
    sound.Kill();
    EXPECT_TRUE(WaitForStderr(run, "the audio output was lost", 10)) << run.Stderr();
    ASSERT_TRUE(sound.Restart()) << "PulseAudio did not start again:\n" << ReadFile(sound.Log());
    std::string recording = folder_ + "/after.raw";
    Child recorder = sound.StartRecording(recording);
    EXPECT_TRUE(WaitForStderr(run, "the audio output is back", 15)) << run.Stderr();
    ASSERT_TRUE(WaitForSamples(recording, 3 * SAMPLE_RATE));
    QuitWithEscape(run, window);
    StopChild(recorder);

    std::vector<int16_t> samples = ReadRecording(recording);
    ASSERT_GT(samples.size(), size_t(2 * SAMPLE_RATE)) << "the recording stopped early";
    double music = RecordingRms(samples, samples.size() - 2 * SAMPLE_RATE, samples.size());
    std::printf("after the sound server came back: RMS %.1f over the two seconds before Escape\n", music);
    EXPECT_GE(music, HEARD_RMS) << "no music from the restarted server (RMS " << music << ")";
    EXPECT_EQ(Occurrences(run.Stderr(), "the audio output was lost"), 1u) << run.Stderr();
}
