#include "app/input_devices.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/controller_config.h"
#include "app/key_bindings.h"
#include "app/message_box.h"
#include "app/scan_codes.h"
#include "base/named_file.h"

namespace {
// Shared with the polling thread, so kept outside the object. The thread touches
// the device only while joystickPolled is clear and sets it after each poll; Poll
// reads the device only while it is set and clears it after reading. Both sides
// also hold SDL's joystick lock around their SDL calls and around any use of
// `joystick` and `controller`, which the thread changes when a device comes or goes.
SDL_Joystick* joystick = nullptr;
SDL_GameController* controller = nullptr;  // set when SDL has a mapping for the device
std::atomic<bool> joystickPresent{false};
std::atomic<bool> rawJoystickOpen{false};  // open, and without a controller mapping
std::atomic<bool> joystickStop{false};
std::atomic<bool> joystickPolled{false};
SDL_Thread* joystickThread = nullptr;
bool joystickSubsystem = false;

constexpr int JOYSTICK_BUTTON_COUNT = 6;

// A mapped controller's buttons in the order of the joystick button slots: the
// south button fires like button 1.
const SDL_GameControllerButton CONTROLLER_BUTTONS[JOYSTICK_BUTTON_COUNT] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
};

// A mapped pad's D-pad in the order of the direction slots (right, left, up, down).
const SDL_GameControllerButton CONTROLLER_DPAD[4] = {
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
};

// The key slot of a mapped pad's button, or -1.
int ControllerButtonSlot(int button) {
    for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) {
        if (CONTROLLER_BUTTONS[i] == button) return KEY_JOY_BUTTON1 + i;
    }
    for (int i = 0; i < 4; ++i) {
        if (CONTROLLER_DPAD[i] == button) return KEY_JOY_RIGHT + i;
    }
    return -1;
}

// reason: SDL's explanation for stderr, or nullptr when SDL has none.
void ShowInputError(const char* text, const char* reason) {
    ShowMessageBox(text, "Error", BoxIcon::None, reason);
}

// The first attached device that opens wins: as a game controller when SDL has a
// mapping for it (SDL_GAMECONTROLLERCONFIG, SDL_GAMECONTROLLERCONFIG_FILE or its
// own database), otherwise as a raw joystick. Joystick lock held.
void OpenJoystick(bool reportProblems) {
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count && !joystick; ++i) {
        if (SDL_IsGameController(i)) {
            controller = SDL_GameControllerOpen(i);
            if (controller) joystick = SDL_GameControllerGetJoystick(controller);
        }
        if (!joystick) joystick = SDL_JoystickOpen(i);
    }
    if (!joystick) return;
    rawJoystickOpen.store(controller == nullptr, std::memory_order_release);
    joystickPresent.store(true, std::memory_order_release);
    if (controller || !reportProblems) return;
    // The layout the state is read in: axes and buttons must be countable.
    if (SDL_JoystickNumAxes(joystick) < 0) ShowInputError("Joystick Error", SDL_GetError());
    if (SDL_JoystickNumButtons(joystick) < 0) ShowInputError("Joystick Error", SDL_GetError());
}

// Joystick lock held.
void CloseJoystick() {
    if (controller) {
        SDL_GameControllerClose(controller);
    } else if (joystick) {
        SDL_JoystickClose(joystick);
    }
    controller = nullptr;
    joystick = nullptr;
    rawJoystickOpen.store(false, std::memory_order_release);
    joystickPresent.store(false, std::memory_order_release);
}

// Hot-plugging, on the polling thread: an unplugged device is let go, and while
// none is open every attached one is tried, so a pad plugged in at any time works.
void FollowDevices() {
    if (joystick && !SDL_JoystickGetAttached(joystick)) CloseJoystick();
    if (!joystick) OpenJoystick(false);
}

int JoystickThread(void*) {
    while (!joystickStop.load(std::memory_order_acquire)) {
        SDL_Delay(JOYSTICK_POLL_MS);
        SDL_LockJoysticks();
        if (!joystickPolled.load(std::memory_order_acquire)) {
            SDL_JoystickUpdate();
            FollowDevices();
            // Set while still locked, so a main thread holding the lock knows the
            // flag cannot change under it.
            joystickPolled.store(true, std::memory_order_release);
        }
        SDL_UnlockJoysticks();
    }
    joystickPolled.store(true, std::memory_order_release);
    return 1;
}
}  // namespace

