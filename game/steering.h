#pragma once
#include "game/controls.h"
#include "game/vector3.h"

// The player's steering as both editions read and apply it.

// The key or its joystick twin is held.
bool Held(const Controls& input, int key, int joystickSlot);

// Adds the arrows' (or the joystick's) pushes to `steering`; true when any is held.
// Up and right add slightly more than down and left take away, so opposite keys
// held together still drift up and right.
bool AddSteeringKeys(const Controls& input, Vector3& steering);

double Clamp(double value, double low, double high);

// Keeps the ship inside the arena: |x| ≤ 21, |y| ≤ 15.5.
void KeepInArena(Vector3& pos);

// Turns the heading a step towards the motion, with a slight drift up and right.
void FollowMotion(Vector3& heading, const Vector3& velocity);
