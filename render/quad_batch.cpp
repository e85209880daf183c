#include "render/quad_batch.h"

bool AddQuad(QuadBatch& batch, uint32_t texture, const AtlasRegion& region, const DrawVertex corners[4]) {
    if (batch.quads == QUAD_BATCH_CAPACITY) return false;
    if (batch.quads > 0 && batch.texture != texture) return false;
    batch.texture = texture;
    DrawVertex* v = &batch.vertices[batch.quads * 4];
    for (int i = 0; i < 4; ++i) {
        v[i] = corners[i];
        v[i].r = corners[0].r;
        v[i].g = corners[0].g;
        v[i].b = corners[0].b;
        v[i].u = region.u0 + corners[i].u * region.width;
        v[i].v = region.v0 + corners[i].v * region.height;
    }
    ++batch.quads;
    return true;
}

void ClearQuadBatch(QuadBatch& batch) { batch.quads = 0; }

void AppendQuadIndices(std::vector<uint16_t>& indices, int32_t firstVertex, int32_t quads) {
    for (int32_t q = 0; q < quads; ++q) {
        int32_t first = firstVertex + q * 4;
        for (int32_t corner : {0, 1, 2, 0, 2, 3}) indices.push_back(uint16_t(first + corner));
    }
}

bool InsidePicture(const DrawVertex corners[4]) {
    for (int i = 0; i < 4; ++i) {
        // Written so that NaN counts as outside.
        if (!(corners[i].u >= 0.0f && corners[i].u <= 1.0f && corners[i].v >= 0.0f && corners[i].v <= 1.0f))
            return false;
    }
    return true;
}
