// The built pictures, read back through the game's own Targa reader: every file
// both editions load is there, of the intended kind and size, and drawn so that
// it works in the game (black borders for repeat sampling, digits in their
// cells, ships facing up, a glow that fades out completely).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "assets/classic_pictures.h"
#include "assets/current_pictures.h"
#include "render/textures.h"

namespace {

const std::string DATA = VORTANE_RUN_DIR "/data/";

enum Kind { SPRITE, GRID, DIGITS };

struct Expected {
    const char* file;
    int width;
    int height;
    Kind kind;
};

// Both editions together: the current edition's 17, the earlier one's grid and ship,
// and the paused sign both show.
const Expected PICTURES[] = {
    {"grid6.tga", 32, 32, GRID},      {"numbers.tga", 512, 32, DIGITS},   {"shot.tga", 64, 64, SPRITE},
    {"glow.tga", 128, 128, SPRITE},   {"shotglow.tga", 64, 64, SPRITE},   {"spark.tga", 32, 32, SPRITE},
    {"dropping.tga", 64, 64, SPRITE}, {"gameover.tga", 256, 256, SPRITE}, {"tail.tga", 64, 64, SPRITE},
    {"player1.tga", 64, 64, SPRITE},  {"player2.tga", 64, 64, SPRITE},    {"player3.tga", 64, 64, SPRITE},
    {"enemy1.tga", 64, 64, SPRITE},   {"enemy2.tga", 64, 64, SPRITE},     {"enemy3.tga", 64, 64, SPRITE},
    {"enemy4.tga", 64, 64, SPRITE},   {"enemyshot.tga", 32, 32, SPRITE},  {"grid.tga", 32, 32, GRID},
    {"player.tga", 64, 64, SPRITE},   {"paused.tga", 256, 256, SPRITE},
};

// A picture as brightness per pixel (the largest of red, green, blue), row 0 at the bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<int> value;
    int At(int x, int y) const { return value[y * width + x]; }
};

bool Load(const std::string& file, Picture& picture, std::vector<uint8_t>* header = nullptr) {
    std::FILE* f = std::fopen((DATA + file).c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (header) header->assign(bytes.begin(), bytes.begin() + std::min<size_t>(18, bytes.size()));
    TargaPicture decoded;
    std::string reason;
    if (!DecodeTarga(bytes.data(), bytes.size(), decoded, &reason)) {
        ADD_FAILURE() << file << ": " << reason;
        return false;
    }
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.value.resize(static_cast<size_t>(decoded.width) * decoded.height);
    for (size_t i = 0; i < picture.value.size(); ++i) {
        const uint8_t* p = decoded.pixels.get() + i * decoded.bytesPerPixel;
        picture.value[i] = std::max({p[0], p[1], p[2]});
    }
    return true;
}

Picture Get(const char* file) {
    Picture p;
    EXPECT_TRUE(Load(file, p)) << file;
    return p;
}

// Lit extent of a picture: the first and last rows and columns brighter than `level`.
struct Extent {
    int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1;
};

Extent LitExtent(const Picture& p, int level) {
    Extent e;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (p.At(x, y) <= level) continue;
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
            e.bottom = std::min(e.bottom, y);
            e.top = std::max(e.top, y);
        }
    }
    return e;
}

// Mean absolute difference of two same-sized pictures, 0..255.
double Difference(const Picture& a, const Picture& b) {
    double sum = 0;
    for (size_t i = 0; i < a.value.size(); ++i) sum += std::abs(a.value[i] - b.value[i]);
    return sum / a.value.size();
}

}  // namespace

// Each edition's manifest list names only pictures described above, each in the
// texture its kind belongs in.
TEST(TextureFiles, TheManifestListsDescribedPicturesInTheirTextures) {
    for (const auto& list :
         {std::vector<ManifestPicture>(std::begin(CURRENT_PICTURES), std::end(CURRENT_PICTURES)),
          std::vector<ManifestPicture>(std::begin(classic::PICTURES), std::end(classic::PICTURES))}) {
        int grids = 0, digits = 0;
        for (const ManifestPicture& picture : list) {
            SCOPED_TRACE(picture.file);
            const Expected* described = nullptr;
            for (const Expected& e : PICTURES)
                if (std::string(e.file) == picture.file) described = &e;
            ASSERT_NE(described, nullptr);
            Kind kind = picture.slot == PICTURE_GRID     ? GRID
                        : picture.slot == PICTURE_DIGITS ? DIGITS
                                                         : SPRITE;
            EXPECT_EQ(described->kind, kind);
            if (kind == SPRITE) EXPECT_LT(picture.slot, SPRITE_SLOT_COUNT);
            grids += kind == GRID;
            digits += kind == DIGITS;
        }
        EXPECT_EQ(grids, 1);
        EXPECT_EQ(digits, 1);
    }
}

