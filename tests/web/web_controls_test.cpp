#include "web/web_controls.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
GamepadReading padReading;
GamepadReading ReadPad() { return padReading; }

class WebControlsTest : public ::testing::Test {
protected:
    void SetUp() override { padReading = GamepadReading{}; }
    WebControls controls{ReadPad};
};
}  // namespace

TEST_F(WebControlsTest, KeyEventsReachTheStepOnlyThroughPoll) {
    controls.SetKey(KEY_Z, true);
    EXPECT_FALSE(controls.KeyDown(KEY_Z));  // the step polls first, as on the desktop
    controls.Poll();
    EXPECT_TRUE(controls.KeyDown(KEY_Z));
    EXPECT_EQ(controls.keyState[KEY_Z], 0x80);
    controls.SetKey(KEY_Z, false);
    EXPECT_TRUE(controls.KeyDown(KEY_Z));
    controls.Poll();
    EXPECT_FALSE(controls.KeyDown(KEY_Z));
}

// Key events come between animation frames: a key pressed and let go before the
// next frame still counts for that frame's step, and only for it.
TEST_F(WebControlsTest, TapBetweenTwoPollsIsHeldForTheNextPollOnly) {
    const int keys[] = {KEY_ESCAPE, KEY_Z, KEY_1, KEY_3, KEY_RIGHT};
    for (int key : keys) {
        controls.Poll();
        controls.SetKey(key, true);
        controls.SetKey(key, false);
        controls.Poll();
        EXPECT_EQ(controls.keyState[key], 0x80) << key;
        controls.Poll();
        EXPECT_FALSE(controls.KeyDown(key)) << key;
    }
    controls.SetMouseButton(0, true);
    controls.SetMouseButton(0, false);
    controls.Poll();
    EXPECT_TRUE(controls.KeyDown(KEY_MOUSE_LEFT));
    controls.Poll();
    EXPECT_FALSE(controls.KeyDown(KEY_MOUSE_LEFT));
}

TEST_F(WebControlsTest, LosingTheFocusForgetsTapsToo) {
    controls.SetKey(KEY_Z, true);
    controls.SetKey(KEY_Z, false);
    controls.SetMouseButton(2, true);
    controls.SetMouseButton(2, false);
    controls.ReleaseAll();
    controls.Poll();
    EXPECT_FALSE(controls.KeyDown(KEY_Z));
    EXPECT_FALSE(controls.KeyDown(KEY_MOUSE_RIGHT));
}

TEST_F(WebControlsTest, LosingTheFocusReleasesKeysAndButtons) {
    controls.SetKey(KEY_LEFT, true);
    controls.SetMouseButton(0, true);
    controls.Poll();
    ASSERT_TRUE(controls.KeyDown(KEY_LEFT));
    controls.ReleaseAll();
    controls.Poll();
    EXPECT_FALSE(controls.KeyDown(KEY_LEFT));
    EXPECT_FALSE(controls.KeyDown(KEY_MOUSE_LEFT));
}

TEST_F(WebControlsTest, MouseButtonsFoldIntoTheirSlots) {
    // The browser numbers left, middle, right as 0, 1, 2.
    const int slots[] = {KEY_MOUSE_LEFT, KEY_MOUSE_MIDDLE, KEY_MOUSE_RIGHT};
    for (int button = 0; button < 3; button++) {
        controls.SetMouseButton(button, true);
        controls.Poll();
        for (int b = 0; b < 3; b++) EXPECT_EQ(controls.KeyDown(slots[b]), b == button) << button << " " << b;
        EXPECT_EQ(controls.keyState[slots[button]], 0x80);
        controls.SetMouseButton(button, false);
    }
}

TEST_F(WebControlsTest, OutOfRangeEventsAndSlotsAreIgnored) {
    controls.SetKey(-1, true);
    controls.SetKey(256, true);
    controls.SetMouseButton(3, true);
    controls.SetMouseButton(-1, true);
    controls.Poll();
    for (int slot = 0; slot < KEY_SLOT_COUNT; slot++) EXPECT_FALSE(controls.KeyDown(slot)) << slot;
    EXPECT_FALSE(controls.KeyDown(-1));
    EXPECT_FALSE(controls.KeyDown(KEY_SLOT_COUNT));
}

TEST_F(WebControlsTest, KeyboardAndPadAreSeenTogether) {
    controls.SetKey(KEY_RIGHT, true);
    padReading.connected = true;
    padReading.axisX = -1.0;
    controls.Poll();
    EXPECT_TRUE(controls.KeyDown(KEY_RIGHT));
    EXPECT_TRUE(controls.KeyDown(KEY_JOY_LEFT));
}

