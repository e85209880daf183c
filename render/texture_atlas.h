#pragma once
#include <cstdint>
#include <vector>

// Every picture of the GLES2 back-end in one image, so a frame samples one texture
// and draws in few calls. No GL here: the back-end uploads `levels` when `changed`.
//
// Each picture keeps its whole mipmap chain as gluBuild2DMipmaps makes it (a side
// that is not a power of two scaled, then the box filter down to 1 × 1). It lies in
// a square cell of its own, a power of two on a side and aligned to it, twice its
// longer side: at every level of the atlas its level of that number sits on whole
// texels, inside a gutter that repeats its far edge (wrap) or its own edge (clamp).
// Bilinear filtering at a coordinate in 0..1, at any level the picture has, then
// reads exactly the texels it would read in a texture of its own with that wrap mode,
// and never a neighbour. (Past its last level, where the whole picture covers less
// than a pixel, its cell shrinks to one texel and then merges with others: its own
// texture would stay at 1 × 1 there.)

constexpr int32_t ATLAS_PICTURE_CAPACITY = 64;
// Texels of gutter on each side at least, at level 0: bilinear reads one; the
// second is margin for rounding.
constexpr int32_t ATLAS_GUTTER = 2;

// Where picture coordinate (u, v) lands in the atlas: (u0 + u × width, v0 + v × height).
struct AtlasRegion {
    float u0, v0, width, height;
};

// One picture's texels, red, green, blue, alpha, rows bottom first.
struct AtlasLevel {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

struct AtlasPicture {
    bool active = false;
    bool wrap = true;                // repeats (GL_REPEAT), otherwise clamps to its edge
    bool placed = false;             // lies in the atlas (false: it did not fit)
    int32_t width = 0, height = 0;   // level 0's, powers of two
    std::vector<AtlasLevel> levels;  // level 0 (width × height) down to 1 × 1
    int32_t cell = 0;                // its cell's side at level 0, a power of two
    int32_t cellX = 0, cellY = 0;    // the cell's first texel at level 0
    int32_t x = 0, y = 0;            // level 0's first texel in the atlas
    AtlasRegion region = {0, 0, 0, 0};
};

struct TextureAtlas {
    AtlasPicture pictures[ATLAS_PICTURE_CAPACITY];
    int32_t width = 0, height = 0;   // level 0's, powers of two; 0 before the first layout
    std::vector<AtlasLevel> levels;  // level 0 down to 1 × 1, as GL's mipmap chain
    bool changed = true;             // pictures came or went since the last layout
};

// Adds a picture of 3 or 4 bytes a pixel (rows bottom first); an RGB one gets alpha
// 255. Returns its index, or -1 when the table is full or the picture is not one.
int32_t AddAtlasPicture(TextureAtlas& atlas, const uint8_t* pixels, int32_t width, int32_t height,
                        int32_t bytesPerPixel, bool wrap);

// Frees a picture's slot; an index that holds none is ignored.
void RemoveAtlasPicture(TextureAtlas& atlas, int32_t index);

// The side of the square cell a width × height picture takes (see above).
int32_t AtlasCellSide(int32_t width, int32_t height);

// Places every active picture's cell (smallest first, each aligned to its side) in
// the smallest power-of-two image no side of which exceeds `maxSide`, paints every
// level of it, and clears `changed`. A picture that cannot fit is left unplaced.
// Returns the count unplaced.
int32_t LayOutAtlas(TextureAtlas& atlas, int32_t maxSide);