TEST(TextureFiles, EveryPictureIsAnUncompressedBottomUp32BitTargaOfItsSize) {
    for (const Expected& e : PICTURES) {
        SCOPED_TRACE(e.file);
        Picture p;
        std::vector<uint8_t> header;
        ASSERT_TRUE(Load(e.file, p, &header)) << "missing data/" << e.file;
        EXPECT_EQ(header[2], 2);  // uncompressed true colour
        EXPECT_EQ(header[1], 0);  // no colour map (the reader would misread one)
        EXPECT_EQ(header[16], 32);
        EXPECT_EQ(header[17] & 0x20, 0);  // bottom-up: the game ignores the origin bit
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
        EXPECT_EQ(p.width & (p.width - 1), 0);  // powers of two
        EXPECT_EQ(p.height & (p.height - 1), 0);
        EXPECT_GT(LitExtent(p, 128).right, 0) << "nothing bright drawn";
    }
}

TEST(TextureFiles, SpritesKeepABlackBorderSoRepeatSamplingCannotBleed) {
    for (const Expected& e : PICTURES) {
        if (e.kind != SPRITE) continue;
        SCOPED_TRACE(e.file);
        const Picture p = Get(e.file);
        int brightest = 0;
        for (int i = 0; i < p.width; ++i) {
            brightest = std::max({brightest, p.At(i, 0), p.At(i, p.height - 1)});
            brightest = std::max({brightest, p.At(0, i), p.At(p.width - 1, i)});
        }
        EXPECT_LE(brightest, 2);
    }
}

TEST(TextureFiles, GlowFadesSmoothlyFromAWhiteCentreToExactBlack) {
    const Picture p = Get("glow.tga");
    const int c = p.width / 2;
    EXPECT_GE(p.At(c, c), 250);
    // Along each axis the brightness never rises going outwards, and the corners are black.
    for (int x = c + 1; x < p.width; ++x) {
        EXPECT_LE(p.At(x, c), p.At(x - 1, c)) << x;
        EXPECT_LE(p.At(c, x), p.At(c, x - 1)) << x;
    }
    EXPECT_EQ(p.At(p.width - 1, c), 0);
    EXPECT_EQ(p.At(0, 0), 0);
    // No hard step: neighbours along the radius differ by little.
    for (int x = c + 1; x < p.width; ++x) EXPECT_LE(p.At(x - 1, c) - p.At(x, c), 16) << x;
}

TEST(TextureFiles, ShipsAndShotsFaceTheTopEdge) {
    // Drawn along their heading, these reach further towards the top edge than the bottom one.
    for (const char* file : {"player1.tga", "player2.tga", "player3.tga", "player.tga", "enemy2.tga",
                             "enemy4.tga", "shot.tga"}) {
        SCOPED_TRACE(file);
        const Picture p = Get(file);
        const Extent e = LitExtent(p, 128);
        const int mid = p.height / 2;
        EXPECT_GT(e.top - mid, (mid - 1 - e.bottom) + 1);
        EXPECT_NEAR((e.left + e.right) / 2.0, (p.width - 1) / 2.0, 1.0) << "symmetric about the heading";
    }
    for (const char* file : {"shot.tga", "shotglow.tga"}) {
        const Extent e = LitExtent(Get(file), 20);
        EXPECT_GT(e.top - e.bottom, 2 * (e.right - e.left)) << file << " is long along the heading";
    }
}

TEST(TextureFiles, PlayersAndEnemiesAreDistinctPictures) {
    const char* ships[] = {"player1.tga", "player2.tga", "player3.tga", "enemy1.tga",
                           "enemy2.tga",  "enemy3.tga",  "enemy4.tga",  "dropping.tga"};
    for (size_t i = 0; i < 8; ++i) {
        for (size_t j = i + 1; j < 8; ++j) {
            EXPECT_GT(Difference(Get(ships[i]), Get(ships[j])), 8.0) << ships[i] << " vs " << ships[j];
        }
    }
}

