#include "game/input_script.h"

#include <cstdlib>
#include <sstream>

#include "base/named_file.h"
#include "base/quoted_text.h"

const InputControl INPUT_CONTROLS[INPUT_CONTROL_COUNT] = {
    {"ESC", KEY_ESCAPE},     {"KEY1", KEY_1},
    {"KEY2", KEY_2},         {"KEY3", KEY_3},
    {"FIRE", KEY_Z},         {"UP", KEY_UP},
    {"LEFT", KEY_LEFT},      {"RIGHT", KEY_RIGHT},
    {"DOWN", KEY_DOWN},      {"JRIGHT", KEY_JOY_RIGHT},
    {"JLEFT", KEY_JOY_LEFT}, {"JUP", KEY_JOY_UP},
    {"JDOWN", KEY_JOY_DOWN}, {"JFIRE", KEY_JOY_BUTTON1},
};

namespace {

std::string KnownControls() {
    std::string names;
    for (const InputControl& c : INPUT_CONTROLS) {
        if (!names.empty()) names += ' ';
        names += c.name;
    }
    return names;
}

// A count is a plain decimal number of steps, 1 or more.
bool ParseCount(const std::string& word, long& count) {
    if (word.empty() || word.size() > 10) return false;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
    }
    count = std::strtol(word.c_str(), nullptr, 10);
    return count >= 1 && count <= INPUT_SCRIPT_MAX_COUNT;
}

bool IsSkipped(const std::string& line) {
    size_t first = line.find_first_not_of(" \t\r\n\f\v");
    return first == std::string::npos || line[first] == '#';
}

}  // namespace

int InputControlSlot(const std::string& name) {
    for (const InputControl& c : INPUT_CONTROLS) {
        if (name == c.name) return c.slot;
    }
    return -1;
}

bool ParseInputScriptLine(const std::string& text, InputScriptLine& line, std::string& fault) {
    std::istringstream words(text);
    std::string word;
    words >> word;
    line = InputScriptLine{};
    if (!ParseCount(word, line.count)) {
        fault = "bad count \"" + word + "\" (expected a whole number of steps from 1 to " +
                std::to_string(INPUT_SCRIPT_MAX_COUNT) + ")";
        return false;
    }
    while (words >> word) {
        int slot = InputControlSlot(word);
        if (slot < 0) {
            fault = "unknown control \"" + word + "\" (known: " + KnownControls() + ")";
            return false;
        }
        line.slots.push_back(slot);
    }
    return true;
}

bool ParseInputScript(std::istream& in, const std::string& sourceName, InputScript& script,
                      std::string& error) {
    script.lines.clear();
    // Faults quote the file's words, which may hold anything.
    auto refuse = [&error](const std::string& message) {
        error = QuoteUnprintable(message);
        return false;
    };
    std::string text;
    for (int lineNumber = 1; std::getline(in, text); ++lineNumber) {
        if (IsSkipped(text)) continue;
        InputScriptLine line;
        std::string fault;
        if (!ParseInputScriptLine(text, line, fault)) {
            return refuse("input script " + sourceName + " line " + std::to_string(lineNumber) + ": " +
                          fault);
        }
        script.lines.push_back(line);
    }
    if (in.bad()) {
        return refuse("input script " + sourceName + ": read error");
    }
    return true;
}

bool LoadInputScript(const std::string& path, InputScript& script, std::string& error) {
    std::string text, reason;
    if (!ReadNamedInput(path, text, reason)) {
        error = "input script " + InputDisplayName(path) + ": " + reason;
        return false;
    }
    std::istringstream in(text);
    return ParseInputScript(in, InputDisplayName(path), script, error);
}

ScriptedControls::ScriptedControls(InputScript script) : script_(std::move(script)) {}

void ScriptedControls::Poll() {
    for (bool& h : held_) h = false;
    if (line_ >= script_.lines.size()) return;
    for (int slot : script_.lines[line_].slots) held_[slot] = true;
    stepsUsed_ += 1;
    if (stepsUsed_ >= script_.lines[line_].count) {
        line_ += 1;
        stepsUsed_ = 0;
    }
}

bool ScriptedControls::KeyDown(int slot) const { return slot >= 0 && slot < KEY_SLOT_COUNT && held_[slot]; }
