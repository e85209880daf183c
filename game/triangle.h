#pragma once
#include <cstdint>

// A mesh's pieces as the grid stores them and the drawing layer draws them.

// A node's texture coordinate.
struct TexCoord {
    float u, v;
};

// One triangle: three node indices, in drawing order.
struct Triangle {
    int32_t node[3];
};
