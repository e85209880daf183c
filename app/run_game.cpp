#include "app/run_game.h"

#include <cstdio>
#include <string>

#include "app/frame_pacing.h"
#include "app/game_session.h"
#include "app/input_devices.h"
#include "app/kept_controls.h"
#include "app/kept_scores.h"
#include "app/kept_settings.h"
#include "app/message_box.h"
#include "app/window.h"
#include "base/command_line.h"
#include "base/log.h"
#include "base/program_name.h"
#include "base/quoted_text.h"
#include "base/step_clock.h"
#include "render/paused_sign.h"
#include "shell/start_up.h"
#include "synth/player.h"

namespace {
// Stands in when the input devices could not be allocated: nothing is ever held,
// so the world step never reaches through an empty pointer. Closing the window
// still ends the game.
class NoControls : public Controls {
public:
    void Poll() override {}
    bool KeyDown(int) const override { return false; }
};

// The shared shutdown over the desktop's platform, with the steps' audio.
void Shutdown(const Edition& edition, const ShellSteps& steps) {
    Platform platform = DesktopPlatform();
    platform.stopAudio = steps.stopAudio;
    StopEdition(edition, platform);
}

// Shell keys and focus changes: pause, and the full-screen toggle where the
// edition offers it. The world never sees these.
void HandleShellEvent(const SDL_Event& event, const Edition& edition, const GameOptions& options,
                      PauseState& pause) {
    if (event.type == SDL_KEYDOWN && !event.key.repeat) {
        if (HandleVolumeKey(event.key)) return;
        switch (ShellKeyOf(event.key)) {
            case ShellKey::Pause:
                pause.byKey = !pause.byKey;
                break;
            case ShellKey::ToggleFullscreen:
                if (edition.windowComfort) SetDesktopFullscreen(!desktopFullscreen);
                break;
            case ShellKey::None:
                break;
        }
    } else if (event.type == SDL_WINDOWEVENT && options.pauseUnfocused) {
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) pause.byFocus = true;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) pause.byFocus = false;
    }
}
}  // namespace

void FollowPadStart(PauseState& pause) {
    if (input && input->TakePadStart()) pause.byKey = !pause.byKey;
}

bool IsEscapePress(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
}

ShellKey ShellKeyOf(const SDL_KeyboardEvent& key) {
    SDL_Scancode code = key.keysym.scancode;
    Uint16 modifiers = key.keysym.mod;
    if (code == SDL_SCANCODE_P && !(modifiers & (KMOD_CTRL | KMOD_ALT | KMOD_GUI))) return ShellKey::Pause;
    if (code == SDL_SCANCODE_F11) return ShellKey::ToggleFullscreen;
    if ((code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (modifiers & KMOD_ALT)) {
        return ShellKey::ToggleFullscreen;
    }
    return ShellKey::None;
}

int RunGame(const Edition& wanted, const GameOptions& options, const ShellSteps& steps) {
    std::string mappingsProblem;
    if (!CheckControllerMappingsFile(mappingsProblem)) {
        std::fprintf(stderr, "%s: %s\n", ProgramName(), QuoteUnprintable(mappingsProblem).c_str());
        return EXIT_USAGE;
    }
    // A recording to replay is read whole, or the one to write created, before any window.
    int sessionStatus = StartSession(wanted, options);
    if (sessionStatus >= 0) return sessionStatus;
    const Edition edition = SessionEdition(wanted);

    fullscreen = false;
    bool modeSwitch = edition.fullscreen && !options.window;
    if (!CreateAppWindow(edition.title, edition.width, edition.height, edition.bits, modeSwitch, -1,
                         edition.windowComfort)) {
        AbandonSession();
        return EXIT_RUN_FAILED;
    }
    if (edition.windowComfort && options.fullscreen) SetDesktopFullscreen(true);
    if (!steps.init(edition)) {
        ShowMessageBox("Init() Failed.", "ERROR", BoxIcon::Exclamation);
        Shutdown(edition, steps);
        AbandonSession();
        return EXIT_RUN_FAILED;
    }

    ApplyKeptSettings(edition);
    StartScoreKeeping(edition);
    NoControls noControls;
    Controls& devices = input ? static_cast<Controls&>(*input) : noControls;
    KeptControls controls(devices);
    // Without a granted swap interval (or with --fps) the limiter keeps the pace.
    PacingPlan pacing =
        ChoosePacing(options.fps, DisplayRefreshRate(), swapControlAvailable, TrySwapInterval);
    FrameLimiter limiter(pacing.limiterFps);
    StepClock clock(MonotonicNanoseconds, pacing.stepRate);
    PauseState pause;
    SDL_Event event;
    bool running = true;
    bool wasPaused = false;
    while (running) {
        WatchPlayer();
        if (SDL_PollEvent(&event)) {
            // Events first: while they keep coming (a window being dragged) the world waits.
            if (!HandleWindowEvent(event)) break;
            HandleShellEvent(event, edition, options, pause);
            // No step reads Escape while paused, so the shell does.
            if (pause.Paused() && IsEscapePress(event)) break;
            continue;
        }
        if (pause.Paused()) {
            // The frozen frame, drawn again with the paused sign (and again after a
            // resize or an expose); then sleep until something happens. The pad's
            // Start is read meanwhile: it resumes.
            ShowPausedSign(true);
            edition.drawScene();
            SDL_GL_SwapWindow(appWindow);
            SDL_WaitEventTimeout(nullptr, 100);
            if (input) input->Poll();
            FollowPadStart(pause);
            limiter.Restart();
            clock.Restart();
            wasPaused = true;
            continue;
        }
        ShowPausedSign(false);
        // Keys pressed while paused are not for the world.
        if (wasPaused && input) input->ForgetPresses();
        wasPaused = false;
        // A frame that comes early runs no step and shows the same world again.
        int stepCount = clock.StepsForFrame();
        for (int step = 0; step < stepCount && running; ++step) {
            running = edition.updateWorld(controls);
            if (running) WatchGameOver(edition);
        }
        if (!running) break;  // that step draws nothing
        FollowPadStart(pause);
        WatchSettings(edition, devices);
        UpdateVolumeSign();
        edition.drawScene();
        SDL_GL_SwapWindow(appWindow);
        if (pacing.limiterFps > 0) limiter.Wait();
    }

    Shutdown(edition, steps);
    return FinishSession();
}
