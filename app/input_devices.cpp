#include "app/input_devices.h"

#include <atomic>
#include <cstring>

#include "app/message_box.h"
#include "app/scan_codes.h"

namespace {
// Shared with the polling thread, so kept outside the object. The thread touches
// the device only while joystickPolled is clear and sets it after each poll; Poll
// reads the device only while it is set and clears it after reading. Both sides
// also hold SDL's joystick lock around their SDL calls.
SDL_Joystick* joystick = nullptr;
std::atomic<bool> joystickPresent{false};
std::atomic<bool> joystickStop{false};
std::atomic<bool> joystickPolled{false};
SDL_Thread* joystickThread = nullptr;
bool joystickSubsystem = false;

constexpr int JOYSTICK_BUTTON_COUNT = 6;

int JoystickThread(void*) {
    while (!joystickStop.load(std::memory_order_acquire)) {
        SDL_Delay(JOYSTICK_POLL_MS);
        SDL_LockJoysticks();
        if (!joystickPolled.load(std::memory_order_acquire)) {
            SDL_JoystickUpdate();
            // Set while still locked, so a main thread holding the lock knows the
            // flag cannot change under it.
            joystickPolled.store(true, std::memory_order_release);
        }
        SDL_UnlockJoysticks();
    }
    joystickPolled.store(true, std::memory_order_release);
    return 1;
}

// reason: SDL's explanation for stderr, or nullptr when SDL has none.
void ShowInputError(const char* text, const char* reason) {
    ShowMessageBox(text, "Error", BoxIcon::None, reason);
}

// The first attached joystick that opens wins.
void OpenJoystick() {
    joystickPresent.store(false, std::memory_order_release);
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        joystick = SDL_JoystickOpen(i);
        if (joystick) {
            joystickPresent.store(true, std::memory_order_release);
            break;
        }
    }
    if (!joystick) return;
    // The layout the state is read in: axes and buttons must be countable.
    if (SDL_JoystickNumAxes(joystick) < 0) ShowInputError("Joystick Error", SDL_GetError());
    if (SDL_JoystickNumButtons(joystick) < 0) ShowInputError("Joystick Error", SDL_GetError());
}

void CloseJoystick() {
    SDL_LockJoysticks();
    SDL_JoystickClose(joystick);
    SDL_UnlockJoysticks();
    joystick = nullptr;
    joystickPresent.store(false, std::memory_order_release);
}
}  // namespace

int ScaleJoystickAxis(int raw) {
    // −32768..32767 onto −1000..+1000; the numerator is never negative, so the
    // division truncates the same way on both sides of the centre.
    int64_t offset = static_cast<int64_t>(raw) + 32768;
    return static_cast<int>(offset * (2 * JOYSTICK_AXIS_RANGE) / 65535) - JOYSTICK_AXIS_RANGE;
}

bool JoystickPresent() { return joystickPresent.load(std::memory_order_acquire); }

bool JoystickHandOverReady() { return JoystickPresent() && joystickPolled.load(std::memory_order_acquire); }

InputDevices::InputDevices(SDL_Window* window_) : window(window_) {
    // The polling thread is the only one to update the joystick; event pumping on
    // the main thread must not.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    joystickSubsystem = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (joystickSubsystem) {
        SDL_JoystickEventState(SDL_IGNORE);
        OpenJoystick();
    }

    // The mouse exists with the video subsystem. It is held exclusively: captured
    // while the window has the focus.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        ShowInputError("Mouse Error", "no video subsystem");
    } else {
        mousePresent = true;
        if (SDL_SetRelativeMouseMode(SDL_TRUE) != 0) ShowInputError("Mouse Error", SDL_GetError());
        ReadMouse();
    }

    joystickStop.store(false, std::memory_order_release);
    joystickPolled.store(false, std::memory_order_release);
    joystickThreshold = JOYSTICK_THRESHOLD;

    if (JoystickPresent()) {
        joystickThread = SDL_CreateThread(JoystickThread, "joystick", nullptr);
        if (!joystickThread) {
            ShowInputError("Joystick Error", SDL_GetError());
            CloseJoystick();
        }
    }
}

