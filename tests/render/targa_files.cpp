#include "tests/render/targa_files.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

std::string ScratchName(const std::string& base) { return std::to_string(getpid()) + "." + base; }

std::vector<uint8_t> MakeTarga(const TargaSpec& spec) {
    std::vector<uint8_t> bytes(18 + spec.idField.size() + spec.filePixels.size(), 0);
    bytes[0] = uint8_t(spec.idField.size());
    bytes[2] = uint8_t(spec.imageType);
    bytes[12] = uint8_t(spec.width & 0xFF);
    bytes[13] = uint8_t(spec.width >> 8);
    bytes[14] = uint8_t(spec.height & 0xFF);
    bytes[15] = uint8_t(spec.height >> 8);
    bytes[16] = uint8_t(spec.depth);
    bytes[17] = uint8_t(spec.descriptor);
    std::copy(spec.idField.begin(), spec.idField.end(), bytes.begin() + 18);
    std::copy(spec.filePixels.begin(), spec.filePixels.end(),
              bytes.begin() + 18 + std::ptrdiff_t(spec.idField.size()));
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteRgbTarga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbTopDown) {
    TargaSpec spec;
    spec.width = width;
    spec.height = height;
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const uint8_t* p = &rgbTopDown[size_t(row * width + column) * 3];
            spec.filePixels.insert(spec.filePixels.end(), {p[2], p[1], p[0]});
        }
    }
    WriteBytes(path, MakeTarga(spec));
}
