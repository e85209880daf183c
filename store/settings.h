#pragma once
#include <string>
#include <vector>

// The player's settings file: plain text, one `name = value` per line, '#' starts
// a comment line, blank lines are skipped. Every setting defaults to the game as
// written; the file only ever opts in to something else.

// The controls a player can put on other keys, named as the file names them
// (`key-fire`), each with the key it defaults to, as SDL names keys.
enum KeyAction {
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_UP,
    ACTION_DOWN,
    ACTION_FIRE,
    ACTION_MODE_1,
    ACTION_MODE_2,
    ACTION_MODE_3,
    ACTION_MUTE,
    ACTION_VOLUME_DOWN,
    ACTION_VOLUME_UP,
    ACTION_COUNT
};
struct KeyActionName {
    const char* setting;     // "key-fire"
    const char* defaultKey;  // "Z"
    const char* help;        // the comment above it in the file
};
extern const KeyActionName KEY_ACTIONS[ACTION_COUNT];

constexpr int VOLUME_MAX = 100;           // per cent
constexpr int VOLUME_STEP = 10;           // what minus and plus change a volume by
constexpr int SETTINGS_FPS_DISPLAY = -1;  // fps = display: the display's own pace

struct Settings {
    int controlMode = 3;            // 1, 2 or 3 as the digit keys choose (current edition)
    bool fullscreen = false;        // current edition: start in desktop full screen
    bool classicFullscreen = true;  // earlier edition: switch the display mode
    // 0..100 per cent of the synthesizer's sound effects (voices 0..2) and of its
    // music (the song's voices 3..5).
    int effectsVolume = VOLUME_MAX;
    int musicVolume = VOLUME_MAX;
    bool mute = false;               // both silent, the volumes kept
    int fps = SETTINGS_FPS_DISPLAY;  // display, or 0..1000 frames a second
    std::string keys[ACTION_COUNT];  // SDL key names; "" is the key as written

    Settings();
};

bool operator==(const Settings& a, const Settings& b);
inline bool operator!=(const Settings& a, const Settings& b) { return !(a == b); }

// Reads settings text over `settings` (start from the defaults). Every line that
// cannot be used is left out and described in one line of `problems`, naming
// `sourceName` and the line number: a line without '=', an unknown name, a bad
// value. Never fails as a whole.
void ParseSettings(const std::string& text, const std::string& sourceName, Settings& settings,
                   std::vector<std::string>& problems);

// The whole file: every setting with a comment that says what it takes.
std::string FormatSettings(const Settings& settings);

// What the volume keys do to the settings: mute turns all sound off and on; a
// step down or up changes the music's volume or the effects' by VOLUME_STEP
// within 0..VOLUME_MAX, and turns the sound back on.
enum VolumeKey { VOLUME_KEY_MUTE, VOLUME_KEY_DOWN, VOLUME_KEY_UP };
void StepVolume(Settings& settings, VolumeKey key, bool music);

// The pad's two volume buttons (the shoulders): a new press steps the volume once,
// holding it does not repeat. Each host feeds it the buttons after every world step.
class PadVolumeButtons {
public:
    // Whether a button went down since the last call, and which key that is.
    bool Pressed(bool downHeld, bool upHeld, VolumeKey& key);

private:
    bool held[2] = {};
};
