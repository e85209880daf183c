#include "tools/png_frame.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "base/named_file.h"

namespace {

// Closes (or, for standard output, flushes) the file however the write ends.
struct FileCloser {
    void operator()(std::FILE* file) const { CloseNamedOutput(file); }
};

}  // namespace

bool WritePngRGB(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                 std::string& error) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * height * 3) {
        error = OutputDisplayName(path) + ": frame size does not match its pixels";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(OpenNamedOutput(path));
    if (!file) {
        error = OutputDisplayName(path) + ": cannot be written";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = OutputDisplayName(path) + ": out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = OutputDisplayName(path) + ": writing failed";
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(&rgb[size_t(y) * width * 3]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (!CloseNamedOutput(file.release())) {
        error = OutputDisplayName(path) + ": writing failed";
        return false;
    }
    return true;
}

bool ReadPngRGB(const std::string& path, std::vector<uint8_t>& rgb, int& width, int& height,
                std::string& error) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = path + ": " + image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    width = int(image.width);
    height = int(image.height);
    rgb.swap(pixels);
    return true;
}
