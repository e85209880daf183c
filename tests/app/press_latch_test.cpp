// The latch that keeps a press made and let go between two polls.
#include "app/press_latch.h"

#include <gtest/gtest.h>

namespace {

TEST(PressLatch, APressIsHeldForOnePollOnly) {
    PressLatch latch;
    uint8_t keyState[KEY_SLOT_COUNT] = {};
    latch.Press(KEY_ESCAPE);
    latch.Press(KEY_Z);
    latch.Press(KEY_MOUSE_LEFT);
    latch.Press(KEY_JOY_BUTTON1);
    latch.Press(KEY_JOY_LEFT);
    latch.Take(keyState);
    // Each slot in its own convention: keys and mouse 0x80, the pad 1.
    EXPECT_EQ(keyState[KEY_ESCAPE], 0x80);
    EXPECT_EQ(keyState[KEY_Z], 0x80);
    EXPECT_EQ(keyState[KEY_MOUSE_LEFT], 0x80);
    EXPECT_EQ(keyState[KEY_JOY_BUTTON1], 1);
    EXPECT_EQ(keyState[KEY_JOY_LEFT], 1);
    EXPECT_EQ(keyState[KEY_1], 0) << "only what was pressed";

    uint8_t next[KEY_SLOT_COUNT] = {};
    latch.Take(next);
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot)
        EXPECT_EQ(next[slot], 0) << "the release applies after one poll";
}

TEST(PressLatch, TakeOnlyAddsToWhatTheSnapshotHolds) {
    PressLatch latch;
    uint8_t keyState[KEY_SLOT_COUNT] = {};
    keyState[KEY_RIGHT] = 0x80;  // held in the snapshot
    latch.Press(KEY_1);
    latch.Take(keyState);
    EXPECT_EQ(keyState[KEY_RIGHT], 0x80);
    EXPECT_EQ(keyState[KEY_1], 0x80);
}

TEST(PressLatch, ClearForgetsAndOutOfRangeIsIgnored) {
    PressLatch latch;
    latch.Press(KEY_3);
    latch.Press(-1);
    latch.Press(KEY_SLOT_COUNT);
    latch.Clear();
    uint8_t keyState[KEY_SLOT_COUNT] = {};
    latch.Take(keyState);
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) EXPECT_EQ(keyState[slot], 0) << slot;
}

}  // namespace
