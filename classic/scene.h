#pragma once

// The earlier edition's pictures and frame, drawn with the shared texture objects
// and primitives. Main thread, GL context current.
namespace classic {

// The blue grid: the same-row links count at half their length, and the colour
// rises linearly with the node's speed.
void DrawGrid();

// Draws one complete frame of the earlier edition from its world state.
void DrawScene();

}  // namespace classic
