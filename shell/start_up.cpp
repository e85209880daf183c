#include "shell/start_up.h"

#include <GLES2/gl2.h>

#include <cstdint>

#include "base/log.h"
#include "game/grid.h"
#include "game/random.h"
#include "game/sound_effects.h"
#include "render/scene.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"

void LoadEditionSounds(const Edition& edition, const std::string& dataDir) {
    LoadSoundEffects(dataDir);
    // A missing song is no song; an edition that plays it starts the sequencer anyway.
    LoadSongFile((dataDir + SONG_FILE).c_str());
    if (edition.playsSong) PlaySong();
}

bool StartEdition(const Edition& edition, const Platform& platform) {
    LogDisable();
    SeedGameRand(platform.startSeed(edition));
    cameraPos = Vector3(0, 0, 40);
    edition.resetWorld();
    BuildGrid();
    std::string dataDir = platform.dataDir(edition);
    platform.readyWindow(edition, dataDir);
    edition.loadGraphics(dataDir);
    LogLine("Initialising Zonder player");
    platform.startAudio();
    LogLine("Loading sounds");
    LoadEditionSounds(edition, dataDir);
    edition.startWorld();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    platform.startInput();
    return true;
}

void StopEdition(const Edition& edition, const Platform& platform) {
    LogDisable();
    LogLine("Main: Cleaning up");
    platform.stopAudio();
    platform.stopInput();
    platform.closeWindow(edition);
}
