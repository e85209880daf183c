#pragma once
#include <istream>
#include <string>
#include <vector>

#include "game/controls.h"

// Input scripts drive the world without a device. Text, one line per stretch of
// steps: `COUNT [CONTROL ...]` holds the named controls for COUNT steps; lines run
// in order; blank lines and lines starting with '#' are skipped; once the script
// runs out nothing is held.
//
// Controls and their key slots: ESC 1, KEY1 2, KEY2 3, KEY3 4, FIRE 44 (Z), UP 200,
// LEFT 203, RIGHT 205, DOWN 208, JRIGHT 256, JLEFT 257, JUP 258, JDOWN 259, JFIRE 260.

// Largest COUNT accepted on one line.
constexpr long INPUT_SCRIPT_MAX_COUNT = 1000000000L;

struct InputScriptLine {
    long count = 0;
    std::vector<int> slots;
};

struct InputScript {
    std::vector<InputScriptLine> lines;
};

// Every control a script can name, with its key slot: exactly the slots the world
// step reads.
struct InputControl {
    const char* name;
    int slot;
};
extern const InputControl INPUT_CONTROLS[];
constexpr int INPUT_CONTROL_COUNT = 14;

// The key slot a control name holds down, or -1 for an unknown name.
int InputControlSlot(const std::string& name);

// Parses one `COUNT [CONTROL ...]` line (not blank, not a comment). On a fault
// returns false and sets `fault` to what is wrong, without the place.
bool ParseInputScriptLine(const std::string& text, InputScriptLine& line, std::string& fault);

// Parses a script. On a bad line returns false and sets `error` to a message
// naming `sourceName`, the line number and the fault.
bool ParseInputScript(std::istream& in, const std::string& sourceName, InputScript& script,
                      std::string& error);

// Reads and parses a script file, or standard input for "-"; an unreadable file is
// an error like a bad line.
bool LoadInputScript(const std::string& path, InputScript& script, std::string& error);

// Controls played back from a script: each Poll moves on one step.
class ScriptedControls : public Controls {
public:
    explicit ScriptedControls(InputScript script = {});
    void Poll() override;
    bool KeyDown(int slot) const override;

private:
    InputScript script_;
    size_t line_ = 0;     // the line the next Poll reads from
    long stepsUsed_ = 0;  // steps already taken from that line
    bool held_[KEY_SLOT_COUNT] = {};
};
