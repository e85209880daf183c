#include <sys/stat.h>

#include <cstdio>
#include <iterator>

#include "render/textures.h"

#include "base/program_name.h"
#include "render/draw_backend.h"
#include "render/paused_sign.h"

Texture gridTexture;
Texture digitTexture;
Texture spriteTextures[SPRITE_SLOT_COUNT];

Texture::~Texture() {
    // Release at shutdown leaves id 0, so nothing reaches GL once the context is gone.
    if (id != 0) ActiveDrawBackend().deleteTexture(id);
}

void Texture::Release() {
    if (id != 0) ActiveDrawBackend().deleteTexture(id);
    id = 0;
}

std::unique_ptr<uint8_t[]> Texture::ReadTarga(const std::string& path, std::string* reason) {
    TargaPicture picture;
    if (!ReadTargaFile(path, picture, reason)) return nullptr;
    width = picture.width;
    height = picture.height;
    bytesPerPixel = picture.bytesPerPixel;
    return std::move(picture.pixels);
}

bool Texture::Load(const std::string& path, uint32_t flags) {
    std::string reason;
    std::unique_ptr<uint8_t[]> pixels = ReadTarga(path, &reason);
    if (!pixels) {
        // A missing picture is tolerated silently, as a missing sound is; one that is
        // there but refused is worth a line, so a broken data folder is noticed.
        struct stat info;
        if (stat(path.c_str(), &info) == 0)
            std::fprintf(stderr, "%s: %s; file refused\n", ProgramName(), reason.c_str());
        return false;
    }
    Upload(pixels.get(), width, height, bytesPerPixel, flags);
    return true;
}

void Texture::Upload(const uint8_t* pixels, int32_t newWidth, int32_t newHeight, int32_t newBytesPerPixel,
                     uint32_t flags) {
    // A second upload into the same object would otherwise leak the first name.
    Release();
    width = newWidth;
    height = newHeight;
    bytesPerPixel = newBytesPerPixel;

    id = ActiveDrawBackend().createTexture(pixels, width, height, bytesPerPixel, flags);
}

void LoadPictures(const ManifestPicture* pictures, int count, const std::string& dataDir) {
    for (int i = 0; i < count; ++i) {
        int slot = pictures[i].slot;
        Texture& texture = slot == PICTURE_GRID     ? gridTexture
                           : slot == PICTURE_DIGITS ? digitTexture
                                                    : spriteTextures[slot];
        texture.Load(dataDir + pictures[i].file, TEX_LINEAR);
    }
}

void LoadGameTextures(const std::string& dataDir) {
    LoadPictures(CURRENT_PICTURES, static_cast<int>(std::size(CURRENT_PICTURES)), dataDir);
}

void ReleaseTextures() {
    gridTexture.Release();
    digitTexture.Release();
    for (Texture& texture : spriteTextures) texture.Release();
}
