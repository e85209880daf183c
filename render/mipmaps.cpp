#include "render/mipmaps.h"

#include <algorithm>

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

std::vector<uint8_t> HalvePicture(const uint8_t* pixels, int32_t width, int32_t height, int32_t components) {
    int32_t newWidth = width > 1 ? width / 2 : 1;
    int32_t newHeight = height > 1 ? height / 2 : 1;
    std::vector<uint8_t> out(size_t(newWidth) * newHeight * components);
    size_t row = size_t(width) * components;
    uint8_t* o = out.data();
    if (width > 1 && height > 1) {
        for (int32_t i = 0; i < newHeight; ++i) {
            const uint8_t* top = pixels + size_t(2 * i) * row;
            const uint8_t* bottom = top + row;
            for (int32_t j = 0; j < newWidth; ++j) {
                for (int32_t k = 0; k < components; ++k) {
                    size_t left = size_t(2 * j) * components + k;
                    size_t right = left + components;
                    *o++ = uint8_t((top[left] + top[right] + bottom[left] + bottom[right] + 2) / 4);
                }
            }
        }
        return out;
    }
    // One row or one column: pairs of neighbours along it, averaged without rounding.
    int32_t pairs = newWidth * newHeight;
    size_t stride = width > 1 ? size_t(components) : row;
    for (int32_t p = 0; p < pairs; ++p) {
        const uint8_t* first = pixels + size_t(2 * p) * stride;
        for (int32_t k = 0; k < components; ++k) *o++ = uint8_t((first[k] + first[stride + k]) / 2);
    }
    return out;
}

int32_t MipmapSide(int32_t side) {
    if (side <= 0) return 0;
    int32_t power = 1;
    uint32_t value = uint32_t(side);
    for (;;) {
        if (value == 1) return power;
        if (value == 3) return power * 4;
        value >>= 1;
        power *= 2;
    }
}

std::vector<uint8_t> ScalePicture(const uint8_t* pixels, int32_t width, int32_t height, int32_t components,
                                  int32_t newWidth, int32_t newHeight) {
    std::vector<uint8_t> out(size_t(newWidth) * newHeight * components);
    double stepX = double(width) / newWidth;
    double stepY = double(height) / newHeight;
    std::vector<double> sum(components);
    for (int32_t i = 0; i < newHeight; ++i) {
        double y0 = i * stepY, y1 = (i + 1) * stepY;
        for (int32_t j = 0; j < newWidth; ++j) {
            double x0 = j * stepX, x1 = (j + 1) * stepX;
            for (double& s : sum) s = 0;
            // Every source pixel the output pixel's rectangle overlaps, weighted by the overlap.
            for (int32_t y = int32_t(y0); y < height && y < y1; ++y) {
                double wy = std::min(y1, y + 1.0) - std::max(y0, double(y));
                for (int32_t x = int32_t(x0); x < width && x < x1; ++x) {
                    double w = wy * (std::min(x1, x + 1.0) - std::max(x0, double(x)));
                    const uint8_t* p = pixels + (size_t(y) * width + x) * components;
                    for (int32_t k = 0; k < components; ++k) sum[k] += w * p[k];
                }
            }
            uint8_t* o = &out[(size_t(i) * newWidth + j) * components];
            for (int32_t k = 0; k < components; ++k) {
                double value = sum[k] / (stepX * stepY) + 0.5;
                o[k] = uint8_t(value > 255 ? 255 : value);
            }
        }
    }
    return out;
}
