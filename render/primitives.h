#pragma once
#include <cstdint>

#include "game/grid_tables.h"
#include "game/vector3.h"

// The drawing primitives the scene is built from, issued through the active draw
// back-end (render/draw_backend.h). Main thread, context current. The caller begins
// the back-end's frame (blending, depth, culling, texturing); the primitives change
// only the bound texture and the current colour.

// Per-node grid colour (red, green, blue), indexed like gridPos. Rebuilt in full on
// every frame; until the colour pass runs, a node's brightness lives in x.
extern Vector3 gridColour[GRID_NODE_CAPACITY];

// Draws the spring grid with gridTexture already bound: base brightness, stretch,
// speed colour, then the mesh.
void DrawGrid();

// The passes of DrawGrid, apart so another colouring can reuse the mesh.
// Brightness 1, but 0 on the last row and the last column.
void SetGridBaseBrightness();
// Darkens both ends of every link by 2 − length (clamped to 0..1); a same-row link's
// length is first scaled by `rowLinkScale` (1 in this game).
void ApplyGridStretch(double rowLinkScale);
// Brightness and speed to the green colour: k = ((s² × 80 + 1.2) × b)² × 0.3.
void ApplyGridSpeedColour();
// Emits every triangle in stored order with each node's texture coordinate, colour
// and position.
void EmitGridMesh();

// A textured, coloured square of half-size `halfSize` centred on `pos`, the picture's
// top edge towards `dir`. The direction is used as given, not normalised. A slot
// outside the table draws like an empty slot: a flat square in `colour`.
void DrawSprite(int32_t slot, const Vector3& pos, const Vector3& dir, float halfSize, const Vector3& colour);

// `digitCount` digits of `value`, least significant at pos.x..pos.x + 1, each further
// digit one unit to the left, leading zeros shown, each digit on an orange glow.
void DrawNumber(int32_t value, int32_t digitCount, const Vector3& pos);
