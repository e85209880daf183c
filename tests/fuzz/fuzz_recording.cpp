// The recording reader over arbitrary text: a recording is accepted only whole
// (header, lines, end line) with its step count matching its lines.
#include <sstream>
#include <string>

#include "game/recording.h"
#include "tests/fuzz/fuzz_targets.h"

int FuzzRecording(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Recording recording;
    std::string error;
    if (!ParseRecording(in, "fuzz.vrec", recording, error)) {
        FuzzCheck(!error.empty(), "a refused recording says why");
        return 0;
    }
    FuzzCheck(recording.edition == "current" || recording.edition == "classic", "a known edition");
    uint64_t total = 0;
    for (const InputScriptLine& line : recording.script.lines) {
        FuzzCheck(line.count >= 1 && line.count <= INPUT_SCRIPT_MAX_COUNT, "counts within 1..max");
        for (int slot : line.slots) FuzzCheck(slot >= 0 && slot < KEY_SLOT_COUNT, "controls are key slots");
        total += static_cast<uint64_t>(line.count);
    }
    FuzzCheck(total == recording.steps, "the end line's step count is the lines' total");
    FuzzCheck(recording.steps <= RECORDING_MAX_STEPS, "steps within the limit");
    return 0;
}
