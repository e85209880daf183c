#include "game/spawning.h"

#include "game/random.h"

namespace {
double Widened(int value) { return static_cast<double>(value); }
}  // namespace

Vector3 AimInwards(const Vector3& pos, int32_t level) {
    int ky = GameRandScaled(RAND_SCALE_101);
    int kx = GameRandScaled(RAND_SCALE_101);
    Vector3 target = {pos.x + Widened(kx - 50) * 0.2f, pos.y + Widened(ky - 50) * 0.2f, pos.z};
    return -Normalise(target) * (level + 10) * 0.01f;
}
