#include "tests/windows/wine_run.h"

#include <gtest/gtest.h>

const std::string WINDOWS_RUN = VORTANE_WINDOWS_BUILD "/run/";

std::vector<std::string> WineEnvironment() {
    return {"WINEPREFIX=" VORTANE_WINE_PREFIX, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="};
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string WineCommand(const std::string& program, const std::string& arguments) {
    std::string command = "env";
    for (const std::string& setting : WineEnvironment()) command += " " + Quoted(setting);
    return command + " wine " + Quoted(program) + " " + arguments;
}

Child StartWine(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& workDir, const std::vector<std::string>& environment,
                const std::string& stdoutFile, const std::string& stderrFile) {
    std::vector<std::string> argv = {"wine", program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env = WineEnvironment();
    env.insert(env.end(), environment.begin(), environment.end());
    return StartChild(argv, workDir, env, stdoutFile, stderrFile);
}

void EndWineServer() {
    std::string prefix = Quoted("WINEPREFIX=" VORTANE_WINE_PREFIX);
    RunShell("env " + prefix + " wineserver -k > /dev/null 2>&1; env " + prefix + " wineserver -w");
}

void StartWineDesktop() { RunShell(WineCommand("cmd", "/c exit")); }

namespace {
// Every case starts and ends with no wine server in the prefix. A server left
// running by the case before keeps that case's desktop, bound to its X server,
// which is gone by now: the next game's window then fails on it (an X BadWindow,
// no frame drawn), more often the busier the machine.
class OwnWineServer : public ::testing::Environment {
public:
    void SetUp() override { EndWineServer(); }
    void TearDown() override { EndWineServer(); }
};
const ::testing::Environment* const ownWineServer = ::testing::AddGlobalTestEnvironment(new OwnWineServer);
}  // namespace
