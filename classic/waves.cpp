#include "classic/waves.h"

#include "classic/world.h"
#include "game/random.h"
#include "game/sound_effects.h"
#include "game/spawning.h"
#include "game/trigonometry.h"

namespace classic {

namespace {

const double SPAWN_RADIUS = 50;

double Widened(int value) { return static_cast<double>(value); }

// trunc(rand() × n / 32767), the division written as the product with 1 / 32767.
int DrawUpTo(int n) { return static_cast<int>(Widened(GameRand()) * n * RAND_SCALE_1); }

void LevelUp() {
    level += 1;
    waveCount = 0;
    PlayEffect(SOUND_LEVELUP, 42, 2);
    frameCounter = 0;
}

// Higher levels shorten the gap; now and then the next wave follows at once.
void SetNextGap() {
    waveTimer = (21 - level) * 10 - DrawUpTo(5 * level + 51);
    if (DrawUpTo(21 - level) == 0) waveTimer = 0;
}

// An enemy on the spawn circle, flying inwards past a jittered point near the
// centre. Its looks are set by its behaviour, later in the same step. With no
// free slot nothing is spawned and nothing is drawn from the generator.
void SpawnEnemy() {
    int index = FirstFreeEntity(entities, ENTITY_CAPACITY);
    if (index < 0) return;
    Entity& e = entities[index];
    // 0..6.29 radians, a single-precision value as in the current edition's spawn.
    double angle = static_cast<float>(Widened(GameRandScaled(RAND_SCALE_629)) * 0.01f);
    e.pos = {SPAWN_RADIUS * Cosine(angle), SPAWN_RADIUS * Sine(angle), 0};
    e.vel = AimInwards(e.pos, level);
    e.type = Enemy;
    e.life = 1;
}

}  // namespace

int32_t WavesPerLevel(int32_t level) { return level * 3 / 2 + 5; }

void CountDownWave() {
    waveTimer -= 1;
    if (waveTimer > 0) return;
    waveCount += 1;
    // During game over waves go on, but the level does not rise.
    if (waveCount >= WavesPerLevel(level) && lives >= 0) LevelUp();
    SetNextGap();
    int n = level - DrawUpTo(level / 2 + 1);
    if (n < 1) n = 1;
    for (int i = 0; i < n; ++i) SpawnEnemy();
}

}  // namespace classic
