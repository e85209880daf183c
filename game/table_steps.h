#pragma once
#include "game/sparks.h"

// The tables' part of a world step, in the order both editions run it: the wave
// count-down, shockwaves, sparks, entities, shots, then the grid under the forces
// they added. Each edition gives its own steps and its spark table.
struct TableSteps {
    void (*countDownWave)();
    void (*stepShockwaves)();
    Spark* sparks;
    int sparkCapacity;
    void (*stepEntities)();
    void (*stepShots)();
    void (*stepGrid)();
};

void StepTables(const TableSteps& steps);
