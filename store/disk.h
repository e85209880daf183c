#pragma once
#include <string>

// The steps of keeping a file that differ between systems: store/disk_posix.cpp and
// store/disk_windows.cpp fill them in; the build compiles the one for its target.
// Paths are UTF-8. A returned string is "" when the step was done, otherwise what
// failed and why ("writing (No space left on device)").

// Creates or empties the file at `path`, writes `text` and forces it to the disk
// before closing it.
std::string WriteToDisk(const std::string& path, const std::string& text);

// Renames `from` to `to` in one step, replacing an existing `to`, so a reader sees
// the old file or the new one; the rename itself is made to last a power cut.
// Returns "" or just the reason ("No such file or directory").
std::string MoveOver(const std::string& from, const std::string& to);

// Removes the file if it is there; a failure is not reported.
void RemoveQuietly(const std::string& path);

// This process's id, and whether the process with `id` has ended.
long ThisProcessId();
bool ProcessGone(long id);
