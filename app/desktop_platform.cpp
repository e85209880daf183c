#include "app/desktop_platform.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <new>

#include "app/data_dir.h"
#include "app/game_session.h"
#include "app/input_devices.h"
#include "app/window.h"
#include "app/window_icon.h"
#include "shell/start_up.h"

InputDevices* input = nullptr;

void StartInputDevices() {
    input = new (std::nothrow) InputDevices(appWindow);
    SDL_Delay(100);
    if (!input) return;
    input->Poll();
    // Keys pressed while the game was starting count for its first step.
    input->LatchQueuedPresses();
}

namespace {
std::string DesktopDataDir(const Edition& edition) { return DataDir(EditionDataMarker(edition.name)); }

uint32_t DesktopStartSeed(const Edition&) { return StartSeed(); }

void ReadyDesktopWindow(const Edition& edition, const std::string& dataDir) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    SetAppWindowIcon(dataDir + EditionWindowIcon(edition.name));
}

void StopInputDevices() {
    delete input;
    input = nullptr;
}

void CloseDesktopWindow(const Edition& edition) {
    // Shown whether the game ran full screen or fell back to a window.
    if (edition.fullscreen) SDL_ShowCursor(SDL_ENABLE);
    edition.releaseGraphics();
    DestroyAppWindow();
}
}  // namespace

Platform DesktopPlatform() {
    return Platform{DesktopDataDir,    DesktopStartSeed, ReadyDesktopWindow,
                    StartInputDevices, StopInputDevices, CloseDesktopWindow};
}

bool StartDesktopEdition(const Edition& edition) { return StartEdition(edition, DesktopPlatform()); }
