// Replays every kept fuzz input through its target's body: the seed corpora,
// the inputs that once broke something (regressions/) and the hostile files of
// tests/bad/. Built with the sanitizers this is the same check the fuzzer makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {
std::string currentInput;

std::vector<fs::path> FilesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    if (!fs::is_directory(dir)) return files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// tests/bad names end in the suffix of what they are; "?" matches any character.
bool HasSuffix(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    size_t at = name.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (suffix[i] != '?' && suffix[i] != name[at + i]) return false;
    }
    return true;
}

class FuzzReplay : public ::testing::TestWithParam<FuzzTarget> {
protected:
    // Runs every file; returns how many there were.
    size_t Replay(const std::vector<fs::path>& files) {
        for (const fs::path& file : files) {
            currentInput = file.string();
            std::vector<uint8_t> bytes = ReadBytes(file.string());
            GetParam().entry(bytes.data(), bytes.size());
        }
        currentInput.clear();
        return files.size();
    }
    fs::path Folder(const char* kind) const {
        return fs::path(VORTANE_SOURCE_DIR) / "tests/fuzz" / kind / GetParam().name;
    }
};
}  // namespace

void FuzzCheck(bool holds, const char* what) {
    if (!holds) ADD_FAILURE() << what << " (input " << currentInput << ")";
}

TEST_P(FuzzReplay, SeedCorpusKeepsEveryProperty) {
    EXPECT_GT(Replay(FilesIn(Folder("corpus"))), 0u) << "no seeds for " << GetParam().name;
}

TEST_P(FuzzReplay, FoundInputsKeepEveryProperty) { Replay(FilesIn(Folder("regressions"))); }

TEST_P(FuzzReplay, HostileFilesKeepEveryProperty) {
    std::vector<fs::path> bad;
    for (const fs::path& file : FilesIn(fs::path(VORTANE_SOURCE_DIR) / "tests/bad")) {
        if (HasSuffix(file.filename().string(), GetParam().badSuffix)) bad.push_back(file);
    }
    Replay(bad);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         ::testing::ValuesIn(FUZZ_TARGETS, FUZZ_TARGETS + FUZZ_TARGET_COUNT),
                         [](const ::testing::TestParamInfo<FuzzTarget>& info) {
                             return std::string(info.param.name);
                         });
