#include "tests/render/test_textures.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "tests/render/targa_files.h"

namespace {

struct Rgb {
    double r, g, b;
};

// Samples `shade` at pixel centres with x and y in -1..1, y up, and writes the
// picture bottom row first as the usual Targa file.
void WritePicture(const std::string& path, int width, int height,
                  const std::function<Rgb(double x, double y)>& shade) {
    std::vector<uint8_t> rgb;
    for (int row = 0; row < height; ++row) {
        double y = 1 - (row + 0.5) * 2 / height;
        for (int column = 0; column < width; ++column) {
            double x = (column + 0.5) * 2 / width - 1;
            Rgb c = shade(x, y);
            for (double v : {c.r, c.g, c.b}) {
                rgb.push_back(uint8_t(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255)));
            }
        }
    }
    WriteRgbTarga(path, width, height, rgb);
}

double Falloff(double x, double y, double radius) {
    double d = std::sqrt(x * x + y * y) / radius;
    return d >= 1 ? 0 : (1 - d) * (1 - d);
}

Rgb Grey(double v) { return {v, v, v}; }

// 3 × 5 digit glyphs, top row first, one bit per cell (leftmost the high bit).
const int DIGIT_FONT[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

Rgb DigitStrip(double x, double y) {
    // 16 cells across the strip; a glyph of 3 × 5 blocks inside each cell's middle.
    double u = (x + 1) / 2 * 16;
    int cell = int(u);
    double inCell = u - cell;
    int column = int((inCell - 0.125) / 0.25);
    int row = int((1 - y) / 2 * 7) - 1;
    if (cell > 9 || inCell < 0.125 || column > 2 || row < 0 || row > 4) return Grey(0);
    return Grey((DIGIT_FONT[cell][row] >> (2 - column)) & 1);
}

Rgb Ship(double x, double y) {
    // An arrow pointing up (+v).
    bool inside = y > -0.8 && y < 0.9 && std::fabs(x) < (0.9 - y) * 0.45;
    bool notch = y < -0.3 && std::fabs(x) < 0.2;
    return Grey(inside && !notch ? 1 : 0.1 * Falloff(x, y, 1));
}

}  // namespace

void WriteTestTextures(const std::string& dir) {
    WritePicture(dir + "grid6.tga", 16, 16, [](double x, double y) {
        bool line = std::fabs(x) > 0.85 || std::fabs(y) > 0.85;
        return Grey(line ? 1.0 : 0.25);
    });
    WritePicture(dir + "numbers.tga", 128, 16, DigitStrip);
    WritePicture(dir + "shot.tga", 16, 32,
                 [](double x, double y) { return Grey(Falloff(x * 3, y, 1) * 1.5); });
    WritePicture(dir + "glow.tga", 32, 32, [](double x, double y) { return Grey(Falloff(x, y, 1)); });
    WritePicture(dir + "shotglow.tga", 16, 16, [](double x, double y) { return Grey(Falloff(x * 2, y, 1)); });
    WritePicture(dir + "spark.tga", 8, 8, [](double x, double y) { return Grey(Falloff(x, y, 0.6)); });
    WritePicture(dir + "dropping.tga", 16, 16,
                 [](double x, double y) { return Grey(std::fabs(x) + std::fabs(y) < 0.8 ? 1 : 0); });
    WritePicture(dir + "gameover.tga", 64, 16, [](double x, double y) {
        // Letter-like bars: the sign's picture only has to be recognisable.
        bool bar = int((x + 1) * 8) % 2 == 0 && std::fabs(y) < 0.6;
        return Rgb{bar ? 1.0 : 0.0, bar ? 0.8 : 0.0, bar ? 1.0 : 0.0};
    });
    WritePicture(dir + "tail.tga", 8, 8, [](double x, double y) { return Grey(Falloff(x, y, 1)); });
    WritePicture(dir + "player1.tga", 32, 32, Ship);
    WritePicture(dir + "player2.tga", 32, 32, Ship);
    WritePicture(dir + "player3.tga", 32, 32, Ship);
    WritePicture(dir + "enemy1.tga", 32, 32, [](double x, double y) {
        double d = std::fmax(std::fabs(x), std::fabs(y));
        return Grey(d > 0.6 && d < 0.9 ? 1 : 0);
    });
    WritePicture(dir + "enemy2.tga", 32, 32, [](double x, double y) {
        double d = std::sqrt(x * x + y * y);
        return Grey(d > 0.55 && d < 0.9 ? 1 : (d < 0.25 ? 0.8 : 0));
    });
    WritePicture(dir + "enemy3.tga", 16, 16, [](double x, double y) {
        return Grey(std::fabs(std::fabs(x) - std::fabs(y)) < 0.25 && std::fabs(x) < 0.9 ? 1 : 0);
    });
    WritePicture(dir + "enemy4.tga", 32, 32, [](double x, double y) {
        bool cross = (std::fabs(x) < 0.2 || std::fabs(y) < 0.2) && std::fabs(x) < 0.9 && std::fabs(y) < 0.9;
        return Grey(cross ? 1 : 0);
    });
    WritePicture(dir + "enemyshot.tga", 8, 8,
                 [](double x, double y) { return Grey(Falloff(x, y, 0.9) * 1.5); });
}
