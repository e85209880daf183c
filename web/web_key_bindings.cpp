#include "web/web_key_bindings.h"

#include <cctype>
#include <string>

#include "game/controls.h"
#include "web/dom_key_codes.h"

namespace {

// The world's key slot of each action it reads; -1 for the shell's own.
const int ACTION_SLOTS[ACTION_COUNT] = {
    KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_Z, KEY_1, KEY_2, KEY_3, -1, -1, -1,
};

struct NamedKey {
    const char* sdlName;
    const char* domCode;
};

// The keys whose SDL name is not a letter, a digit, F1..F24 or "Keypad N".
const NamedKey NAMED_KEYS[] = {
    {"Return", "Enter"},
    {"Escape", "Escape"},
    {"Backspace", "Backspace"},
    {"Tab", "Tab"},
    {"Space", "Space"},
    {"-", "Minus"},
    {"=", "Equal"},
    {"[", "BracketLeft"},
    {"]", "BracketRight"},
    {"\\", "Backslash"},
    {";", "Semicolon"},
    {"'", "Quote"},
    {"`", "Backquote"},
    {",", "Comma"},
    {".", "Period"},
    {"/", "Slash"},
    {"CapsLock", "CapsLock"},
    {"Left Ctrl", "ControlLeft"},
    {"Left Shift", "ShiftLeft"},
    {"Left Alt", "AltLeft"},
    {"Left GUI", "MetaLeft"},
    {"Right Ctrl", "ControlRight"},
    {"Right Shift", "ShiftRight"},
    {"Right Alt", "AltRight"},
    {"Right GUI", "MetaRight"},
    {"Up", "ArrowUp"},
    {"Down", "ArrowDown"},
    {"Left", "ArrowLeft"},
    {"Right", "ArrowRight"},
    {"Insert", "Insert"},
    {"Delete", "Delete"},
    {"Home", "Home"},
    {"End", "End"},
    {"PageUp", "PageUp"},
    {"PageDown", "PageDown"},
    {"Keypad -", "NumpadSubtract"},
    {"Keypad +", "NumpadAdd"},
    {"Keypad *", "NumpadMultiply"},
    {"Keypad /", "NumpadDivide"},
    {"Keypad Enter", "NumpadEnter"},
    {"Keypad .", "NumpadDecimal"},
    {"Numlock", "NumLock"},
    {"ScrollLock", "ScrollLock"},
    {"PrintScreen", "PrintScreen"},
    {"Pause", "Pause"},
    {"Application", "ContextMenu"},
};

int boundSlots[ACTION_COUNT] = {};
bool worldRebound = false;

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The DOM code of the key an SDL name gives, "" when there is none.
std::string DomCodeOfName(const std::string& name) {
    std::string lower = Lower(name);
    if (lower.size() == 1 && lower[0] >= 'a' && lower[0] <= 'z')
        return std::string("Key") + static_cast<char>(lower[0] - 'a' + 'A');
    if (lower.size() == 1 && lower[0] >= '0' && lower[0] <= '9') return "Digit" + lower;
    if (lower[0] == 'f' && AllDigits(lower.substr(1))) return "F" + lower.substr(1);
    if (lower.rfind("keypad ", 0) == 0 && lower.size() == 8 && lower[7] >= '0' && lower[7] <= '9')
        return "Numpad" + lower.substr(7);
    for (const NamedKey& key : NAMED_KEYS) {
        if (Lower(key.sdlName) == lower) return key.domCode;
    }
    return "";
}

}  // namespace

int KeyNameSlot(const std::string& name) {
    if (name.empty()) return -1;
    std::string code = DomCodeOfName(name);
    return code.empty() ? -1 : DomCodeSlot(code.c_str());
}

void SetWebKeyBindings(const Settings& settings, std::vector<std::string>& report) {
    worldRebound = false;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        const KeyActionName& named = KEY_ACTIONS[action];
        int slot = KeyNameSlot(settings.keys[action]);
        if (slot < 0) {
            report.push_back(std::string("unknown key name \"") + settings.keys[action] + "\" for " +
                             named.setting + "; " + named.defaultKey + " kept");
            slot = KeyNameSlot(named.defaultKey);
        } else if (ACTION_SLOTS[action] >= 0 && slot != KeyNameSlot(named.defaultKey)) {
            worldRebound = true;
        }
        boundSlots[action] = slot;
    }
}

int WebKeySlot(const char* domCode) {
    int own = DomCodeSlot(domCode);
    if (!worldRebound || own < 0) return own;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (ACTION_SLOTS[action] >= 0 && boundSlots[action] == own) return ACTION_SLOTS[action];
    }
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (ACTION_SLOTS[action] == own) return -1;
    }
    return own;
}

bool IsWebBoundKey(int action, const char* domCode) {
    if (action < 0 || action >= ACTION_COUNT) return false;
    int own = DomCodeSlot(domCode);
    if (own < 0) return false;
    // Before the settings are read, each action has its default key.
    int bound = boundSlots[action] > 0 ? boundSlots[action] : KeyNameSlot(KEY_ACTIONS[action].defaultKey);
    return bound == own;
}
