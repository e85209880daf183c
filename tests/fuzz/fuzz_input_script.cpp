// The vortane-sim input-script parser over arbitrary text: a script is accepted
// only with counts in range and known controls, and playing it back holds only
// real key slots.
#include <sstream>
#include <string>

#include "tests/fuzz/fuzz_targets.h"
#include "tools/input_script.h"

namespace {
constexpr long PLAYBACK_STEPS = 2000;
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
    // Playback: every step while it is short; past its end nothing is held.
    ScriptedControls controls(script);
    for (long step = 1; step <= PLAYBACK_STEPS; ++step) {
        controls.Poll();
        bool anyHeld = false;
        for (int slot = -1; slot <= KEY_SLOT_COUNT; ++slot) anyHeld = controls.KeyDown(slot) || anyHeld;
        if (step > total) FuzzCheck(!anyHeld, "nothing is held once the script has run out");
        if (step > total + 1) break;
    }
    return 0;
}
