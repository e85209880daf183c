#include "app/host.h"

#include <unistd.h>

#include <climits>
#include <csignal>

std::string ProgramPath() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    path[length] = '\0';
    return std::string(path);
}

const char* const HOST_VIDEO_DRIVERS = "x11,wayland";

void IgnoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }
