#pragma once
#include <cstdint>
#include <vector>

// Every picture of the GLES2 back-end in one image, so a frame samples one texture
// and draws in one call. No GL here: the back-end uploads `pixels` when `changed`.
//
// Each picture is stored as the level 0 gluBuild2DMipmaps makes of it (a side that is
// not a power of two scaled by the same box filter), inside a gutter that repeats its
// far edge (wrap) or its own edge (clamp). Bilinear filtering at a coordinate in 0..1
// then reads exactly the texels it would read in a texture of its own with that wrap
// mode, and never a neighbour. Pictures are sampled with GL_LINEAR (TEX_LINEAR, as
// every picture is loaded), so no lower level is ever read.

constexpr int32_t ATLAS_PICTURE_CAPACITY = 64;
// Texels of gutter on each side: bilinear reads one; the second is margin for rounding.
constexpr int32_t ATLAS_GUTTER = 2;

// Where picture coordinate (u, v) lands in the atlas: (u0 + u × width, v0 + v × height).
struct AtlasRegion {
    float u0, v0, width, height;
};

struct AtlasPicture {
    bool active = false;
    bool wrap = true;               // repeats (GL_REPEAT), otherwise clamps to its edge
    bool placed = false;            // lies in the atlas (false: it did not fit)
    int32_t width = 0, height = 0;  // powers of two
    std::vector<uint8_t> pixels;    // red, green, blue, alpha; rows bottom first
    int32_t x = 0, y = 0;           // its first texel in the atlas, inside the gutter
    AtlasRegion region = {0, 0, 0, 0};
};

struct TextureAtlas {
    AtlasPicture pictures[ATLAS_PICTURE_CAPACITY];
    int32_t width = 0, height = 0;  // powers of two; 0 before the first layout
    std::vector<uint8_t> pixels;    // red, green, blue, alpha; rows bottom first
    bool changed = true;            // pictures came or went since the last layout
};

// Adds a picture of 3 or 4 bytes a pixel (rows bottom first); an RGB one gets alpha
// 255. Returns its index, or -1 when the table is full or the picture is not one.
int32_t AddAtlasPicture(TextureAtlas& atlas, const uint8_t* pixels, int32_t width, int32_t height,
                        int32_t bytesPerPixel, bool wrap);

// Frees a picture's slot; an index that holds none is ignored.
void RemoveAtlasPicture(TextureAtlas& atlas, int32_t index);

// Places every active picture (tallest first, in rows) in the smallest power-of-two
// image no side of which exceeds `maxSide`, paints it and its gutters, and clears
// `changed`. A picture that cannot fit is left unplaced. Returns the count unplaced.
int32_t LayOutAtlas(TextureAtlas& atlas, int32_t maxSide);