int ScaleJoystickAxis(int raw) {
    // −32768..32767 onto −1000..+1000; the numerator is never negative, so the
    // division truncates the same way on both sides of the centre.
    int64_t offset = static_cast<int64_t>(raw) + 32768;
    return static_cast<int>(offset * (2 * JOYSTICK_AXIS_RANGE) / 65535) - JOYSTICK_AXIS_RANGE;
}

bool CheckControllerMappingsFile(std::string& error) {
    const char* path = std::getenv("SDL_GAMECONTROLLERCONFIG_FILE");
    if (!path || path[0] == '\0') return true;
    std::string reason;
    std::FILE* file = OpenRegularFile(path, reason);
    if (!file) {
        if (errno == ENOENT) return true;
        error = std::string("the controller mappings ") + path + " (SDL_GAMECONTROLLERCONFIG_FILE) " + reason;
        return false;
    }
    struct stat info {};
    bool tooLarge =
        fstat(fileno(file), &info) == 0 && static_cast<uint64_t>(info.st_size) > NAMED_INPUT_MAX_BYTES;
    std::fclose(file);
    if (tooLarge) {
        error = std::string("the controller mappings ") + path +
                " (SDL_GAMECONTROLLERCONFIG_FILE) is larger than 64 MiB, more than any real mappings file";
        return false;
    }
    return true;
}

bool JoystickPresent() { return joystickPresent.load(std::memory_order_acquire); }

bool JoystickHandOverReady() {
    return joystickThread != nullptr && joystickPolled.load(std::memory_order_acquire);
}

