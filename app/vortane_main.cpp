// The vortane program: the current edition in the shared window and main loop.
#include <SDL2/SDL.h>

#include "app/game_options.h"
#include "app/run_game.h"
#include "render/current_edition.h"

int main(int argc, char** argv) {
    GameOptions options;
    int exitStatus = 0;
    if (!ParseGameCommandLine("vortane", "An arena shooter over a spring grid.",
                              "keys: arrow keys, a gamepad's left stick or D-pad, or a joystick steer;\n"
                              "Z, the gamepad's south button (A) or the joystick's first button fires and\n"
                              "starts a new game after game over; 1, 2 and 3 choose the control mode;\n"
                              "Escape quits.\n",
                              GameOptionTable(options), argc, argv, exitStatus)) {
        return exitStatus;
    }
    SelectRenderer(options);
    int exitCode = RunGame(currentEdition);
    SDL_Quit();
    return exitCode;
}
