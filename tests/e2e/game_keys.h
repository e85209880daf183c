#pragma once
// What both end-to-end suites do to a running game: one deadline for quitting,
// keys sent as a user sends them, and the start / focus / Escape sequence.
#include <string>
#include <vector>

#include "tests/support/programs.h"

// Escape must end a game within this (a game that records writes its recording
// on the way out). Sanitizer builds check every allocation and scan for leaks at
// exit, so they get longer.
#ifdef VORTANE_E2E_SLOW
constexpr int EXIT_DEADLINE_MS = 5000;
#else
constexpr int EXIT_DEADLINE_MS = 2000;
#endif

void Pause(int milliseconds);

// xdotool with these words. It now and then fails to reach a freshly started
// server under load; a second try a moment later gets through. False when all
// tries failed.
bool SendKeys(const std::vector<std::string>& words);

// The game window titled `title`, focused; "" when none appears or it takes no focus.
std::string FocusedGameWindow(const std::string& title);

// Escape held as a user holds it (the game reads the keyboard once a frame) until
// the game ends or EXIT_DEADLINE_MS pass, then released: WaitChild's status (-1
// when the game did not end in time, and is then killed).
int HoldEscapeUntilExit(Child& game);
