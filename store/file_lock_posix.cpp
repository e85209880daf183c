#include "store/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

FileLock::FileLock(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot open the lock " + path + " (" + std::strerror(errno) + ")";
        return;
    }
    handle = fd;
    int result;
    do {
        result = flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = "cannot lock " + path + " (" + std::strerror(errno) + ")";
        return;
    }
    held = true;
}

FileLock::~FileLock() {
    // Closing the descriptor lets go of the lock.
    if (handle >= 0) close(static_cast<int>(handle));
}
