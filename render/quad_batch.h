#pragma once
#include <cstdint>

#include "render/draw_backend.h"

// Quads gathered in issue order for one draw call, each naming a texture unit of the
// batch; the GLES2 back-end binds the batch's textures to those units and draws it.
// No GL here.

constexpr int32_t QUAD_BATCH_MAX_UNITS = 16;
// A batch's vertices are addressed by 16-bit indices (all WebGL 1 guarantees).
constexpr int32_t QUAD_BATCH_CAPACITY = 4096;

struct BatchVertex {
    DrawVertex vertex;
    float unit;  // the texture unit the fragment samples, the same on all four corners
};

struct QuadBatch {
    BatchVertex vertices[QUAD_BATCH_CAPACITY * 4];
    int32_t quads = 0;
    uint32_t textures[QUAD_BATCH_MAX_UNITS] = {};  // texture of each unit in use
    int32_t units = 0;
};

// Appends a quad, giving `texture` a unit of its own unless it has one already in
// this batch. False, with the batch unchanged, when the batch is full or all of its
// `unitLimit` units hold other textures: draw it, clear it, and add the quad again.
bool AddQuad(QuadBatch& batch, int32_t unitLimit, uint32_t texture, const DrawVertex corners[4]);

// Empties the batch after it has been drawn.
void ClearQuadBatch(QuadBatch& batch);
