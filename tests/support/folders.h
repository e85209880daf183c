#pragma once
// Temporary folders under the working directory (each test case already runs in a
// folder of its own, see case_folder_main.cpp), removed when the test is done.
#include <string>

// A fresh folder, entered for the object's lifetime and removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return path; }

private:
    std::string path;
    std::string previous;
};

// A fresh folder NAME-XXXXXX under the working directory, its absolute path; ""
// when it cannot be made. It stays until the case folder goes.
std::string MakeScratchFolder(const std::string& name);
