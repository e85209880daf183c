#include "app/window_icon.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "app/window.h"
#include "base/named_file.h"
#include "base/program_name.h"
#include "render/textures.h"

bool SetAppWindowIcon(const std::string& targaPath) {
    std::string why;
    std::FILE* file = OpenRegularFile(targaPath, why);
    if (!file) {
        if (errno != ENOENT)
            std::fprintf(stderr, "%s: %s: %s; file refused\n", ProgramName(), targaPath.c_str(), why.c_str());
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 && bytes.size() <= size_t(TARGA_MAX_BYTES)) {
        bytes.insert(bytes.end(), block, block + got);
    }
    std::fclose(file);

    TargaPicture picture;
    std::string reason;
    if (!DecodeTarga(bytes.data(), bytes.size(), picture, &reason) || picture.bytesPerPixel != 4) {
        if (reason.empty()) reason = "picture: not 32 bits";
        std::fprintf(stderr, "%s: %s: %s; file refused\n", ProgramName(), targaPath.c_str(),
                     reason.substr(reason.find(": ") + 2).c_str());
        return false;
    }
    // The file's rows run bottom-up; a surface's run top-down.
    const int width = picture.width;
    const int height = picture.height;
    std::vector<uint8_t> rows(size_t(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = picture.pixels.get() + size_t(height - 1 - row) * width * 4;
        std::copy(from, from + size_t(width) * 4, rows.begin() + size_t(row) * width * 4);
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(rows.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return false;
    if (appWindow) SDL_SetWindowIcon(appWindow, surface);
    SDL_FreeSurface(surface);
    return appWindow != nullptr;
}
