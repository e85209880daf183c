// The vortane-classic page: the earlier edition's start-up, world step and frame in
// the browser's shell, on a 1024 × 768 canvas (the browser switches no display mode).
#include <GLES2/gl2.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "base/log.h"
#include "classic/scene.h"
#include "classic/update.h"
#include "classic/world.h"
#include "game/grid.h"
#include "game/random.h"
#include "render/scene.h"
#include "synth/player.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "web/web_shell.h"

namespace {
const char* const SOUND_EFFECT_FILES[] = {"shot.zdi", "explode.zdi", "pickup.zdi", "die.zdi", "levelup.zdi"};

void Init(const std::string& dataDir) {
    LogDisable();
    SeedGameRand(static_cast<uint32_t>(std::time(nullptr)));
    cameraPos = Vector3(0, 0, 40);
    BuildGrid();
    classic::LoadTextures(dataDir);
    LogLine("Initialising Zonder player");
    StartPlayer();
    LogLine("Loading sounds");
    int slot = 0;
    for (const char* name : SOUND_EFFECT_FILES) LoadSoundEffect(slot++, (dataDir + name).c_str());
    LoadSongFile((dataDir + "zazizer.zds").c_str());
    PlaySong();
    classic::NewGame();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

int32_t Score() { return classic::score; }
}  // namespace

int main() {
    static WebEdition edition = {"vortane", 1024, 768, Init, classic::UpdateWorld, classic::DrawScene, Score};
    RunWebGame(edition);
    return 0;
}
