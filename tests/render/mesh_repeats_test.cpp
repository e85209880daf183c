// A mesh cut at its picture's repeats: each triangle taken samples one repeat from
// the picture's region, nodes on the edges between repeats become one vertex per
// repeat, and what cannot be taken keeps its own coordinates for the wrapping shader.

#include "render/mesh_repeats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "game/grid.h"
#include "game/grid_tables.h"

namespace {

DrawVertex Node(float x, float y, float u, float v) { return {x, y, 0, 0.5f, 0.25f, 0.125f, u, v}; }

// The game's own grid as the primitives hand it over.
std::vector<DrawVertex> GridVertices() {
    std::vector<DrawVertex> vertices;
    for (int32_t n = 0; n < gridRows * gridColumns; ++n)
        vertices.push_back(
            Node(float(gridPos[n].x), float(gridPos[n].y), gridTexCoord[n].u, gridTexCoord[n].v));
    return vertices;
}

TEST(MeshRepeats, TheGridIsTakenWholeEachTriangleWithinOneRepeatOfItsRegion) {
    BuildGrid();
    std::vector<DrawVertex> nodes = GridVertices();
    MeshRepeats mesh;
    CutMeshAtRepeats(nodes.data(), int32_t(nodes.size()), gridTriangles, gridTriangleCount, true, mesh);
    ASSERT_EQ(mesh.placedIndexCount, gridTriangleCount * 3);
    ASSERT_EQ(mesh.indices.size(), size_t(mesh.placedIndexCount));
    EXPECT_EQ(mesh.placedCount, int32_t(mesh.node.size()));
    // The picture repeats every two cells: a node on a repeat's edge is a vertex of
    // each repeat around it, and no node twice in one repeat.
    // Node i of a row lies at u = i / 2: inside the row, every even one is on an edge.
    auto verticesAlong = [](int32_t nodes) {
        int32_t count = nodes;
        for (int32_t i = 1; i + 1 < nodes; ++i) count += i % 2 == 0;
        return count;
    };
    EXPECT_EQ(mesh.node.size(), size_t(verticesAlong(gridColumns) * verticesAlong(gridRows)));

    const AtlasRegion region = {0.25f, 0.5f, 0.125f, 0.0625f};
    std::vector<DrawVertex> placed(mesh.node.size());
    PlaceMeshRepeats(mesh, nodes.data(), region, placed.data());
    for (int32_t t = 0; t < gridTriangleCount; ++t) {
        for (int i = 0; i < 3; ++i) {
            const DrawVertex& corner = placed[mesh.indices[size_t(t * 3 + i)]];
            const DrawVertex& node = nodes[size_t(gridTriangles[t].node[i])];
            // The same corner of the same triangle, its coordinates in the region.
            EXPECT_EQ(corner.x, node.x);
            EXPECT_EQ(corner.y, node.y);
            EXPECT_EQ(corner.g, node.g);
            float inU = (corner.u - region.u0) / region.width, inV = (corner.v - region.v0) / region.height;
            ASSERT_GE(inU, 0.0f);
            ASSERT_LE(inU, 1.0f);
            ASSERT_GE(inV, 0.0f);
            ASSERT_LE(inV, 1.0f);
            EXPECT_EQ(inU - node.u, std::floor(inU - node.u)) << "a whole number of repeats off";
            EXPECT_EQ(inV - node.v, std::floor(inV - node.v));
        }
        // Its three corners sample one repeat: their shifts agree.
        const float shift = mesh.shiftU[mesh.indices[size_t(t * 3)]];
        EXPECT_EQ(mesh.shiftU[mesh.indices[size_t(t * 3 + 1)]], shift);
        EXPECT_EQ(mesh.shiftU[mesh.indices[size_t(t * 3 + 2)]], shift);
    }
}

TEST(MeshRepeats, TrianglesReachingAcrossARepeatOrPastAClampedPictureKeepTheirCoordinates) {
    const std::vector<DrawVertex> nodes = {
        Node(0, 0, 0.5f, 0.5f),
        Node(1, 0, 1.0f, 0.5f),
        Node(0, 1, 0.5f, 1.0f),  // within one repeat
        Node(2, 0, 1.5f, 0.25f),
        Node(3, 0, 2.5f, 0.25f),  // across one
        Node(4, 0, -0.5f, -0.5f),
        Node(5, 0, -0.25f, -0.5f),
        Node(6, 0, std::numeric_limits<float>::quiet_NaN(), 0),
    };
    const Triangle triangles[] = {
        {{0, 1, 2}},  // taken
        {{1, 3, 4}},  // u from 1 to 2.5: more than one repeat
        {{5, 6, 0}},  // -0.5 to 0.5: across an edge
        {{0, 1, 7}},  // not a number
        {{0, 1, 8}},  // names no node: left out
        {{5, 6, 5}},  // one repeat below 0: taken when the picture wraps
    };
    MeshRepeats wrapped, clamped;
    CutMeshAtRepeats(nodes.data(), int32_t(nodes.size()), triangles, 6, true, wrapped);
    CutMeshAtRepeats(nodes.data(), int32_t(nodes.size()), triangles, 6, false, clamped);
    EXPECT_EQ(wrapped.placedIndexCount, 6);
    EXPECT_EQ(wrapped.indices.size(), size_t(6 + 9));
    EXPECT_EQ(clamped.placedIndexCount, 3);
    EXPECT_EQ(clamped.indices.size(), size_t(3 + 12));

    // What is not taken is drawn from the nodes as given, in the triangles' order.
    std::vector<DrawVertex> placed(wrapped.node.size());
    const AtlasRegion region = {0.5f, 0.5f, 0.25f, 0.25f};
    PlaceMeshRepeats(wrapped, nodes.data(), region, placed.data());
    const int32_t leftOver[] = {1, 3, 4, 5, 6, 0, 0, 1, 7};
    for (size_t i = 0; i < 9; ++i) {
        const DrawVertex& corner = placed[wrapped.indices[size_t(wrapped.placedIndexCount) + i]];
        EXPECT_EQ(corner.x, nodes[size_t(leftOver[i])].x);
        if (leftOver[i] != 7) EXPECT_EQ(corner.u, nodes[size_t(leftOver[i])].u);
    }
    // The taken one below 0 samples its region from its near edge: -0.5 is 0.5 there.
    const DrawVertex& below = placed[wrapped.indices[3]];
    EXPECT_EQ(below.u, region.u0 + 0.5f * region.width);
}

TEST(MeshRepeats, AMeshTooLargeForSixteenBitIndicesKeepsEveryNodeAsGiven) {
    // Along this strip every other triangle lies within one repeat and shares its
    // nodes with triangles of the repeats beside it: cut, the 40000 nodes would need
    // about 100000 vertices, past what 16-bit indices reach.
    std::vector<DrawVertex> nodes;
    std::vector<Triangle> triangles;
    for (int32_t n = 0; n < 40000; ++n) nodes.push_back(Node(float(n), float(n % 2), float(n) * 0.5f, 0));
    for (int32_t n = 0; n + 2 < 40000; ++n) triangles.push_back({{n, n + 1, n + 2}});
    MeshRepeats mesh;
    CutMeshAtRepeats(nodes.data(), int32_t(nodes.size()), triangles.data(), int32_t(triangles.size()), true,
                     mesh);
    EXPECT_EQ(mesh.placedIndexCount, 0);
    EXPECT_EQ(mesh.placedCount, 0);
    EXPECT_LE(mesh.node.size(), size_t(MESH_REPEATS_VERTEX_LIMIT));
    ASSERT_EQ(mesh.indices.size(), triangles.size() * 3);
    for (size_t i = 0; i < mesh.indices.size(); ++i)
        EXPECT_EQ(mesh.node[mesh.indices[i]], triangles[i / 3].node[i % 3]);
}

}  // namespace
