#pragma once
#include <cstdint>

#include "render/draw_backend.h"

// OpenGL ES 2 / WebGL 1: every picture in one atlas texture (render/gles2_textures.h),
// one texture sample per fragment, fed from vertex arrays. The grid mesh is cut at its
// picture's repeats so that it samples the atlas directly (render/mesh_repeats.h);
// the quads are gathered in issue order into one batch with their coordinates moved
// into the atlas, and the grid waits to go in the same draw: a frame is one draw
// (more only past a batch's 4096 quads, for a picture kept out of the atlas, or for
// triangles or quads reaching past their picture's edges, which a wrapping shader
// draws).
extern const DrawBackend GLES2_DRAW_BACKEND;

// Draw calls issued in the last frame that was ended (mesh and quad batches).
int32_t Gles2DrawCallsLastFrame();
