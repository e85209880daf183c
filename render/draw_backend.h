#pragma once
#include <cstdint>

#include "game/vector3.h"
#include "game/world.h"

// The GL back-end the primitives and the scene draw through. Two exist: the
// immediate-mode fixed-function one (render/fixed_backend.h) and the GLES2 /
// WebGL 1 one (render/gles2_backend.h: a shader pair fed from vertex arrays).
// Each host registers those it offers: the desktop both, the fixed-function one
// first (app/desktop_draw_backends.h); the browser the GLES2 one alone, as only
// the desktop's build lists render/fixed_backend.cpp (it needs desktop GL and
// GLU). Main thread, GL context current.

// One vertex as GL is given it: position, colour (red, green, blue; clamped to
// 0..1 by GL) and texture coordinate, all single precision.
struct DrawVertex {
    float x, y, z;
    float r, g, b;
    float u, v;
};

struct DrawBackend {
    const char* name;  // "fixed" or "gles2", as --renderer spells it
    bool esContext;    // needs an OpenGL ES 2 context (otherwise a compatibility one)

    // Viewport and the window's perspective (45° vertically, near 0.2f, far 2500) for
    // a drawable of width × height pixels: the picture fills the drawable's 4:3 box
    // (render/picture_box.h) and the rest stays the clear colour.
    void (*setView)(int width, int height);
    // The GL state the window starts with; afterwards each frame sets what it needs.
    void (*initState)();
    // Clears colour and depth, places the camera at `cameraPos`, and sets the frame's
    // state: additive blending, no depth test, no culling, texturing on.
    void (*beginFrame)(const Vector3& cameraPos);
    // The texture DrawMesh draws with (0: none, a flat mesh).
    void (*bindTexture)(uint32_t texture);
    // Triangles over `vertices` (three vertex indices each, in stored order), drawn
    // with the texture last bound.
    void (*drawMesh)(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
                     int32_t triangleCount);
    // One quad (corners in order around it) with `texture` (0: flat); the colour is
    // the first corner's. Quads appear in the picture in the order they are given.
    void (*drawQuad)(uint32_t texture, const DrawVertex corners[4]);
    // Ends the frame: blending off, everything issued handed to GL.
    void (*endFrame)();
    // A texture object with its mipmap chain from red, green, blue[, alpha] bytes
    // (rows bottom first); 3 or 4 bytes per pixel, any other depth gives a texture that
    // draws flat. `flags` are the TEX_ bits of render/textures.h. Returns the texture's
    // name, never 0: a GL name, or for the GLES2 back-end one of its atlas's pictures.
    uint32_t (*createTexture)(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                              uint32_t flags);
    // Deletes a texture name made by createTexture (0 is ignored).
    void (*deleteTexture)(uint32_t texture);
    // Deletes the back-end's own GL objects, before the context goes; the next call
    // makes them again in whatever context is current then.
    void (*release)();
};

// Offers a back-end: the first one registered is in use until another is chosen.
// Registering one again changes nothing. Before any drawing.
void RegisterDrawBackend(const DrawBackend& backend);
// The back-end in use; the first registered unless another is chosen. Drawing
// before the host registered any ends the program with a message.
const DrawBackend& ActiveDrawBackend();
// Chooses the back-end (registering it if it was not); before the context is made
// (it decides the context's kind) and before any texture is loaded.
void SelectDrawBackend(const DrawBackend& backend);
// The registered back-end of that name ("fixed" or "gles2"), or null.
const DrawBackend* FindDrawBackend(const char* name);
