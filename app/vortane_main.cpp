// The vortane program: the current edition in the shared window and main loop.
#include <SDL2/SDL.h>

#include <vector>

#include "app/game_options.h"
#include "app/kept_settings.h"
#include "app/run_game.h"
#include "render/current_edition.h"

int main(int argc, char** argv) {
    GameOptions options;
    std::vector<CommandOption> table = GameOptionTable(options);
    table.push_back(FullscreenOption(options));
    int exitStatus = 0;
    if (!ParseGameCommandLine(
            "vortane", "An arena shooter over a spring grid.",
            "keys: arrow keys, a gamepad's left stick or D-pad, or a joystick steer;\n"
            "Z, the gamepad's south button (A) or the joystick's first button fires and\n"
            "starts a new game after game over; 1, 2 and 3 choose the control mode;\n"
            "P or the pad's Start pauses; F11 or Alt+Enter toggles full screen;\n"
            "Escape quits. M mutes; - and = (or the pad's shoulder buttons) step the sound\n"
            "effects' volume, with Shift (or the pad's Y held) the music's.\n"
            "The settings, best scores and best game are kept in\n"
            "$XDG_DATA_HOME/vortane/ (~/.local/share/vortane/); see man vortane.\n",
            table, options, argc, argv, exitStatus)) {
        return exitStatus;
    }
    int keepStatus = StartKeeping(currentEdition, options);
    if (keepStatus >= 0) return keepStatus;
    SelectRenderer(options);
    int exitCode = RunGame(currentEdition, options);
    SDL_Quit();
    return exitCode;
}
