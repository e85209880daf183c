#include "render/picture_box.h"

namespace {
constexpr int PICTURE_WIDE = 4;
constexpr int PICTURE_HIGH = 3;
}  // namespace

PictureBox FitPictureBox(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    // Whole-number arithmetic, so a 4:3 drawable (800 × 600, 1024 × 768) keeps every pixel.
    long long wide = static_cast<long long>(width) * PICTURE_HIGH;
    long long high = static_cast<long long>(height) * PICTURE_WIDE;
    int boxWidth = width, boxHeight = height;
    if (wide > high) {
        boxWidth = static_cast<int>(high / PICTURE_HIGH);  // pillarbox: bars left and right
    } else if (wide < high) {
        boxHeight = static_cast<int>(wide / PICTURE_WIDE);  // letterbox: bars above and below
    }
    if (boxWidth < 1) boxWidth = 1;
    if (boxHeight < 1) boxHeight = 1;
    return {(width - boxWidth) / 2, (height - boxHeight) / 2, boxWidth, boxHeight};
}

float PictureAspect(const PictureBox& box) {
    return static_cast<float>(box.width) / static_cast<float>(box.height);
}

bool PictureHasBars(const PictureBox& box, int width, int height) {
    return box.width < width || box.height < height;
}
