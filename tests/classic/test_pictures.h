#pragma once
#include <string>

// Writes the ten pictures the earlier edition loads, small and made up for the
// tests, into `dataDir` (ending with '/'): distinct, deterministic, upright.
void WriteClassicTestPictures(const std::string& dataDir);

// A folder of this process's own under the working directory, entered for the
// object's lifetime: the cases of one test binary run side by side in one folder.
class ProcessFolder {
public:
    ProcessFolder();
    ~ProcessFolder();
    const std::string& Path() const { return path; }

private:
    std::string path;
    std::string previous;
};
