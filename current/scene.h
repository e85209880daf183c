#pragma once

// The current edition's frame over the shared scene parts (render/scene_parts.h).

// Draws one complete frame from the world state. Main thread, GL context current.
void DrawScene();
