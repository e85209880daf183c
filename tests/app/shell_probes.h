#pragma once
// What the shell's tests watch that only the shell has: the message boxes it shows
// and the X window behind its SDL window. Displays, input and folders come from
// tests/support.
#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "app/message_box.h"

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

// The X window id behind an SDL window.
unsigned long XWindowOf(SDL_Window* window);
