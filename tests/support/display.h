#pragma once
// X servers of a test's own and what tests do on them: synthetic input, finding,
// measuring and closing windows, and bounded waits.
#include <functional>
#include <string>

#include "tests/support/programs.h"

// Starts an Xvfb of this process's own (1280 × 1024 × 24) for the rest of the
// process and points DISPLAY at it. Focus and window placement tests would disturb
// each other on the display shared by the whole test run, which runs tests side by
// side. Link private_display.cpp (vortane_test ... PRIVATE_DISPLAY) to do this
// before the first test.
void UsePrivateDisplay();

// An Xvfb of this object's own, 1024 × 768 × 24; DISPLAY points at it while it lives.
class PrivateX {
public:
    PrivateX();
    ~PrivateX();
    bool Ok() const { return !display_.empty(); }

private:
    Child server_;
    std::string display_;
};

// Seconds a waited-for event may take before the wait gives up (a failure, not a
// measurement: everything here normally takes milliseconds).
constexpr int WAIT_SECONDS = 10;

// Calls step until it returns true or WAIT_SECONDS pass; returns the last result.
bool WaitFor(const std::function<bool()>& step);

// Synthetic input through the XTEST extension of the current DISPLAY.
void FakeKey(unsigned long keysym, bool down);
void FakeButton(unsigned int button, bool down);

// Asks a window to close the way a window manager does (WM_DELETE_WINDOW), as a
// title-bar close button does; false when the request could not be sent.
bool RequestClose(unsigned long xWindow);

// The first top-level window with this title, or 0.
unsigned long FindWindowByTitle(const char* title);

// The client size of a window as the X server has it.
bool XClientSize(unsigned long xWindow, int* width, int* height);

// The window that has the X keyboard focus.
unsigned long FocusedXWindow();
