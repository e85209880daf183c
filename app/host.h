#pragma once
// What the desktop shell does differently on each host. app/host_posix.cpp and
// app/host_windows.cpp fill it in; the build compiles the one for its target.
#include <string>

// The running program's own file with '/' between folders (Windows accepts it),
// in UTF-8; empty when the system does not say.
std::string ProgramPath();

// The SDL video drivers that give a window somebody can see, in order of choice.
extern const char* const HOST_VIDEO_DRIVERS;

// A reader that goes away makes later writes fail instead of ending the program
// (POSIX's SIGPIPE; Windows sends no such signal).
void IgnoreBrokenPipes();
