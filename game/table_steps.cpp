#include "game/table_steps.h"

void StepTables(const TableSteps& steps) {
    steps.countDownWave();
    steps.stepShockwaves();
    StepSparks(steps.sparks, steps.sparkCapacity);
    steps.stepEntities();
    steps.stepShots();
    steps.stepGrid();
}
