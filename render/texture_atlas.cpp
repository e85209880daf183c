#include "render/texture_atlas.h"

#include <algorithm>
#include <cstring>

#include "render/mipmaps.h"

namespace {

int32_t NextPowerOfTwo(int32_t n) {
    int32_t power = 1;
    while (power < n) power *= 2;
    return power;
}

// The texel a gutter texel repeats: the far edge's for a picture that wraps, its own
// edge's for one that clamps. A side of one texel repeats that texel either way.
int32_t SourceTexel(int32_t texel, int32_t side, bool wrap) {
    if (wrap) return ((texel % side) + side) % side;
    return std::min(std::max(texel, 0), side - 1);
}

// Where a side of `side` texels starts in a cell of `cell`: near the middle, on a
// multiple of side / 2, so that every level with two texels or more along it (the
// last is side / 2 times smaller) starts on a whole texel.
int32_t CellOffset(int32_t cell, int32_t side) {
    int32_t step = std::max(1, side / 2);
    return (cell - side) / 2 / step * step;
}

// The next level of a chain, by GLU's box filter.
AtlasLevel HalveLevel(const AtlasLevel& level) {
    AtlasLevel next;
    next.pixels = HalvePicture(level.pixels.data(), level.width, level.height, 4);
    next.width = std::max(1, level.width / 2);
    next.height = std::max(1, level.height / 2);
    return next;
}

// Smallest cell first, then by slot, so the same pictures always land alike. The
// small pictures (the grid's, the sprites') then lie nearest the atlas's origin,
// where its coordinates are finest: a float carries the same relative error at any
// size, and the finer the coordinate the fewer pixels a shift of the viewport
// rounds differently.
std::vector<int32_t> PlacingOrder(const TextureAtlas& atlas) {
    std::vector<int32_t> order;
    for (int32_t i = 0; i < ATLAS_PICTURE_CAPACITY; ++i) {
        if (atlas.pictures[i].active) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&atlas](int32_t a, int32_t b) {
        return atlas.pictures[a].cell < atlas.pictures[b].cell;
    });
    return order;
}

// Where a cell of `area` texels starts along the Z-order curve at or after `place`:
// at a multiple of its area, so the cell is aligned to its own side.
int64_t AlignedPlace(int64_t place, int64_t area) { return (place + area - 1) / area * area; }

// The texel at `place` along a Z-order curve through squares of `block` on a side
// laid left to right. A cell that starts at a multiple of its area there is a square
// aligned to its side, and cells taken one after another never overlap.
void ZOrderTexel(int64_t place, int32_t block, int32_t& x, int32_t& y) {
    int64_t blockArea = int64_t(block) * block;
    uint64_t inBlock = uint64_t(place % blockArea);
    x = y = 0;
    for (int bit = 0; bit < 31; ++bit) {
        x |= int32_t((inBlock >> (2 * bit)) & 1u) << bit;
        y |= int32_t((inBlock >> (2 * bit + 1)) & 1u) << bit;
    }
    x += int32_t(place / blockArea) * block;
}

// Places the cells in `order` in a width × height image (height a power of two no
// larger than width, width at most twice it); those that do not fit stay unplaced.
void PlaceCells(TextureAtlas& atlas, const std::vector<int32_t>& order, int32_t width, int32_t height) {
    int64_t place = 0, capacity = int64_t(width) * height;
    for (int32_t index : order) {
        AtlasPicture& picture = atlas.pictures[index];
        int64_t area = int64_t(picture.cell) * picture.cell;
        int64_t start = AlignedPlace(place, area);
        picture.placed = picture.cell <= height && start + area <= capacity;
        if (!picture.placed) continue;
        ZOrderTexel(start, height, picture.cellX, picture.cellY);
        place = start + area;
        picture.x = picture.cellX + CellOffset(picture.cell, picture.width);
        picture.y = picture.cellY + CellOffset(picture.cell, picture.height);
    }
}

// Paints the picture's cell at atlas level `level` (the cell at least one texel):
// the picture's level of that number (or its last), and around it its gutter.
void PaintCell(AtlasLevel& out, const AtlasPicture& picture, int32_t level) {
    const AtlasLevel& in = picture.levels[std::min<size_t>(size_t(level), picture.levels.size() - 1)];
    int32_t side = picture.cell >> level;
    int32_t cellX = picture.cellX >> level, cellY = picture.cellY >> level;
    // Exact wherever the picture has two texels or more along a side; along a side of
    // one texel every texel of the cell repeats it, whatever the offset.
    int32_t offsetX = (picture.x - picture.cellX) >> level, offsetY = (picture.y - picture.cellY) >> level;
    for (int32_t row = 0; row < side; ++row) {
        int32_t sourceRow = SourceTexel(row - offsetY, in.height, picture.wrap);
        uint8_t* to = &out.pixels[(size_t(cellY + row) * out.width + cellX) * 4];
        for (int32_t column = 0; column < side; ++column) {
            int32_t sourceColumn = SourceTexel(column - offsetX, in.width, picture.wrap);
            std::memcpy(to, &in.pixels[(size_t(sourceRow) * in.width + sourceColumn) * 4], 4);
            to += 4;
        }
    }
}

