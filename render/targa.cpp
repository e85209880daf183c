#include <cstdio>
#include <cstring>
#include <new>

#include "render/targa.h"

#include "base/named_file.h"

namespace {

constexpr size_t TARGA_HEADER_SIZE = 18;
constexpr int TARGA_TYPE_TRUE_COLOUR = 2;

// The picture is read as one stream of bytes; a read past the end gives the last
// byte read again instead of failing, so a truncated picture is finished with that
// byte rather than with whatever memory held.
class RepeatingStream {
protected:
    // `got` of the `count` bytes at `out` came from the source; pads the rest.
    size_t Finish(uint8_t* out, size_t got, size_t count) {
        if (got > 0) last_ = out[got - 1];
        std::memset(out + got, last_, count - got);
        return got;
    }

private:
    uint8_t last_ = 0;
};

class FileStream : public RepeatingStream {
public:
    explicit FileStream(std::FILE* file) : file_(file) {}

    // Fills `count` bytes at `out`; returns how many came from the file.
    size_t Read(uint8_t* out, size_t count) { return Finish(out, std::fread(out, 1, count, file_), count); }

private:
    std::FILE* file_;
};

class MemoryStream : public RepeatingStream {
public:
    MemoryStream(const uint8_t* data, size_t size) : data_(data), left_(data ? size : 0) {}

    size_t Read(uint8_t* out, size_t count) {
        size_t got = count < left_ ? count : left_;
        if (got > 0) std::memcpy(out, data_, got);
        data_ += got;
        left_ -= got;
        return Finish(out, got, count);
    }

private:
    const uint8_t* data_;
    size_t left_;
};

void SetReason(std::string* reason, const std::string& name, const char* what) {
    if (reason) *reason = name + ": " + what;
}

template <typename Stream>
bool Decode(Stream& stream, const std::string& name, TargaPicture& picture, std::string* reason) {
    // Bytes 0..17: ID length, colour-map type, image type, colour-map fields (5),
    // x and y origin, width, height, depth, descriptor.
    uint8_t header[TARGA_HEADER_SIZE];
    if (stream.Read(header, TARGA_HEADER_SIZE) != TARGA_HEADER_SIZE) {
        SetReason(reason, name, "header is cut short");
        return false;
    }
    size_t idLength = header[0];
    if (header[2] != TARGA_TYPE_TRUE_COLOUR) {
        SetReason(reason, name, "not an uncompressed true-colour picture");
        return false;
    }
    int32_t width = header[12] | (header[13] << 8);
    int32_t height = header[14] | (header[15] << 8);
    int depth = header[16];
    if (depth != 8 && depth != 24 && depth != 32) {
        SetReason(reason, name, "pixel depth is not 8, 24 or 32 bits");
        return false;
    }
    int32_t bytesPerPixel = depth >> 3;
    if (width == 0 || height == 0) {
        SetReason(reason, name, "picture is empty");
        return false;
    }
    int64_t size = int64_t(width) * height * bytesPerPixel;
    if (width > TARGA_MAX_SIDE || height > TARGA_MAX_SIDE || size > TARGA_MAX_BYTES) {
        SetReason(reason, name, "picture is too large for a texture");
        return false;
    }

    // The image-ID field is skipped; colour-map data (if any) is not.
    uint8_t idField[255];
    stream.Read(idField, idLength);

    std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[size_t(size)]);
    if (!pixels) {
        SetReason(reason, name, "no memory for the picture");
        return false;
    }
    // Rows stay in file order, so the usual bottom-up file lands with v = 0 at the
    // bottom of the picture. The file holds blue, green, red[, alpha].
    stream.Read(pixels.get(), size_t(size));
    if (bytesPerPixel > 1) {
        for (int64_t o = 0; o < size; o += bytesPerPixel) {
            uint8_t blue = pixels[o];
            pixels[o] = pixels[o + 2];
            pixels[o + 2] = blue;
        }
    }

    picture.pixels = std::move(pixels);
    picture.width = width;
    picture.height = height;
    picture.bytesPerPixel = bytesPerPixel;
    return true;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool DecodeTarga(const uint8_t* data, size_t size, TargaPicture& picture, std::string* reason) {
    MemoryStream stream(data, size);
    return Decode(stream, "picture", picture, reason);
}

bool ReadTargaFile(const std::string& path, TargaPicture& picture, std::string* reason) {
    std::string why;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, why));
    if (!file) {
        SetReason(reason, path, why.c_str());
        return false;
    }
    FileStream stream(file.get());
    return Decode(stream, path, picture, reason);
}
