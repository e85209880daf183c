#pragma once
#include "game/controls.h"

class InputDevices;

// The input devices of the running game: created by the edition's Init through
// StartInputDevices, destroyed by the shutdown of RunGame. Main thread only.
extern InputDevices* input;

// What makes one edition of the game: its window and its own start-up, world step
// and frame. The frame around them (window, main loop, shutdown order) is shared.
struct Edition {
    const char* title;
    int width;
    int height;
    int bits;
    bool fullscreen;                       // ask for an exact full-screen mode, falling back to a window
    bool (*init)();                        // the start-up sequence; ends with StartInputDevices()
    bool (*updateWorld)(Controls& input);  // one world step; false ends the program
    void (*drawScene)();                   // one frame, left in the back buffer
    void (*stopAudio)();                   // shutdown, before the input devices go; may be null
    void (*releaseGraphics)();             // shutdown, while the GL context is still current; may be null
};

// Start-up's last steps: create the input devices for the window, give them 100 ms
// to settle, and poll them once so the first step sees current keys.
void StartInputDevices();

// Creates the window, runs the edition's Init, then the main loop: every waiting
// event first, and only when none waits one world step, one frame and one buffer
// swap. No frame limiter, no sleep: the swap interval is the only pace. Ends on the
// quit event (window closed) or when the world step returns false (Escape), runs
// the shutdown and returns the process exit code, 0.
int RunGame(const Edition& edition);
