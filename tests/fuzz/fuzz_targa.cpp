// The Targa reader over arbitrary bytes, from memory and from a file: a picture
// either comes back whole (every byte of width × height × depth readable) or is
// refused with a reason, and both paths agree.
#include <cstring>
#include <string>

#include "render/textures.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/fuzz_targets.h"

bool fuzzSkipsLargePictures = false;

namespace {
constexpr size_t LARGE_PICTURE_BYTES = 1 << 20;

// Width × height × bytes per pixel as the header states them, 0 without a header.
size_t ClaimedBytes(const uint8_t* data, size_t size) {
    if (size < 18) return 0;
    return size_t(data[12] | data[13] << 8) * size_t(data[14] | data[15] << 8) * size_t(data[16] >> 3);
}
}  // namespace

int FuzzTarga(const uint8_t* data, size_t size) {
    // A legal picture of megabytes takes a second to decode under the sanitizers
    // and goes down the same path as a small one; left in, such inputs slow the
    // fuzzer to a few runs a second. Headers beyond the limits are refused before
    // any allocation and stay in. The replay test still decodes the big ones kept
    // in the corpus and regressions.
    if (fuzzSkipsLargePictures && ClaimedBytes(data, size) > LARGE_PICTURE_BYTES &&
        ClaimedBytes(data, size) <= size_t(TARGA_MAX_BYTES)) {
        return 0;
    }
    TargaPicture picture;
    std::string reason;
    bool decoded = DecodeTarga(data, size, picture, &reason);
    size_t bytes = 0;
    if (decoded) {
        FuzzCheck(picture.pixels != nullptr, "a decoded picture has pixels");
        FuzzCheck(picture.width >= 1 && picture.width <= TARGA_MAX_SIDE, "width within 1..TARGA_MAX_SIDE");
        FuzzCheck(picture.height >= 1 && picture.height <= TARGA_MAX_SIDE, "height within 1..TARGA_MAX_SIDE");
        FuzzCheck(picture.bytesPerPixel == 1 || picture.bytesPerPixel == 3 || picture.bytesPerPixel == 4,
                  "1, 3 or 4 bytes per pixel");
        bytes = size_t(picture.width) * size_t(picture.height) * size_t(picture.bytesPerPixel);
        FuzzCheck(int64_t(bytes) <= TARGA_MAX_BYTES, "picture within TARGA_MAX_BYTES");
        // The first and last bytes are read so AddressSanitizer sees a buffer
        // shorter than claimed; the comparison below reads all of it.
        volatile uint8_t ends = picture.pixels[0] ^ picture.pixels[bytes - 1];
        (void)ends;
    } else {
        FuzzCheck(!reason.empty(), "a refusal says why");
    }
    // The file reader shares the decoder; big pictures go through the memory one only.
    if (bytes > LARGE_PICTURE_BYTES) return 0;

    Texture texture;
    std::string fileReason;
    std::unique_ptr<uint8_t[]> filePixels = texture.ReadTarga(PathOfBytes(data, size), &fileReason);
    FuzzCheck((filePixels != nullptr) == decoded, "file and memory readers agree on acceptance");
    if (decoded && filePixels) {
        FuzzCheck(texture.Width() == picture.width && texture.Height() == picture.height &&
                      texture.BytesPerPixel() == picture.bytesPerPixel,
                  "file and memory readers agree on the size");
        FuzzCheck(std::memcmp(filePixels.get(), picture.pixels.get(), bytes) == 0,
                  "file and memory readers agree on the pixels");
    }
    if (!filePixels) {
        FuzzCheck(texture.Width() == 0 && texture.Height() == 0 && texture.BytesPerPixel() == 0,
                  "a refused file leaves the size fields untouched");
    }
    return 0;
}
