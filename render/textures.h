#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "assets/manifest.h"
#include "render/targa.h"

// Texture flags for Load and Upload. Applied in the order anisotropic, linear,
// nearest, so a later one overrides an earlier one (nearest wins over linear).
constexpr uint32_t TEX_NEAREST = 1;
constexpr uint32_t TEX_CLAMP = 2;
constexpr uint32_t TEX_LINEAR = 4;
constexpr uint32_t TEX_ANISOTROPIC = 8;

// One GL texture name and the size of the picture it was made from. Holds no pixels.
// GL calls (Load, Upload, Release) need the context current on the main thread;
// ReadTarga touches no GL and can run anywhere.
class Texture {
public:
    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Reads the Targa file and uploads it. False, with the fields untouched, when the
    // file gives no pixels (missing, not uncompressed true-colour, or refused as unsafe).
    // A file that is there but refused is reported on stderr, one line with its name
    // and the reason; a missing one is not.
    bool Load(const std::string& path, uint32_t flags);

    // Reads an uncompressed true-colour Targa file into a new buffer of
    // width × height × bytesPerPixel bytes (red, green, blue[, alpha]; rows in file
    // order) and sets the three size fields. Null when the file is refused; then
    // `reason` (if given) says why and the fields are untouched.
    std::unique_ptr<uint8_t[]> ReadTarga(const std::string& path, std::string* reason = nullptr);

    // Stores the size, creates the texture with its mipmap chain and keeps its name.
    // A depth other than 3 or 4 bytes gives a texture object with no image.
    void Upload(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel, uint32_t flags);

    // Deletes the GL name (context current) and forgets it; the destructor then has
    // nothing left to delete, so no GL call happens after the context is gone.
    void Release();

    uint32_t Id() const { return id; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    int32_t BytesPerPixel() const { return bytesPerPixel; }

private:
    uint32_t id = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerPixel = 0;
};

extern Texture gridTexture;
extern Texture digitTexture;
extern Texture spriteTextures[SPRITE_SLOT_COUNT];

// Loads each picture of an edition's list (the manifest's) from dataDir (ending
// with '/'), in list order, with TEX_LINEAR, into its sprite slot or the grid's or
// digits' texture. A file that fails leaves its texture empty (reported as Load says).
void LoadPictures(const ManifestPicture* pictures, int count, const std::string& dataDir);

// Deletes every texture's GL name. Call at shutdown while the context is still current.
void ReleaseTextures();
