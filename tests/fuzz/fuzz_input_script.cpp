// The vortane-sim input-script parser over arbitrary text: a script is accepted
// only with counts in range and known controls, and playing it back holds only
// real key slots.
#include <sstream>
#include <string>

#include "game/input_script.h"
#include "tests/fuzz/fuzz_targets.h"

namespace {
constexpr long PLAYBACK_STEPS = 400;
const int WATCHED_SLOTS[] = {-1000, -1,  0,   1,   2,   3,   4,   44,  200, 203,
                             205,   208, 256, 257, 258, 259, 260, 268, 269, 100000};
}  // namespace

int FuzzInputScript(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    InputScript script;
    std::string error;
    if (!ParseInputScript(in, "fuzz.txt", script, error)) {
        FuzzCheck(!error.empty(), "a refused script says why");
        return 0;
    }
    long total = 0;  // steps the script lasts, counted up to the playback limit
    for (const InputScriptLine& line : script.lines) {
        FuzzCheck(line.count >= 1 && line.count <= INPUT_SCRIPT_MAX_COUNT, "counts within 1..max");
        for (int slot : line.slots) FuzzCheck(slot >= 0 && slot < KEY_SLOT_COUNT, "controls are key slots");
        if (total <= PLAYBACK_STEPS) total += line.count;
    }
    // Playback: every step while it is short, the controls' slots and the slots
    // just outside the table each step; once it has run out, nothing at all is held.
    ScriptedControls controls(script);
    for (long step = 1; step <= PLAYBACK_STEPS; ++step) {
        controls.Poll();
        if (step > total) {
            for (int slot = -1; slot <= KEY_SLOT_COUNT; ++slot) {
                FuzzCheck(!controls.KeyDown(slot), "nothing is held once the script has run out");
            }
            break;
        }
        for (int slot : WATCHED_SLOTS) controls.KeyDown(slot);
    }
    return 0;
}
