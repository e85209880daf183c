#include "app/scan_codes.h"

#include <SDL2/SDL_keyboard.h>
#include <gtest/gtest.h>

#include <map>

#include "game/controls.h"

TEST(ScanCodes, KeysTheGameReads) {
    struct Case {
        SDL_Scancode code;
        int slot;
    };
    const Case cases[] = {
        {SDL_SCANCODE_ESCAPE, KEY_ESCAPE}, {SDL_SCANCODE_1, KEY_1},       {SDL_SCANCODE_2, KEY_2},
        {SDL_SCANCODE_3, KEY_3},           {SDL_SCANCODE_Z, KEY_Z},       {SDL_SCANCODE_UP, KEY_UP},
        {SDL_SCANCODE_DOWN, KEY_DOWN},     {SDL_SCANCODE_LEFT, KEY_LEFT}, {SDL_SCANCODE_RIGHT, KEY_RIGHT},
    };
    for (const Case& c : cases) EXPECT_EQ(ScanCodeSlot(c.code), c.slot) << SDL_GetScancodeName(c.code);
}

TEST(ScanCodes, NoTwoKeysShareASlotExceptOnePhysicalKey) {
    std::map<int, int> owners;
    for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
        int slot = ScanCodeSlot(static_cast<SDL_Scancode>(code));
        if (slot < 0) continue;
        EXPECT_GE(slot, 1);
        EXPECT_LE(slot, 255);
        ++owners[slot];
    }
    for (const auto& [slot, count] : owners) {
        if (slot == 0x2B || slot == 0xA0) {
            EXPECT_EQ(count, 2) << slot;  // backslash and ISO hash; the two mute keys
        } else {
            EXPECT_EQ(count, 1) << "slot " << slot;
        }
    }
    EXPECT_GE(owners.size(), 120u);
}

TEST(ScanCodes, KeysWithoutASet1CodeAndBadCodesHaveNoSlot) {
    EXPECT_EQ(ScanCodeSlot(SDL_SCANCODE_UNKNOWN), -1);
    EXPECT_EQ(ScanCodeSlot(SDL_SCANCODE_AGAIN), -1);
    EXPECT_EQ(ScanCodeSlot(static_cast<SDL_Scancode>(-1)), -1);
    EXPECT_EQ(ScanCodeSlot(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), -1);
}
