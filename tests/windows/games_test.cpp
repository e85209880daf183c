// Both games of the Windows edition under wine on an X server of the test's own:
// the window with the grid drawn (a screenshot of the wine window), Escape ending
// the program with exit status 0, the earlier edition's full-screen request
// falling back to a window, data found through VORTANE_DATA and beside a program in
// a folder whose name has spaces and non-ASCII letters, recordings on standard
// output and in such folders, sound through wine's PulseAudio driver, and --help
// and --version printed by the GUI programs, the settings kept in the Windows
// preference folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"
#include "tests/support/sound_server.h"
#include "tests/support/window_tools.h"
#include "tests/windows/wine_run.h"

namespace fs = std::filesystem;

namespace {

// Wine starts slower than a native program, and slower still on a busy machine.
constexpr int WINDOW_WAIT_ROUNDS = 4;  // of WaitForWindow's 20 s
constexpr int EXIT_DEADLINE_MS = 10000;
constexpr int KEY_HOLD_MS = 1000;
// The grid's lines are green; at rest they cover about a twelfth of the window.
constexpr int MIN_GRID_PIXELS = 8000;
constexpr int MIN_LIT_PIXELS = 2000;
constexpr double HEARD_RMS = 200.0;
constexpr int SAMPLE_RATE = 44100;

struct PixelCounts {
    int grid = 0;
    int lit = 0;
};

PixelCounts CountPixels(const Picture& p) {
    PixelCounts c;
    for (size_t i = 0; i + 2 < p.rgb.size(); i += 3) {
        int r = p.rgb[i], g = p.rgb[i + 1], b = p.rgb[i + 2];
        if (r + g + b > 30) c.lit += 1;
        if (g >= 60 && g > r + 30 && g > b + 30) c.grid += 1;
    }
    return c;
}

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

class WindowsGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x_.Ok()) << "Xvfb did not start";
        StartWineDesktop();
        folder_ = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        if (child_.pid > 0) StopChild(child_);
    }

    void Start(const std::string& program, const std::vector<std::string>& arguments = {},
               const std::vector<std::string>& environment = {}) {
        child_ = StartWine(program, arguments, folder_, environment, folder_ + "/program.out",
                           folder_ + "/program.err");
    }
    std::string Stderr() const { return ReadFile(folder_ + "/program.err"); }

    std::string Window() {
        for (int round = 0; round < WINDOW_WAIT_ROUNDS; ++round) {
            std::string window = WaitForWindow("vortane");
            if (!window.empty()) return window;
        }
        return "";
    }

    // The first frame with the current edition's green grid drawn (start-up loads
    // the data after the window appears), or the last one seen within 30 s. The
    // earlier edition's grid has colours of its own: any frame that lights enough
    // pixels will do for it.
    PixelCounts WaitForGrid(const std::string& window, bool green = true) {
        Picture frame;
        PixelCounts counts;
        // A failure deadline, not a measurement: under a loaded machine wine's first
        // frames can take tens of seconds.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (CaptureWindow(window, folder_ + "/frame.rgb", frame)) {
                counts = CountPixels(frame);
                if (green ? counts.grid >= MIN_GRID_PIXELS : counts.lit >= MIN_LIT_PIXELS) break;
            }
            Pause(200);
        }
        return counts;
    }

    void QuitWithEscape(const std::string& window) {
        ASSERT_TRUE(FocusWindow(window));
        ASSERT_EQ(RunTool({"xdotool", "keydown", "Escape"}), 0);
        int status = WaitChild(child_, EXIT_DEADLINE_MS);
        RunTool({"xdotool", "keyup", "Escape"});
        child_.pid = -1;
        EXPECT_EQ(status, 0) << "no exit 0 within " << EXIT_DEADLINE_MS << " ms of Escape; stderr:\n"
                             << Stderr();
    }

    // The program and its DLLs, without data, in a folder of the given name.
    std::string CopyProgram(const std::string& program, const std::string& folderName) {
        std::string copy = folder_ + "/" + folderName;
        fs::create_directories(copy);
        for (const auto& entry : fs::directory_iterator(WINDOWS_RUN)) {
            std::string name = entry.path().filename().string();
            if (name == program || entry.path().extension() == ".dll")
                fs::copy_file(entry.path(), copy + "/" + name);
        }
        return copy + "/" + program;
    }

    PrivateX x_;
    std::string folder_;
    Child child_;
};

}  // namespace