TEST_F(WebControlsTest, EachPressOfStartIsTakenOnceAndNeverReachesTheWorld) {
    padReading.connected = true;
    padReading.standardLayout = true;
    padReading.start = true;
    controls.Poll();
    controls.Poll();  // still held: one press
    for (int slot = KEY_JOY_RIGHT; slot < KEY_SLOT_COUNT; ++slot)
        EXPECT_FALSE(controls.KeyDown(slot)) << slot;
    EXPECT_TRUE(controls.TakePadStart());
    EXPECT_FALSE(controls.TakePadStart());
    padReading.start = false;
    controls.Poll();
    padReading.start = true;
    controls.Poll();
    EXPECT_TRUE(controls.TakePadStart());
}

TEST_F(WebControlsTest, StartCountsOnlyOnTheStandardLayout) {
    padReading.connected = true;
    padReading.start = true;  // button 9 of a pad the browser could not map is no Start
    controls.Poll();
    EXPECT_FALSE(controls.TakePadStart());
}

TEST(FoldGamepad, AxesCountBeyondThirtyPercent) {
    struct Case {
        double x, y;
        bool right, left, up, down;
    };
    const Case cases[] = {
        {0.0, 0.0, false, false, false, false},
        {0.3, 0.0, false, false, false, false},    // 300 is not beyond 300
        {0.3015, 0.0, true, false, false, false},  // 301
        {-0.3, 0.0, false, false, false, false},
        {-0.3015, 0.0, false, true, false, false},
        {0.0, -0.5, false, false, true, false},  // up is negative, as the desktop's Y
        {0.0, 0.5, false, false, false, true},
        {1.0, 1.0, true, false, false, true},
        {-7.0, 7.0, false, true, false, true},   // out of range clamps
        {NAN, NAN, false, false, false, false},  // a confused driver steers nowhere
    };
    for (const Case& c : cases) {
        GamepadReading pad;
        pad.connected = true;
        pad.axisX = c.x;
        pad.axisY = c.y;
        uint8_t keys[KEY_SLOT_COUNT] = {};
        FoldGamepad(pad, keys);
        EXPECT_EQ(keys[KEY_JOY_RIGHT], c.right) << c.x << "," << c.y;
        EXPECT_EQ(keys[KEY_JOY_LEFT], c.left) << c.x << "," << c.y;
        EXPECT_EQ(keys[KEY_JOY_UP], c.up) << c.x << "," << c.y;
        EXPECT_EQ(keys[KEY_JOY_DOWN], c.down) << c.x << "," << c.y;
    }
}

TEST(FoldGamepad, FirstSixButtonsAndTheStandardDpad) {
    GamepadReading pad;
    pad.connected = true;
    pad.buttons[0] = true;
    pad.buttons[5] = true;
    pad.dpad[0] = true;  // up
    pad.dpad[3] = true;  // right
    uint8_t keys[KEY_SLOT_COUNT] = {};
    FoldGamepad(pad, keys);
    EXPECT_EQ(keys[KEY_JOY_BUTTON1], 1);
    EXPECT_EQ(keys[KEY_JOY_BUTTON1 + 1], 0);
    EXPECT_EQ(keys[KEY_JOY_BUTTON1 + 5], 1);
    // Without the standard layout the buttons past the sixth mean nothing known.
    EXPECT_EQ(keys[KEY_JOY_UP], 0);
    EXPECT_EQ(keys[KEY_JOY_RIGHT], 0);
    pad.standardLayout = true;
    FoldGamepad(pad, keys);
    EXPECT_EQ(keys[KEY_JOY_UP], 1);
    EXPECT_EQ(keys[KEY_JOY_RIGHT], 1);
    EXPECT_EQ(keys[KEY_JOY_DOWN], 0);
    EXPECT_EQ(keys[KEY_JOY_LEFT], 0);
}

TEST(FoldGamepad, NoPadReleasesEveryPadSlotAndTouchesNothingElse) {
    uint8_t keys[KEY_SLOT_COUNT];
    for (uint8_t& k : keys) k = 0x80;
    GamepadReading pad;
    pad.buttons[0] = true;  // stale data of a pad that went away
    pad.axisX = 1.0;
    FoldGamepad(pad, keys);
    for (int slot = 0; slot < KEY_SLOT_COUNT; slot++) {
        bool padSlot = slot >= KEY_JOY_RIGHT && slot < KEY_JOY_BUTTON1 + 6;
        EXPECT_EQ(keys[slot], padSlot ? 0 : 0x80) << slot;
    }
}