TEST(TextureFiles, DigitStripHoldsTenDistinctDigitsInTheirOwnCells) {
    const Picture p = Get("numbers.tga");
    const int cell = p.width / 16;
    std::vector<Picture> digits;
    for (int d = 0; d < 16; ++d) {
        SCOPED_TRACE(d);
        Picture glyph;
        glyph.width = cell;
        glyph.height = p.height;
        int brightest = 0, edge = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < cell; ++x) {
                const int v = p.At(d * cell + x, y);
                glyph.value.push_back(v);
                brightest = std::max(brightest, v);
                if (x == 0 || x == cell - 1 || y == 0 || y == p.height - 1) edge = std::max(edge, v);
            }
        }
        // Texture coordinates land exactly on cell edges: nothing may sit there.
        EXPECT_LE(edge, 2);
        if (d <= 9) {
            EXPECT_GE(brightest, 200);
            digits.push_back(glyph);
        } else {
            EXPECT_EQ(brightest, 0);
        }
    }
    for (size_t i = 0; i < digits.size(); ++i)
        for (size_t j = i + 1; j < digits.size(); ++j)
            EXPECT_GT(Difference(digits[i], digits[j]), 4.0) << i << " vs " << j;
}

TEST(TextureFiles, GridsShowThinLinesRepeatingEveryCell) {
    for (const char* file : {"grid6.tga", "grid.tga"}) {
        SCOPED_TRACE(file);
        const Picture p = Get(file);
        const int half = p.width / 2;  // the picture covers two cells
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < half; ++x) {
                ASSERT_NEAR(p.At(x, y), p.At(x + half, y), 1) << x << "," << y;
                ASSERT_NEAR(p.At(y, x), p.At(y, x + half), 1) << y << "," << x;
            }
        }
        // Lines on the cell edges (split across the wrap), dark cell middles.
        EXPECT_GE(p.At(0, half / 2), 150);
        EXPECT_GE(p.At(p.width - 1, half / 2), 150);
        EXPECT_EQ(p.At(half / 2, half / 2), 0);
        int lit = 0;
        for (int x = 0; x < half; ++x) lit += p.At(x, half / 2) > 64;
        EXPECT_LE(lit, half / 6) << "thin lines";
    }
}

namespace {

// The grid at rest as the game draws it: the camera 40 units above the sheet
// with a 45° vertical field of view, one unit per cell, the picture covering
// two cells and sampled bilinearly with repeat. Vertical lines lie on whole x,
// horizontal ones on half y (the grid has an even number of rows). Returns the
// brightest line peak over the dimmest along a screen row (across = false) or
// column, on the texel row or column halfway between two lines.
double LinePeakRatio(const Picture& p, int screenWidth, int screenHeight, bool columns) {
    const double pixelsPerUnit = screenHeight / (2 * 40 * std::tan(22.5 * 3.14159265358979 / 180));
    const int size = columns ? screenHeight : screenWidth;
    const double lineOffset = columns ? 0.5 : 0.0;  // world position of the lines along the scan
    const int n = p.width;
    const int between = n / 4;  // a texel line halfway between two picture lines
    auto texel = [&](int i) {
        i = ((i % n) + n) % n;
        return columns ? p.At(between, i) : p.At(i, between);
    };
    std::vector<double> scan(size);
    for (int px = 0; px < size; ++px) {
        // World position of the pixel centre, then texture coordinate: u = (x + 27) / 2
        // across, v = (y + 19.5) / 2 down the grid.
        const double world = (px + 0.5 - size / 2.0) / pixelsPerUnit;
        const double u = (world + (columns ? 19.5 : 27.0)) / 2;
        const double t = u * n - 0.5;
        const int i = static_cast<int>(std::floor(t));
        const double f = t - i;
        scan[px] = texel(i) * (1 - f) + texel(i + 1) * f;
    }
    double brightest = 0, dimmest = 1e9;
    for (int k = -40; k <= 40; ++k) {
        const double centre = size / 2.0 + (k + lineOffset) * pixelsPerUnit;
        const int from = static_cast<int>(centre - pixelsPerUnit / 3),
                  to = static_cast<int>(centre + pixelsPerUnit / 3);
        if (from < 0 || to >= size) continue;
        double peak = 0;
        for (int px = from; px <= to; ++px) peak = std::max(peak, scan[px]);
        brightest = std::max(brightest, peak);
        dimmest = std::min(dimmest, peak);
    }
    return dimmest > 0 ? brightest / dimmest : 1e9;
}

// Lit pixels of a picture's silhouette (outline, fill and glow above `level`).
std::vector<bool> Silhouette(const Picture& p, int level) {
    std::vector<bool> lit(p.value.size());
    for (size_t i = 0; i < lit.size(); ++i) lit[i] = p.value[i] > level;
    return lit;
}

}  // namespace

