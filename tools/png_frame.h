#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Frames as 8-bit RGB PNG files: rows top first, three bytes per pixel, no padding.

// "-" writes to standard output.
bool WritePngRGB(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                 std::string& error);

// Reads an 8-bit PNG of any colour type as RGB (alpha dropped, grey expanded).
bool ReadPngRGB(const std::string& path, std::vector<uint8_t>& rgb, int& width, int& height,
                std::string& error);
