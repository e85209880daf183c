#include "tests/render/targa_files.h"

#include <algorithm>
#include <string>

std::vector<uint8_t> MakeTarga(const TargaLayout& layout) {
    std::vector<uint8_t> bytes(18 + layout.idField.size() + layout.filePixels.size(), 0);
    bytes[0] = uint8_t(layout.idField.size());
    bytes[2] = uint8_t(layout.imageType);
    bytes[12] = uint8_t(layout.width & 0xFF);
    bytes[13] = uint8_t(layout.width >> 8);
    bytes[14] = uint8_t(layout.height & 0xFF);
    bytes[15] = uint8_t(layout.height >> 8);
    bytes[16] = uint8_t(layout.depth);
    bytes[17] = uint8_t(layout.descriptor);
    std::copy(layout.idField.begin(), layout.idField.end(), bytes.begin() + 18);
    std::copy(layout.filePixels.begin(), layout.filePixels.end(),
              bytes.begin() + 18 + std::ptrdiff_t(layout.idField.size()));
    return bytes;
}

void WriteRgbTarga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbTopDown) {
    TargaLayout layout;
    layout.width = width;
    layout.height = height;
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const uint8_t* p = &rgbTopDown[size_t(row * width + column) * 3];
            layout.filePixels.insert(layout.filePixels.end(), {p[2], p[1], p[0]});
        }
    }
    WriteBytes(path, MakeTarga(layout));
}
