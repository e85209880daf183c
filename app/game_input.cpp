#include "app/game_input.h"

#include <SDL2/SDL.h>

#include <new>

#include "app/input_devices.h"
#include "app/window.h"

InputDevices* input = nullptr;

void StartInputDevices() {
    input = new (std::nothrow) InputDevices(appWindow);
    SDL_Delay(100);
    if (!input) return;
    input->Poll();
    // Keys pressed while the game was starting count for its first step.
    input->LatchQueuedPresses();
}

void StopInputDevices() {
    delete input;
    input = nullptr;
}
