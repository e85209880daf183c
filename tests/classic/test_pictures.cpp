#include "tests/classic/test_pictures.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// x and y run 0..1 across the picture, y upwards; written bottom row first, as
// the usual uncompressed 24-bit Targa file.
void WritePicture(const std::string& path, int width, int height,
                  const std::function<Rgb(double x, double y)>& shade) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = uint8_t(width & 255);
    bytes[13] = uint8_t(width >> 8);
    bytes[14] = uint8_t(height & 255);
    bytes[15] = uint8_t(height >> 8);
    bytes[16] = 24;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            Rgb c = shade((column + 0.5) / width, (row + 0.5) / height);
            bytes.push_back(uint8_t(c.b));
            bytes.push_back(uint8_t(c.g));
            bytes.push_back(uint8_t(c.r));
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Rgb Grey(double v) {
    int level = int(std::fmax(0.0, std::fmin(1.0, v)) * 255);
    return {level, level, level};
}

// 1 at the centre falling to 0 at `radius` (in picture widths).
double Falloff(double x, double y, double radius) {
    double d = std::hypot(x - 0.5, y - 0.5) / (radius * 0.5);
    return d >= 1 ? 0 : 1 - d;
}

}  // namespace

void WriteClassicTestPictures(const std::string& dir) {
    WritePicture(dir + "grid.tga", 16, 16, [](double x, double y) {
        return (x < 0.125 || y < 0.125) ? Rgb{255, 255, 255} : Rgb{60, 60, 60};
    });
    // Sixteen cells; cell d lights d + 1 of sixteen rows from the bottom.
    WritePicture(dir + "numbers.tga", 128, 16, [](double x, double y) {
        int cell = int(x * 16);
        return y * 16 < cell + 1 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    });
    // The ship: a triangle whose tip is at the top edge.
    WritePicture(dir + "player.tga", 32, 32, [](double x, double y) {
        return std::fabs(x - 0.5) < (1 - y) * 0.5 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    });
    WritePicture(dir + "shot.tga", 16, 32,
                 [](double x, double y) { return Grey(Falloff(x, y * 0.5 + 0.25, 0.6)); });
    WritePicture(dir + "glow.tga", 32, 32, [](double x, double y) { return Grey(Falloff(x, y, 1)); });
    WritePicture(dir + "shotglow.tga", 16, 16,
                 [](double x, double y) { return Grey(Falloff(x, y, 1) * 0.6); });
    WritePicture(dir + "spark.tga", 8, 8, [](double x, double y) { return Grey(Falloff(x, y, 0.8)); });
    // The enemy: a ring.
    WritePicture(dir + "enemy1.tga", 32, 32, [](double x, double y) {
        double d = std::hypot(x - 0.5, y - 0.5);
        return d > 0.3 && d < 0.45 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    });
    WritePicture(dir + "dropping.tga", 16, 16, [](double x, double y) {
        return std::fabs(x - 0.5) + std::fabs(y - 0.5) < 0.4 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    });
    WritePicture(dir + "gameover.tga", 64, 16, [](double x, double) {
        return int(x * 16) % 2 == 0 ? Rgb{255, 255, 255} : Rgb{40, 40, 40};
    });
}
