#pragma once
#include <cstdint>

#include "render/draw_backend.h"

// OpenGL ES 2 / WebGL 1: one shader pair (texture × vertex colour, clamped like
// fixed function) fed from vertex arrays. The grid mesh is one draw; quads are
// gathered in issue order into batches, each quad's texture on a texture unit of its
// own within the batch, so a batch ends only when it has no unit left for a new
// texture (or is full). With one unit that is one draw per run of a texture.
extern const DrawBackend GLES2_DRAW_BACKEND;

// The cap on a batch's texture units unless SetGles2TextureUnitLimit says otherwise.
constexpr int32_t GLES2_DEFAULT_TEXTURE_UNITS = 16;

// Caps the texture units a batch may use (at most what the device offers, and 16).
// Takes effect from the next frame; the shaders are rebuilt for it.
void SetGles2TextureUnitLimit(int32_t units);
// The texture units batches use now (0 before the back-end has met a context).
int32_t Gles2TextureUnits();
// Draw calls issued in the last frame that was ended (mesh and quad batches).
int32_t Gles2DrawCallsLastFrame();
