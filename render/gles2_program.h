#pragma once
#include <cstdint>
#include <string>

// The back-end's shader pairs, GLSL ES 1.00, so the same source runs in WebGL 1 and
// on a desktop OpenGL ES 2 context. Both sample one texture on unit 0, once per
// fragment, and multiply it by the vertex colour, clamped like fixed function.
// Attribute locations are fixed at link time.
constexpr uint32_t ATTRIBUTE_POSITION = 0;
constexpr uint32_t ATTRIBUTE_COLOUR = 1;
constexpr uint32_t ATTRIBUTE_TEXCOORD = 2;

struct Gles2Program {
    uint32_t program = 0;
    int32_t viewMatrix = -1;  // uniform location of the combined projection and camera
    int32_t region = -1;      // the wrapping pair's: the picture's place in the atlas
    int32_t wrap = -1;        // the wrapping pair's: 1 repeats, 0 clamps to the edge
};

struct Gles2Programs {
    // Samples at the coordinates it is given (the quads, already moved into the atlas).
    Gles2Program plain;
    // Wraps or clamps the coordinates into 0..1 first and then moves them into the
    // region: the grid mesh, whose picture repeats across it.
    Gles2Program wrapping;
};

// Compiles and links both pairs. False, with `error` set and nothing left behind, on
// failure.
bool BuildGles2Programs(Gles2Programs& programs, std::string& error);
