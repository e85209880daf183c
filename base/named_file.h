#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// A file named on a command line, where "-" names the standard stream: standard
// input for what a program reads (input scripts, events files, recordings),
// standard output for what it writes.

// The most any program reads of one file: far above any real recording, script,
// sound or song (the largest real ones are a few megabytes), low enough that an
// endless input (/dev/zero, a pipe that never ends) is refused long before memory
// runs out.
constexpr size_t NAMED_INPUT_MAX_BYTES = size_t(64) << 20;

bool IsStandardStream(const std::string& path);

// How messages call the file: "standard input" or "standard output" for "-",
// otherwise the path itself.
std::string InputDisplayName(const std::string& path);
std::string OutputDisplayName(const std::string& path);

// Opens a data file for reading in binary: only a regular file, so a folder, a
// pipe or a device named where a file belongs is refused without blocking on it.
// nullptr with `reason` ("is a folder, not a file", "is not a regular file (a
// pipe, device or socket)", "cannot open (No such file or directory)") otherwise;
// errno is ENOENT when the file does not exist.
std::FILE* OpenRegularFile(const std::string& path, std::string& reason);

// Reads a whole regular file (as OpenRegularFile opens it), at most `maxBytes`.
// false with `reason` when it cannot, or when the file is larger.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& reason,
                   size_t maxBytes = NAMED_INPUT_MAX_BYTES);

// Reads the whole file, or all of standard input for "-" (whatever it is: a pipe,
// a terminal, a file), at most `maxBytes`. false with `reason` when it cannot.
bool ReadNamedInput(const std::string& path, std::string& text, std::string& reason,
                    size_t maxBytes = NAMED_INPUT_MAX_BYTES);

// Opens the file for writing in binary, or hands out stdout for "-"; nullptr when
// it cannot be opened (errno says why).
std::FILE* OpenNamedOutput(const std::string& path);

// Closes what OpenNamedOutput gave (stdout is flushed, not closed). false when any
// write to it failed.
bool CloseNamedOutput(std::FILE* file);
