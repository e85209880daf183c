#include "tests/e2e/game_keys.h"

#include <chrono>
#include <thread>

#include "tests/support/window_tools.h"

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool SendKeys(const std::vector<std::string>& words) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), words.begin(), words.end());
    int status = RunTool(argv);
    for (int attempt = 1; attempt < 3 && status != 0; ++attempt) {
        Pause(100);
        status = RunTool(argv);
    }
    return status == 0;
}

std::string FocusedGameWindow(const std::string& title) {
    std::string window = WaitForWindow(title);
    if (window.empty() || !FocusWindow(window)) return "";
    return window;
}

int HoldEscapeUntilExit(Child& game) {
    // A press that never arrived shows as a game that did not end in time (-1).
    SendKeys({"keydown", "Escape"});
    int status = WaitChild(game, EXIT_DEADLINE_MS);
    SendKeys({"keyup", "Escape"});
    return status;
}
