#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The reader of uncompressed true-colour Targa pictures, the format of every
// texture. It touches no GL and can run anywhere.

// The reader refuses pictures beyond these: nothing the game draws comes near them,
// and a hostile header must not make us allocate gigabytes.
constexpr int32_t TARGA_MAX_SIDE = 8192;
constexpr int64_t TARGA_MAX_BYTES = 64LL * 1024 * 1024;

// A decoded Targa picture: red, green, blue[, alpha] bytes, rows in file order.
struct TargaPicture {
    std::unique_ptr<uint8_t[]> pixels;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerPixel = 0;
};

// Decodes a Targa file held in memory. False, with `reason` (if given) set, when
// the picture is refused.
bool DecodeTarga(const uint8_t* data, size_t size, TargaPicture& picture, std::string* reason = nullptr);

// Reads and decodes the Targa file at `path` by the same rules. False, with
// `reason` (if given) naming the file and what is wrong, when it does not open or
// is refused.
bool ReadTargaFile(const std::string& path, TargaPicture& picture, std::string* reason = nullptr);
