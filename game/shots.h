#pragma once

// The player's shots: firing takes the first free slot, and each step a shot
// moves, strikes entities and drags the grid.

// Launches a shot from the player along the heading. With all slots in flight
// nothing is launched; the caller still plays the sound.
void LaunchShot();

// Advances every shot in flight, in index order.
void StepShots();
