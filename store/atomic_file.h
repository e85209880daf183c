#pragma once
#include <string>

// Replaces the file at `path` with `text` so that a crash or a kill at any moment
// leaves the old file or the new one, never a mix: the text goes to a temporary
// file in the same folder, is forced to the disk (fsync), and is renamed over the
// old file; the folder is synced too, so the rename itself lasts. False with
// `error` (the file's name and the reason) when it cannot; the old file is then
// untouched and no temporary file stays behind.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);
