#pragma once
#include <cstdint>
#include <vector>

// Mipmap levels made on the CPU by the same box filter gluBuild2DMipmaps uses, for
// back-ends without GLU. Pictures are tightly packed bytes, `components` per pixel.

// The next level of a width × height picture whose sides are powers of two (not both
// 1): each output byte is the rounded mean of a 2 × 2 block, or, where one side is
// already 1, the truncated mean of a pair along the other.
std::vector<uint8_t> HalvePicture(const uint8_t* pixels, int32_t width, int32_t height, int32_t components);

// True when n is a power of two (1 included).
bool IsPowerOfTwo(int32_t n);

// The power of two gluBuild2DMipmaps scales a side to: the nearest below, except that
// sides whose top two bits are set go up (3 → 4, 6 → 8, 100 → 128, 5 → 4).
int32_t MipmapSide(int32_t side);

// The picture resampled to newWidth × newHeight by area-weighted box filtering.
std::vector<uint8_t> ScalePicture(const uint8_t* pixels, int32_t width, int32_t height, int32_t components,
                                  int32_t newWidth, int32_t newHeight);
