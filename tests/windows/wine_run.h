#pragma once
// The Windows edition's programs run under wine, in the tests' own prefix.
#include <string>
#include <vector>

#include "tests/support/programs.h"

// The Windows build's run folder (programs, DLLs, data/), ending in '/'.
extern const std::string WINDOWS_RUN;

// The environment every wine run gets: the tests' prefix, no debug chatter.
std::vector<std::string> WineEnvironment();

// A shell command line that runs `program` (a path to an .exe) under wine with
// `arguments` (already quoted for the shell).
std::string WineCommand(const std::string& program, const std::string& arguments);

// Starts `program` under wine from `workDir`, stdout and stderr into files.
Child StartWine(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& workDir, const std::vector<std::string>& environment,
                const std::string& stdoutFile, const std::string& stderrFile);

// Stops the prefix's wine server and every wine program in it, and waits until
// they are gone (each case does so before and after it runs).
void EndWineServer();

// Starts the prefix's wine server and its desktop on this process's X server and
// returns once they are up (a console program run to its end), so that a game
// started next does not wait on the desktop's start on a busy machine.
void StartWineDesktop();

// Quotes text for the shell.
std::string Quoted(const std::string& text);
