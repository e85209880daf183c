#include "base/open_file.h"

#include <fcntl.h>

int OpenForReading(const std::string& path) {
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

void ReadWithWaiting(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

int OpenForWriting(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
