// The vortane-classic program: the earlier edition's start-up, world step and frame
// in the shared window and main loop, full screen when the display allows.
#include <SDL2/SDL.h>

#include "app/game_options.h"
#include "classic/startup.h"

int main(int argc, char** argv) {
    GameOptions options;
    std::vector<CommandOption> table = GameOptionTable(options);
    int exitStatus = 0;
    if (!ParseGameCommandLine("vortane-classic",
                              "The earlier edition of the arena shooter over a spring grid.",
                              "keys: arrow keys or a joystick steer; Z or its first button fires and\n"
                              "starts a new game after game over; Escape quits.\n",
                              table, argc, argv, exitStatus)) {
        return exitStatus;
    }
    SelectRenderer(options);
    int exitCode = RunGame(classic::MakeEdition());
    SDL_Quit();
    return exitCode;
}
