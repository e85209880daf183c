// The vortane program: the current edition's start-up, world step and frame in the
// shared window and main loop.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdint>
#include <ctime>

#include "app/log.h"
#include "app/run_game.h"
#include "game/controls.h"
#include "game/random.h"
#include "game/world.h"
#include "render/scene.h"

namespace {
bool Init() {
    LogDisable();
    SeedGameRand(static_cast<uint32_t>(std::time(nullptr)));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    cameraPos = Vector3(0, 0, 40);
    // JOIN: BuildGrid();
    // JOIN: LoadGameTextures(DataDir());
    // JOIN: LogLine("Initialising Zonder player"); StartPlayer();
    // JOIN: LogLine("Loading sounds"); LoadSoundEffect(0..4, DataDir() + "shot.zdi" ...);
    // JOIN: the song: open DataDir() + "zazizer.zds" with "rb"; if it opened, LoadSong(file).
    NewGame();
    SetPlayerDefaults();
    LogLine("Main: Init done");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    StartInputDevices();
    return true;
}

// JOIN: replaced by UpdateWorld (game/update.h) when the world step lands. Until
// then a step only polls and watches for Escape.
bool ShellUpdateWorld(Controls& controls) {
    controls.Poll();
    if (controls.KeyDown(KEY_ESCAPE)) {
        LogEnable();
        return false;
    }
    return true;
}

// JOIN: replaced by DrawScene (render/scene.h) when the scene drawing lands.
void ShellDrawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LogDisable();
    glFlush();
}
}  // namespace

int main() {
    Edition edition{};
    edition.title = "vortane";
    edition.width = 800;
    edition.height = 600;
    edition.bits = 32;
    edition.fullscreen = false;
    edition.init = Init;
    edition.updateWorld = ShellUpdateWorld;
    edition.drawScene = ShellDrawScene;
    edition.stopAudio = nullptr;        // JOIN: StopPlayer
    edition.releaseGraphics = nullptr;  // JOIN: ReleaseTextures
    int exitCode = RunGame(edition);
    SDL_Quit();
    return exitCode;
}
