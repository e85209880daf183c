#include "render/view_matrix.h"

#include <cmath>

namespace {
// π as GLU spells it.
constexpr double GLU_PI = 3.14159265358979323846;
}  // namespace

void PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar, float out[16]) {
    double radians = fovy / 2 * GLU_PI / 180;
    double deltaZ = zFar - zNear;
    double sine = std::sin(radians);
    double cotangent = std::cos(radians) / sine;
    double m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    m[15] = 0;
    for (int i = 0; i < 16; ++i) out[i] = float(m[i]);
}

void TranslationMatrix(float x, float y, float z, float out[16]) {
    for (int i = 0; i < 16; ++i) out[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    out[12] = x;
    out[13] = y;
    out[14] = z;
}

void MultiplyMatrices(const float a[16], const float b[16], float out[16]) {
    // Element (row i, column j) lives at [j * 4 + i].
    float product[16];
    for (int i = 0; i < 4; ++i) {
        float ai0 = a[i], ai1 = a[4 + i], ai2 = a[8 + i], ai3 = a[12 + i];
        for (int j = 0; j < 4; ++j) {
            product[j * 4 + i] =
                ai0 * b[j * 4] + ai1 * b[j * 4 + 1] + ai2 * b[j * 4 + 2] + ai3 * b[j * 4 + 3];
        }
    }
    for (int i = 0; i < 16; ++i) out[i] = product[i];
}

WideViewport ChooseWideViewport(int width, int height, int maxWidth, int maxHeight) {
    bool even = width % 2 == 0 && height % 2 == 0;
    bool fits = width <= maxWidth / 2 && height <= maxHeight / 2;
    if (width <= 0 || height <= 0 || !even || !fits) return {0, 0, width, height, 1.0f};
    return {-width / 2, -height / 2, width * 2, height * 2, 0.5f};
}

void ScaleClipXY(float matrix[16], float scale) {
    // Element (row i, column j) lives at [j * 4 + i]; rows 0 and 1 give clip x and y.
    for (int j = 0; j < 4; ++j) {
        matrix[j * 4] *= scale;
        matrix[j * 4 + 1] *= scale;
    }
}
