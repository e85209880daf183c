#pragma once
#include "game/controls.h"

namespace classic {

// Advances the earlier edition's world by one step: polls `input`, steers and
// moves the player, fires once per press, runs the waves and level-ups, advances
// shockwaves, sparks, entities and shots and steps the grid. Returns false when
// Escape is held (the step then does nothing else). Main thread only.
bool UpdateWorld(Controls& input);

}  // namespace classic
