#include "base/line_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/open_file.h"

LineOutput::~LineOutput() { Close(); }

bool LineOutput::Open(const std::string& path) {
    Close();
    failed = false;
    reason.clear();
    goodBytes = 0;
    if (path == "-") {
        // Whatever the C library holds for standard output goes first.
        std::fflush(stdout);
        fd = STDOUT_FILENO;
        ownsFd = false;
    } else {
        fd = OpenForWriting(path);
        if (fd < 0) return Fail(errno);
        ownsFd = true;
    }
    struct stat info {};
    seekable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (seekable) goodBytes = lseek(fd, 0, SEEK_CUR);
    return true;
}

bool LineOutput::Fail(int error) {
    failed = true;
    reason = std::strerror(error);
    return false;
}

bool LineOutput::Write(const std::string& lines) {
    if (fd < 0 || failed) return false;
    size_t done = 0;
    while (done < lines.size()) {
        ssize_t wrote = write(fd, lines.data() + done, lines.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            int error = wrote < 0 ? errno : ENOSPC;
            // Keep what was taken up to its last whole line; drop the piece after it.
            size_t whole = 0;
            if (done > 0) {
                size_t lastEnd = lines.rfind('\n', done - 1);
                if (lastEnd != std::string::npos) whole = lastEnd + 1;
            }
            if (seekable && ftruncate(fd, goodBytes + static_cast<long long>(whole)) == 0)
                goodBytes += static_cast<long long>(whole);
            return Fail(error);
        }
        done += static_cast<size_t>(wrote);
    }
    goodBytes += static_cast<long long>(lines.size());
    return true;
}

bool LineOutput::Close() {
    if (fd < 0) return !failed;
    bool closed = true;
    if (ownsFd && close(fd) != 0 && !failed) closed = Fail(errno);
    fd = -1;
    ownsFd = false;
    return closed && !failed;
}
