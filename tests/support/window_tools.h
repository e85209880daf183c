#pragma once
// Windows of other programs, found, focused and photographed with the ordinary
// desktop tools (xdotool, xwininfo, import) on the current DISPLAY. Window ids are
// the tools' decimal text.
#include <cstdint>
#include <string>
#include <vector>

// The viewable top-level window titled exactly `title`, or "" (waits up to 20 s).
std::string WaitForWindow(const std::string& title);

// Width, height and title of a window as xwininfo reports them.
struct WindowInfo {
    int width = 0;
    int height = 0;
    std::string title;
};
bool QueryWindow(const std::string& id, WindowInfo& info);

// Gives the window the keyboard focus and waits until it has it.
bool FocusWindow(const std::string& id);

// A screenshot of the window as red, green, blue bytes (import -window), kept in `file`.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};
bool CaptureWindow(const std::string& id, const std::string& file, Picture& picture);
