#pragma once
#include "render/draw_backend.h"

// Immediate-mode, fixed-function OpenGL with GLU's projection and mipmaps: the
// desktop's default back-end, the one every reference frame was drawn with.
extern const DrawBackend FIXED_DRAW_BACKEND;
