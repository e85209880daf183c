#include "app/run_game.h"

#include <new>

#include "app/frame_pacing.h"
#include "app/input_devices.h"
#include "app/message_box.h"
#include "app/window.h"
#include "base/log.h"

InputDevices* input = nullptr;

namespace {
// Stands in when the input devices could not be allocated: nothing is ever held,
// so the world step never reaches through an empty pointer. Closing the window
// still ends the game.
class NoControls : public Controls {
public:
    void Poll() override {}
    bool KeyDown(int) const override { return false; }
};

void Shutdown(const Edition& edition, const ShellSteps& steps) {
    LogDisable();
    LogLine("Main: Cleaning up");
    steps.stopAudio();
    delete input;
    input = nullptr;
    // Shown whether the game ran full screen or fell back to a window.
    if (edition.fullscreen) SDL_ShowCursor(SDL_ENABLE);
    edition.releaseGraphics();
    DestroyAppWindow();
}
}  // namespace

void StartInputDevices() {
    input = new (std::nothrow) InputDevices(appWindow);
    SDL_Delay(100);
    if (input) input->Poll();
}

int RunGame(const Edition& edition, const ShellSteps& steps) {
    fullscreen = false;
    if (!CreateAppWindow(edition.title, edition.width, edition.height, edition.bits, edition.fullscreen,
                         -1)) {
        return 0;
    }
    if (!steps.init(edition)) {
        ShowMessageBox("Init() Failed.", "ERROR", BoxIcon::Exclamation);
        Shutdown(edition, steps);
        return 0;
    }

    NoControls noControls;
    Controls& controls = input ? static_cast<Controls&>(*input) : noControls;
    // Without a granted swap interval the limiter keeps one step to a display refresh.
    PacingPlan pacing =
        ChoosePacing(FPS_DISPLAY, DisplayRefreshRate(), swapControlAvailable, TrySwapInterval);
    FrameLimiter limiter(pacing.limiterFps);
    SDL_Event event;
    for (;;) {
        if (SDL_PollEvent(&event)) {
            // Events first: while they keep coming (a window being dragged) the world waits.
            if (!HandleWindowEvent(event)) break;
            continue;
        }
        if (!edition.updateWorld(controls)) break;  // that step draws nothing
        edition.drawScene();
        SDL_GL_SwapWindow(appWindow);
        if (pacing.limiterFps > 0) limiter.Wait();
    }

    Shutdown(edition, steps);
    return 0;
}
