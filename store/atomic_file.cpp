#include "store/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool Fail(const std::string& path, const char* what, int code, std::string& error) {
    error = "cannot write " + path + ": " + what + " (" + std::strerror(code) + ")";
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error) {
    // The process id keeps two games writing the same file from sharing a temporary.
    const std::string temporary = path + ".tmp." + std::to_string(static_cast<long>(getpid()));
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(path, "no temporary file", errno, error);
    if (!WriteAll(fd, text) || fsync(fd) != 0) {
        int code = errno;
        close(fd);
        unlink(temporary.c_str());
        return Fail(path, "writing", code, error);
    }
    if (close(fd) != 0) {
        int code = errno;
        unlink(temporary.c_str());
        return Fail(path, "closing", code, error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        int code = errno;
        unlink(temporary.c_str());
        return Fail(path, "renaming into place", code, error);
    }
    // Without this the rename may not survive a power cut; a failure here loses nothing now.
    int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}
