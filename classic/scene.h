#pragma once
#include <string>

// The earlier edition's pictures and frame, drawn with the shared texture objects
// and primitives. Main thread, GL context current.
namespace classic {

// The ten loads of start-up, in their fixed order, each with TEX_LINEAR, into
// gridTexture, digitTexture and sprite slots 0..7. `dataDir` ends with '/'. A file
// that fails leaves its slot empty; nothing is reported. Slots 8..19 stay empty.
void LoadTextures(const std::string& dataDir);

// The blue grid: the same-row links count at half their length, and the colour
// rises linearly with the node's speed.
void DrawGrid();

// Draws one complete frame of the earlier edition from its world state.
void DrawScene();

}  // namespace classic
