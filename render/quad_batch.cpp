#include "render/quad_batch.h"

bool AddQuad(QuadBatch& batch, int32_t unitLimit, uint32_t texture, const DrawVertex corners[4]) {
    if (batch.quads == QUAD_BATCH_CAPACITY) return false;
    int32_t unit = 0;
    while (unit < batch.units && batch.textures[unit] != texture) ++unit;
    if (unit == batch.units) {
        if (batch.units >= unitLimit || batch.units >= QUAD_BATCH_MAX_UNITS) return false;
        batch.textures[batch.units++] = texture;
    }
    BatchVertex* v = &batch.vertices[batch.quads * 4];
    for (int i = 0; i < 4; ++i) v[i] = {corners[i], float(unit)};
    ++batch.quads;
    return true;
}

void ClearQuadBatch(QuadBatch& batch) {
    batch.quads = 0;
    batch.units = 0;
}
