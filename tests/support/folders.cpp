#include "tests/support/folders.h"

#include <filesystem>
#include <random>

std::string MakeScratchFolder(const std::string& name) {
    // create_directory makes a name only when nothing holds it yet: the same
    // guarantee as mkdtemp, and a Windows build has no mkdtemp.
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> letter(0, sizeof(LETTERS) - 2);
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    if (error) return "";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string leaf = name + "-";
        for (int i = 0; i < 6; ++i) leaf += LETTERS[letter(random)];
        std::filesystem::path folder = here / leaf;
        if (std::filesystem::create_directory(folder, error)) return folder.generic_string();
        if (error) return "";
    }
    return "";
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
