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
// edge's for one that clamps.
int32_t SourceTexel(int32_t texel, int32_t side, bool wrap) {
    if (wrap) return ((texel % side) + side) % side;
    return std::min(std::max(texel, 0), side - 1);
}

// Tallest first, then widest, then by slot, so the same pictures always land alike.
std::vector<int32_t> PlacingOrder(const TextureAtlas& atlas) {
    std::vector<int32_t> order;
    for (int32_t i = 0; i < ATLAS_PICTURE_CAPACITY; ++i) {
        if (atlas.pictures[i].active) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&atlas](int32_t a, int32_t b) {
        const AtlasPicture& p = atlas.pictures[a];
        const AtlasPicture& q = atlas.pictures[b];
        if (p.height != q.height) return p.height > q.height;
        return p.width > q.width;
    });
    return order;
}

// Places the pictures in rows across `width`, none reaching above `maxHeight`.
// Returns the height the rows take; pictures that do not fit are left unplaced.
int32_t PlaceInRows(TextureAtlas& atlas, const std::vector<int32_t>& order, int32_t width,
                    int32_t maxHeight) {
    int32_t x = 0, rowY = 0, rowHeight = 0, used = 0;
    for (int32_t index : order) {
        AtlasPicture& picture = atlas.pictures[index];
        int32_t boxWidth = picture.width + 2 * ATLAS_GUTTER;
        int32_t boxHeight = picture.height + 2 * ATLAS_GUTTER;
        picture.placed = false;
        if (boxWidth > width) continue;
        if (x + boxWidth > width) {
            rowY += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        if (rowY + boxHeight > maxHeight) continue;
        picture.placed = true;
        picture.x = x + ATLAS_GUTTER;
        picture.y = rowY + ATLAS_GUTTER;
        x += boxWidth;
        rowHeight = std::max(rowHeight, boxHeight);
        used = std::max(used, rowY + rowHeight);
    }
    return used;
}

void PaintPicture(TextureAtlas& atlas, const AtlasPicture& picture) {
    for (int32_t row = -ATLAS_GUTTER; row < picture.height + ATLAS_GUTTER; ++row) {
        int32_t sourceRow = SourceTexel(row, picture.height, picture.wrap);
        uint8_t* out = &atlas.pixels[(size_t(picture.y + row) * atlas.width + picture.x - ATLAS_GUTTER) * 4];
        for (int32_t column = -ATLAS_GUTTER; column < picture.width + ATLAS_GUTTER; ++column) {
            int32_t sourceColumn = SourceTexel(column, picture.width, picture.wrap);
            std::memcpy(out, &picture.pixels[(size_t(sourceRow) * picture.width + sourceColumn) * 4], 4);
            out += 4;
        }
    }
}

}  // namespace

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
    picture.pixels.resize(size_t(w) * h * 4);
    for (size_t texel = 0; texel < size_t(w) * h; ++texel) {
        const uint8_t* in = pixels + texel * size_t(bytesPerPixel);
        uint8_t* out = &picture.pixels[texel * 4];
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = bytesPerPixel == 4 ? in[3] : 255;
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
    int32_t widest = 1;
    for (int32_t index : order) widest = std::max(widest, atlas.pictures[index].width + 2 * ATLAS_GUTTER);

    // The smallest area that holds every picture, the squarer of two equal ones.
    int32_t bestWidth = 0, bestHeight = 0;
    for (int32_t width = NextPowerOfTwo(widest); width <= maxSide; width *= 2) {
        int32_t height = NextPowerOfTwo(std::max(1, PlaceInRows(atlas, order, width, maxSide)));
        bool allPlaced = std::all_of(order.begin(), order.end(),
                                     [&atlas](int32_t index) { return atlas.pictures[index].placed; });
        if (!allPlaced || height > maxSide) continue;
        int64_t area = int64_t(width) * height, bestArea = int64_t(bestWidth) * bestHeight;
        if (bestWidth == 0 || area < bestArea ||
            (area == bestArea && std::max(width, height) < std::max(bestWidth, bestHeight))) {
            bestWidth = width;
            bestHeight = height;
        }
    }
    // Nothing holds them all: as many as the largest image takes.
    if (bestWidth == 0) bestWidth = bestHeight = std::max(1, maxSide);
    PlaceInRows(atlas, order, bestWidth, bestHeight);

    atlas.width = bestWidth;
    atlas.height = bestHeight;
    atlas.pixels.assign(size_t(bestWidth) * bestHeight * 4, 0);
    int32_t unplaced = 0;
    for (int32_t index : order) {
        AtlasPicture& picture = atlas.pictures[index];
        if (!picture.placed) {
            ++unplaced;
            continue;
        }
        PaintPicture(atlas, picture);
        // Sides are powers of two no larger than the atlas's, so every quotient is exact.
        picture.region = {float(picture.x) / float(bestWidth), float(picture.y) / float(bestHeight),
                          float(picture.width) / float(bestWidth), float(picture.height) / float(bestHeight)};
    }
    atlas.changed = false;
    return unplaced;
}
