#pragma once

// Key slots of the input table. 0..255 are keyboard scan codes (the classic PC set 1
// numbering, extended keys with 0x80 added), 256..265 joystick directions and
// buttons, 266..268 mouse buttons.
constexpr int KEY_SLOT_COUNT = 269;

constexpr int KEY_ESCAPE = 1;
constexpr int KEY_1 = 2;
constexpr int KEY_2 = 3;
constexpr int KEY_3 = 4;
constexpr int KEY_Z = 44;
constexpr int KEY_UP = 200;
constexpr int KEY_LEFT = 203;
constexpr int KEY_RIGHT = 205;
constexpr int KEY_DOWN = 208;

constexpr int KEY_JOY_RIGHT = 256;
constexpr int KEY_JOY_LEFT = 257;
constexpr int KEY_JOY_UP = 258;
constexpr int KEY_JOY_DOWN = 259;
constexpr int KEY_JOY_BUTTON1 = 260;  // buttons 1..6 are 260..265
// The pad's buttons the shells step the volume with: the shoulders, and with Y
// held the music's.
constexpr int KEY_PAD_VOLUME_DOWN = KEY_JOY_BUTTON1 + 4;
constexpr int KEY_PAD_VOLUME_UP = KEY_JOY_BUTTON1 + 5;
constexpr int KEY_PAD_MUSIC = KEY_JOY_BUTTON1 + 3;
constexpr int KEY_MOUSE_LEFT = 266;
constexpr int KEY_MOUSE_MIDDLE = 267;
constexpr int KEY_MOUSE_RIGHT = 268;

// A button the shell reads itself (a pad's Start): See it at each reading, and
// Take is true once for each press seen since, however long it was held.
class ButtonPresses {
public:
    void See(bool down) {
        if (down && !held) pressed = true;
        held = down;
    }
    bool Take() {
        bool taken = pressed;
        pressed = false;
        return taken;
    }

private:
    bool held = false;     // down at the last reading
    bool pressed = false;  // a press not yet taken
};

// What the world update needs of the input devices: one poll per step, then
// key-down tests by slot. The game's InputDevices and the simulator's scripted
// input both provide it, so the rules never see a device.
class Controls {
public:
    virtual ~Controls() = default;
    virtual void Poll() = 0;
    virtual bool KeyDown(int slot) const = 0;
};
