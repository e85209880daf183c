#include "tools/texture_icons.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "tools/texture_pictures.h"

namespace {

struct Tint {
    double red, green, blue;
};

// The ships' colours in the games: the current edition's first control mode and
// the earlier edition's ship.
constexpr Tint CURRENT_SHIP = {0.5, 0.6, 1.0};
constexpr Tint CLASSIC_SHIP = {1.0, 0.7, 0.2};
constexpr Tint TILE = {0.03, 0.035, 0.08};
constexpr Tint GRID = {0.2, 0.1, 1.0};

// A tile of [-1, 1] with rounded corners, as a polygon.
std::vector<Point> RoundedTile(double half, double radius) {
    std::vector<Point> outline;
    const Point corners[4] = {{half - radius, half - radius},
                              {-(half - radius), half - radius},
                              {-(half - radius), -(half - radius)},
                              {half - radius, -(half - radius)}};
    for (int i = 0; i < 4; ++i) {
        std::vector<Point> arc = Arc(corners[i], radius, radius, i * 90.0, i * 90.0 + 90.0, 8);
        outline.insert(outline.end(), arc.begin(), arc.end());
    }
    return outline;
}

uint8_t Byte(double value) { return uint8_t(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5); }

IconImage DrawIcon(const Canvas& ship, Tint tint) {
    const int size = ship.Width();
    Canvas tile(size, size, -1, -1, 1, 1);
    tile.FillPolygon(RoundedTile(0.96, 0.22), 1.0);
    // A faint grid over the tile, as the ship flies over in the game.
    Canvas grid(size, size, -1, -1, 1, 1);
    Pen line;
    line.width = 0.018;
    line.brightness = 0.35;
    line.glowRadius = 0.04;
    for (double at = -0.75; at < 0.8; at += 0.5) {
        grid.Line({at, -1}, {at, 1}, line);
        grid.Line({-1, at}, {1, at}, line);
    }

    IconImage icon;
    icon.size = size;
    icon.rgba.resize(size_t(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            // Canvas rows count from the bottom; the image's from the top.
            const int canvasRow = size - 1 - row;
            const double coverage = tile.At(column, canvasRow);
            const double lines = grid.At(column, canvasRow) * coverage;
            const double glow = ship.At(column, canvasRow) * 1.4;
            uint8_t* pixel = &icon.rgba[(size_t(row) * size + column) * 4];
            pixel[0] = Byte(TILE.red + lines * GRID.red + glow * tint.red);
            pixel[1] = Byte(TILE.green + lines * GRID.green + glow * tint.green);
            pixel[2] = Byte(TILE.blue + lines * GRID.blue + glow * tint.blue);
            pixel[3] = Byte(coverage);
        }
    }
    return icon;
}

// A ship on the frame its picture uses (a little wider than the sprite's square, so
// its glow keeps off the edge), at the icon's size.
Canvas Ship(int size, void (*draw)(Canvas&)) {
    Canvas c(size, size, -1.15, -1.15, 1.15, 1.15);
    draw(c);
    return c;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

IconImage DrawCurrentIcon(int size) { return DrawIcon(Ship(size, DrawPlayerArrow), CURRENT_SHIP); }

IconImage DrawClassicIcon(int size) { return DrawIcon(Ship(size, DrawPlayerClassic), CLASSIC_SHIP); }

bool IconImage::WritePng(const std::string& path) const {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < size; ++row) {
        png_write_row(png, const_cast<png_bytep>(&rgba[size_t(row) * size * 4]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

bool IconImage::WriteTarga(const std::string& path) const {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    uint8_t header[18] = {};
    header[2] = 2;  // uncompressed true colour
    header[12] = uint8_t(size & 0xFF);
    header[13] = uint8_t(size >> 8);
    header[14] = uint8_t(size & 0xFF);
    header[15] = uint8_t(size >> 8);
    header[16] = 32;
    header[17] = 8;  // eight alpha bits, rows bottom-up
    std::vector<uint8_t> body(rgba.size());
    for (int row = 0; row < size; ++row) {
        const uint8_t* from = &rgba[size_t(size - 1 - row) * size * 4];
        uint8_t* to = &body[size_t(row) * size * 4];
        for (int column = 0; column < size; ++column, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = from[3];
        }
    }
    return std::fwrite(header, 1, sizeof header, file.get()) == sizeof header &&
           std::fwrite(body.data(), 1, body.size(), file.get()) == body.size() &&
           std::fflush(file.get()) == 0;
}

const std::vector<IconFile>& IconFiles() {
    static const std::vector<IconFile> files = [] {
        std::vector<IconFile> list;
        for (int size : ICON_SIZES) {
            list.push_back({"vortane-" + std::to_string(size) + ".png", [size](const std::string& path) {
                                return DrawCurrentIcon(size).WritePng(path);
                            }});
            list.push_back(
                {"vortane-classic-" + std::to_string(size) + ".png",
                 [size](const std::string& path) { return DrawClassicIcon(size).WritePng(path); }});
        }
        list.push_back({"icon-vortane.tga", [](const std::string& path) {
                            return DrawCurrentIcon(WINDOW_ICON_SIZE).WriteTarga(path);
                        }});
        list.push_back({"icon-vortane-classic.tga", [](const std::string& path) {
                            return DrawClassicIcon(WINDOW_ICON_SIZE).WriteTarga(path);
                        }});
        return list;
    }();
    return files;
}
