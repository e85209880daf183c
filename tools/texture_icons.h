#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The programs' icons: each edition's ship, tinted in its colour, glowing over a
// dark rounded tile with a faint grid. The desktop gets them as PNG files in every
// hicolor size; the window gets the 64-pixel one as a Targa file in data/.

struct IconImage {
    int size = 0;
    std::vector<uint8_t> rgba;  // size × size pixels, rows top first, straight alpha

    bool WritePng(const std::string& path) const;
    // Uncompressed true-colour Targa, 32 bits, rows bottom-up (what the game reads).
    bool WriteTarga(const std::string& path) const;
};

// The hicolor sizes the icons are drawn at.
constexpr int ICON_SIZES[] = {32, 48, 64, 128, 256};
// The size of the window icon.
constexpr int WINDOW_ICON_SIZE = 64;

IconImage DrawCurrentIcon(int size);
IconImage DrawClassicIcon(int size);

// Every icon file by name: "vortane-SIZE.png" and "vortane-classic-SIZE.png" for
// the desktop, "icon-vortane.tga" and "icon-vortane-classic.tga" for the windows.
struct IconFile {
    std::string file;
    std::function<bool(const std::string& path)> write;
};
const std::vector<IconFile>& IconFiles();
