#include "render/mesh_repeats.h"

#include <algorithm>
#include <cmath>

namespace {

bool NamesNodes(const int32_t node[3], int32_t vertexCount) {
    for (int i = 0; i < 3; ++i) {
        if (node[i] < 0 || node[i] >= vertexCount) return false;
    }
    return true;
}

// The whole repeats to take off a triangle's coordinates so that they lie in 0..1;
// false when no such shift exists (or a coordinate is not a number).
bool RepeatOf(const DrawVertex* const corner[3], bool wrap, float& shiftU, float& shiftV) {
    float lowU = corner[0]->u, highU = lowU, lowV = corner[0]->v, highV = lowV;
    for (int i = 0; i < 3; ++i) {
        float u = corner[i]->u, v = corner[i]->v;
        if (!std::isfinite(u) || !std::isfinite(v)) return false;
        lowU = std::min(lowU, u);
        highU = std::max(highU, u);
        lowV = std::min(lowV, v);
        highV = std::max(highV, v);
    }
    shiftU = wrap ? std::floor(lowU) : 0.0f;
    shiftV = wrap ? std::floor(lowV) : 0.0f;
    return lowU - shiftU >= 0.0f && highU - shiftU <= 1.0f && lowV - shiftV >= 0.0f && highV - shiftV <= 1.0f;
}

}  // namespace

void CutMeshAtRepeats(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
                      int32_t triangleCount, bool wrap, MeshRepeats& mesh) {
    mesh.node.clear();
    mesh.shiftU.clear();
    mesh.shiftV.clear();
    mesh.indices.clear();
    mesh.placedCount = 0;
    mesh.placedIndexCount = 0;
    if (vertexCount <= 0 || vertexCount > MESH_REPEATS_VERTEX_LIMIT || triangleCount <= 0) return;

    // A node's placed vertices form a chain from firstPlaced through nextPlaced, one
    // for each repeat the node is a corner in.
    std::vector<int32_t> firstPlaced(size_t(vertexCount), -1);
    std::vector<int32_t> nextPlaced;
    std::vector<int32_t> leftOver;  // triangles not taken
    auto placedVertex = [&](int32_t node, float shiftU, float shiftV) {
        for (int32_t v = firstPlaced[size_t(node)]; v >= 0; v = nextPlaced[size_t(v)]) {
            if (mesh.shiftU[size_t(v)] == shiftU && mesh.shiftV[size_t(v)] == shiftV) return v;
        }
        int32_t v = int32_t(mesh.node.size());
        mesh.node.push_back(node);
        mesh.shiftU.push_back(shiftU);
        mesh.shiftV.push_back(shiftV);
        nextPlaced.push_back(firstPlaced[size_t(node)]);
        firstPlaced[size_t(node)] = v;
        return v;
    };

    for (int32_t t = 0; t < triangleCount; ++t) {
        const int32_t* node = triangles[t].node;
        if (!NamesNodes(node, vertexCount)) continue;
        const DrawVertex* const corner[3] = {&vertices[node[0]], &vertices[node[1]], &vertices[node[2]]};
        float shiftU = 0, shiftV = 0;
        if (!RepeatOf(corner, wrap, shiftU, shiftV)) {
            leftOver.push_back(t);
            continue;
        }
        for (int i = 0; i < 3; ++i) mesh.indices.push_back(uint16_t(placedVertex(node[i], shiftU, shiftV)));
    }
    mesh.placedCount = int32_t(mesh.node.size());
    mesh.placedIndexCount = int32_t(mesh.indices.size());

    // The nodes of the triangles not taken, numbered in order after the placed vertices.
    std::vector<int32_t> rawVertex(size_t(vertexCount), -1);
    int32_t leftOverNodes = 0;
    auto numberLeftOverNodes = [&] {
        std::fill(rawVertex.begin(), rawVertex.end(), -1);
        leftOverNodes = 0;
        for (int32_t t : leftOver) {
            for (int i = 0; i < 3; ++i) {
                int32_t& raw = rawVertex[size_t(triangles[t].node[i])];
                if (raw < 0) raw = leftOverNodes++;
            }
        }
    };
    numberLeftOverNodes();
    // Too many vertices for 16-bit indices (a node is a vertex of up to four repeats,
    // so only a mesh of more than 16384 nodes can get here): no triangle is taken.
    if (mesh.placedCount + leftOverNodes > MESH_REPEATS_VERTEX_LIMIT) {
        mesh.node.clear();
        mesh.indices.clear();
        mesh.placedCount = 0;
        mesh.placedIndexCount = 0;
        leftOver.clear();
        for (int32_t t = 0; t < triangleCount; ++t) {
            const int32_t* node = triangles[t].node;
            if (NamesNodes(node, vertexCount)) leftOver.push_back(t);
        }
        numberLeftOverNodes();
    }

    mesh.node.resize(size_t(mesh.placedCount + leftOverNodes));
    mesh.shiftU.resize(mesh.node.size());
    mesh.shiftV.resize(mesh.node.size());
    std::fill(mesh.shiftU.begin() + mesh.placedCount, mesh.shiftU.end(), 0.0f);
    std::fill(mesh.shiftV.begin() + mesh.placedCount, mesh.shiftV.end(), 0.0f);
    for (int32_t n = 0; n < vertexCount; ++n) {
        if (rawVertex[size_t(n)] >= 0) mesh.node[size_t(mesh.placedCount + rawVertex[size_t(n)])] = n;
    }
    for (int32_t t : leftOver) {
        for (int i = 0; i < 3; ++i)
            mesh.indices.push_back(uint16_t(mesh.placedCount + rawVertex[size_t(triangles[t].node[i])]));
    }
}

void PlaceMeshRepeats(const MeshRepeats& mesh, const DrawVertex* vertices, const AtlasRegion& region,
                      DrawVertex* out) {
    for (int32_t v = 0; v < int32_t(mesh.node.size()); ++v) {
        out[v] = vertices[mesh.node[size_t(v)]];
        if (v < mesh.placedCount) {
            out[v].u = region.u0 + (out[v].u - mesh.shiftU[size_t(v)]) * region.width;
            out[v].v = region.v0 + (out[v].v - mesh.shiftV[size_t(v)]) * region.height;
        }
    }
}
