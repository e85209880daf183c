#pragma once
#include <string>

// Gives the game window its icon from a 32-bit Targa file (rows bottom-up, as
// make-textures writes the window icons into data/). A missing file leaves the
// window without an icon, silently; a refused one is reported like a refused
// picture. True when the icon was set.
bool SetAppWindowIcon(const std::string& targaPath);
