#include "store/disk.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string Reason(const char* what, int code) {
    return std::string(what) + " (" + std::strerror(code) + ")";
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

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string WriteToDisk(const std::string& path, const std::string& text) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Reason("no temporary file", errno);
    if (!WriteAll(fd, text) || fsync(fd) != 0) {
        int code = errno;
        close(fd);
        return Reason("writing", code);
    }
    if (close(fd) != 0) return Reason("closing", errno);
    return "";
}

std::string MoveOver(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return std::strerror(errno);
    // Without this the rename may not survive a power cut; a failure here loses nothing now.
    int folder = open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return "";
}

void RemoveQuietly(const std::string& path) { unlink(path.c_str()); }

long ThisProcessId() { return static_cast<long>(getpid()); }

bool ProcessGone(long id) { return kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH; }
