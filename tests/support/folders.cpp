#include "tests/support/folders.h"

#include <stdlib.h>

#include <filesystem>
#include <vector>

std::string MakeScratchFolder(const std::string& name) {
    std::error_code error;
    std::string pattern = std::filesystem::current_path(error).string() + "/" + name + "-XXXXXX";
    if (error) return "";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return "";
    return buffer.data();
}

ScratchDir::ScratchDir() {
    previous = std::filesystem::current_path().string();
    path = MakeScratchFolder("scratch");
    if (!path.empty()) std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
