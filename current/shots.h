#pragma once

// The player's shots: firing takes the first free slot, and each step a shot
// moves, strikes entities and drags the grid.

// Advances every shot in flight, in index order.
void StepShots();
