#pragma once

// The window's view as 4 × 4 single-precision matrices, column-major as GL takes
// them, computed the way the fixed-function path gets them from GLU and GL, so both
// back-ends place every vertex on the same pixel.

// gluPerspective's matrix (fovy in degrees), worked out in double, then stored in float.
void PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar, float out[16]);

// A translation, as glTranslatef applies to the identity.
void TranslationMatrix(float x, float y, float z, float out[16]);

// a × b in single precision, each element summed in GL's order.
void MultiplyMatrices(const float a[16], const float b[16], float out[16]);

// A viewport for a window of width × height that reaches half a window past each of its
// edges, and the factor (exactly 1/2) that scales clip-space x and y so every vertex
// still lands on the pixel it would have; the framebuffer's bounds trim what lies
// outside. Whole pixels need even sides, and the device must allow a viewport of twice
// the window: otherwise the window itself with a factor of 1.
struct WideViewport {
    int x, y, width, height;
    float clipScale;
};
WideViewport ChooseWideViewport(int width, int height, int maxWidth, int maxHeight);

// Scales the x and y rows of a column-major matrix by `scale` (a power of two keeps
// every product and sum exactly scaled).
void ScaleClipXY(float matrix[16], float scale);
