// The vortane page: the current edition's start-up, world step and frame in the
// browser's shell.
#include <GLES2/gl2.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "base/log.h"
#include "game/grid.h"
#include "game/random.h"
#include "game/update.h"
#include "game/world.h"
#include "render/scene.h"
#include "render/textures.h"
#include "synth/player.h"
#include "synth/song_file.h"
#include "web/web_shell.h"

namespace {
const char* const SOUND_EFFECT_FILES[] = {"shot.zdi", "explode.zdi", "pickup.zdi", "die.zdi", "levelup.zdi"};

void Init(const std::string& dataDir) {
    LogDisable();
    SeedGameRand(static_cast<uint32_t>(std::time(nullptr)));
    cameraPos = Vector3(0, 0, 40);
    BuildGrid();
    LoadGameTextures(dataDir);
    LogLine("Initialising Zonder player");
    StartPlayer();
    LogLine("Loading sounds");
    int slot = 0;
    for (const char* name : SOUND_EFFECT_FILES) LoadSoundEffect(slot++, (dataDir + name).c_str());
    LoadSongFile((dataDir + "zazizer.zds").c_str());
    NewGame();
    SetPlayerDefaults();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

int32_t Score() { return score; }
}  // namespace

int main() {
    static WebEdition edition = {"vortane", 800, 600, Init, UpdateWorld, DrawScene, Score};
    RunWebGame(edition);
    return 0;
}
