#pragma once
#include <cstdint>
#include <string>

// The back-end's shader pair, GLSL ES 1.00, so the same source runs in WebGL 1 and
// on a desktop OpenGL ES 2 context. Attribute locations are fixed at link time.
constexpr uint32_t ATTRIBUTE_POSITION = 0;
constexpr uint32_t ATTRIBUTE_COLOUR = 1;
constexpr uint32_t ATTRIBUTE_TEXCOORD = 2;
constexpr uint32_t ATTRIBUTE_UNIT = 3;

struct Gles2Program {
    uint32_t program = 0;
    int32_t viewMatrix = -1;  // uniform location of the combined projection and camera
};

// Compiles and links the pair for `textureUnits` samplers (1..16) and points sampler
// i at texture unit i. False, with `error` set and nothing left behind, on failure.
bool BuildGles2Program(int32_t textureUnits, Gles2Program& program, std::string& error);