TEST_F(WindowsGame, CurrentEditionDrawsTheGridAndQuitsOnEscape) {
    Start(WINDOWS_RUN + "vortane.exe");
    std::string window = Window();
    ASSERT_FALSE(window.empty()) << Stderr();
    WindowInfo info;
    ASSERT_TRUE(QueryWindow(window, info));
    EXPECT_EQ(info.width, 800);
    EXPECT_EQ(info.height, 600);
    ASSERT_TRUE(FocusWindow(window));
    EXPECT_GE(WaitForGrid(window).grid, MIN_GRID_PIXELS) << "the grid is not drawn; stderr:\n" << Stderr();
    QuitWithEscape(window);
}

TEST_F(WindowsGame, EarlierEditionFallsBackToAWindowWhenTheDisplayRefusesItsMode) {
    // Xvfb offers no 1024 x 768 at 75 Hz: the full-screen request becomes a window
    // of that size, without a message.
    Start(WINDOWS_RUN + "vortane-classic.exe");
    std::string window = Window();
    ASSERT_FALSE(window.empty()) << Stderr();
    WindowInfo info;
    ASSERT_TRUE(QueryWindow(window, info));
    EXPECT_EQ(info.width, 1024);
    EXPECT_EQ(info.height, 768);
    ASSERT_TRUE(FocusWindow(window));
    EXPECT_GE(WaitForGrid(window, false).lit, MIN_LIT_PIXELS) << "nothing drawn; stderr:\n" << Stderr();
    QuitWithEscape(window);
}

TEST_F(WindowsGame, FindsDataThroughVortaneDataFromAFolderWithSpacesAndNonAsciiLetters) {
    std::string program = CopyProgram("vortane.exe", "Spiele mit Leerzeichen ü é 日本");
    std::string data = folder_ + "/données du jeu";
    fs::copy(WINDOWS_RUN + "data", data);
    Start(program, {}, {"VORTANE_DATA=Z:" + data});
    std::string window = Window();
    ASSERT_FALSE(window.empty()) << Stderr();
    ASSERT_TRUE(FocusWindow(window));
    EXPECT_GE(WaitForGrid(window).grid, MIN_GRID_PIXELS) << "the pictures were not found; stderr:\n"
                                                         << Stderr();
    QuitWithEscape(window);
}

TEST_F(WindowsGame, RecordsToStandardOutputAndToANonAsciiPathAsOnLinux) {
    fs::create_directories(folder_ + "/Aufnahmen ö");
    for (const std::string& target : {std::string("-"), std::string("Aufnahmen ö/erste Runde.rec")}) {
        SCOPED_TRACE(target);
        Start(WINDOWS_RUN + "vortane.exe", {"--record", target});
        std::string window = Window();
        ASSERT_FALSE(window.empty()) << Stderr();
        ASSERT_TRUE(FocusWindow(window));
        WaitForGrid(window);
        QuitWithEscape(window);
        std::string recording = target == "-" ? folder_ + "/program.out" : folder_ + "/" + target;
        ASSERT_TRUE(FileExists(recording));
        // The native simulator replays what the Windows game recorded.
        ShellResult replay =
            RunShell(Quoted(VORTANE_RUN_DIR "/vortane-sim") + " --replay " + Quoted(recording));
        EXPECT_EQ(replay.status, 0) << replay.err;
        EXPECT_FALSE(replay.out.empty());
    }
}

