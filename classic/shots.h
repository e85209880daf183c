#pragma once

namespace classic {

// Moves every shot, lets it destroy what it touches and adds its grid force.
void StepShots();

}  // namespace classic
