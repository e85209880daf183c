#pragma once
#include <cstdint>

namespace classic {

// Sets the world up as the earlier edition's start-up does (grid construction,
// NewGame), from the state at program start, but seeds the generator with `seed`
// instead of the time, so a run can be repeated exactly. For the headless tools
// and tests; touches no GL and no audio.
void SetUpWorld(uint32_t seed);

}  // namespace classic
