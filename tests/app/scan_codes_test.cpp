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

TEST(ScanCodes, WholeRowsAndBlocksAreMapped) {
    // Letters in keyboard order, digit row, function keys and keypad digits follow
    // the set-1 layout; each of them must have a slot of its own.
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int rowStart[] = {0x10, 0x1E, 0x2C};
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; rows[row][i]; ++i) {
            SDL_Scancode code = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (rows[row][i] - 'A'));
            EXPECT_EQ(ScanCodeSlot(code), rowStart[row] + i) << rows[row][i];
        }
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ScanCodeSlot(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i)), 0x02 + i);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ScanCodeSlot(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + i)), 0x3B + i);
    }
    EXPECT_EQ(ScanCodeSlot(SDL_SCANCODE_F11), 0x57);
    EXPECT_EQ(ScanCodeSlot(SDL_SCANCODE_F12), 0x58);
    const int keypad[] = {0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x52};  // KP 1..9, 0
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ScanCodeSlot(static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + i)), keypad[i]);
    }
}

TEST(ScanCodes, ExtendedKeysCarryTheHighBit) {
    struct Case {
        SDL_Scancode code;
        int slot;
    };
    const Case cases[] = {
        {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_RCTRL, 0x9D},   {SDL_SCANCODE_KP_DIVIDE, 0xB5},
        {SDL_SCANCODE_RALT, 0xB8},     {SDL_SCANCODE_HOME, 0xC7},    {SDL_SCANCODE_PAGEUP, 0xC9},
        {SDL_SCANCODE_END, 0xCF},      {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2},
        {SDL_SCANCODE_DELETE, 0xD3},   {SDL_SCANCODE_LGUI, 0xDB},    {SDL_SCANCODE_APPLICATION, 0xDD},
        // The keypad twins of these keys have the same code without the high bit.
        {SDL_SCANCODE_KP_7, 0x47},     {SDL_SCANCODE_RETURN, 0x1C},  {SDL_SCANCODE_LCTRL, 0x1D},
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
