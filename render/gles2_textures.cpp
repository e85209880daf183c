#include "render/gles2_textures.h"

#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/mipmaps.h"
#include "render/textures.h"

namespace {

// Atlas names lie far above the GL's own, which count up from 1.
constexpr uint32_t ATLAS_NAME_BASE = 0x40000000u;
// The atlas stays within what every WebGL device samples at full precision in practice.
constexpr int32_t ATLAS_MAX_SIDE = 4096;

// Never destroyed: a Texture left holding a name at exit (a global's destructor)
// still finds the table it frees its slot in, whatever order the destructors run.
TextureAtlas& atlas = *new TextureAtlas;
int32_t flatPicture = -1;  // one white texel: what texture 0 and a picture-less texture sample
// The atlas twice: its level 0 sampled as a TEX_LINEAR picture is (GL_LINEAR) and,
// only while a mipmapped picture lies in it, all its levels sampled as one of those
// is (GL_LINEAR_MIPMAP_LINEAR). A draw binds one of them: one sample per fragment.
GLuint atlasTexture = 0;
GLuint mipmappedAtlasTexture = 0;
bool atlasUploaded = false;  // atlas.levels are in the atlas textures, in the current context
// Which pictures are sampled through their mipmaps.
bool mipmapped[ATLAS_PICTURE_CAPACITY] = {};
// Pictures that did not fit, and mipmapped ones for coordinates past their edges
// (where the shader's wrapping would upset the choice of level), each in a texture
// of its own (0: none).
GLuint ownTextures[ATLAS_PICTURE_CAPACITY] = {};

bool IsAtlasName(uint32_t name) {
    return name >= ATLAS_NAME_BASE && name < ATLAS_NAME_BASE + uint32_t(ATLAS_PICTURE_CAPACITY);
}

int32_t AddFlatPicture() {
    const uint8_t white[4] = {255, 255, 255, 255};
    return AddAtlasPicture(atlas, white, 1, 1, 4, true);
}

void EnsureFlatPicture() {
    if (flatPicture < 0 || !atlas.pictures[flatPicture].active) flatPicture = AddFlatPicture();
}

bool HasExtension(const char* name) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, name);
}

// The picture and its whole mipmap chain, made by the box filter GLU uses; a side
// that is not a power of two is first scaled to the one GLU would choose.
void UploadLevels(const uint8_t* pixels, int32_t width, int32_t height, int32_t components) {
    GLenum format = components == 3 ? GL_RGB : GL_RGBA;
    std::vector<uint8_t> level;
    int32_t w = width, h = height;
    if (!IsPowerOfTwo(w) || !IsPowerOfTwo(h)) {
        w = MipmapSide(width);
        h = MipmapSide(height);
        level = ScalePicture(pixels, width, height, components, w, h);
        pixels = level.data();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint index = 0;; ++index) {
        glTexImage2D(GL_TEXTURE_2D, index, GLint(format), w, h, 0, format, GL_UNSIGNED_BYTE, pixels);
        if (w == 1 && h == 1) break;
        level = HalvePicture(pixels, w, h, components);
        pixels = level.data();
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// A texture of its own, sampled as `flags` say.
GLuint CreateOwnTexture(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                        uint32_t flags) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);

    GLint minFilter = GL_LINEAR_MIPMAP_LINEAR, magFilter = GL_LINEAR;
    if ((flags & TEX_ANISOTROPIC) && HasExtension("GL_EXT_texture_filter_anisotropic")) {
        // Up to 8, less if the driver caps it lower; below 4 it is not worth asking.
        GLfloat level = 8.0f;
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        if (maximum < 8.0f) level = maximum;
        if (maximum >= 4.0f) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, level);
    }
    if (flags & TEX_LINEAR) minFilter = magFilter = GL_LINEAR;
    if (flags & TEX_NEAREST) minFilter = magFilter = GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    GLint wrap = (flags & TEX_CLAMP) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    UploadLevels(pixels, width, height, bytesPerPixel);
    return name;
}

// The atlas into `texture` (made if 0), sampled with `minFilter`: every level for
// mipmapped sampling, level 0 alone for GL_LINEAR, which reads no other (and a texture
// of one level spares a software rasteriser choosing a level for every fragment).
void UploadAtlas(GLuint& texture, GLint minFilter) {
    if (!texture) glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    size_t levels = minFilter == GL_LINEAR ? std::min<size_t>(1, atlas.levels.size()) : atlas.levels.size();
    for (size_t number = 0; number < levels; ++number) {
        const AtlasLevel& level = atlas.levels[number];
        glTexImage2D(GL_TEXTURE_2D, GLint(number), GL_RGBA, level.width, level.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, level.pixels.data());
    }
}

void DeleteOwnTextures() {
    for (GLuint& texture : ownTextures) {
        if (texture) glDeleteTextures(1, &texture);
        texture = 0;
    }
}

}  // namespace

