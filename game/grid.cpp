#include "game/grid.h"

#include <cstdint>

#include "game/grid_tables.h"

namespace {

int NodeIndex(int row, int column) { return row * gridColumns + column; }

void BuildNodes() {
    gridNodeCount = 0;
    for (int row = 0; row < gridRows; ++row) {
        for (int column = 0; column < gridColumns; ++column) {
            int n = gridNodeCount;
            gridRestPos[n] = {column - gridColumns * 0.5 + 0.5, row - gridRows * 0.5 + 0.5, 0};
            // The grid texture repeats every two cells.
            gridTexCoord[n] = {static_cast<float>(column * 0.5), static_cast<float>(row * 0.5)};
            gridPos[n] = gridRestPos[n];
            gridNodeCount += 1;
        }
    }
}

// Two triangles per cell, sharing the diagonal from (i, j-1) to (i+1, j).
void BuildTriangles() {
    gridTriangleCount = 0;
    for (int i = 0; i < gridRows - 1; ++i) {
        for (int j = 1; j < gridColumns; ++j) {
            gridTriangles[gridTriangleCount++] = {
                {NodeIndex(i, j - 1), NodeIndex(i + 1, j - 1), NodeIndex(i + 1, j)}};
            gridTriangles[gridTriangleCount++] = {
                {NodeIndex(i + 1, j), NodeIndex(i, j), NodeIndex(i, j - 1)}};
        }
    }
}

}  // namespace

void BuildGrid() {
    BuildNodes();
    BuildTriangles();
}