TEST_F(WindowsGame, PlaysThroughWinesPulseAudioDriver) {
    PrivateSound sound(folder_);
    ASSERT_TRUE(sound.Ok()) << "PulseAudio did not start:\n" << ReadFile(sound.Log());
    std::string recording = folder_ + "/recording.raw";
    Child recorder = sound.StartRecording(recording);
    // The earlier edition's music plays from the start, nothing pressed.
    Start(WINDOWS_RUN + "vortane-classic.exe", {"--window"}, sound.Env());
    std::string window = Window();
    ASSERT_FALSE(window.empty()) << Stderr();
    ASSERT_TRUE(FocusWindow(window));
    WaitForGrid(window, false);
    // Eight seconds of the running game recorded, counted from its first frame:
    // under wine the stream opens a few seconds after the window shows.
    std::error_code error;
    size_t shown = fs::file_size(recording, error) / 2;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline &&
           fs::file_size(recording, error) / 2 < shown + 8u * SAMPLE_RATE) {
        Pause(100);
    }
    QuitWithEscape(window);
    StopChild(recorder);
    std::vector<int16_t> samples = ReadRecording(recording);
    ASSERT_GT(samples.size(), shown + 8 * SAMPLE_RATE) << "the recording stopped early";
    // The loudest second after the first frame.
    double music = 0;
    for (size_t at = shown; at + SAMPLE_RATE <= samples.size(); at += SAMPLE_RATE / 2) {
        music = std::max(music, RecordingRms(samples, at, at + SAMPLE_RATE));
    }
    EXPECT_GE(music, HEARD_RMS) << "no music heard (RMS " << music << "); stderr:\n" << Stderr();
}

// The settings go to the Windows preference folder (%APPDATA%\vortane) through the
// Windows file calls: a stale temporary of a writer that is gone is removed, an
// unreadable settings file is set aside over an older one, and the defaults are
// written in its place, with no temporary left behind.
TEST_F(WindowsGame, KeepsItsSettingsInTheWindowsPreferenceFolder) {
    ShellResult appData = RunShell(WineCommand("cmd", "/c echo %APPDATA%"));
    ASSERT_EQ(appData.status, 0) << appData.err;
    std::string windowsPath = appData.out.substr(0, appData.out.find_first_of("\r\n"));
    ShellResult unixPath = RunShell(WineCommand("winepath", "-u " + Quoted(windowsPath)));
    ASSERT_EQ(unixPath.status, 0) << unixPath.err;
    std::string folder = unixPath.out.substr(0, unixPath.out.find('\n')) + "/vortane";
    ASSERT_NE(folder.find("/AppData/Roaming/vortane"), std::string::npos) << folder;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string settings = folder + "/settings.conf";
    // A zero byte: not a file the games wrote.
    WriteFile(settings, std::string("volume = 3\n\0\n", 13));
    WriteFile(settings + ".bad", "an older bad file\n");
    // No process has this id (Windows' ids are multiples of four).
    WriteFile(settings + ".tmp.999999", "half written");

    Start(WINDOWS_RUN + "vortane.exe");
    std::string window = Window();
    ASSERT_FALSE(window.empty()) << Stderr();
    ASSERT_TRUE(FocusWindow(window));
    WaitForGrid(window);
    QuitWithEscape(window);

    EXPECT_NE(Stderr().find("settings.conf.bad"), std::string::npos) << Stderr();
    EXPECT_EQ(ReadFile(settings + ".bad"), std::string("volume = 3\n\0\n", 13));
    std::string written = ReadFile(settings);
    EXPECT_NE(written.find("control-mode = "), std::string::npos) << written;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"settings.conf", "settings.conf.bad"}));
    // Nothing kept in the working folder or beside the program.
    EXPECT_FALSE(FileExists(folder_ + "/settings.conf"));
    EXPECT_FALSE(FileExists(WINDOWS_RUN + "settings.conf"));
}

TEST(WindowsGames, GuiProgramsPrintHelpAndVersion) {
    for (const char* game : {"vortane.exe", "vortane-classic.exe"}) {
        SCOPED_TRACE(game);
        ShellResult version = RunShell(WineCommand(WINDOWS_RUN + game, "--version"));
        EXPECT_EQ(version.status, 0) << version.err;
        EXPECT_NE(version.out.find(VORTANE_VERSION), std::string::npos) << version.out;
        ShellResult help = RunShell(WineCommand(WINDOWS_RUN + game, "--help"));
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_NE(help.out.find("--record FILE"), std::string::npos) << help.out;
        EXPECT_EQ(help.out.find('\r'), std::string::npos) << "standard output is not binary";
    }
}
