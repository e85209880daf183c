#include "app/controller_config.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/program_name.h"

std::string ControllerConfigProblem(const char* path) {
    if (!path || *path == '\0') return std::string();
    // access, not open: opening a FIFO would wait for a writer.
    if (access(path, R_OK) != 0) return std::strerror(errno);
    return std::string();
}

void ReportControllerConfigFile() {
    const char* path = std::getenv("SDL_GAMECONTROLLERCONFIG_FILE");
    std::string problem = ControllerConfigProblem(path);
    if (problem.empty()) return;
    std::fprintf(
        stderr,
        "%s: SDL_GAMECONTROLLERCONFIG_FILE names %s, which cannot be read (%s); no pad mappings from it\n",
        ProgramName(), path, problem.c_str());
}
