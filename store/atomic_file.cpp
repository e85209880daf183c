#include "store/atomic_file.h"

#include "store/disk.h"

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error) {
    // The process id keeps two games writing the same file from sharing a temporary.
    const std::string temporary = path + ".tmp." + std::to_string(ThisProcessId());
    std::string failure = WriteToDisk(temporary, text);
    if (failure.empty()) {
        std::string reason = MoveOver(temporary, path);
        if (!reason.empty()) failure = "renaming into place (" + reason + ")";
    }
    if (failure.empty()) return true;
    RemoveQuietly(temporary);
    error = "cannot write " + path + ": " + failure;
    return false;
}
