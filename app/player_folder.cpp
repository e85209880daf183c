#include "app/player_folder.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/program_name.h"

bool SavingOff(const GameOptions& options) {
    const char* variable = std::getenv("VORTANE_NO_SAVE");
    return options.noSave || (variable && std::strcmp(variable, "1") == 0);
}

std::string FindPlayerFolder() {
    // Both editions share one folder: one settings file, one scores file.
    char* path = SDL_GetPrefPath("", "vortane");
    if (!path) {
        std::fprintf(stderr, "%s: no folder to keep settings and scores in (%s); keeping nothing\n",
                     ProgramName(), SDL_GetError());
        return "";
    }
    std::string folder = path;
    SDL_free(path);
    return folder;
}
