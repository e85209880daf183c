#pragma once

class InputDevices;

// The input devices of the running game: created by start-up through
// StartInputDevices, destroyed by the shutdown of RunGame. Main thread only.
extern InputDevices* input;

// Start-up's last steps: create the input devices for the window, give them 100 ms
// to settle, and poll them once so the first step sees current keys; a key or
// button pressed during start-up counts for the first step.
void StartInputDevices();

// Shutdown's: the input devices closed and forgotten.
void StopInputDevices();
