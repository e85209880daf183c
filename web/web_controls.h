#pragma once
#include <cstdint>

#include "game/controls.h"

// What the browser's Gamepad API reports of one pad at the start of a step.
struct GamepadReading {
    bool connected = false;
    double axisX = 0;  // −1..+1, right positive
    double axisY = 0;  // −1..+1, down positive (as the browser's standard pad)
    bool buttons[6] = {};
    bool standardLayout = false;  // the browser's "standard" mapping: the D-pad is buttons 12..15
    bool dpad[4] = {};            // up, down, left, right, read only with the standard layout
    bool start = false;           // the standard layout's Start (button 9): the page's, never the world's
};

// The joystick slots of a pad reading: 256..259 when an axis is beyond 30 % of its
// range (the reading truncated to −1000..+1000 must pass ±300, as on the desktop),
// or the standard layout's D-pad is held; 260..265 its first six buttons.
void FoldGamepad(const GamepadReading& pad, uint8_t keyState[KEY_SLOT_COUNT]);

// The browser's controls folded into the same key slots as the desktop's devices:
// keys and mouse buttons arrive as events between steps and are held here; Poll
// copies them into the table the step reads and samples the pad. A key or button
// pressed and released again between two polls reads as held at the next poll
// (the release applies after it), as on the desktop. Main thread only (the browser
// runs every event and every frame on it), so no hand-over is needed.
class WebControls : public Controls {
public:
    using GamepadSampler = GamepadReading (*)();

    explicit WebControls(GamepadSampler sampler) : sampler(sampler) {}

    void Poll() override;
    bool KeyDown(int slot) const override;

    // Events: a key slot (0..255) or mouse button (0 left, 1 middle, 2 right, as the
    // browser numbers them) going down or up. Out-of-range values are ignored.
    void SetKey(int slot, bool down);
    void SetMouseButton(int button, bool down);
    // The page lost the focus: every key and button reads as released, as the
    // desktop's keyboard does when its window goes to the background.
    void ReleaseAll();
    // True once for each press of the pad's Start that a poll has seen (the page
    // pauses and resumes with it, as the desktop does).
    bool TakePadStart();

    // 0..255 keyboard (0x80 while down), 256..265 pad (0 or 1), 266..268 mouse (0x80).
    uint8_t keyState[KEY_SLOT_COUNT] = {};

private:
    GamepadSampler sampler;
    uint8_t heldKeys[256] = {};
    uint8_t heldButtons[3] = {};
    // Pressed since the last poll, whether or not still held.
    uint8_t pressedKeys[256] = {};
    uint8_t pressedButtons[3] = {};
    ButtonPresses padStart;  // the pad's Start, for TakePadStart
};
