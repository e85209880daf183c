#pragma once
#include "game/edition.h"
#include "shell/platform.h"

class InputDevices;

// The input devices of the running game: created by start-up through
// StartInputDevices, destroyed by the shutdown. Main thread only.
extern InputDevices* input;

// Start-up's last steps: create the input devices for the window, give them 100 ms
// to settle, and poll them once so the first step sees current keys; a key or
// button pressed during start-up counts for the first step.
void StartInputDevices();

// The desktop's side of the shared start-up and shutdown (shell/platform.h), over
// SDL and the window of app/window.h: the data folder found beside the program
// (app/data_dir.h), the run's seed from the session (the time, or a replay's), the
// window icon and filled polygons, the input devices, and the window destroyed
// after the edition's textures (the cursor shown again after full screen).
Platform DesktopPlatform();

// StartEdition over the desktop's platform, as RunGame runs it.
bool StartDesktopEdition(const Edition& edition);
