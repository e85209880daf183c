#pragma once
#include "game/controls.h"

// Advances the whole world by one step: polls `input`, moves the player, fires,
// spawns waves, advances shockwaves, sparks, entities and shots, resolves every
// collision and steps the grid. Returns false when Escape is held (the step then
// does nothing else). Main thread only.
bool UpdateWorld(Controls& input);
