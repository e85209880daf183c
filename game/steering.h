#pragma once
#include <cstdint>

#include "game/controls.h"
#include "game/vector3.h"

// The player's input and steering as both editions read and apply them.

// The key or its joystick twin is held.
bool Held(const Controls& input, int key, int joystickSlot);

// The start of every step: polls the input; false when Escape is held (the step
// then does nothing else), after turning the log back on for the shutdown's lines.
bool PollUnlessEscape(Controls& input);

// Fire (Z or the joystick's first button) is held.
bool FireHeld(const Controls& input);

// Game over (lives below zero) keeps the player protected, and fire restarts the
// game with `newGame` once the sign has shown for more than 75 steps. True during
// game over: fire then does nothing else.
bool RestartOnFire(bool fireHeld, int32_t lives, int32_t& respawnTimer, int32_t frameCounter,
                   void (*newGame)());

// Adds the arrows' (or the joystick's) pushes to `steering`; true when any is held.
// Up and right add slightly more than down and left take away, so opposite keys
// held together still drift up and right.
bool AddSteeringKeys(const Controls& input, Vector3& steering);

double Clamp(double value, double low, double high);

// Keeps the ship inside the arena: |x| ≤ 21, |y| ≤ 15.5.
void KeepInArena(Vector3& pos);

// Turns the heading a step towards the motion, with a slight drift up and right.
void FollowMotion(Vector3& heading, const Vector3& velocity);
