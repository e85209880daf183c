#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/files.h"

// Builds Targa files for the tests. `filePixels` are the bytes exactly as they sit
// in the file (blue, green, red[, alpha]), rows in file order.
struct TargaLayout {
    int imageType = 2;
    int width = 1;
    int height = 1;
    int depth = 24;
    int descriptor = 0;
    std::string idField;
    std::vector<uint8_t> filePixels;
};

std::vector<uint8_t> MakeTarga(const TargaLayout& layout);

// A 24-bit picture from red, green, blue pixels given top row first (as one would
// draw it), written bottom-up as the usual Targa file is.
void WriteRgbTarga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbTopDown);
