#include "app/key_bindings.h"

#include "app/scan_codes.h"
#include "game/controls.h"

namespace {

// The world's key slot of each action it reads; -1 for the shell's own.
const int ACTION_SLOTS[ACTION_COUNT] = {
    KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_Z, KEY_1, KEY_2, KEY_3, -1, -1, -1,
};

SDL_Scancode boundCodes[ACTION_COUNT] = {};
bool worldRebound = false;

SDL_Scancode ScancodeOfName(const std::string& name) {
    // By the layout first, so a key is named by what it says; else by position.
    SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
    if (key != SDLK_UNKNOWN) {
        SDL_Scancode code = SDL_GetScancodeFromKey(key);
        if (code != SDL_SCANCODE_UNKNOWN) return code;
    }
    return SDL_GetScancodeFromName(name.c_str());
}

}  // namespace

void SetKeyBindings(const Settings& settings, std::vector<std::string>& report) {
    worldRebound = false;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        const KeyActionName& named = KEY_ACTIONS[action];
        SDL_Scancode code = ScancodeOfName(settings.keys[action]);
        if (code == SDL_SCANCODE_UNKNOWN) {
            report.push_back(std::string("unknown key name \"") + settings.keys[action] + "\" for " +
                             named.setting + "; " + named.defaultKey + " kept");
            code = ScancodeOfName(named.defaultKey);
        } else if (ACTION_SLOTS[action] >= 0 && settings.keys[action] != named.defaultKey) {
            worldRebound = true;
        }
        boundCodes[action] = code;
    }
}

void ApplyKeyBindings(const Uint8* state, int count, uint8_t* keyState) {
    if (!worldRebound) return;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        int slot = ACTION_SLOTS[action];
        if (slot < 0) continue;
        int code = boundCodes[action];
        keyState[slot] = code > 0 && code < count && state[code] ? 0x80 : 0;
    }
}

int KeySlotOf(SDL_Scancode code) {
    int own = ScanCodeSlot(code);
    if (!worldRebound) return own;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (ACTION_SLOTS[action] >= 0 && boundCodes[action] == code) return ACTION_SLOTS[action];
    }
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (ACTION_SLOTS[action] == own) return -1;
    }
    return own;
}

bool IsBoundKey(int action, SDL_Scancode code) {
    return action >= 0 && action < ACTION_COUNT && code != SDL_SCANCODE_UNKNOWN && boundCodes[action] == code;
}