uint32_t CreateGles2Texture(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                            uint32_t flags) {
    EnsureFlatPicture();
    bool picture = (bytesPerPixel == 3 || bytesPerPixel == 4) && width > 0 && height > 0;
    // Fixed function draws a texture without an image flat; one white texel does the same.
    if (!picture) {
        int32_t index = AddFlatPicture();
        if (index >= 0) return ATLAS_NAME_BASE + uint32_t(index);
        const uint8_t white[4] = {255, 255, 255, 255};
        return CreateOwnTexture(white, 1, 1, 4, TEX_NEAREST);
    }
    // Linear pictures, and mipmapped ones (the default filter), wrapping or clamped.
    uint32_t filter = flags & ~TEX_CLAMP;
    if (filter == TEX_LINEAR || filter == 0) {
        int32_t index = AddAtlasPicture(atlas, pixels, width, height, bytesPerPixel, !(flags & TEX_CLAMP));
        if (index >= 0) {
            mipmapped[index] = filter == 0;
            return ATLAS_NAME_BASE + uint32_t(index);
        }
    }
    return CreateOwnTexture(pixels, width, height, bytesPerPixel, flags);
}

void DeleteGles2Texture(uint32_t name) {
    if (name == 0) return;
    if (!IsAtlasName(name)) {
        glDeleteTextures(1, &name);
        return;
    }
    int32_t index = int32_t(name - ATLAS_NAME_BASE);
    if (ownTextures[index]) glDeleteTextures(1, &ownTextures[index]);
    ownTextures[index] = 0;
    mipmapped[index] = false;
    RemoveAtlasPicture(atlas, index);
}

void PrepareGles2Atlas() {
    EnsureFlatPicture();
    if (!atlas.changed && atlasUploaded) return;
    if (atlas.changed) {
        GLint maxSide = 64;  // what every OpenGL ES 2 device offers at least
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
        LayOutAtlas(atlas, std::min(int32_t(maxSide), ATLAS_MAX_SIDE));
    }
    bool anyMipmapped = false;
    for (int32_t index = 0; index < ATLAS_PICTURE_CAPACITY; ++index)
        anyMipmapped = anyMipmapped || (atlas.pictures[index].placed && mipmapped[index]);
    UploadAtlas(atlasTexture, GL_LINEAR);
    if (anyMipmapped) {
        UploadAtlas(mipmappedAtlasTexture, GL_LINEAR_MIPMAP_LINEAR);
    } else if (mipmappedAtlasTexture) {
        glDeleteTextures(1, &mipmappedAtlasTexture);
        mipmappedAtlasTexture = 0;
    }
    // A picture too large for what is left, and a mipmapped one drawn past its edges,
    // keep a texture of their own, sampled the same way.
    DeleteOwnTextures();
    for (int32_t index = 0; index < ATLAS_PICTURE_CAPACITY; ++index) {
        const AtlasPicture& picture = atlas.pictures[index];
        if (!picture.active || (picture.placed && !mipmapped[index])) continue;
        const AtlasLevel& level = picture.levels[0];
        ownTextures[index] =
            CreateOwnTexture(level.pixels.data(), level.width, level.height, 4,
                             (mipmapped[index] ? 0 : TEX_LINEAR) | (picture.wrap ? 0 : TEX_CLAMP));
    }
    atlasUploaded = true;
}

Gles2Sampling Gles2TextureSampling(uint32_t name) {
    const AtlasRegion whole = {0, 0, 1, 1};
    if (name != 0 && !IsAtlasName(name)) return {name, whole, false, true};
    int32_t index = name != 0 ? int32_t(name - ATLAS_NAME_BASE) : flatPicture;
    if (index < 0 || !atlas.pictures[index].active) index = flatPicture;
    if (index < 0) return {0, whole, false, true};
    const AtlasPicture& picture = atlas.pictures[index];
    if (!picture.placed) return {ownTextures[index], whole, false, picture.wrap};
    return {mipmapped[index] ? mipmappedAtlasTexture : atlasTexture, picture.region, true, picture.wrap};
}

Gles2Sampling Gles2TextureSamplingPastEdges(uint32_t name) {
    if (IsAtlasName(name)) {
        int32_t index = int32_t(name - ATLAS_NAME_BASE);
        const AtlasPicture& picture = atlas.pictures[index];
        if (picture.active && mipmapped[index] && ownTextures[index])
            return {ownTextures[index], {0, 0, 1, 1}, false, picture.wrap};
    }
    return Gles2TextureSampling(name);
}

void ReleaseGles2Atlas() {
    if (atlasTexture) glDeleteTextures(1, &atlasTexture);
    if (mipmappedAtlasTexture) glDeleteTextures(1, &mipmappedAtlasTexture);
    atlasTexture = mipmappedAtlasTexture = 0;
    DeleteOwnTextures();
    atlasUploaded = false;
}

const TextureAtlas& Gles2Atlas() { return atlas; }