TEST(TextureFiles, GridLinesAreDrawnEvenlyAtBothScreenSizes) {
    // Lines that land between screen pixels must not come out dimmer or thinner
    // than those that land on one, or the sheet shimmers as it moves.
    struct Screen {
        int width, height;
    };
    for (const char* file : {"grid6.tga", "grid.tga"}) {
        const Picture p = Get(file);
        for (const Screen& screen : {Screen{800, 600}, Screen{1024, 768}}) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(screen.width));
            EXPECT_LE(LinePeakRatio(p, screen.width, screen.height, false), 1.2) << "along a row";
            EXPECT_LE(LinePeakRatio(p, screen.width, screen.height, true), 1.2) << "along a column";
        }
    }
}

TEST(TextureFiles, PlayerShipsLeadWithASingleNose) {
    // The topmost lit rows (the front tenth of the ship) are one narrow point on
    // the centre line, not two prongs.
    for (const char* file : {"player1.tga", "player2.tga", "player3.tga", "player.tga"}) {
        SCOPED_TRACE(file);
        const Picture p = Get(file);
        const Extent e = LitExtent(p, 128);
        const int frontRows = std::max(1, (e.top - e.bottom) / 10);
        int left = p.width, right = -1;
        for (int y = e.top - frontRows + 1; y <= e.top; ++y) {
            for (int x = 0; x < p.width; ++x) {
                if (p.At(x, y) <= 128) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        EXPECT_LE(right - left, (e.right - e.left) / 5) << "front " << left << ".." << right;
        EXPECT_NEAR((left + right) / 2.0, (p.width - 1) / 2.0, 1.0);
    }
}

TEST(TextureFiles, ModeZeroShipAndHunterHaveDifferentSilhouettes) {
    // Both are drawn light blue: only their outlines tell them apart. Compare
    // their silhouettes: what they share against what either covers.
    const std::vector<bool> ship = Silhouette(Get("player1.tga"), 24);
    const std::vector<bool> hunter = Silhouette(Get("enemy2.tga"), 24);
    int both = 0, either = 0;
    for (size_t i = 0; i < ship.size(); ++i) {
        both += ship[i] && hunter[i];
        either += ship[i] || hunter[i];
    }
    ASSERT_GT(either, 0);
    EXPECT_LT(static_cast<double>(both) / either, 0.5);
}

TEST(TextureFiles, SparkIsASoftPoint) {
    // Bright in the middle and falling off without a step: a hard core reads
    // as a square at the spark's few pixels on screen.
    const Picture p = Get("spark.tga");
    const int c = p.width / 2;
    const int peak = std::max({p.At(c, c), p.At(c - 1, c), p.At(c, c - 1), p.At(c - 1, c - 1)});
    EXPECT_GE(peak, 200);
    int steepest = 0;
    for (int y = 1; y < p.height; ++y) {
        for (int x = 1; x < p.width; ++x) {
            steepest = std::max(
                {steepest, std::abs(p.At(x, y) - p.At(x - 1, y)), std::abs(p.At(x, y) - p.At(x, y - 1))});
        }
    }
    // The earlier core stepped from 255 to 132 between neighbours.
    EXPECT_LE(steepest, peak / 3);
}

TEST(TextureFiles, GameOverAndPausedSignsAreWideBandsAcrossTheMiddle) {
    for (const char* file : {"gameover.tga", "paused.tga"}) {
        SCOPED_TRACE(file);
        const Picture p = Get(file);
        const Extent e = LitExtent(p, 64);
        EXPECT_GT(e.right - e.left, 3 * (e.top - e.bottom));
        EXPECT_GT(e.right - e.left, p.width * 3 / 4);
        EXPECT_NEAR((e.top + e.bottom) / 2.0, (p.height - 1) / 2.0, 2.0);
    }
    // Two signs, not one picture twice.
    const Picture over = Get("gameover.tga"), paused = Get("paused.tga");
    EXPECT_NE(over.value, paused.value);
}
