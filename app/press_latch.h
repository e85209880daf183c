#pragma once
#include <atomic>
#include <cstdint>

#include "game/controls.h"

// Presses seen between two polls of the input devices. A key, mouse button or pad
// button pressed and released again before the next step would read as released
// in that step's snapshot; the latch keeps the press for exactly that step, and
// the release applies after it. Press may come from any thread (the pad's
// presses arrive on its polling thread); Take runs on the main thread.
class PressLatch {
public:
    void Press(int slot);
    // Marks every slot pressed since the last Take as held in `keyState` (0x80 for
    // keys and mouse buttons, 1 for the pad's slots), then forgets them.
    void Take(uint8_t keyState[KEY_SLOT_COUNT]);
    // Forgets the presses without applying them (the window has lost the focus).
    void Clear();

private:
    std::atomic<uint8_t> pressed[KEY_SLOT_COUNT] = {};
};
