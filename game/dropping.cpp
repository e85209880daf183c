#include "game/dropping.h"

#include <cmath>

Vector3 DroppingColour(int32_t life) {
    double h = life;
    double t = h * 0.6f;
    double a = std::sin(t) * 0.5f + 0.4f;
    double b = std::sin(t + 1.7f) * 0.5f + 0.4f;
    double f = std::fmin(h * 0.04f, 1.0);
    return {0.2f * f, a * 0.8f * f, b * f};
}
