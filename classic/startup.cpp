#include "classic/startup.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdint>
#include <ctime>

#include "app/data_dir.h"
#include "base/log.h"
#include "classic/scene.h"
#include "classic/update.h"
#include "classic/world.h"
#include "game/grid.h"
#include "game/random.h"
#include "render/scene.h"
#include "render/textures.h"
#include "synth/player.h"
#include "synth/sequencer.h"
#include "synth/song_files.h"

namespace classic {

namespace {

void LoadSounds(const std::string& dataDir) {
    const char* const names[] = {"shot.zdi", "explode.zdi", "pickup.zdi", "die.zdi", "levelup.zdi"};
    int slot = 0;
    for (const char* name : names) LoadSoundEffect(slot++, (dataDir + name).c_str());
}

}  // namespace

void LoadAndPlaySong(const std::string& dataDir) {
    LoadSongFile((dataDir + "zazizer.zds").c_str());
    PlaySong();
}

bool Init() {
    LogDisable();
    SeedGameRand(static_cast<uint32_t>(std::time(nullptr)));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    cameraPos = Vector3(0, 0, 40);
    BuildGrid();
    std::string dataDir = DataDir();
    LoadTextures(dataDir);
    LogLine("Initialising Zonder player");
    StartPlayer();
    LogLine("Loading sounds");
    LoadSounds(dataDir);
    LoadAndPlaySong(dataDir);
    NewGame();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    StartInputDevices();
    return true;
}

void ReleaseGraphics() {
    ReleaseTextures();
    SDL_ShowCursor(SDL_ENABLE);
}

Edition MakeEdition() {
    Edition edition{};
    edition.title = "vortane";
    edition.width = 1024;
    edition.height = 768;
    edition.bits = 32;
    edition.fullscreen = true;
    edition.init = Init;
    edition.updateWorld = UpdateWorld;
    edition.drawScene = DrawScene;
    edition.stopAudio = StopPlayer;
    edition.releaseGraphics = ReleaseGraphics;
    return edition;
}

}  // namespace classic
