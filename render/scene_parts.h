#pragma once
#include "game/world.h"

// The parts of a frame both editions draw the same way, over the sprite
// primitives. Main thread, GL context current.

// The frame's start: buffers cleared, the camera placed, every quad added to the
// picture in issue order with nothing hidden, and the grid texture bound for the
// edition's grid, which comes next.
void BeginScene();

// The frame's end: blending off, the logging flag cleared (as every frame does),
// the commands flushed.
void EndScene();

// Each shot in flight: its sprite and shot glow along its motion, and a glow.
void DrawShots(const Shot* shots, int capacity);

// Each live spark, its colour fading linearly from life 50 to nothing.
void DrawSparks(const Spark* sparks, int capacity);