InputDevices::~InputDevices() {
    if (JoystickPresent()) {
        joystickStop.store(true, std::memory_order_release);
        // After the join no poll can run, so the device may go.
        SDL_WaitThread(joystickThread, nullptr);
        joystickThread = nullptr;
        CloseJoystick();
    }
    if (mousePresent) SDL_SetRelativeMouseMode(SDL_FALSE);
    if (joystickSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        joystickSubsystem = false;
    }
}

void InputDevices::Poll() {
    // Brings SDL's keyboard and mouse state up to date; events stay queued for the loop.
    SDL_PumpEvents();
    ReadKeyboard();
    if (mousePresent) {
        ReadMouse();
        keyState[KEY_MOUSE_LEFT] = mouseState.buttons[0];
        keyState[KEY_MOUSE_MIDDLE] = mouseState.buttons[2];
        keyState[KEY_MOUSE_RIGHT] = mouseState.buttons[1];
    }
    ReadJoystick();
}

bool InputDevices::KeyDown(int slot) const {
    if (slot < 0 || slot >= KEY_SLOT_COUNT) return false;
    if (slot < 256) return (keyState[slot] >> 7) & 1;
    return keyState[slot] != 0;
}

void InputDevices::ReadKeyboard() {
    std::memset(keyState, 0, 256);
    // Without the keyboard focus the read fails: every key reads released until
    // the window has the focus again.
    if (!window || SDL_GetKeyboardFocus() != window) return;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int code = 0; code < count && code < SDL_NUM_SCANCODES; ++code) {
        if (!state[code]) continue;
        int slot = ScanCodeSlot(static_cast<SDL_Scancode>(code));
        if (slot >= 0) keyState[slot] = 0x80;
    }
}

void InputDevices::ReadMouse() {
    int x = 0, y = 0;
    Uint32 buttons = SDL_GetRelativeMouseState(&x, &y);
    mouseState.x = x;
    mouseState.y = y;
    // Button order of the mouse state: left, right, middle, fourth.
    mouseState.buttons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
    mouseState.buttons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
    mouseState.buttons[2] = (buttons & SDL_BUTTON_MMASK) ? 0x80 : 0;
    mouseState.buttons[3] = (buttons & SDL_BUTTON_X1MASK) ? 0x80 : 0;
}

void InputDevices::ReadJoystick() {
    if (!JoystickPresent()) {
        std::memset(keyState + KEY_JOY_RIGHT, 0, KEY_JOY_BUTTON1 + JOYSTICK_BUTTON_COUNT - KEY_JOY_RIGHT);
        return;
    }
    SDL_LockJoysticks();
    if (!joystickPolled.load(std::memory_order_acquire)) {
        // No poll since the last read: the joystick slots keep their values.
        SDL_UnlockJoysticks();
        return;
    }
    // Like the keyboard, the joystick reads only for the window with the focus;
    // an unplugged one never reads again.
    bool readable = SDL_JoystickGetAttached(joystick) && window && SDL_GetKeyboardFocus() == window;
    int x = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick, 0));
    int y = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick, 1));
    uint8_t buttons[JOYSTICK_BUTTON_COUNT];
    for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) buttons[i] = SDL_JoystickGetButton(joystick, i);
    joystickPolled.store(false, std::memory_order_release);
    SDL_UnlockJoysticks();

    if (!readable) {
        std::memset(keyState + KEY_JOY_RIGHT, 0, KEY_JOY_BUTTON1 + JOYSTICK_BUTTON_COUNT - KEY_JOY_RIGHT);
        return;
    }
    // Y grows downwards, so up is a negative Y.
    keyState[KEY_JOY_RIGHT] = x > joystickThreshold;
    keyState[KEY_JOY_LEFT] = x < -joystickThreshold;
    keyState[KEY_JOY_UP] = y < -joystickThreshold;
    keyState[KEY_JOY_DOWN] = y > joystickThreshold;
    for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) keyState[KEY_JOY_BUTTON1 + i] = buttons[i] ? 1 : 0;
}
