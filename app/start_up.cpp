#include "app/start_up.h"

#include <GL/gl.h>

#include <cstdint>

#include "app/data_dir.h"
#include "app/game_input.h"
#include "app/game_session.h"
#include "app/window_icon.h"
#include "base/log.h"
#include "game/grid.h"
#include "game/random.h"
#include "game/sound_effects.h"
#include "render/scene_parts.h"
#include "synth/instrument_file.h"
#include "synth/player.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"

void LoadEditionSounds(const Edition& edition, const std::string& dataDir) {
    LoadSoundEffects(dataDir);
    // A missing song is no song; an edition that plays it starts the sequencer anyway.
    LoadSongFile((dataDir + SONG_FILE).c_str());
    if (edition.playsSong) PlaySong();
}

bool StartEdition(const Edition& edition) {
    LogDisable();
    SeedGameRand(StartSeed());
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    cameraPos = Vector3(0, 0, 40);
    edition.resetWorld();
    BuildGrid();
    std::string dataDir = DataDir(EditionDataMarker(edition.name));
    SetAppWindowIcon(dataDir + EditionWindowIcon(edition.name));
    edition.loadGraphics(dataDir);
    LogLine("Initialising Zonder player");
    StartPlayer();
    LogLine("Loading sounds");
    LoadEditionSounds(edition, dataDir);
    edition.startWorld();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    StartInputDevices();
    return true;
}
