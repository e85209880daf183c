#include "app/drawable_size.h"

// Xlib's macros (None, Status, ...) stay inside this file.
#if VORTANE_X11
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#endif

void GetDrawableSize(SDL_Window* window, int* width, int* height) {
    SDL_GL_GetDrawableSize(window, width, height);
#if VORTANE_X11
    // X11 drawables have no separate high-density size: the window's is the one.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) {
            *width = attributes.width;
            *height = attributes.height;
        }
    }
#endif
}
