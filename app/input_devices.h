#pragma once
#include <SDL2/SDL.h>

#include <cstdint>
#include <string>

#include "app/press_latch.h"
#include "game/controls.h"

// Every axis reads −1000..+1000; a direction counts beyond the threshold (30 %).
constexpr int JOYSTICK_AXIS_RANGE = 1000;
constexpr int JOYSTICK_THRESHOLD = 300;
constexpr int JOYSTICK_POLL_MS = 10;

// The raw SDL axis (−32768..32767) on the −1000..+1000 scale, truncated.
int ScaleJoystickAxis(int raw);

// Keyboard, mouse and the first joystick that opens, folded into one table of key
// slots. A device SDL has a mapping for is read as a game controller (left stick
// and D-pad steer, the south button is button 1); any other as a raw joystick
// (axes 0 and 1, buttons 1..6). Poll and KeyDown run on the main thread; the
// joystick is polled by a thread of its own every 10 ms and handed over through
// the joystickPolled flag. The same thread follows devices plugged in or pulled
// out at any time. One instance at a time: the joystick state is process-wide.
//
// Each Poll is a snapshot, so presses are also taken from the events as they are
// pumped (an event watch): a key, mouse button or pad button pressed and
// released between two polls reads as held at the next one (PressLatch).
class InputDevices : public Controls {
public:
    // The keyboard counts only while this window has the keyboard focus. Problems
    // with the mouse or joystick show an "Error" box; construction always completes.
    explicit InputDevices(SDL_Window* window);
    // Stops the joystick thread (within about one cycle), then releases the devices.
    ~InputDevices() override;
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    void Poll() override;
    bool KeyDown(int slot) const override;

    // True once for each press of a mapped pad's Start button that Poll has seen
    // since the last call (the shell's pause; no key slot of the world's).
    bool TakePadStart();
    // Latches the key and button presses still queued for the main loop, pressed
    // before the event watch was there (during start-up) or taken by a poll made
    // before any step: the first step sees them.
    void LatchQueuedPresses();
    // Forgets the presses since the last poll (they were made while paused).
    void ForgetPresses() { latch.Clear(); }

    // 0..255 keyboard (bit 7 set while down), 256..265 joystick (0 or 1),
    // 266..268 mouse buttons (0x80 while down).
    uint8_t keyState[KEY_SLOT_COUNT] = {};
    int32_t joystickThreshold = JOYSTICK_THRESHOLD;

private:
    struct MouseState {
        int32_t x = 0, y = 0;  // relative motion since the last read
        uint8_t buttons[4] = {};
    };

    void ReadKeyboard();
    void ReadMouse();
    void ReadJoystick();
    // The event watch: runs where the event is pushed (the main thread's pump, or
    // the joystick thread's update).
    static int LatchPress(void* devices, SDL_Event* event);

    SDL_Window* window;
    PressLatch latch;
    uint8_t joystickRead[KEY_MOUSE_LEFT - KEY_JOY_RIGHT] = {};  // the pad's slots as last read
    bool mousePresent = false;
    ButtonPresses padStart;  // the pad's Start, for TakePadStart
    MouseState mouseState;
};

// Before SDL reads it: the mappings file SDL_GAMECONTROLLERCONFIG_FILE names must be
// a regular file of at most NAMED_INPUT_MAX_BYTES (a pipe would hang start-up, a
// folder or device confuses SDL). A missing file is SDL's to ignore. false with
// `error` for the message otherwise.
bool CheckControllerMappingsFile(std::string& error);

// True while a joystick or game controller is open.
bool JoystickPresent();

// True when the polling thread has polled since Poll last took its state. With
// the joysticks locked (SDL_LockJoysticks) the flag cannot become set.
bool JoystickHandOverReady();