InputDevices::InputDevices(SDL_Window* window_) : window(window_) {
    // The polling thread is the only one to update the joystick; event pumping on
    // the main thread must not.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    // The game-controller layer reads SDL_GAMECONTROLLERCONFIG and the mappings
    // file named by SDL_GAMECONTROLLERCONFIG_FILE as it starts.
    ReportControllerConfigFile();
    joystickSubsystem = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    // Presses are latched from the events as they are pumped, before any poll.
    SDL_AddEventWatch(LatchPress, this);
    if (joystickSubsystem) {
        SDL_JoystickEventState(SDL_IGNORE);
        SDL_GameControllerEventState(SDL_IGNORE);
        // The states are polled; only the button presses come as events, to be latched.
        SDL_EventState(SDL_JOYBUTTONDOWN, SDL_ENABLE);
        SDL_EventState(SDL_CONTROLLERBUTTONDOWN, SDL_ENABLE);
        SDL_LockJoysticks();
        OpenJoystick(true);
        SDL_UnlockJoysticks();
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

    // The thread runs whenever joysticks can be had, to notice one plugged in later.
    if (joystickSubsystem) {
        joystickThread = SDL_CreateThread(JoystickThread, "joystick", nullptr);
        if (!joystickThread) {
            ShowInputError("Joystick Error", SDL_GetError());
            SDL_LockJoysticks();
            CloseJoystick();
            SDL_UnlockJoysticks();
        }
    }
}

InputDevices::~InputDevices() {
    SDL_DelEventWatch(LatchPress, this);
    if (joystickThread) {
        joystickStop.store(true, std::memory_order_release);
        // After the join no poll can run, so the device may go.
        SDL_WaitThread(joystickThread, nullptr);
        joystickThread = nullptr;
    }
    if (joystickSubsystem) {
        SDL_LockJoysticks();
        CloseJoystick();
        SDL_UnlockJoysticks();
    }
    if (mousePresent) SDL_SetRelativeMouseMode(SDL_FALSE);
    if (joystickSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
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
    std::memcpy(joystickRead, keyState + KEY_JOY_RIGHT, sizeof joystickRead);
    // Presses since the last poll count for this step, for the window with the focus.
    if (window && SDL_GetKeyboardFocus() == window) {
        latch.Take(keyState);
    } else {
        latch.Clear();
    }
}

void InputDevices::LatchQueuedPresses() {
    SDL_Event events[64];
    const Uint32 kinds[][2] = {{SDL_KEYDOWN, SDL_KEYDOWN}, {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN}};
    for (const auto& kind : kinds) {
        int count = SDL_PeepEvents(events, 64, SDL_PEEKEVENT, kind[0], kind[1]);
        for (int i = 0; i < count; ++i) LatchPress(this, &events[i]);
    }
}

int InputDevices::LatchPress(void* devices, SDL_Event* event) {
    InputDevices& self = *static_cast<InputDevices*>(devices);
    PressLatch& latch = self.latch;
    // Keys and buttons count only in the game's own window.
    Uint32 ours = self.window ? SDL_GetWindowID(self.window) : 0;
    switch (event->type) {
        case SDL_KEYDOWN:
            if (event->key.windowID == ours) latch.Press(KeySlotOf(event->key.keysym.scancode));
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event->button.windowID != ours) break;
            if (event->button.button == SDL_BUTTON_LEFT) latch.Press(KEY_MOUSE_LEFT);
            if (event->button.button == SDL_BUTTON_MIDDLE) latch.Press(KEY_MOUSE_MIDDLE);
            if (event->button.button == SDL_BUTTON_RIGHT) latch.Press(KEY_MOUSE_RIGHT);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            latch.Press(ControllerButtonSlot(event->cbutton.button));
            break;
        case SDL_JOYBUTTONDOWN:
            // A mapped pad's presses come as controller buttons; a raw joystick's
            // here. No lock: a watch runs under SDL's event lock, which the polling
            // thread may be waiting for while it holds the joystick lock.
            if (rawJoystickOpen.load(std::memory_order_acquire) &&
                event->jbutton.button < JOYSTICK_BUTTON_COUNT) {
                latch.Press(KEY_JOY_BUTTON1 + event->jbutton.button);
            }
            break;
        default:
            break;
    }
    return 1;
}

bool InputDevices::TakePadStart() { return padStart.Take(); }

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
    ApplyKeyBindings(state, count, keyState);
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
    uint8_t* slots = keyState + KEY_JOY_RIGHT;
    const size_t slotCount = KEY_JOY_BUTTON1 + JOYSTICK_BUTTON_COUNT - KEY_JOY_RIGHT;
    SDL_LockJoysticks();
    if (!joystickPolled.load(std::memory_order_acquire)) {
        SDL_UnlockJoysticks();
        // No poll since the last read: the joystick slots keep their values as
        // read (a latched press is not among them), unless there is no device at all.
        if (JoystickPresent()) {
            std::memcpy(slots, joystickRead, slotCount);
        } else {
            std::memset(slots, 0, slotCount);
        }
        return;
    }
    // Like the keyboard, the joystick reads only for the window with the focus; an
    // unplugged one reads nothing until it is plugged in again.
    bool readable =
        joystick && SDL_JoystickGetAttached(joystick) && window && SDL_GetKeyboardFocus() == window;
    int x = 0, y = 0;
    bool padRight = false, padLeft = false, padUp = false, padDown = false, startDown = false;
    uint8_t buttons[JOYSTICK_BUTTON_COUNT] = {};
    if (readable && controller) {
        // A mapped pad: the left stick and the D-pad steer.
        x = ScaleJoystickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
        y = ScaleJoystickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
        padRight = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        padLeft = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        padUp = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP);
        padDown = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        startDown = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_START);
        for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) {
            buttons[i] = SDL_GameControllerGetButton(controller, CONTROLLER_BUTTONS[i]);
        }
    } else if (readable) {
        x = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick, 0));
        y = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick, 1));
        for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) buttons[i] = SDL_JoystickGetButton(joystick, i);
    }
    joystickPolled.store(false, std::memory_order_release);
    SDL_UnlockJoysticks();

    // Start is the shell's, not the world's: each press is counted for TakePadStart.
    padStart.See(startDown);
    if (!readable) {
        std::memset(slots, 0, slotCount);
        return;
    }
    // Y grows downwards, so up is a negative Y.
    keyState[KEY_JOY_RIGHT] = x > joystickThreshold || padRight;
    keyState[KEY_JOY_LEFT] = x < -joystickThreshold || padLeft;
    keyState[KEY_JOY_UP] = y < -joystickThreshold || padUp;
    keyState[KEY_JOY_DOWN] = y > joystickThreshold || padDown;
    for (int i = 0; i < JOYSTICK_BUTTON_COUNT; ++i) keyState[KEY_JOY_BUTTON1 + i] = buttons[i] ? 1 : 0;
}
