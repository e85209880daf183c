#pragma once
#include <string>
#include <vector>

// Finding the data folder. Plain POSIX, no SDL: the games and the tools share it.
//
// The places, in order, each ending in '/':
//   1. VORTANE_DATA, when set and holding the edition's files (a folder that
//      holds none is named in one stderr line by DataDir, and the search goes on);
//   2. data/ of the working directory, but only when it holds the edition's files,
//      so an unrelated data/ folder in someone's home does not win;
//   3. data/ next to the program (the build tree's run folder);
//   4. the installed share/vortane/data, relative to the program's folder, then
//      at the prefix the build was configured for.
// A folder "holds the edition's files" when the marker file (a picture every run of
// the edition loads, such as its grid) is a readable regular file in it.

struct DataPlaces {
    std::string environment;       // VORTANE_DATA; empty when unset
    std::string executablePath;    // the program's own file; empty when unknown
    std::string installedFromBin;  // the installed data relative to the program's folder
    std::string installedDataDir;  // the installed data at the configured prefix
};

// The places of this process: its environment, its own file (ProgramPath) and the build's
// install layout.
DataPlaces ProcessDataPlaces();

// The first place holding `marker`, or an empty string when none does. `looked`
// (if given) receives every place tried, in order.
std::string FindDataDir(const DataPlaces& places, const std::string& marker,
                        std::vector<std::string>* looked = nullptr);

// The data folder of this process for an edition whose files include `marker`.
// When no place holds them, one stderr line names the places looked at and the
// result is "data/": the game then runs with flat squares and no sound.
std::string DataDir(const std::string& marker);

// The marker files of the two editions: their grid pictures.
constexpr const char* DATA_MARKER_CURRENT = "grid6.tga";
constexpr const char* DATA_MARKER_CLASSIC = "grid.tga";

// The marker and the window icon (in the data folder) of an edition, by its name
// ("current" or "classic").
const char* EditionDataMarker(const std::string& editionName);
const char* EditionWindowIcon(const std::string& editionName);
