#pragma once
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/vector3.h"

// The parts of a frame both editions draw the same way, over the sprite
// primitives. Main thread, GL context current.

// The camera position; start-up sets it to (0, 0, 40) and nothing changes it.
extern Vector3 cameraPos;

// What an edition's frame holds: the parts it draws its own way, and the tables and
// figures the shared parts draw.
struct SceneContent {
    void (*drawGrid)();  // with the grid texture bound
    void (*drawPlayer)();
    void (*drawShockwaves)();
    void (*drawEntities)();
    const Shot* shots;
    int shotCapacity;
    const Spark* sparks;
    int sparkCapacity;
    int32_t score, level, lives;
    int32_t shipSlot;  // DrawDisplay's
    Vector3 shipColour;
};

// One whole frame in the order both editions draw it: BeginScene, the grid, the
// player, the shots, the shockwaves, the sparks, the entities, the display, EndScene.
void DrawSceneContent(const SceneContent& content);

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

// The ship is shown unless the game is over, and blinks while a new life is
// protected: shown on timer digits 0..4, hidden on 5..9.
bool PlayerShown(int32_t lives, int32_t respawnTimer);

// An entity's picture and its glow: half its colour, half again its size.
void DrawEntityAndGlow(int32_t texture, const Vector3& pos, const Vector3& dir, float scale,
                       const Vector3& colour);

// Score (eight digits) and level (two) along the top over a blue glow, a small
// ship of `shipSlot` in `shipColour` for each spare life at the top left, the
// game-over sign once lives is below zero, and the paused sign while it is shown.
void DrawDisplay(int32_t score, int32_t level, int32_t lives, int32_t shipSlot, const Vector3& shipColour);
