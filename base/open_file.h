#pragma once
#include <string>

// Opening a file descriptor by its UTF-8 name: the one step of reading and writing
// files whose flags and name encoding differ between systems. base/open_file_posix.cpp
// and base/open_file_windows.cpp fill it in; the build compiles the one for its
// target. Both return -1 with errno set when the file cannot be opened.

// For reading in binary, without waiting for a writer when the name is a pipe (the
// caller checks what it opened and calls ReadWithWaiting before reading).
int OpenForReading(const std::string& path);

// Reads on `fd` wait for data again (undoes the no-wait open above).
void ReadWithWaiting(int fd);

// For writing in binary: created when missing, emptied when there.
int OpenForWriting(const std::string& path);
