#pragma once
#include <cstdint>

#include "game/triangle.h"
#include "game/vector3.h"
#include "game/world_fields.h"

// The spring grid's tables, shared by both editions: built once at start-up (never
// reset by NewGame), stepped by each edition's rules, read by the renderer. Main
// thread only.

constexpr int GRID_NODE_CAPACITY = 10000;
constexpr int GRID_TRIANGLE_CAPACITY = 10000;

constexpr int32_t GRID_COLUMNS = 55;
constexpr int32_t GRID_ROWS = 40;
extern int32_t gridColumns;  // GRID_COLUMNS; the grid's tests build other sizes
extern int32_t gridRows;     // GRID_ROWS
extern int32_t gridNodeCount;
extern Vector3 gridRestPos[GRID_NODE_CAPACITY];
extern Vector3 gridPos[GRID_NODE_CAPACITY];
extern Vector3 gridVel[GRID_NODE_CAPACITY];
extern Vector3 gridVelScratch[GRID_NODE_CAPACITY];
extern TexCoord gridTexCoord[GRID_NODE_CAPACITY];
extern Triangle gridTriangles[GRID_TRIANGLE_CAPACITY];
extern int32_t gridTriangleCount;

// The shared grid's fields (its size, nodes and triangles), which both editions'
// lists end with.
void ListGridFields(WorldFields& fields);

// Every field of an edition's list back to its state at program start: all zero
// (the grid unbuilt), but the grid's size GRID_COLUMNS × GRID_ROWS. The one place a
// process that sets up several worlds (tools, tests, benchmarks) clears them.
void ResetWorldFields(WorldFieldList list);
