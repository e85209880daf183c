#pragma once
#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>

#include "base/line_output.h"
#include "game/controls.h"
#include "game/input_script.h"

// Recordings: a played session kept as an input script that reproduces it.
//
//     # vortane recording
//     # edition current
//     # seed 1765123456
//     COUNT CONTROL ...
//     ...
//     # end steps N score S rand R
//
// The seed is what start-up gave the world's generator; the lines hold exactly
// the controls each world step read, run-length coded; the end line gives the
// number of steps, the score after the last one and the generator's state then.
// A file without its end line is a recording cut short (the game was killed): it
// still plays as an input script up to its last line.

// Longest line a reader accepts; the writer's lines are far shorter.
constexpr size_t RECORDING_MAX_LINE = 1024;
// Most steps a recording may hold (over eight years at 60 a second).
constexpr uint64_t RECORDING_MAX_STEPS = 1ull << 34;
// The writer puts out what it holds at least this often.
constexpr int64_t RECORDING_FLUSH_NS = 1000000000;

struct Recording {
    std::string edition;  // "current" or "classic"
    uint32_t seed = 0;
    InputScript script;
    uint64_t steps = 0;
    int32_t score = 0;
    uint32_t rand = 0;
};

// Reads a whole recording. Refused, with `error` naming `sourceName`, the line
// and the fault: a missing or wrong header, a bad line, a missing end line (cut
// short), anything after it, and an end line whose step count differs from the
// lines' total.
bool ParseRecording(std::istream& in, const std::string& sourceName, Recording& recording,
                    std::string& error);

// Reads a recording file ("-" is standard input).
bool LoadRecording(const std::string& path, Recording& recording, std::string& error);

// The end line after `steps` steps, newline included.
std::string RecordingEndLine(uint64_t steps, int32_t score, uint32_t rand);

// The controls a step holds, as a bit set over INPUT_CONTROLS.
uint32_t HeldControls(const Controls& controls);

// Writes a recording while the game runs: whole lines only, put out at least
// every second, so a killed game leaves a file that plays up to its last line.
// A write that fails (a full disk, a closed pipe) is said on stderr at once with
// its reason; the writer then stops, the game plays on, and the file keeps every
// whole line written before.
class RecordingWriter {
public:
    RecordingWriter() = default;
    ~RecordingWriter();
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Creates the file ("-" is standard output) and writes the header. False with
    // `error` when it cannot.
    bool Open(const std::string& path, const std::string& edition, uint32_t seed, std::string& error);
    bool IsOpen() const { return output.IsOpen(); }
    // One world step read the controls `held`; `nowNs` is the monotonic clock.
    void AddStep(uint32_t held, int64_t nowNs);
    uint64_t Steps() const { return steps; }
    // Puts out every step so far as whole lines (the run still growing as it
    // stands), as the writer does every second; the recording stays open.
    void Flush();
    // Writes the rest, the end line, and closes. False when a write failed (said
    // on stderr when it happened).
    bool Finish(int32_t score, uint32_t rand);

private:
    void WriteRun();
    void PutOut();

    LineOutput output;
    std::string name;     // the file as messages call it
    std::string pending;  // whole lines not yet put out
    uint32_t runHeld = 0;
    long runCount = 0;
    uint64_t steps = 0;
    int64_t lastFlushNs = 0;
};

// Controls that pass another's through and record, at each Poll, what it holds.
class RecordingControls : public Controls {
public:
    RecordingControls(Controls& inner, RecordingWriter& writer, int64_t (*clock)());
    void Poll() override;
    bool KeyDown(int slot) const override { return inner.KeyDown(slot); }

private:
    Controls& inner;
    RecordingWriter& writer;
    int64_t (*clock)();
};
