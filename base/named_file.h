#pragma once
#include <cstdio>
#include <string>

// A file named on a command line, where "-" names the standard stream: standard
// input for what a program reads (input scripts, events files, recordings),
// standard output for what it writes.

bool IsStandardStream(const std::string& path);

// How messages call the file: "standard input" or "standard output" for "-",
// otherwise the path itself.
std::string InputDisplayName(const std::string& path);
std::string OutputDisplayName(const std::string& path);

// Reads the whole file (or all of standard input). false with `reason` ("is a
// folder, not a file", "cannot open (No such file or directory)") when it cannot.
bool ReadNamedInput(const std::string& path, std::string& text, std::string& reason);

// Opens the file for writing in binary, or hands out stdout for "-"; nullptr when
// it cannot be opened (errno says why).
std::FILE* OpenNamedOutput(const std::string& path);

// Closes what OpenNamedOutput gave (stdout is flushed, not closed). false when any
// write to it failed.
bool CloseNamedOutput(std::FILE* file);
