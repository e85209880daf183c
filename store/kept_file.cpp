#include "store/kept_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/open_file.h"
#include "store/disk.h"

KeptRead ReadKeptFile(const std::string& path, std::string& text, std::string& error) {
    text.clear();
    int fd = OpenForReading(path);
    if (fd < 0) {
        if (errno == ENOENT) return KeptRead::Missing;
        error = std::strerror(errno);
        return KeptRead::Unreadable;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "not a plain file";
        close(fd);
        return KeptRead::Unreadable;
    }
    ReadWithWaiting(fd);
    char buffer[8192];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = std::strerror(errno);
            close(fd);
            return KeptRead::Unreadable;
        }
        if (got == 0) break;
        text.append(buffer, static_cast<size_t>(got));
        if (text.size() > KEPT_FILE_MAX_BYTES) {
            error = "longer than " + std::to_string(KEPT_FILE_MAX_BYTES) + " bytes";
            close(fd);
            return KeptRead::Unreadable;
        }
    }
    close(fd);
    if (text.find('\0') != std::string::npos) {
        error = "not text (it holds a zero byte)";
        return KeptRead::Unreadable;
    }
    return KeptRead::Read;
}

std::string SetAsideBadFile(const std::string& path, std::string& error) {
    std::string aside = path + ".bad";
    std::string failure = MoveOver(path, aside);
    if (!failure.empty()) {
        error = failure;
        return "";
    }
    return aside;
}

void RemoveStaleTemporaries(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path target = fs::u8path(path);
    const std::string prefix = target.filename().u8string() + ".tmp.";
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().u8string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (ProcessGone(std::stol(digits))) fs::remove(entry.path(), error);
    }
}
