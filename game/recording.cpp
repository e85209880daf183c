#include "game/recording.h"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <vector>

#include "base/named_file.h"
#include "base/program_name.h"
#include "base/quoted_text.h"

namespace {

const char* const HEADER = "# vortane recording";
const char* const EDITION_PREFIX = "# edition ";
const char* const SEED_PREFIX = "# seed ";

// A file saved by an editor that ends lines with CR LF reads as the same recording.
void DropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

// One line of at most RECORDING_MAX_LINE characters, without its newline (LF or
// CR LF). False at the end of the input; `tooLong` is set when a line runs past
// the limit.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    char c;
    bool any = false;
    while (in.get(c)) {
        any = true;
        if (c == '\n') break;
        // One more than the limit leaves room for the CR of a CR LF.
        if (line.size() > RECORDING_MAX_LINE) {
            tooLong = true;
            return true;
        }
        line += c;
    }
    DropCarriageReturn(line);
    tooLong = line.size() > RECORDING_MAX_LINE;
    return any;
}

// Plain decimal digits, no sign, at most `max`.
bool ParseUnsigned(const std::string& word, uint64_t max, uint64_t& value) {
    if (word.empty() || word.size() > 20) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (max - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

// An optional '-' and decimal digits, within the range of a score.
bool ParseScore(const std::string& word, int32_t& score) {
    bool negative = !word.empty() && word[0] == '-';
    uint64_t magnitude = 0;
    uint64_t limit = negative ? uint64_t(INT32_MAX) + 1 : uint64_t(INT32_MAX);
    if (!ParseUnsigned(negative ? word.substr(1) : word, limit, magnitude)) return false;
    score =
        negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
    return true;
}

// "# end steps N score S rand R"
bool ParseEndLine(const std::string& text, Recording& recording, std::string& fault) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (words.size() < 9 && in >> word) words.push_back(word);
    if (words.size() != 8 || words[0] != "#" || words[1] != "end" || words[2] != "steps" ||
        words[4] != "score" || words[6] != "rand") {
        fault = "bad end line (expected \"# end steps N score S rand R\")";
        return false;
    }
    uint64_t rand = 0;
    if (!ParseUnsigned(words[3], RECORDING_MAX_STEPS, recording.steps)) {
        fault = "bad step count \"" + words[3] + "\" in the end line";
        return false;
    }
    if (!ParseScore(words[5], recording.score)) {
        fault = "bad score \"" + words[5] + "\" in the end line";
        return false;
    }
    if (!ParseUnsigned(words[7], UINT32_MAX, rand)) {
        fault = "bad rand \"" + words[7] + "\" in the end line";
        return false;
    }
    recording.rand = static_cast<uint32_t>(rand);
    return true;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool ParseRecordingLines(std::istream& in, const std::string& sourceName, Recording& recording,
                         std::string& error) {
    recording = Recording{};
    std::string text;
    bool tooLong = false;
    int lineNumber = 0;
    auto fail = [&](const std::string& fault) {
        error = "recording " + sourceName + " line " + std::to_string(lineNumber) + ": " + fault;
        return false;
    };
    auto next = [&]() {
        if (!ReadLine(in, text, tooLong)) return false;
        ++lineNumber;
        return true;
    };

    if (!next() || text != HEADER) {
        error = "recording " + sourceName + ": not a vortane recording (the first line is not \"" + HEADER +
                "\")";
        return false;
    }
    if (!next() || !StartsWith(text, EDITION_PREFIX)) return fail("expected \"# edition current|classic\"");
    recording.edition = text.substr(std::strlen(EDITION_PREFIX));
    if (recording.edition != "current" && recording.edition != "classic") {
        return fail("unknown edition \"" + recording.edition.substr(0, 40) +
                    "\" (expected current or classic)");
    }
    uint64_t seed = 0;
    if (!next() || !StartsWith(text, SEED_PREFIX) ||
        !ParseUnsigned(text.substr(std::strlen(SEED_PREFIX)), UINT32_MAX, seed)) {
        return fail("expected \"# seed N\" with N from 0 to 4294967295");
    }
    recording.seed = static_cast<uint32_t>(seed);

    uint64_t total = 0;
    bool ended = false;
    while (next()) {
        if (tooLong) return fail("line longer than " + std::to_string(RECORDING_MAX_LINE) + " characters");
        if (ended) return fail("text after the end line");
        if (StartsWith(text, "# end")) {
            std::string fault;
            if (!ParseEndLine(text, recording, fault)) return fail(fault);
            if (recording.steps != total) {
                return fail("the end line says " + std::to_string(recording.steps) +
                            " steps, the lines hold " + std::to_string(total));
            }
            ended = true;
            continue;
        }
        InputScriptLine line;
        std::string fault;
        if (!ParseInputScriptLine(text, line, fault)) return fail(fault);
        total += static_cast<uint64_t>(line.count);
        if (total > RECORDING_MAX_STEPS)
            return fail("more than " + std::to_string(RECORDING_MAX_STEPS) + " steps");
        recording.script.lines.push_back(std::move(line));
    }
    if (in.bad()) {
        error = "recording " + sourceName + ": read error";
        return false;
    }
    if (!ended) {
        error = "recording " + sourceName + " is cut short: no end line after step " + std::to_string(total) +
                " (the game that wrote it did not finish)";
        return false;
    }
    return true;
}

}  // namespace

bool ParseRecording(std::istream& in, const std::string& sourceName, Recording& recording,
                    std::string& error) {
    if (ParseRecordingLines(in, sourceName, recording, error)) return true;
    // Faults quote the file's words, which may hold anything.
    error = QuoteUnprintable(error);
    return false;
}

bool LoadRecording(const std::string& path, Recording& recording, std::string& error) {
    std::string text, reason;
    if (!ReadNamedInput(path, text, reason)) {
        error = "recording " + InputDisplayName(path) + ": " + reason;
        return false;
    }
    std::istringstream in(text);
    return ParseRecording(in, InputDisplayName(path), recording, error);
}

uint32_t HeldControls(const Controls& controls) {
    uint32_t held = 0;
    for (int i = 0; i < INPUT_CONTROL_COUNT; ++i) {
        if (controls.KeyDown(INPUT_CONTROLS[i].slot)) held |= 1u << i;
    }
    return held;
}

RecordingWriter::~RecordingWriter() {
    // Without Finish (a failed start-up): what was recorded stays, cut short.
    if (!output.IsOpen()) return;
    WriteRun();
    PutOut();
    output.Close();
}

bool RecordingWriter::Open(const std::string& path, const std::string& edition, uint32_t seed,
                           std::string& error) {
    name = OutputDisplayName(path);
    pending = std::string(HEADER) + "\n" + EDITION_PREFIX + edition + "\n" + SEED_PREFIX +
              std::to_string(seed) + "\n";
    if (!output.Open(path) || !output.Write(pending)) {
        error = "cannot write the recording " + name + " (" + output.Reason() + ")";
        output.Close();
        return false;
    }
    pending.clear();
    return true;
}

void RecordingWriter::WriteRun() {
    if (runCount == 0) return;
    pending += std::to_string(runCount);
    for (int i = 0; i < INPUT_CONTROL_COUNT; ++i) {
        if (runHeld & (1u << i)) {
            pending += ' ';
            pending += INPUT_CONTROLS[i].name;
        }
    }
    pending += '\n';
    runCount = 0;
}

void RecordingWriter::PutOut() {
    if (pending.empty() || output.Failed()) return;
    bool written = output.Write(pending);
    pending.clear();
    if (written) return;
    // Said at once, while the player can still do something about it; the game
    // plays on, and the file keeps every whole line it took.
    std::fprintf(stderr, "%s: cannot write the recording %s (%s); playing on without recording\n",
                 ProgramName(), name.c_str(), output.Reason().c_str());
}

void RecordingWriter::AddStep(uint32_t held, int64_t nowNs) {
    if (!output.IsOpen() || output.Failed()) return;
    if (steps == 0) lastFlushNs = nowNs;
    if (runCount > 0 && (held != runHeld || runCount >= INPUT_SCRIPT_MAX_COUNT)) WriteRun();
    runHeld = held;
    runCount += 1;
    steps += 1;
    // A run still growing is written as it stands, so a kill loses at most a second.
    if (nowNs - lastFlushNs >= RECORDING_FLUSH_NS) {
        Flush();
        lastFlushNs = nowNs;
    }
}

void RecordingWriter::Flush() {
    if (!output.IsOpen()) return;
    WriteRun();
    PutOut();
}

std::string RecordingEndLine(uint64_t steps, int32_t score, uint32_t rand) {
    return "# end steps " + std::to_string(steps) + " score " + std::to_string(score) + " rand " +
           std::to_string(rand) + "\n";
}

bool RecordingWriter::Finish(int32_t score, uint32_t rand) {
    if (!output.IsOpen()) return false;
    WriteRun();
    if (!output.Failed()) {
        pending += RecordingEndLine(steps, score, rand);
    }
    PutOut();
    bool failedBefore = output.Failed();
    if (!output.Close() && !failedBefore) {
        std::fprintf(stderr, "%s: cannot write the recording %s (%s)\n", ProgramName(), name.c_str(),
                     output.Reason().c_str());
    }
    return !output.Failed();
}

RecordingControls::RecordingControls(Controls& inner_, RecordingWriter& writer_, int64_t (*clock_)())
    : inner(inner_), writer(writer_), clock(clock_) {}

void RecordingControls::Poll() {
    inner.Poll();
    writer.AddStep(HeldControls(inner), clock());
}
