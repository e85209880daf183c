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
