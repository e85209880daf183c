#include "app/gl_entry_points.h"

#include <windows.h>

// The OpenGL ES 2 header declares every function dllimport, so a call reads the
// function's address from the import slot __imp_NAME. opengl32's import library
// fills the slots of OpenGL 1.1; the slots of everything later are defined here,
// empty until LoadGlEntryPoints asks the driver (wglGetProcAddress answers only
// while a context is current, and only for functions beyond 1.1).
// clang-format off
#define VORTANE_GL_ENTRY_POINTS(X) \
    X(glActiveTexture) \
    X(glAttachShader) \
    X(glBindAttribLocation) \
    X(glBindBuffer) \
    X(glBindFramebuffer) \
    X(glBindRenderbuffer) \
    X(glBufferData) \
    X(glBufferSubData) \
    X(glCheckFramebufferStatus) \
    X(glClearDepthf) \
    X(glCompileShader) \
    X(glCreateProgram) \
    X(glCreateShader) \
    X(glDeleteBuffers) \
    X(glDeleteFramebuffers) \
    X(glDeleteProgram) \
    X(glDeleteRenderbuffers) \
    X(glDeleteShader) \
    X(glDisableVertexAttribArray) \
    X(glEnableVertexAttribArray) \
    X(glFramebufferRenderbuffer) \
    X(glGenBuffers) \
    X(glGenFramebuffers) \
    X(glGenRenderbuffers) \
    X(glGetProgramInfoLog) \
    X(glGetProgramiv) \
    X(glGetShaderInfoLog) \
    X(glGetShaderiv) \
    X(glGetUniformLocation) \
    X(glLinkProgram) \
    X(glRenderbufferStorage) \
    X(glShaderSource) \
    X(glUniform1f) \
    X(glUniform1i) \
    X(glUniform1iv) \
    X(glUniform4f) \
    X(glUniformMatrix4fv) \
    X(glUseProgram) \
    X(glVertexAttrib1f) \
    X(glVertexAttribPointer)
// clang-format on

#define VORTANE_GL_SLOT(name) PROC __imp_##name = nullptr;
extern "C" {
VORTANE_GL_ENTRY_POINTS(VORTANE_GL_SLOT)
}

void LoadGlEntryPoints() {
#define VORTANE_GL_LOAD(name) __imp_##name = wglGetProcAddress(#name);
    VORTANE_GL_ENTRY_POINTS(VORTANE_GL_LOAD)
}
