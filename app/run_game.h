#pragma once
#include "app/start_up.h"
#include "game/controls.h"
#include "game/edition.h"
#include "synth/player.h"

class InputDevices;

// The input devices of the running game: created by start-up through
// StartInputDevices, destroyed by the shutdown of RunGame. Main thread only.
extern InputDevices* input;

// Start-up's last steps: create the input devices for the window, give them 100 ms
// to settle, and poll them once so the first step sees current keys.
void StartInputDevices();

// The steps of start-up and shutdown that RunGame takes outside the edition: the
// programs use the defaults; the shell's tests put their own.
struct ShellSteps {
    bool (*init)(const Edition& edition) = StartEdition;  // ends with StartInputDevices()
    void (*stopAudio)() = StopPlayer;                     // shutdown, before the input devices go
};

// Creates the window, runs start-up, then the main loop: every waiting event
// first, and only when none waits one world step, one frame and one buffer swap.
// The swap interval paces the frames; where the driver grants none, a frame
// limiter keeps them to the display's refresh (app/frame_pacing.h). Ends on the quit
// event (window closed) or when the world step returns false (Escape), runs the
// shutdown (audio, input devices, the edition's textures while the context is
// current, the cursor shown again after full screen, the window) and returns the
// process exit code, 0.
int RunGame(const Edition& edition, const ShellSteps& steps = ShellSteps());
