#pragma once
#include <cstdint>
#include <memory>

#include "game/controls.h"
#include "game/world_fields.h"

// World states the benchmarks time from. Each is built once per process and can be
// put back into the world tables as often as needed, so every timed step starts
// from the same bits.

// Controls that hold nothing.
class IdleControls : public Controls {
public:
    void Poll() override {}
    bool KeyDown(int) const override { return false; }
};

// The current edition's whole world (every field of its list) and the random
// generator's state.
std::shared_ptr<WorldSnapshot> TakeWorldSnapshot();
void PutWorldSnapshot(const WorldSnapshot& snapshot);

// The fullest world the tables allow: all 100 entities alive, 100 shots in flight
// across the arena, 2000 sparks, 50 shockwave rings of many sizes (which with the
// shots fill the 100 grid forces), and a grid already rippling.
const WorldSnapshot& WorstCaseWorld();

// The same world without shockwaves: all 100 grid forces are shots' pushes and drags,
// the dearest kind for the grid (a ring needs no division).
const WorldSnapshot& WorstCaseShotsOnlyWorld();

// A busy game played from bench/typical_game.txt: fire held, flying around, waves,
// kills and explosions. The script's length in steps.
long TypicalScriptSteps();
// Fresh controls playing the script from its start (call SetUpWorld(currentEdition, TYPICAL_SEED) first).
std::unique_ptr<Controls> TypicalControls();
constexpr uint32_t TYPICAL_SEED = 7;

// The world after `steps` steps of the typical script.
const WorldSnapshot& TypicalWorldAfter(long steps);
