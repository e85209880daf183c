#pragma once
#include <string>
#include <vector>

#include "app/frame_pacing.h"
#include "base/command_line.h"

// What a player chose on the game's command line. Every choice defaults to the
// game as written; an option only ever opts in to something else.
struct GameOptions {
    std::string renderer = "fixed";  // the draw back-end: fixed function, or gles2 (OpenGL ES 2)
    int fps = FPS_DISPLAY;           // --fps N (or VORTANE_FPS): N frames a second, 0 unpaced
    bool fpsGiven = false;           // --fps was on the command line (it wins over VORTANE_FPS)
    bool fullscreen = false;         // --fullscreen: start in desktop full screen (current edition)
    bool window = false;             // --window: no display-mode switch (earlier edition)
    bool pauseUnfocused = false;     // --pause-unfocused
    std::string recordPath;          // --record FILE
    std::string replayPath;          // --replay FILE ("best": the kept best run)
    bool noSave = false;             // --no-save (or VORTANE_NO_SAVE=1): no file read or written
};

// The options both games take, in the order --help lists them. Each edition's main
// adds its own after them (FullscreenOption, WindowOption).
std::vector<CommandOption> GameOptionTable(GameOptions& options);
CommandOption FullscreenOption(GameOptions& options);
CommandOption WindowOption(GameOptions& options);

// Makes the chosen draw back-end the active one; before the window is created, as it
// decides the kind of GL context.
void SelectRenderer(const GameOptions& options);

// Parses a game's command line (no operands); `keys` tells the controls under the
// options in --help. Refuses --record with --replay, then takes VORTANE_FPS when
// --fps was not given. Returns true to start the game;
// otherwise the program ends with `exitStatus` (0 after --help or --version, 2 after a usage error) without
// opening a window or an audio device.
bool ParseGameCommandLine(const char* program, const char* summary, const char* keys,
                          std::vector<CommandOption> options, GameOptions& chosen, int argc, char** argv,
                          int& exitStatus);
