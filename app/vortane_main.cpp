// The vortane program: the current edition's start-up, world step and frame in the
// shared window and main loop.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "app/data_dir.h"
#include "app/game_options.h"
#include "app/run_game.h"
#include "base/log.h"
#include "game/grid.h"
#include "game/random.h"
#include "game/update.h"
#include "game/world.h"
#include "render/scene.h"
#include "render/textures.h"
#include "synth/player.h"
#include "synth/song_files.h"

namespace {
// The five sound-effect slots in the order start-up fills them.
const char* const SOUND_EFFECT_FILES[] = {"shot.zdi", "explode.zdi", "pickup.zdi", "die.zdi", "levelup.zdi"};

// The order matters: the context exists before textures upload, the stream runs
// before sounds are read into it, the grid is built before the world is reset,
// and the input devices come last, once the window has the focus.
bool Init() {
    LogDisable();
    SeedGameRand(static_cast<uint32_t>(std::time(nullptr)));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    cameraPos = Vector3(0, 0, 40);
    BuildGrid();
    std::string dataDir = DataDir();
    LoadGameTextures(dataDir);
    LogLine("Initialising Zonder player");
    StartPlayer();
    LogLine("Loading sounds");
    int slot = 0;
    for (const char* name : SOUND_EFFECT_FILES) LoadSoundEffect(slot++, (dataDir + name).c_str());
    // A missing song is no song; it is loaded but this edition never starts it.
    LoadSongFile((dataDir + "zazizer.zds").c_str());
    NewGame();
    SetPlayerDefaults();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    StartInputDevices();
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    GameOptions options;
    int exitStatus = 0;
    if (!ParseGameCommandLine("vortane", "An arena shooter over a spring grid.",
                              "keys: arrow keys or a joystick steer; Z or its first button fires and\n"
                              "starts a new game after game over; 1, 2 and 3 choose the control mode;\n"
                              "Escape quits.\n",
                              GameOptionTable(options), argc, argv, exitStatus)) {
        return exitStatus;
    }
    SelectRenderer(options);
    Edition edition{};
    edition.title = "vortane";
    edition.width = 800;
    edition.height = 600;
    edition.bits = 32;
    edition.fullscreen = false;
    edition.init = Init;
    edition.updateWorld = UpdateWorld;
    edition.drawScene = DrawScene;
    edition.stopAudio = StopPlayer;
    edition.releaseGraphics = ReleaseTextures;
    int exitCode = RunGame(edition);
    SDL_Quit();
    return exitCode;
}
