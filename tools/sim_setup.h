#pragma once
#include <cstdint>

// Sets the world up as the game's start-up does (grid construction, NewGame,
// control mode 2 and the player colours), but seeds the generator with `seed`
// instead of the time, so a run can be repeated exactly.
void SetUpWorld(uint32_t seed);
