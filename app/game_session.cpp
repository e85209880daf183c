#include "app/game_session.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "app/frame_pacing.h"
#include "app/host.h"
#include "base/command_line.h"
#include "base/named_file.h"
#include "base/program_name.h"
#include "game/input_script.h"
#include "game/random.h"
#include "game/recording.h"

namespace {

struct Session {
    const Edition* edition = nullptr;
    bool recording = false;
    bool replaying = false;
    RecordingWriter writer;
    std::unique_ptr<ScriptedControls> replay;
    uint64_t replaySteps = 0;
    uint64_t stepsDone = 0;
    std::string recordPath;
};

Session session;
bool startSeedSet = false;
uint32_t startSeed = 0;

bool SessionStep(Controls& devices) {
    const Edition& edition = *session.edition;
    if (session.replaying) {
        if (session.stepsDone >= session.replaySteps) return false;
        // The player's keyboard still counts for one thing: Escape ends the show.
        devices.Poll();
        if (devices.KeyDown(KEY_ESCAPE)) return false;
        session.stepsDone += 1;
        bool running = edition.updateWorld(*session.replay);
        return running && session.stepsDone < session.replaySteps;
    }
    if (session.recording) {
        RecordingControls recorded(devices, session.writer, MonotonicNanoseconds);
        return edition.updateWorld(recorded);
    }
    return edition.updateWorld(devices);
}

}  // namespace

uint32_t StartSeed() {
    if (!startSeedSet) SetStartSeed(static_cast<uint32_t>(std::time(nullptr)));
    return startSeed;
}

void SetStartSeed(uint32_t seed) {
    startSeed = seed;
    startSeedSet = true;
}

int StartSession(const Edition& edition, const GameOptions& options) {
    session.edition = &edition;
    std::string error;
    if (!options.replayPath.empty()) {
        Recording recording;
        if (!LoadRecording(options.replayPath, recording, error)) {
            std::fprintf(stderr, "%s: %s\n", ProgramName(), error.c_str());
            return EXIT_USAGE;
        }
        if (recording.edition != edition.name) {
            std::fprintf(stderr, "%s: recording %s is of the %s edition, not the %s one\n", ProgramName(),
                         InputDisplayName(options.replayPath).c_str(), recording.edition.c_str(),
                         edition.name);
            return EXIT_USAGE;
        }
        SetStartSeed(recording.seed);
        session.replaySteps = recording.steps;
        session.replay = std::make_unique<ScriptedControls>(std::move(recording.script));
        session.replaying = true;
        return -1;
    }
    if (!options.recordPath.empty()) {
        // A reader that goes away (vortane --record - | head) is a failed write the
        // writer reports, not a signal that ends the game.
        IgnoreBrokenPipes();
        if (!session.writer.Open(options.recordPath, edition.name, StartSeed(), error)) {
            std::fprintf(stderr, "%s: %s\n", ProgramName(), error.c_str());
            return EXIT_RUN_FAILED;
        }
        session.recordPath = options.recordPath;
        session.recording = true;
    }
    return -1;
}

Edition SessionEdition(const Edition& edition) {
    Edition played = edition;
    played.updateWorld = SessionStep;
    return played;
}

void AbandonSession() {
    if (!session.recording) return;
    session.recording = false;
    if (session.writer.Steps() == 0 && session.recordPath != "-") std::remove(session.recordPath.c_str());
}

int FinishSession() {
    if (!session.recording) return 0;
    session.recording = false;
    // The writer has said why, when it happened.
    return session.writer.Finish(session.edition->score(), gameRandom.state) ? 0 : EXIT_RUN_FAILED;
}
