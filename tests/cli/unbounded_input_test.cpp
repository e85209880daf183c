// Inputs no real file looks like: a device that never ends, a pipe no one writes
// to, a folder, standard input that never ends, a file far too large. Every
// program that reads a file whole answers each with one line on stderr and exit
// status 2, without hanging and without running out of memory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {

const std::string RUN = VORTANE_RUN_DIR "/";
const std::string BAD_DIR = VORTANE_SOURCE_DIR "/tests/bad/";

// Runs `command` from the case's folder with the programs of the run folder on the
// path, no display and no audio device; a program that waits on its input is
// stopped after 20 s and so fails the case instead of hanging the suite.
ShellResult RunWithin(const std::string& command) {
    return RunShell("export PATH='" + RUN + "':\"$PATH\"; unset DISPLAY WAYLAND_DISPLAY; " +
                    "export SDL_AUDIODRIVER=dummy AUDIODEV=none; " + command);
}

size_t LineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct Case {
    const char* command;  // run from the case's folder; "timeout 20" is put in front of the program
    const char* says;     // what the one line must say
};

void ExpectOneLineAndStatus2(const Case& c) {
    SCOPED_TRACE(c.command);
    std::string command = c.command;
    // The program is the first word after any pipe.
    size_t start = command.rfind("| ");
    start = start == std::string::npos ? 0 : start + 2;
    command.insert(start, "timeout 20 ");
    ShellResult r = RunWithin(command);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(LineCount(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
}

// The folder every case finds: a pipe, a folder, a song naming an endless device
// as its instrument, a file larger than any real one (sparse: it costs no disk).
void MakeSpecialFiles() {
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    ASSERT_EQ(mkfifo("pipe.zds", 0600), 0);
    ASSERT_EQ(mkdir("folder", 0755), 0);
    ASSERT_EQ(mkdir("folder.zit", 0755), 0);
    std::ofstream("zero.zst") << "title \"endless\"\ninstrument bass file \"/dev/zero\"\n";
    std::ofstream("piped.zst") << "title \"waits\"\ninstrument bass file \"pipe\"\n";
    std::ofstream("big.zit").close();
    ASSERT_EQ(truncate("big.zit", (65 << 20)), 0);
}

const char* const NOT_REGULAR = "is not a regular file";
const char* const TOO_LARGE = "is larger than 64 MiB";

}  // namespace

TEST(SpecialInputs, TheSimulatorRefusesDevicesPipesFoldersAndEndlessInput) {
    MakeSpecialFiles();
    for (const Case& c : {
             Case{"vortane-sim --replay /dev/zero", NOT_REGULAR},
             Case{"vortane-sim --input /dev/zero", NOT_REGULAR},
             Case{"vortane-sim --replay pipe", NOT_REGULAR},
             Case{"vortane-sim --input pipe", NOT_REGULAR},
             Case{"vortane-sim --replay folder", "is a folder"},
             Case{"yes '1 FIRE' | vortane-sim --replay -", "standard input: is larger than 64 MiB"},
             Case{"yes '1 FIRE' | vortane-sim --input -", "standard input: is larger than 64 MiB"},
             Case{"vortane-sim --input big.zit", TOO_LARGE},
         })
        ExpectOneLineAndStatus2(c);
}

TEST(SpecialInputs, TheGamesRefuseThemBeforeAnyWindow) {
    MakeSpecialFiles();
    for (const Case& c : {
             Case{"vortane --replay /dev/zero", NOT_REGULAR},
             Case{"vortane-classic --replay pipe", NOT_REGULAR},
             Case{"yes '1 FIRE' | vortane --replay -", TOO_LARGE},
             Case{"env SDL_GAMECONTROLLERCONFIG_FILE=pipe vortane",
                  "SDL_GAMECONTROLLERCONFIG_FILE) is not a regular file"},
             Case{"env SDL_GAMECONTROLLERCONFIG_FILE=folder vortane-classic",
                  "(SDL_GAMECONTROLLERCONFIG_FILE) is a folder"},
             Case{"env SDL_GAMECONTROLLERCONFIG_FILE=big.zit vortane", TOO_LARGE},
         })
        ExpectOneLineAndStatus2(c);
}

TEST(SpecialInputs, TheSoundToolsRefuseThemToo) {
    MakeSpecialFiles();
    for (const Case& c : {
             Case{"zonder-render --events /dev/zero --samples 1 --out x.wav", NOT_REGULAR},
             Case{"yes '0 play' | zonder-render --events - --samples 1 --out x.wav", TOO_LARGE},
             Case{"zonder-render --song zero.zst --samples 1 --out x.wav",
                  "/dev/zero: is not a regular file"},
             Case{"zonder-render --song piped.zst --samples 1 --out x.wav", "pipe: is not a regular file"},
             Case{"zonder-render --effect 0=/dev/zero --samples 1 --out x.wav", NOT_REGULAR},
             Case{"zonder-render --effect 0=big.zit --samples 1 --out x.wav", TOO_LARGE},
             Case{"zonder-pack zero.zst -o never.zds", "/dev/zero: is not a regular file"},
             Case{"zonder-pack --dump pipe.zds", NOT_REGULAR},
             Case{"zonder-pack big.zit", TOO_LARGE},
             Case{"zonder-pack folder.zit", "is a folder"},
         })
        ExpectOneLineAndStatus2(c);
    EXPECT_FALSE(FileExists("never.zds"));
}

TEST(SpecialInputs, FileTextInAMessageIsQuoted) {
    ShellResult r =
        RunWithin("vortane-sim --replay '" + BAD_DIR + "recording_escape_sequences_and_nul_in_control.vrec'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(LineCount(r.err), 1u) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << "an escape reached the terminal";
    EXPECT_EQ(r.err.find('\0'), std::string::npos);
    EXPECT_NE(r.err.find("\\x1b[2J\\x1b[31mFIRE\\x00RED\""), std::string::npos) << r.err;
}
