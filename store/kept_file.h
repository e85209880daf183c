#pragma once
#include <string>

// Reading back a file the games keep, and setting aside one that cannot be used.

enum class KeptRead {
    Read,        // `text` holds the whole file
    Missing,     // no such file yet: the defaults, nothing to report
    Unreadable,  // there but not readable, or not text (`error` says why)
};

// Largest kept file read back; anything longer was not written by the games.
constexpr size_t KEPT_FILE_MAX_BYTES = 1 << 20;

// Reads the whole file at `path`. A folder, a read error, a file longer than
// KEPT_FILE_MAX_BYTES or one holding a zero byte is Unreadable.
KeptRead ReadKeptFile(const std::string& path, std::string& text, std::string& error);

// Moves the file aside to PATH.bad (replacing an older one), so a corrupt file is
// kept for the player to look at while the game goes on with the defaults.
// Returns the new name, or "" when it could not be moved (`error` says why).
std::string SetAsideBadFile(const std::string& path, std::string& error);

// Removes the temporary files a killed writer left beside `path` (PATH.tmp.PID,
// see store/atomic_file.h) when that process is gone; a live writer's stays.
void RemoveStaleTemporaries(const std::string& path);
