#pragma once
#include <cstdint>

namespace classic {

// Waves since the last level-up needed for the next one: level × 3 ÷ 2 + 5.
int32_t WavesPerLevel(int32_t level);

// Counts down the wave timer; when it runs out, counts the wave (levelling up
// after enough of them while the game is on), sets the next gap and spawns the
// wave on the radius-50 circle.
void CountDownWave();

}  // namespace classic
