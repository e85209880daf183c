#include "app/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/host.h"
#include "base/program_name.h"

// The install layout, from the build; the defaults are the usual GNU layout.
#ifndef VORTANE_DATA_FROM_BIN
#define VORTANE_DATA_FROM_BIN "../share/vortane/data"
#endif
#ifndef VORTANE_INSTALLED_DATA_DIR
#define VORTANE_INSTALLED_DATA_DIR "/usr/local/share/vortane/data"
#endif

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool HoldsMarker(const std::string& folder, const std::string& marker) {
    std::string path = folder + marker;
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
}

}  // namespace

DataPlaces ProcessDataPlaces() {
    DataPlaces places;
    const char* environment = std::getenv("VORTANE_DATA");
    if (environment) places.environment = environment;
    places.executablePath = ProgramPath();
    places.installedFromBin = VORTANE_DATA_FROM_BIN;
    places.installedDataDir = VORTANE_INSTALLED_DATA_DIR;
    return places;
}

std::string FindDataDir(const DataPlaces& places, const std::string& marker,
                        std::vector<std::string>* looked) {
    std::vector<std::string> candidates;
    if (!places.environment.empty()) candidates.push_back(WithSlash(places.environment));
    candidates.push_back("data/");
    std::string::size_type slash = places.executablePath.rfind('/');
    if (slash != std::string::npos) {
        std::string programDir = places.executablePath.substr(0, slash + 1);
        candidates.push_back(programDir + "data/");
        if (!places.installedFromBin.empty())
            candidates.push_back(WithSlash(programDir + places.installedFromBin));
    }
    if (!places.installedDataDir.empty()) candidates.push_back(WithSlash(places.installedDataDir));
    for (const std::string& candidate : candidates) {
        if (looked) looked->push_back(candidate);
        if (HoldsMarker(candidate, marker)) return candidate;
    }
    return std::string();
}

std::string DataDir(const std::string& marker) {
    DataPlaces process = ProcessDataPlaces();
    std::vector<std::string> looked;
    std::string found = FindDataDir(process, marker, &looked);
    if (!process.environment.empty() && found != WithSlash(process.environment)) {
        std::fprintf(
            stderr, "%s: VORTANE_DATA names %s, which holds none of the game's files (%s); looking further\n",
            ProgramName(), process.environment.c_str(), marker.c_str());
    }
    if (!found.empty()) return found;
    std::string places;
    for (const std::string& place : looked) places += (places.empty() ? "" : ", ") + place;
    std::fprintf(stderr,
                 "%s: no data files (%s) in %s; running without pictures and sounds "
                 "(VORTANE_DATA names the folder)\n",
                 ProgramName(), marker.c_str(), places.c_str());
    return "data/";
}

const char* EditionDataMarker(const std::string& editionName) {
    return editionName == "classic" ? DATA_MARKER_CLASSIC : DATA_MARKER_CURRENT;
}

const char* EditionWindowIcon(const std::string& editionName) {
    return editionName == "classic" ? "icon-vortane-classic.tga" : "icon-vortane.tga";
}
