// Every program follows the one command-line convention: --help on stdout with
// status 0, --version as "NAME VERSION" even without a display, one stderr line
// ending in "try --help" and status 2 for an unknown option or a bad value, and
// "-" for the standard streams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {

const std::string RUN = VORTANE_RUN_DIR "/";

using Result = ShellResult;

// Runs a program of the run folder through the shell, with no display and no audio
// device in reach, stdin from `input`. Redirections in `arguments` come last, so
// they win.
Result RunProgram(const std::string& program, const std::string& arguments,
                  const std::string& input = "/dev/null") {
    return RunShell("env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy AUDIODEV=none '" + RUN +
                    program + "' < " + input + " " + arguments);
}

size_t LineCount(const std::string& text) {
    size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

struct Program {
    const char* name;
    const char* badValue;  // arguments with one bad value
    const char* named;     // what the bad value's message must name
};

const Program PROGRAMS[] = {
    {"vortane", "--help=now", "--help"},
    {"vortane-classic", "--version=2", "--version"},
    {"vortane-sim", "--seed abc", "\"abc\" for --seed"},
    {"vortane-shot", "--steps=-1 --out x.png", "\"-1\" for --steps"},
    {"zonder-render", "--samples 10 --out x.wav --buffer 0", "\"0\" for --buffer"},
    {"zonder-pack", "--dump=yes x.zdi", "--dump"},
    {"make-textures", "--version=1 out", "--version"},
};

}  // namespace

TEST(Programs, HelpGoesToStdoutAndExitsZero) {
    for (const Program& p : PROGRAMS) {
        SCOPED_TRACE(p.name);
        Result r = RunProgram(p.name, "--help");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.rfind(std::string("usage: ") + p.name + " ", 0), 0u) << r.out;
        EXPECT_NE(r.out.find("--version"), std::string::npos) << r.out;
    }
}

TEST(Programs, VersionNeedsNoDisplayAndNamesTheProgram) {
    for (const Program& p : PROGRAMS) {
        SCOPED_TRACE(p.name);
        Result r = RunProgram(p.name, "--version");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(p.name) + " " VORTANE_VERSION "\n");
        EXPECT_EQ(r.err, "");
    }
}

TEST(Programs, UnknownOptionIsOneLineNamingItAndExitsTwo) {
    for (const Program& p : PROGRAMS) {
        SCOPED_TRACE(p.name);
        Result r = RunProgram(p.name, "--no-such-option");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(LineCount(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind(std::string(p.name) + ": ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\"--no-such-option\""), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("try --help"), std::string::npos) << r.err;
    }
}

TEST(Programs, BadValueIsOneLineNamingItAndExitsTwo) {
    for (const Program& p : PROGRAMS) {
        SCOPED_TRACE(p.name);
        Result r = RunProgram(p.name, p.badValue);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(LineCount(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind(std::string(p.name) + ": ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(p.named), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("try --help"), std::string::npos) << r.err;
    }
}

// "-" in every place a program reads or writes a file it is told of; the standard
// stream must give the same bytes as the named file. vortane-shot's --out - needs a
// display and is tested with the tool (tests/render).
TEST(Programs, DashIsStandardInputOrOutput) {
    std::ofstream("script.txt") << "5 FIRE\n3 LEFT\n";
    Result fromFile = RunProgram("vortane-sim", "--steps 20 --input script.txt");
    Result fromStdin = RunProgram("vortane-sim", "--steps 20 --input -", "script.txt");
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_EQ(fromStdin.out, fromFile.out);

    std::ofstream("bad.txt") << "5 FIRE\nthree LEFT\n";
    Result badStdin = RunProgram("vortane-sim", "--input -", "bad.txt");
    EXPECT_EQ(badStdin.status, 2);
    EXPECT_NE(badStdin.err.find("standard input line 2"), std::string::npos) << badStdin.err;

    std::ofstream("run.vrec") << "# vortane recording\n# edition classic\n# seed 4\n5 JFIRE\n3 JLEFT\n"
                                 "# end steps 8 score 0 rand 0\n";
    Result replayed = RunProgram("vortane-sim", "--replay run.vrec");
    Result replayedStdin = RunProgram("vortane-sim", "--replay -", "run.vrec");
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(replayedStdin.status, 0) << replayedStdin.err;
    EXPECT_EQ(replayedStdin.out, replayed.out);

    const std::string effect = "--effect 0=" + RUN + "data/shot.zdi";
    std::ofstream("events.txt") << "0 trigger 0 40 1\n";
    Result toFile =
        RunProgram("zonder-render", effect + " --events events.txt --samples 3000 --out file.wav");
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    Result toStdout =
        RunProgram("zonder-render", effect + " --events - --samples 3000 --out -", "events.txt");
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, ReadFile("file.wav"));
    EXPECT_GT(toStdout.out.size(), 12000u);

    Result dumped = RunProgram("zonder-pack", "--dump " + RUN + "data/shot.zdi -o -");
    Result dumpedPlain = RunProgram("zonder-pack", "--dump " + RUN + "data/shot.zdi");
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_NE(dumped.out, "");
    EXPECT_EQ(dumped.out, dumpedPlain.out);
    std::ofstream("shot.zit") << dumped.out;
    Result packed = RunProgram("zonder-pack", "shot.zit -o -");
    EXPECT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(packed.out, ReadFile(RUN + "data/shot.zdi"));
}

TEST(Programs, RuntimeFailureExitsOne) {
    struct Case {
        const char* program;
        const char* arguments;
    };
    for (const Case& c : {
             Case{"zonder-render", "--samples 10 --out no/such/folder/x.wav"},
             Case{"zonder-pack", "--dump " VORTANE_RUN_DIR "/data/shot.zdi -o no/such/folder/x.zit"},
             Case{"make-textures", "no/such/folder"},
             Case{"vortane-sim", "--steps 3 > /dev/full"},
             Case{"vortane", "--record no/such/folder/x.vrec"},
             Case{"vortane-classic", "--record no/such/folder/x.vrec"},
         }) {
        SCOPED_TRACE(std::string(c.program) + " " + c.arguments);
        Result r = RunProgram(c.program, c.arguments);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_EQ(r.err.rfind(std::string(c.program) + ": ", 0), 0u) << r.err;
    }
}
