#pragma once
#include <SDL2/SDL.h>

// The size GL really draws into in a window, in pixels. Over X11 it is the X
// server's answer: SDL takes the size it asked a window manager for as granted,
// and with no window manager (or one that refuses, as with full screen on a bare
// X server) the X window keeps its old size. Elsewhere SDL's drawable size.
void GetDrawableSize(SDL_Window* window, int* width, int* height);
