#include "web/web_key_bindings.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "app/scan_codes.h"
#include "game/controls.h"
#include "web/dom_key_codes.h"

namespace {

// Binds the settings' keys, expecting every name to be known.
void Bind(const Settings& settings) {
    std::vector<std::string> report;
    SetWebKeyBindings(settings, report);
    EXPECT_TRUE(report.empty()) << report.front();
}

}  // namespace

// The page and the desktop must read a key name as the same key, or a settings
// file would play differently in the browser: each name the page knows is the
// key SDL gives by that name on the desktop (its scan code's slot).
TEST(WebKeyBindings, NamesMeanTheKeysTheDesktopGivesThem) {
    const char* names[] = {"A",
                           "z",
                           "0",
                           "9",
                           "F1",
                           "F12",
                           "Keypad 0",
                           "Keypad 8",
                           "Keypad -",
                           "Keypad +",
                           "Keypad Enter",
                           "Return",
                           "Space",
                           "Tab",
                           "Backspace",
                           "-",
                           "=",
                           "[",
                           "]",
                           ";",
                           "'",
                           "`",
                           ",",
                           ".",
                           "/",
                           "\\",
                           "Left Ctrl",
                           "Left Shift",
                           "Left Alt",
                           "Right Ctrl",
                           "Right Shift",
                           "Right Alt",
                           "Up",
                           "Down",
                           "Left",
                           "Right",
                           "Home",
                           "End",
                           "PageUp",
                           "PageDown",
                           "Insert",
                           "Delete",
                           "CapsLock",
                           "left ctrl"};
    int known = 0;
    for (const char* name : names) {
        SDL_Scancode code = SDL_GetScancodeFromName(name);
        ASSERT_NE(code, SDL_SCANCODE_UNKNOWN) << name;
        EXPECT_EQ(KeyNameSlot(name), ScanCodeSlot(code)) << name;
        known += KeyNameSlot(name) >= 0;
    }
    EXPECT_EQ(known, static_cast<int>(sizeof names / sizeof names[0]));
    EXPECT_EQ(KeyNameSlot("NoSuchKey"), -1);
    EXPECT_EQ(KeyNameSlot(""), -1);
    EXPECT_EQ(KeyNameSlot("Keypad 10"), -1);
}

TEST(WebKeyBindings, DefaultKeysReadAsWritten) {
    Bind(Settings());
    EXPECT_EQ(WebKeySlot("KeyZ"), KEY_Z);
    EXPECT_EQ(WebKeySlot("ArrowLeft"), KEY_LEFT);
    EXPECT_EQ(WebKeySlot("Space"), DomCodeSlot("Space"));
    EXPECT_EQ(WebKeySlot("NoSuchCode"), -1);
    EXPECT_TRUE(IsWebBoundKey(ACTION_MUTE, "KeyM"));
    EXPECT_TRUE(IsWebBoundKey(ACTION_VOLUME_DOWN, "Minus"));
    EXPECT_TRUE(IsWebBoundKey(ACTION_VOLUME_UP, "Equal"));
    EXPECT_FALSE(IsWebBoundKey(ACTION_MUTE, "KeyN"));
}

// Fire on Space and left on A: the new keys press the world's slots, and the old
// ones no longer do (Z would otherwise fire too).
TEST(WebKeyBindings, AReboundControlMovesToItsNewKey) {
    Settings settings;
    settings.keys[ACTION_FIRE] = "Space";
    settings.keys[ACTION_LEFT] = "a";
    settings.keys[ACTION_MUTE] = "F2";
    Bind(settings);
    EXPECT_EQ(WebKeySlot("Space"), KEY_Z);
    EXPECT_EQ(WebKeySlot("KeyA"), KEY_LEFT);
    EXPECT_EQ(WebKeySlot("KeyZ"), -1);
    EXPECT_EQ(WebKeySlot("ArrowLeft"), -1);
    EXPECT_EQ(WebKeySlot("ArrowRight"), KEY_RIGHT);
    EXPECT_EQ(WebKeySlot("Escape"), KEY_ESCAPE);
    EXPECT_TRUE(IsWebBoundKey(ACTION_MUTE, "F2"));
    EXPECT_FALSE(IsWebBoundKey(ACTION_MUTE, "KeyM"));
    Bind(Settings());
}

TEST(WebKeyBindings, AnUnknownNameIsToldAndTheDefaultKept) {
    Settings settings;
    settings.keys[ACTION_FIRE] = "Hyperspace";
    std::vector<std::string> report;
    SetWebKeyBindings(settings, report);
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("unknown key name \"Hyperspace\" for key-fire; Z kept"), std::string::npos)
        << report[0];
    EXPECT_EQ(WebKeySlot("KeyZ"), KEY_Z);
}
