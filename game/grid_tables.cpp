#include "game/grid_tables.h"

int32_t gridColumns = GRID_COLUMNS;
int32_t gridRows = GRID_ROWS;
int32_t gridNodeCount;
Vector3 gridRestPos[GRID_NODE_CAPACITY];
Vector3 gridPos[GRID_NODE_CAPACITY];
Vector3 gridVel[GRID_NODE_CAPACITY];
Vector3 gridVelScratch[GRID_NODE_CAPACITY];
TexCoord gridTexCoord[GRID_NODE_CAPACITY];
Triangle gridTriangles[GRID_TRIANGLE_CAPACITY];
int32_t gridTriangleCount;

void ListGridFields(WorldFields& fields) {
    fields(gridColumns)(gridRows)(gridNodeCount)(gridTriangleCount);
    fields(gridRestPos)(gridPos)(gridVel)(gridVelScratch)(gridTexCoord)(gridTriangles);
}

void ResetWorldFields(WorldFieldList list) {
    ClearWorldFields(list);
    gridColumns = GRID_COLUMNS;
    gridRows = GRID_ROWS;
}
