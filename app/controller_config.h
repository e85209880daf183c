#pragma once
#include <string>

// SDL reads the pad mappings file named by SDL_GAMECONTROLLERCONFIG_FILE as its
// game-controller layer starts, and says nothing when the file is missing or
// unreadable: the pad then plays unmapped without a clue why.

// Why the mappings file `path` cannot be read ("No such file or directory",
// "Permission denied"), or "" when it can (or when no file is named).
std::string ControllerConfigProblem(const char* path);

// Before the game-controller layer starts: one stderr line when the file named by
// SDL_GAMECONTROLLERCONFIG_FILE cannot be read. The game goes on without it.
void ReportControllerConfigFile();
