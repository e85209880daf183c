#include "app/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {
bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ExecutablePath() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    path[length] = '\0';
    return std::string(path);
}
}  // namespace

std::string FindDataDir(const std::string& executablePath) {
    if (IsDirectory("data")) return "data/";
    std::string::size_type slash = executablePath.rfind('/');
    if (slash != std::string::npos) {
        std::string beside = executablePath.substr(0, slash + 1) + "data";
        if (IsDirectory(beside)) return beside + "/";
    }
    return "data/";
}

std::string DataDir() { return FindDataDir(ExecutablePath()); }
