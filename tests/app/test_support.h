#pragma once
// Helpers shared by the platform tests: a private X server per test process, a
// recorder for message boxes, synthetic X input and bounded waits.
#include <SDL2/SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "app/message_box.h"

// Starts an Xvfb of this process's own and points DISPLAY at it. Focus and window
// placement tests would disturb each other on the display shared by the whole test
// run, which runs tests side by side.
void UsePrivateDisplay();

// Seconds a waited-for event may take before the wait gives up (a failure, not a
// measurement: everything here normally takes milliseconds).
constexpr int WAIT_SECONDS = 10;

// Calls step until it returns true or WAIT_SECONDS pass; returns the last result.
bool WaitFor(const std::function<bool()>& step);

struct RecordedBox {
    std::string text;
    std::string caption;
    BoxIcon icon;
    bool windowExisted;  // appWindow was still set when the box came up
};

// Records every message box instead of showing it, for as long as it lives.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    const std::vector<RecordedBox>& Boxes() const;

private:
    MessageBoxHandler previous;
};

// Synthetic input through the XTEST extension of the current DISPLAY.
void FakeKey(unsigned long keysym, bool down);
void FakeButton(unsigned int button, bool down);

// The X window id behind an SDL window.
unsigned long XWindowOf(SDL_Window* window);

// Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
void RequestClose(unsigned long xWindow);

// The first top-level window with this title, or 0.
unsigned long FindWindowByTitle(const char* title);

// The client size of a window as the X server has it.
bool XClientSize(unsigned long xWindow, int* width, int* height);

// The window that has the X keyboard focus.
unsigned long FocusedXWindow();

// A fresh folder under the working directory, entered for the object's lifetime,
// so that tests running side by side never share log.txt or data/.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return path; }

private:
    std::string path;
    std::string previous;
};
