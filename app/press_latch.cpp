#include "app/press_latch.h"

void PressLatch::Press(int slot) {
    if (slot < 0 || slot >= KEY_SLOT_COUNT) return;
    pressed[slot].store(1, std::memory_order_release);
}

void PressLatch::Take(uint8_t keyState[KEY_SLOT_COUNT]) {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        if (!pressed[slot].exchange(0, std::memory_order_acq_rel)) continue;
        bool padSlot = slot >= KEY_JOY_RIGHT && slot < KEY_MOUSE_LEFT;
        keyState[slot] = padSlot ? 1 : 0x80;
    }
}

void PressLatch::Clear() {
    for (std::atomic<uint8_t>& slot : pressed) slot.store(0, std::memory_order_release);
}
