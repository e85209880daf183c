#include "web/dom_key_codes.h"

#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include "app/scan_codes.h"
#include "game/controls.h"

TEST(DomKeyCodes, KeysTheGameReads) {
    struct Case {
        const char* code;
        int slot;
    };
    const Case cases[] = {
        {"Escape", KEY_ESCAPE},  {"Digit1", KEY_1},       {"Digit2", KEY_2},
        {"Digit3", KEY_3},       {"KeyZ", KEY_Z},         {"ArrowUp", KEY_UP},
        {"ArrowDown", KEY_DOWN}, {"ArrowLeft", KEY_LEFT}, {"ArrowRight", KEY_RIGHT},
    };
    for (const Case& c : cases) EXPECT_EQ(DomCodeSlot(c.code), c.slot) << c.code;
}

// The browser and the desktop name the same physical key differently; both must
// land in the same slot, or a key would mean something else in the browser.
TEST(DomKeyCodes, SameSlotsAsTheDesktopKeyboard) {
    struct Case {
        const char* code;
        SDL_Scancode sdl;
    };
    const Case cases[] = {
        {"KeyA", SDL_SCANCODE_A},
        {"KeyQ", SDL_SCANCODE_Q},
        {"KeyM", SDL_SCANCODE_M},
        {"Digit0", SDL_SCANCODE_0},
        {"Digit9", SDL_SCANCODE_9},
        {"Space", SDL_SCANCODE_SPACE},
        {"Enter", SDL_SCANCODE_RETURN},
        {"Tab", SDL_SCANCODE_TAB},
        {"Backspace", SDL_SCANCODE_BACKSPACE},
        {"ShiftLeft", SDL_SCANCODE_LSHIFT},
        {"ShiftRight", SDL_SCANCODE_RSHIFT},
        {"ControlLeft", SDL_SCANCODE_LCTRL},
        {"ControlRight", SDL_SCANCODE_RCTRL},
        {"AltLeft", SDL_SCANCODE_LALT},
        {"AltRight", SDL_SCANCODE_RALT},
        {"MetaLeft", SDL_SCANCODE_LGUI},
        {"Backquote", SDL_SCANCODE_GRAVE},
        {"Backslash", SDL_SCANCODE_BACKSLASH},
        {"IntlBackslash", SDL_SCANCODE_NONUSBACKSLASH},
        {"Quote", SDL_SCANCODE_APOSTROPHE},
        {"F1", SDL_SCANCODE_F1},
        {"F12", SDL_SCANCODE_F12},
        {"Numpad0", SDL_SCANCODE_KP_0},
        {"Numpad8", SDL_SCANCODE_KP_8},
        {"NumpadEnter", SDL_SCANCODE_KP_ENTER},
        {"NumpadDivide", SDL_SCANCODE_KP_DIVIDE},
        {"Home", SDL_SCANCODE_HOME},
        {"End", SDL_SCANCODE_END},
        {"PageUp", SDL_SCANCODE_PAGEUP},
        {"Insert", SDL_SCANCODE_INSERT},
        {"Delete", SDL_SCANCODE_DELETE},
        {"PrintScreen", SDL_SCANCODE_PRINTSCREEN},
        {"Pause", SDL_SCANCODE_PAUSE},
        {"ContextMenu", SDL_SCANCODE_APPLICATION},
        {"IntlYen", SDL_SCANCODE_INTERNATIONAL3},
        {"IntlRo", SDL_SCANCODE_INTERNATIONAL1},
    };
    for (const Case& c : cases) {
        EXPECT_NE(DomCodeSlot(c.code), -1) << c.code;
        EXPECT_EQ(DomCodeSlot(c.code), ScanCodeSlot(c.sdl)) << c.code;
    }
}

TEST(DomKeyCodes, UnknownCodesHaveNoSlot) {
    EXPECT_EQ(DomCodeSlot(nullptr), -1);
    EXPECT_EQ(DomCodeSlot(""), -1);
    EXPECT_EQ(DomCodeSlot("Fn"), -1);    // handled by the keyboard itself
    EXPECT_EQ(DomCodeSlot("keyz"), -1);  // names are case-sensitive
    EXPECT_EQ(DomCodeSlot("KeyZ "), -1);
    EXPECT_EQ(DomCodeSlot("Unidentified"), -1);  // what a browser sends for keys it cannot name
}
