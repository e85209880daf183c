#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include "render/textures.h"

Texture gridTexture;
Texture digitTexture;
Texture spriteTextures[SPRITE_SLOT_COUNT];

Texture::~Texture() {
    // Release at shutdown leaves id 0, so nothing reaches GL once the context is gone.
    if (id != 0) glDeleteTextures(1, &id);
}

void Texture::Release() {
    if (id != 0) glDeleteTextures(1, &id);
    id = 0;
}

bool Texture::Load(const std::string& path, uint32_t flags) {
    std::unique_ptr<uint8_t[]> pixels = ReadTarga(path);
    if (!pixels) return false;
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

    GLuint name = 0;
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    if (flags & TEX_ANISOTROPIC) {
        // Up to 8, less if the driver caps it lower; below 4 it is not worth asking.
        GLfloat level = 8.0f;
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        if (maximum < 8.0f) level = maximum;
        if (maximum >= 4.0f) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, level);
    }
    if (flags & TEX_LINEAR) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    if (flags & TEX_NEAREST) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    GLfloat wrap = (flags & TEX_CLAMP) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);

    // Rows are packed tightly; with GL's default 4-byte row alignment a 3-byte
    // picture of odd width would be read past the end of its buffer.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (bytesPerPixel == 3) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    } else if (bytesPerPixel == 4) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
    glPopClientAttrib();
    id = name;
}

namespace {

struct TextureFile {
    const char* name;
    Texture* texture;
};

// Start-up's load order; slots 0, 5, 9, 17 and 19 stay empty.
const TextureFile GAME_TEXTURE_FILES[] = {
    {"grid6.tga", &gridTexture},
    {"numbers.tga", &digitTexture},
    {"shot.tga", &spriteTextures[SLOT_SHOT]},
    {"glow.tga", &spriteTextures[SLOT_GLOW]},
    {"shotglow.tga", &spriteTextures[SLOT_SHOTGLOW]},
    {"spark.tga", &spriteTextures[SLOT_SPARK]},
    {"dropping.tga", &spriteTextures[SLOT_DROPPING]},
    {"gameover.tga", &spriteTextures[SLOT_GAMEOVER]},
    {"tail.tga", &spriteTextures[SLOT_TAIL]},
    {"player1.tga", &spriteTextures[SLOT_PLAYER1]},
    {"player2.tga", &spriteTextures[SLOT_PLAYER2]},
    {"player3.tga", &spriteTextures[SLOT_PLAYER3]},
    {"enemy1.tga", &spriteTextures[SLOT_ENEMY1]},
    {"enemy2.tga", &spriteTextures[SLOT_ENEMY2]},
    {"enemy3.tga", &spriteTextures[SLOT_ENEMY3]},
    {"enemy4.tga", &spriteTextures[SLOT_ENEMY4]},
    {"enemyshot.tga", &spriteTextures[SLOT_ENEMYSHOT]},
};

}  // namespace

void LoadGameTextures(const std::string& dataDir) {
    for (const TextureFile& file : GAME_TEXTURE_FILES) {
        file.texture->Load(dataDir + file.name, TEX_LINEAR);
    }
}

void ReleaseTextures() {
    gridTexture.Release();
    digitTexture.Release();
    for (Texture& texture : spriteTextures) texture.Release();
}
