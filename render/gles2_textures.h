#pragma once
#include <cstdint>

#include "render/texture_atlas.h"

// The GLES2 back-end's textures. A picture sampled as every picture is loaded
// (TEX_LINEAR) or through its mipmaps (no filter flag), with or without TEX_CLAMP,
// goes into the atlas with its whole mipmap chain, and its name is a handle to its
// slot there; any other (nearest, anisotropic) keeps a GL texture of its own with
// its mipmap chain, as before. Main thread.

// How a quad or the mesh samples the picture of a name.
struct Gles2Sampling {
    uint32_t texture;    // the GL texture to bind: the atlas or the picture's own
    AtlasRegion region;  // where the picture lies in it (the whole of its own texture)
    bool inAtlas;        // coordinates outside 0..1 need the wrapping shader
    bool wrap;           // repeats rather than clamps (in the atlas)
};

// The name of a new texture (see DrawBackend::createTexture); never 0.
uint32_t CreateGles2Texture(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                            uint32_t flags);
// Deletes a name made by CreateGles2Texture (0 is ignored).
void DeleteGles2Texture(uint32_t name);
// Lays out and uploads the atlas if pictures came or went since it was last uploaded
// to the current context. GL context current.
void PrepareGles2Atlas();
// How `name` is sampled (0, or a name not handed out: flat white). After
// PrepareGles2Atlas.
Gles2Sampling Gles2TextureSampling(uint32_t name);
// How `name` is sampled at coordinates outside 0..1: a mipmapped picture of the atlas
// from a texture of its own (the wrapping shader's jumps would pick the wrong level
// along them), any other as Gles2TextureSampling.
Gles2Sampling Gles2TextureSamplingPastEdges(uint32_t name);
// Deletes the atlas's GL objects before the context goes; the pictures are kept and
// uploaded again into the next context.
void ReleaseGles2Atlas();
// The atlas as last laid out (for the tests and the benchmarks).
const TextureAtlas& Gles2Atlas();
