#include "game/dropping.h"

#include <cmath>

#include "game/trigonometry.h"

Vector3 DroppingColour(int32_t life) {
    double h = life;
    double t = h * 0.6f;
    double a = Sine(t) * 0.5f + 0.4f;
    double b = Sine(t + 1.7f) * 0.5f + 0.4f;
    double f = std::fmin(h * 0.04f, 1.0);
    return {0.2f * f, a * 0.8f * f, b * f};
}
