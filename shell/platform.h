#pragma once
#include <cstdint>
#include <string>

#include "game/edition.h"
#include "synth/player.h"

// What a host gives the start-up and shutdown that every host runs
// (shell/start_up.h): the desktop's SDL shell (app/desktop_platform.cpp, Windows
// included) and the browser's page (web/web_shell.cpp). The window and its GL
// context exist, current on the calling thread, before start-up begins; the
// audio stream's platform side is synth/audio_stream.h, which the host's build
// lists; the drawing back-ends are registered by the host before its context is
// made (render/draw_backend.h). Main thread only.
struct Platform {
    // Files: the folder the edition's pictures and sounds are read from, ending
    // with '/'.
    std::string (*dataDir)(const Edition& edition);
    // Time: the seed of this run's generator (the time in seconds, or a replay's
    // own); the host may keep it, as a recording starts with it.
    uint32_t (*startSeed)(const Edition& edition);
    // Window and context, once the data folder is known and before the edition's
    // pictures load: what the host's context needs (the desktop's window icon and
    // filled polygons; nothing in the browser).
    void (*readyWindow)(const Edition& edition, const std::string& dataDir);
    // Input: opened last, once the window has the focus, and read once so the first
    // step sees current keys; closed at shutdown after the audio stream.
    void (*startInput)();
    void (*stopInput)();
    // Window and context at the end of shutdown: the edition's pictures released
    // while the context is current, then the window gone (the desktop), or the page
    // told that the game ended (the browser).
    void (*closeWindow)(const Edition& edition);
    // Audio: the player over the host's stream (synth/player.h); the shell's tests
    // put their own.
    bool (*startAudio)() = StartPlayer;
    void (*stopAudio)() = StopPlayer;
};
