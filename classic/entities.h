#pragma once

namespace classic {

// Advances every live entity in index order: behaviour, contact with the player
// (before the move), then movement; entities past radius 60 are freed.
void StepEntities();

}  // namespace classic
