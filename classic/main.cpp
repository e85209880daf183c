// The vortane-classic program: the earlier edition in the shared window and main
// loop, full screen when the display allows.
#include <SDL2/SDL.h>

#include <vector>

#include "app/game_options.h"
#include "app/kept_settings.h"
#include "app/run_game.h"
#include "classic/edition.h"

int main(int argc, char** argv) {
    GameOptions options;
    std::vector<CommandOption> table = GameOptionTable(options);
    table.push_back(WindowOption(options));
    int exitStatus = 0;
    if (!ParseGameCommandLine(
            "vortane-classic", "The earlier edition of the arena shooter over a spring grid.",
            "keys: arrow keys, a gamepad's left stick or D-pad, or a joystick steer;\n"
            "Z, the gamepad's south button (A) or the joystick's first button fires and\n"
            "starts a new game after game over; P or the gamepad's Start pauses;\n"
            "Escape quits. M mutes; - and = (or the pad's shoulder buttons) step the sound\n"
            "effects' volume, with Shift (or the pad's Y held) the music's.\n"
            "The settings, best scores and best game are kept in\n"
            "$XDG_DATA_HOME/vortane/ (~/.local/share/vortane/); see man vortane-classic.\n",
            table, options, argc, argv, exitStatus)) {
        return exitStatus;
    }
    int keepStatus = StartKeeping(classic::edition, options);
    if (keepStatus >= 0) return keepStatus;
    SelectRenderer(options);
    int exitCode = RunGame(classic::edition, options);
    SDL_Quit();
    return exitCode;
}
