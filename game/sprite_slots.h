#pragma once

// The renderer's sprite table: an entity names its picture by slot. Both editions
// keep these pictures in the same slots; each adds its own ships and enemies.
constexpr int SPRITE_SLOT_COUNT = 20;

constexpr int SLOT_SHOT = 1;
constexpr int SLOT_GLOW = 2;
constexpr int SLOT_SHOTGLOW = 3;
constexpr int SLOT_SPARK = 4;
constexpr int SLOT_DROPPING = 6;
constexpr int SLOT_GAMEOVER = 7;
