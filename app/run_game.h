#pragma once
#include <SDL2/SDL.h>

#include "app/desktop_platform.h"
#include "app/game_options.h"
#include "game/controls.h"
#include "game/edition.h"
#include "synth/player.h"

// The steps of start-up and shutdown that RunGame takes outside the edition: the
// programs use the defaults; the shell's tests put their own.
struct ShellSteps {
    bool (*init)(const Edition& edition) = StartDesktopEdition;  // ends with StartInputDevices()
    void (*stopAudio)() = StopPlayer;                            // shutdown, before the input devices go
};

// Creates the window, runs start-up, then the main loop: every waiting event
// first, and only when none waits the frame's world steps (the step clock's
// count: one on time, none for an early frame, up to four for a late one), one
// frame and one buffer swap. The swap interval paces the frames; where the
// driver grants none, a frame limiter keeps them to the step rate
// (app/frame_pacing.h), and `options.fps` can ask for another pace. P or a pad's
// Start pauses and resumes: no step while paused, the last frame stays with the
// paused sign over it, and Escape quits. Where the edition offers window comfort, F11 or Alt+Enter toggles
// desktop full screen. With --record or --replay the world step is the session's
// (app/game_session.h). Ends on the quit event (window closed), on Escape while
// paused, or when the world step returns false (Escape, or a replay's end), runs
// the shutdown (audio, input devices, the edition's textures while the context is
// current, the cursor shown again after full screen, the window), finishes a
// recording and returns the process exit code: 0; 1 when the window or start-up
// failed (after its box; a recording begun is removed) or a recording cannot be
// written; 2 for a replay that cannot be used, before any window opens.
int RunGame(const Edition& edition, const GameOptions& options = GameOptions(),
            const ShellSteps& steps = ShellSteps());

// The keys the shell answers itself, apart from the world's controls.
enum class ShellKey { None, Pause, ToggleFullscreen };
ShellKey ShellKeyOf(const SDL_KeyboardEvent& key);

// A press of Escape (repeats too): quits while the game is paused.
bool IsEscapePress(const SDL_Event& event);

// Whether the world waits: paused with P, or (with --pause-unfocused) while the
// window has no focus.
struct PauseState {
    bool byKey = false;  // P or the pad's Start
    bool byFocus = false;
    bool Paused() const { return byKey || byFocus; }
};

// A press of the pad's Start (seen by the input devices' last poll) toggles the
// pause as P does.
void FollowPadStart(PauseState& pause);
