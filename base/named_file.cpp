#include "base/named_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

bool IsStandardStream(const std::string& path) { return path == "-"; }

std::string InputDisplayName(const std::string& path) {
    return IsStandardStream(path) ? "standard input" : path;
}

std::string OutputDisplayName(const std::string& path) {
    return IsStandardStream(path) ? "standard output" : path;
}

bool ReadNamedInput(const std::string& path, std::string& text, std::string& reason) {
    std::FILE* file = stdin;
    if (!IsStandardStream(path)) {
        // A folder opens like a file and reads as empty, so it is refused by name.
        struct stat info;
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            reason = "is a folder, not a file";
            return false;
        }
        file = std::fopen(path.c_str(), "rb");
        if (!file) {
            reason = std::string("cannot open (") + std::strerror(errno) + ")";
            return false;
        }
    }
    text.clear();
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    bool failed = std::ferror(file) != 0;
    if (file != stdin) std::fclose(file);
    if (failed) {
        reason = "cannot be read";
        return false;
    }
    return true;
}

std::FILE* OpenNamedOutput(const std::string& path) {
    return IsStandardStream(path) ? stdout : std::fopen(path.c_str(), "wb");
}

bool CloseNamedOutput(std::FILE* file) {
    if (file == stdout) return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    bool failed = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !failed;
}
