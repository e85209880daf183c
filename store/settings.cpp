#include "store/settings.h"

#include <cstdint>
#include <cstdlib>

const KeyActionName KEY_ACTIONS[ACTION_COUNT] = {
    {"key-left", "Left", "steer left"},
    {"key-right", "Right", "steer right"},
    {"key-up", "Up", "steer up"},
    {"key-down", "Down", "steer down"},
    {"key-fire", "Z", "fire; a new game after game over"},
    {"key-mode-1", "1", "control mode 1"},
    {"key-mode-2", "2", "control mode 2"},
    {"key-mode-3", "3", "control mode 3"},
    {"key-mute", "M", "sound off and on"},
    {"key-volume-down", "-", "effects volume down a step; with Shift the music's"},
    {"key-volume-up", "=",
     "effects volume up a step; with Shift the music's (the keypad's - and + work too)"},
};

namespace {

constexpr int FPS_LIMIT = 1000;

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool ParseNumber(const std::string& text, int min, int max, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + (c - '0');
    }
    if (parsed < min || parsed > max) return false;
    value = parsed;
    return true;
}

bool ParseYesNo(const std::string& text, bool& value) {
    if (text == "yes" || text == "on" || text == "true" || text == "1") {
        value = true;
        return true;
    }
    if (text == "no" || text == "off" || text == "false" || text == "0") {
        value = false;
        return true;
    }
    return false;
}

// Applies one setting; false with `expected` saying what a good value is.
bool ApplySetting(const std::string& name, const std::string& value, Settings& settings, bool& known,
                  std::string& expected) {
    known = true;
    if (name == "control-mode") {
        expected = "1, 2 or 3";
        return ParseNumber(value, 1, 3, settings.controlMode);
    }
    if (name == "fullscreen") {
        expected = "yes or no";
        return ParseYesNo(value, settings.fullscreen);
    }
    if (name == "classic-fullscreen") {
        expected = "yes or no";
        return ParseYesNo(value, settings.classicFullscreen);
    }
    if (name == "effects-volume" || name == "music-volume" || name == "volume") {
        expected = "a whole number from 0 to 100";
        int percent = 0;
        if (!ParseNumber(value, 0, VOLUME_MAX, percent)) return false;
        // `volume` sets both at once (and reads a file from before they were apart).
        if (name != "music-volume") settings.effectsVolume = percent;
        if (name != "effects-volume") settings.musicVolume = percent;
        return true;
    }
    if (name == "mute") {
        expected = "yes or no";
        return ParseYesNo(value, settings.mute);
    }
    if (name == "fps") {
        expected = "display or a whole number from 0 to " + std::to_string(FPS_LIMIT);
        if (value == "display") {
            settings.fps = SETTINGS_FPS_DISPLAY;
            return true;
        }
        return ParseNumber(value, 0, FPS_LIMIT, settings.fps);
    }
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (name != KEY_ACTIONS[action].setting) continue;
        // Whether SDL knows the name is the shell's to check.
        expected = "a key name";
        if (value.empty()) return false;
        settings.keys[action] = value;
        return true;
    }
    known = false;
    return false;
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

Settings::Settings() {
    for (int action = 0; action < ACTION_COUNT; ++action) keys[action] = KEY_ACTIONS[action].defaultKey;
}

bool operator==(const Settings& a, const Settings& b) {
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (a.keys[action] != b.keys[action]) return false;
    }
    return a.controlMode == b.controlMode && a.fullscreen == b.fullscreen &&
           a.classicFullscreen == b.classicFullscreen && a.effectsVolume == b.effectsVolume &&
           a.musicVolume == b.musicVolume && a.mute == b.mute && a.fps == b.fps;
}

void ParseSettings(const std::string& text, const std::string& sourceName, Settings& settings,
                   std::vector<std::string>& problems) {
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::string place = sourceName + " line " + std::to_string(number) + ": ";
        size_t equals = line.find('=');
        // A key bound to '=' itself: "key-volume-up = =" has its value after the first '='.
        if (equals == std::string::npos || equals == 0) {
            problems.push_back(place + "not a \"name = value\" line; ignored");
            continue;
        }
        std::string name = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        bool known = false;
        std::string expected;
        if (ApplySetting(name, value, settings, known, expected)) continue;
        if (!known) {
            problems.push_back(place + "unknown setting \"" + name + "\"; ignored");
        } else {
            problems.push_back(place + "bad value \"" + value + "\" for " + name + " (expected " + expected +
                               "); ignored");
        }
    }
}

std::string FormatSettings(const Settings& s) {
    std::string text =
        "# vortane settings: one \"name = value\" a line; the games rewrite this file when\n"
        "# you change something while playing. Unknown names and bad values are reported\n"
        "# and ignored. `man vortane` describes every setting.\n"
        "\n"
        "# control mode at start (current edition): 1 direct, 2 turn and drive, 3 strafing\n"
        "control-mode = " +
        std::to_string(s.controlMode) +
        "\n"
        "# start in borderless full screen (current edition; F11 toggles it): yes or no\n"
        "fullscreen = " +
        YesNo(s.fullscreen) +
        "\n"
        "# the earlier edition switches the display mode (no: play in a window)\n"
        "classic-fullscreen = " +
        YesNo(s.classicFullscreen) +
        "\n"
        "# volume of the sound effects and of the music in per cent, 0 to 100 (volume = N\n"
        "# sets both), and whether all sound is off\n"
        "effects-volume = " +
        std::to_string(s.effectsVolume) + "\nmusic-volume = " + std::to_string(s.musicVolume) +
        "\nmute = " + YesNo(s.mute) +
        "\n"
        "# frames (world steps) a second: display (the display's pace), or 0 to 1000\n"
        "# (0 unpaced); --fps and VORTANE_FPS win over it\n"
        "fps = " +
        (s.fps == SETTINGS_FPS_DISPLAY ? std::string("display") : std::to_string(s.fps)) +
        "\n\n# keys, as SDL names them (Left, Space, Return, Left Ctrl, A, Keypad 8, ...)\n";
    for (int action = 0; action < ACTION_COUNT; ++action) {
        text += std::string("# ") + KEY_ACTIONS[action].help + "\n" + KEY_ACTIONS[action].setting + " = " +
                s.keys[action] + "\n";
    }
    return text;
}

void StepVolume(Settings& settings, VolumeKey key, bool music) {
    if (key == VOLUME_KEY_MUTE) {
        settings.mute = !settings.mute;
        return;
    }
    settings.mute = false;
    int& percent = music ? settings.musicVolume : settings.effectsVolume;
    percent += key == VOLUME_KEY_UP ? VOLUME_STEP : -VOLUME_STEP;
    if (percent < 0) percent = 0;
    if (percent > VOLUME_MAX) percent = VOLUME_MAX;
}

bool PadVolumeButtons::Pressed(bool downHeld, bool upHeld, VolumeKey& key) {
    bool downPressed = downHeld && !held[0];
    bool upPressed = upHeld && !held[1];
    held[0] = downHeld;
    held[1] = upHeld;
    if (downPressed)
        key = VOLUME_KEY_DOWN;
    else if (upPressed)
        key = VOLUME_KEY_UP;
    return downPressed || upPressed;
}
