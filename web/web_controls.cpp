#include "web/web_controls.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int PAD_AXIS_RANGE = 1000;
constexpr int PAD_THRESHOLD = 300;  // 30 % of the range, as the desktop's joystick

int ScalePadAxis(double axis) {
    if (std::isnan(axis)) return 0;  // a confused driver: no direction
    if (axis < -1.0) axis = -1.0;
    if (axis > 1.0) axis = 1.0;
    return static_cast<int>(axis * PAD_AXIS_RANGE);
}

// The browser numbers mouse buttons 0 left, 1 middle, 2 right.
constexpr int MOUSE_SLOTS[3] = {KEY_MOUSE_LEFT, KEY_MOUSE_MIDDLE, KEY_MOUSE_RIGHT};
}  // namespace

void FoldGamepad(const GamepadReading& pad, uint8_t keyState[KEY_SLOT_COUNT]) {
    std::memset(keyState + KEY_JOY_RIGHT, 0, KEY_JOY_BUTTON1 + 6 - KEY_JOY_RIGHT);
    if (!pad.connected) return;
    int x = ScalePadAxis(pad.axisX);
    int y = ScalePadAxis(pad.axisY);
    bool up = pad.standardLayout && pad.dpad[0];
    bool down = pad.standardLayout && pad.dpad[1];
    bool left = pad.standardLayout && pad.dpad[2];
    bool right = pad.standardLayout && pad.dpad[3];
    keyState[KEY_JOY_RIGHT] = x > PAD_THRESHOLD || right;
    keyState[KEY_JOY_LEFT] = x < -PAD_THRESHOLD || left;
    keyState[KEY_JOY_UP] = y < -PAD_THRESHOLD || up;
    keyState[KEY_JOY_DOWN] = y > PAD_THRESHOLD || down;
    for (int b = 0; b < 6; b++) keyState[KEY_JOY_BUTTON1 + b] = pad.buttons[b];
}

void WebControls::Poll() {
    for (int k = 0; k < 256; k++) keyState[k] = heldKeys[k] | pressedKeys[k];
    GamepadReading pad = sampler ? sampler() : GamepadReading{};
    FoldGamepad(pad, keyState);
    padStart.See(pad.connected && pad.standardLayout && pad.start);
    for (int b = 0; b < 3; b++) keyState[MOUSE_SLOTS[b]] = heldButtons[b] | pressedButtons[b];
    std::memset(pressedKeys, 0, sizeof pressedKeys);
    std::memset(pressedButtons, 0, sizeof pressedButtons);
}

bool WebControls::KeyDown(int slot) const {
    if (slot < 0 || slot >= KEY_SLOT_COUNT) return false;
    if (slot < 256) return (keyState[slot] >> 7) != 0;
    return keyState[slot] != 0;
}

void WebControls::SetKey(int slot, bool down) {
    if (slot < 0 || slot >= 256) return;
    heldKeys[slot] = down ? 0x80 : 0;
    if (down) pressedKeys[slot] = 0x80;
}

void WebControls::SetMouseButton(int button, bool down) {
    if (button < 0 || button >= 3) return;
    heldButtons[button] = down ? 0x80 : 0;
    if (down) pressedButtons[button] = 0x80;
}

bool WebControls::TakePadStart() { return padStart.Take(); }

void WebControls::ReleaseAll() {
    std::memset(heldKeys, 0, sizeof heldKeys);
    std::memset(heldButtons, 0, sizeof heldButtons);
    std::memset(pressedKeys, 0, sizeof pressedKeys);
    std::memset(pressedButtons, 0, sizeof pressedButtons);
}
