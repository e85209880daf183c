#pragma once

namespace classic {

// Puts a shot in the first free slot, leaving the player along its heading.
// Nothing happens when all are in flight.
void LaunchShot();

// Moves every shot, lets it destroy what it touches and adds its grid force.
void StepShots();

}  // namespace classic
