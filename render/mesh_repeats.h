#pragma once
#include <cstdint>
#include <vector>

#include "game/triangle.h"
#include "render/draw_backend.h"
#include "render/texture_atlas.h"

// A mesh whose picture repeats across it (the grid's, every two cells), cut along the
// edges between repeats so that each triangle samples its picture's region of the
// atlas directly and the shader has no wrapping to do: a node on such an edge becomes
// one vertex for each repeat around it. A triangle that lies within one repeat (for a
// clamped picture: within 0..1) is taken; any other keeps its node's own coordinates,
// for the wrapping shader. No GL here.

// Vertices a draw can address with 16-bit indices (all WebGL 1 guarantees).
constexpr int32_t MESH_REPEATS_VERTEX_LIMIT = 65536;

struct MeshRepeats {
    // Vertices [0, placedCount) sample the atlas region (their whole repeats taken
    // off); the rest are nodes as given, for the triangles not taken.
    std::vector<int32_t> node;          // the mesh's node each vertex copies
    std::vector<float> shiftU, shiftV;  // whole repeats taken off its coordinates
    int32_t placedCount = 0;
    // Three per triangle, in the triangles' order within each part: [0, placedIndexCount)
    // the triangles taken, the rest those left to the wrapping shader.
    std::vector<uint16_t> indices;
    int32_t placedIndexCount = 0;
};

// Cuts `triangles` over `vertexCount` nodes; `wrap`: the picture repeats (otherwise it
// clamps). A triangle naming a node outside 0..vertexCount-1 is left out. Where the
// cut would need more vertices than 16-bit indices reach, no triangle is taken.
void CutMeshAtRepeats(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
                      int32_t triangleCount, bool wrap, MeshRepeats& mesh);

// The cut mesh's vertices for this frame (mesh.node.size() of them into `out`): the
// nodes' positions and colours; the placed ones' coordinates moved into `region`.
void PlaceMeshRepeats(const MeshRepeats& mesh, const DrawVertex* vertices, const AtlasRegion& region,
                      DrawVertex* out);
