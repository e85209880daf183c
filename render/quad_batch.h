#pragma once
#include <cstdint>
#include <vector>

#include "render/draw_backend.h"
#include "render/texture_atlas.h"

// Quads gathered in issue order for one draw call, all sampling one texture (the
// atlas, almost always): each quad's texture coordinates are moved into its picture's
// region as it is added, so the shader samples once and chooses nothing. No GL here.

// A batch's vertices are addressed by 16-bit indices (all WebGL 1 guarantees).
constexpr int32_t QUAD_BATCH_CAPACITY = 4096;

struct QuadBatch {
    DrawVertex vertices[QUAD_BATCH_CAPACITY * 4];
    int32_t quads = 0;
    uint32_t texture = 0;  // the GL texture every quad samples; meaningful while quads > 0
};

// Appends a quad sampling `texture`, its coordinates mapped through `region` and its
// colour the first corner's on all four (as fixed function draws a quad). False, with
// the batch unchanged, when the batch is full or samples another texture: draw it,
// clear it, and add the quad again.
bool AddQuad(QuadBatch& batch, uint32_t texture, const AtlasRegion& region, const DrawVertex corners[4]);

// Empties the batch after it has been drawn.
void ClearQuadBatch(QuadBatch& batch);

// Appends the indices of `quads` quads whose corners are numbered from `firstVertex`,
// four each: two triangles over its corners, 0 1 2 and 0 2 3.
void AppendQuadIndices(std::vector<uint16_t>& indices, int32_t firstVertex, int32_t quads);

// True when every corner's texture coordinates lie in 0..1: a quad its picture's
// gutters cover, so it needs no wrapping or clamping in the shader.
bool InsidePicture(const DrawVertex corners[4]);
