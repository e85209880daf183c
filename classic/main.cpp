// The vortane-classic program: the earlier edition's start-up, world step and frame
// in the shared window and main loop, full screen when the display allows.
#include <SDL2/SDL.h>

#include "classic/startup.h"

int main() {
    int exitCode = RunGame(classic::MakeEdition());
    SDL_Quit();
    return exitCode;
}
