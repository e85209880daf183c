#pragma once
#include "game/vector3.h"

// The camera position; start-up sets it to (0, 0, 40) and nothing changes it.
extern Vector3 cameraPos;

// Draws one complete frame from the world state. Main thread, GL context current.
void DrawScene();
