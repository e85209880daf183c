#include "web/web_recording.h"

#include <emscripten.h>

#include <cstdio>

#include "base/named_file.h"
#include "game/recording.h"

namespace {

const char* const RECORDING_PATH = "/recording.vrec";
RecordingWriter writer;

int64_t PageNanoseconds() { return static_cast<int64_t>(emscripten_get_now() * 1e6); }

}  // namespace

void StartWebRecording(const char* edition, uint32_t seed) {
    std::string error;
    // The memory file system cannot refuse; a failure only costs the recording.
    if (!writer.Open(RECORDING_PATH, edition, seed, error))
        std::fprintf(stderr, "vortane: %s\n", error.c_str());
}

bool StepRecorded(bool (*updateWorld)(Controls&), Controls& controls) {
    RecordingControls recorded(controls, writer, PageNanoseconds);
    return updateWorld(recorded);
}

std::string WebRecordingText(int32_t score, uint32_t rand) {
    if (!writer.IsOpen()) return "";
    writer.Flush();
    std::string text, reason;
    if (!ReadNamedInput(RECORDING_PATH, text, reason)) return "";
    return text + RecordingEndLine(writer.Steps(), score, rand);
}
