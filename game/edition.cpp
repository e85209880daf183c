#include "game/edition.h"

#include "game/grid.h"
#include "game/random.h"

void SetUpWorld(const Edition& edition, uint32_t seed) {
    edition.resetWorld();
    SeedGameRand(seed);
    BuildGrid();
    edition.startWorld();
}
