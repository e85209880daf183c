#include "tests/support/window_tools.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {
using Clock = std::chrono::steady_clock;

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
}  // namespace

std::string WaitForWindow(const std::string& title) {
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        std::string ids;
        if (RunTool({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}, &ids) == 0) {
            std::istringstream lines(ids);
            std::string id;
            if (lines >> id) return id;
        }
        Sleep(50);
    }
    return "";
}

bool QueryWindow(const std::string& id, WindowInfo& info) {
    std::string text;
    if (RunTool({"xwininfo", "-id", id}, &text) != 0) return false;
    for (const std::string& line : Lines(text)) {
        size_t quote = line.find('"');
        if (line.find("Window id:") != std::string::npos && quote != std::string::npos) {
            info.title = line.substr(quote + 1, line.rfind('"') - quote - 1);
        }
        if (line.find("  Width:") == 0) info.width = std::atoi(line.c_str() + 9);
        if (line.find("  Height:") == 0) info.height = std::atoi(line.c_str() + 10);
    }
    return true;
}

bool FocusWindow(const std::string& id) {
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        std::string focused;
        RunTool({"xdotool", "windowfocus", id});
        if (RunTool({"xdotool", "getwindowfocus"}, &focused) == 0 &&
            std::strtoul(focused.c_str(), nullptr, 10) == std::strtoul(id.c_str(), nullptr, 10)) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

bool CaptureWindow(const std::string& id, const std::string& file, Picture& picture) {
    WindowInfo info;
    if (!QueryWindow(id, info) || info.width <= 0 || info.height <= 0) return false;
    if (RunTool({"import", "-window", id, "-depth", "8", "rgb:" + file}) != 0) return false;
    picture.rgb = ReadBytes(file);
    picture.width = info.width;
    picture.height = info.height;
    return picture.rgb.size() == size_t(info.width) * size_t(info.height) * 3;
}
