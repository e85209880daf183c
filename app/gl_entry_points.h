#pragma once
// OpenGL entry points beyond those the system's library exports, fetched once a
// context is current. Windows' opengl32 exports only OpenGL 1.1, so the shader
// back-end's OpenGL ES 2 calls come from the driver; elsewhere the system library
// exports them all and this does nothing. An entry point the driver lacks stays
// unset; the fixed-function back-end, the default, calls none of them.
void LoadGlEntryPoints();
