#include "tests/windows/wine_run.h"

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