// Every level of the atlas: each the box filter of the one above (what lies between
// and beyond the cells), then every cell still a texel or more painted from its
// picture's own level.
void PaintLevels(TextureAtlas& atlas, const std::vector<int32_t>& order) {
    atlas.levels.clear();
    AtlasLevel level;
    level.width = atlas.width;
    level.height = atlas.height;
    level.pixels.assign(size_t(atlas.width) * atlas.height * 4, 0);
    for (int32_t number = 0;; ++number) {
        for (int32_t index : order) {
            const AtlasPicture& picture = atlas.pictures[index];
            if (picture.placed && (picture.cell >> number) >= 1) PaintCell(level, picture, number);
        }
        atlas.levels.push_back(level);
        if (level.width == 1 && level.height == 1) break;
        level = HalveLevel(level);
    }
}

}  // namespace

int32_t AtlasCellSide(int32_t width, int32_t height) {
    int32_t longer = std::max(width, height);
    return NextPowerOfTwo(std::max(2 * longer, longer + 2 * ATLAS_GUTTER));
}

int32_t AddAtlasPicture(TextureAtlas& atlas, const uint8_t* pixels, int32_t width, int32_t height,
                        int32_t bytesPerPixel, bool wrap) {
    if ((bytesPerPixel != 3 && bytesPerPixel != 4) || width <= 0 || height <= 0 || !pixels) return -1;
    int32_t index = 0;
    while (index < ATLAS_PICTURE_CAPACITY && atlas.pictures[index].active) ++index;
    if (index == ATLAS_PICTURE_CAPACITY) return -1;

    // Level 0 as gluBuild2DMipmaps makes it: sides that are not powers of two are scaled.
    std::vector<uint8_t> scaled;
    int32_t w = width, h = height;
    if (!IsPowerOfTwo(w) || !IsPowerOfTwo(h)) {
        w = MipmapSide(width);
        h = MipmapSide(height);
        scaled = ScalePicture(pixels, width, height, bytesPerPixel, w, h);
        pixels = scaled.data();
    }
    AtlasPicture& picture = atlas.pictures[index];
    picture = AtlasPicture();
    picture.active = true;
    picture.wrap = wrap;
    picture.width = w;
    picture.height = h;
    picture.cell = AtlasCellSide(w, h);
    AtlasLevel level;
    level.width = w;
    level.height = h;
    level.pixels.resize(size_t(w) * h * 4);
    for (size_t texel = 0; texel < size_t(w) * h; ++texel) {
        const uint8_t* in = pixels + texel * size_t(bytesPerPixel);
        uint8_t* out = &level.pixels[texel * 4];
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = bytesPerPixel == 4 ? in[3] : 255;
    }
    // The rest of the chain by GLU's box filter; an RGB picture's alpha stays 255 in it.
    for (;;) {
        picture.levels.push_back(level);
        if (level.width == 1 && level.height == 1) break;
        level = HalveLevel(level);
    }
    atlas.changed = true;
    return index;
}

void RemoveAtlasPicture(TextureAtlas& atlas, int32_t index) {
    if (index < 0 || index >= ATLAS_PICTURE_CAPACITY || !atlas.pictures[index].active) return;
    atlas.pictures[index] = AtlasPicture();
    atlas.changed = true;
}

int32_t LayOutAtlas(TextureAtlas& atlas, int32_t maxSide) {
    std::vector<int32_t> order = PlacingOrder(atlas);
    int32_t largestSide = 1;
    while (largestSide * 2 <= maxSide) largestSide *= 2;
    // How far along the curve the cells reach, with the gaps their alignment leaves.
    int64_t total = 0;
    int32_t largest = 1;
    for (int32_t index : order) {
        const AtlasPicture& picture = atlas.pictures[index];
        int64_t area = int64_t(picture.cell) * picture.cell;
        total = AlignedPlace(total, area) + area;
        largest = std::max(largest, picture.cell);
    }
    // The smallest square, or two squares side by side, that holds every cell.
    int32_t width = 0, height = 0;
    for (int32_t side = largest; side <= largestSide; side *= 2) {
        if (side / 2 >= largest && int64_t(side) * (side / 2) >= total) {
            width = side;
            height = side / 2;
            break;
        }
        if (int64_t(side) * side >= total) {
            width = height = side;
            break;
        }
    }
    // Nothing holds them all: as many as the largest image takes.
    if (width == 0) width = height = largestSide;
    PlaceCells(atlas, order, width, height);

    atlas.width = width;
    atlas.height = height;
    int32_t unplaced = 0;
    for (int32_t index : order) {
        AtlasPicture& picture = atlas.pictures[index];
        if (!picture.placed) {
            ++unplaced;
            continue;
        }
        // Sides are powers of two no larger than the atlas's, so every quotient is exact.
        picture.region = {float(picture.x) / float(width), float(picture.y) / float(height),
                          float(picture.width) / float(width), float(picture.height) / float(height)};
    }
    PaintLevels(atlas, order);
    atlas.changed = false;
    return unplaced;
}
