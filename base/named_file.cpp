#include "base/named_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/open_file.h"

namespace {

std::string SizeText(size_t bytes) {
    if (bytes % (size_t(1) << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// Reads `file` to its end, refusing it once it passes `maxBytes`: the input may be
// endless, so its size is never trusted beforehand.
bool ReadToEnd(std::FILE* file, std::string& text, std::string& reason, size_t maxBytes) {
    text.clear();
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (got > maxBytes - text.size()) {
            text.clear();
            reason = "is larger than " + SizeText(maxBytes) + ", more than any real file";
            return false;
        }
        text.append(block, got);
    }
    if (std::ferror(file)) {
        reason = std::string("cannot be read (") + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool IsStandardStream(const std::string& path) { return path == "-"; }

std::string InputDisplayName(const std::string& path) {
    return IsStandardStream(path) ? "standard input" : path;
}

std::string OutputDisplayName(const std::string& path) {
    return IsStandardStream(path) ? "standard output" : path;
}

std::FILE* OpenRegularFile(const std::string& path, std::string& reason) {
    int fd = OpenForReading(path);
    if (fd < 0) {
        int openError = errno;
        reason = std::string("cannot open (") + std::strerror(openError) + ")";
        errno = openError;
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? "is a folder, not a file"
                                       : "is not a regular file (a pipe, device or socket)";
        close(fd);
        errno = EINVAL;
        return nullptr;
    }
    ReadWithWaiting(fd);
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        reason = std::string("cannot open (") + std::strerror(errno) + ")";
        close(fd);
    }
    return file;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& reason, size_t maxBytes) {
    std::FILE* file = OpenRegularFile(path, reason);
    if (!file) return false;
    bool read = ReadToEnd(file, text, reason, maxBytes);
    std::fclose(file);
    return read;
}

bool ReadNamedInput(const std::string& path, std::string& text, std::string& reason, size_t maxBytes) {
    if (!IsStandardStream(path)) return ReadWholeFile(path, text, reason, maxBytes);
    return ReadToEnd(stdin, text, reason, maxBytes);
}

std::FILE* OpenNamedOutput(const std::string& path) {
    return IsStandardStream(path) ? stdout : std::fopen(path.c_str(), "wb");
}

bool CloseNamedOutput(std::FILE* file) {
    if (file == stdout) return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    bool failed = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !failed;
}
